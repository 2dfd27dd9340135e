// "Group" of a group header, driven through its widgets: what the condition shows on opening, how
// the choices make the condition, and the options.
#include "TfrxGroupEditorForm.h"

#include "StructureDialogsFixture.h"
#include "TfrxBands.h"
#include "TfrxExpressionEdit.h"
#include "TfrxReportPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {

using namespace structuretest;

class GroupEditorTest : public ::testing::Test
{
protected:
    GroupEditorTest()
        : report(designertest::EmptyReport()), band(new TfrxGroupHeader(designertest::FirstPage(*report))),
          designer(*report, designertest::FirstPage(*report))
    {
        band->SetName(QStringLiteral("GroupHeader1"));
        AddDataSet(*report, QStringLiteral("Orders"), {QStringLiteral("Total"), QStringLiteral("Date")});
        AddDataSet(*report, QStringLiteral("Customers"), {QStringLiteral("Id"), QStringLiteral("Name")});
    }

    void open()
    {
        dialog = std::make_unique<TfrxGroupEditorForm>(designer, *band);
        dialog->show();
    }
    template <class T> T *widget(const char *name) const
    {
        return child<T>(dialog.get(), QLatin1String(name));
    }
    void ok() const { click(dialog.get(), QStringLiteral("OkB")); }

    std::unique_ptr<TfrxReport> report;
    TfrxGroupHeader *band;
    FakeDesigner designer;
    std::unique_ptr<TfrxGroupEditorForm> dialog;
};

TEST_F(GroupEditorTest, ADataFieldChoiceIsStoredAsAliasPointQuotedFieldAndReopensAsThatChoice)
{
    band->SetCondition(QStringLiteral("[Page#]"));
    open();
    click(dialog.get(), QStringLiteral("DataFieldRB"));
    widget<QComboBox>("DataSetCB")->setCurrentText(QStringLiteral("Customers"));
    widget<QComboBox>("DataFieldCB")->setCurrentText(QStringLiteral("Name"));
    ok();
    EXPECT_EQ(band->Condition(), QStringLiteral("Customers.\"Name\""));

    open();
    EXPECT_TRUE(widget<QRadioButton>("DataFieldRB")->isChecked());
    EXPECT_EQ(widget<QComboBox>("DataSetCB")->currentText(), QStringLiteral("Customers"));
    EXPECT_EQ(widget<QComboBox>("DataFieldCB")->currentText(), QStringLiteral("Name"));
    EXPECT_FALSE(widget<TfrxExpressionEdit>("ExpressionE")->isEnabled());
}

TEST_F(GroupEditorTest, WhatTheConditionShowsOnOpening)
{
    struct Case
    {
        const char *condition;
        bool dataField;
        const char *dataSet, *field, *expression;
        const char *okGives; // the condition that OK stores without further choices
    };
    const Case cases[] = {
        // Empty: the first data set by name and its first field.
        {"", true, "Customers", "Id", "", "Customers.\"Id\""},
        {"Orders.\"Date\"", true, "Orders", "Date", "", "Orders.\"Date\""},
        // A data set the report does not list is no field reference.
        {"Suppliers.\"Name\"", false, "Customers", "Id", "Suppliers.\"Name\"", "Suppliers.\"Name\""},
        {"<Orders.\"Total\"> div 100", false, "Customers", "Id", "<Orders.\"Total\"> div 100",
         "<Orders.\"Total\"> div 100"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.condition);
        band->SetCondition(QLatin1String(c.condition));
        open();
        EXPECT_EQ(widget<QRadioButton>("DataFieldRB")->isChecked(), c.dataField);
        EXPECT_EQ(widget<QRadioButton>("ExpressionRB")->isChecked(), !c.dataField);
        EXPECT_EQ(widget<QComboBox>("DataSetCB")->currentText(), QLatin1String(c.dataSet));
        EXPECT_EQ(widget<QComboBox>("DataFieldCB")->currentText(), QLatin1String(c.field));
        EXPECT_EQ(widget<TfrxExpressionEdit>("ExpressionE")->Text(), QLatin1String(c.expression));
        EXPECT_EQ(dialog->Condition(), QLatin1String(c.okGives));
    }
}

TEST_F(GroupEditorTest, ChoosingADataSetListsItsFields)
{
    open();
    auto *fields = widget<QComboBox>("DataFieldCB");
    widget<QComboBox>("DataSetCB")->setCurrentText(QStringLiteral("Orders"));
    ASSERT_EQ(fields->count(), 2);
    EXPECT_EQ(fields->itemText(0), QStringLiteral("Total"));
    EXPECT_EQ(fields->itemText(1), QStringLiteral("Date"));
}

TEST_F(GroupEditorTest, AnExpressionFromTheExpressionEditorIsTheCondition)
{
    open();
    click(dialog.get(), QStringLiteral("ExpressionRB"));
    designer.ExpressionAnswer = QStringLiteral("<Orders.\"Date\">");
    QTest::mouseClick(widget<TfrxExpressionEdit>("ExpressionE")->Button(), Qt::LeftButton);
    ok();
    EXPECT_EQ(band->Condition(), QStringLiteral("<Orders.\"Date\">"));
}

TEST_F(GroupEditorTest, TheOptionsAreStoredAndTheOutlineTakesTheCondition)
{
    band->SetCondition(QStringLiteral("Orders.\"Date\""));
    open();
    for (const char *name :
         {"KeepTogetherCB", "StartNewPageCB", "DrillDownCB", "ResetPageNumbersCB", "OutlineCB"})
        click(dialog.get(), QLatin1String(name));
    ok();
    EXPECT_TRUE(band->KeepTogether());
    EXPECT_TRUE(band->StartNewPage());
    EXPECT_TRUE(band->DrillDown());
    EXPECT_TRUE(band->ResetPageNumbers());
    EXPECT_EQ(band->OutlineText(), QStringLiteral("Orders.\"Date\""));

    open();
    EXPECT_TRUE(widget<QCheckBox>("OutlineCB")->isChecked());
    EXPECT_TRUE(widget<QCheckBox>("DrillDownCB")->isChecked());
    click(dialog.get(), QStringLiteral("OutlineCB"));
    click(dialog.get(), QStringLiteral("KeepTogetherCB"));
    ok();
    EXPECT_EQ(band->OutlineText(), QString());
    EXPECT_FALSE(band->KeepTogether());
}

TEST_F(GroupEditorTest, WithoutDataSetsOnlyAnExpressionCanBeChosen)
{
    report->DataSets()->Clear();
    open();
    EXPECT_FALSE(widget<QRadioButton>("DataFieldRB")->isEnabled());
    EXPECT_TRUE(widget<QRadioButton>("ExpressionRB")->isChecked());
    ok();
    EXPECT_EQ(band->Condition(), QString());
}

TEST_F(GroupEditorTest, CancelLeavesTheBandAsItWas)
{
    band->SetCondition(QStringLiteral("A"));
    open();
    click(dialog.get(), QStringLiteral("DataFieldRB"));
    click(dialog.get(), QStringLiteral("StartNewPageCB"));
    click(dialog.get(), QStringLiteral("CancelB"));
    EXPECT_EQ(band->Condition(), QStringLiteral("A"));
    EXPECT_FALSE(band->StartNewPage());
}

} // namespace
