// The text object: display formats, the expression scan, the output cycle (highlights,
// suppressed repeats, hidden zeros, flow), measuring, splitting and the stored form. The tests run
// under the Russian locale (decimal comma, non-breaking space between thousands).

#include "TfrxBrushFill.h"
#include "TfrxClassRegistry.h"
#include "TfrxCollection.h"
#include "TfrxFont.h"
#include "TfrxFormat.h"
#include "TfrxFrame.h"
#include "TfrxHighlight.h"
#include "TfrxMemoView.h"
#include "TfrxProperties.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxStyleItem.h"
#include "TfrxStyles.h"
#include "TfrxSysMemoView.h"
#include "TfrxUserDataSet.h"
#include "TfrxWideStrings.h"
#include "zorBrackets.h"
#include "zorFormat.h"

#include <QHash>
#include <QImage>
#include <QLocale>
#include <QPainter>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace zor;

namespace {

const QString Nbsp = QString(QChar(0x00A0));

struct FormatCase
{
    const char *Format;
    QVariant Value;
    std::optional<QString> Expected;
};

TEST(MemoFormat, CheckedPrintfFormatter)
{
    const FormatCase cases[] = {
        {"%d", 42, QStringLiteral("42")},
        {"%5d", 42, QStringLiteral("   42")},
        {"%-5d|", 42, QStringLiteral("42   |")},
        {"%.3d", 7, QStringLiteral("007")},
        {"%d", -7, QStringLiteral("-7")},
        {"%d", 2.5, QStringLiteral("2")}, // halves to the even neighbour
        {"%x", 255, QStringLiteral("FF")},
        {"%u", 12, QStringLiteral("12")},
        {"%2.2f", 3.14159, QStringLiteral("3,14")},
        {"%f", 2.0, QStringLiteral("2,00")},
        {"Итого: %.1f руб.", 12.25, QStringLiteral("Итого: 12,3 руб.")}, // halves away from zero
        {"%%%d%%", 5, QStringLiteral("%5%")},
        {"%e", 1234.5, QStringLiteral("1,23450000000000E+003")},
        {"%.3n", 1234567.0,
         QString(QStringLiteral("1") + Nbsp + QStringLiteral("234") + Nbsp + QStringLiteral("567,000"))},
        {"%D", 3, QStringLiteral("3")},
        {"%d", QStringLiteral(" 17 "), QStringLiteral("17")},
        // Everything else is refused, never passed on.
        {"%s", 1, std::nullopt},
        {"%d %d", 1, std::nullopt},
        {"no specifier", 1, std::nullopt},
        {"", 1, std::nullopt},
        {"%", 1, std::nullopt},
        {"%*d", 1, std::nullopt},
        {"%256d", 1, std::nullopt},
        {"%.256f", 1.0, std::nullopt},
        {"%99999999999999999999d", 1, std::nullopt},
        {"%n", QStringLiteral("abc"), std::nullopt},
        {"%u", -1, std::nullopt},
        {"%f", std::numeric_limits<double>::infinity(), std::nullopt},
        {"%d", QVariant(), std::nullopt},
    };
    for (const FormatCase &c : cases) {
        SCOPED_TRACE(c.Format);
        EXPECT_EQ(FormatValue(QString::fromUtf8(c.Format), c.Value), c.Expected);
    }
    // The widest accepted width.
    EXPECT_EQ(FormatValue(QStringLiteral("%255d"), 1)->size(), 255);
}

TEST(MemoFormat, NumberPictures)
{
    const struct
    {
        const char *Picture;
        double Value;
        QString Expected;
    } cases[] = {
        {"#,##0.00", 1234.5, QStringLiteral("1") + Nbsp + QStringLiteral("234,50")},
        {"#,##0.00", 1234567.891,
         QStringLiteral("1") + Nbsp + QStringLiteral("234") + Nbsp + QStringLiteral("567,89")},
        {"0.00", 3.14159, QStringLiteral("3,14")},
        {"0.##", 2.5, QStringLiteral("2,5")},
        {"0.##", 2.0, QStringLiteral("2")},
        {"#.##", 0.5, QStringLiteral(",5")},
        {"000", 7, QStringLiteral("007")},
        {"0", 12345, QStringLiteral("12345")},
        {"#", 0, QString()},
        {"0", -5, QStringLiteral("-5")},
        {"0;(0)", -5, QStringLiteral("(5)")},
        {"0;-0;'ноль'", 0, QStringLiteral("ноль")},
        {"0.0;-0.0;'ноль'", 0.01, QStringLiteral("ноль")},
        {"0 'шт.'", 3, QStringLiteral("3 шт.")},
        {"00-00", 1234, QStringLiteral("12-34")},
        {"", 2.5, QStringLiteral("2,5")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Picture);
        EXPECT_EQ(FormatFloat(QString::fromUtf8(c.Picture), c.Value), c.Expected);
    }
}

TEST(MemoFormat, DateTimePictures)
{
    const QDateTime t(QDate(2026, 3, 5), QTime(14, 7, 9, 45));
    const struct
    {
        const char *Picture;
        QString Expected;
    } cases[] = {
        {"dd.mm.yyyy", QStringLiteral("05.03.2026")},
        {"d/m/yy", QStringLiteral("5.3.26")},
        {"hh:nn:ss", QStringLiteral("14:07:09")},
        {"hh:mm", QStringLiteral("14:07")},
        {"h:nn am/pm", QStringLiteral("2:07 pm")},
        {"zzz", QStringLiteral("045")},
        {"'Год' yyyy", QStringLiteral("Год 2026")},
        {"mmmm", QLocale().standaloneMonthName(3, QLocale::LongFormat)},
        {"dddd", QLocale().dayName(4, QLocale::LongFormat)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Picture);
        EXPECT_EQ(FormatDateTime(QString::fromUtf8(c.Picture), t), c.Expected);
    }
}

TEST(MemoFormat, DisplayFormatsByKind)
{
    const struct
    {
        TfrxFormatKind Kind;
        const char *FormatStr;
        const char *Decimal;
        const char *Thousand;
        QVariant Value;
        QString Expected;
    } cases[] = {
        {fkText, "", "", "", 2.5, QStringLiteral("2,5")},
        {fkText, "", "", "", true, QStringLiteral("True")},
        {fkText, "", "", "", QVariant(), QString()},
        {fkNumeric, "#,##0.00", ".", ",", 1234.5, QStringLiteral("1,234.50")},
        {fkNumeric, "%d", "", "", 3.0, QStringLiteral("3")},
        {fkNumeric, "%2.2f", ".", "", QStringLiteral("2,5"), QStringLiteral("2.50")},
        // A value the format cannot take prints as its plain text, silently.
        {fkNumeric, "%2.2f", "", "", QStringLiteral("abc"), QStringLiteral("abc")},
        {fkNumeric, "%s", "", "", 7, QStringLiteral("7")},
        {fkDateTime, "dd.mm.yyyy", "", "", QDate(2026, 12, 10), QStringLiteral("10.12.2026")},
        {fkDateTime, "dd.mm.yyyy", "", "", 46000.0, QStringLiteral("09.12.2025")},
        {fkDateTime, "dd.mm.yyyy", "", "", QStringLiteral("не дата"), QStringLiteral("не дата")},
        {fkBoolean, "Да,Нет", "", "", true, QStringLiteral("Да")},
        {fkBoolean, "Да,Нет", "", "", false, QStringLiteral("Нет")},
        {fkBoolean, "Да,Нет", "", "", 0, QStringLiteral("Нет")},
        {fkBoolean, "Да", "", "", false, QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.FormatStr);
        TfrxFormat f;
        f.SetKind(c.Kind);
        f.SetFormatStr(QString::fromUtf8(c.FormatStr));
        f.SetDecimalSeparator(QString::fromUtf8(c.Decimal));
        f.SetThousandSeparator(QString::fromUtf8(c.Thousand));
        EXPECT_EQ(f.FormatData(c.Value), c.Expected);
    }
}

TEST(MemoFormat, InlineFormats)
{
    const struct
    {
        const char *Text;
        TfrxFormatKind Kind;
        const char *FormatStr;
        const char *Decimal;
    } cases[] = {
        {"n%2.2f", fkNumeric, "%2.2f", "."},
        {"N#,##0.00,", fkNumeric, "#,##0.00", ","}, // only the last separator chooses; at the end it goes
        {"n#,##0.00", fkNumeric, "#,##0.00", "."},
        {"n0-00", fkNumeric, "0.00", "-"},
        {"n%d", fkNumeric, "%d", ""},
        {"dd.mm.yyyy", fkDateTime, "d.mm.yyyy", ""},
        {"Thh:nn", fkDateTime, "hh:nn", ""},
        {"bДа,Нет", fkBoolean, "Да,Нет", ""},
        {"xyz", fkText, "yz", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Text);
        TfrxFormat f;
        TfrxFormat::ParseInline(QString::fromUtf8(c.Text), f);
        EXPECT_EQ(f.Kind(), c.Kind);
        EXPECT_EQ(f.FormatStr(), QString::fromUtf8(c.FormatStr));
        EXPECT_EQ(f.DecimalSeparator(), QString::fromUtf8(c.Decimal));
    }
}

TEST(MemoScan, BracketMatching)
{
    const struct
    {
        const char *Text;
        bool Found;
        const char *Expression;
        int I, J;
    } cases[] = {
        {"[a]", true, "a", 0, 2},     {"[a[b]c] d", true, "a[b]c", 0, 6},
        {"['[']", true, "'['", 0, 4}, {"[\"]\"]", true, "\"]\"", 0, 4},
        {"[]", true, "", 0, 1},       {"[a", false, "", 0, 0},
        {"[a[b]", false, "", 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Text);
        qsizetype i = 0, j = 0;
        QString expr;
        const bool found = zorGetBrackedVariableW(QString::fromUtf8(c.Text), QStringLiteral("["),
                                                  QStringLiteral("]"), i, j, expr);
        EXPECT_EQ(found, c.Found);
        if (found) {
            EXPECT_EQ(expr, QString::fromUtf8(c.Expression));
            EXPECT_EQ(i, c.I);
            EXPECT_EQ(j, c.J);
        }
    }
    qsizetype i = 0, j = 0;
    QString expr;
    ASSERT_TRUE(zorGetBrackedVariableW(QStringLiteral("<%x%>"), QStringLiteral("<%"), QStringLiteral("%>"), i,
                                       j, expr));
    EXPECT_EQ(expr, QStringLiteral("x"));
    EXPECT_EQ(j, 4);
}

// A report whose expressions come from a table; every calculated expression is logged.
struct Expanding : ::testing::Test
{
    TfrxReport report;
    TfrxReportPage *page = new TfrxReportPage(&report);
    TfrxMemoView *memo = new TfrxMemoView(page);
    QStringList calculated;
    QHash<QString, QVariant> values = {
        {QStringLiteral("1+2"), 3},
        {QStringLiteral("3*3"), 9},
        {QStringLiteral("a[b]c"), QStringLiteral("ABC")},
        {QStringLiteral("'['"), QStringLiteral("Q")},
        {QStringLiteral("Total"), 1234.5},
        {QStringLiteral("Flag"), true},
        {QStringLiteral("Zero"), 0},
        {QStringLiteral("'0'"), QStringLiteral("0")},
        {QStringLiteral("Lit"), QStringLiteral("[1+2]")},
        {QStringLiteral("Copy(' #', 1)"), QStringLiteral("C")},
        {QStringLiteral("Day"), QDate(2026, 3, 5)},
    };

    void SetUp() override
    {
        page->SetParent(&report);
        memo->SetParent(page);
        memo->SetName(QStringLiteral("Memo1"));
        memo->SetBounds(0, 0, 200, 40);
        report.SetCalcHandler([this](const QString &expr) {
            calculated.append(expr);
            if (expr == QLatin1String("Big"))
                return QVariant(report.LocalValue().toDouble() > 100);
            return values.value(expr);
        });
    }

    // One output of the object: its text between GetData and AfterPrint, without the last CR LF.
    QString Output(const QString &text)
    {
        memo->SetText(text);
        memo->BeforePrint();
        memo->GetData();
        QString out = memo->Memo().join(QStringLiteral("\r\n"));
        memo->AfterPrint();
        EXPECT_EQ(memo->Memo(), TfrxWideStrings::splitLines(text));
        return out;
    }
};

TEST_F(Expanding, ExpressionScan)
{
    const struct
    {
        const char *Text;
        const char *Expected;
    } cases[] = {
        {"Без скобок ] ' \" текст", "Без скобок ] ' \" текст"},
        {"Сумма: [1+2]", "Сумма: 3"},
        {"[1+2] и [3*3]", "3 и 9"},
        {"[a[b]c]", "ABC"},
        {"['[']", "Q"},
        {"x [] y", "x  y"},
        {"a [1+2", "a [1+2"}, // an opening delimiter without its closing one stays text
        {"[1+2] [3*3", "3 [3*3"},
        {"[[1+2]", "[[1+2]"},
        {"[Lit]", "[1+2]"}, // inserted values are not scanned again
        {"[Total #n%2.2f]", "1234.50"},
        {"[Total #n#,##0.00,]", "1\u00A0234,50"},
        {"[Flag #bДа,Нет]", "Да"},
        {"[Day #dd.mm.yyyy]", "5.03.2026"}, // the first letter after # is the kind
        {"[Copy(' #', 1)]", "C"},
        {"[totalpages#] [CopyName#]", "[TotalPages#] [CopyName#]"},
        {"a\r\n[1+2]\r\n", "a\r\n3"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(Output(QString::fromUtf8(c.Text)), QString::fromUtf8(c.Expected));
    }
    EXPECT_FALSE(calculated.contains(QString()));
}

TEST_F(Expanding, TemplateTextComesBackAfterEveryOutput)
{
    memo->SetText(QStringLiteral("Сумма: [1+2]"));
    memo->BeforePrint();
    memo->GetData();
    EXPECT_EQ(memo->Text(), QStringLiteral("Сумма: 3\r\n"));
    EXPECT_EQ(memo->Value(), QVariant(3));
    EXPECT_EQ(report.LocalValue(), QVariant(3));
    memo->AfterPrint();
    EXPECT_EQ(memo->Text(), QStringLiteral("Сумма: [1+2]\r\n"));
}

TEST_F(Expanding, DelimitersAndSwitches)
{
    memo->SetExpressionDelimiters(QStringLiteral("<%,%>"));
    EXPECT_EQ(Output(QStringLiteral("[1+2] <%3*3%>")), QStringLiteral("[1+2] 9"));
    memo->SetExpressionDelimiters(QStringLiteral("[]"));
    EXPECT_EQ(Output(QStringLiteral("[1+2]")), QStringLiteral("[1+2]"));
    memo->SetExpressionDelimiters(QStringLiteral(",]"));
    EXPECT_EQ(Output(QStringLiteral("[1+2]")), QStringLiteral("[1+2]"));
    memo->SetExpressionDelimiters(QStringLiteral("[,]"));
    memo->SetAllowExpressions(false);
    EXPECT_EQ(Output(QStringLiteral("[1+2]")), QStringLiteral("[1+2]"));
}

TEST_F(Expanding, FormatsApplyInOrder)
{
    auto *first = static_cast<TfrxFormat *>(memo->Formats()->Add());
    first->SetKind(fkNumeric);
    first->SetFormatStr(QStringLiteral("0.00"));
    EXPECT_EQ(Output(QStringLiteral("[Total] [1+2]")), QStringLiteral("1234,50 3,00"));
    auto *second = static_cast<TfrxFormat *>(memo->Formats()->Add());
    second->SetKind(fkBoolean);
    second->SetFormatStr(QStringLiteral("да,нет"));
    EXPECT_EQ(Output(QStringLiteral("[Total] [Flag] [Zero]")), QStringLiteral("1234,50 да нет"));
}

TEST_F(Expanding, HideZeros)
{
    memo->SetHideZeros(true);
    EXPECT_EQ(Output(QStringLiteral("[Zero]")), QString());
    EXPECT_EQ(Output(QStringLiteral("['0']")), QStringLiteral("0"));
    EXPECT_EQ(Output(QStringLiteral("[1+2]")), QStringLiteral("3"));
}

TEST_F(Expanding, SuppressRepeated)
{
    memo->SetSuppressRepeated(true);
    EXPECT_EQ(Output(QStringLiteral("[1+2]")), QStringLiteral("3"));
    EXPECT_EQ(Output(QStringLiteral("[1+2]")), QString());
    EXPECT_EQ(Output(QStringLiteral("[1+2]")), QString());
    EXPECT_EQ(Output(QStringLiteral("[3*3]")), QStringLiteral("9"));
    memo->ResetSuppress();
    EXPECT_EQ(Output(QStringLiteral("[3*3]")), QStringLiteral("9"));
}

TEST_F(Expanding, HighlightAppliesForOneOutput)
{
    auto *h = static_cast<TfrxHighlight *>(memo->Highlights()->Add());
    h->SetCondition(QStringLiteral("Big"));
    h->SetVisible(false);
    h->SetColor(clRed);
    memo->Font()->SetName(QStringLiteral("Tahoma"));
    memo->SetColor(clWhite);

    memo->SetText(QStringLiteral("[Total]"));
    memo->BeforePrint();
    memo->GetData();
    EXPECT_TRUE(memo->HighlightActivated());
    EXPECT_EQ(memo->Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(memo->Font()->Color(), clRed);
    EXPECT_EQ(memo->Color(), clRed);
    EXPECT_FALSE(memo->Visible());
    memo->AfterPrint();
    EXPECT_FALSE(memo->HighlightActivated());
    EXPECT_EQ(memo->Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(memo->Color(), clWhite);
    EXPECT_TRUE(memo->Visible());

    // A value below the limit: the condition is false, nothing changes.
    memo->SetText(QStringLiteral("[1+2]"));
    memo->BeforePrint();
    memo->GetData();
    EXPECT_FALSE(memo->HighlightActivated());
    EXPECT_TRUE(memo->Visible());
    memo->AfterPrint();
}

TEST_F(Expanding, MacrosFilledAtDrawingTime)
{
    memo->SetText(QStringLiteral("[TotalPages#] / [COPYNAME#]"));
    memo->SetTotalPages(5);
    memo->SetCopyNo(2);
    memo->ExtractMacros();
    EXPECT_EQ(memo->Text(), QStringLiteral("5 / \r\n"));
    TfrxReport::SetGlobalVariable(QStringLiteral("CopyName"), QStringLiteral("Копия "));
    memo->SetText(QStringLiteral("[TotalPages#] / [COPYNAME#]"));
    memo->ExtractMacros();
    TfrxReport::RemoveGlobalVariable(QStringLiteral("CopyName"));
    EXPECT_EQ(memo->Text(), QStringLiteral("5 / Копия 2\r\n"));
    memo->SetText(QStringLiteral("Стр. из [totalpages] и [TOTALPAGES]"));
    EXPECT_EQ(memo->GetComponentText(), QStringLiteral("Стр. из 5 и [TOTALPAGES]\r\n"));
}

TEST_F(Expanding, StyleAppliedByName)
{
    TfrxStyleItem *style = report.Styles()->Add();
    style->SetName(QStringLiteral("Заголовок"));
    style->SetColor(clRed);
    style->Font()->SetName(QStringLiteral("Tahoma"));
    style->Frame()->SetTyp(ftLeft | ftTop);
    memo->SetStyle(QStringLiteral("заголовок"));
    EXPECT_EQ(memo->Color(), clRed);
    EXPECT_EQ(memo->Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_FALSE(memo->ParentFont());
    EXPECT_EQ(memo->Frame()->Typ(), ftLeft | ftTop);
    memo->SetColor(clWhite);
    memo->SetStyle(QStringLiteral("Нет такого"));
    EXPECT_EQ(memo->Color(), clWhite);
}

TEST_F(Expanding, TextFlowsIntoAnotherObject)
{
    auto *next = new TfrxMemoView(page);
    next->SetParent(page);
    next->SetBounds(0, 100, 200, 200);
    memo->SetBounds(0, 0, 200, 22);
    memo->SetFlowTo(next);
    QStringList words;
    for (int i = 0; i < 40; ++i)
        words.append(QStringLiteral("слово%1").arg(i));
    memo->SetText(words.join(QLatin1Char(' ')));
    memo->BeforePrint();
    memo->GetData();
    EXPECT_FALSE(next->AllowExpressions());
    const QString kept = memo->Memo().join(QLatin1Char(' '));
    const QString rest = next->Memo().join(QLatin1Char(' '));
    EXPECT_FALSE(kept.isEmpty());
    EXPECT_FALSE(rest.isEmpty());
    EXPECT_EQ((kept + QLatin1Char(' ') + rest).simplified(), words.join(QLatin1Char(' ')));
    memo->AfterPrint();
    memo->SetFlowTo(memo);
    EXPECT_EQ(memo->FlowTo(), nullptr);
}

TEST_F(Expanding, DataFieldValues)
{
    TfrxUserDataSet data;
    data.SetUserName(QStringLiteral("Часы"));
    data.SetFields({QStringLiteral("N")});
    QVariant value = 12.5;
    data.OnGetValue = [&value](const QString &, QVariant &v) { v = value; };
    memo->SetDataSet(&data);
    memo->SetDataField(QStringLiteral("N"));
    memo->SetText(QStringLiteral("[1+2]"));
    memo->DisplayFormat()->SetKind(fkNumeric);
    memo->DisplayFormat()->SetFormatStr(QStringLiteral("0.00"));
    memo->SetHideZeros(true);
    memo->BeforePrint();
    memo->GetData();
    EXPECT_EQ(memo->Text(), QStringLiteral("12,50\r\n"));
    EXPECT_EQ(memo->Value(), QVariant(12.5));
    EXPECT_FALSE(calculated.contains(QStringLiteral("1+2")));
    memo->AfterPrint();
    value = 0;
    memo->BeforePrint();
    memo->GetData();
    EXPECT_TRUE(memo->Memo().isEmpty());
    memo->AfterPrint();
    memo->SetDataSet(nullptr);
}

TEST(Memo, RotationKeepsTheSignOfItsRemainder)
{
    TfrxMemoView memo;
    for (const auto &[in, out] : {std::pair{450, 90}, {-450, -90}, {-90, -90}, {360, 0}, {725, 5}}) {
        memo.SetRotation(in);
        EXPECT_EQ(memo.Rotation(), out) << in;
    }
}

TEST(Memo, TextRectangleLessGapsAndFrame)
{
    TfrxMemoView memo;
    memo.SetBounds(0, 0, 100, 20);
    memo.BeginDraw(nullptr, 1, 1, 0, 0);
    QRect r = memo.TextRect();
    EXPECT_EQ(r.left(), 2);
    EXPECT_EQ(r.top(), 1);
    EXPECT_EQ(r.left() + r.width(), 99);
    EXPECT_EQ(r.top() + r.height(), 20);

    memo.Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    memo.Frame()->SetWidth(3);
    memo.BeginDraw(nullptr, 2, 2, 10, 10);
    r = memo.TextRect();
    // left 10 + nearest(5 / 2) + 4, right 210 - 3 - 4 + 1, bottom 50 - 3 - 2 + 1
    EXPECT_EQ(r.left(), 16);
    EXPECT_EQ(r.top(), 14);
    EXPECT_EQ(r.left() + r.width(), 204);
    EXPECT_EQ(r.top() + r.height(), 46);
    EXPECT_DOUBLE_EQ(memo.AdjustCalcHeight(), 2 + 1 + 1.5);
    EXPECT_DOUBLE_EQ(memo.AdjustCalcWidth(), 4 + 1 + 1.5);
}

TEST(Memo, TextFormHasNoExtraLineForAFinalBreak)
{
    TfrxMemoView a, b;
    a.SetText(QStringLiteral("один\r\nдва\r\n"));
    b.SetText(QStringLiteral("один\nдва"));
    EXPECT_EQ(a.Memo(), b.Memo());
    EXPECT_EQ(a.Text(), QStringLiteral("один\r\nдва\r\n"));
    a.SetText(QString());
    EXPECT_TRUE(a.Memo().isEmpty());
}

TEST(Memo, AnsiTextInTheFontsCodePage)
{
    TfrxMemoView memo;
    memo.SetText(QStringLiteral("Да"));
    EXPECT_EQ(memo.AnsiText(), QByteArray("\xC4\xE0\r\n"));
    memo.Font()->SetCharset(0);
    memo.SetText(QStringLiteral("Café Ж"));
    EXPECT_EQ(memo.AnsiText(), QByteArray("Caf\xE9 \x1A\r\n"));
    memo.Font()->SetCharset(204);
    memo.SetAnsiText(QByteArray("\xCD\xE5\xF2\r\n"));
    EXPECT_EQ(memo.Memo(), QStringList{QStringLiteral("Нет")});
}

TEST(Memo, PublishedPropertiesInStorageOrder)
{
    TfrxMemoView memo;
    QStringList own;
    const QMetaObject *mo = memo.metaObject();
    for (int i = TfrxView::staticMetaObject.propertyCount(); i < mo->propertyCount(); ++i)
        own.append(QString::fromLatin1(mo->property(i).name()));
    const QString expected = QStringLiteral(
        "StretchMode FirstParaBreak LastParaBreak Cursor TagStr URL AutoWidth AllowExpressions AllowHTMLTags "
        "BrushStyle CharSpacing Clipped Color DataField DataSet DataSetName DisplayFormat "
        "ExpressionDelimiters "
        "FlowTo Font Frame FillType Fill GapX GapY HAlign HideZeros Highlight LineSpacing Memo ParagraphGap "
        "ParentFont Rotation RTLReading Style SuppressRepeated Underlines UseDefaultCharset WordBreak "
        "WordWrap "
        "Wysiwyg VAlign");
    EXPECT_EQ(own.join(QLatin1Char(' ')), expected);
    for (const char *name : {"TfrxMemoView", "TfrxSysMemoView"})
        EXPECT_NE(TfrxClassRegistry::Instance().Find(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(TfrxSysMemoView().GetDescription(), QStringLiteral("System text"));
}

TEST(Memo, StoredOnlyWhenTheirConditionsHold)
{
    TfrxMemoView memo;
    const auto stored = [&memo](const char *name) {
        const QMetaObject *mo = memo.metaObject();
        return TfrxProperties::IsStored(&memo, mo->property(mo->indexOfProperty(name)));
    };
    EXPECT_FALSE(stored("Font"));
    EXPECT_FALSE(stored("DisplayFormat"));
    EXPECT_FALSE(stored("URL"));
    memo.Font()->SetName(QStringLiteral("Tahoma"));
    memo.SetParentFont(false);
    EXPECT_TRUE(stored("Font"));
    memo.DisplayFormat()->SetKind(fkNumeric);
    EXPECT_TRUE(stored("DisplayFormat"));
    memo.Formats()->Add();
    EXPECT_FALSE(stored("DisplayFormat"));
    EXPECT_EQ(memo.NestedPropertiesToWrite(), QStringList{QStringLiteral("Formats")});

    memo.Highlight();
    EXPECT_FALSE(stored("Highlight"));
    memo.Highlight()->SetCondition(QStringLiteral("  Value > 1 "));
    EXPECT_TRUE(stored("Highlight"));
    EXPECT_EQ(memo.NestedCollection(QStringLiteral("Highlights")), memo.Highlights());
    EXPECT_EQ(memo.NestedCollection(QStringLiteral("Frame")), nullptr);
}

TEST(Memo, DifferenceText)
{
    TfrxMemoView memo, base;
    memo.SetText(QStringLiteral("Привет"));
    memo.SetHAlign(haCenter);
    memo.SetAutoWidth(true);
    memo.SetWidth(50);
    memo.SetFirstParaBreak(true);
    memo.DisplayFormat()->SetFormatStr(QStringLiteral("0.00"));
    const QString diff = memo.Diff(&base);
    EXPECT_TRUE(diff.contains(QStringLiteral(" HAlign=\"2\""))) << diff.toStdString();
    EXPECT_TRUE(diff.contains(QStringLiteral(" AutoWidth=\"True\"")));
    EXPECT_FALSE(diff.contains(QStringLiteral(" w=")));
    EXPECT_TRUE(diff.contains(QStringLiteral(" u=\"Привет\"")));
    EXPECT_TRUE(diff.contains(QStringLiteral(" DisplayFormat.FormatStr=\"0.00\"")));
    EXPECT_FALSE(diff.contains(QStringLiteral("DisplayFormat.Kind")));
    EXPECT_TRUE(diff.endsWith(QStringLiteral(" FirstParaBreak=\"True\"")));
    EXPECT_LT(diff.indexOf(QStringLiteral(" HAlign")), diff.indexOf(QStringLiteral(" u=")));
    base.SetText(QStringLiteral("Привет"));
    memo.SetText(QString());
    EXPECT_TRUE(memo.Diff(&base).contains(QStringLiteral(" u=\"\"")));
}

TEST(Memo, AssignCopiesFormatsAndHighlights)
{
    TfrxMemoView a, b;
    a.SetText(QStringLiteral("x"));
    static_cast<TfrxFormat *>(a.Formats()->Add())->SetFormatStr(QStringLiteral("1"));
    static_cast<TfrxFormat *>(a.Formats()->Add())->SetFormatStr(QStringLiteral("2"));
    a.Highlight()->SetCondition(QStringLiteral("c"));
    b.Assign(&a);
    ASSERT_EQ(b.Formats()->Count(), 2);
    EXPECT_EQ(static_cast<TfrxFormat *>(b.Formats()->Item(1))->FormatStr(), QStringLiteral("2"));
    EXPECT_EQ(b.Highlight()->Condition(), QStringLiteral("c"));
    EXPECT_EQ(b.Memo(), a.Memo());
}

TEST(Memo, HighlightDefaults)
{
    TfrxHighlight h;
    EXPECT_EQ(h.Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(h.Font()->Size(), 10);
    EXPECT_EQ(h.Font()->Color(), clRed);
    EXPECT_TRUE(h.ApplyFont());
    EXPECT_TRUE(h.ApplyFill());
    EXPECT_FALSE(h.ApplyFrame());
    EXPECT_TRUE(h.Visible());
    EXPECT_EQ(h.Color(), clTransparent);
}

// Measuring and splitting of an object without a report (the process-wide engine).
TEST(MemoLayout, HeightWidthAndSplit)
{
    TfrxMemoView memo;
    memo.SetBounds(0, 0, 150, 40);
    memo.SetText(QStringLiteral("строка"));
    const double one = memo.CalcHeight();
    memo.SetText(QStringLiteral("строка\nстрока\nстрока"));
    const double three = memo.CalcHeight();
    EXPECT_GT(one, 2);
    EXPECT_NEAR(three - 2, 3 * (one - 2), 3);
    EXPECT_EQ(three, std::round(three));

    memo.SetText(QStringLiteral("ширина"));
    const double w = memo.CalcWidth();
    memo.SetText(QStringLiteral("ширинаширина"));
    EXPECT_GT(memo.CalcWidth(), w * 1.6);

    // A text three times taller than the object: the part that fits stays, the rest goes on.
    memo.SetText(QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8"));
    memo.SetHeight(one * 3);
    memo.InitPart();
    const double left = memo.DrawPart();
    EXPECT_GT(left, 0);
    EXPECT_GE(memo.Memo().size(), 2);
    EXPECT_LT(memo.Memo().size(), 8);
    EXPECT_FALSE(memo.PartMemo().isEmpty());

    // Nothing fits: the whole height is left.
    memo.SetHeight(1);
    memo.SetText(QStringLiteral("1\n2"));
    memo.InitPart();
    EXPECT_DOUBLE_EQ(memo.DrawPart(), 1);
}

TEST(MemoLayout, WrappedText)
{
    TfrxMemoView memo;
    memo.SetBounds(0, 0, 80, 100);
    memo.SetText(QStringLiteral("один два три четыре пять шесть"));
    const QStringList lines = memo.WrapText(true).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_GT(lines.size(), 1);
    EXPECT_EQ(lines.join(QLatin1Char(' ')).simplified(), QStringLiteral("один два три четыре пять шесть"));
    memo.SetText(QStringLiteral("<b>жирный</b> текст"));
    EXPECT_EQ(memo.WrapText(false), QStringLiteral("<b>жирный</b> текст\r\n"));
    memo.SetAllowHTMLTags(true);
    EXPECT_EQ(memo.WrapText(false), QStringLiteral("жирный текст\r\n"));
}

TEST(MemoLayout, DesignerShowsTheBoundField)
{
    TfrxUserDataSet data;
    data.SetUserName(QStringLiteral("Данные"));
    TfrxMemoView memo;
    memo.SetBounds(0, 0, 200, 20);
    memo.SetDataSet(&data);
    memo.SetDataField(QStringLiteral("Поле"));
    memo.SetText(QStringLiteral("шаблон"));
    memo.SetIsDesigning(true);
    QImage image(220, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    memo.Draw(&p, 1, 1, 0, 0);
    EXPECT_EQ(memo.Text(), QStringLiteral("шаблон\r\n"));
    // The highlight's preview in the designer.
    memo.Highlight()->SetActive(true);
    memo.Highlight()->SetVisible(false);
    memo.ApplyPreviewHighlight();
    EXPECT_FALSE(memo.Visible());
    memo.SetDataSet(nullptr);
}

TEST(MemoLayout, AutoWidthKeepsTheAlignedEdge)
{
    TfrxReport report;
    auto *page = new TfrxReportPage(&report);
    page->SetParent(&report);
    auto *memo = new TfrxMemoView(page);
    memo->SetParent(page);
    memo->SetBounds(100, 0, 300, 20);
    memo->SetText(QStringLiteral("Короткий"));
    memo->SetAutoWidth(true);
    memo->SetHAlign(haRight);
    QImage image(600, 100, QImage::Format_RGB32);
    QPainter p(&image);
    memo->Draw(&p, 1, 1, 0, 0);
    EXPECT_LT(memo->Width(), 300);
    EXPECT_NEAR(memo->Left() + memo->Width(), 400, 1e-9);
    EXPECT_NEAR(memo->Width(), memo->CalcWidth(), 0.5);
}

} // namespace
