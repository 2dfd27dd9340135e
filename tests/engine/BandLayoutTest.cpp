// Band layout: shifting below grown objects, stretched bands, the free-space test, columns,
// keeping together, splitting and repeated headers.
#include "EngineFixture.h"
#include "TfrxFont.h"

#include "TfrxOutline.h"
#include "TfrxShiftTree.h"
#include "TfrxSubreport.h"

namespace {

using LayoutTest = EngineFixture;

// Objects of one band in their designed places; grown maps a name to its growth.
struct ShiftCase {
    const char *Name;
    QList<std::tuple<const char *, double, double, double, double, zor::TfrxShiftMode>> Objects; // l t w h mode
    QList<std::pair<const char *, double>> Grown;
    QList<std::pair<const char *, double>> ExpectedTops;
};

TEST(ShiftTreeTest, ObjectsBelowGrownOnesMoveByTheirShiftMode)
{
    using zor::smAlways, zor::smDontShift, zor::smWhenOverlapped;
    const ShiftCase cases[] = {
        {"always", {{"A", 0, 0, 100, 20, smAlways}, {"B", 0, 30, 100, 20, smAlways}}, {{"A", 20}}, {{"B", 50}}},
        {"dont shift", {{"A", 0, 0, 100, 20, smAlways}, {"B", 0, 30, 100, 20, smDontShift}}, {{"A", 20}}, {{"B", 30}}},
        {"when overlapped, only as far as needed",
         {{"A", 0, 0, 100, 20, smAlways}, {"B", 0, 30, 100, 20, smWhenOverlapped}},
         {{"A", 20}},
         {{"B", 40}}},
        {"when overlapped, clear of the grown object",
         {{"A", 0, 0, 100, 20, smAlways}, {"B", 0, 50, 100, 20, smWhenOverlapped}},
         {{"A", 20}},
         {{"B", 50}}},
        {"beside, not below", {{"A", 0, 0, 100, 20, smAlways}, {"B", 120, 30, 100, 20, smAlways}}, {{"A", 20}}, {{"B", 30}}},
        {"chain passes growth on",
         {{"A", 0, 0, 100, 20, smAlways}, {"B", 0, 30, 100, 20, smAlways}, {"C", 0, 60, 100, 20, smAlways}},
         {{"A", 20}, {"B", 5}},
         {{"B", 50}, {"C", 85}}},
        {"spanning two grown objects, always",
         {{"A", 0, 0, 100, 20, smAlways}, {"B", 110, 0, 100, 20, smAlways}, {"C", 0, 20, 210, 20, smAlways}},
         {{"A", 20}, {"B", 30}},
         {{"C", 70}}},
        {"spanning two grown objects, when overlapped",
         {{"A", 0, 0, 100, 20, smAlways}, {"B", 110, 0, 100, 20, smAlways}, {"C", 0, 20, 210, 20, smWhenOverlapped}},
         {{"A", 20}, {"B", 30}},
         {{"C", 50}}},
        {"blocked by an object between",
         {{"A", 0, 0, 100, 20, smAlways}, {"K", 0, 30, 100, 10, smWhenOverlapped}, {"C", 0, 50, 100, 20, smAlways}},
         {{"A", 20}},
         {{"K", 40}, {"C", 60}}},
    };
    for (const ShiftCase &c : cases) {
        TfrxReport report;
        auto *band = new TfrxMasterData(&report);
        band->SetBounds(0, 0, 300, 100);
        QHash<QString, TfrxMemoView *> byName;
        QList<TfrxComponent *> objects;
        for (const auto &[name, l, t, w, h, mode] : c.Objects) {
            auto *memo = new TfrxMemoView(band);
            memo->SetBounds(l, t, w, h);
            memo->SetShiftMode(mode);
            byName.insert(QString::fromLatin1(name), memo);
            objects.append(memo);
        }
        TfrxShiftTree tree;
        tree.Build(objects, band->Width());
        QHash<TfrxComponent *, double> grown;
        for (const auto &[name, amount] : c.Grown) {
            TfrxMemoView *memo = byName.value(QString::fromLatin1(name));
            memo->SetHeight(memo->Height() + amount);
            grown.insert(memo, amount);
        }
        tree.Apply(grown);
        for (const auto &[name, top] : c.ExpectedTops)
            EXPECT_DOUBLE_EQ(byName.value(QString::fromLatin1(name))->Top(), top) << c.Name << ": " << name;
    }
}

TEST_F(LayoutTest, StretchedBandTakesTheHeightOfItsObjects)
{
    for (const bool stretched : {true, false}) {
        SetUp();
        auto *title = AddBand<TfrxReportTitle>(QStringLiteral("ReportTitle1"), 0, 100);
        title->SetStretched(stretched);
        AddMemo(title, QStringLiteral("A"), 0, 10, 100, 80, QStringLiteral("a"));
        auto *summary = AddBand<TfrxReportSummary>(QStringLiteral("ReportSummary1"), 200, 20);
        AddMemo(summary, QStringLiteral("S"), 0, 0, 100, 20, QStringLiteral("s"));
        ASSERT_TRUE(Prepare());
        EXPECT_DOUBLE_EQ(Find(0, QStringLiteral("ReportSummary1"))->Top(), stretched ? 90 : 100) << stretched;
    }
}

TEST_F(LayoutTest, BandOfExactlyTheFreeSpaceFitsAndATinyBitMoreMovesOn)
{
    const double page = 100 * 3.77953;
    for (const auto &[extra, pages] : {std::pair{0.0, 1}, std::pair{0.01, 2}}) {
        SetUp();
        AddBand<TfrxReportTitle>(QStringLiteral("ReportTitle1"), 0, page - 50);
        auto *summary = AddBand<TfrxReportSummary>(QStringLiteral("ReportSummary1"), 400, 50 + extra);
        AddMemo(summary, QStringLiteral("S"), 0, 0, 100, 20, QStringLiteral("s"));
        ASSERT_TRUE(Prepare());
        EXPECT_EQ(Pages()->GetCount(), pages) << extra;
    }
}

TEST_F(LayoutTest, TextThatGrowsPushesTheObjectBelowAndStretchesTheBand)
{
    FPage->SetSizeAndDimensions(256, 100, 300);
    auto *title = AddBand<TfrxReportTitle>(QStringLiteral("ReportTitle1"), 0, 40);
    title->SetStretched(true);
    auto *text = AddMemo(title, QStringLiteral("Text"), 0, 0, 100, 20,
                         QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\nfive"));
    text->SetStretchMode(zor::smActualHeight);
    AddMemo(title, QStringLiteral("Below"), 0, 20, 100, 20, QStringLiteral("below"));
    AddBand<TfrxReportSummary>(QStringLiteral("ReportSummary1"), 200, 20);
    ASSERT_TRUE(Prepare());
    const TfrxComponent *grown = Find(0, QStringLiteral("Text"));
    const TfrxComponent *below = Find(0, QStringLiteral("Below"));
    ASSERT_NE(grown, nullptr);
    ASSERT_NE(below, nullptr);
    EXPECT_GT(grown->Height(), 60);
    EXPECT_DOUBLE_EQ(below->Top(), grown->Height());
    EXPECT_DOUBLE_EQ(Find(0, QStringLiteral("ReportSummary1"))->Top(), grown->Height() + 20);
}

TEST_F(LayoutTest, PageColumnsFillLeftColumnFirst)
{
    FPage->SetColumns(2);
    AddNumbers(QStringLiteral("Data"), 10);
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 50);
    band->SetDataSetName(QStringLiteral("Data"));
    AddMemo(band, QStringLiteral("Row"), 0, 0, 40, 20, QStringLiteral("[Data.\"N\"]"));
    ASSERT_TRUE(Prepare());
    ASSERT_EQ(Pages()->GetCount(), 1);
    const QList<TfrxComponent *> rows = FindAll(0, QStringLiteral("MasterData1"));
    ASSERT_EQ(rows.size(), 10);
    for (int i = 0; i < rows.size(); ++i) {
        EXPECT_NEAR(rows[i]->Left(), i < 7 ? 0 : 50 * 3.77953, 0.001) << i;
        EXPECT_NEAR(rows[i]->Top(), (i % 7) * 50, 0.001) << i;
    }
}

TEST_F(LayoutTest, MultiColumnDataBandPlacesRecordsAcross)
{
    AddNumbers(QStringLiteral("Data"), 7);
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 30);
    band->SetDataSetName(QStringLiteral("Data"));
    band->SetColumns(3);
    band->SetColumnWidth(100);
    band->SetColumnGap(10);
    AddMemo(band, QStringLiteral("Cell"), 0, 0, 100, 20, QStringLiteral("[Data.\"N\"]"));
    auto *summary = AddBand<TfrxReportSummary>(QStringLiteral("ReportSummary1"), 200, 20);
    AddMemo(summary, QStringLiteral("S"), 0, 0, 100, 20, QStringLiteral("s"));
    ASSERT_TRUE(Prepare());
    const QList<TfrxComponent *> cells = FindAll(0, QStringLiteral("MasterData1"));
    ASSERT_EQ(cells.size(), 7);
    for (int i = 0; i < cells.size(); ++i) {
        EXPECT_NEAR(cells[i]->Left(), (i % 3) * 110, 0.001) << i;
        EXPECT_NEAR(cells[i]->Top(), (i / 3) * 30, 0.001) << i;
    }
    EXPECT_NEAR(Find(0, QStringLiteral("ReportSummary1"))->Top(), 90, 0.001);
}

TEST_F(LayoutTest, KeptMasterWithItsDetailsMovesToTheNextPageAsAWhole)
{
    auto *masterData = AddNumbers(QStringLiteral("Master"), 2);
    AddNumbers(QStringLiteral("Detail"), 3);
    auto *master = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 100);
    master->SetDataSet(masterData);
    master->SetKeepTogether(true);
    master->SetOutlineText(QStringLiteral("Master.\"N\""));
    AddMemo(master, QStringLiteral("M"), 0, 0, 100, 20, QStringLiteral("M[Master.\"N\"]"));
    auto *detail = AddBand<TfrxDetailData>(QStringLiteral("DetailData1"), 120, 40);
    detail->SetDataSetName(QStringLiteral("Detail"));
    AddMemo(detail, QStringLiteral("D"), 0, 0, 100, 20, QStringLiteral("D[Detail.\"N\"]"));
    // 100 + 3 * 40 = 220 for each master; the second does not fit under the first on 377.95.
    ASSERT_TRUE(Prepare());
    ASSERT_EQ(Pages()->GetCount(), 2);
    EXPECT_EQ(Texts(0), (QStringList{QStringLiteral("M1"), QStringLiteral("D1"), QStringLiteral("D2"), QStringLiteral("D3")}));
    EXPECT_EQ(Texts(1), (QStringList{QStringLiteral("M2"), QStringLiteral("D1"), QStringLiteral("D2"), QStringLiteral("D3")}));
    EXPECT_NEAR(Find(1, QStringLiteral("MasterData1"))->Top(), 0, 0.001);
    // The second master's outline entry went with it.
    TfrxOutline &outline = Pages()->Outline();
    outline.LevelRoot();
    ASSERT_EQ(outline.Count(), 2);
    QString text;
    int page = -1, top = -1;
    outline.GetItem(1, text, page, top);
    EXPECT_EQ(text, QStringLiteral("2"));
    EXPECT_EQ(page, 1);
    EXPECT_EQ(top, 0);
}

TEST_F(LayoutTest, SplitBandContinuesItsTextOnTheNextPageWithTheObjectBelowFollowing)
{
    QStringList lines;
    for (int i = 1; i <= 40; ++i)
        lines.append(QStringLiteral("line %1").arg(i));
    AddBand<TfrxReportTitle>(QStringLiteral("ReportTitle1"), 0, 200);
    auto *summary = AddBand<TfrxReportSummary>(QStringLiteral("ReportSummary1"), 300, 60);
    summary->SetAllowSplit(true);
    summary->SetStretched(true);
    auto *text = AddMemo(summary, QStringLiteral("Text"), 0, 0, 200, 20, lines.join(QStringLiteral("\r\n")));
    text->SetStretchMode(zor::smActualHeight);
    AddMemo(summary, QStringLiteral("Below"), 0, 20, 200, 20, QStringLiteral("below"));
    ASSERT_TRUE(Prepare());
    ASSERT_GE(Pages()->GetCount(), 2);
    QStringList printed;
    for (int page = 0; page < Pages()->GetCount(); ++page) {
        for (TfrxComponent *part : FindAll(page, QStringLiteral("Text")))
            printed += Plain(static_cast<TfrxMemoView *>(part)->Text()).split(u'|');
    }
    EXPECT_EQ(printed, lines);
    const TfrxComponent *firstPart = Find(0, QStringLiteral("Text"));
    ASSERT_NE(firstPart, nullptr);
    EXPECT_GT(Plain(static_cast<const TfrxMemoView *>(firstPart)->Text()).split(u'|').size(), 1);
    const int last = Pages()->GetCount() - 1;
    const TfrxComponent *lastPart = Find(last, QStringLiteral("Text"));
    const TfrxComponent *below = Find(last, QStringLiteral("Below"));
    ASSERT_NE(lastPart, nullptr);
    ASSERT_NE(below, nullptr);
    EXPECT_NEAR(below->Top(), lastPart->Top() + lastPart->Height(), 1);
}

// Lines taller than an empty page: each page takes one of them (cut at the page's end, as it
// must be) and the text continues on the next pages. Before, the first page took every line and
// cut all but the first.
TEST_F(LayoutTest, TextWhoseLinesCannotFitAnEmptyPageContinuesOneLineAPage)
{
    FPage->SetSizeAndDimensions(256, 100, 15);
    const QStringList lines{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")};
    auto *summary = AddBand<TfrxReportSummary>(QStringLiteral("ReportSummary1"), 0, 20);
    summary->SetAllowSplit(true);
    summary->SetStretched(true);
    auto *text = AddMemo(summary, QStringLiteral("Text"), 0, 0, 200, 20, lines.join(QStringLiteral("\r\n")));
    text->SetStretchMode(zor::smActualHeight);
    text->SetParentFont(false);
    text->Font()->SetSize(60);
    ASSERT_TRUE(Prepare());
    QList<QStringList> perPage;
    for (int page = 0; page < Pages()->GetCount(); ++page) {
        QStringList printed;
        for (TfrxComponent *part : FindAll(page, QStringLiteral("Text")))
            printed += Plain(static_cast<TfrxMemoView *>(part)->Text()).split(u'|', Qt::SkipEmptyParts);
        // The band starts on the first page, where nothing of it fits before it is forced out.
        if (!printed.isEmpty())
            perPage << printed;
    }
    EXPECT_EQ(perPage, (QList<QStringList>{{lines[0]}, {lines[1]}, {lines[2]}, {lines[3]}}));
}

TEST_F(LayoutTest, HeaderWithReprintOnNewPageRepeatsOnEveryPage)
{
    AddNumbers(QStringLiteral("Data"), 20);
    auto *header = AddBand<TfrxHeader>(QStringLiteral("Header1"), 0, 30);
    header->SetReprintOnNewPage(true);
    AddMemo(header, QStringLiteral("H"), 0, 0, 100, 20, QStringLiteral("head"));
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 40, 50);
    band->SetDataSetName(QStringLiteral("Data"));
    ASSERT_TRUE(Prepare());
    ASSERT_EQ(Pages()->GetCount(), 4); // 30 + 6 * 50 a page
    for (int page = 0; page < 4; ++page) {
        ASSERT_NE(Find(page, QStringLiteral("Header1")), nullptr) << page;
        EXPECT_NEAR(Find(page, QStringLiteral("Header1"))->Top(), 0, 0.001);
    }
}

} // namespace

namespace {

TEST_F(LayoutTest, KeptFooterTakesTheLastRecordToTheNextPage)
{
    AddNumbers(QStringLiteral("Data"), 7);
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 50);
    band->SetDataSetName(QStringLiteral("Data"));
    band->SetKeepFooter(true);
    AddMemo(band, QStringLiteral("Row"), 0, 0, 100, 20, QStringLiteral("[Data.\"N\"]"));
    auto *footer = AddBand<TfrxFooter>(QStringLiteral("Footer1"), 100, 40);
    AddMemo(footer, QStringLiteral("Sum"), 0, 0, 100, 20, QStringLiteral("sum [SUM(Data.\"N\")]"));
    ASSERT_TRUE(Prepare());
    ASSERT_EQ(Pages()->GetCount(), 2);
    EXPECT_EQ(Texts(0), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                                     QStringLiteral("5"), QStringLiteral("6")}));
    EXPECT_EQ(Texts(1), (QStringList{QStringLiteral("7"), QStringLiteral("sum 28")}));
    EXPECT_NEAR(Find(1, QStringLiteral("MasterData1"))->Top(), 0, 0.001);
    EXPECT_NEAR(Find(1, QStringLiteral("Footer1"))->Top(), 50, 0.001);
}

TEST_F(LayoutTest, SubreportRunsItsPageWhereItStandsAndACircularOneIsRefused)
{
    for (const bool circular : {false, true}) {
        SetUp();
        TfrxReportPage *inner = AddPage();
        AddNumbers(QStringLiteral("Data"), 3);
        auto *title = AddBand<TfrxReportTitle>(QStringLiteral("ReportTitle1"), 0, 40);
        AddSubreport(title, QStringLiteral("Subreport1"), QRectF(50, 10, 200, 20), inner);
        auto *band = AddNumberRows(QStringLiteral("MasterData1"), QStringLiteral("Data"), inner);
        if (circular) {
            // inner runs other, whose band runs inner again.
            TfrxReportPage *other = AddPage();
            AddSubreport(band, QStringLiteral("Subreport2"), QRectF(120, 0, 50, 20), other);
            auto *otherBand = AddBand<TfrxMasterData>(QStringLiteral("MasterData2"), 0, 20, other);
            otherBand->SetRowCount(1);
            AddSubreport(otherBand, QStringLiteral("Subreport3"), QRectF(0, 0, 50, 20), inner);
        }
        AddBand<TfrxReportSummary>(QStringLiteral("ReportSummary1"), 100, 20);
        if (circular) {
            EXPECT_FALSE(Prepare());
            EXPECT_EQ(FReport->Errors(), QStringList{QStringLiteral("Circular subreport Subreport3")});
            continue;
        }
        ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
        ASSERT_EQ(Pages()->GetCount(), 1);
        EXPECT_EQ(Texts(0), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        const QList<TfrxComponent *> rows = FindAll(0, QStringLiteral("MasterData1"));
        ASSERT_EQ(rows.size(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(rows[i]->Left(), 50, 0.001);
            EXPECT_NEAR(rows[i]->Top(), 10 + 20 * i, 0.001);
        }
        EXPECT_NEAR(Find(0, QStringLiteral("ReportSummary1"))->Top(), 70, 0.001);
    }
}

// Printed on its parent, a subreport's rows become objects of the parent band, which grows around
// them, once per parent record; the template band gets back its own objects after each output.
TEST_F(LayoutTest, SubreportOnItsParentJoinsTheParentBandWhichGrows)
{
    TfrxReportPage *inner = AddPage();
    AddNumbers(QStringLiteral("Outer"), 2);
    AddNumbers(QStringLiteral("Data"), 3);
    auto *parent = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 40);
    parent->SetDataSetName(QStringLiteral("Outer"));
    AddMemo(parent, QStringLiteral("Head"), 0, 0, 40, 20, QStringLiteral("A[Outer.\"N\"]"));
    AddSubreport(parent, QStringLiteral("Subreport1"), QRectF(50, 10, 200, 20), inner)->SetPrintOnParent(true);
    AddNumberRows(QStringLiteral("MasterData2"), QStringLiteral("Data"), inner, 5);
    AddBand<TfrxReportSummary>(QStringLiteral("ReportSummary1"), 200, 20);

    ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
    ASSERT_EQ(Pages()->GetCount(), 1);
    EXPECT_TRUE(FindAll(0, QStringLiteral("MasterData2")).isEmpty());
    const QList<TfrxComponent *> parents = FindAll(0, QStringLiteral("MasterData1"));
    ASSERT_EQ(parents.size(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(parents[i]->Top(), 70 * i, 0.001);
        EXPECT_NEAR(parents[i]->Height(), 70, 0.001); // 10 + three rows of 20
        // What the subreport printed, at its place in the band: text, left, top.
        QList<std::tuple<QString, double, double>> printed;
        for (TfrxComponent *obj : parents[i]->Objects()) {
            if (auto *memo = qobject_cast<TfrxMemoView *>(obj))
                printed.append({Plain(memo->Text()), memo->Left(), memo->Top()});
        }
        const QList<std::tuple<QString, double, double>> expected = {
            {QStringLiteral("A%1").arg(i + 1), 0, 0},
            {QStringLiteral("1"), 55, 10},
            {QStringLiteral("2"), 55, 30},
            {QStringLiteral("3"), 55, 50},
        };
        EXPECT_EQ(printed, expected) << i;
    }
    EXPECT_NEAR(Find(0, QStringLiteral("ReportSummary1"))->Top(), 140, 0.001);
    EXPECT_EQ(parent->Objects().size(), 2);
    EXPECT_NEAR(parent->Height(), 40, 0.001);
}

// Among the loose objects of a page there is no band to print on: the subreport runs its bands
// where it stands.
TEST_F(LayoutTest, LooseSubreportMeantForItsParentRunsWhereItStands)
{
    TfrxReportPage *inner = AddPage();
    AddNumbers(QStringLiteral("Data"), 3);
    AddSubreport(FPage, QStringLiteral("Subreport1"), QRectF(50, 10, 200, 20), inner)->SetPrintOnParent(true);
    AddNumberRows(QStringLiteral("MasterData2"), QStringLiteral("Data"), inner, 5);
    ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
    ASSERT_EQ(Pages()->GetCount(), 1);
    EXPECT_EQ(Texts(0), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    const QList<TfrxComponent *> bands = FindAll(0, QStringLiteral("MasterData2"));
    ASSERT_EQ(bands.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(bands[i]->Left(), 50, 0.001);
        EXPECT_NEAR(bands[i]->Top(), 10 + 20 * i, 0.001);
    }
}

} // namespace
