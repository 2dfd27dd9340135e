// The standard library every script sees: calls with their results under the Russian and the
// English locale, the edge cases where a careless version reads past its data, and the operator's
// dialogs through the message interface.
#include "TfsMessages.h"
#include "TfsRuntimeError.h"
#include "TfsScript.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char *locale; // "ru" or "en"
    const char *expression;
    const char *expected; // text of the value, "<kind>" to check the kind, "!message" for an error
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.locale << ": " << c.expression;
}

// Sets the process locale for one test and puts the previous one back.
class LocaleScope
{
public:
    explicit LocaleScope(const char *name)
    {
        QLocale::setDefault(QString::fromLatin1(name) == u"ru" ? QLocale(QLocale::Russian, QLocale::Russia)
                                                              : QLocale(QLocale::English, QLocale::UnitedStates));
    }
    ~LocaleScope() { QLocale::setDefault(FSaved); }

private:
    QLocale FSaved;
};

// The value of a PascalScript expression as text; errors of either phase as "!message".
std::string evaluate(const QString &expression, bool kindOnly = false)
{
    TfsScript script;
    // 1 November 2015, 13:05:09
    script.AddVariable(QStringLiteral("d"), QStringLiteral("TDateTime"),
                       TfsValue::MakeDateTime(42309 + (13 * 3600 + 5 * 60 + 9) / 86400.0));
    script.AddVariable(QStringLiteral("dv"), QStringLiteral("Variant"), TfsValue::MakeDateTime(42309));
    try {
        const TfsValue value = script.Evaluate(expression);
        if (script.EvaluateRiseError())
            return "!" + value.ToString().toStdString();
        if (kindOnly)
            return "<" + TfsValue::KindName(value.kind()).toStdString() + ">";
        return value.ToString().toStdString();
    } catch (const TfsRuntimeError &e) {
        return "!" + e.Message().toStdString();
    }
}

class Call : public testing::TestWithParam<Case>
{
};

TEST_P(Call, Gives)
{
    const Case &c = GetParam();
    LocaleScope locale(c.locale);
    EXPECT_EQ(evaluate(QString::fromUtf8(c.expression), c.expected[0] == '<'), c.expected);
}

// clang-format off
const Case kCases[] = {
    // Conversions: 64-bit integers, the locale's decimal separator, Booleans as -1 and 0.
    {"en", "IntToStr(2147483648)", "2147483648"},
    {"en", "FloatToStr(1.5)", "1.5"},
    {"ru", "FloatToStr(1.5)", "1,5"},
    {"en", "FloatToStr(1e20)", "1E20"},
    {"en", "FloatToStr(0.00001)", "1E-5"},
    {"en", "BoolToStr(True)", "-1"},
    {"en", "BoolToStr(1 > 2)", "0"},
    {"en", "VarToStr(Null)", ""},
    {"en", "StrToInt('$FF') + StrToInt(' -12')", "243"},
    {"en", "StrToInt('abc')", "!'abc' is not a valid integer value"},
    {"en", "StrToInt('2147483648')", "!'2147483648' is not a valid integer value"},
    {"en", "StrToInt64('2147483648')", "2147483648"},
    {"en", "StrToFloat('2.5') * 2", "5"},
    {"ru", "StrToFloat('2,5') * 2", "5"},
    {"ru", "StrToFloat('2.5')", "!'2.5' is not a valid floating point value"},
    {"en", "StrToBool('true')", "True"},
    {"en", "StrToBool('maybe')", "!'maybe' is not a valid boolean value"},
    {"ru", "DateToStr(d)", "01.11.2015"},
    {"en", "DateToStr(d)", "11/1/15"},
    {"ru", "TimeToStr(d)", "13:05:09"},
    {"ru", "DateTimeToStr(d)", "01.11.2015 13:05:09"},
    {"ru", "DateToStr(StrToDate('05.03.2016'))", "05.03.2016"},
    {"ru", "StrToDate('31.02.2016')", "!'31.02.2016' is not a valid date"},
    {"ru", "DateTimeToStr(StrToDateTime('05.03.2016 10:20:30'))", "05.03.2016 10:20:30"},
    {"ru", "ValidDate('05.03.2016')", "True"},
    {"ru", "ValidDate(dv)", "True"},
    {"ru", "ValidDate('5 марта')", "False"},
    {"ru", "ValidInt('12') and not ValidInt('1.2')", "True"},
    {"ru", "ValidFloat('1,2') and not ValidFloat('1.2')", "True"},
    // Format: our own specifier language; bad formats and arguments are errors, not crashes.
    {"en", "Format('%d|%5d|%-5d|%.3d', [7, 7, 7, 7])", "7|    7|7    |007"},
    {"en", "Format('%s and %s', ['a', 'b'])", "a and b"},
    {"en", "Format('%1:s %0:s', ['a', 'b'])", "b a"},
    {"en", "Format('%.2f|%8.1f|%x|%%', [2.675, -3.25, 255])", "2.68|    -3.3|FF|%"},
    {"ru", "Format('%.2f', [2.5])", "2,50"},
    {"ru", "Format('%n', [1234567.891])", "1\u00A0234\u00A0567,89"},
    {"en", "Format('%n', [1234567.891])", "1,234,567.89"},
    {"en", "Format('%e', [1234.5])", "1.23450000000000E+003"},
    {"en", "Format('%g', [0.5])", "0.5"},
    {"en", "Format('%d', ['x'])", "!Format '%d' invalid or incompatible with argument"},
    {"en", "Format('%d %d', [1])", "!Format '%d %d' invalid or incompatible with argument"},
    {"en", "Format('%300d', [1])", "!Format '%300d' invalid or incompatible with argument"},
    {"en", "Format('%', [1])", "!Format '%' invalid or incompatible with argument"},
    {"en", "Format('%q', [1])", "!Format '%q' invalid or incompatible with argument"},
    // FormatFloat: pictures; exact decimal halves away from zero.
    {"en", "FormatFloat('0.00', 2.675)", "2.68"},
    {"en", "FormatFloat('0.0', 0.25)", "0.3"},
    {"en", "FormatFloat('0.0', -0.25)", "-0.3"},
    {"en", "FormatFloat('0', 2.5)", "3"},
    {"ru", "FormatFloat('#,##0.00', 1234567.5)", "1\u00A0234\u00A0567,50"},
    {"en", "FormatFloat('#,##0.00', 1234567.5)", "1,234,567.50"},
    {"en", "FormatFloat('#.##', 0.5)", ".5"},
    {"en", "FormatFloat('0.###', 1.5)", "1.5"},
    {"en", "FormatFloat('000', 7)", "007"},
    {"en", "FormatFloat('0.00;(0.00);zero', -1.5)", "(1.50)"},
    {"en", "FormatFloat('0.00;(0.00);zero', 0)", "zero"},
    {"en", "FormatFloat('\"Total: \"0', 12)", "Total: 12"},
    {"en", "FormatFloat('0.00E+00', 1234.5)", "1.23E+03"},
    {"en", "FormatFloat('0.0', -0.01)", "0.0"},
    {"en", "FormatFloat('0.0;-0.0;zero', 0.01)", "zero"}, // the zero section once rounded to zero
    {"en", "FormatFloat('00-00', 1234)", "12-34"},        // literals stand among the digits
    {"en", "FormatFloat('', 1.5)", "1.5"},
    // FormatDateTime: pictures, month and day names of the locale.
    {"ru", "FormatDateTime('dd.mm.yyyy', d)", "01.11.2015"},
    {"en", "FormatDateTime('yyyy-mm-dd hh:nn:ss', d)", "2015-11-01 13:05:09"},
    {"en", "FormatDateTime('h:mm am/pm', d)", "1:05 pm"},
    {"en", "FormatDateTime('dddd, d mmmm yyyy', d)", "Sunday, 1 November 2015"},
    {"ru", "FormatDateTime('d mmmm yyyy', d)", "1 ноября 2015"},
    {"ru", "FormatDateTime('mmmm yyyy', d)", "ноябрь 2015"},
    {"ru", "FormatDateTime('dddd', d)", "воскресенье"},
    {"en", "FormatDateTime('ddd mmm', d)", "Sun Nov"},
    {"ru", "FormatDateTime('\"день\" d', d)", "день 1"},
    {"ru", "FormatDateTime('dd/mm/yy', d)", "01.11.15"},
    // FormatMaskText: the edit-mask language.
    {"en", "FormatMaskText('000-00-00;0;_', '1234567')", "123-45-67"},
    {"en", "FormatMaskText('(999) 000-0000;1;_', '(555) 123-4567')", "(555) 123-4567"},
    {"en", "FormatMaskText('>LL-000;0;_', 'ab1')", "AB-1__"},
    // Dates.
    {"en", "DateToStr(EncodeDate(2016, 2, 29))", "2/29/16"},
    {"en", "EncodeDate(2015, 2, 29)", "!Invalid argument to date encode"},
    {"en", "EncodeDate(2015, 13, 1)", "!Invalid argument to date encode"},
    {"en", "EncodeTime(24, 0, 0, 0)", "!Invalid argument to time encode"},
    {"ru", "TimeToStr(EncodeTime(10, 20, 30, 0))", "10:20:30"},
    {"en", "DaysInMonth(2016, 2)", "29"},
    {"en", "DaysInMonth(2015, 2)", "28"},
    {"en", "DaysInMonth(2015, 0)", "!Invalid argument to date encode"},
    {"en", "IsLeapYear(1900) or not IsLeapYear(2000)", "False"},
    {"en", "DayOfWeek(d)", "1"},
    {"en", "DayOfWeek(0)", "7"},
    {"en", "DayOfWeek(-1)", "6"},
    {"en", "DayOf(d) * 10000 + MonthOf(d) * 100 + YearOf(d) - 2015", "11100"},
    {"en", "DateToStr(1e300)", "!Invalid date-time value"},
    {"en", "Date", "<DateTime>"},
    // Strings, 1-based; positions outside the text never read past it.
    {"en", "Copy('abcdef', 3, 2)", "cd"},
    {"en", "Copy('abcdef', 5, 10)", "ef"},
    {"en", "Copy('abcdef', 7, 1)", ""},
    {"en", "Copy('abcdef', 0, 2)", "ab"},
    {"en", "Copy('abcdef', 2, -1)", ""},
    {"en", "Pos('z', 'abc')", "0"},
    {"en", "Pos('c', 'abc')", "3"},
    {"en", "Pos('', 'abc')", "0"},
    {"ru", "Uppercase('иван') + Lowercase('ПЁТР')", "ИВАНпётр"},
    {"en", "'[' + Trim('  a b ' + Chr(9)) + ']'", "[a b]"},
    {"ru", "NameCase('иван петров')", "Иван Петров"},
    {"ru", "NameCase('иван  пЕТРОВ')", "Иван  Петров"},
    {"en", "NameCase('')", ""},
    {"en", "CompareText('abc', 'ABC')", "0"},
    {"en", "CompareText('abc', 'abd') < 0", "True"},
    {"en", "Ord('A') + Ord('')", "65"},
    {"en", "Chr(1046)", "Ж"},
    {"en", "Chr(-1)", "!Invalid character code: -1"},
    {"en", "Length('abc') + Length(VarArrayCreate([0, 4], varVariant))", "8"},
    // Mathematics: halves to even when converting to an integer.
    {"en", "Round(2.5) * 10 + Round(3.5)", "24"},
    {"en", "Round(-2.5)", "-2"},
    {"en", "Round(1e10)", "10000000000"},
    {"en", "Round(1e300)", "!Invalid floating point operation"},
    {"en", "Trunc(-3.7)", "-3"},
    {"en", "Int(3.7)", "3"},
    {"en", "Int(3.7)", "<Double>"},
    {"en", "Frac(3.75)", "0.75"},
    {"en", "Sqrt(16) + Abs(-2)", "6"},
    {"en", "Sqrt(-1)", "!Invalid floating point operation"},
    {"en", "Ln(-1)", "!Invalid floating point operation"},
    {"en", "Round(Exp(Ln(10)) * 1000)", "10000"},
    {"en", "Round(Pi * 1e6)", "3141593"},
    {"en", "Round(Tan(Pi / 4) * 1000)", "1000"},
    {"en", "Round(ArcTan(1) * 4e6) = Round(Pi * 1e6)", "True"},
    // Other.
    {"en", "IIF(1 > 2, 'yes', 'no')", "no"},
    {"en", "ExtractFilePath('C:\\dir\\file.txt') + '|' + ExtractFilePath('a/b/c')", "C:\\dir\\|a/b/"},
    {"en", "CreateOleObject('Excel.Application')",
     "!Automation objects are not available: Excel.Application"},
    {"en", "VarType(1) * 1000 + VarType('a')", "3256"},
    {"en", "VarType(Null) + VarType(1.5) * 10", "51"},
    {"en", "VarArrayCreate([3, 1], varVariant)", "!Invalid array bounds"},
    {"en", "VarArrayCreate([0, 100000000], varVariant)", "!Out of memory"},
    {"en", "(Random >= 0) and (Random < 1)", "True"},
    // The integer fast path of the operators keeps the general rules: 32-bit results that overflow
    // become 64-bit, a 64-bit overflow is an error, other kinds take the general operator.
    {"en", "2147483647 + 1", "2147483648"},
    {"en", "2147483647 + 1", "<Int64>"},
    {"en", "-2147483647 - 2", "-2147483649"},
    {"en", "65536 * 65536", "4294967296"},
    {"en", "9223372036854775807 + 1", "!Integer overflow"},
    {"en", "(9223372036854775807 - 1) + 1", "9223372036854775807"},
    {"en", "1 + 1.5", "2.5"},
    {"en", "'a' + 'b'", "ab"},
    {"en", "(3 < 4) and (4 <= 4) and (5 > 4.5) and ('a' < 'b') and (2 <> 3)", "True"},
    {"en", "Null < 1", "False"},
    {"en", "Null = Null", "True"},
    // Declarations drive the compile-time checks.
    {"en", "Copy('abc', 1)", "!Not enough actual parameters"},
    {"en", "Pos('a', 'b', 'c')", "!Too many actual parameters"},
    {"en", "IntToStr('a')", "!Incompatible types: 'Integer', 'String'"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Library, Call, testing::ValuesIn(kCases));

// A program in the given language; the value of its variable r after it ran, or "!message".
std::string run(const char *language, const char *source)
{
    TfsScript script;
    script.SetSyntaxType(QString::fromLatin1(language));
    script.SetLines(QString::fromUtf8(source));
    if (!script.Compile())
        return "!" + script.ErrorMsg().toStdString() + " at " + script.ErrorPos().toStdString();
    try {
        script.Execute();
    } catch (const TfsRuntimeError &e) {
        return "!" + e.Message().toStdString();
    }
    return script.Variable(QStringLiteral("r")).ToString().toStdString();
}

struct Program
{
    const char *language;
    const char *source;
    const char *expected;
};

void PrintTo(const Program &p, std::ostream *os)
{
    *os << p.language << ": " << p.source;
}

class VarParameters : public testing::TestWithParam<Program>
{
};

// Procedures that write their results into the caller's variables.
TEST_P(VarParameters, WriteBack)
{
    LocaleScope locale("en");
    EXPECT_EQ(run(GetParam().language, GetParam().source), GetParam().expected);
}

// clang-format off
const Program kPrograms[] = {
    {"PascalScript", "var y, m, dd: Integer; r: String; begin DecodeDate(EncodeDate(2015, 11, 1), y, m, dd); "
                     "r := IntToStr(y) + '-' + IntToStr(m) + '-' + IntToStr(dd) end.", "2015-11-1"},
    {"PascalScript", "var h, n, s, ms: Integer; r: String; begin DecodeTime(EncodeTime(1, 2, 3, 4), h, n, s, ms); "
                     "r := Format('%d:%d:%d.%d', [h, n, s, ms]) end.", "1:2:3.4"},
    {"PascalScript", "var r: String; begin r := 'abcdef'; Delete(r, 2, 3) end.", "aef"},
    {"PascalScript", "var r: String; begin r := 'abc'; Delete(r, 3, 100) end.", "ab"},
    {"PascalScript", "var r: String; begin r := 'abc'; Delete(r, 0, 1); DeleteStr(r, 4, 1) end.", "abc"},
    {"PascalScript", "var r: String; begin r := 'ad'; Insert('bc', r, 2) end.", "abcd"},
    {"PascalScript", "var r: String; begin r := 'ab'; Insert('c', r, 10); Insert('_', r, -5) end.", "_abc"},
    {"PascalScript", "var r: String; begin r := 'abc'; SetLength(r, 1) end.", "a"},
    {"PascalScript", "var r: Integer; s: String; begin s := 'ab'; SetLength(s, 4); r := Ord(s[4]) + Length(s) end.",
     "4"},
    {"PascalScript", "var r: Integer; a: Variant; begin a := VarArrayCreate([0, 1], varVariant); SetLength(a, 5); "
                     "r := Length(a) end.", "5"},
    {"PascalScript", "var r: Integer; a: Variant; begin a := 5; SetLength(a, 2) end.", "!Array type required"},
    {"PascalScript", "var r: Integer; begin r := 5; Inc(r); Inc(r, 10); Dec(r, 2) end.", "14"},
    {"PascalScript", "var r: Integer; begin r := 1; Inc(r + 1) end.", "!Variable required at 1:35"},
    {"PascalScript", "var r: String; begin try RaiseException('boom') except r := ExceptionMessage end end.", "boom"},
    {"C++Script", "int r; { r = 1; Inc(r, 4); }", "5"},
    // Text appended in place: a copy of the text held elsewhere keeps its value.
    {"PascalScript", "var r, t: String; begin t := 'a'; r := t; r := r + 'b'; r := r + t; r := r + r; "
                     "r := t + '|' + r end.", "a|abaaba"},
    {"JScript", "var r = \"a\"; var t = r; r += \"b\"; r += t; r = t + \"|\" + r;", "a|aba"},
    {"BasicScript", "dim r\r\nr = \"x\"\r\nInsert(\"y\", r, 1)", "yx"},
    {"JScript", "var r = \"bc\"; Insert(\"a\", r, 1);", "abc"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Library, VarParameters, testing::ValuesIn(kPrograms));

// The dialogs reach the operator through the message interface; without a handler a script is not
// left waiting: questions count as cancelled.
TEST(Messages, GoThroughTheInterface)
{
    TfsMessages &messages = TfsMessages::Instance();
    const TfsMessages saved = messages;
    QStringList shown;
    messages.ShowMessage = [&shown](const QString &text) { shown.append(text); };
    messages.InputQuery = [](const QString &caption, const QString &prompt, QString &value) {
        value = caption + u'/' + prompt + u'/' + value;
        return true;
    };
    messages.MessageDlg = [](const QString &, int kind, int buttons) { return kind * 10000 + buttons; };
    EXPECT_EQ(run("PascalScript", "var r: String; begin ShowMessage(42); r := InputBox('c', 'p', 'd') end."),
              "c/p/d");
    EXPECT_EQ(shown, QStringList{QStringLiteral("42")});
    EXPECT_EQ(run("PascalScript", "var r: Integer; begin r := MessageDlg('?', mtConfirmation, [mbYes, mbNo], 0) end."),
              "30003");
    EXPECT_EQ(run("PascalScript", "var r: Variant; s: String; begin s := 'v'; if InputQuery('c', 'p', s) then r := s end."),
              "c/p/v");
    messages = TfsMessages();
    EXPECT_EQ(run("PascalScript", "var r: String; begin r := InputBox('c', 'p', 'd') end."), "d");
    EXPECT_EQ(run("PascalScript", "var r: Variant; s: String; begin s := 'v'; r := InputQuery('c', 'p', s) end."),
              "False");
    EXPECT_EQ(run("PascalScript", "var r: Integer; begin r := MessageDlg('?', mtError, [mbOK], 0) end."), "0");
    messages = saved;
}

// The host's registration keeps the first of two items with one name.
TEST(Registration, FirstVariableWins)
{
    TfsScript script;
    script.AddVariable(QStringLiteral("Total"), QStringLiteral("Integer"), TfsValue(1));
    script.AddVariable(QStringLiteral("Total"), QStringLiteral("Integer"), TfsValue(2));
    EXPECT_EQ(script.Variable(QStringLiteral("Total")).ToInt(), 1);
    // A constant of the library cannot be replaced by the host either.
    script.AddConst(QStringLiteral("varString"), QStringLiteral("Integer"), TfsValue(0));
    EXPECT_EQ(script.Evaluate(QStringLiteral("varString")).ToInt(), 256);
}

} // namespace
