#include "TfsVariant.h"

#include <QDateTime>

#include <cmath>

namespace {

const QDate DayZero(1899, 12, 30);

// The date-time value counts days from 1899-12-30; the fraction is the time of day, taken by its
// absolute value for days before day zero.
QDateTime daysToDateTime(double days)
{
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    const auto ms = static_cast<int>(std::llround(fraction * 86400000.0));
    return QDateTime(DayZero.addDays(static_cast<qint64>(whole)), QTime::fromMSecsSinceStartOfDay(std::min(ms, 86399999)));
}

double dateTimeToDays(const QDateTime &dt)
{
    const qint64 days = DayZero.daysTo(dt.date());
    const double fraction = dt.time().msecsSinceStartOfDay() / 86400000.0;
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

}  // namespace

QVariant fsValueToVariant(const TfsValue &value)
{
    switch (value.kind()) {
    case TfsValue::Empty:
    case TfsValue::Null:
        return {};
    case TfsValue::Int:
        return value.RawInt();
    case TfsValue::Int64:
    case TfsValue::Object:
        return QVariant::fromValue<qlonglong>(value.RawInt64());
    case TfsValue::Double:
    case TfsValue::Currency:
        return value.ToDouble();
    case TfsValue::DateTime:
        return daysToDateTime(value.RawDouble());
    case TfsValue::Bool:
        return value.ToBool();
    case TfsValue::String:
        return value.ToString();
    case TfsValue::Array: {
        QVariantList list;
        for (int i = value.ArrayLow(); i <= value.ArrayHigh(); ++i)
            list.append(fsValueToVariant(value.ArrayAt(i)));
        return list;
    }
    }
    return {};
}

TfsValue fsVariantToValue(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return TfsValue::MakeNull();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return TfsValue(value.toBool());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
        return TfsValue(value.toInt());
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return TfsValue::FromInt64(value.toLongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return TfsValue(value.toDouble());
    case QMetaType::QDate:
        return TfsValue::MakeDateTime(dateTimeToDays(value.toDate().startOfDay()));
    case QMetaType::QDateTime:
        return TfsValue::MakeDateTime(dateTimeToDays(value.toDateTime()));
    case QMetaType::QTime:
        return TfsValue::MakeDateTime(value.toTime().msecsSinceStartOfDay() / 86400000.0);
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        const QVariantList list = value.toList();
        TfsValue array = TfsValue::MakeArray(0, static_cast<int>(list.size()) - 1);
        for (int i = 0; i < list.size(); ++i)
            array.ArrayRef(i) = fsVariantToValue(list[i]);
        return array;
    }
    default:
        return TfsValue(value.toString());
    }
}
