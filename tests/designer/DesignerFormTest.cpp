// The designer window on the certificate's template, driven as the operator drives it: moving a
// field with the mouse and the keys, undo and redo, the clipboard, inserting, saving, closing, and
// the files and stores that go wrong.
#include "DesignerFormFixture.h"
#include "DesignerTestSupport.h"
#include "TfrxBands.h"
#include "TfrxDataBand.h"
#include "TfrxClipboard.h"
#include "TfrxDesigner.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxDesignerForm.h"
#include "TfrxDesignerRecovery.h"
#include "TfrxDesignerWorkspace.h"
#include "TfrxMemoView.h"
#include "TfrxObjectCollection.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "zorDesigner.h"
#include "zorTemplateFormat.h"

#include "TinyFileSystem.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QWidgetAction>

#include <gtest/gtest.h>

using namespace designertest;

namespace {

TEST_F(DesignerForm, ShowsTheTemplateReadyToEdit)
{
    Open();
    EXPECT_TRUE(form->windowTitle().endsWith(QStringLiteral("shablon.ze3")));
    auto *tabs = form->findChild<QTabBar *>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Code"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Data"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Page1"));
    EXPECT_EQ(form->CurrentTab(), 2) << "the first page that is not the data page";
    EXPECT_EQ(form->Page(), FirstPage(report));
    EXPECT_FALSE(form->Action(cmUndo)->isEnabled());
    EXPECT_FALSE(form->Action(cmRedo)->isEnabled());
    EXPECT_FALSE(form->Action(cmSave)->isEnabled());
    EXPECT_FALSE(form->Modified());
}

TEST_F(DesignerForm, MovingAFieldWithTheMouseIsOneUndoStep)
{
    Open();
    TfrxComponent *memo = Find("Memo5");
    const double left = memo->Left(), top = memo->Top();
    Select("Memo5");
    // Twenty screen pixels at the shown scale, which the grid rounds to whole steps.
    const QPoint from = Middle(memo);
    Drag(from, from + QPoint(40, 20));
    memo = Find("Memo5");
    EXPECT_GT(memo->Left(), left);
    EXPECT_GT(memo->Top(), top);
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(form->Action(cmSave)->isEnabled());
    ASSERT_TRUE(form->Action(cmUndo)->isEnabled());
    const double movedLeft = memo->Left();

    form->Action(cmUndo)->trigger();
    EXPECT_DOUBLE_EQ(Find("Memo5")->Left(), left);
    EXPECT_DOUBLE_EQ(Find("Memo5")->Top(), top);
    EXPECT_TRUE(form->Modified()) << "an undone change still differs from the saved file";
    EXPECT_EQ(form->SelectedObjects().front()->Name(), QStringLiteral("Memo5")) << "selection found again by name";
    ASSERT_TRUE(form->Action(cmRedo)->isEnabled());
    form->Action(cmRedo)->trigger();
    EXPECT_DOUBLE_EQ(Find("Memo5")->Left(), movedLeft);
}

TEST_F(DesignerForm, ArrowKeysMoveByAPixelAndByAGridStep)
{
    Open();
    Select("Memo5");
    const double left = Find("Memo5")->Left(), top = Find("Memo5")->Top();
    QTest::keyClick(Workspace(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_NEAR(Find("Memo5")->Left(), left + 1, 1e-6);
    QTest::keyClick(Workspace(), Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NEAR(Find("Memo5")->Top(), top + Workspace()->GridY(), 1e-6);
    EXPECT_EQ(form->UndoBuffer().UndoCount(), 3) << "each key is one step";
}

TEST_F(DesignerForm, CopiedObjectsPasteIntoAnotherReportWithTheirPlacesAndNames)
{
    Open();
    form->SelectedObjects() = {Find("Memo5"), Find("Memo6"), Find("Memo7")};
    form->CopySelection();
    ASSERT_TRUE(TfrxClipboard::CanPaste(QGuiApplication::clipboard()->text()));
    const QPointF offset6(Find("Memo6")->Left() - Find("Memo5")->Left(), Find("Memo6")->Top() - Find("Memo5")->Top());

    form->NewReport();
    ASSERT_NE(form->Page(), nullptr);
    TfrxComponent *band = form->Page()->FindObject(QStringLiteral("MasterData1"));
    ASSERT_NE(band, nullptr);
    form->PasteClipboard();
    // The pasted objects follow the mouse until the click that puts them down.
    const QPoint down = Workspace()->ReportToWidget(QPointF(300, band->AbsTop() + band->Height() + 200)).toPoint();
    QTest::mouseMove(Workspace(), down);
    QTest::mouseClick(Workspace(), Qt::LeftButton, {}, down);
    TfrxComponent *memo5 = Find("Memo5");
    TfrxComponent *memo6 = Find("Memo6");
    ASSERT_NE(memo5, nullptr);
    ASSERT_NE(memo6, nullptr);
    EXPECT_NE(Find("Memo7"), nullptr);
    EXPECT_NEAR(memo6->AbsLeft() - memo5->AbsLeft(), offset6.x(), 1e-6);
    EXPECT_NEAR(memo6->AbsTop() - memo5->AbsTop(), offset6.y(), 1e-6);

    const int before = int(report.GetAllObjects().size());
    form->PasteClipboard();
    QTest::mouseClick(Workspace(), Qt::LeftButton, {}, down + QPoint(0, 60));
    EXPECT_EQ(report.GetAllObjects().size(), before + 3);
    QStringList names;
    for (TfrxComponent *object : report.GetAllObjects())
        names << object->Name().toLower();
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size()) << "the copies were renamed";
}

TEST_F(DesignerForm, NewReportHasItsPagesBandsAndPageNumber)
{
    Open();
    form->NewReport();
    form->grab().save(QDir::temp().filePath(QStringLiteral("zelta-designer/new-report.png")));
    EXPECT_TRUE(report.FileName().isEmpty());
    EXPECT_TRUE(form->windowTitle().endsWith(QStringLiteral("Untitled.ze3")));
    EXPECT_FALSE(form->Modified());
    EXPECT_FALSE(form->Action(cmUndo)->isEnabled());
    TfrxReportPage *page = FirstPage(report);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Name(), QStringLiteral("Page1"));
    QStringList bands;
    for (TfrxComponent *object : page->Objects())
        bands << QString::fromLatin1(object->metaObject()->className()) + u' ' + object->Name();
    EXPECT_EQ(bands, (QStringList{QStringLiteral("TfrxReportTitle ReportTitle1"), QStringLiteral("TfrxMasterData MasterData1"),
                                  QStringLiteral("TfrxPageFooter PageFooter1")}));
    const double printable = (page->PaperWidth() - page->LeftMargin() - page->RightMargin()) * zor::fr01cm;
    for (TfrxComponent *band : page->Objects()) {
        EXPECT_NEAR(band->Width(), printable, 1e-6) << band->Name().toStdString();
        EXPECT_NEAR(band->Height(), 0.6 * zor::fr1cm, 1e-6);
    }
    auto *memo = qobject_cast<TfrxMemoView *>(report.FindObject(QStringLiteral("Memo1")));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Parent()->Name(), QStringLiteral("PageFooter1"));
    EXPECT_EQ(memo->Text(), QStringLiteral("[Page#]\r\n"));
    EXPECT_EQ(memo->HAlign(), zorTextAlign::haRight);
    EXPECT_NEAR(memo->Width(), printable - 20, 1e-6);
    // One under the other, with the gap and the extra gap before the bottom band.
    const QList<TfrxComponent *> &objects = page->Objects();
    EXPECT_LT(objects[0]->Top() + objects[0]->Height(), objects[1]->Top());
    EXPECT_LT(objects[1]->Top() + objects[1]->Height(), objects[2]->Top());
}

TEST_F(DesignerForm, APastedPageHeaderIsDroppedWhereThePageHasOne)
{
    Open();
    form->NewReport();
    form->InsertBand(2); // page header
    form->CopySelection();
    const int before = int(report.GetAllObjects().size());
    form->PasteClipboard();
    EXPECT_EQ(report.GetAllObjects().size(), before);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors.front(), QStringLiteral("1 object(s) could not be pasted onto this page."));
}

TEST_F(DesignerForm, SavedTemplateHoldsExactlyTheChanges)
{
    // What the file must become: the loaded template with Memo5 one pixel to the right.
    TfrxReport expected;
    ASSERT_TRUE(expected.LoadFromFile(templatePath));
    TfrxComponent *memo = expected.FindObject(QStringLiteral("Memo5"));
    memo->SetLeft(memo->Left() + 1);
    expected.ReportOptions()->LastChange = 0;

    Open();
    Select("Memo5");
    QTest::keyClick(Workspace(), Qt::Key_Right, Qt::ControlModifier);
    ASSERT_TRUE(form->SaveReport());
    EXPECT_FALSE(form->Modified());
    EXPECT_FALSE(form->Action(cmSave)->isEnabled());
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'\n').toStdString();
    EXPECT_EQ(Saved(templatePath), TemplateText(expected));
}

TEST_F(DesignerForm, ClosingAModifiedDesignerAsksAndCancelKeepsItOpen)
{
    Open();
    Select("Memo5");
    QTest::keyClick(Workspace(), Qt::Key_Right, Qt::ControlModifier);
    dialogs.answer = TfrxDesignerDialogs::Cancel;
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(dialogs.questions.front(), QStringLiteral("Save changes to shablon.ze3?"));
    EXPECT_TRUE(form->Modified());

    dialogs.answer = TfrxDesignerDialogs::No;
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(report.Modified()) << "the report learns that the template changed";
    EXPECT_EQ(Saved(templatePath), Saved(QStringLiteral(ZOR_TEMPLATE_FILE))) << "No keeps the file as it was";
}

TEST_F(DesignerForm, ClosingAnUnmodifiedDesignerAsksNothing)
{
    Open();
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_FALSE(report.Modified());
}

TEST_F(DesignerForm, ABandAndATextObjectAreInsertedAsOneStepEach)
{
    Open();
    const int steps = form->UndoBuffer().UndoCount();
    form->InsertBand(6); // master data
    auto *band = qobject_cast<TfrxMasterData *>(form->SelectedObjects().value(0));
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->Name(), QStringLiteral("MasterData1"));
    EXPECT_EQ(form->UndoBuffer().UndoCount(), steps + 1);

    for (const TfrxObjectItem &item : TfrxObjectCollection::Instance().Items()) {
        if (item.ClassRef == &TfrxMemoView::staticMetaObject) {
            QTest::qWait(0);
            Workspace()->SetInsertion(item.ClassRef, item.Flags, 80, 16);
            break;
        }
    }
    const QPoint at = Workspace()->ReportToWidget(QPointF(100, 400)).toPoint();
    QTest::mouseMove(Workspace(), at);
    QTest::mouseClick(Workspace(), Qt::LeftButton, {}, at);
    auto *memo = qobject_cast<TfrxMemoView *>(form->SelectedObjects().value(0));
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->Name().startsWith(QStringLiteral("Memo")));
    EXPECT_EQ(form->UndoBuffer().UndoCount(), steps + 2);
}

TEST_F(DesignerForm, ATemplateThatIsNotThereLeavesAnEmptyReport)
{
    Open();
    EXPECT_FALSE(form->OpenReport(folder.filePath(QStringLiteral("missing.ze3"))));
    ASSERT_FALSE(dialogs.errors.isEmpty());
    EXPECT_TRUE(dialogs.errors.front().startsWith(QStringLiteral("Couldn't load file")));
    EXPECT_TRUE(report.FileName().isEmpty());
    ASSERT_NE(FirstPage(report), nullptr);
    EXPECT_TRUE(FirstPage(report)->Objects().isEmpty());
    EXPECT_FALSE(form->Modified());
}

TEST_F(DesignerForm, ADamagedTemplateIsNeverSavedOverItself)
{
    QFile file(templatePath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    file.close();
    const QByteArray damaged = whole.left(whole.size() / 2) + "<<<";
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(damaged);
    file.close();
    report.LoadFromFile(templatePath);
    ASSERT_TRUE(report.LoadFailed());

    Open();
    form->InsertBand(0);
    ASSERT_TRUE(form->Modified());
    // Save asks for a name (cancelled here) instead of writing the part that was read.
    EXPECT_FALSE(form->SaveReport());
    QFile again(templatePath);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), damaged);
    EXPECT_TRUE(form->Modified());
}

// A folder that cannot be written (as the program's folder often is) and a full disk: the error is
// shown, the old file stays whole, and the designer keeps its changes and its file name.
TEST_F(DesignerForm, ASaveThatFailsKeepsEverything)
{
    const QString mount = folder.filePath(QStringLiteral("tiny"));
    ASSERT_TRUE(QDir().mkdir(mount));
    const TinyFileSystem tiny(mount, 64);
    if (!tiny.mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString target = mount + QStringLiteral("/shablon.ze3");
    ASSERT_TRUE(QFile::copy(templatePath, target));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(report.LoadFromFile(target));
    QFile original(target);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();
    Open();
    Select("Memo5");
    QTest::keyClick(Workspace(), Qt::Key_Right, Qt::ControlModifier);

    // Full: what is left is less than the template needs.
    QFile filler(mount + QStringLiteral("/filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    filler.write(QByteArray(64 * 1024 - before.size() - 4096, 'x'));
    filler.close();
    EXPECT_FALSE(form->SaveReport());
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.front().contains(target)) << dialogs.errors.front().toStdString();

    // Read-only.
    ASSERT_TRUE(QFile::remove(mount + QStringLiteral("/filler")));
    ASSERT_TRUE(tiny.makeReadOnly());
    dialogs.fileNames = {mount + QStringLiteral("/copy.ze3")};
    EXPECT_FALSE(form->SaveReport(true));
    EXPECT_EQ(dialogs.errors.size(), 2);

    QFile after(target);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    EXPECT_EQ(QDir(mount).entryList(QDir::Files), QStringList{QStringLiteral("shablon.ze3")}) << "nothing left behind";
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(form->Action(cmSave)->isEnabled());
    EXPECT_EQ(report.FileName(), target);
    EXPECT_FALSE(form->RecentFiles().contains(mount + QStringLiteral("/copy.ze3")));
}

TEST_F(DesignerForm, ASettingsFileWithGarbageOpensWithTheDefaults)
{
    QFile store(folder.filePath(QStringLiteral("designer.ini")));
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write("[Form5.TfrxDesignerForm]\nScale=nan\nGrid1=-3\nUnits=77\nRecentFiles=\"\\x00\n\x01\x02garbage\n");
    store.close();
    Open();
    EXPECT_GT(form->Scale(), 0);
    EXPECT_GT(Workspace()->GridX(), 0);
    EXPECT_EQ(form->Units(), duCM);
}

} // namespace

namespace {

// A designer that ends without closing (the program crashed) leaves its recovery copy; the next
// opening of the same template offers it back, and a normal close removes it.
TEST_F(DesignerForm, AfterACrashTheNextOpeningOffersTheRecoveryCopy)
{
    Open();
    Select("Memo5");
    QTest::keyClick(Workspace(), Qt::Key_Right, Qt::ControlModifier);
    const double moved = Find("Memo5")->Left();
    auto *recovery = form->findChild<TfrxDesignerRecovery *>();
    ASSERT_NE(recovery, nullptr);
    ASSERT_TRUE(recovery->WriteNow());
    const QString copy = TfrxDesignerRecovery::CopyFileName(templatePath);
    ASSERT_TRUE(QFile::exists(copy));
    delete form; // no closing: what a crash leaves behind
    form = nullptr;

    ASSERT_TRUE(report.LoadFromFile(templatePath));
    EXPECT_NE(Find("Memo5")->Left(), moved);
    dialogs.answer = TfrxDesignerDialogs::Yes;
    Open();
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions.front().contains(QStringLiteral("shablon.ze3")));
    EXPECT_DOUBLE_EQ(Find("Memo5")->Left(), moved);
    EXPECT_TRUE(form->Modified()) << "the restored changes are not saved yet";
    EXPECT_EQ(report.FileName(), templatePath);
    ASSERT_TRUE(form->SaveReport());
    EXPECT_FALSE(QFile::exists(copy)) << "a normal save removes the copy";
}

} // namespace

namespace {

TEST_F(DesignerForm, EveryToolbarButtonHasItsPicture)
{
    Open();
    for (QToolBar *bar : form->findChildren<QToolBar *>()) {
        for (QAction *action : bar->actions()) {
            if (action->isSeparator() || qobject_cast<QWidgetAction *>(action) != nullptr)
                continue;
            EXPECT_FALSE(action->icon().isNull()) << bar->objectName().toStdString() << ": "
                                                  << action->text().toStdString();
        }
    }
}

} // namespace
