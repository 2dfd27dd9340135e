// Data sets, the report's data-set list, field references, collections and styles.

#include "TfrxCollection.h"
#include "TfrxDataSetItem.h"
#include "TfrxCustomDBDataSet.h"
#include "TfrxDataPage.h"
#include "TfrxError.h"
#include "TfrxFont.h"
#include "TfrxFrame.h"
#include "TfrxView.h"
#include "TfrxReport.h"
#include "TfrxReportDataSets.h"
#include "TfrxShapeView.h"
#include "TfrxStyleItem.h"
#include "TfrxStyleSheet.h"
#include "TfrxStyles.h"
#include "TfrxUserDataSet.h"

#include <gtest/gtest.h>

using namespace zor;

namespace {

TEST(DataSet, CountedRangeNavigation)
{
    TfrxUserDataSet ds;
    ds.SetRangeEnd(reCount);
    ds.SetRangeEndCount(0);
    ds.First();
    EXPECT_TRUE(ds.Eof());
    ds.SetRangeEndCount(2);
    ds.First();
    EXPECT_FALSE(ds.Eof());
    ds.Next();
    EXPECT_EQ(ds.RecNo(), 1);
    ds.Next();
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(ds.RecordCount(), 2);
    ds.SetRangeEnd(reLast);
    EXPECT_FALSE(ds.Eof());
    int checks = 0;
    ds.OnCheckEOF = [&checks](TfrxDataSet *, bool &eof) { eof = ++checks > 2; };
    EXPECT_FALSE(ds.Eof());
    EXPECT_FALSE(ds.Eof());
    EXPECT_TRUE(ds.Eof());
}

TEST(DataSet, UserNameFollowsTheNameUntilSet)
{
    TfrxUserDataSet ds;
    ds.SetName(QStringLiteral("Users"));
    EXPECT_EQ(ds.UserName(), QStringLiteral("Users"));
    ds.SetUserName(QStringLiteral("People"));
    ds.SetName(QStringLiteral("Users2"));
    EXPECT_EQ(ds.UserName(), QStringLiteral("People"));
    try {
        ds.SetUserName(QStringLiteral("   "));
        ADD_FAILURE() << "no error";
    } catch (const TfrxError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid property value"));
    }
    EXPECT_EQ(ds.UserName(), QStringLiteral("People"));
}

struct ReportData : ::testing::Test {
    TfrxReport report;
    TfrxDataPage *data = new TfrxDataPage(&report);
    TfrxUserDataSet *users = new TfrxUserDataSet(data);

    void SetUp() override
    {
        users->SetName(QStringLiteral("Users"));
        users->SetFields({QStringLiteral("A"), QStringLiteral("B")});
        users->OnGetValue = [](const QString &field, QVariant &value) { value = field + QStringLiteral("-value"); };
        report.DataSets()->Add(users);
    }
};

TEST_F(ReportData, FieldReferencesReachTheHandlersValue)
{
    TfrxDataSet *ds = nullptr;
    QString field;
    ASSERT_TRUE(report.GetDatasetAndField(QStringLiteral("Users.\"A\""), ds, field));
    EXPECT_EQ(ds, users);
    EXPECT_EQ(field, QStringLiteral("A"));
    EXPECT_EQ(ds->GetValue(field).toString(), QStringLiteral("A-value"));
    EXPECT_TRUE(ds->HasField(QStringLiteral("B")));
    EXPECT_FALSE(report.GetDatasetAndField(QStringLiteral("Nobody.\"A\""), ds, field));
    EXPECT_FALSE(report.GetDatasetAndField(QStringLiteral("Users.A"), ds, field));
}

TEST_F(ReportData, ListLookupAndAliases)
{
    EXPECT_EQ(report.DataSets()->Find(QStringLiteral("users")), users);
    EXPECT_EQ(report.GetAlias(users), QStringLiteral("Users"));
    TfrxUserDataSet stray;
    EXPECT_EQ(report.GetAlias(&stray), QStringLiteral("(dataset is not included in Report.DataSets)"));
    EXPECT_EQ(report.GetDataSetList(false), QStringList{QStringLiteral("Users")});
    EXPECT_TRUE(report.GetDataSetList(true).isEmpty());
    report.DataSets()->Delete(QStringLiteral("USERS"));
    EXPECT_EQ(report.DataSets()->Count(), 0);
}

TEST_F(ReportData, ViewsFindDataSetsByNameAndDropRemovedOnes)
{
    auto *shape = new TfrxShapeView(data);
    TfrxReport other;
    auto *foreign = new TfrxUserDataSet(new TfrxDataPage(&other));
    foreign->SetName(QStringLiteral("Orders"));
    EXPECT_EQ(shape->FindDataSet(nullptr, QStringLiteral("users")), users);
    // A data set of another report is not found through this one.
    EXPECT_EQ(shape->FindDataSet(nullptr, QStringLiteral("Orders")), nullptr);
    shape->SetDataSet(users);
    EXPECT_EQ(shape->DataSetName(), QStringLiteral("Users"));
    delete users;
    EXPECT_EQ(shape->DataSet(), nullptr);
    EXPECT_EQ(report.DataSets()->Items(0)->DataSet(), nullptr);
}

TEST(DBDataSet, AliasesBothWays)
{
    TfrxCustomDBDataSet ds;
    ds.SetFieldAliases({QStringLiteral("CUST_NAME=Name"), QStringLiteral("ID=Number")});
    EXPECT_EQ(ds.GetAlias(QStringLiteral("cust_name")), QStringLiteral("Name"));
    EXPECT_EQ(ds.GetAlias(QStringLiteral("Other")), QStringLiteral("Other"));
    EXPECT_EQ(ds.ConvertAlias(QStringLiteral("Number")), QStringLiteral("ID"));
    ds.AddField(QStringLiteral("B"));
    ds.AddField(QStringLiteral("A"));
    ds.AddField(QStringLiteral("B"));
    EXPECT_EQ(ds.GetFieldList(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(ds.FieldsCount(), 2);
}

TEST(Collections, InheritedNamesAndIdentity)
{
    TfrxStyles styles(nullptr);
    TfrxStyleItem *a = styles.Add();
    TfrxStyleItem *b = styles.Add();
    EXPECT_EQ(a->InheritedName(), QStringLiteral("TfrxStyleItem1"));
    EXPECT_EQ(b->InheritedName(), QStringLiteral("TfrxStyleItem2"));
    a->SetName(QStringLiteral("Title"));
    EXPECT_EQ(styles.FindByName(QStringLiteral("Title")), a);
    EXPECT_EQ(styles.FindByName(QStringLiteral("TfrxStyleItem2")), b);
    EXPECT_EQ(styles.FindByName(QStringLiteral("title")), nullptr);
    EXPECT_EQ(styles.Add()->InheritedName(), QStringLiteral("TfrxStyleItem1"));
}

TEST(Styles, UniqueAndCaseInsensitiveNames)
{
    TfrxStyles styles(nullptr);
    TfrxStyleItem *first = styles.Add();
    first->CreateUniqueName();
    EXPECT_EQ(first->Name(), QStringLiteral("Style1"));
    TfrxStyleItem *second = styles.Add();
    second->CreateUniqueName();
    EXPECT_EQ(second->Name(), QStringLiteral("Style2"));
    try {
        second->SetName(QStringLiteral("STYLE1"));
        ADD_FAILURE() << "no error";
    } catch (const TfrxError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Duplicate name"));
    }
    EXPECT_EQ(second->Name(), QStringLiteral("Style2"));
    EXPECT_EQ(styles.Find(QStringLiteral("style2")), second);
    EXPECT_EQ(styles.GetList(), (QStringList{QStringLiteral("Style1"), QStringLiteral("Style2")}));
    TfrxStyleItem fresh;
    EXPECT_EQ(fresh.Color(), clTransparent);
    EXPECT_EQ(fresh.Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(fresh.Font()->Size(), 10);
}

// A stand-in for a text object: a view that names a style.
class StyledView : public TfrxView
{
    Q_OBJECT
    Q_PROPERTY(QString Style MEMBER FStyle)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TfrxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(TfrxFrame *Frame READ Frame WRITE SetFrame)

public:
    using TfrxView::TfrxView;
    QString FStyle;
};

TEST(Styles, ApplySetsNamedStylesAndClearsUnknownOnes)
{
    TfrxReport report;
    auto *page = new TfrxDataPage(&report);
    auto *styled = new StyledView(page);
    auto *stray = new StyledView(page);
    styled->FStyle = QStringLiteral("title");
    stray->FStyle = QStringLiteral("Missing");
    TfrxStyleItem *title = report.Styles()->Add();
    title->SetName(QStringLiteral("Title"));
    title->SetColor(clRed);
    title->Font()->SetName(QStringLiteral("Tahoma"));
    title->Frame()->SetTyp(ftTop);
    report.Styles()->Apply();
    EXPECT_EQ(styled->Color(), clRed);
    EXPECT_EQ(styled->Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(styled->Frame()->Typ(), ftTop);
    EXPECT_EQ(stray->FStyle, QString());
}

TEST(StyleSheet, HoldsNamedStyleSets)
{
    TfrxStyleSheet sheet;
    sheet.Add()->SetName(QStringLiteral("Gray"));
    sheet.Add()->SetName(QStringLiteral("Blue"));
    EXPECT_EQ(sheet.IndexOf(QStringLiteral("blue")), 1);
    EXPECT_EQ(sheet.Find(QStringLiteral("Red")), nullptr);
    sheet.Delete(0);
    EXPECT_EQ(sheet.GetList(), QStringList{QStringLiteral("Blue")});
    sheet.Clear();
    EXPECT_EQ(sheet.Count(), 0);
}

}  // namespace

#include "DataSetsTest.moc"
