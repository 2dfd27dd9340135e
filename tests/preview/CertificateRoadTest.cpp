// The certificate's whole road through the real engine and store: the template is loaded and
// filled, prepared inside the preview window, and printed; the texts stand on the paper where the
// template puts them.
#include "CupsSandbox.h"
#include "PdfText.h"
#include "PrintingTestMain.h"
#include "TfrxCustomPreviewPages.h"
#include "TfrxError.h"
#include "TfrxMemoView.h"
#include "TfrxPreview.h"
#include "TfrxPreviewForm.h"
#include "TfrxPrinters.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "zorEngine.h"
#include "zorPreview.h"
#include "zorPrinterTexts.h"
#include "zorTemplateFormat.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace zor;

namespace {

constexpr double pointsPerMm = 72 / 25.4;

QString outputOf(const char *queue)
{
    return spooler().socketPath().section(u'/', 0, -2) + QStringLiteral("/out/%1.pdf").arg(QLatin1String(queue));
}

class CertificateRoad : public ::testing::Test
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
        QFile::remove(outputOf("ZorPDF"));
        zorSetPrinterErrorHandler([this](const QString &message) { errors << message; });
        ASSERT_TRUE(report.LoadFromFile(QStringLiteral(ZOR_TEMPLATE), false));
        report.PrintOptions()->Printer = QStringLiteral("ZorPDF");
        report.PrintOptions()->ShowDialog = false;
        report.PreviewOptions()->Maximized = false;
        report.setProperty("ShowProgress", false);
        // Every text object of the template gets a word of its own; a few carry the texts that
        // went wrong elsewhere before.
        const QStringList special = {QStringLiteral("мая"), QStringLiteral("x"), QStringLiteral("X")};
        int n = 0;
        for (TfrxComponent *object : report.GetAllObjects()) {
            auto *memo = qobject_cast<TfrxMemoView *>(object);
            if (memo == nullptr)
                continue;
            // Two letters fit the narrowest object of the template.
            const QString word = n < special.size() ? special[n]
                                                    : QString(QChar(u'a' + n / 26)) + QChar(u'a' + n % 26);
            memo->SetText(word);
            words << word;
            ++n;
        }
    }
    void TearDown() override { zorSetPrinterErrorHandler({}); }

    QStringList errors;
    TfrxReport report;
    QStringList words;
};

TEST_F(CertificateRoad, ThePreviewShowsOnePreparedPageOfTheCertificate)
{
    ASSERT_EQ(words.size(), 48);
    int pagesSeen = -1;
    QSize pageSize;
    QTimer::singleShot(0, [&] {
        auto *form = qobject_cast<TfrxPreviewForm *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        // Closes the window once the pages are there.
        auto *closer = new QTimer(form);
        QObject::connect(closer, &QTimer::timeout, form, [&, form] {
            if (form->Preview()->Running() || form->Preview()->PageCount() == 0)
                return;
            pagesSeen = form->Preview()->PageCount();
            pageSize = report.PreviewPages()->GetPageSize(0);
            form->grab().save(QCoreApplication::applicationDirPath() + QStringLiteral("/certificate-preview.png"));
            form->CloseButton()->click();
        });
        closer->start(20);
    });
    report.ShowReport();
    EXPECT_EQ(pagesSeen, 1);
    EXPECT_EQ(pageSize, QSize(794, 559));
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

TEST_F(CertificateRoad, PrintedTextsStandWhereThePreparedPageHasThem)
{
    ASSERT_TRUE(report.PrepareReport());
    // Where each word stands on the prepared page.
    struct Place
    {
        QRectF bounds;
        TfrxHAlign align;
        double gap;
    };
    QHash<QString, Place> expected;
    for (TfrxComponent *object : report.PreviewPages()->GetPage(0)->GetAllObjects())
        if (auto *memo = qobject_cast<TfrxMemoView *>(object))
            expected.insert(memo->Text().trimmed(),
                            {QRectF(memo->Left(), memo->Top(), memo->Width(), memo->Height()), memo->HAlign(),
                             memo->GapX()});
    ASSERT_TRUE(report.Print()) << errors.join(u'\n').toStdString();
    ASSERT_TRUE(spooler().waitUntilPrinted(QStringLiteral("ZorPDF"), outputOf("ZorPDF")));
    const QList<PdfPage> sheets = readPdfText(outputOf("ZorPDF"));
    ASSERT_EQ(sheets.size(), 1);
    const PdfPage &sheet = sheets[0];

    // A5 turned for the landscape page: a point (x, y) of the page stands at (y, 210 - x).
    ASSERT_NEAR(sheet.size.width() / pointsPerMm, 148, 0.5);
    QStringList found;
    for (const PdfWord &word : sheet.words) {
        if (!expected.contains(word.text))
            continue;
        const Place place = expected.value(word.text);
        const QRectF memo = place.bounds;
        found << word.text;
        const double left = 210 - word.box.bottom() / pointsPerMm;
        const double right = 210 - word.box.top() / pointsPerMm;
        const double top = word.box.left() / pointsPerMm;
        const double bottom = word.box.right() / pointsPerMm;
        const double memoLeft = 10 + memo.left() / fr01cm;
        const double memoTop = 10 + memo.top() / fr01cm;
        const double memoRight = memoLeft + memo.width() / fr01cm;
        const double gap = place.gap / fr01cm;
        // Where the line starts follows the object's alignment.
        const double expectedLeft = place.align == haCenter  ? (memoLeft + memoRight - (right - left)) / 2
                                    : place.align == haRight ? memoRight - gap - (right - left)
                                                             : memoLeft + gap;
        EXPECT_NEAR(left, expectedLeft, 0.5) << word.text.toStdString();
        EXPECT_GT(top, memoTop - 0.5) << word.text.toStdString();
        EXPECT_LT(bottom, memoTop + memo.height() / fr01cm + 0.5) << word.text.toStdString();
    }
    found.sort();
    words.sort();
    EXPECT_EQ(found, words);
}

TEST_F(CertificateRoad, AnInvalidExpressionOfTheTemplateClosesThePreviewWithTheError)
{
    auto *memo = qobject_cast<TfrxMemoView *>(report.FindObject(QStringLiteral("Memo5")));
    ASSERT_NE(memo, nullptr);
    memo->SetText(QStringLiteral("[1 +]"));
    report.ShowReport();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("The following error(s) have occured:\r\nMemo5"))) << errors[0].toStdString();
    EXPECT_EQ(report.PreviewPages()->GetCount(), 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
