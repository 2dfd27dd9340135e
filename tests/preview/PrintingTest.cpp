// The printer layer against a real spooler: printers, papers, margins, jobs, raw jobs, files.
#include "CupsSandbox.h"
#include "PdfText.h"
#include "PrintingTestMain.h"
#include "TfrxCustomPrinter.h"
#include "TfrxPageSettingsForm.h"
#include "TfrxPrinter.h"
#include "TfrxPrinters.h"
#include "TfrxReport.h"

#include "QtPrinters.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr double pointsPerMm = 72 / 25.4;

TfrxCustomPrinter *selectPrinter(const char *name)
{
    TfrxPrinters *printers = zorPrinters();
    printers->setPrinterIndex(printers->IndexOf(QString::fromLatin1(name)));
    return printers->Printer();
}

// Device pixels of a position on the paper, in millimetres from the paper's edge, for drawing on
// the printer's canvas (whose origin is the printable area's corner).
QPoint onCanvas(const TfrxCustomPrinter &printer, double xMm, double yMm)
{
    const QPointF dpi = printer.DPI();
    return QPoint(qRound(xMm / 25.4 * dpi.x()), qRound(yMm / 25.4 * dpi.y())) - printer.PhysicalOffset();
}

void drawWord(TfrxCustomPrinter &printer, const QString &word, double xMm, double yMm)
{
    QPainter *canvas = printer.Canvas();
    ASSERT_NE(canvas, nullptr);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    canvas->setFont(font);
    canvas->drawText(onCanvas(printer, xMm, yMm), word);
}

const PdfWord *findWord(const PdfPage &page, const QString &text)
{
    for (const PdfWord &word : page.words)
        if (word.text == text)
            return &word;
    return nullptr;
}

QString outputOf(const char *queue)
{
    return spooler().socketPath().section(u'/', 0, -2) +
           QStringLiteral("/out/%1.pdf").arg(QLatin1String(queue));
}

class Printing : public ::testing::Test
{
protected:
    void SetUp() override { QFile::remove(outputOf("ZorPDF")); }
    bool waitForPdf() { return spooler().waitUntilPrinted(QStringLiteral("ZorPDF"), outputOf("ZorPDF")); }
};

TEST_F(Printing, ListsTheInstalledPrintersAndSelectsTheDefault)
{
    TfrxPrinters *printers = zorPrinters();
    EXPECT_TRUE(printers->HasPhysicalPrinters());
    EXPECT_TRUE(printers->Printers().contains(QStringLiteral("ZorPDF")));
    EXPECT_TRUE(printers->Printers().contains(QStringLiteral("Second")));
    printers->setPrinterIndex(-1);
    EXPECT_EQ(printers->PrinterIndex(), printers->IndexOf(QStringLiteral("Second")));
    EXPECT_EQ(printers->IndexOf(QStringLiteral("zorpdf")), printers->IndexOf(QStringLiteral("ZorPDF")));
    EXPECT_GE(printers->IndexOf(QStringLiteral("ZORPDF")), 0);
    EXPECT_EQ(printers->IndexOf(QStringLiteral("Missing")), -1);
    EXPECT_EQ(printers->Items(-1), nullptr);
}

TEST_F(Printing, ReadsPapersSourcesResolutionAndMargins)
{
    TfrxCustomPrinter *printer = selectPrinter("ZorPDF");
    ASSERT_TRUE(printer->Initialized());
    EXPECT_GT(printer->DPI().x(), 0);
    EXPECT_EQ(printer->DPI().x(), printer->DPI().y());
    EXPECT_EQ(printer->Papers().front(), (TfrxPrinterItem{QStringLiteral("Custom"), 256}));
    EXPECT_GE(printer->PaperIndex(9), 1);
    EXPECT_GE(printer->PaperIndex(11), 1);
    EXPECT_EQ(printer->Bins().front(), (TfrxPrinterItem{QStringLiteral("Default"), 7}));

    printer->SetViewParams(11, 0, 0, zor::poLandscape);
    EXPECT_EQ(printer->Paper(), 11);
    EXPECT_EQ(printer->PaperWidth(), 210);
    EXPECT_EQ(printer->PaperHeight(), 148);
    EXPECT_GE(printer->LeftMargin(), 0);
    EXPECT_LT(printer->LeftMargin() + printer->RightMargin(), 210);

    printer->SetViewParams(256, 100, 50, zor::poPortrait);
    EXPECT_EQ(printer->Paper(), 256);
    EXPECT_EQ(printer->PaperWidth(), 100);
    EXPECT_EQ(printer->PaperHeight(), 50);
}

TEST_F(Printing, TextLandsAtItsPlaceOnThePaperWhateverTheMargins)
{
    TfrxCustomPrinter *printer = selectPrinter("ZorPDF");
    printer->SetPrintParams(9, 0, 0, zor::poPortrait, 7, 0, 1);
    ASSERT_TRUE(printer->BeginDoc());
    ASSERT_TRUE(printer->BeginPage());
    drawWord(*printer, QStringLiteral("Проба"), 40, 60);
    printer->EndPage();
    ASSERT_TRUE(printer->EndDoc());
    ASSERT_TRUE(waitForPdf());

    const QList<PdfPage> pages = readPdfText(outputOf("ZorPDF"));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_NEAR(pages[0].size.width(), 595.3, 1);
    EXPECT_NEAR(pages[0].size.height(), 841.9, 1);
    const PdfWord *word = findWord(pages[0], QStringLiteral("Проба"));
    ASSERT_NE(word, nullptr);
    EXPECT_NEAR(word->box.left() / pointsPerMm, 40, 0.5);
    EXPECT_LT(word->box.top() / pointsPerMm, 60);
    EXPECT_GT(word->box.bottom() / pointsPerMm, 59);
}

TEST_F(Printing, ALandscapeA5PageComesOutTurnedOnA5)
{
    TfrxCustomPrinter *printer = selectPrinter("ZorPDF");
    printer->SetPrintParams(11, 0, 0, zor::poLandscape, 7, 0, 1);
    ASSERT_TRUE(printer->BeginDoc());
    ASSERT_TRUE(printer->BeginPage());
    drawWord(*printer, QStringLiteral("landscape"), 30, 20);
    ASSERT_TRUE(printer->EndDoc());
    ASSERT_TRUE(waitForPdf());

    const QList<PdfPage> pages = readPdfText(outputOf("ZorPDF"));
    ASSERT_EQ(pages.size(), 1);
    // The spooler feeds an A5 landscape page as an A5 sheet with its content turned: a position
    // (x, y) on the landscape page stands at (y, height - x) on the sheet.
    EXPECT_NEAR(pages[0].size.width(), 419.5, 1);
    EXPECT_NEAR(pages[0].size.height(), 595.3, 1);
    const PdfWord *word = findWord(pages[0], QStringLiteral("landscape"));
    ASSERT_NE(word, nullptr);
    EXPECT_NEAR((pages[0].size.height() - word->box.bottom()) / pointsPerMm, 30, 0.5);
    EXPECT_LT(word->box.left() / pointsPerMm, 20);
    EXPECT_GT(word->box.right() / pointsPerMm, 19);
}

TEST_F(Printing, APageOnAnotherPaperGoesAsAJobOfItsOwn)
{
    TfrxCustomPrinter *printer = selectPrinter("ZorPDF");
    printer->SetPrintParams(11, 0, 0, zor::poLandscape, 7, 0, 1);
    ASSERT_TRUE(printer->BeginDoc());
    ASSERT_TRUE(printer->BeginPage());
    drawWord(*printer, QStringLiteral("landscape"), 30, 20);
    printer->SetPrintParams(9, 0, 0, zor::poPortrait, 7, 0, 1);
    ASSERT_TRUE(printer->BeginPage());
    // The spooler prints a job on one paper: the A5 page has gone as a job of its own.
    ASSERT_TRUE(waitForPdf());
    EXPECT_NEAR(readPdfText(outputOf("ZorPDF")).value(0).size.width(), 419.5, 1);
    QFile::remove(outputOf("ZorPDF"));
    drawWord(*printer, QStringLiteral("portrait"), 30, 20);
    ASSERT_TRUE(printer->EndDoc());
    ASSERT_TRUE(waitForPdf());
    const QList<PdfPage> pages = readPdfText(outputOf("ZorPDF"));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_NEAR(pages[0].size.height(), 841.9, 1);
    ASSERT_NE(findWord(pages[0], QStringLiteral("portrait")), nullptr);
}

TEST_F(Printing, RawJobsPassTheirBytesUnchanged)
{
    // A raw queue whose device is a socket of the test's own: what arrives there is what a
    // dot-matrix printer would receive.
    QTcpServer device;
    ASSERT_TRUE(device.listen(QHostAddress::LocalHost));
    ASSERT_TRUE(spooler().addRawSocketQueue(QStringLiteral("RawDevice"), device.serverPort()));
    zorPrinters()->FillPrinters();
    TfrxCustomPrinter *printer = selectPrinter("RawDevice");
    ASSERT_EQ(printer->Name(), QStringLiteral("RawDevice"));

    const QByteArray bytes("\x1B@raw bytes for a dot-matrix printer\r\n\x0C", 40);
    ASSERT_TRUE(printer->BeginRAWDoc());
    ASSERT_TRUE(printer->WriteRAWDoc(bytes));
    ASSERT_TRUE(printer->EndRAWDoc());

    ASSERT_TRUE(device.waitForNewConnection(20000));
    QTcpSocket *connection = device.nextPendingConnection();
    QByteArray received;
    while (connection->state() == QAbstractSocket::ConnectedState && connection->waitForReadyRead(5000))
        received += connection->readAll();
    received += connection->readAll();
    EXPECT_EQ(received, bytes);
}

TEST_F(Printing, PrintToFileWritesWhatThePrinterWouldReceive)
{
    QTemporaryDir dir;
    TfrxCustomPrinter *printer = selectPrinter("ZorPDF");
    const QString file = dir.filePath(QStringLiteral("certificate.prn"));
    printer->setFileName(file);
    printer->SetPrintParams(9, 0, 0, zor::poPortrait, 7, 0, 1);
    ASSERT_TRUE(printer->BeginDoc());
    ASSERT_TRUE(printer->BeginPage());
    drawWord(*printer, QStringLiteral("file"), 20, 20);
    ASSERT_TRUE(printer->EndDoc());
    printer->setFileName(QString());

    const QList<PdfPage> pages = readPdfText(file);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_NE(findWord(pages[0], QStringLiteral("file")), nullptr);
    EXPECT_FALSE(QFile::exists(outputOf("ZorPDF"))) << "nothing went to the spooler";

    printer->setFileName(dir.filePath(QStringLiteral("raw.prn")));
    ASSERT_TRUE(printer->BeginRAWDoc());
    ASSERT_TRUE(printer->WriteRAWDoc("raw"));
    ASSERT_TRUE(printer->EndRAWDoc());
    printer->setFileName(QString());
    QFile raw(dir.filePath(QStringLiteral("raw.prn")));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.readAll(), QByteArray("raw"));
}

TEST_F(Printing, AnAbortedJobEndsCleanly)
{
    TfrxCustomPrinter *printer = selectPrinter("ZorPDF");
    ASSERT_TRUE(printer->BeginDoc());
    ASSERT_TRUE(printer->BeginPage());
    printer->Abort();
    EXPECT_FALSE(printer->Printing());
    EXPECT_EQ(printer->Canvas(), nullptr);
    EXPECT_TRUE(printer->EndDoc()) << "ending a job that is not open does nothing";
    EXPECT_EQ(printer->Bin(), -1);
}

// The report's duplex mode and paper source reach the device; a mode of the printer's own
// dialog wins, and an explicit simplex is applied rather than left to the printer's default.
TEST_F(Printing, DuplexAndPaperSourceReachTheDevice)
{
    auto *printer = dynamic_cast<TfrxPrinter *>(selectPrinter("ZorPDF"));
    ASSERT_NE(printer, nullptr);
    struct Case
    {
        int Bin;
        int Duplex; // 0 the printer's default, 1 long edge, 2 short edge, 3 simplex
        QPrinter::PaperSource Source;
        QPrinter::DuplexMode Mode;
    };
    const QPrinter::PaperSource byDefault = QPrinter::PaperSource(printer->DefBin() - 1);
    const Case cases[] = {
        {TfrxCustomPrinter::defaultBin, 1, byDefault, QPrinter::DuplexLongSide},
        {TfrxCustomPrinter::defaultBin, 2, byDefault, QPrinter::DuplexShortSide},
        {TfrxCustomPrinter::defaultBin, 3, byDefault, QPrinter::DuplexNone},
        {2, 1, QPrinter::Lower, QPrinter::DuplexLongSide},
        {3, 3, QPrinter::Middle, QPrinter::DuplexNone},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "bin " << c.Bin << ", duplex " << c.Duplex);
        printer->SetPrintParams(9, 0, 0, zor::poPortrait, c.Bin, c.Duplex, 1);
        EXPECT_EQ(printer->device()->paperSource(), c.Source);
        EXPECT_EQ(printer->device()->duplex(), c.Mode);
    }
    printer->SetPrintParams(9, 0, 0, zor::poPortrait, TfrxCustomPrinter::defaultBin, 0, 1);
    EXPECT_EQ(printer->device()->duplex(),
              printer->DefDuplex() == 2 ? QPrinter::DuplexLongSide : QPrinter::DuplexNone);
}

// A printer that was listed but is gone when it is selected cannot initialise; the page settings
// then offer the standard papers with their sizes instead of a paper of 0 x 0.
TEST_F(Printing, PageSettingsOfAPrinterThatFailedToInitialiseShowRealPapers)
{
    ASSERT_FALSE(spooler().addPdfQueue(QStringLiteral("Vanishing")).isEmpty());
    TfrxPrinters *printers = zorPrinters();
    printers->FillPrinters();
    ASSERT_GE(printers->IndexOf(QStringLiteral("Vanishing")), 0);
    ASSERT_TRUE(spooler().removeQueue(QStringLiteral("Vanishing")));
    const auto restore = qScopeGuard([printers] { printers->FillPrinters(); });
    TfrxCustomPrinter *printer = selectPrinter("Vanishing");
    ASSERT_FALSE(printer->Initialized());

    TfrxReport report;
    TfrxPageSettingsForm form(report, 0);
    auto *paper = form.findChild<QComboBox *>(QStringLiteral("PaperCB"));
    const int a5 = paper->findData(11);
    ASSERT_GE(a5, 0) << "the standard papers are offered";
    paper->setCurrentIndex(a5);
    EXPECT_DOUBLE_EQ(form.findChild<QDoubleSpinBox *>(QStringLiteral("WidthE"))->value(), 14.8);
    EXPECT_DOUBLE_EQ(form.findChild<QDoubleSpinBox *>(QStringLiteral("HeightE"))->value(), 21.0);
}

} // namespace
