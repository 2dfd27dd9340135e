// Counters, errors, the operator's dialogs, random numbers, validity checks, arrays and value kinds.
#include "TfsExpression.h"
#include "TfsMessages.h"
#include "TfsRuntimeError.h"
#include "fsFunctions_p.h"

#include <QLocale>
#include <QRandomGenerator>

namespace {

QRandomGenerator &generator()
{
    static QRandomGenerator g(1u);
    return g;
}

bool converts(TfsValue (*conversion)(std::span<TfsValue>), const TfsValue &value)
{
    TfsValue arg = value;
    try {
        conversion({&arg, 1});
        return true;
    } catch (const TfsRuntimeError &) {
        return false;
    }
}

// A date value is checked by its short date text.
TfsValue validDate(std::span<TfsValue> a)
{
    TfsValue arg = a[0];
    // A date value (a day count, also one kept in a TDateTime variable as a number) is checked as
    // its short date text; a text as it is.
    if (arg.kind() != TfsValue::String) {
        if (arg.IsNull())
            return TfsValue(false);
        try {
            arg = TfsValue(QLocale().toString(fsDateTimeOf(arg.ToDouble()).date(), QLocale::ShortFormat));
        } catch (const TfsRuntimeError &) {
            return TfsValue(false);
        }
    }
    return TfsValue(converts(fsStrToDate, arg));
}

// The path up to and including the last separator or drive colon; only the text is looked at.
TfsValue extractFilePath(std::span<TfsValue> a)
{
    const QString s = a[0].ToString();
    qsizetype i = s.size();
    while (i > 0 && s[i - 1] != u'/' && s[i - 1] != u'\\' && s[i - 1] != u':')
        --i;
    return TfsValue(s.left(i));
}

// Bounds holds low and high bound pairs; one dimension is supported, of at most 2^24 elements.
TfsValue varArrayCreate(std::span<TfsValue> a)
{
    const TfsValue &bounds = a[0];
    if (bounds.kind() != TfsValue::Array || bounds.ArrayHigh() - bounds.ArrayLow() != 1)
        throw TfsRuntimeError(QStringLiteral("Invalid array bounds"), QStringLiteral("ERangeError"));
    const int64_t low = bounds.ArrayAt(bounds.ArrayLow()).ToInt64();
    const int64_t high = bounds.ArrayAt(bounds.ArrayHigh()).ToInt64();
    if (high < low - 1 || low < INT32_MIN || high > INT32_MAX)
        throw TfsRuntimeError(QStringLiteral("Invalid array bounds"), QStringLiteral("ERangeError"));
    return TfsValue::MakeArray(int(low), int(high));
}

TfsValue varType(std::span<TfsValue> a)
{
    static const int codes[] = {0, 1, 3, 20, 5, 6, 7, 11, 256, 8192 | 12, 9};
    return TfsValue(codes[a[0].kind()]);
}

TfsValue inputQuery(std::span<TfsValue> a)
{
    QString value = a[2].ToString();
    const auto &ask = TfsMessages::Instance().InputQuery;
    const bool ok = ask && ask(a[0].ToString(), a[1].ToString(), value);
    if (ok)
        a[2] = TfsValue(value);
    return TfsValue(ok);
}

TfsValue inputBox(std::span<TfsValue> a)
{
    QString value = a[2].ToString();
    const auto &ask = TfsMessages::Instance().InputQuery;
    if (ask && ask(a[0].ToString(), a[1].ToString(), value))
        return TfsValue(value);
    return TfsValue(a[2].ToString());
}

// Buttons come as a set ([mbYes, mbNo], an array of flags) or as their sum.
TfsValue messageDlg(std::span<TfsValue> a)
{
    int buttons = 0;
    if (a[2].kind() == TfsValue::Array) {
        for (int i = a[2].ArrayLow(); i <= a[2].ArrayHigh(); ++i)
            buttons |= a[2].ArrayAt(i).ToInt();
    } else if (!a[2].IsNull()) {
        buttons = a[2].ToInt();
    }
    const auto &dlg = TfsMessages::Instance().MessageDlg;
    return TfsValue(dlg ? dlg(a[0].ToString(), a[1].ToInt(), buttons) : 0);
}

constexpr TfsFunctionEntry kFunctions[] = {
    {u"procedure Inc(var i: Integer; incr: Integer = 1)", u"ctOther",
     [](std::span<TfsValue> a) {
         a[0] = fsAdd(a[0], a[1]);
         return TfsValue::MakeNull();
     }},
    {u"procedure Dec(var i: Integer; decr: Integer = 1)", u"ctOther",
     [](std::span<TfsValue> a) {
         a[0] = fsSub(a[0], a[1]);
         return TfsValue::MakeNull();
     }},
    {u"procedure RaiseException(Param: String)", u"ctOther",
     [](std::span<TfsValue> a) -> TfsValue { throw TfsRuntimeError(a[0].ToString()); }},
    {u"procedure ShowMessage(Msg: Variant)", u"ctOther",
     [](std::span<TfsValue> a) {
         if (const auto &show = TfsMessages::Instance().ShowMessage)
             show(a[0].ToString());
         return TfsValue::MakeNull();
     }},
    {u"function InputBox(ACaption, APrompt, ADefault: String): String", u"ctOther", inputBox},
    {u"function InputQuery(ACaption, APrompt: String; var Value: String): Boolean", u"ctOther", inputQuery},
    {u"function MessageDlg(Msg: String; DlgType: Integer; Buttons: Variant; HelpCtx: Longint): Integer",
     u"ctOther", messageDlg},
    {u"procedure Randomize", u"ctOther",
     [](std::span<TfsValue>) {
         generator().seed(quint32(QDateTime::currentMSecsSinceEpoch()));
         return TfsValue::MakeNull();
     }},
    {u"function Random: Extended", u"ctOther",
     [](std::span<TfsValue>) { return TfsValue(generator().generateDouble()); }},
    {u"function ValidInt(cInt: String): Boolean", u"ctOther",
     [](std::span<TfsValue> a) { return TfsValue(converts(fsStrToInt, a[0])); }},
    {u"function ValidFloat(cFlt: String): Boolean", u"ctOther",
     [](std::span<TfsValue> a) { return TfsValue(converts(fsStrToFloat, a[0])); }},
    {u"function ValidDate(cDate: Variant): Boolean", u"ctOther", validDate},
    {u"function ExtractFilePath(const FileName: string): string;", u"ctOther", extractFilePath},
    {u"function CreateOleObject(ClassName: String): Variant", u"ctOther",
     [](std::span<TfsValue> a) -> TfsValue {
         throw TfsRuntimeError(
             QStringLiteral("Automation objects are not available: %1").arg(a[0].ToString()),
             QStringLiteral("EOleError"));
     }},
    {u"function VarArrayCreate(Bounds: Array; Typ: Integer): Variant", u"ctOther", varArrayCreate},
    {u"function VarType(V: Variant): Integer", u"ctOther", varType},
    {u"function IIF(Expr: Boolean; TrueValue, FalseValue: Variant): Variant", u"ctOther",
     [](std::span<TfsValue> a) { return a[0].ToBool() ? a[1] : a[2]; }},
};

} // namespace

std::span<const TfsFunctionEntry> fsOtherFunctions()
{
    return kFunctions;
}
