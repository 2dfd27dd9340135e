// The style editor driven through its controls: the report's styles, unique names for new ones,
// renaming in place, what the controls set, OK into the report and its text objects, Cancel, and
// the style files saved and loaded back; the style file format itself.
#include "DesignerTestSupport.h"
#include "FakeDesigner.h"
#include "LookDialogsTestSupport.h"
#include "TfrxFont.h"
#include "TfrxFrame.h"
#include "TfrxFrameEditorForm.h"
#include "TfrxMemoView.h"
#include "TfrxReportPage.h"
#include "TfrxStyleEditorForm.h"
#include "TfrxStyleFile.h"
#include "TfrxStyleItem.h"
#include "TfrxStyles.h"
#include "zorEditorDialogs.h"

#include "TinyFileSystem.h"

#include <QBuffer>
#include <QCheckBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lookdialogs;
using namespace zor;

namespace {

// Two styles of a report: Heading (red fill, 14-point bold, a frame all round) and Body.
void AddStyles(TfrxStyles &styles)
{
    styles.SetName(QStringLiteral("Certificate"));
    TfrxStyleItem *heading = styles.Add();
    heading->SetName(QStringLiteral("Heading"));
    heading->SetColor(clRed);
    heading->Font()->SetSize(14);
    heading->Font()->SetStyle(fsBold);
    heading->Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    styles.Add()->SetName(QStringLiteral("Body"));
}

QString Describe(const TfrxStyles &styles)
{
    QStringList lines;
    for (qsizetype i = 0; i < styles.Count(); ++i) {
        const TfrxStyleItem *s = styles.Items(i);
        lines << QStringLiteral("%1 color=%2 font=%3/%4/%5 charset=%6 frame=%7/%8")
                     .arg(s->Name())
                     .arg(s->Color())
                     .arg(s->Font()->Name())
                     .arg(s->Font()->Size())
                     .arg(int(s->Font()->Style()))
                     .arg(s->Font()->Charset())
                     .arg(int(s->Frame()->Typ()))
                     .arg(s->Frame()->Color());
    }
    return styles.Name() + u':' + lines.join(QStringLiteral("; "));
}

class StyleEditorTest : public LookDialogTest<TfrxStyleEditorForm>
{
protected:
    StyleEditorTest() : report(designertest::EmptyReport()) { AddStyles(*report->Styles()); }

    void click(const char *button) const
    {
        QTest::mouseClick(child<QAbstractButton>(button), Qt::LeftButton);
    }
    QListWidget *list() const { return child<QListWidget>("StyleList"); }
    QStringList names() const { return form->Styles().GetList(); }
    const TfrxStyleItem *style(int index) const { return form->Styles().Items(index); }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<TfrxReport> report;
};

TEST_F(StyleEditorTest, AddsStylesWithUniqueNamesAndDeletes)
{
    report->Styles()->Add()->SetName(QStringLiteral("style1"));
    open(*report->Styles());
    EXPECT_EQ(list()->count(), 3);
    EXPECT_EQ(list()->currentRow(), 0);

    click("AddB");
    EXPECT_EQ(names(), Strings({"Heading", "Body", "style1", "Style2"}));
    EXPECT_EQ(list()->currentItem()->text(), QStringLiteral("Style2"));
    const auto *editor = list()->viewport()->findChild<QLineEdit *>();
    EXPECT_TRUE(editor != nullptr && editor->isVisible()) << "the new name is edited in place";

    list()->setCurrentRow(1);
    click("DeleteB");
    EXPECT_EQ(names(), Strings({"Heading", "style1", "Style2"}));
    EXPECT_EQ(list()->currentItem()->text(), QStringLiteral("style1")) << "the next style is chosen";
    list()->setCurrentRow(2);
    click("DeleteB");
    EXPECT_EQ(list()->currentItem()->text(), QStringLiteral("style1")) << "or the new last";
    click("DeleteB");
    click("DeleteB");
    EXPECT_EQ(list()->count(), 0);
    EXPECT_FALSE(child<QPushButton>("FontB")->isEnabled());
}

TEST_F(StyleEditorTest, RenamesInPlaceRefusingTakenAndEmptyNames)
{
    open(*report->Styles());
    list()->item(1)->setText(QStringLiteral("  Title "));
    EXPECT_EQ(names(), Strings({"Heading", "Title"}));
    EXPECT_EQ(list()->item(1)->text(), QStringLiteral("Title"));

    list()->item(1)->setText(QStringLiteral("HEADING"));
    list()->item(0)->setText(QString());
    EXPECT_EQ(dialogs.errors, Strings({"Duplicate name", "Invalid property value"}));
    EXPECT_EQ(names(), Strings({"Heading", "Title"}));
    EXPECT_EQ(list()->item(1)->text(), QStringLiteral("Title"));
    EXPECT_EQ(list()->item(0)->text(), QStringLiteral("Heading"));
}

TEST_F(StyleEditorTest, ControlsSetTheChosenStyle)
{
    open(*report->Styles());
    list()->setCurrentRow(1);
    EXPECT_TRUE(child<QCheckBox>("CharsetCB")->isChecked()) << "a new style's font has the default charset";
    chooseBasicColor(child<TfrxColorPicker>("ColorB"), 9);
    chooseBasicColor(child<TfrxColorPicker>("FontColorB"), 13);
    QTest::mouseClick(child<QCheckBox>("CharsetCB"), Qt::LeftButton);
    EXPECT_TRUE(AnswerModal<QFontDialog>([this] { click("FontB"); },
                                         [](QFontDialog *dialog) {
                                             QFont font(QStringLiteral("DejaVu Serif"));
                                             font.setPointSize(16);
                                             font.setItalic(true);
                                             dialog->setCurrentFont(font);
                                             dialog->accept();
                                         }));
    EXPECT_TRUE(AnswerModal<TfrxFrameEditorForm>(
        [this] { click("FrameB"); },
        [](TfrxFrameEditorForm *dialog) {
            dialog->findChild<QAbstractButton *>(QStringLiteral("TopLine"))->click();
            dialog->accept();
        }));
    const TfrxStyleItem *body = style(1);
    EXPECT_EQ(body->Color(), 0x00FF00);
    EXPECT_EQ(body->Font()->Color(), 0xFF0000);
    EXPECT_EQ(body->Font()->Charset(), 0);
    EXPECT_EQ(body->Font()->Name(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(body->Font()->Size(), 16);
    EXPECT_EQ(body->Font()->Style(), TFontStyles(fsItalic));
    EXPECT_EQ(body->Frame()->Typ(), TfrxFrameTypes(ftTop));
    EXPECT_EQ(report->Styles()->Items(1)->Color(), clTransparent) << "the report's styles wait for OK";

    list()->setCurrentRow(0); // the controls follow the chosen style
    EXPECT_EQ(child<TfrxColorPicker>("ColorB")->Color(), clRed);
    EXPECT_TRUE(child<QCheckBox>("CharsetCB")->isChecked());
    chooseNoColor(child<TfrxColorPicker>("ColorB"));
    EXPECT_EQ(style(0)->Color(), clTransparent);
}

TEST_F(StyleEditorTest, OkGivesTheStylesToTheReportAndItsTextObjects)
{
    FakeDesigner designer(*report, designertest::FirstPage(*report));
    TfrxMemoView *heading =
        designertest::AddMemo(designertest::FirstPage(*report), QStringLiteral("Title"), 0, 0);
    heading->SetStyle(QStringLiteral("Heading"));
    TfrxMemoView *body =
        designertest::AddMemo(designertest::FirstPage(*report), QStringLiteral("Text"), 0, 30);
    body->SetStyle(QStringLiteral("Body"));
    const QString before = Describe(*report->Styles());
    const auto edit = [&](const char *button) {
        bool changed = false;
        EXPECT_TRUE(AnswerModal<TfrxStyleEditorForm>(
            [&] { changed = zorEditStyles(designer); },
            [button](TfrxStyleEditorForm *dialog) {
                auto *styles = dialog->findChild<QListWidget *>(QStringLiteral("StyleList"));
                styles->setCurrentRow(1);
                dialog->findChild<QPushButton *>(QStringLiteral("DeleteB"))->click();
                styles->setCurrentRow(0);
                chooseBasicColor(dialog->findChild<TfrxColorPicker *>(QStringLiteral("ColorB")), 13);
                dialog->findChild<QPushButton *>(QLatin1String(button))->click();
            }));
        return changed;
    };
    EXPECT_FALSE(edit("CancelB"));
    EXPECT_EQ(Describe(*report->Styles()), before);

    EXPECT_TRUE(edit("OkB"));
    EXPECT_EQ(report->Styles()->GetList(), QStringList{QStringLiteral("Heading")});
    EXPECT_EQ(report->Styles()->Items(0)->Color(), 0xFF0000);
    EXPECT_EQ(heading->Color(), 0xFF0000) << "text objects take their style again";
    EXPECT_TRUE(heading->Font()->Style().testFlag(fsBold));
    EXPECT_TRUE(body->Style().isEmpty()) << "a style that went is no longer named";
}

TEST_F(StyleEditorTest, AStyleFileSavedLoadsBackTheSame)
{
    report->Styles()->Items(1)->Font()->SetCharset(204);
    report->Styles()->Items(1)->Frame()->SetColor(0x336699);
    open(*report->Styles());
    dialogs.fileNames = {folder.filePath(QStringLiteral("certificate"))};
    click("SaveB");
    EXPECT_EQ(dialogs.filters, QStringList{QStringLiteral("Style (*.fs3)")});
    const QString file = folder.filePath(QStringLiteral("certificate.fs3"));
    ASSERT_TRUE(QFile::exists(file)) << "saving forces the extension";
    EXPECT_TRUE(dialogs.errors.isEmpty());

    TfrxStyles empty(nullptr);
    open(empty);
    dialogs.fileNames = {file};
    click("LoadB");
    EXPECT_EQ(Describe(form->Styles()), Describe(*report->Styles()));
    EXPECT_EQ(list()->count(), 2);
    EXPECT_EQ(list()->currentRow(), 0);

    dialogs.fileNames = {folder.filePath(QStringLiteral("again.FS3"))};
    click("SaveB");
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("again.FS3"))))
        << "its own extension in any case";
}

TEST_F(StyleEditorTest, AFileThatIsNoStyleFileChangesNothing)
{
    open(*report->Styles());
    const QString before = Describe(form->Styles());
    for (const QByteArray &text : {QByteArray("<?xml version=\"1.0\"?><stylesheet><style/></stylesheet>"),
                                   QByteArray("plain text <<")}) {
        const QString name = folder.filePath(QStringLiteral("other.fs3"));
        QFile other(name);
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write(text);
        other.close();
        dialogs.errors.clear();
        dialogs.fileNames = {name};
        click("LoadB");
        EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Couldn't load file\n") + name});
        EXPECT_EQ(Describe(form->Styles()), before);
    }
}

TEST_F(StyleEditorTest, AFailedSaveIsReportedAndLeavesTheOldFileWhole)
{
    open(*report->Styles());
    const QString missing = folder.filePath(QStringLiteral("no such folder/styles.fs3"));
    dialogs.fileNames = {missing};
    click("SaveB");
    EXPECT_EQ(dialogs.errors,
              QStringList{QStringLiteral("Could not save the styles to %1. The folder may be "
                                         "read-only or the disk full; the file was not changed.")
                              .arg(missing)});

    const QString mount = folder.filePath(QStringLiteral("tiny"));
    ASSERT_TRUE(QDir().mkdir(mount));
    const TinyFileSystem tiny(mount);
    if (!tiny.mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString target = mount + QStringLiteral("/styles.fs3");
    ASSERT_TRUE(TfrxStyleFile::Save(*report->Styles(), target));
    QFile written(target);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray before = written.readAll();
    written.close();
    ASSERT_TRUE(tiny.makeReadOnly());
    dialogs.errors.clear();
    click("AddB");
    dialogs.fileNames = {target};
    click("SaveB");
    EXPECT_EQ(dialogs.errors.size(), 1);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), before);
}

TEST(StyleFile, HoldsTheSetsNameAndOneItemPerStyle)
{
    TfrxStyles styles(nullptr);
    AddStyles(styles);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    TfrxStyleFile::Write(styles, &buffer);
    const QString text = QString::fromUtf8(buffer.data());
    EXPECT_TRUE(text.contains(QStringLiteral("<style Name=\"Certificate\">"))) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("<item ")), 2);
    EXPECT_TRUE(text.contains(QStringLiteral("Name=\"Heading\" Color=\"255\""))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Frame.Typ=\"15\""))) << text.toStdString();

    buffer.seek(0);
    TfrxStyles read(nullptr);
    ASSERT_TRUE(TfrxStyleFile::Read(read, &buffer));
    EXPECT_EQ(Describe(read), Describe(styles));
}

TEST_F(StyleEditorTest, Picture)
{
    open(*report->Styles());
    checkAndSavePicture(form.get(), QStringLiteral("StyleEditor"));
}

} // namespace
