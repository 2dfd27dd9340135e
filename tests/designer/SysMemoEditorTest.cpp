// The system-text and aggregate editor driven through its widgets: the aggregate texts it builds,
// the choice it opens with, and the entry points that change the object only on OK.
#include "TextDialogsFixture.h"

#include "TfrxSysMemoEditorForm.h"
#include "zorEditorDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

class SysMemoEditorTest : public TextDialogsFixture
{
protected:
    void Open(TfrxSysMemoEditorForm::Mode mode = TfrxSysMemoEditorForm::SystemText)
    {
        form = std::make_unique<TfrxSysMemoEditorForm>(*designer, mode);
        form->show();
    }
    QComboBox *Box(const char *name) const { return Child<QComboBox>(form.get(), name); }

    std::unique_ptr<TfrxSysMemoEditorForm> form;
};

TEST_F(SysMemoEditorTest, AggregateTexts)
{
    const struct
    {
        QString function;
        QString band;
        QString dataSet;
        QString field;
        QString expression;
        bool invisible;
        bool running;
        QString text;
    } cases[] = {
        {u"SUM"_s, u"MasterData1"_s, u"Sales"_s, u"Amount"_s, {}, false, true,
         u"SUM(<Sales.\"Amount\">,MasterData1,2)"_s},
        {u"COUNT"_s, u"MasterData1"_s, {}, {}, {}, false, false, u"COUNT(MasterData1)"_s},
        {u"COUNT"_s, u"MasterData1"_s, {}, {}, {}, true, true, u"COUNT(MasterData1,3)"_s},
        {u"MAX"_s, u"MasterData1"_s, u"Sales"_s, u"Amount"_s, {}, true, false,
         u"MAX(<Sales.\"Amount\">,MasterData1,1)"_s},
        // An expression wins over the data field.
        {u"AVG"_s, {}, u"Sales"_s, u"Amount"_s, u"<Sales.\"Amount\"> * 2"_s, false, false,
         u"AVG(<Sales.\"Amount\"> * 2)"_s},
        // Flags follow the band: without one they are not written.
        {u"MIN"_s, {}, u"Customers"_s, u"Name"_s, {}, true, true, u"MIN(<Customers.\"Name\">)"_s},
    };
    for (const auto &c : cases) {
        Open();
        Child<QRadioButton>(form.get(), "AggregateRB")->setChecked(true);
        Box("FunctionCB")->setCurrentText(c.function);
        Box("BandCB")->setCurrentText(c.band);
        Box("DataSetCB")->setCurrentText(c.dataSet);
        Box("DataFieldCB")->setCurrentText(c.field);
        Child<QLineEdit>(form.get(), "ExpressionE")->setText(c.expression);
        Child<QCheckBox>(form.get(), "CountInvisibleCB")->setChecked(c.invisible);
        Child<QCheckBox>(form.get(), "RunningTotalCB")->setChecked(c.running);
        EXPECT_EQ(form->AggregateText(), c.text);
        EXPECT_EQ(form->Text(), u'[' + c.text + u']');
        EXPECT_EQ(Child<QLabel>(form.get(), "SampleL")->text(), u'[' + c.text + u']');
    }
}

TEST_F(SysMemoEditorTest, ABandChoosesItsDataSetAndADataSetEmptiesTheExpression)
{
    Open();
    Child<QRadioButton>(form.get(), "AggregateRB")->setChecked(true);
    // The page's first data band is chosen at start, and with it Sales.
    EXPECT_EQ(Box("BandCB")->currentText(), u"MasterData1"_s);
    EXPECT_EQ(Box("DataSetCB")->currentText(), u"Sales"_s);
    EXPECT_EQ(Box("DataFieldCB")->itemText(0), u"Amount"_s);
    auto *expression = Child<QLineEdit>(form.get(), "ExpressionE");
    expression->setText(u"1"_s);
    Box("DataSetCB")->setCurrentText(u"Customers"_s);
    EXPECT_TRUE(expression->text().isEmpty());
    EXPECT_EQ(Box("DataFieldCB")->count(), 2);
    expression->setText(u"1"_s);
    Box("DataFieldCB")->setCurrentIndex(1);
    EXPECT_TRUE(expression->text().isEmpty());

    designer->ExpressionAnswer = u"<Sales.\"Amount\"> / 100"_s;
    Child<QToolButton>(form.get(), "ExpressionB")->click();
    EXPECT_EQ(expression->text(), designer->ExpressionAnswer);
}

TEST_F(SysMemoEditorTest, OpensOnTheVariableOrOnTheText)
{
    const struct
    {
        QString text;
        const char *choice;
        QString shown;
    } cases[] = {
        {QString(), "VariableRB", u"[DATE]"_s},
        {u"[PAGE#] of [TOTALPAGES#]\r\n"_s, "VariableRB", u"[PAGE#] of [TOTALPAGES#]"_s},
        {u"[LINE#]"_s, "VariableRB", u"[LINE#]"_s},
        {u"[SUM(<Sales.\"Amount\">)]\r\n"_s, "TextRB", u"[SUM(<Sales.\"Amount\">)]"_s},
        {u"Page [PAGE#]\r\nof two lines\r\n"_s, "TextRB", u"Page [PAGE#]\nof two lines"_s},
    };
    for (const auto &c : cases) {
        Open();
        form->SetText(c.text);
        EXPECT_TRUE(Child<QRadioButton>(form.get(), c.choice)->isChecked()) << c.text.toStdString();
        EXPECT_EQ(form->Text(), c.shown) << c.text.toStdString();
    }
}

TEST_F(SysMemoEditorTest, InsertAggregateShowsTheAggregatePartAlone)
{
    Open(TfrxSysMemoEditorForm::AggregateOnly);
    EXPECT_EQ(form->windowTitle(), u"Insert Aggregate"_s);
    EXPECT_FALSE(Child<QRadioButton>(form.get(), "VariableRB")->isVisible());
    EXPECT_FALSE(Child<QPlainTextEdit>(form.get(), "TextMemo")->isVisible());
    EXPECT_TRUE(Box("FunctionCB")->isEnabled());
    EXPECT_EQ(form->Text(), u"[SUM(<Sales.\"Amount\">,MasterData1)]"_s);
}

TEST_F(SysMemoEditorTest, TheObjectChangesOnlyOnOk)
{
    memo->SetText(u"Old"_s);
    EXPECT_TRUE(AnswerModal<TfrxSysMemoEditorForm>(
        [this] { EXPECT_FALSE(zorEditSysMemo(*designer, memo)); },
        [](TfrxSysMemoEditorForm *f) {
            Child<QRadioButton>(f, "VariableRB")->setChecked(true);
            f->reject();
        }));
    EXPECT_EQ(memo->Text(), u"Old\r\n"_s);
    EXPECT_TRUE(AnswerModal<TfrxSysMemoEditorForm>(
        [this] { EXPECT_TRUE(zorEditSysMemo(*designer, memo)); },
        [](TfrxSysMemoEditorForm *f) {
            Child<QRadioButton>(f, "AggregateRB")->setChecked(true);
            Child<QComboBox>(f, "FunctionCB")->setCurrentText(u"COUNT"_s);
            f->accept();
        }));
    EXPECT_EQ(memo->Text(), u"[COUNT(MasterData1)]\r\n"_s);
}

} // namespace
