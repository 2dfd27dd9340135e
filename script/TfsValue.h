#pragma once

#include <QString>

#include <bit>
#include <cstdint>
#include <vector>

// The value of scripts and expressions: a tag and an eight-byte payload. Numbers, Booleans, dates
// and object handles live in the payload; strings and arrays sit behind a shared, reference-counted
// box, so copying a value never copies text. Arrays are values: writing to a shared array first
// copies it.
class TfsValue
{
public:
    enum Kind : uint8_t { Empty, Null, Int, Int64, Double, Currency, DateTime, Bool, String, Array, Object };

    TfsValue() noexcept { FPayload.i64 = 0; }
    // One eight-byte store fills the payload: a narrow store followed by a wide read of the same
    // bytes (copying the value) would stall the processor. The 32-bit view reads the low half.
    TfsValue(int v) noexcept : FKind(Int) { FPayload.i64 = int64_t(uint32_t(v)); }
    TfsValue(int64_t v) noexcept : FKind(Int64) { FPayload.i64 = v; }
    TfsValue(double v) noexcept : FKind(Double) { FPayload.d = v; }
    TfsValue(bool v) noexcept : FKind(Bool) { FPayload.i64 = v ? 1 : 0; }
    TfsValue(const QString &s);
    TfsValue(const char16_t *s) : TfsValue(QString::fromUtf16(s)) {}
    // Copies and moves are inline: numbers in loops never leave the registers for a call.
    TfsValue(const TfsValue &other) noexcept : FKind(other.FKind), FPayload(other.FPayload)
    {
        if (Boxed())
            AddRef();
    }
    TfsValue(TfsValue &&other) noexcept : FKind(other.FKind), FPayload(other.FPayload)
    {
        other.FKind = Empty;
    }
    TfsValue &operator=(const TfsValue &other) noexcept
    {
        if (this != &other) {
            if (other.Boxed())
                other.AddRef();
            Release();
            FKind = other.FKind;
            FPayload = other.FPayload;
        }
        return *this;
    }
    TfsValue &operator=(TfsValue &&other) noexcept
    {
        if (this != &other) {
            Release();
            FKind = other.FKind;
            FPayload = other.FPayload;
            other.FKind = Empty;
        }
        return *this;
    }
    ~TfsValue() { Release(); }

    // Replace the value by an integer in place (loop counters and sums).
    void AssignInt(int v) noexcept
    {
        Release();
        FKind = Int;
        FPayload.i64 = int64_t(uint32_t(v));
    }
    void AssignInt64(int64_t v) noexcept
    {
        Release();
        FKind = Int64;
        FPayload.i64 = v;
    }

    static TfsValue MakeNull() noexcept
    {
        TfsValue v;
        v.FKind = Null;
        return v;
    }
    // Best 32- or 64-bit form of an integer.
    static TfsValue FromInt64(int64_t v) noexcept
    {
        return v >= INT32_MIN && v <= INT32_MAX ? TfsValue(int(v)) : TfsValue(v);
    }
    // Currency is kept as an integer count of ten-thousandths.
    static TfsValue MakeCurrency(double v);
    static TfsValue MakeDateTime(double days) noexcept;
    static TfsValue MakeObject(int64_t handle) noexcept;
    // A one-dimensional array of low..high, elements null.
    static TfsValue MakeArray(int low, int high);

    Kind kind() const noexcept { return FKind; }
    bool IsNull() const noexcept { return FKind == Null; }
    bool IsEmpty() const noexcept { return FKind == Empty; }
    bool IsNumeric() const noexcept { return FKind >= Int && FKind <= DateTime; }
    bool IsIntegral() const noexcept { return FKind == Int || FKind == Int64; }
    // The raw payloads (no conversion): callers check kind() first.
    int RawInt() const noexcept { return FPayload.i32; }
    int64_t RawInt64() const noexcept { return FPayload.i64; }
    double RawDouble() const noexcept { return FPayload.d; }

    // Conversions; a failed one throws TfsRuntimeError.
    int64_t ToInt64() const
    {
        return FKind == Int ? FPayload.i32 : FKind == Int64 ? FPayload.i64 : ToInt64Slow();
    }
    int ToInt() const;
    double ToDouble() const
    {
        return FKind == Double ? FPayload.d : FKind == Int ? FPayload.i32 : ToDoubleSlow();
    }
    bool ToBool() const { return FKind == Bool ? FPayload.b : ToBoolSlow(); }
    QString ToString() const;

    // Arrays.
    int ArrayLow() const;
    int ArrayHigh() const;
    const TfsValue &ArrayAt(int index) const;
    TfsValue &ArrayRef(int index);
    void ArrayAppend(const TfsValue &v);

    // Appends text to a string value in place, copying the string first only when it is shared.
    void AppendText(const QString &text);

    // this := this op operand on integers where the value lies, when the result keeps the value's
    // kind: two 32-bit integers whose result fits 32 bits, or a 64-bit value and any integer without
    // overflow. False, with the value unchanged, leaves every other case to the general operators.
    // Op is one of TfsIntegerOp's operations.
    template <class Op> bool CombineIntegerInPlace(const TfsValue &operand) noexcept
    {
        if (FKind == Int && operand.FKind == Int) {
            int32_t r = 0;
            if (Op::Overflows(FPayload.i32, operand.FPayload.i32, r))
                return false;
            FPayload.i64 = int64_t(uint32_t(r));
            return true;
        }
        if (FKind != Int64 || !operand.IsIntegral())
            return false;
        int64_t r = 0;
        if (Op::Overflows(FPayload.i64, operand.ToInt64(), r))
            return false;
        FPayload.i64 = r;
        return true;
    }

    // Operators of expressions. Null propagates through arithmetic; integers that overflow 32 bits
    // become 64-bit; a 64-bit overflow and an integer division by zero are errors.
    friend TfsValue operator+(const TfsValue &a, const TfsValue &b);
    friend TfsValue operator-(const TfsValue &a, const TfsValue &b);
    friend TfsValue operator*(const TfsValue &a, const TfsValue &b);
    static TfsValue DivFloat(const TfsValue &a, const TfsValue &b);
    static TfsValue DivInt(const TfsValue &a, const TfsValue &b);
    static TfsValue Mod(const TfsValue &a, const TfsValue &b);
    static TfsValue And(const TfsValue &a, const TfsValue &b);
    static TfsValue Or(const TfsValue &a, const TfsValue &b);
    static TfsValue Xor(const TfsValue &a, const TfsValue &b);
    static TfsValue Shl(const TfsValue &a, const TfsValue &b);
    static TfsValue Shr(const TfsValue &a, const TfsValue &b);
    static TfsValue Not(const TfsValue &a);
    static TfsValue Neg(const TfsValue &a);
    // Text of a followed by text of b when a is a string; else a + b.
    static TfsValue StrCat(const TfsValue &a, const TfsValue &b);

    // Null equals only null; in ordering null is below everything else.
    static bool Equal(const TfsValue &a, const TfsValue &b);
    // Negative, zero or positive.
    static int Compare(const TfsValue &a, const TfsValue &b);

    // Strings longer than this many characters and arrays of more elements than this are refused with
    // "Out of memory", so that a runaway script ends soon with an error instead of exhausting the
    // machine. Tests lower them.
    static constexpr int64_t DefaultMaxStringLength = int64_t(1) << 28;
    static constexpr int64_t DefaultMaxArrayLength = int64_t(1) << 24;
    static int64_t MaxStringLength() { return sMaxStringLength; }
    static int64_t MaxArrayLength() { return sMaxArrayLength; }
    static void SetMaxStringLength(int64_t length) { sMaxStringLength = length; }
    static void SetMaxArrayLength(int64_t length) { sMaxArrayLength = length; }
    // Throws "Out of memory" when a string or an array of that length would be above its limit.
    static void CheckStringLength(int64_t length);
    static void CheckArrayLength(int64_t length);

    // Kind names for messages ("Integer", "String", ...).
    static QString KindName(Kind kind);

private:
    struct Box;
    bool Boxed() const noexcept { return FKind == String || FKind == Array; }
    void AddRef() const noexcept;
    void ReleaseBox() noexcept;
    void Release() noexcept
    {
        if (Boxed())
            ReleaseBox();
        FKind = Empty;
    }
    int64_t ToInt64Slow() const;
    double ToDoubleSlow() const;
    bool ToBoolSlow() const;
    Box *box() const noexcept { return FPayload.box; }
    Box *Unshare();

    static inline int64_t sMaxStringLength = DefaultMaxStringLength;
    static inline int64_t sMaxArrayLength = DefaultMaxArrayLength;

    Kind FKind = Empty;
    union {
        int32_t i32;
        int64_t i64;
        double d;
        bool b;
        Box *box;
    } FPayload;
};

// The integer operations that values combine in place: the result of x op y in r, and whether it
// overflowed the width of T.
namespace TfsIntegerOp {
struct Add
{
    template <class T> static bool Overflows(T x, T y, T &r) { return __builtin_add_overflow(x, y, &r); }
};
struct Sub
{
    template <class T> static bool Overflows(T x, T y, T &r) { return __builtin_sub_overflow(x, y, &r); }
};
struct Mul
{
    template <class T> static bool Overflows(T x, T y, T &r) { return __builtin_mul_overflow(x, y, &r); }
};
} // namespace TfsIntegerOp

static_assert(sizeof(TfsValue) == 16, "a script value is a tag and eight bytes");
static_assert(std::endian::native == std::endian::little,
              "the narrow views of the payload are its low bytes");
