#include "TfsValue.h"

#include "TfsRuntimeError.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <cmath>
#include <limits>

struct TfsValue::Box
{
    int refs = 1;
    QString text;
    int low = 0;
    std::vector<TfsValue> items;
};

namespace {

[[noreturn]] void conversionError(TfsValue::Kind from, const QString &to)
{
    throw TfsRuntimeError(QStringLiteral("Could not convert variant of type (%1) into type (%2)")
                              .arg(TfsValue::KindName(from), to),
                          QStringLiteral("EVariantTypeCastError"));
}

[[noreturn]] void overflow()
{
    throw TfsRuntimeError(QStringLiteral("Integer overflow"), QStringLiteral("EIntOverflow"));
}

[[noreturn]] void divisionByZero()
{
    throw TfsRuntimeError(QStringLiteral("Division by zero"), QStringLiteral("EDivByZero"));
}

// "/" divides reals; the report's IgnoreDevByZero option recognises this text.
[[noreturn]] void floatDivisionByZero()
{
    throw TfsRuntimeError(QStringLiteral("Floating point division by zero"), QStringLiteral("EZeroDivide"));
}

constexpr int64_t kCurrencyScale = 10000;

// A number read from text: an integer when the whole text is one, else a real with either '.' or the
// locale's decimal separator. Returns false when the text is not a number.
bool parseNumber(const QString &text, TfsValue &out)
{
    const QString s = text.trimmed();
    bool ok = false;
    const qlonglong i = s.startsWith(u'$') ? s.mid(1).toLongLong(&ok, 16) : s.toLongLong(&ok);
    if (ok) {
        out = TfsValue::FromInt64(i);
        return true;
    }
    double d = s.toDouble(&ok);
    if (!ok)
        d = QLocale().toDouble(s, &ok);
    if (ok)
        out = TfsValue(d);
    return ok;
}

// The operand of arithmetic in numeric form: Int, Int64, Double, Currency, DateTime or Null.
TfsValue numeric(const TfsValue &v)
{
    switch (v.kind()) {
    case TfsValue::Empty:
        return TfsValue(0);
    case TfsValue::Bool:
        return TfsValue(v.ToBool() ? -1 : 0);
    case TfsValue::String: {
        TfsValue n;
        if (!parseNumber(v.ToString(), n))
            conversionError(TfsValue::String, QStringLiteral("Double"));
        return n;
    }
    case TfsValue::Array:
    case TfsValue::Object:
        conversionError(v.kind(), QStringLiteral("Double"));
    default:
        return v;
    }
}

// The kind two numeric operands combine into.
TfsValue::Kind combined(TfsValue::Kind a, TfsValue::Kind b)
{
    if (a == TfsValue::Double || b == TfsValue::Double)
        return TfsValue::Double;
    if (a == TfsValue::DateTime || b == TfsValue::DateTime)
        return TfsValue::DateTime;
    if (a == TfsValue::Currency || b == TfsValue::Currency)
        return TfsValue::Currency;
    if (a == TfsValue::Int64 || b == TfsValue::Int64)
        return TfsValue::Int64;
    return TfsValue::Int;
}

enum class Arith { Add, Sub, Mul };

int64_t checkedInt(Arith op, int64_t x, int64_t y)
{
    int64_t r = 0;
    const bool bad = op == Arith::Add   ? __builtin_add_overflow(x, y, &r)
                     : op == Arith::Sub ? __builtin_sub_overflow(x, y, &r)
                                        : __builtin_mul_overflow(x, y, &r);
    if (bad)
        overflow();
    return r;
}

double realOp(Arith op, double x, double y)
{
    return op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y;
}

TfsValue arith(Arith op, const TfsValue &a0, const TfsValue &b0)
{
    if (a0.IsNull() || b0.IsNull())
        return TfsValue::MakeNull();
    const TfsValue a = numeric(a0), b = numeric(b0);
    switch (combined(a.kind(), b.kind())) {
    case TfsValue::Int:
        // Two 32-bit operands never overflow 64 bits; the result takes the smallest form.
        return TfsValue::FromInt64(checkedInt(op, a.RawInt(), b.RawInt()));
    case TfsValue::Int64:
        return TfsValue(checkedInt(op, a.ToInt64(), b.ToInt64()));
    case TfsValue::Currency:
        if (op != Arith::Mul && a.kind() == TfsValue::Currency && b.kind() == TfsValue::Currency) {
            return TfsValue::MakeCurrency(double(checkedInt(op, a.RawInt64(), b.RawInt64())) /
                                          kCurrencyScale);
        }
        return TfsValue::MakeCurrency(realOp(op, a.ToDouble(), b.ToDouble()));
    case TfsValue::DateTime:
        // The distance between two moments is a number of days, not a moment.
        if (op == Arith::Sub && a.kind() == TfsValue::DateTime && b.kind() == TfsValue::DateTime)
            return TfsValue(a.RawDouble() - b.RawDouble());
        return TfsValue::MakeDateTime(realOp(op, a.ToDouble(), b.ToDouble()));
    default:
        return TfsValue(realOp(op, a.ToDouble(), b.ToDouble()));
    }
}

// Integer operands of div, mod and the bitwise operators: 32-bit stays 32-bit.
bool bothInt32(const TfsValue &a, const TfsValue &b)
{
    return a.kind() == TfsValue::Int && b.kind() == TfsValue::Int;
}

enum class Bits { And, Or, Xor };

TfsValue bitwise(Bits op, const TfsValue &a, const TfsValue &b)
{
    if (a.IsNull() || b.IsNull())
        return TfsValue::MakeNull();
    if (a.kind() == TfsValue::Bool && b.kind() == TfsValue::Bool) {
        const bool x = a.ToBool(), y = b.ToBool();
        return TfsValue(op == Bits::And ? (x && y) : op == Bits::Or ? (x || y) : (x != y));
    }
    const TfsValue na = numeric(a), nb = numeric(b);
    const int64_t x = na.ToInt64(), y = nb.ToInt64();
    const int64_t r = op == Bits::And ? (x & y) : op == Bits::Or ? (x | y) : (x ^ y);
    return bothInt32(na, nb) ? TfsValue(int(r)) : TfsValue(r);
}

QDateTime dateTimeOf(double days)
{
    const double whole = std::trunc(days); // the fraction of a negative day count is still the time
    const double fraction = std::fabs(days - whole);
    const QDate date = QDate(1899, 12, 30).addDays(qint64(whole));
    return QDateTime(date, QTime(0, 0).addMSecs(int(std::llround(fraction * 86400000.0))));
}

int sign(double x)
{
    return x < 0 ? -1 : x > 0 ? 1 : 0;
}

} // namespace

void TfsValue::CheckStringLength(int64_t length)
{
    if (length > sMaxStringLength)
        throw TfsRuntimeError::OutOfMemory();
}

void TfsValue::CheckArrayLength(int64_t length)
{
    if (length > sMaxArrayLength)
        throw TfsRuntimeError::OutOfMemory();
}

TfsValue::TfsValue(const QString &s) : FKind(String)
{
    // Functions that build a text (StringReplace, the lines of a list) are refused here, afterwards.
    CheckStringLength(s.size());
    FPayload.box = new Box;
    FPayload.box->text = s;
}

void TfsValue::AddRef() const noexcept
{
    ++FPayload.box->refs;
}

void TfsValue::ReleaseBox() noexcept
{
    if (--FPayload.box->refs == 0)
        delete FPayload.box;
}

TfsValue TfsValue::MakeCurrency(double v)
{
    const double scaled = std::nearbyint(v * kCurrencyScale);
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18)
        overflow();
    TfsValue r;
    r.FKind = Currency;
    r.FPayload.i64 = int64_t(scaled);
    return r;
}

TfsValue TfsValue::MakeDateTime(double days) noexcept
{
    TfsValue r(days);
    r.FKind = DateTime;
    return r;
}

TfsValue TfsValue::MakeObject(int64_t handle) noexcept
{
    TfsValue r(handle);
    r.FKind = Object;
    return r;
}

TfsValue TfsValue::MakeArray(int low, int high)
{
    if (high < low - 1)
        throw TfsRuntimeError(QStringLiteral("Invalid array bounds"));
    CheckArrayLength(int64_t(high) - low + 1);
    TfsValue r;
    r.FKind = Array;
    r.FPayload.box = new Box;
    r.FPayload.box->low = low;
    r.FPayload.box->items.resize(size_t(int64_t(high) - low + 1), MakeNull());
    return r;
}

QString TfsValue::KindName(Kind kind)
{
    static const char *const names[] = {"Empty",    "Null",    "Integer", "Int64", "Double", "Currency",
                                        "DateTime", "Boolean", "String",  "Array", "Object"};
    return QString::fromLatin1(names[kind]);
}

int64_t TfsValue::ToInt64Slow() const
{
    switch (FKind) {
    case Empty:
        return 0;
    case Int:
        return FPayload.i32;
    case Int64:
    case Object:
        return FPayload.i64;
    case Bool:
        return FPayload.b ? -1 : 0;
    case Currency:
        return int64_t(std::nearbyint(double(FPayload.i64) / kCurrencyScale));
    case Double:
    case DateTime: {
        // Halves go to the even neighbour (the default rounding mode of nearbyint).
        const double r = std::nearbyint(FPayload.d);
        if (!std::isfinite(r) || r < -9223372036854775808.0 || r >= 9223372036854775808.0)
            throw TfsRuntimeError(QStringLiteral("Invalid floating point operation"),
                                  QStringLiteral("EInvalidOp"));
        return int64_t(r);
    }
    case String: {
        TfsValue n;
        if (!parseNumber(FPayload.box->text, n))
            conversionError(String, QStringLiteral("Integer"));
        return n.ToInt64();
    }
    default:
        conversionError(FKind, QStringLiteral("Integer"));
    }
}

int TfsValue::ToInt() const
{
    if (FKind == Int)
        return FPayload.i32;
    const int64_t v = ToInt64();
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        overflow();
    return int(v);
}

double TfsValue::ToDoubleSlow() const
{
    switch (FKind) {
    case Empty:
        return 0;
    case Int:
        return FPayload.i32;
    case Int64:
        return double(FPayload.i64);
    case Double:
    case DateTime:
        return FPayload.d;
    case Currency:
        return double(FPayload.i64) / kCurrencyScale;
    case Bool:
        return FPayload.b ? -1 : 0;
    case String: {
        TfsValue n;
        if (!parseNumber(FPayload.box->text, n))
            conversionError(String, QStringLiteral("Double"));
        return n.ToDouble();
    }
    default:
        conversionError(FKind, QStringLiteral("Double"));
    }
}

bool TfsValue::ToBoolSlow() const
{
    switch (FKind) {
    case Empty:
        return false;
    case Bool:
        return FPayload.b;
    case Int:
        return FPayload.i32 != 0;
    case Int64:
    case Currency:
        return FPayload.i64 != 0;
    case Double:
    case DateTime:
        return FPayload.d != 0;
    case String: {
        const QString &s = FPayload.box->text;
        if (s.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare(u"false", Qt::CaseInsensitive) == 0)
            return false;
        TfsValue n;
        if (!parseNumber(s, n))
            conversionError(String, QStringLiteral("Boolean"));
        return n.ToBool();
    }
    default:
        conversionError(FKind, QStringLiteral("Boolean"));
    }
}

QString TfsValue::ToString() const
{
    switch (FKind) {
    case Empty:
    case Null:
        return {};
    case Int:
        return QString::number(FPayload.i32);
    case Int64:
        return QString::number(FPayload.i64);
    case Bool:
        return FPayload.b ? QStringLiteral("True") : QStringLiteral("False");
    case String:
        return FPayload.box->text;
    case Double:
    case Currency: {
        QString s = QString::number(ToDouble(), 'g', 15).toUpper();
        return s.replace(u'.', QLocale().decimalPoint());
    }
    case DateTime: {
        const QDateTime dt = dateTimeOf(FPayload.d);
        const QString date = QLocale().toString(dt.date(), QLocale::ShortFormat);
        if (dt.time() == QTime(0, 0))
            return date;
        return date + u' ' + dt.time().toString(QStringLiteral("hh:mm:ss"));
    }
    default:
        conversionError(FKind, QStringLiteral("String"));
    }
}

int TfsValue::ArrayLow() const
{
    if (FKind != Array)
        throw TfsRuntimeError(QStringLiteral("Array type required"));
    return FPayload.box->low;
}

int TfsValue::ArrayHigh() const
{
    return ArrayLow() + int(FPayload.box->items.size()) - 1;
}

const TfsValue &TfsValue::ArrayAt(int index) const
{
    const int64_t i = int64_t(index) - ArrayLow();
    if (i < 0 || i >= int64_t(FPayload.box->items.size()))
        throw TfsRuntimeError(QStringLiteral("Index out of range: %1").arg(index),
                              QStringLiteral("ERangeError"));
    return FPayload.box->items[size_t(i)];
}

TfsValue::Box *TfsValue::Unshare()
{
    if (FPayload.box->refs > 1) {
        Box *copy = new Box(*FPayload.box);
        copy->refs = 1;
        --FPayload.box->refs;
        FPayload.box = copy;
    }
    return FPayload.box;
}

TfsValue &TfsValue::ArrayRef(int index)
{
    ArrayAt(index); // bounds check
    return Unshare()->items[size_t(int64_t(index) - FPayload.box->low)];
}

void TfsValue::ArrayAppend(const TfsValue &v)
{
    CheckArrayLength(int64_t(ArrayHigh()) - ArrayLow() + 2);
    Unshare()->items.push_back(v);
}

void TfsValue::AppendText(const QString &text)
{
    CheckStringLength(int64_t(FPayload.box->text.size()) + text.size());
    Unshare()->text += text;
}

namespace {

TfsValue joined(const QString &a, const QString &b)
{
    TfsValue::CheckStringLength(int64_t(a.size()) + b.size());
    return TfsValue(a + b);
}

} // namespace

TfsValue operator+(const TfsValue &a, const TfsValue &b)
{
    if (a.kind() == TfsValue::String && b.kind() == TfsValue::String)
        return joined(a.ToString(), b.ToString());
    return arith(Arith::Add, a, b);
}

TfsValue operator-(const TfsValue &a, const TfsValue &b)
{
    return arith(Arith::Sub, a, b);
}

TfsValue operator*(const TfsValue &a, const TfsValue &b)
{
    return arith(Arith::Mul, a, b);
}

TfsValue TfsValue::StrCat(const TfsValue &a, const TfsValue &b)
{
    if (a.kind() == String)
        return joined(a.ToString(), b.ToString());
    return a + b;
}

TfsValue TfsValue::DivFloat(const TfsValue &a, const TfsValue &b)
{
    if (a.IsNull() || b.IsNull())
        return MakeNull();
    const double y = numeric(b).ToDouble();
    if (y == 0)
        floatDivisionByZero();
    return TfsValue(numeric(a).ToDouble() / y);
}

TfsValue TfsValue::DivInt(const TfsValue &a, const TfsValue &b)
{
    if (a.IsNull() || b.IsNull())
        return MakeNull();
    const TfsValue na = numeric(a), nb = numeric(b);
    const int64_t x = na.ToInt64(), y = nb.ToInt64();
    if (y == 0)
        divisionByZero();
    if (y == -1)
        return bothInt32(na, nb) ? FromInt64(-x) : TfsValue(checkedInt(Arith::Sub, 0, x));
    return bothInt32(na, nb) ? TfsValue(int(x / y)) : TfsValue(x / y);
}

TfsValue TfsValue::Mod(const TfsValue &a, const TfsValue &b)
{
    if (a.IsNull() || b.IsNull())
        return MakeNull();
    const TfsValue na = numeric(a), nb = numeric(b);
    const int64_t x = na.ToInt64(), y = nb.ToInt64();
    if (y == 0)
        divisionByZero();
    const int64_t r = y == -1 ? 0 : x % y;
    return bothInt32(na, nb) ? TfsValue(int(r)) : TfsValue(r);
}

TfsValue TfsValue::And(const TfsValue &a, const TfsValue &b)
{
    return bitwise(Bits::And, a, b);
}

TfsValue TfsValue::Or(const TfsValue &a, const TfsValue &b)
{
    return bitwise(Bits::Or, a, b);
}

TfsValue TfsValue::Xor(const TfsValue &a, const TfsValue &b)
{
    return bitwise(Bits::Xor, a, b);
}

// Shift counts are taken modulo the width of the left operand.
TfsValue TfsValue::Shl(const TfsValue &a, const TfsValue &b)
{
    if (a.IsNull() || b.IsNull())
        return MakeNull();
    const TfsValue na = numeric(a);
    const int64_t n = numeric(b).ToInt64();
    if (na.kind() == Int)
        return TfsValue(int(uint32_t(na.RawInt()) << (n & 31)));
    return TfsValue(int64_t(uint64_t(na.ToInt64()) << (n & 63)));
}

TfsValue TfsValue::Shr(const TfsValue &a, const TfsValue &b)
{
    if (a.IsNull() || b.IsNull())
        return MakeNull();
    const TfsValue na = numeric(a);
    const int64_t n = numeric(b).ToInt64();
    if (na.kind() == Int)
        return TfsValue(int(uint32_t(na.RawInt()) >> (n & 31)));
    return TfsValue(int64_t(uint64_t(na.ToInt64()) >> (n & 63)));
}

TfsValue TfsValue::Not(const TfsValue &a)
{
    if (a.IsNull())
        return MakeNull();
    if (a.kind() == Bool)
        return TfsValue(!a.ToBool());
    const TfsValue n = numeric(a);
    return n.kind() == Int ? TfsValue(~n.RawInt()) : TfsValue(~n.ToInt64());
}

TfsValue TfsValue::Neg(const TfsValue &a)
{
    if (a.IsNull())
        return MakeNull();
    return TfsValue(0) - a;
}

bool TfsValue::Equal(const TfsValue &a, const TfsValue &b)
{
    if (a.IsNull() || b.IsNull())
        return a.IsNull() && b.IsNull();
    return Compare(a, b) == 0;
}

int TfsValue::Compare(const TfsValue &a, const TfsValue &b)
{
    if (a.IsNull() || b.IsNull())
        return int(!a.IsNull()) - int(!b.IsNull());
    const bool aText = a.kind() == String || (a.kind() == Empty && b.kind() == String);
    const bool bText = b.kind() == String || (b.kind() == Empty && a.kind() == String);
    if (aText && bText)
        return sign(a.ToString().compare(b.ToString()));
    if (a.kind() == Object || b.kind() == Object || a.kind() == Array || b.kind() == Array) {
        if (a.kind() == Array && b.kind() == Array && a.box() == b.box())
            return 0;
        if (a.kind() == Array || b.kind() == Array)
            conversionError(Array, KindName(a.kind() == Array ? b.kind() : a.kind()));
        const int64_t x = a.ToInt64(), y = b.ToInt64();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    if (a.kind() == Bool && b.kind() == Bool)
        return int(a.ToBool()) - int(b.ToBool());
    const TfsValue na = numeric(a), nb = numeric(b);
    if (na.IsIntegral() && nb.IsIntegral()) {
        const int64_t x = na.ToInt64(), y = nb.ToInt64();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    return sign(na.ToDouble() - nb.ToDouble());
}
