// "НАСТРОЙКА" as the operator meets it: the designer opens on the template beside the program with
// the blank under its page, a field moved and saved there moves on every later print, and a
// preview from the designer leaves the template as it was.
#include "FakeDialogs.h"
#include "SampleCertificate.h"
#include "TBlankArea.h"
#include "TfmMain.h"
#include "TfrxDesigner.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxDesignerForm.h"
#include "TfrxDesignerWorkspace.h"
#include "TfrxPreviewForm.h"
#include "TfrxReport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class DesignRoad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The designer keeps its window layout in the template's settings store; start afresh.
        QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                      QStringLiteral("/Tervane/Tervane.conf"));
        // A run stopped while the designer was open leaves a recovery copy, which would be offered.
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery"))
            .removeRecursively();
        QFile::remove(beside);
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZOR_TEMPLATE_FILE), beside));
        QFile::setPermissions(beside, QFile::ReadOwner | QFile::WriteOwner);
        window.blank()->setRecord(sampleCertificate(QStringLiteral("Иванов Иван")));
    }
    void TearDown() override { QFile::remove(beside); }

    // Runs work inside the designer once it is shown, then lets "НАСТРОЙКА" return.
    void Design(const std::function<void(TfrxDesignerForm &)> &work)
    {
        bool ran = false;
        auto *timer = new QTimer;
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, timer, [&, timer] {
            auto *form = qobject_cast<TfrxDesignerForm *>(QApplication::activeModalWidget());
            if (form == nullptr || !form->isVisible())
                return;
            timer->stop();
            timer->deleteLater();
            work(*form);
            ran = true;
            if (form->isVisible())
                form->close();
        });
        timer->start();
        window.findChild<QPushButton *>(QStringLiteral("Button3"))->click();
        EXPECT_TRUE(ran);
    }

    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("shablon.ze3"));
    FakeDialogs dialogs;
    TfmMain window{dialogs};
};

TEST_F(DesignRoad, OpensTheTemplateWithTheBlankUnderItsPage)
{
    Design([&](TfrxDesignerForm &form) {
        EXPECT_TRUE(form.windowTitle().endsWith(QStringLiteral("shablon.ze3")));
        QAction *blank = form.Action(cmBackdrop);
        EXPECT_TRUE(blank->isVisible());
        EXPECT_TRUE(blank->isChecked());
        EXPECT_EQ(blank->text(), QStringLiteral("Бланк"));
        EXPECT_TRUE(form.Workspace()->BackdropVisible());
        // The window as the operator sees it, kept for a person to look at.
        form.SelectedObjects() = {form.Report().FindObject(QStringLiteral("Memo5"))};
        form.showNormal();
        form.resize(1280, 860);
        QApplication::processEvents();
        const QDir folder(QDir::temp().filePath(QStringLiteral("zelta-designer")));
        folder.mkpath(QStringLiteral("."));
        EXPECT_TRUE(form.grab().save(folder.filePath(QStringLiteral("certificate-designer.png"))));
    });
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'\n').toStdString();
    EXPECT_FALSE(window.report()->Modified());
    EXPECT_EQ(window.report()->Designer(), nullptr) << "the report forgets its closed designer";
}

TEST_F(DesignRoad, AFieldMovedAndSavedMovesOnTheNextPrint)
{
    double before = 0;
    Design([&](TfrxDesignerForm &form) {
        TfrxComponent *memo = form.Report().FindObject(QStringLiteral("Memo5"));
        before = memo->Left();
        form.SelectedObjects() = {memo};
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(form.Workspace(), Qt::Key_Right, Qt::ControlModifier);
        EXPECT_TRUE(form.SaveReport());
    });
    EXPECT_FALSE(window.report()->Modified());
    TfrxReport printed;
    ASSERT_TRUE(printed.LoadFromFile(beside));
    EXPECT_NEAR(printed.FindObject(QStringLiteral("Memo5"))->Left(), before + 5, 1e-6);
}

TEST_F(DesignRoad, APreviewFromTheDesignerChangesNothing)
{
    Design([&](TfrxDesignerForm &form) {
        form.SelectedObjects() = {form.Report().FindObject(QStringLiteral("Memo5"))};
        QTest::keyClick(form.Workspace(), Qt::Key_Right, Qt::ControlModifier);
        const int steps = form.UndoBuffer().UndoCount();
        const double left = form.Report().FindObject(QStringLiteral("Memo5"))->Left();
        // The preview runs in a loop of its own while the designer waits: close it once it is
        // shown. It belongs to the designer's window, or the modal designer would block it.
        bool ownedByDesigner = false;
        QTimer::singleShot(0, [&form, &ownedByDesigner] {
            auto *closer = new QTimer;
            closer->setInterval(20);
            QObject::connect(closer, &QTimer::timeout, closer, [closer, &form, &ownedByDesigner] {
                for (QWidget *window : QApplication::topLevelWidgets()) {
                    auto *preview = qobject_cast<TfrxPreviewForm *>(window);
                    if (preview == nullptr || !preview->isVisible())
                        continue;
                    for (QWidget *w = preview->parentWidget(); w != nullptr; w = w->parentWidget())
                        ownedByDesigner = ownedByDesigner || w == &form;
                    closer->deleteLater();
                    preview->close();
                    return;
                }
            });
            closer->start();
        });
        form.PreviewReport();
        EXPECT_TRUE(ownedByDesigner);
        EXPECT_TRUE(form.Modified());
        EXPECT_EQ(form.UndoBuffer().UndoCount(), steps);
        EXPECT_DOUBLE_EQ(form.Report().FindObject(QStringLiteral("Memo5"))->Left(), left);
        EXPECT_NE(form.Page(), nullptr);
        // Leave without saving.
        struct AnswerNo : TfrxDesignerDialogs {
            Answer Ask(QWidget *, const QString &) override { return TfrxDesignerDialogs::No; }
        } answerNo;
        TfrxDesignerDialogs::SetCurrent(&answerNo);
        form.close();
        TfrxDesignerDialogs::SetCurrent(nullptr);
    });
    EXPECT_TRUE(window.report()->Modified());
}

} // namespace
