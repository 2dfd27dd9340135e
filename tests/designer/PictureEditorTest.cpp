// The picture editor driven through its buttons: loading each picture format as picture objects
// read it, a file that is no picture, copy, paste and clear, the size in the status line, OK
// into the object and the designer's picture store, Cancel, and pictures of it.
#include "DesignerTestSupport.h"
#include "FakeDesigner.h"
#include "LookDialogsTestSupport.h"
#include "TfrxDesignerPictureCache.h"
#include "TfrxPictureEditorForm.h"
#include "TfrxPictureView.h"
#include "TfrxReportPage.h"
#include "zorEditorDialogs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lookdialogs;

namespace {

QImage Sample(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0x30, 0x70, 0xC0));
    QPainter painter(&image);
    painter.fillRect(QRect(0, 0, width / 2, height / 2), QColor(0xF0, 0xC0, 0x20));
    return image;
}

class PictureEditorTest : public LookDialogTest<TfrxPictureEditorForm>
{
protected:
    void click(const char *button) const { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    QString status() const { return child<QStatusBar>("Status")->currentMessage(); }

    // A picture file of the format in the test's folder.
    QString file(const char *format, int width = 40, int height = 30) const
    {
        const QString name =
            folder.filePath(QStringLiteral("sample.") + QString::fromLatin1(format).toLower());
        EXPECT_TRUE(Sample(width, height).save(name, format));
        return name;
    }

    void load(const QString &name)
    {
        dialogs.fileNames = {name};
        click("LoadB");
    }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
};

class PictureFormats : public PictureEditorTest,
                       public ::testing::WithParamInterface<std::pair<const char *, QByteArray>>
{
};

TEST_P(PictureFormats, LoadAsPictureObjectsReadThem)
{
    const auto &[format, signature] = GetParam();
    open(TfrxPictureView());
    EXPECT_EQ(status(), QStringLiteral("Empty"));
    load(file(format));
    EXPECT_EQ(form->Picture().size(), QSize(40, 30));
    EXPECT_EQ(status(), QStringLiteral("40 × 30"));
    EXPECT_TRUE(form->PictureData().startsWith(signature)) << "the bytes loaded are kept";
    EXPECT_TRUE(dialogs.filters.value(0).startsWith(QStringLiteral("Pictures (*.png *.jpg *.jpeg *.bmp")));
}

INSTANTIATE_TEST_SUITE_P(EachFormat, PictureFormats,
                         ::testing::Values(std::pair{"PNG", QByteArray("\x89PNG", 4)},
                                           std::pair{"JPG", QByteArray("\xFF\xD8", 2)},
                                           std::pair{"BMP", QByteArray("BM")}),
                         [](const auto &row) { return std::string(row.param.first); });

TEST_F(PictureEditorTest, AFileThatIsNoPictureKeepsThePicture)
{
    open(TfrxPictureView());
    load(file("PNG", 20, 10));
    const QString text = folder.filePath(QStringLiteral("notes.png"));
    QFile notes(text);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a picture");
    notes.close();
    load(text);
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Invalid image format\n") + text});
    EXPECT_EQ(form->Picture().size(), QSize(20, 10));

    dialogs.fileNames.clear(); // a cancelled file dialog changes nothing
    click("LoadB");
    EXPECT_EQ(form->Picture().size(), QSize(20, 10));
}

TEST_F(PictureEditorTest, CopyClearAndPaste)
{
    open(TfrxPictureView());
    EXPECT_FALSE(child<QPushButton>("CopyB")->isEnabled());
    load(file("BMP", 16, 12));
    click("CopyB");
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(16, 12));
    EXPECT_TRUE(child<QPushButton>("PasteB")->isEnabled());

    click("ClearB");
    EXPECT_TRUE(form->Picture().isNull());
    EXPECT_EQ(status(), QStringLiteral("Empty"));
    EXPECT_FALSE(child<QPushButton>("CopyB")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("ClearB")->isEnabled());

    click("PasteB");
    EXPECT_EQ(form->Picture().size(), QSize(16, 12));
    EXPECT_TRUE(form->PictureData().startsWith("\x89PNG")) << "a pasted picture is kept as PNG";

    QGuiApplication::clipboard()->setText(QStringLiteral("text"));
    EXPECT_FALSE(child<QPushButton>("PasteB")->isEnabled());
}

TEST_F(PictureEditorTest, OkGivesThePictureToTheObjectAndTheStore)
{
    auto report = designertest::EmptyReport();
    FakeDesigner designer(*report, designertest::FirstPage(*report));
    auto &store = static_cast<TfrxDesignerPictureCache &>(designer.Pictures());
    auto *view = new TfrxPictureView(designertest::FirstPage(*report));
    view->SetAutoSize(true);
    const QString name = file("PNG", 64, 48);
    const auto edit = [&](const char *button) {
        bool changed = false;
        EXPECT_TRUE(AnswerModal<TfrxPictureEditorForm>(
            [&] { changed = zorEditPicture(designer, view); },
            [&](TfrxPictureEditorForm *dialog) {
                dialogs.fileNames = {name};
                dialog->findChild<QPushButton *>(QStringLiteral("LoadB"))->click();
                dialog->findChild<QPushButton *>(QLatin1String(button))->click();
            }));
        return changed;
    };
    EXPECT_FALSE(edit("CancelB"));
    EXPECT_TRUE(view->Picture().isNull());
    EXPECT_EQ(store.Count(), 0);

    EXPECT_TRUE(edit("OkB"));
    EXPECT_EQ(view->Picture().size(), QSize(64, 48));
    EXPECT_DOUBLE_EQ(view->Width(), 64) << "an auto-sized object takes the picture's size";
    EXPECT_EQ(store.Count(), 1);
    TfrxPictureView restored;
    store.Load(0, restored);
    EXPECT_EQ(restored.Picture().size(), QSize(64, 48));
}

TEST_F(PictureEditorTest, Picture)
{
    TfrxPictureView view;
    view.SetPicture(Sample(240, 160));
    open(view);
    checkAndSavePicture(form.get(), QStringLiteral("PictureEditor"));
}

} // namespace
