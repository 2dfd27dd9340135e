// The display format editor driven through its widgets: one format per expression reaching the
// object only on OK, the categories with their samples, and what each category stores.
#include "TextDialogsFixture.h"

#include "TfrxFormat.h"
#include "TfrxFormatEditorForm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zor;

namespace {

class FormatEditorTest : public TextDialogsFixture
{
protected:
    void Open()
    {
        form = std::make_unique<TfrxFormatEditorForm>(*memo);
        form->show();
    }

    TfrxFormat *Format(int index) const { return static_cast<TfrxFormat *>(memo->Formats()->Item(index)); }
    void SetFormats(const QList<QPair<TfrxFormatKind, QString>> &formats) const
    {
        memo->Formats()->Clear();
        for (const auto &[kind, text] : formats) {
            auto *format = static_cast<TfrxFormat *>(memo->Formats()->Add());
            format->SetKind(kind);
            format->SetFormatStr(text);
        }
    }
    QComboBox *Expressions() const { return Child<QComboBox>(form.get(), "ExpressionCB"); }
    QListWidget *Categories() const { return Child<QListWidget>(form.get(), "CategoryLB"); }
    QListWidget *Samples() const { return Child<QListWidget>(form.get(), "FormatLB"); }
    QLineEdit *FormatString() const { return Child<QLineEdit>(form.get(), "FormatE"); }
    QLineEdit *Separator() const { return Child<QLineEdit>(form.get(), "SeparatorE"); }
    void Ok() const { QTest::mouseClick(Child<QPushButton>(form.get(), "OkB"), Qt::LeftButton); }

    std::unique_ptr<TfrxFormatEditorForm> form;
};

TEST_F(FormatEditorTest, EachExpressionGetsOneFormatOnOk)
{
    memo->SetText(u"Sum: [A] of [B]"_s);
    SetFormats({{fkNumeric, u"%2.2f"_s}});
    Open();
    EXPECT_EQ(Expressions()->count(), 2);
    EXPECT_EQ(Expressions()->itemText(1), u"[B]"_s);
    EXPECT_TRUE(Expressions()->isEnabled());
    // The object has its one format until OK.
    EXPECT_EQ(memo->Formats()->Count(), 1);
    Ok();
    ASSERT_EQ(memo->Formats()->Count(), 2);
    EXPECT_EQ(Format(0)->Kind(), fkNumeric);
    EXPECT_EQ(Format(0)->FormatStr(), u"%2.2f"_s);
    EXPECT_EQ(Format(1)->Kind(), fkText);
}

TEST_F(FormatEditorTest, ATextWithoutExpressionsKeepsItsFirstFormatOnly)
{
    memo->SetText(u"No expressions here"_s);
    SetFormats({{fkDateTime, u"dd.mm.yyyy"_s}, {fkNumeric, u"%g"_s}, {fkBoolean, u"No,Yes"_s}});
    Open();
    EXPECT_FALSE(Expressions()->isEnabled());
    EXPECT_EQ(Categories()->currentRow(), int(fkDateTime));
    Ok();
    ASSERT_EQ(memo->Formats()->Count(), 1);
    EXPECT_EQ(Format(0)->FormatStr(), u"dd.mm.yyyy"_s);
}

TEST_F(FormatEditorTest, CancelKeepsTheFormatsTheObjectHad)
{
    memo->SetText(u"[A] [B] [C]"_s);
    SetFormats({{fkNumeric, u"%2.2f"_s}});
    Open();
    Categories()->setCurrentRow(int(fkBoolean));
    form->reject();
    ASSERT_EQ(memo->Formats()->Count(), 1);
    EXPECT_EQ(Format(0)->Kind(), fkNumeric);
}

// Every category lists the samples of its string-table keys; choosing one fills the format string.
TEST_F(FormatEditorTest, CategoriesOfferTheirSamples)
{
    const struct
    {
        TfrxFormatKind kind;
        QStringList samples;
        QString secondFormat;
        bool formatEnabled;
        bool separatorEnabled;
    } cases[] = {
        {fkText, {}, QString(), false, false},
        {fkNumeric, {u"1234.5"_s, u"1234.50"_s, u"1,234.50"_s, u"$1,234.50"_s}, u"%2.2f"_s, true, true},
        {fkDateTime,
         {u"11.28.2002"_s, u"28 nov 2002"_s, u"November 28, 2002"_s, u"02:14"_s, u"02:14am"_s, u"02:14:00"_s,
          u"02:14am, November 28, 2002"_s},
         u"dd mmm yyyy"_s, true, false},
        {fkBoolean, {u"0,1"_s, u"No,Yes"_s, u"_,x"_s, u"False,True"_s}, u"No,Yes"_s, true, false},
    };
    memo->SetText(u"[A]"_s);
    Open();
    for (const auto &c : cases) {
        Categories()->setCurrentRow(int(c.kind));
        QStringList shown;
        for (int i = 0; i < Samples()->count(); ++i)
            shown.append(Samples()->item(i)->text());
        EXPECT_EQ(shown, c.samples) << int(c.kind);
        EXPECT_EQ(FormatString()->isEnabled(), c.formatEnabled) << int(c.kind);
        EXPECT_EQ(Separator()->isEnabled(), c.separatorEnabled) << int(c.kind);
        if (!c.samples.isEmpty()) {
            Samples()->setCurrentRow(1);
            EXPECT_EQ(FormatString()->text(), c.secondFormat);
        }
    }
}

TEST_F(FormatEditorTest, EachExpressionKeepsItsOwnFormatWhileChoosing)
{
    memo->SetText(u"[A] [B]"_s);
    SetFormats({{fkNumeric, u"%2.2n"_s}, {fkNumeric, u"%g"_s}});
    Open();
    EXPECT_EQ(Samples()->currentItem()->text(), u"1,234.50"_s); // the current format's sample
    Separator()->setText(u","_s);
    Expressions()->setCurrentIndex(1);
    EXPECT_EQ(FormatString()->text(), u"%g"_s);
    Categories()->setCurrentRow(int(fkDateTime));
    Samples()->setCurrentRow(1);
    Expressions()->setCurrentIndex(0);
    EXPECT_EQ(FormatString()->text(), u"%2.2n"_s);
    Ok();
    EXPECT_EQ(Format(0)->Kind(), fkNumeric);
    EXPECT_EQ(Format(0)->DecimalSeparator(), u","_s);
    EXPECT_EQ(Format(1)->Kind(), fkDateTime);
    EXPECT_EQ(Format(1)->FormatStr(), u"dd mmm yyyy"_s);
}

TEST_F(FormatEditorTest, TextStoresNoFormatStringAndNoSeparators)
{
    memo->SetText(u"[A]"_s);
    SetFormats({{fkNumeric, u"%2.2f"_s}});
    Format(0)->SetDecimalSeparator(u","_s);
    Format(0)->SetThousandSeparator(u" "_s);
    Open();
    Categories()->setCurrentRow(int(fkText));
    Ok();
    EXPECT_EQ(Format(0)->Kind(), fkText);
    EXPECT_TRUE(Format(0)->FormatStr().isEmpty());
    EXPECT_TRUE(Format(0)->DecimalSeparator().isEmpty());
    EXPECT_TRUE(Format(0)->ThousandSeparator().isEmpty());
}

} // namespace
