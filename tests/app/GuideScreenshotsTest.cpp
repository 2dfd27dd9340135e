// The pictures of the user's guide, taken from the real windows: the filled certificate window,
// the preview, the print dialog and the designer on the template. They go to a folder of the
// temporary folder, or, when ZOR_GUIDE_IMAGES names a folder (docs/images), there:
//   ZOR_GUIDE_IMAGES=$PWD/docs/images build/asan/tests/app/test_app_guide
#include "FakeDialogs.h"
#include "PrintingTestMain.h"
#include "ReportLibrary.h"
#include "SampleCertificate.h"
#include "TBlankArea.h"
#include "TfmMain.h"
#include "TfrxDesignerForm.h"
#include "TfrxPreview.h"
#include "TfrxPreviewForm.h"
#include "TfrxPrintDialog.h"
#include "TfrxReport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

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

class GuidePictures : public ::testing::Test
{
protected:
    // The windows as the program shows them: with the Russian texts over the library's table.
    static void SetUpTestSuite()
    {
        FakeDialogs startDialogs;
        loadRussianTexts(startDialogs);
    }
    void SetUp() override
    {
        QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                      QStringLiteral("/Tervane/Tervane.conf"));
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
        QFile::remove(beside);
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZOR_TEMPLATE_FILE), beside));
        QFile::setPermissions(beside, QFile::ReadOwner | QFile::WriteOwner);
        ASSERT_TRUE(folder.mkpath(QStringLiteral(".")));
        window.blank()->setRecord(sampleCertificate(QStringLiteral("Иванов Иван Иванович")));
        window.show();
        QApplication::processEvents();
    }
    void TearDown() override { QFile::remove(beside); }

    // Saves the picture of a window, which must show more than one colour.
    void save(QWidget &widget, const char *name)
    {
        QApplication::processEvents();
        const QImage picture = widget.grab().toImage();
        EXPECT_GT(picture.width(), 300) << name;
        EXPECT_NE(picture.pixel(picture.width() / 2, picture.height() / 2), picture.pixel(2, 2)) << name;
        EXPECT_TRUE(picture.save(folder.filePath(QString::fromLatin1(name)))) << name;
    }

    static QDir guideFolder()
    {
        const QString asked = qEnvironmentVariable("ZOR_GUIDE_IMAGES");
        return QDir(asked.isEmpty() ? QDir::temp().filePath(QStringLiteral("zelta-guide")) : asked);
    }

    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("shablon.ze3"));
    const QDir folder = guideFolder();
    FakeDialogs dialogs;
    TfmMain window{dialogs};
};

TEST_F(GuidePictures, TheFilledWindow)
{
    save(window, "main-window.png");
}

TEST_F(GuidePictures, ThePreviewAndThePrintDialog)
{
    bool printDialogShown = false;
    whenReady([&] {
        auto *form = qobject_cast<TfrxPreviewForm *>(QApplication::activeModalWidget());
        if (form == nullptr || form->Preview()->Running() || form->Preview()->PageCount() == 0)
            return false;
        form->resize(1100, 760);
        save(*form, "preview.png");
        whenReady([&] {
            auto *dialog = qobject_cast<TfrxPrintDialog *>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return false;
            save(*dialog, "print-dialog.png");
            printDialogShown = true;
            dialog->reject();
            return true;
        });
        form->Button(QStringLiteral("PrintB"))->trigger();
        form->CloseButton()->click();
        return true;
    });
    window.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
    EXPECT_TRUE(printDialogShown);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'\n').toStdString();
}

TEST_F(GuidePictures, TheDesignerOnTheTemplate)
{
    bool designerShown = false;
    whenReady([&] {
        auto *form = qobject_cast<TfrxDesignerForm *>(QApplication::activeModalWidget());
        if (form == nullptr || !form->isVisible())
            return false;
        form->SelectedObjects() = {form->Report().FindObject(QStringLiteral("Memo5"))};
        form->SelectionChanged();
        form->showNormal();
        form->resize(1280, 860);
        save(*form, "designer.png");
        designerShown = true;
        form->close();
        return true;
    });
    window.findChild<QPushButton *>(QStringLiteral("Button3"))->click();
    EXPECT_TRUE(designerShown);
}

} // namespace
