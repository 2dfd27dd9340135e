// The script value: its size, arithmetic with the kinds it promotes to, comparison, conversions and
// the errors of integer corners.
#include "TfsRuntimeError.h"
#include "TfsValue.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

using Op = std::function<TfsValue(const TfsValue &, const TfsValue &)>;

struct ArithCase
{
    const char *name;
    TfsValue a, b;
    Op op;
    TfsValue::Kind kind;
    const char *text; // ToString of the result
};

const Op kAdd = [](const TfsValue &a, const TfsValue &b) { return a + b; };
const Op kSub = [](const TfsValue &a, const TfsValue &b) { return a - b; };
const Op kMul = [](const TfsValue &a, const TfsValue &b) { return a * b; };

TEST(TfsValue, ArithmeticTable)
{
    const int maxInt = std::numeric_limits<int>::max();
    const ArithCase cases[] = {
        {"int+int", 2, 3, kAdd, TfsValue::Int, "5"},
        {"int overflow into 64 bits", maxInt, 1, kAdd, TfsValue::Int64, "2147483648"},
        {"int product into 64 bits", 100000, 100000, kMul, TfsValue::Int64, "10000000000"},
        {"int64 shrinks never", int64_t(5), 1, kAdd, TfsValue::Int64, "6"},
        {"int+double", 1, 0.5, kAdd, TfsValue::Double, "1.5"},
        {"string+string", TfsValue(u"ab"), TfsValue(u"cd"), kAdd, TfsValue::String, "abcd"},
        {"numeric string+int", TfsValue(u"40"), 2, kAdd, TfsValue::Int, "42"},
        {"null propagates", TfsValue::MakeNull(), 2, kAdd, TfsValue::Null, ""},
        {"empty is zero", TfsValue(), 7, kSub, TfsValue::Int, "-7"},
        {"currency+int", TfsValue::MakeCurrency(1.25), 2, kAdd, TfsValue::Currency, "3.25"},
        {"currency*currency", TfsValue::MakeCurrency(1.5), TfsValue::MakeCurrency(2), kMul,
         TfsValue::Currency, "3"},
        {"date+days", TfsValue::MakeDateTime(1), 1, kAdd, TfsValue::DateTime, "01.01.1900"},
        {"date-date is days", TfsValue::MakeDateTime(10), TfsValue::MakeDateTime(4), kSub, TfsValue::Double,
         "6"},
        {"div", 7, 2, TfsValue::DivInt, TfsValue::Int, "3"},
        {"float division", 7, 2, TfsValue::DivFloat, TfsValue::Double, "3.5"},
        {"mod", -7, 3, TfsValue::Mod, TfsValue::Int, "-1"},
        {"mod -1 is 0", std::numeric_limits<int>::min(), -1, TfsValue::Mod, TfsValue::Int, "0"},
        {"min div -1 widens", std::numeric_limits<int>::min(), -1, TfsValue::DivInt, TfsValue::Int64,
         "2147483648"},
        {"and of booleans", true, false, TfsValue::And, TfsValue::Bool, "False"},
        {"or of integers", 12, 3, TfsValue::Or, TfsValue::Int, "15"},
        {"xor of booleans", true, false, TfsValue::Xor, TfsValue::Bool, "True"},
        {"shift count masked", 1, 33, TfsValue::Shl, TfsValue::Int, "2"},
        {"64-bit shift", int64_t(1), 40, TfsValue::Shl, TfsValue::Int64, "1099511627776"},
        {"shr is logical", -1, 28, TfsValue::Shr, TfsValue::Int, "15"},
        {"strcat converts", TfsValue(u"n="), 5, TfsValue::StrCat, TfsValue::String, "n=5"},
    };
    for (const ArithCase &c : cases) {
        SCOPED_TRACE(c.name);
        const TfsValue r = c.op(c.a, c.b);
        EXPECT_EQ(r.kind(), c.kind);
        if (r.kind() == TfsValue::DateTime)
            EXPECT_DOUBLE_EQ(r.RawDouble(), 2.0);
        else
            EXPECT_EQ(r.ToString().toStdString(), c.text);
    }
}

TEST(TfsValue, ErrorsOfIntegerCornersAndConversions)
{
    const int64_t max64 = std::numeric_limits<int64_t>::max();
    const struct
    {
        const char *name;
        std::function<TfsValue()> run;
        const char *message;
    } cases[] = {
        {"64-bit overflow", [&] { return TfsValue(max64) + 1; }, "Integer overflow"},
        {"64-bit negation", [&] { return TfsValue::Neg(TfsValue(std::numeric_limits<int64_t>::min())); },
         "Integer overflow"},
        {"div by zero", [] { return TfsValue::DivInt(1, 0); }, "Division by zero"},
        {"mod by zero", [] { return TfsValue::Mod(1, 0); }, "Division by zero"},
        {"float by zero", [] { return TfsValue::DivFloat(1, 0.0); }, "Floating point division by zero"},
        {"text in arithmetic", [] { return TfsValue(u"abc") * 2; },
         "Could not convert variant of type (String) into type (Double)"},
        {"null to integer", [] { return TfsValue(TfsValue::MakeNull().ToInt()); },
         "Could not convert variant of type (Null) into type (Integer)"},
        {"NaN to integer", [] { return TfsValue(TfsValue(std::nan("")).ToInt()); },
         "Invalid floating point operation"},
        {"too big for 32 bits", [] { return TfsValue(TfsValue(3e9).ToInt()); }, "Integer overflow"},
        {"index out of range", [] { return TfsValue::MakeArray(0, 2).ArrayAt(3); }, "Index out of range: 3"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.run();
            ADD_FAILURE() << "no error";
        } catch (const TfsRuntimeError &e) {
            EXPECT_EQ(e.Message().toStdString(), c.message);
        }
    }
}

TEST(TfsValue, ComparisonTable)
{
    const TfsValue null = TfsValue::MakeNull();
    const struct
    {
        TfsValue a, b;
        int compare;
        bool equal;
    } cases[] = {
        {1, 2, -1, false},
        {2, 1.5, 1, false},
        {int64_t(1) << 40, 1, 1, false},
        {TfsValue(u"abc"), TfsValue(u"abd"), -1, false},
        {TfsValue(u"abc"), TfsValue(u"ABC"), 1, false}, // text compares case-sensitively
        {TfsValue(u"10"), 9, 1, false},                 // a numeric string compares as its number
        {null, null, 0, true},
        {null, 0, -1, false}, // null lies below everything and equals only null
        {TfsValue(), 0, 0, true},
        {TfsValue(), TfsValue(u""), 0, true},
        {true, false, 1, false},
        {TfsValue::MakeCurrency(2), 2, 0, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.a.ToString().toStdString() + " vs " + c.b.ToString().toStdString());
        EXPECT_EQ(TfsValue::Compare(c.a, c.b), c.compare);
        EXPECT_EQ(TfsValue::Equal(c.a, c.b), c.equal);
    }
}

TEST(TfsValue, ConversionsRoundHalvesToEven)
{
    EXPECT_EQ(TfsValue(2.5).ToInt(), 2);
    EXPECT_EQ(TfsValue(3.5).ToInt(), 4);
    EXPECT_EQ(TfsValue(-2.5).ToInt(), -2);
    EXPECT_EQ(TfsValue(u" 12 ").ToInt(), 12);
    EXPECT_EQ(TfsValue(u"$FF").ToInt(), 255);
    EXPECT_TRUE(TfsValue(u"TRUE").ToBool());
    EXPECT_FALSE(TfsValue(0.0).ToBool());
    EXPECT_EQ(TfsValue(true).ToInt(), -1);
    EXPECT_EQ(TfsValue(1e20).ToString(), QStringLiteral("1E+20"));
}

// Text forms follow the user's locale.
TEST(TfsValue, TextUnderRussianLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(TfsValue::MakeDateTime(2.75).ToString(), QStringLiteral("01.01.1900 18:00:00"));
    EXPECT_EQ(TfsValue::MakeDateTime(-0.25).ToString(), QStringLiteral("30.12.1899 06:00:00"));
    EXPECT_EQ(TfsValue(1.5).ToString(), QStringLiteral("1,5"));
    EXPECT_EQ(TfsValue(u"2,5").ToDouble(), 2.5);
    QLocale::setDefault(saved);
}

TEST(TfsValue, ArraysAreValuesAndStringsShareText)
{
    EXPECT_EQ(sizeof(TfsValue), 16u);
    TfsValue a = TfsValue::MakeArray(1, 3);
    a.ArrayRef(1) = 10;
    TfsValue b = a; // shares until written
    b.ArrayRef(1) = 20;
    EXPECT_EQ(a.ArrayAt(1).ToInt(), 10);
    EXPECT_EQ(b.ArrayAt(1).ToInt(), 20);
    EXPECT_EQ(a.ArrayHigh(), 3);
    EXPECT_TRUE(a.ArrayAt(2).IsNull());

    TfsValue s(QStringLiteral("text"));
    TfsValue t = s;
    s = TfsValue(1);
    EXPECT_EQ(t.ToString(), QStringLiteral("text"));
    t = std::move(t);
    EXPECT_EQ(t.ToString(), QStringLiteral("text"));
}

} // namespace
