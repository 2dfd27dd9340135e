// Printing prepared pages through the tests' spooler: positions on the paper, the order of pages
// and copies, page ranges, the sheet arrangements, print to file, and the print dialog.
#include "CupsSandbox.h"
#include "FakePreviewPages.h"
#include "PdfText.h"
#include "PrintingTestMain.h"
#include "QtPrinters.h"
#include "TfrxCustomPrinter.h"
#include "TfrxMemoView.h"
#include "TfrxPrintDialog.h"
#include "TfrxPrintRun.h"
#include "TfrxPrinters.h"
#include "TfrxProgress.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "zorPdfExport.h"
#include "zorPreview.h"
#include "zorPrinterTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace zor;

namespace {

constexpr double pointsPerMm = 72 / 25.4;

QString outputOf(const char *queue)
{
    return spooler().socketPath().section(u'/', 0, -2) + QStringLiteral("/out/%1.pdf").arg(QLatin1String(queue));
}

// The words of every printed page, joined per page.
QStringList pageTexts(const QList<PdfPage> &pages)
{
    QStringList texts;
    for (const PdfPage &page : pages) {
        QStringList words;
        for (const PdfWord &word : page.words)
            words << word.text;
        texts << words.join(u' ');
    }
    return texts;
}

const PdfWord *findWord(const PdfPage &page, const QString &text)
{
    for (const PdfWord &word : page.words)
        if (word.text == text)
            return &word;
    return nullptr;
}

// Runs `act` on the modal window that the next call opens.
void onModal(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget *modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        act(modal);
    });
}

class PrintRun : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        zorRegisterPreview();
        registerFakeEngine();
    }

    void SetUp() override
    {
        QFile::remove(outputOf("ZorPDF"));
        zorSetPrinterErrorHandler([this](const QString &message) { errors << message; });
        report = std::make_unique<TfrxReport>();
        pages = static_cast<FakePreviewPages *>(report->PreviewPages());
        report->PrintOptions()->Printer = QStringLiteral("ZorPDF");
        report->PrintOptions()->ShowDialog = false;
        report->setProperty("ShowProgress", false);
    }
    void TearDown() override { zorSetPrinterErrorHandler({}); }

    // Pages of A4 paper, each with one word naming it.
    void addPages(int count, QSizeF paper = QSizeF(210, 297), int paperSize = 9)
    {
        for (int i = 1; i <= count; ++i)
            FakePreviewPages::AddText(pages->AddPage(paper, false, paperSize), QStringLiteral("P%1").arg(i),
                                      QRectF(20, 20, 200, 30));
    }

    bool print(int currentPage = 1)
    {
        TfrxPrintRun run(*report, *pages);
        run.SetCurrentPage(currentPage);
        return run.Print();
    }

    QList<PdfPage> printed()
    {
        if (!spooler().waitUntilPrinted(QStringLiteral("ZorPDF"), outputOf("ZorPDF")))
            return {};
        return readPdfText(outputOf("ZorPDF"));
    }

    QStringList errors;
    std::unique_ptr<TfrxReport> report;
    FakePreviewPages *pages = nullptr;
};

TEST_F(PrintRun, TextStandsAtItsPlaceOnThePaperPlusThePageMargins)
{
    TfrxReportPage *page = pages->AddPage(QSizeF(210, 297), false, 9);
    page->SetLeftMargin(15);
    page->SetTopMargin(25);
    const struct
    {
        const char16_t *word;
        QRectF bounds;
    } words[] = {{u"Слева", QRectF(0, 0, 200, 30)}, {u"Середина", QRectF(300, 400, 200, 30)},
                 {u"Внизу", QRectF(100, 900, 200, 30)}};
    for (const auto &word : words)
        FakePreviewPages::AddText(page, QString::fromUtf16(word.word), word.bounds);
    ASSERT_TRUE(print()) << errors.join(u'\n').toStdString();
    const QList<PdfPage> sheets = printed();
    ASSERT_EQ(sheets.size(), 1);
    EXPECT_NEAR(sheets[0].size.width() / pointsPerMm, 210, 0.5);

    // The same page exported straight to PDF is drawn from the paper's corner: printing must put
    // every word where the export does, whatever the printer's unprintable margins.
    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(zorExportPdf(*report, dir.filePath(QStringLiteral("ref.pdf")), error));
    const QList<PdfPage> reference = readPdfText(dir.filePath(QStringLiteral("ref.pdf")));
    ASSERT_EQ(reference.size(), 1);
    for (const auto &word : words) {
        const QString text = QString::fromUtf16(word.word);
        const PdfWord *onPaper = findWord(sheets[0], text);
        const PdfWord *exported = findWord(reference[0], text);
        ASSERT_TRUE(onPaper != nullptr && exported != nullptr) << text.toStdString();
        EXPECT_NEAR(onPaper->box.left() / pointsPerMm, exported->box.left() / pointsPerMm, 0.5);
        EXPECT_NEAR(onPaper->box.top() / pointsPerMm, exported->box.top() / pointsPerMm, 0.5);
        // The object's corner, from the paper's edge, plus its 2-pixel gap: within a glyph's bearing.
        EXPECT_NEAR(onPaper->box.left() / pointsPerMm, 15 + (word.bounds.left() + 2) / fr01cm, 1);
        EXPECT_GT(onPaper->box.top() / pointsPerMm, 25 + word.bounds.top() / fr01cm);
        EXPECT_LT(onPaper->box.top() / pointsPerMm, 25 + (word.bounds.top() + 15) / fr01cm);
    }
}

TEST_F(PrintRun, TheCertificatesLandscapeA5PageComesOutOnA5)
{
    TfrxReportPage *page = pages->AddPage(QSizeF(210, 148), true, 11);
    FakePreviewPages::AddText(page, QStringLiteral("Свидетельство"), QRectF(200, 100, 300, 30));
    ASSERT_TRUE(print());
    const QList<PdfPage> sheets = printed();
    ASSERT_EQ(sheets.size(), 1);
    // The spooler feeds the landscape page as an A5 sheet with its content turned.
    EXPECT_NEAR(sheets[0].size.width() / pointsPerMm, 148, 0.5);
    EXPECT_NEAR(sheets[0].size.height() / pointsPerMm, 210, 0.5);
    const PdfWord *word = findWord(sheets[0], QStringLiteral("Свидетельство"));
    ASSERT_NE(word, nullptr);
    EXPECT_NEAR((sheets[0].size.height() - word->box.bottom()) / pointsPerMm, 10 + 202 / fr01cm, 1);
}

TEST_F(PrintRun, RangesOrderAndCopiesGiveTheirSequenceOfPages)
{
    addPages(5);
    const struct
    {
        const char *range;
        int copies;
        bool collate;
        TfrxPrintPages which;
        bool reverse;
        const char *expected;
    } cases[] = {
        {"", 1, true, ppAll, false, "P1 P2 P3 P4 P5"},
        {"2-", 1, true, ppAll, false, "P2 P3 P4 P5"},
        {" 3 , 1,1", 1, true, ppAll, false, "P3 P1 P1"},
        {"1-3", 2, true, ppAll, false, "P1 P2 P3 P1 P2 P3"},
        {"1-4", 1, true, ppOdd, true, "P3 P1"},
        {"", 1, true, ppEven, false, "P2 P4"},
        {"4,9,2", 1, true, ppAll, false, "P4 P2"},
        {"0-2", 1, true, ppAll, true, "P2 P1"},
    };
    for (const auto &c : cases) {
        QFile::remove(outputOf("ZorPDF"));
        TfrxPrintOptions &options = *report->PrintOptions();
        options.PageNumbers = QLatin1String(c.range);
        options.Copies = c.copies;
        options.Collate = c.collate;
        options.PrintPages = c.which;
        options.Reverse = c.reverse;
        ASSERT_TRUE(print()) << c.range;
        EXPECT_EQ(pageTexts(printed()).join(u' '), QLatin1String(c.expected)) << c.range;
        EXPECT_EQ(options.PageNumbers, QLatin1String(c.range)) << "the options are restored";
    }
}

TEST_F(PrintRun, BadRangesAndMissingPrintersPrintNothing)
{
    addPages(5);
    const struct
    {
        const char *range;
        const char *error;
    } cases[] = {{"5-3", nullptr}, {",5", "\",5\" is not a valid page range"},
                 {"x", "\"x\" is not a valid page range"}, {"-5", "\"-5\" is not a valid page range"}};
    for (const auto &c : cases) {
        errors.clear();
        report->PrintOptions()->PageNumbers = QLatin1String(c.range);
        EXPECT_FALSE(print()) << c.range;
        EXPECT_EQ(errors, c.error ? QStringList{QLatin1String(c.error)} : QStringList()) << c.range;
    }
    EXPECT_FALSE(QFile::exists(outputOf("ZorPDF")));
    // A printer name that is not installed leaves the current printer selected.
    report->PrintOptions()->PageNumbers = QStringLiteral("1");
    report->PrintOptions()->Printer = QStringLiteral("Nowhere");
    zorPrinters()->setPrinterIndex(zorPrinters()->IndexOf(QStringLiteral("ZorPDF")));
    EXPECT_TRUE(print());
    EXPECT_EQ(pageTexts(printed()), QStringList{QStringLiteral("P1")});
}

TEST_F(PrintRun, PrintToFileWritesTheFileOnlyForThatPrint)
{
    addPages(2);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("out.prn"));
    report->PrintOptions()->PrnOutFileName = file;
    ASSERT_TRUE(print());
    EXPECT_EQ(pageTexts(readPdfText(file)), (QStringList{QStringLiteral("P1"), QStringLiteral("P2")}));
    EXPECT_FALSE(QFile::exists(outputOf("ZorPDF")));
    EXPECT_TRUE(zorPrinters()->Printer()->FileName().isEmpty()) << "the next print goes to the printer";
}

TEST_F(PrintRun, SheetArrangementsPlacePagesOnTheChosenPaper)
{
    // Four A6 pages join on one A4 sheet; an A3 page splits over two A4 sheets; an A5 page scales
    // up to A4.
    const struct
    {
        TfrxPrintMode mode;
        QSizeF paper;
        int paperSize;
        int pages;
        int sheets;
    } cases[] = {{pmJoin, QSizeF(105, 148), 70, 4, 1}, {pmSplit, QSizeF(297, 420), 8, 1, 2},
                 {pmScale, QSizeF(148, 210), 11, 1, 1}};
    for (const auto &c : cases) {
        QFile::remove(outputOf("ZorPDF"));
        pages->Clear();
        addPages(c.pages, c.paper, c.paperSize);
        report->PrintOptions()->PrintMode = c.mode;
        report->PrintOptions()->PrintOnSheet = 9;
        ASSERT_TRUE(print()) << int(c.mode) << errors.join(u'\n').toStdString();
        const QList<PdfPage> sheets = printed();
        ASSERT_EQ(sheets.size(), c.sheets) << int(c.mode);
        EXPECT_NEAR(std::min(sheets[0].size.width(), sheets[0].size.height()) / pointsPerMm, 210, 0.5);
        EXPECT_NEAR(std::max(sheets[0].size.width(), sheets[0].size.height()) / pointsPerMm, 297, 0.5);
        if (c.mode == pmJoin) {
            EXPECT_EQ(pageTexts(sheets).value(0).split(u' ').size(), 4);
        }
        if (c.mode == pmScale) {
            // Scaled by 210 / 148: the word's height grows with it.
            const PdfWord *word = findWord(sheets[0], QStringLiteral("P1"));
            ASSERT_NE(word, nullptr);
            EXPECT_NEAR(word->box.left() / pointsPerMm, (10 + 22 / fr01cm) * 210 / 148, 1.5);
        }
    }
}

TEST_F(PrintRun, TheDialogWritesItsChoicesForOnePrint)
{
    addPages(5);
    report->PrintOptions()->ShowDialog = true;
    report->PrintOptions()->PageNumbers = QStringLiteral("2-3");
    onModal([](QWidget *window) {
        auto *dialog = qobject_cast<TfrxPrintDialog *>(window);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Print"));
        EXPECT_TRUE(dialog->findChild<QRadioButton *>(QStringLiteral("PageNumbersRB"))->isChecked());
        EXPECT_EQ(dialog->findChild<QLineEdit *>(QStringLiteral("PageNumbersE"))->text(), QStringLiteral("2-3"));
        dialog->findChild<QRadioButton *>(QStringLiteral("CurPageRB"))->setChecked(true);
        dialog->findChild<QComboBox *>(QStringLiteral("OrderCB"))->setCurrentIndex(1);
        dialog->findChild<QPushButton *>(QStringLiteral("OkB"))->click();
    });
    ASSERT_TRUE(print(4));
    EXPECT_EQ(pageTexts(printed()), QStringList{QStringLiteral("P4")}) << "the preview's current page";
    EXPECT_EQ(report->PrintOptions()->PageNumbers, QStringLiteral("2-3"));
    EXPECT_FALSE(report->PrintOptions()->Reverse);

    onModal([](QWidget *window) {
        window->findChild<QRadioButton *>(QStringLiteral("AllRB"))->setChecked(true);
        window->findChild<QSpinBox *>(QStringLiteral("CopiesE"))->setValue(2);
        window->findChild<QComboBox *>(QStringLiteral("PrintPagesCB"))->setCurrentIndex(int(ppEven));
        window->findChild<QPushButton *>(QStringLiteral("OkB"))->click();
    });
    QFile::remove(outputOf("ZorPDF"));
    ASSERT_TRUE(print());
    EXPECT_EQ(pageTexts(printed()), (QStringList{QStringLiteral("P2"), QStringLiteral("P4"), QStringLiteral("P2"),
                                                 QStringLiteral("P4")}));
}

TEST_F(PrintRun, CancellingTheDialogPrintsNothingAndKeepsThePrinter)
{
    addPages(1);
    report->PrintOptions()->ShowDialog = true;
    TfrxPrinters *printers = zorPrinters();
    printers->setPrinterIndex(printers->IndexOf(QStringLiteral("ZorPDF")));
    onModal([](QWidget *window) {
        auto *list = window->findChild<QComboBox *>(QStringLiteral("PrintersCB"));
        list->setCurrentIndex(list->findText(QStringLiteral("Second")));
        EXPECT_EQ(zorPrinters()->Printer()->Name(), QStringLiteral("Second"));
        window->findChild<QPushButton *>(QStringLiteral("CancelB"))->click();
    });
    EXPECT_FALSE(print());
    EXPECT_EQ(printers->Printer()->Name(), QStringLiteral("ZorPDF"));
    EXPECT_FALSE(QFile::exists(outputOf("ZorPDF")));
}

TEST_F(PrintRun, TheDialogsSheetFollowsThePrintMode)
{
    addPages(1);
    TfrxPrintDialog dialog(*report, 0, 1);
    auto *mode = dialog.findChild<QComboBox *>(QStringLiteral("PrintModeCB"));
    auto *sheet = dialog.findChild<QComboBox *>(QStringLiteral("PagPageSizeCB"));
    EXPECT_FALSE(sheet->isEnabled());
    EXPECT_EQ(sheet->currentText(), QStringLiteral("Default"));
    mode->setCurrentIndex(int(pmScale));
    EXPECT_TRUE(sheet->isEnabled());
    EXPECT_EQ(sheet->currentData().toInt(), 9) << "A4 once a sheet mode is chosen";
    mode->setCurrentIndex(int(pmDefault));
    EXPECT_FALSE(sheet->isEnabled());
    EXPECT_EQ(sheet->currentIndex(), 0);
    const QStringList modes = {QStringLiteral("Default"), QStringLiteral("Split big pages"),
                               QStringLiteral("Join small pages"), QStringLiteral("Scale")};
    for (int i = 0; i < mode->count(); ++i)
        EXPECT_EQ(mode->itemText(i), modes[i]);
    EXPECT_EQ(dialog.findChild<QComboBox *>(QStringLiteral("OrderCB"))->itemText(1), QStringLiteral("Reverse (9-1)"));
    dialog.show();
    EXPECT_TRUE(dialog.grab().save(QCoreApplication::applicationDirPath() + QStringLiteral("/print-dialog.png")));
}

TEST_F(PrintRun, AnEmptyCopiesBoxKeepsTheDialogOpen)
{
    addPages(1);
    TfrxPrintDialog dialog(*report, 0, 1);
    auto *copies = dialog.findChild<QSpinBox *>(QStringLiteral("CopiesE"));
    copies->clear();
    onModal([](QWidget *box) {
        EXPECT_NE(qobject_cast<QMessageBox *>(box), nullptr);
        box->close();
    });
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(report->PrintOptions()->Copies, 1);
}

TEST_F(PrintRun, PrintToFileFromTheDialogTakesThePrnExtension)
{
    addPages(1);
    QTemporaryDir dir;
    report->PrintOptions()->ShowDialog = true;
    onModal([&dir](QWidget *window) {
        auto *dialog = qobject_cast<TfrxPrintDialog *>(window);
        dialog->findChild<QCheckBox *>(QStringLiteral("FileCB"))->setChecked(true);
        onModal([&dir](QWidget *files) {
            auto *chooser = qobject_cast<QFileDialog *>(files);
            ASSERT_NE(chooser, nullptr);
            chooser->selectFile(dir.filePath(QStringLiteral("certificate.pdf")));
            QMetaObject::invokeMethod(chooser, "accept");
        });
        dialog->findChild<QPushButton *>(QStringLiteral("OkB"))->click();
    });
    ASSERT_TRUE(print());
    EXPECT_EQ(pageTexts(readPdfText(dir.filePath(QStringLiteral("certificate.prn")))), QStringList{QStringLiteral("P1")});
    EXPECT_TRUE(report->PrintOptions()->PrnOutFileName.isEmpty());
}

} // namespace

namespace {

TEST_F(PrintRun, CancelInTheProgressWindowAbortsTheJob)
{
    addPages(4);
    report->setProperty("ShowProgress", true);
    // The first serviced events after the first page press Cancel.
    QTimer::singleShot(0, [] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *progress = qobject_cast<TfrxProgress *>(window); progress != nullptr && progress->isVisible())
                progress->CancelButton()->click();
    });
    EXPECT_FALSE(print());
    EXPECT_TRUE(report->Terminated());
    EXPECT_FALSE(zorPrinters()->Printer()->Printing()) << "the job is not left open";
    EXPECT_TRUE(errors.isEmpty());
    report->setProperty("ShowProgress", false);
    // A job that cannot start says so and prints nothing.
    report->PrintOptions()->PrnOutFileName = QStringLiteral("/nonexistent/folder/out.prn");
    EXPECT_FALSE(print());
    EXPECT_EQ(errors, QStringList{QStringLiteral("Printer selected is not valid")});
    EXPECT_FALSE(zorPrinters()->Printer()->Printing());
}

} // namespace

namespace {

// The host hears a print from its start to its end, each page with the copy being printed, and
// the end also when the run fails.
TEST_F(PrintRun, HostHandlersFollowEveryPrint)
{
    addPages(2);
    QStringList events;
    report->SetOnPrintReport([&events](TfrxReport &) { events << QStringLiteral("start"); });
    report->SetOnPrintPage([&events](TfrxReportPage *page, int copyNo) {
        events << QStringLiteral("page %1 copy %2").arg(page != nullptr).arg(copyNo);
    });
    report->SetOnAfterPrintReport([&events](TfrxReport &) { events << QStringLiteral("end"); });
    report->SetOnProgress([&events](TfrxReport &, int type, int n) { events << QStringLiteral("progress %1 %2").arg(type).arg(n); });
    report->PrintOptions()->Copies = 2;
    ASSERT_TRUE(print()) << errors.join(u'\n').toStdString();
    EXPECT_EQ(events, (QStringList{QStringLiteral("start"), QStringLiteral("page 1 copy 1"), QStringLiteral("progress 2 1"),
                                   QStringLiteral("page 1 copy 1"), QStringLiteral("progress 2 2"),
                                   QStringLiteral("page 1 copy 2"), QStringLiteral("progress 2 1"),
                                   QStringLiteral("page 1 copy 2"), QStringLiteral("progress 2 2"),
                                   QStringLiteral("end")}));
    events.clear();
    report->PrintOptions()->Copies = 1;
    report->PrintOptions()->PrnOutFileName = QStringLiteral("/nonexistent/folder/out.prn");
    EXPECT_FALSE(print());
    EXPECT_EQ(events.first(), QStringLiteral("start"));
    EXPECT_EQ(events.last(), QStringLiteral("end")) << "a failed print ends for the host as well";
}

} // namespace

