// Mathematics; angles in radians.
#include "TfsRuntimeError.h"
#include "fsFunctions_p.h"

#include <cmath>

namespace {

[[noreturn]] void invalidOp()
{
    throw TfsRuntimeError(QStringLiteral("Invalid floating point operation"), QStringLiteral("EInvalidOp"));
}

double finite(double v)
{
    if (!std::isfinite(v))
        invalidOp();
    return v;
}

// Rounding and truncation give the smallest integer kind that holds the result.
TfsValue toInteger(double v)
{
    if (!std::isfinite(v) || v < -9223372036854775808.0 || v >= 9223372036854775808.0)
        invalidOp();
    return TfsValue::FromInt64(int64_t(v));
}

template <double (*F)(double)> TfsValue real(std::span<TfsValue> a)
{
    return TfsValue(F(a[0].ToDouble()));
}

constexpr TfsFunctionEntry kFunctions[] = {
    // Halves go to the even neighbour (the default rounding mode of nearbyint).
    {u"function Round(e: Extended): Integer", u"ctMath",
     [](std::span<TfsValue> a) { return toInteger(std::nearbyint(a[0].ToDouble())); }},
    {u"function Trunc(e: Extended): Integer", u"ctMath",
     [](std::span<TfsValue> a) { return toInteger(std::trunc(a[0].ToDouble())); }},
    {u"function Int(e: Extended): Integer", u"ctMath",
     [](std::span<TfsValue> a) { return TfsValue(std::trunc(finite(a[0].ToDouble()))); }},
    {u"function Frac(X: Extended): Extended", u"ctMath",
     [](std::span<TfsValue> a) {
         const double v = finite(a[0].ToDouble());
         return TfsValue(v - std::trunc(v));
     }},
    {u"function Sqrt(e: Extended): Extended", u"ctMath",
     [](std::span<TfsValue> a) {
         const double v = a[0].ToDouble();
         if (v < 0)
             invalidOp();
         return TfsValue(std::sqrt(v));
     }},
    {u"function Abs(e: Extended): Extended", u"ctMath",
     [](std::span<TfsValue> a) {
         // An integer stays an integer; the smallest 64-bit one has no positive counterpart.
         if (a[0].IsIntegral()) {
             const int64_t v = a[0].ToInt64();
             if (v == INT64_MIN)
                 throw TfsRuntimeError(QStringLiteral("Integer overflow"), QStringLiteral("EIntOverflow"));
             return TfsValue::FromInt64(v < 0 ? -v : v);
         }
         return TfsValue(std::fabs(a[0].ToDouble()));
     }},
    {u"function Sin(e: Extended): Extended", u"ctMath", real<std::sin>},
    {u"function Cos(e: Extended): Extended", u"ctMath", real<std::cos>},
    {u"function ArcTan(X: Extended): Extended", u"ctMath", real<std::atan>},
    {u"function Exp(X: Extended): Extended", u"ctMath", real<std::exp>},
    {u"function Ln(X: Extended): Extended", u"ctMath",
     [](std::span<TfsValue> a) {
         const double v = a[0].ToDouble();
         if (v <= 0)
             invalidOp();
         return TfsValue(std::log(v));
     }},
    {u"function Tan(X: Extended): Extended", u"ctMath",
     [](std::span<TfsValue> a) { return TfsValue(std::sin(a[0].ToDouble()) / std::cos(a[0].ToDouble())); }},
    {u"function Pi: Extended", u"ctMath", [](std::span<TfsValue>) { return TfsValue(3.1415926535897932385); }},
};

} // namespace

std::span<const TfsFunctionEntry> fsMathFunctions()
{
    return kFunctions;
}
