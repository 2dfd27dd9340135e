// Totals over data bands: the functions, invisible records, resets by page and group, running
// totals, and kept blocks that move to the next page.
#include "EngineFixture.h"

#include "zorAggregate.h"

namespace {

using AggregateTest = EngineFixture;

struct TotalCase {
    const char *Expression;
    const char *AllVisible;
    const char *SecondHidden;
};

TEST_F(AggregateTest, FunctionsOverADataBandWithAndWithoutInvisibleRecords)
{
    const TotalCase cases[] = {
        {"SUM(Data.\"V\")", "60", "40"},
        {"SUM(Data.\"V\", MasterData1, 1)", "60", "60"},
        {"AVG(Data.\"V\")", "20", "20"},
        {"MIN(Data.\"V\")", "10", "10"},
        {"MAX(Data.\"V\")", "30", "30"},
        {"COUNT(MasterData1)", "4", "3"},
        {"COUNT(MasterData1, 1)", "4", "4"},
        {"SUM(Data.\"V\", NoSuchBand)", "60", "40"},
    };
    for (const bool hideSecond : {false, true}) {
        SetUp();
        FReport->EngineOptions()->ConvertNulls = false;
        CsvDataSet *ds = AddData(QStringLiteral("Data"), {QStringLiteral("V")},
                                 {{QStringLiteral("10")}, {QStringLiteral("20")}, {QString()}, {QStringLiteral("30")}});
        auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 20);
        band->SetDataSet(ds);
        const auto visibility = [band, hideSecond](TfrxDataSet *set) {
            band->SetVisible(!(hideSecond && set->RecNo() == 1));
        };
        ds->OnFirst = visibility;
        ds->OnNext = visibility;
        auto *summary = AddBand<TfrxReportSummary>(QStringLiteral("ReportSummary1"), 100, 200);
        for (int i = 0; i < int(std::size(cases)); ++i)
            AddMemo(summary, QStringLiteral("Total%1").arg(i), 0, i * 20, 200, 20,
                    QLatin1Char('[') + QString::fromLatin1(cases[i].Expression) + QLatin1Char(']'));
        ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
        const QStringList texts = Texts(0);
        ASSERT_EQ(texts.size(), int(std::size(cases)));
        for (int i = 0; i < int(std::size(cases)); ++i)
            EXPECT_EQ(texts[i].toStdString(), hideSecond ? cases[i].SecondHidden : cases[i].AllVisible)
                << cases[i].Expression << (hideSecond ? " (second hidden)" : "");
    }
}

TEST_F(AggregateTest, PageFooterTotalRestartsOnEveryPage)
{
    AddNumbers(QStringLiteral("Data"), 20);
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 50);
    band->SetDataSetName(QStringLiteral("Data"));
    auto *footer = AddBand<TfrxPageFooter>(QStringLiteral("PageFooter1"), 200, 30);
    AddMemo(footer, QStringLiteral("Total"), 0, 0, 100, 20, QStringLiteral("[SUM(Data.\"N\")]"));
    ASSERT_TRUE(Prepare());
    ASSERT_EQ(Pages()->GetCount(), 4);
    const QStringList expected{QStringLiteral("21"), QStringLiteral("57"), QStringLiteral("93"), QStringLiteral("39")};
    for (int page = 0; page < 4; ++page)
        EXPECT_EQ(Texts(page), QStringList{expected[page]}) << page;
}

TEST_F(AggregateTest, RunningTotalInAGroupFooterKeepsGrowingAcrossGroups)
{
    AddGroupedValues(QStringLiteral("Data"));
    FPage->SetSizeAndDimensions(256, 100, 400);
    auto *group = AddBand<TfrxGroupHeader>(QStringLiteral("GroupHeader1"), 0, 20);
    group->SetCondition(QStringLiteral("Data.\"G\""));
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 30, 20);
    band->SetDataSetName(QStringLiteral("Data"));
    auto *groupFooter = AddBand<TfrxGroupFooter>(QStringLiteral("GroupFooter1"), 60, 20);
    AddMemo(groupFooter, QStringLiteral("GF"), 0, 0, 200, 20,
            QStringLiteral("[SUM(Data.\"V\",MasterData1)] [SUM(Data.\"V\",MasterData1,2)]"));
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(Texts(0), (QStringList{QStringLiteral("3 3"), QStringLiteral("3 6"), QStringLiteral("15 21")}));
}

TEST_F(AggregateTest, PageFooterTotalLeavesOutAKeptBlockThatMovedAway)
{
    auto *masterData = AddNumbers(QStringLiteral("Master"), 2);
    AddNumbers(QStringLiteral("Detail"), 3);
    auto *master = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 100);
    master->SetDataSet(masterData);
    master->SetKeepTogether(true);
    auto *detail = AddBand<TfrxDetailData>(QStringLiteral("DetailData1"), 120, 40);
    detail->SetDataSetName(QStringLiteral("Detail"));
    auto *footer = AddBand<TfrxPageFooter>(QStringLiteral("PageFooter1"), 300, 30);
    AddMemo(footer, QStringLiteral("Total"), 0, 0, 100, 20, QStringLiteral("[SUM(Master.\"N\", MasterData1)]"));
    ASSERT_TRUE(Prepare());
    ASSERT_EQ(Pages()->GetCount(), 2);
    EXPECT_EQ(Texts(0), QStringList{QStringLiteral("1")});
    EXPECT_EQ(Texts(1), QStringList{QStringLiteral("2")});
}

TEST_F(AggregateTest, TotalNotWrittenInTheTemplateIsNull)
{
    AddNumbers(QStringLiteral("Data"), 2);
    AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 20)->SetDataSetName(QStringLiteral("Data"));
    ASSERT_TRUE(Prepare());
    EXPECT_FALSE(Engine()->GetAggregateValue(QStringLiteral("SUM"), QStringLiteral("Data.\"N\""), nullptr, 0).isValid());
}

} // namespace
