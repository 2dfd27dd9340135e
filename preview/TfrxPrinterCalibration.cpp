#include "TfrxPrinterCalibration.h"

#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

constexpr double mmPerInch = 25.4;

const QString offsetXKey = QStringLiteral("OffsetX");
const QString offsetYKey = QStringLiteral("OffsetY");
const QString scaleKey = QStringLiteral("Scale");

QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tervane"),
                     QStringLiteral("Printers"));
}

// A printer's name as a section: the settings read "/" and "\" as nesting.
QString section(const QString &printer)
{
    QString name = printer;
    name.replace(u'%', QStringLiteral("%25"));
    name.replace(u'/', QStringLiteral("%2F"));
    name.replace(u'\\', QStringLiteral("%5C"));
    return name;
}

double tenths(double value, double low, double high, double fallback)
{
    if (!std::isfinite(value))
        return fallback;
    return std::nearbyint(std::clamp(value, low, high) * 10) / 10;
}

} // namespace

TfrxPrinterCalibration TfrxPrinterCalibration::Bounded() const
{
    return {tenths(OffsetX, -maxOffset, maxOffset, 0), tenths(OffsetY, -maxOffset, maxOffset, 0),
            tenths(Scale, minScale, maxScale, 100)};
}

QTransform TfrxPrinterCalibration::DeviceTransform(QPointF dpi) const
{
    const double factor = Scale / 100;
    return QTransform(factor, 0, 0, factor, OffsetX * dpi.x() / mmPerInch, OffsetY * dpi.y() / mmPerInch);
}

TfrxPrinterCalibration TfrxPrinterCalibration::Load(const QString &printer)
{
    QSettings settings = store();
    settings.beginGroup(section(printer));
    const TfrxPrinterCalibration stored{settings.value(offsetXKey, 0).toDouble(),
                                        settings.value(offsetYKey, 0).toDouble(),
                                        settings.value(scaleKey, 100).toDouble()};
    return stored.Bounded();
}

bool TfrxPrinterCalibration::Save(const QString &printer, const TfrxPrinterCalibration &calibration)
{
    const TfrxPrinterCalibration bounded = calibration.Bounded();
    QSettings settings = store();
    settings.remove(section(printer));
    if (!bounded.IsIdentity()) {
        settings.beginGroup(section(printer));
        settings.setValue(offsetXKey, bounded.OffsetX);
        settings.setValue(offsetYKey, bounded.OffsetY);
        settings.setValue(scaleKey, bounded.Scale);
        settings.endGroup();
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}
