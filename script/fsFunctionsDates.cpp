// Dates and times: encoding, decoding, today and the calendar.
#include "TfsRuntimeError.h"
#include "fsFunctions_p.h"

#include <QLocale>

#include <cmath>

namespace {

const QDate kDayZero(1899, 12, 30);
// Day counts of 0001-01-01 and 9999-12-31.
const double kFirstDay = -693593;
const double kLastDay = 2958465;

[[noreturn]] void invalid(const QString &message)
{
    throw TfsRuntimeError(message, QStringLiteral("EConvertError"));
}

bool isLeap(int64_t y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int64_t year, int64_t month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12)
        invalid(QStringLiteral("Invalid argument to date encode"));
    return days[month - 1] + (month == 2 && isLeap(year) ? 1 : 0);
}

TfsValue encodeDate(std::span<TfsValue> a)
{
    const int64_t y = a[0].ToInt64(), m = a[1].ToInt64(), d = a[2].ToInt64();
    if (d < 1 || d > daysInMonth(y, m))
        invalid(QStringLiteral("Invalid argument to date encode"));
    return TfsValue::MakeDateTime(fsDaysOf(QDate(int(y), int(m), int(d))));
}

TfsValue decodeDate(std::span<TfsValue> a)
{
    const QDate d = fsDateTimeOf(a[0].ToDouble()).date();
    a[1] = TfsValue(d.year());
    a[2] = TfsValue(d.month());
    a[3] = TfsValue(d.day());
    return TfsValue::MakeNull();
}

TfsValue encodeTime(std::span<TfsValue> a)
{
    const int64_t h = a[0].ToInt64(), n = a[1].ToInt64(), s = a[2].ToInt64(), ms = a[3].ToInt64();
    if (h < 0 || h > 23 || n < 0 || n > 59 || s < 0 || s > 59 || ms < 0 || ms > 999)
        invalid(QStringLiteral("Invalid argument to time encode"));
    return TfsValue::MakeDateTime(double(((h * 60 + n) * 60 + s) * 1000 + ms) / 86400000.0);
}

TfsValue decodeTime(std::span<TfsValue> a)
{
    const QTime t = fsDateTimeOf(a[0].ToDouble()).time();
    a[1] = TfsValue(t.hour());
    a[2] = TfsValue(t.minute());
    a[3] = TfsValue(t.second());
    a[4] = TfsValue(t.msec());
    return TfsValue::MakeNull();
}

TfsValue now(std::span<TfsValue>)
{
    const QDateTime n = QDateTime::currentDateTime();
    return TfsValue::MakeDateTime(fsDaysOf(n.date(), n.time()));
}

// 1 for Sunday; day 0 (1899-12-30) was a Saturday. Floor arithmetic keeps days before day 0 right.
TfsValue dayOfWeek(std::span<TfsValue> a)
{
    fsDateTimeOf(a[0].ToDouble());
    const auto day = int64_t(std::floor(a[0].ToDouble()));
    return TfsValue(int((((day - 1) % 7) + 7) % 7 + 1));
}

constexpr TfsFunctionEntry kFunctions[] = {
    {u"function EncodeDate(Year, Month, Day: Word): TDateTime", u"ctDate", encodeDate},
    {u"procedure DecodeDate(Date: TDateTime; var Year, Month, Day: Word)", u"ctDate", decodeDate},
    {u"function EncodeTime(Hour, Min, Sec, MSec: Word): TDateTime", u"ctDate", encodeTime},
    {u"procedure DecodeTime(Time: TDateTime; var Hour, Min, Sec, MSec: Word)", u"ctDate", decodeTime},
    {u"function Date: TDateTime", u"ctDate",
     [](std::span<TfsValue>) { return TfsValue::MakeDateTime(fsDaysOf(QDate::currentDate())); }},
    {u"function Time: TDateTime", u"ctDate",
     [](std::span<TfsValue>) {
         return TfsValue::MakeDateTime(QTime::currentTime().msecsSinceStartOfDay() / 86400000.0);
     }},
    {u"function Now: TDateTime", u"ctDate", now},
    {u"function DayOfWeek(aDate: TDateTime): Integer", u"ctDate", dayOfWeek},
    {u"function IsLeapYear(Year: Word): Boolean", u"ctDate",
     [](std::span<TfsValue> a) { return TfsValue(isLeap(a[0].ToInt64())); }},
    {u"function DaysInMonth(nYear, nMonth: Integer): Integer", u"ctDate",
     [](std::span<TfsValue> a) { return TfsValue(daysInMonth(a[0].ToInt64(), a[1].ToInt64())); }},
    {u"function DayOf(Date: TDateTime): Integer", u"ctDate",
     [](std::span<TfsValue> a) { return TfsValue(fsDateTimeOf(a[0].ToDouble()).date().day()); }},
    {u"function MonthOf(Date: TDateTime): Integer", u"ctDate",
     [](std::span<TfsValue> a) { return TfsValue(fsDateTimeOf(a[0].ToDouble()).date().month()); }},
    {u"function YearOf(Date: TDateTime): Integer", u"ctDate",
     [](std::span<TfsValue> a) { return TfsValue(fsDateTimeOf(a[0].ToDouble()).date().year()); }},
};

} // namespace

QDateTime fsDateTimeOf(double days)
{
    if (!std::isfinite(days) || days < kFirstDay || days >= kLastDay + 1)
        invalid(QStringLiteral("Invalid date-time value"));
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    const auto ms = int(std::min<int64_t>(std::llround(fraction * 86400000.0), 86399999));
    return QDateTime(kDayZero.addDays(qint64(whole)), QTime::fromMSecsSinceStartOfDay(ms));
}

double fsDaysOf(const QDate &date, const QTime &time)
{
    const double days = double(kDayZero.daysTo(date));
    const double fraction = time.msecsSinceStartOfDay() / 86400000.0;
    return days >= 0 ? days + fraction : days - fraction;
}

QString fsLongTimeFormat()
{
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    // Outside quotes, drop the time-zone field and the blanks around it.
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out.trimmed();
}

std::span<const TfsFunctionEntry> fsDateFunctions()
{
    return kFunctions;
}
