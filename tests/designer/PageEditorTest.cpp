// "Page Options", driven through its widgets on a printer of our own: papers and trays the printer
// lacks, lengths in the designer's units, the orientation, columns, numbers it refuses, the pages
// of subreports, OK and Cancel.
#include "TfrxPageEditorForm.h"

#include "StructureDialogsFixture.h"
#include "TfrxCustomPrinter.h"
#include "TfrxSubreport.h"
#include "TfrxXMLSerializer.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <cmath>

namespace {

using namespace structuretest;

// A printer with the two papers and the one tray of a small office printer; no A5.
class OfficePrinter final : public TfrxCustomPrinter
{
public:
    OfficePrinter() : TfrxCustomPrinter(QStringLiteral("Office"), QString())
    {
        resetLists();
        FPapers.append({QStringLiteral("A4"), 9});
        FPapers.append({QStringLiteral("Letter"), 1});
        FBins.append({QStringLiteral("Upper tray"), 260});
        FInitialized = true;
    }
    void Init() override {}
    void Abort() override {}
    bool BeginDoc() override { return false; }
    bool BeginPage() override { return false; }
    bool BeginRAWDoc() override { return false; }
    bool EndDoc() override { return true; }
    void EndPage() override {}
    bool EndRAWDoc() override { return false; }
    bool WriteRAWDoc(const QByteArray &) override { return false; }
    void SetViewParams(int, double, double, zor::TPrinterOrientation) override {}
    void SetPrintParams(int, double, double, zor::TPrinterOrientation, int, int, int) override {}
    bool PropertiesDlg() override { return false; }
};

class PageEditorTest : public ::testing::Test
{
protected:
    PageEditorTest() : report(designertest::EmptyReport()), page(designertest::FirstPage(*report)), designer(*report, page)
    {
    }

    void open()
    {
        dialog = std::make_unique<TfrxPageEditorForm>(designer, *page, printer);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
    }
    template <class T> T *widget(const char *name) const { return child<T>(dialog.get(), QLatin1String(name)); }
    QString text(const char *edit) const { return widget<QLineEdit>(edit)->text(); }
    void type(const char *edit, const QString &text) const
    {
        QLineEdit *line = widget<QLineEdit>(edit);
        line->setFocus();
        line->selectAll();
        QTest::keyClicks(line, text);
    }
    // Picks an entry of a box with the keyboard, as the operator does.
    void pick(const char *box, const QString &entry) const
    {
        auto *combo = widget<QComboBox>(box);
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Home);
        while (combo->currentText() != entry && combo->currentIndex() < combo->count() - 1)
            QTest::keyClick(combo, Qt::Key_Down);
        ASSERT_EQ(combo->currentText(), entry);
        // Choosing in the open list reports the entry even when it was the one shown.
        emit combo->activated(combo->currentIndex());
    }
    void ok() const { click(dialog.get(), QStringLiteral("OkB")); }

    std::unique_ptr<TfrxReport> report;
    TfrxReportPage *page;
    FakeDesigner designer;
    OfficePrinter printer;
    RecordingDialogs dialogs;
    std::unique_ptr<TfrxPageEditorForm> dialog;
};

// Before the fix, OK on a machine without A5 turned the certificate's paper 11 into 256 and its
// tray into 7.
TEST_F(PageEditorTest, APaperAndTrayThePrinterLacksAreKeptUnlessAnotherIsPicked)
{
    page->SetOrientation(zor::poLandscape);
    page->SetPaperSize(11);
    page->SetBin(261);
    page->SetBinOtherPages(260);
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Page Options"));
    EXPECT_EQ(widget<QComboBox>("PaperCB")->currentText(), QStringLiteral("Custom"));
    EXPECT_EQ(text("WidthE"), QStringLiteral("21"));
    EXPECT_EQ(text("HeightE"), QStringLiteral("14,80"));
    EXPECT_TRUE(widget<QRadioButton>("LandscapeRB")->isChecked());
    EXPECT_EQ(widget<QComboBox>("BinCB")->currentText(), QStringLiteral("Default"));
    EXPECT_EQ(widget<QComboBox>("BinOtherPagesCB")->currentText(), QStringLiteral("Upper tray"));
    ok();
    EXPECT_EQ(page->PaperSize(), 11);
    EXPECT_EQ(page->Orientation(), zor::poLandscape);
    EXPECT_DOUBLE_EQ(page->PaperWidth(), 210);
    EXPECT_DOUBLE_EQ(page->PaperHeight(), 148);
    EXPECT_EQ(page->Bin(), 261);
    EXPECT_EQ(page->BinOtherPages(), 260);

    open();
    pick("PaperCB", QStringLiteral("A4"));
    pick("BinCB", QStringLiteral("Default"));
    EXPECT_EQ(text("WidthE"), QStringLiteral("29,70")) << "A4 turned to landscape";
    EXPECT_EQ(text("HeightE"), QStringLiteral("21"));
    ok();
    EXPECT_EQ(page->PaperSize(), 9);
    EXPECT_DOUBLE_EQ(page->PaperWidth(), 297);
    EXPECT_DOUBLE_EQ(page->PaperHeight(), 210);
    EXPECT_EQ(page->Bin(), 7);
}

TEST_F(PageEditorTest, LengthsAreShownAndReadInTheDesignersUnitsWithEitherSeparator)
{
    struct Case
    {
        TfrxDesignerUnits units;
        const char *unit;
        const char *shown[4]; // left, top, right, bottom of 10, 20, 25.4 and 5 mm
        const char *typed;    // into the left margin
        double typedMm;
    };
    const Case cases[] = {
        {duCM, "cm", {"1", "2", "2,54", "0,50"}, "1.5", 15},
        {duCM, "cm", {"1", "2", "2,54", "0,50"}, "2,25", 22.5},
        {duInches, "in", {"0,39", "0,79", "1", "0,20"}, "0,5", 12.7},
        {duPixels, "px", {"37,80", "75,59", "96", "18,90"}, "96", 25.4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        page->SetLeftMargin(10);
        page->SetTopMargin(20);
        page->SetRightMargin(25.4);
        page->SetBottomMargin(5);
        designer.Settings_.Units = c.units;
        open();
        const char *const edits[] = {"LeftMarginE", "TopMarginE", "RightMarginE", "BottomMarginE"};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(text(edits[i]), QLatin1String(c.shown[i])) << edits[i];
        const QList<QLabel *> labels = dialog->findChildren<QLabel *>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                                [&c](const QLabel *l) { return l->text() == QLatin1String(c.unit); }));
        type("LeftMarginE", QLatin1String(c.typed));
        ok();
        EXPECT_NEAR(page->LeftMargin(), c.typedMm, 1e-9);
        // The fields left alone keep their exact values, not the rounded ones shown.
        EXPECT_DOUBLE_EQ(page->TopMargin(), 20);
        EXPECT_DOUBLE_EQ(page->RightMargin(), 25.4);
        EXPECT_DOUBLE_EQ(page->BottomMargin(), 5);
    }
}

TEST_F(PageEditorTest, ChoosingAnOrientationTurnsThePaper)
{
    open();
    click(dialog.get(), QStringLiteral("LandscapeRB"));
    EXPECT_EQ(text("WidthE"), QStringLiteral("29,70"));
    EXPECT_EQ(text("HeightE"), QStringLiteral("21"));
    ok();
    EXPECT_EQ(page->Orientation(), zor::poLandscape);
    EXPECT_EQ(page->PaperSize(), 9);
    EXPECT_DOUBLE_EQ(page->PaperWidth(), 297);
    EXPECT_DOUBLE_EQ(page->LeftMargin(), 10) << "the margins stay as the dialog shows them";
}

TEST_F(PageEditorTest, TypingASizeChoosesCustom)
{
    open();
    type("WidthE", QStringLiteral("20"));
    EXPECT_EQ(widget<QComboBox>("PaperCB")->currentText(), QStringLiteral("Custom"));
    ok();
    EXPECT_EQ(page->PaperSize(), 256);
    EXPECT_DOUBLE_EQ(page->PaperWidth(), 200);
    EXPECT_DOUBLE_EQ(page->PaperHeight(), 297);
}

TEST_F(PageEditorTest, ANewNumberOfColumnsSharesOutThePrintableWidth)
{
    open();
    auto *columns = widget<QSpinBox>("ColumnsE");
    columns->setFocus();
    columns->selectAll();
    QTest::keyClicks(columns, QStringLiteral("3"));
    EXPECT_EQ(text("ColumnWidthE"), QStringLiteral("6,33"));
    EXPECT_EQ(widget<QPlainTextEdit>("PositionsM")->toPlainText(), QStringLiteral("0\n6,33\n12,67"));
    ok();
    EXPECT_EQ(page->Columns(), 3);
    EXPECT_DOUBLE_EQ(page->ColumnWidth(), 190.0 / 3);
    ASSERT_EQ(page->ColumnPositions().size(), 3);
    double second = 0;
    ASSERT_TRUE(TfrxXMLSerializer::StrToFloat(page->ColumnPositions()[1], second));
    EXPECT_NEAR(second, 190.0 / 3, 1e-9) << "stored as text";

    // Typed margins count at once; no columns means one column's width.
    open();
    type("LeftMarginE", QStringLiteral("3"));
    columns = widget<QSpinBox>("ColumnsE");
    columns->setFocus();
    columns->selectAll();
    QTest::keyClicks(columns, QStringLiteral("0"));
    EXPECT_EQ(text("ColumnWidthE"), QStringLiteral("17"));
    EXPECT_EQ(widget<QPlainTextEdit>("PositionsM")->toPlainText(), QString());
}

TEST_F(PageEditorTest, TypedColumnPositionsAreStoredInMillimetres)
{
    open();
    auto *columns = widget<QSpinBox>("ColumnsE");
    columns->setValue(2);
    auto *positions = widget<QPlainTextEdit>("PositionsM");
    positions->setPlainText(QStringLiteral("0\n\n9.5"));
    ok();
    EXPECT_EQ(page->ColumnPositions(), (QStringList{QStringLiteral("0"), QStringLiteral("95")}));
}

// Before the fix, "inf" or a negative margin went into the template; now nothing changes at all.
TEST_F(PageEditorTest, ValuesThatAreNotUsableKeepTheDialogOpenAndChangeNothing)
{
    struct Case
    {
        const char *field, *typed;
    };
    const Case cases[] = {
        {"WidthE", "abc"},        {"HeightE", "0"},     {"LeftMarginE", "-1"},
        {"TopMarginE", "inf"},    {"ColumnWidthE", "nan"}, {"BottomMarginE", "1e999"},
    };
    const QByteArray before = designertest::TemplateText(*report);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        dialogs.errors.clear();
        open();
        click(dialog.get(), QStringLiteral("LandscapeRB"));
        type("RightMarginE", QStringLiteral("3"));
        type(c.field, QLatin1String(c.typed));
        ok();
        EXPECT_TRUE(dialog->isVisible());
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("\"%1\" is not a valid value for").arg(QLatin1String(c.typed))))
            << dialogs.errors[0].toStdString();
        EXPECT_EQ(designertest::TemplateText(*report), before);
    }
    open();
    widget<QPlainTextEdit>("PositionsM")->setPlainText(QStringLiteral("1\nx"));
    ok();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(designertest::TemplateText(*report), before);
}

TEST_F(PageEditorTest, TheOtherOptionsAreStored)
{
    open();
    for (const char *box : {"MirrorMarginsCB", "EndlessHeightCB", "PrintOnPreviousPageCB"})
        click(dialog.get(), QLatin1String(box));
    pick("DuplexCB", QStringLiteral("Horizontal"));
    ok();
    EXPECT_TRUE(page->MirrorMargins());
    EXPECT_TRUE(page->EndlessHeight());
    EXPECT_TRUE(page->PrintOnPreviousPage());
    EXPECT_FALSE(page->EndlessWidth());
    EXPECT_FALSE(page->LargeDesignHeight());
    EXPECT_EQ(page->Duplex(), zor::dmHorizontal);
}

TEST_F(PageEditorTest, OkAppliesTheValuesToThePagesOfSubreportsToo)
{
    auto *subPage = new TfrxReportPage(report.get());
    subPage->SetName(QStringLiteral("Page2"));
    subPage->SetDefaults();
    auto *subreport = new TfrxSubreport(page);
    subreport->SetName(QStringLiteral("Subreport1"));
    subreport->SetPage(subPage);
    open();
    click(dialog.get(), QStringLiteral("LandscapeRB"));
    type("TopMarginE", QStringLiteral("2"));
    click(dialog.get(), QStringLiteral("MirrorMarginsCB"));
    ok();
    for (const TfrxReportPage *p : {page, subPage}) {
        SCOPED_TRACE(p->Name().toStdString());
        EXPECT_EQ(p->Orientation(), zor::poLandscape);
        EXPECT_DOUBLE_EQ(p->PaperWidth(), 297);
        EXPECT_DOUBLE_EQ(p->TopMargin(), 20);
        EXPECT_TRUE(p->MirrorMargins());
    }
}

TEST_F(PageEditorTest, CancelLeavesThePageAsItWas)
{
    const QByteArray before = designertest::TemplateText(*report);
    open();
    click(dialog.get(), QStringLiteral("LandscapeRB"));
    type("LeftMarginE", QStringLiteral("4"));
    pick("PaperCB", QStringLiteral("Letter"));
    click(dialog.get(), QStringLiteral("CancelB"));
    EXPECT_EQ(designertest::TemplateText(*report), before);
}

} // namespace
