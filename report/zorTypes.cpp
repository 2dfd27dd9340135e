#include "zorTypes.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace zor {

bool FloatDiff(double a, double b)
{
    return std::fabs(a - b) > 0.0001;
}

double Round8(double value)
{
    return std::nearbyint(value * 1e8) / 1e8;
}

int Nearest(double value)
{
    // Device coordinates far beyond any surface are clamped so that the conversion stays defined.
    constexpr double limit = 1e9;
    if (std::isnan(value))
        return 0;
    if (value > limit)
        return int(limit);
    if (value < -limit)
        return -int(limit);
    return int(std::nearbyint(value));
}

int MulDiv(int k, int d, int n)
{
    if (n == 0)
        return 0;
    return Nearest(double(qint64(k) * d) / n);
}

QColor ToQColor(int color)
{
    if (color == clTransparent)
        return {};
    const auto c = quint32(color);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

int FromQColor(const QColor &color)
{
    if (!color.isValid())
        return clTransparent;
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QString BoolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString FloatText(double value)
{
    // Fixed notation with up to 15 significant digits for ordinary magnitudes, an exponent form
    // for very large and very small ones; the decimal separator is the user's.
    const double magnitude = std::fabs(value);
    QString text;
    if (value == 0) {
        text = QStringLiteral("0");
    } else if (magnitude >= 1e-5 && magnitude < 1e15) {
        const int before = magnitude >= 1 ? int(std::floor(std::log10(magnitude))) + 1 : 0;
        text = QString::number(value, 'f', std::max(0, 15 - before));
        if (text.contains(QLatin1Char('.'))) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
        if (text == QLatin1String("-0"))
            text = QStringLiteral("0");
    } else {
        text = QString::number(value, 'g', 15);
    }
    return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

QString EscapeAttr(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (QChar ch : value) {
        switch (ch.unicode()) {
        case 0:
        case 10:
        case 13:
        case '"':
        case '&':
        case '<':
        case '>':
            out += QStringLiteral("&#%1;").arg(ch.unicode());
            break;
        default:
            out += ch;
        }
    }
    return out;
}

}  // namespace zor
