// The operator's whole road: a filled certificate, "ПЕЧАТЬ", the preview with the prepared page,
// its print button, the print dialog, and the sheet that the spooler received.
#include "CertificateRecord.h"
#include "CertificateTemplateValues.h"
#include "CupsSandbox.h"
#include "FakeDialogs.h"
#include "PdfText.h"
#include "PrintingTestMain.h"
#include "SampleCertificate.h"
#include "TBlankArea.h"
#include "TfmMain.h"
#include "TfrxCustomPreviewPages.h"
#include "TfrxMemoView.h"
#include "TfrxPreview.h"
#include "TfrxPreviewForm.h"
#include "TfrxPrintDialog.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "zorPrinterTexts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QToolButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr double pointsPerMm = 72 / 25.4;

// Runs step whenever the event loop turns, until it returns true.
void whenReady(const std::function<bool()> &step)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
        if (step())
            timer->deleteLater();
    });
    timer->start(20);
}

class PrintRoad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile::remove(beside);
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZOR_TEMPLATE_FILE), beside));
        QFile::remove(sheetFile);
        zorSetPrinterErrorHandler([this](const QString &text) { libraryErrors << text; });
        window.blank()->setRecord(sampleCertificate(QStringLiteral("Иванов [Иван]")));
    }
    void TearDown() override
    {
        QFile::remove(beside);
        zorSetPrinterErrorHandler(nullptr);
    }

    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("shablon.ze3"));
    // The template prints on the system's default printer, the spooler's "Second".
    const QString sheetFile = spooler().socketPath().section(u'/', 0, -2) + QStringLiteral("/out/Second.pdf");
    QStringList libraryErrors;
    FakeDialogs dialogs;
    TfmMain window{dialogs};
};

TEST_F(PrintRoad, TheFilledCertificateIsPreviewedAndPrintedWithEveryValueInItsPlace)
{
    QHash<QString, QString> prepared; // object name -> its text on the prepared page
    QHash<QString, QRectF> places;    // object name -> its bounds on the page, report units
    whenReady([&] {
        auto *form = qobject_cast<TfrxPreviewForm *>(QApplication::activeModalWidget());
        if (form == nullptr || form->Preview()->Running() || form->Preview()->PageCount() == 0)
            return false;
        TfrxCustomPreviewPages *pages = form->Report().PreviewPages();
        EXPECT_EQ(pages->GetCount(), 1);
        EXPECT_EQ(pages->GetPageSize(0), QSize(794, 559));
        for (TfrxComponent *object : pages->GetPage(0)->GetAllObjects()) {
            if (auto *memo = qobject_cast<TfrxMemoView *>(object)) {
                prepared.insert(memo->Name(), memo->Text());
                places.insert(memo->Name(), QRectF(memo->AbsLeft(), memo->AbsTop(), memo->Width(), memo->Height()));
            }
        }
        // The print button opens the print dialog; OK prints on the chosen printer.
        whenReady([] {
            auto *dialog = qobject_cast<TfrxPrintDialog *>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return false;
            dialog->accept();
            return true;
        });
        form->Button(QStringLiteral("PrintB"))->trigger();
        form->CloseButton()->click();
        return true;
    });
    window.findChild<QPushButton *>(QStringLiteral("Button1"))->click();

    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'\n').toStdString();
    EXPECT_TRUE(libraryErrors.isEmpty()) << libraryErrors.join(u'\n').toStdString();
    const auto values = CertificateTemplateValues::values(window.blank()->record());
    ASSERT_EQ(values.size(), 48);
    for (const auto &[name, value] : values)
        EXPECT_EQ(prepared.value(name, QStringLiteral("<none>")).trimmed(), value.trimmed()) << name.toStdString();
    EXPECT_EQ(prepared.value(QStringLiteral("Memo5")).trimmed(), QStringLiteral("Иванов [Иван]")) << "typed, not expanded";

    ASSERT_TRUE(spooler().waitUntilPrinted(QStringLiteral("Second"), sheetFile));
    const QList<PdfPage> sheets = readPdfText(sheetFile);
    ASSERT_EQ(sheets.size(), 1);
    // The landscape page is turned onto the A5 sheet: a point (x, y) of the page stands at (y, 210 - x).
    // Each of these words must stand inside its object's place on the paper, within 0.5 mm.
    const auto insidePlace = [](const PdfWord &w, const QRectF &place) {
        const double left = 210 - w.box.bottom() / pointsPerMm;
        const double top = w.box.left() / pointsPerMm;
        const double bottom = w.box.right() / pointsPerMm;
        return left > 10 + place.left() / 3.77953 - 0.5 && left < 10 + place.right() / 3.77953 + 0.5
               && top > 10 + place.top() / 3.77953 - 0.5 && bottom < 10 + place.bottom() / 3.77953 + 0.5;
    };
    for (const char *name : {"Memo_month", "Memo14", "Memo38", "Memo5"}) {
        const QString object = QString::fromLatin1(name);
        const QString word = prepared.value(object).trimmed().section(u' ', 0, 0);
        const QRectF place = places.value(object);
        EXPECT_TRUE(std::any_of(sheets[0].words.begin(), sheets[0].words.end(),
                                [&](const PdfWord &w) { return w.text == word && insidePlace(w, place); }))
            << name << " " << word.toStdString();
    }
    for (const char *word : {"мая", "x", "X"})
        EXPECT_TRUE(std::any_of(sheets[0].words.begin(), sheets[0].words.end(),
                                [&](const PdfWord &w) { return w.text == QString::fromUtf8(word); }))
            << word;
}

}  // namespace
