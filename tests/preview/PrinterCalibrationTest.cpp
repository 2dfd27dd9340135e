// A printer's correction: kept per printer in the user's settings, applied to what that printer
// prints (and only there), never to the template or to exported files.
#include "CupsSandbox.h"
#include "PdfText.h"
#include "PrintingTestMain.h"
#include "TfrxCustomPreviewPages.h"
#include "TfrxMemoView.h"
#include "TfrxPrinterCalibration.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "zorEngine.h"
#include "zorPdfExport.h"
#include "zorPreview.h"
#include "zorPrinterTexts.h"
#include "zorTemplateFormat.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double pointsPerMm = 72 / 25.4;
const QString calibrated = QStringLiteral("ZorPDF");
const QString plain = QStringLiteral("Second");

QString outputOf(const QString &queue)
{
    return spooler().socketPath().section(u'/', 0, -2) + QStringLiteral("/out/%1.pdf").arg(queue);
}

// Each word of a one-page PDF with its box in millimetres on the landscape page: a sheet the
// spooler turned to portrait holds a page point (x, y) at (y, 210 - x).
QHash<QString, QRectF> wordsInMm(const QString &pdfFile)
{
    const QList<PdfPage> pages = readPdfText(pdfFile);
    QHash<QString, QRectF> words;
    if (pages.size() != 1)
        return words;
    const bool turned = pages[0].size.width() < pages[0].size.height();
    const double paperWidth = pages[0].size.height() / pointsPerMm;
    for (const PdfWord &word : pages[0].words) {
        const QRectF box(word.box.topLeft() / pointsPerMm, word.box.size() / pointsPerMm);
        words.insert(word.text,
                     turned ? QRectF(paperWidth - box.bottom(), box.left(), box.height(), box.width()) : box);
    }
    return words;
}

QByteArray digestOf(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                       : QByteArray();
}

TEST(PrinterCalibration, ValuesAreKeptWithinTheirLimitsToATenth)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        TfrxPrinterCalibration given;
        TfrxPrinterCalibration kept;
    };
    const Case cases[] = {
        {{2.54, -1.46, 101.04}, {2.5, -1.5, 101}},
        {{25, -30, 120}, {20, -20, 105}}, // beyond the limits: the limits
        {{0, 0, 90}, {0, 0, 95}},
        {{nan, nan, nan}, {0, 0, 100}}, // a damaged settings value prints unchanged
    };
    for (const Case &c : cases) {
        const TfrxPrinterCalibration kept = c.given.Bounded();
        EXPECT_EQ(kept, c.kept) << c.given.OffsetX << " " << c.given.OffsetY << " " << c.given.Scale;
    }
}

TEST(PrinterCalibration, EachPrinterKeepsItsOwnAndAnIdentityRemovesIt)
{
    const QString odd = QStringLiteral("Лазерный/2 \\ этаж");
    ASSERT_TRUE(TfrxPrinterCalibration::Save(odd, {1.2, -3.4, 98.5}));
    ASSERT_TRUE(TfrxPrinterCalibration::Save(QStringLiteral("Other"), {-0.5, 0.7, 100}));
    EXPECT_EQ(TfrxPrinterCalibration::Load(odd), (TfrxPrinterCalibration{1.2, -3.4, 98.5}));
    EXPECT_EQ(TfrxPrinterCalibration::Load(QStringLiteral("Other")),
              (TfrxPrinterCalibration{-0.5, 0.7, 100}));
    EXPECT_TRUE(TfrxPrinterCalibration::Load(QStringLiteral("Лазерный")).IsIdentity());
    ASSERT_TRUE(TfrxPrinterCalibration::Save(odd, {}));
    EXPECT_TRUE(TfrxPrinterCalibration::Load(odd).IsIdentity());
    EXPECT_EQ(TfrxPrinterCalibration::Load(QStringLiteral("Other")),
              (TfrxPrinterCalibration{-0.5, 0.7, 100}));
    TfrxPrinterCalibration::Save(QStringLiteral("Other"), {});
}

// The certificate's template with a word of its own in every text object, printed on the tests'
// queues.
class CalibratedPrinting : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        zorRegisterTemplateFormat();
        zorRegisterEngine();
        zorRegisterPreview();
    }

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZOR_TEMPLATE), templateFile));
        templateDigest = digestOf(templateFile);
        zorSetPrinterErrorHandler([this](const QString &message) { errors << message; });
        ASSERT_TRUE(report.LoadFromFile(templateFile, false));
        report.PrintOptions()->ShowDialog = false;
        report.setProperty("ShowProgress", false);
        int n = 0;
        for (TfrxComponent *object : report.GetAllObjects()) {
            if (auto *memo = qobject_cast<TfrxMemoView *>(object)) {
                memo->SetText(QString(QChar(u'a' + n / 26)) + QChar(u'a' + n % 26));
                ++n;
            }
        }
        ASSERT_TRUE(report.PrepareReport());
    }
    void TearDown() override
    {
        TfrxPrinterCalibration::Save(calibrated, {});
        zorSetPrinterErrorHandler({});
    }

    QHash<QString, QRectF> printOn(const QString &queue)
    {
        QFile::remove(outputOf(queue));
        report.PrintOptions()->Printer = queue;
        if (!report.Print() || !spooler().waitUntilPrinted(queue, outputOf(queue)))
            return {};
        return wordsInMm(outputOf(queue));
    }

    QTemporaryDir folder;
    const QString templateFile = folder.filePath(QStringLiteral("shablon.ze3"));
    QByteArray templateDigest;
    QStringList errors;
    TfrxReport report;
};

TEST_F(CalibratedPrinting, EveryTextMovesByTheOffsetAndScalesAboutThePapersCorner)
{
    const TfrxPrinterCalibration correction{2.5, -1.5, 101};
    ASSERT_TRUE(TfrxPrinterCalibration::Save(calibrated, correction));
    // The other queue prints the certificate where the template puts it.
    const QHash<QString, QRectF> unchanged = printOn(plain);
    const QHash<QString, QRectF> corrected = printOn(calibrated);
    ASSERT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    ASSERT_EQ(unchanged.size(), 48);
    ASSERT_EQ(corrected.size(), 48);
    const double s = correction.Scale / 100;
    for (auto it = unchanged.cbegin(); it != unchanged.cend(); ++it) {
        const QRectF want(it->left() * s + correction.OffsetX, it->top() * s + correction.OffsetY,
                          it->width() * s, it->height() * s);
        const QRectF got = corrected.value(it.key());
        EXPECT_NEAR(got.left(), want.left(), 0.1) << it.key().toStdString();
        EXPECT_NEAR(got.top(), want.top(), 0.1) << it.key().toStdString();
        EXPECT_NEAR(got.right(), want.right(), 0.1) << it.key().toStdString();
        EXPECT_NEAR(got.bottom(), want.bottom(), 0.1) << it.key().toStdString();
    }

    // Nothing of it reaches the template, the prepared report or an exported file.
    EXPECT_EQ(digestOf(templateFile), templateDigest);
    const QString pdf = folder.filePath(QStringLiteral("certificate.pdf"));
    QString error;
    ASSERT_TRUE(zorExportPdf(report, pdf, error)) << error.toStdString();
    const QHash<QString, QRectF> exported = wordsInMm(pdf);
    ASSERT_EQ(exported.size(), 48);
    for (auto it = unchanged.cbegin(); it != unchanged.cend(); ++it) {
        EXPECT_NEAR(exported.value(it.key()).left(), it->left(), 0.3) << it.key().toStdString();
        EXPECT_NEAR(exported.value(it.key()).top(), it->top(), 0.3) << it.key().toStdString();
    }
}

TEST_F(CalibratedPrinting, AChangedCorrectionAppliesToTheNextPrint)
{
    const QHash<QString, QRectF> before = printOn(calibrated);
    ASSERT_TRUE(TfrxPrinterCalibration::Save(calibrated, {-4, 3, 100}));
    const QHash<QString, QRectF> after = printOn(calibrated);
    ASSERT_EQ(before.size(), 48);
    ASSERT_EQ(after.size(), 48);
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        EXPECT_NEAR(after.value(it.key()).left(), it->left() - 4, 0.1) << it.key().toStdString();
        EXPECT_NEAR(after.value(it.key()).top(), it->top() + 3, 0.1) << it.key().toStdString();
    }
}

// zorreport's print commands, run as a shell runs them, with the settings of this test.
class PrintCommand : public CalibratedPrinting
{
protected:
    struct Outcome
    {
        int status = -1;
        QString out;
        QString err;
    };

    static Outcome zorreport(const QStringList &args, const QString &cupsServer = QString())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // it must start without a display
        if (!cupsServer.isEmpty())
            environment.insert(QStringLiteral("CUPS_SERVER"), cupsServer);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ZOR_ZORREPORT), args);
        if (!process.waitForFinished(120000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
};

TEST_F(PrintCommand, PrintsLikeThePreviewWithThePrintersCorrection)
{
    ASSERT_TRUE(TfrxPrinterCalibration::Save(calibrated, {2.5, -1.5, 101}));
    const QHash<QString, QRectF> fromPreview = printOn(calibrated);
    ASSERT_EQ(fromPreview.size(), 48);
    const QString prepared = folder.filePath(QStringLiteral("certificate.zi3"));
    ASSERT_TRUE(report.PreviewPages()->SaveToFile(prepared));
    QFile::remove(outputOf(calibrated));

    const Outcome outcome = zorreport({QStringLiteral("print"), prepared, QStringLiteral("--printer"), calibrated});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    ASSERT_TRUE(spooler().waitUntilPrinted(calibrated, outputOf(calibrated)));
    const QHash<QString, QRectF> fromCommand = wordsInMm(outputOf(calibrated));
    ASSERT_EQ(fromCommand.size(), 48);
    for (auto it = fromPreview.cbegin(); it != fromPreview.cend(); ++it) {
        EXPECT_NEAR(fromCommand.value(it.key()).left(), it->left(), 0.1) << it.key().toStdString();
        EXPECT_NEAR(fromCommand.value(it.key()).top(), it->top(), 0.1) << it.key().toStdString();
    }
}

TEST_F(PrintCommand, ListsThePrintersWithTheirPapersAndCorrections)
{
    ASSERT_TRUE(TfrxPrinterCalibration::Save(calibrated, {2.5, -1.5, 101}));
    const Outcome outcome = zorreport({QStringLiteral("printers")});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.contains(QStringLiteral("ZorPDF\n"))) << outcome.out.toStdString();
    EXPECT_TRUE(outcome.out.contains(QStringLiteral("Second (default)\n"))) << outcome.out.toStdString();
    EXPECT_TRUE(outcome.out.contains(QStringLiteral("correction: offset 2.5 mm right, -1.5 mm down, scale 101.0 %")))
        << outcome.out.toStdString();
    EXPECT_TRUE(outcome.out.contains(QStringLiteral("A5"))) << outcome.out.toStdString();
}

TEST_F(PrintCommand, BadInputIsAClearErrorAndPrintsNothing)
{
    const QString prepared = folder.filePath(QStringLiteral("certificate.zi3"));
    ASSERT_TRUE(report.PreviewPages()->SaveToFile(prepared));
    struct Case
    {
        QStringList args;
        QString message;
        QString cupsServer;
    };
    const QString print = QStringLiteral("print");
    const Case cases[] = {
        {{print, prepared, QStringLiteral("--printer"), QStringLiteral("Nowhere")},
         QStringLiteral("Unknown printer \"Nowhere\"; the printers are: "), {}},
        {{print, prepared, QStringLiteral("--pages"), QStringLiteral("2-5")},
         QStringLiteral("The range \"2-5\" names no page of the report (it has 1)"), {}},
        {{print, prepared, QStringLiteral("--pages"), QStringLiteral("1,x")},
         QStringLiteral("\"1,x\" is not a valid page range"), {}},
        {{print, prepared, QStringLiteral("--copies"), QStringLiteral("0")},
         QStringLiteral("Invalid value for --copies: \"0\""), {}},
        {{print, folder.filePath(QStringLiteral("none.zi3"))}, QStringLiteral("Cannot open file"), {}},
        {{print, prepared}, QStringLiteral("No printers installed on your system"),
         QStringLiteral("/nonexistent/cups.sock")},
        {{QStringLiteral("printers")}, QStringLiteral("No printers installed on your system"),
         QStringLiteral("/nonexistent/cups.sock")},
    };
    for (const Case &c : cases) {
        QFile::remove(outputOf(plain));
        const Outcome outcome = zorreport(c.args, c.cupsServer);
        EXPECT_EQ(outcome.status, 1) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(outcome.err.contains(c.message)) << outcome.err.toStdString();
        EXPECT_FALSE(QFile::exists(outputOf(plain))) << c.args.join(u' ').toStdString();
    }
}

} // namespace
