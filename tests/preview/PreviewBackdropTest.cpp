// The blank under the preview's page: a switch that is off at first and remembered, the picture at
// its true size under the page, never printed unless a test print on plain paper asks for it.
#include "CupsSandbox.h"
#include "PrintingTestMain.h"
#include "TfrxPreview.h"
#include "TfrxPreviewBackdrop.h"
#include "TfrxPreviewForm.h"
#include "TfrxPreviewWorkspace.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "zorEngine.h"
#include "zorPreview.h"
#include "zorPrinterTexts.h"
#include "zorTemplateFormat.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString queue = QStringLiteral("ZorPDF");

QString outputOf(const QString &name)
{
    return spooler().socketPath().section(u'/', 0, -2) + QStringLiteral("/out/%1.pdf").arg(name);
}

// How many pictures a PDF file holds, as poppler lists them.
int picturesIn(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    process.waitForFinished(30000);
    // Two heading lines, then one line a picture.
    return int(QString::fromUtf8(process.readAllStandardOutput()).trimmed().split(u'\n').size()) - 2;
}

class PreviewBackdrop : public ::testing::Test
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
        ASSERT_TRUE(report.LoadFromFile(templateFile, false));
        report.GetIniFile()->remove(QStringLiteral("Preview"));
        report.PrintOptions()->Printer = queue;
        report.PrintOptions()->ShowDialog = false;
        report.PreviewOptions()->Maximized = false;
        report.setProperty("ShowProgress", false);
        TfrxPreviewBackdrop::SetCurrent({QImage(QStringLiteral(ZOR_BLANK)), QRectF(0, 0, 210, 148),
                                         templateFile, QStringLiteral("Бланк"),
                                         QStringLiteral("Печатать бланк")});
        zorSetPrinterErrorHandler([this](const QString &message) { errors << message; });
        QFile::remove(outputOf(queue));
    }
    void TearDown() override
    {
        TfrxPreviewBackdrop::SetCurrent({});
        zorSetPrinterErrorHandler({});
    }

    // Shows the report in its preview and runs work once the page is there, then closes it.
    void inPreview(const std::function<void(TfrxPreviewForm &)> &work)
    {
        bool ran = false;
        auto *timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, timer, [&, timer] {
            auto *form = qobject_cast<TfrxPreviewForm *>(QApplication::activeModalWidget());
            if (form == nullptr || form->Preview()->Running() || form->Preview()->PageCount() == 0)
                return;
            timer->deleteLater();
            ran = true;
            work(*form);
            form->CloseButton()->click();
        });
        timer->start(20);
        report.ShowReport();
        EXPECT_TRUE(ran);
    }

    // The colour of the page's top-left corner region as the preview shows it: the blank's paper
    // inside its frame.
    static QColor pageCorner(TfrxPreviewForm &form)
    {
        TfrxPreviewWorkspace *workspace = form.Preview()->Workspace();
        const QRect page = workspace->PageList()
                               .GetPageBounds(0, workspace->viewport()->width(), workspace->Zoom())
                               .translated(-workspace->Offset());
        return workspace->viewport()->grab().toImage().pixelColor(page.topLeft() + QPoint(5, 5));
    }

    QTemporaryDir folder;
    const QString templateFile = folder.filePath(QStringLiteral("shablon.ze3"));
    TfrxReport report;
    QStringList errors;
};

TEST_F(PreviewBackdrop, IsOffAtFirstAndTheSwitchIsRemembered)
{
    inPreview([](TfrxPreviewForm &form) {
        ASSERT_NE(form.BackdropButton(), nullptr);
        EXPECT_FALSE(form.BackdropButton()->isChecked());
        EXPECT_EQ(pageCorner(form), QColor(Qt::white));
        form.BackdropButton()->click();
        EXPECT_NE(pageCorner(form), QColor(Qt::white));
        // For a person to judge.
        QDir().mkpath(QDir::temp().filePath(QStringLiteral("calib23")));
        form.grab().save(QDir::temp().filePath(QStringLiteral("calib23/preview-with-blank.png")));
    });
    inPreview([](TfrxPreviewForm &form) {
        EXPECT_TRUE(form.BackdropButton()->isChecked());
        EXPECT_NE(pageCorner(form), QColor(Qt::white));
        form.BackdropButton()->click();
    });
    inPreview([](TfrxPreviewForm &form) { EXPECT_FALSE(form.BackdropButton()->isChecked()); });
}

TEST_F(PreviewBackdrop, OtherReportsHaveNone)
{
    TfrxPreviewBackdrop::SetCurrent({QImage(QStringLiteral(ZOR_BLANK)), QRectF(0, 0, 210, 148),
                                     folder.filePath(QStringLiteral("other.ze3")), QStringLiteral("Бланк"),
                                     QStringLiteral("Печатать бланк")});
    inPreview([](TfrxPreviewForm &form) { EXPECT_EQ(form.BackdropButton(), nullptr); });
}

TEST_F(PreviewBackdrop, IsPrintedOnlyWhenATestPrintAsksForIt)
{
    struct Case
    {
        bool shown;
        bool printed;
        int pictures;
    };
    for (const Case c : {Case{true, false, 0}, Case{true, true, 1}}) {
        QFile::remove(outputOf(queue));
        inPreview([&](TfrxPreviewForm &form) {
            form.BackdropButton()->setChecked(c.shown);
            form.PrintBackdropAction()->setChecked(c.printed);
            form.Button(QStringLiteral("PrintB"))->trigger();
        });
        ASSERT_TRUE(spooler().waitUntilPrinted(queue, outputOf(queue)));
        EXPECT_EQ(picturesIn(outputOf(queue)), c.pictures) << c.printed;
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    // A new preview prints on real blanks again.
    inPreview([](TfrxPreviewForm &form) { EXPECT_FALSE(form.PrintBackdropAction()->isChecked()); });
}

} // namespace
