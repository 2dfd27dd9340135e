// Preparation: pages and their flags, the loose objects of a page, data bands with headers,
// footers and groups, page numbers and line numbers, faulty templates and stopped runs.
#include "EngineFixture.h"

#include "TfrxDialogPage.h"

#include "TfrxClassRegistry.h"

namespace {

using PrepareTest = EngineFixture;

TEST_F(PrepareTest, LooseObjectsMakeOnePageOnlyWhenEmptyPagesPrint)
{
    for (const bool printIfEmpty : {true, false}) {
        SetUp();
        FReport->EngineOptions()->PrintIfEmpty = printIfEmpty;
        AddMemo(FPage, QStringLiteral("A"), 10, 20, 50, 20, QStringLiteral("a"));
        auto *hidden = AddMemo(FPage, QStringLiteral("B"), 10, 60, 50, 20, QStringLiteral("b"));
        hidden->SetVisible(false);
        ASSERT_TRUE(Prepare());
        ASSERT_EQ(Pages()->GetCount(), printIfEmpty ? 1 : 0) << printIfEmpty;
        if (printIfEmpty) {
            EXPECT_EQ(Texts(0), QStringList{QStringLiteral("a")});
            EXPECT_DOUBLE_EQ(Find(0, QStringLiteral("A"))->AbsTop(), 20);
        }
        // The loose objects were only listed for the output: they stay on their page, in order.
        ASSERT_EQ(FPage->Objects().size(), 2);
        EXPECT_EQ(FPage->Objects().at(1), hidden);
        EXPECT_EQ(hidden->Parent(), FPage);
    }
}

TEST_F(PrepareTest, PageCountRepeatsThePage)
{
    FPage->SetPageCount(3);
    AddMemo(FPage, QStringLiteral("A"), 0, 0, 50, 20, QStringLiteral("a"));
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(Pages()->GetCount(), 3);
}

// A page with loose objects, a page header and footer and a data band of 20 records of 50 over
// pages of 377.95 with header and footer of 30: six records a page.
class DataPagesTest : public EngineFixture
{
protected:
    void Build(int records)
    {
        AddNumbers(QStringLiteral("Data"), records);
        AddMemo(FPage, QStringLiteral("Loose"), 200, 100, 50, 20, QStringLiteral("loose"));
        auto *header = AddBand<TfrxPageHeader>(QStringLiteral("PageHeader1"), 0, 30);
        AddMemo(header, QStringLiteral("PageNo"), 0, 0, 100, 20, QStringLiteral("P[Page]/[Page#]"));
        auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 40, 50);
        band->SetDataSetName(QStringLiteral("Data"));
        AddMemo(band, QStringLiteral("Number"), 0, 0, 100, 20, QStringLiteral("[Data.\"N\"]:[Line]"));
        footer = AddBand<TfrxPageFooter>(QStringLiteral("PageFooter1"), 200, 30);
        AddMemo(footer, QStringLiteral("Foot"), 0, 0, 100, 20, QStringLiteral("f"));
    }
    TfrxPageFooter *footer = nullptr;
};

TEST_F(DataPagesTest, RecordsFlowOverPagesWithHeadersFootersAndLooseObjectsOnTheFirstOnly)
{
    Build(20);
    ASSERT_TRUE(Prepare());
    ASSERT_EQ(Pages()->GetCount(), 4);
    int record = 1;
    for (int page = 0; page < 4; ++page) {
        QStringList expected{QStringLiteral("P%1/%1").arg(page + 1)};
        if (page == 0)
            expected.append(QStringLiteral("loose"));
        for (int i = 0; i < 6 && record <= 20; ++i, ++record)
            expected.append(QStringLiteral("%1:%1").arg(record));
        expected.append(QStringLiteral("f"));
        EXPECT_EQ(Texts(page), expected) << page;
        // The footer stands at the bottom of the printable area.
        EXPECT_NEAR(Find(page, QStringLiteral("PageFooter1"))->Top(), 100 * 3.77953 - 30, 0.001);
        // The first record sits right under the page header.
        const QList<TfrxComponent *> records = FindAll(page, QStringLiteral("MasterData1"));
        ASSERT_FALSE(records.isEmpty());
        EXPECT_NEAR(records.constFirst()->Top(), 30, 0.001);
    }
}

TEST_F(DataPagesTest, PageFooterFlagsLeaveOutFirstAndLastPage)
{
    struct Case {
        bool OnFirst, OnLast;
        int Records;
        QList<bool> Shown;
    };
    const Case cases[] = {
        {false, true, 3, {false}},
        {true, false, 3, {false}},
        {false, true, 20, {false, true, true, true}},
        {true, false, 20, {true, true, true, false}},
        {true, true, 20, {true, true, true, true}},
    };
    for (const Case &c : cases) {
        SetUp();
        Build(c.Records);
        footer->SetPrintOnFirstPage(c.OnFirst);
        footer->SetPrintOnLastPage(c.OnLast);
        ASSERT_TRUE(Prepare());
        ASSERT_EQ(Pages()->GetCount(), c.Shown.size());
        for (int page = 0; page < c.Shown.size(); ++page)
            EXPECT_EQ(Find(page, QStringLiteral("PageFooter1")) != nullptr, c.Shown[page])
                << c.OnFirst << c.OnLast << c.Records << " page " << page;
    }
}

TEST_F(PrepareTest, GroupsShowHeadersAndFootersAndLineNumbersRestartPerGroup)
{
    AddGroupedValues(QStringLiteral("Data"));
    FPage->SetSizeAndDimensions(256, 100, 400);
    auto *group = AddBand<TfrxGroupHeader>(QStringLiteral("GroupHeader1"), 0, 20);
    group->SetCondition(QStringLiteral("Data.\"G\""));
    AddMemo(group, QStringLiteral("GH"), 0, 0, 100, 20, QStringLiteral("<[Data.\"G\"]>"));
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 30, 20);
    band->SetDataSetName(QStringLiteral("Data"));
    AddMemo(band, QStringLiteral("Row"), 0, 0, 100, 20, QStringLiteral("[Data.\"V\"]/[Line]/[Line#]"));
    auto *groupFooter = AddBand<TfrxGroupFooter>(QStringLiteral("GroupFooter1"), 60, 20);
    groupFooter->SetHideIfSingleDataRecord(true);
    AddMemo(groupFooter, QStringLiteral("GF"), 0, 0, 100, 20, QStringLiteral("n=[COUNT(MasterData1)]"));
    ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
    ASSERT_EQ(Pages()->GetCount(), 1);
    EXPECT_EQ(Texts(0), (QStringList{QStringLiteral("<A>"), QStringLiteral("1/1/1"), QStringLiteral("2/2/2"),
                                     QStringLiteral("n=2"), QStringLiteral("<B>"), QStringLiteral("3/1/3"),
                                     QStringLiteral("<C>"), QStringLiteral("4/1/4"), QStringLiteral("5/2/5"),
                                     QStringLiteral("6/3/6"), QStringLiteral("n=3")}));
}

TEST_F(PrepareTest, MisplacedBandsAreReportedAndNothingIsPrepared)
{
    struct Case {
        const char *Expected;
        QList<std::pair<const char *, double>> Bands; // class and top; named <kind>1
    };
    const Case cases[] = {
        {"Unconnected header/footer Header1", {{"TfrxMasterData", 0}, {"TfrxHeader", 40}}},
        {"Unconnected header/footer Footer1", {{"TfrxFooter", 0}}},
        {"No group header for GroupFooter1", {{"TfrxMasterData", 0}, {"TfrxGroupFooter", 40}}},
        {"No data band for the group GroupHeader1", {{"TfrxGroupHeader", 0}}},
        {"Incorrect band position: DetailData1", {{"TfrxDetailData", 0}}},
    };
    for (const Case &c : cases) {
        SetUp();
        for (const auto &[className, top] : c.Bands) {
            auto *band = qobject_cast<TfrxBand *>(
                TfrxClassRegistry::Instance().Create(QString::fromLatin1(className), FPage));
            ASSERT_NE(band, nullptr);
            band->SetName(QString::fromLatin1(className).mid(4) + QStringLiteral("1"));
            band->SetBounds(0, top, 300, 20);
        }
        EXPECT_FALSE(Prepare()) << c.Expected;
        EXPECT_EQ(FReport->Errors(), QStringList{QString::fromUtf8(c.Expected)});
        EXPECT_EQ(Pages()->GetCount(), 0) << c.Expected;
    }
}

// A data set feeds one level only: report, page or band.
TEST_F(PrepareTest, OneDataSetOnTwoLevelsIsRefused)
{
    const struct {
        int Report, Page, Band; // 0: none, 1: data set A, 2: data set B
        const char *Expected;
    } cases[] = {
        // The report's set on its page ends the check: the band's conflict is not reported too.
        {1, 1, 1, "Cannot use the same dataset for Report.DataSet and Page.DataSet"},
        {1, 0, 1, "Cannot use the same dataset for Report.DataSet and Band.DataSet"},
        {1, 2, 2, "Cannot use the same dataset for Page.DataSet and Band.DataSet"},
        {0, 2, 2, "Cannot use the same dataset for Page.DataSet and Band.DataSet"},
    };
    for (const auto &c : cases) {
        SetUp();
        CsvDataSet *sets[] = {nullptr, AddNumbers(QStringLiteral("A"), 2), AddNumbers(QStringLiteral("B"), 2)};
        FReport->SetDataSet(sets[c.Report]);
        FPage->SetDataSet(sets[c.Page]);
        AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 20)->SetDataSet(sets[c.Band]);
        EXPECT_FALSE(Prepare()) << c.Expected;
        EXPECT_EQ(FReport->Errors(), QStringList{QString::fromLatin1(c.Expected)});
        EXPECT_EQ(Pages()->GetCount(), 0) << c.Expected;
    }
}

TEST_F(PrepareTest, ReportDataSetRunsThePagesOncePerRecordUntilStopped)
{
    CsvDataSet *ds = AddNumbers(QStringLiteral("Data"), 3);
    FReport->SetDataSet(ds);
    AddMemo(FPage, QStringLiteral("Number"), 0, 0, 100, 20, QStringLiteral("[Data.\"N\"]"));
    TfrxReportPage *second = AddPage();
    AddMemo(second, QStringLiteral("Second"), 0, 0, 100, 20, QStringLiteral("second [Data.\"N\"]"));
    ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
    ASSERT_EQ(Pages()->GetCount(), 6);
    const QStringList expected = {QStringLiteral("1"), QStringLiteral("second 1"), QStringLiteral("2"),
                                  QStringLiteral("second 2"), QStringLiteral("3"), QStringLiteral("second 3")};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Texts(i), QStringList{expected[i]}) << i;

    // Stopped on the way to the third record: the second record's pages are the last.
    TfrxReport *report = FReport.get();
    ds->OnNext = [report](TfrxDataSet *set) {
        if (set->RecNo() == 2)
            report->SetTerminated(true);
    };
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(Pages()->GetCount(), 4);
}

TEST_F(PrepareTest, TotalPagesIsZeroWhileTheFirstPassRunsAndTheRealCountInTheFinalPass)
{
    for (const bool doublePass : {false, true}) {
        SetUp();
        FReport->EngineOptions()->DoublePass = doublePass;
        AddNumbers(QStringLiteral("Data"), 20);
        auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 50);
        band->SetDataSetName(QStringLiteral("Data"));
        auto *footer = AddBand<TfrxPageFooter>(QStringLiteral("PageFooter1"), 200, 30);
        AddMemo(footer, QStringLiteral("Foot"), 0, 0, 100, 20, QStringLiteral("[Page] of [TotalPages]"));
        ASSERT_TRUE(Prepare());
        const int pages = Pages()->GetCount();
        ASSERT_EQ(pages, 4); // six records of 50 above a footer of 30
        for (int page = 0; page < pages; ++page) {
            const QStringList texts = Texts(page);
            EXPECT_EQ(texts.constLast(), QStringLiteral("%1 of %2").arg(page + 1).arg(doublePass ? pages : 0))
                << doublePass;
        }
    }
}

TEST_F(PrepareTest, DeferredTotalPagesShowsTheFinalCountWhenDrawn)
{
    AddNumbers(QStringLiteral("Data"), 20);
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 50);
    band->SetDataSetName(QStringLiteral("Data"));
    AddMemo(band, QStringLiteral("Row"), 0, 0, 100, 20, QStringLiteral("[TotalPages#]"));
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(Texts(0).constFirst(), QStringLiteral("[TotalPages#]"));
    auto *memo = qobject_cast<TfrxMemoView *>(Find(2, QStringLiteral("Row")));
    ASSERT_NE(memo, nullptr);
    memo->SetTotalPages(Pages()->GetCount());
    memo->ExtractMacros();
    EXPECT_EQ(Plain(memo->Text()), QStringLiteral("3"));
}

TEST_F(PrepareTest, StoppedRunKeepsThePagesPreparedSoFar)
{
    CsvDataSet *ds = AddNumbers(QStringLiteral("Data"), 100);
    TfrxReport *report = FReport.get();
    ds->OnNext = [report](TfrxDataSet *set) {
        if (set->RecNo() == 10)
            report->Engine()->StopReport();
    };
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 50);
    band->SetDataSet(ds);
    AddMemo(band, QStringLiteral("Row"), 0, 0, 100, 20, QStringLiteral("[Data.\"N\"]"));
    EXPECT_TRUE(Prepare());
    EXPECT_TRUE(FReport->Errors().isEmpty());
    EXPECT_EQ(Pages()->GetCount(), 2);
    EXPECT_EQ(Texts(1).constLast(), QStringLiteral("10"));
}

TEST_F(PrepareTest, PagesWithoutRoomAndBandsTallerThanThePageStillEnd)
{
    struct Case {
        double PaperHeight;
        double BandHeight;
        bool AllowSplit;
    };
    for (const Case &c : {Case{0, 20, false}, Case{0, 20, true}, Case{50, 400, false}, Case{50, 400, true}}) {
        SetUp();
        FPage->SetSizeAndDimensions(256, 100, c.PaperHeight);
        AddNumbers(QStringLiteral("Data"), 3);
        auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, c.BandHeight);
        band->SetDataSetName(QStringLiteral("Data"));
        band->SetAllowSplit(c.AllowSplit);
        AddMemo(band, QStringLiteral("Row"), 0, 0, 100, c.BandHeight, QStringLiteral("[Data.\"N\"]"));
        ASSERT_TRUE(Prepare());
        QStringList all;
        for (int page = 0; page < Pages()->GetCount(); ++page)
            all += Texts(page);
        all.removeAll(QString());
        EXPECT_EQ(all, (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}))
            << c.PaperHeight << " " << c.BandHeight << " " << c.AllowSplit;
    }
}

// The report hears of the run's start, of every page added and of its end; stopping the report
// from the page handler keeps the pages prepared so far.
TEST_F(PrepareTest, ProgressReportsStartPagesAndStopAndCanStopTheRun)
{
    for (const int stopAt : {0, 2}) {
        SetUp();
        AddNumbers(QStringLiteral("Data"), 30);
        auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 50);
        band->SetDataSetName(QStringLiteral("Data"));
        QStringList heard;
        const auto note = [&heard](const char *what) {
            return [&heard, what](TfrxReport &, int type, int n) {
                heard.append(QStringLiteral("%1 %2 %3").arg(QLatin1String(what)).arg(type).arg(n));
            };
        };
        FReport->SetOnProgressStart(note("start"));
        FReport->SetOnProgressStop(note("stop"));
        FReport->SetOnProgress([&heard, stopAt](TfrxReport &report, int type, int n) {
            heard.append(QStringLiteral("page %1 %2").arg(type).arg(n));
            if (n == stopAt)
                report.SetTerminated(true);
        });
        ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
        const int pages = stopAt != 0 ? stopAt : 5; // seven records of 50 on a page of 377.95
        EXPECT_EQ(Pages()->GetCount(), pages);
        QStringList expected{QStringLiteral("start 0 0")};
        for (int n = 1; n <= pages; ++n)
            expected.append(QStringLiteral("page 0 %1").arg(n));
        expected.append(QStringLiteral("stop 0 0"));
        EXPECT_EQ(heard, expected);
    }
}

// A drill-down group shows its header (and with ShowFooterIfDrillDown its footer) until it is
// expanded; the engine keeps what was toggled for the next preparation, and totals still count
// the hidden records.
TEST_F(PrepareTest, DrillDownGroupsShowTheirRecordsOnlyWhenExpanded)
{
    AddData(QStringLiteral("Data"), {QStringLiteral("G"), QStringLiteral("V")},
            {{QStringLiteral("A"), QStringLiteral("1")},
             {QStringLiteral("A"), QStringLiteral("2")},
             {QStringLiteral("B"), QStringLiteral("3")}});
    FPage->SetSizeAndDimensions(256, 100, 400);
    auto *group = AddBand<TfrxGroupHeader>(QStringLiteral("GroupHeader1"), 0, 20);
    group->SetCondition(QStringLiteral("Data.\"G\""));
    group->SetDrillDown(true);
    AddMemo(group, QStringLiteral("GH"), 0, 0, 100, 20, QStringLiteral("<[Data.\"G\"]>"));
    auto *child = AddBand<TfrxChild>(QStringLiteral("Child1"), 100, 20);
    AddMemo(child, QStringLiteral("C"), 0, 0, 100, 20, QStringLiteral("child"));
    group->SetChild(child);
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 30, 20);
    band->SetDataSetName(QStringLiteral("Data"));
    AddMemo(band, QStringLiteral("Row"), 0, 0, 100, 20, QStringLiteral("[Data.\"V\"]"));
    auto *groupFooter = AddBand<TfrxGroupFooter>(QStringLiteral("GroupFooter1"), 60, 20);
    AddMemo(groupFooter, QStringLiteral("GF"), 0, 0, 100, 20, QStringLiteral("n=[COUNT(MasterData1)]"));

    const auto texts = [this] {
        EXPECT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
        return Texts(0);
    };
    EXPECT_EQ(texts(), (QStringList{QStringLiteral("<A>"), QStringLiteral("<B>")}));
    QStringList names;
    for (TfrxComponent *header : FindAll(0, QStringLiteral("GroupHeader1")))
        names.append(static_cast<TfrxGroupHeader *>(header)->DrillName());
    EXPECT_EQ(names, (QStringList{QStringLiteral("GroupHeader1.1"), QStringLiteral("GroupHeader1.2")}));

    group->SetShowFooterIfDrillDown(true);
    group->SetShowChildIfDrillDown(true);
    EXPECT_EQ(texts(), (QStringList{QStringLiteral("<A>"), QStringLiteral("child"), QStringLiteral("n=2"),
                                    QStringLiteral("<B>"), QStringLiteral("child"), QStringLiteral("n=1")}));

    group->SetShowFooterIfDrillDown(false);
    group->SetShowChildIfDrillDown(false);
    Engine()->ToggleDrillDown(QStringLiteral("GroupHeader1.1"));
    EXPECT_EQ(texts(), (QStringList{QStringLiteral("<A>"), QStringLiteral("child"), QStringLiteral("1"),
                                    QStringLiteral("2"), QStringLiteral("n=2"), QStringLiteral("<B>")}));

    // Expanded from the start, the toggled group is the one collapsed.
    group->SetExpandDrillDown(true);
    EXPECT_EQ(texts(), (QStringList{QStringLiteral("<A>"), QStringLiteral("<B>"), QStringLiteral("child"),
                                    QStringLiteral("3"), QStringLiteral("n=1")}));
    Engine()->ClearDrillState();
    EXPECT_EQ(texts(), (QStringList{QStringLiteral("<A>"), QStringLiteral("child"), QStringLiteral("1"),
                                    QStringLiteral("2"), QStringLiteral("n=2"), QStringLiteral("<B>"),
                                    QStringLiteral("child"), QStringLiteral("3"), QStringLiteral("n=1")}));
}

} // namespace

namespace {

TEST_F(PrepareTest, UserDataSetWithoutAHostHasNoRecords)
{
    TfrxUserDataSet hostless;
    hostless.SetUserName(QStringLiteral("Loose"));
    FReport->DataSets()->Add(&hostless);
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 20);
    band->SetDataSet(&hostless);
    AddMemo(band, QStringLiteral("Row"), 0, 0, 100, 20, QStringLiteral("row"));
    FReport->EngineOptions()->PrintIfEmpty = true;
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(Pages()->GetCount(), 1);
    EXPECT_TRUE(Texts(0).isEmpty());
    FReport.reset();
}

} // namespace

namespace {

TEST_F(PrepareTest, HeadersTallerThanThePageAreOutputWhereTheyStandAndThePagesStillEnd)
{
    FPage->SetSizeAndDimensions(256, 100, 50);
    AddNumbers(QStringLiteral("Data"), 3);
    auto *pageHeader = AddBand<TfrxPageHeader>(QStringLiteral("PageHeader1"), 0, 400);
    AddMemo(pageHeader, QStringLiteral("PH"), 0, 0, 100, 20, QStringLiteral("ph"));
    auto *header = AddBand<TfrxHeader>(QStringLiteral("Header1"), 410, 30);
    header->SetReprintOnNewPage(true);
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 450, 20);
    band->SetDataSetName(QStringLiteral("Data"));
    AddMemo(band, QStringLiteral("Row"), 0, 0, 100, 20, QStringLiteral("[Data.\"N\"]"));
    ASSERT_TRUE(Prepare());
    QStringList rows;
    for (int page = 0; page < Pages()->GetCount(); ++page) {
        EXPECT_NE(Find(page, QStringLiteral("PageHeader1")), nullptr) << page;
        for (const QString &text : Texts(page)) {
            if (text != QLatin1String("ph"))
                rows.append(text);
        }
    }
    EXPECT_EQ(rows, (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
}

// Dialog pages are handed to the engine's handler before the pages run; a cancelled one ends the
// run without pages. Pages without controls, invisible ones and runs without a handler go on.
TEST_F(PrepareTest, DialogPagesRunBeforePreparationAndACancelEndsIt)
{
    const struct {
        bool Visible, WithControl, Handler;
        int Result;
        bool Shown, Prepared;
    } cases[] = {
        {true, true, true, 1, true, true},   // OK
        {true, true, true, 2, true, false},  // Cancel
        {false, true, true, 2, false, true}, // invisible
        {true, false, true, 2, false, true}, // no controls
        {true, true, false, 2, false, true}, // nobody shows dialogs
    };
    for (const auto &c : cases) {
        SetUp();
        AddMemo(FPage, QStringLiteral("Loose"), 0, 0, 100, 20, QStringLiteral("x"));
        auto *dialog = new TfrxDialogPage(FReport.get());
        dialog->SetName(QStringLiteral("DialogPage1"));
        dialog->SetVisible(c.Visible);
        if (c.WithControl)
            AddMemo(dialog, QStringLiteral("Control"), 0, 0, 50, 20, QStringLiteral("c"));
        int shown = 0;
        if (c.Handler) {
            FReport->Engine()->SetOnRunDialog([&shown, &c](TfrxDialogPage &page) {
                EXPECT_EQ(page.Name(), QStringLiteral("DialogPage1"));
                ++shown;
                return c.Result;
            });
        }
        EXPECT_EQ(Prepare(), c.Prepared);
        EXPECT_EQ(shown, c.Shown ? 1 : 0);
        EXPECT_EQ(Pages()->GetCount(), c.Prepared ? 1 : 0);
        EXPECT_TRUE(FReport->Errors().isEmpty());
    }
}

} // namespace
