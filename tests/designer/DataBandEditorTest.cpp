// "Select DataSet" of a data band, driven through its widgets: the list of data sets, the number of
// records, the filter with its expression button, OK and Cancel.
#include "TfrxDataBandEditorForm.h"

#include "StructureDialogsFixture.h"
#include "TfrxDataBand.h"
#include "TfrxExpressionEdit.h"
#include "TfrxReportPage.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QToolButton>

namespace {

using namespace structuretest;

class DataBandEditorTest : public ::testing::Test
{
protected:
    DataBandEditorTest()
        : report(designertest::EmptyReport()), band(new TfrxMasterData(designertest::FirstPage(*report))),
          designer(*report, designertest::FirstPage(*report))
    {
        band->SetName(QStringLiteral("MasterData1"));
        orders = AddDataSet(*report, QStringLiteral("Orders"), {QStringLiteral("Total")});
        customers = AddDataSet(*report, QStringLiteral("Customers"), {QStringLiteral("Name")});
        AddDataSet(*report, QStringLiteral("products"), {});
    }

    void open()
    {
        dialog = std::make_unique<TfrxDataBandEditorForm>(designer, *band);
        dialog->show();
        list = child<QListWidget>(dialog.get(), QStringLiteral("DataSetsLB"));
        records = child<QSpinBox>(dialog.get(), QStringLiteral("RecordsE"));
        filter = child<TfrxExpressionEdit>(dialog.get(), QStringLiteral("FilterE"));
    }

    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        return names;
    }

    void choose(int row) const
    {
        QListWidgetItem *item = list->item(row);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }

    std::unique_ptr<TfrxReport> report;
    TfrxDataBand *band;
    FakeDesigner designer;
    TfrxDataSet *orders;
    TfrxDataSet *customers;
    std::unique_ptr<TfrxDataBandEditorForm> dialog;
    QListWidget *list = nullptr;
    QSpinBox *records = nullptr;
    TfrxExpressionEdit *filter = nullptr;
};

TEST_F(DataBandEditorTest, ListsTheDataSetsByNameAfterNotAssignedWithTheBandsOwnSelected)
{
    band->SetDataSet(orders);
    band->SetFilter(QStringLiteral("<Orders.\"Total\"> > 0"));
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Select DataSet"));
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("[not assigned]"), QStringLiteral("Customers"),
                                     QStringLiteral("Orders"), QStringLiteral("products")}));
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Orders"));
    EXPECT_EQ(filter->Text(), band->Filter());
}

TEST_F(DataBandEditorTest, ABandWithoutDataSetShowsNotAssignedAndItsRecords)
{
    band->SetRowCount(5);
    open();
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(records->value(), 5);
}

TEST_F(DataBandEditorTest, ChoosingADataSetSetsTheRecordsToZeroAndOkStoresTheChoices)
{
    band->SetRowCount(5);
    open();
    choose(1);
    EXPECT_EQ(records->value(), 0);
    filter->Edit()->setText(QStringLiteral("<Customers.\"Name\"> <> ''"));
    click(dialog.get(), QStringLiteral("OkB"));

    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(band->DataSet(), customers);
    EXPECT_EQ(band->RowCount(), 0);
    EXPECT_EQ(band->Filter(), QStringLiteral("<Customers.\"Name\"> <> ''"));
}

TEST_F(DataBandEditorTest, NotAssignedUnbindsTheBandWhichRunsItsNumberOfRecords)
{
    band->SetDataSet(orders);
    open();
    choose(0);
    records->setValue(3);
    click(dialog.get(), QStringLiteral("OkB"));
    EXPECT_EQ(band->DataSet(), nullptr);
    EXPECT_EQ(band->DataSetName(), QString());
    EXPECT_EQ(band->RowCount(), 3);
}

TEST_F(DataBandEditorTest, TheFilterButtonAsksTheExpressionEditorAndAnEmptyAnswerKeepsTheText)
{
    band->SetFilter(QStringLiteral("A"));
    open();
    designer.ExpressionAnswer = QStringLiteral("B > 1");
    QTest::mouseClick(filter->Button(), Qt::LeftButton);
    designer.ExpressionAnswer.clear();
    QTest::mouseClick(filter->Button(), Qt::LeftButton);
    EXPECT_EQ(designer.ExpressionsAsked, (QStringList{QStringLiteral("A"), QStringLiteral("B > 1")}));
    EXPECT_EQ(filter->Text(), QStringLiteral("B > 1"));
    EXPECT_EQ(band->Filter(), QStringLiteral("A")) << "only OK changes the band";
}

TEST_F(DataBandEditorTest, ADoubleClickInTheListIsOk)
{
    open();
    QListWidgetItem *item = list->item(2);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(band->DataSet(), orders);
}

TEST_F(DataBandEditorTest, CancelAndEscapeLeaveTheBandAsItWas)
{
    band->SetRowCount(2);
    band->SetFilter(QStringLiteral("A"));
    for (const bool escape : {false, true}) {
        open();
        choose(1);
        filter->Edit()->setText(QStringLiteral("B"));
        if (escape)
            QTest::keyClick(list, Qt::Key_Escape);
        else
            click(dialog.get(), QStringLiteral("CancelB"));
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(band->DataSet(), nullptr);
        EXPECT_EQ(band->RowCount(), 2);
        EXPECT_EQ(band->Filter(), QStringLiteral("A"));
    }
}

} // namespace
