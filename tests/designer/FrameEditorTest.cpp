// The frame editor driven through its controls: the lines switched on, the look of the chosen
// lines or of the whole frame, the shadow, OK and Cancel, and pictures of it.
#include "LookDialogsTestSupport.h"
#include "TfrxFrame.h"
#include "TfrxFrameEditorForm.h"
#include "TfrxFrameLine.h"
#include "zorEditorDialogs.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace lookdialogs;
using namespace zor;

namespace {

class FrameEditorTest : public LookDialogTest<TfrxFrameEditorForm>
{
protected:
    const TfrxFrame &result() const { return form->Frame(); }
};

TEST_F(FrameEditorTest, LineButtonsSwitchTheSides)
{
    open(TfrxFrame());
    click("TopLine");
    click("LeftLine");
    EXPECT_EQ(result().Typ(), ftTop | ftLeft);
    click("TopLine");
    EXPECT_EQ(result().Typ(), TfrxFrameTypes(ftLeft));
    click("AllLines");
    EXPECT_EQ(result().Typ(), ftLeft | ftRight | ftTop | ftBottom);
    EXPECT_TRUE(child<QAbstractButton>("BottomLine")->isChecked());
    click("NoLines");
    EXPECT_EQ(result().Typ(), TfrxFrameTypes());
    EXPECT_FALSE(child<QAbstractButton>("LeftLine")->isChecked());
}

// With all four lines on (or none), style, colour and width are the frame's own; with some on,
// they go to those lines only.
TEST_F(FrameEditorTest, StyleColourAndWidthGoToTheChosenLines)
{
    open(TfrxFrame());
    click("AllLines");
    pick("LineStyle", fsDash);
    chooseBasicColor(child<TfrxColorPicker>("LineColor"), 5);
    pick("LineWidth", 4); // 0,1 0,5 1 1,5 2
    EXPECT_EQ(result().Style(), fsDash);
    EXPECT_EQ(result().Color(), 0x0000FF);
    EXPECT_DOUBLE_EQ(result().Width(), 2);
    EXPECT_DOUBLE_EQ(result().RightLine()->Width(), 2);

    click("RightLine");
    click("BottomLine"); // left and top stay on
    pick("LineWidth", 7);
    pick("LineStyle", fsDouble);
    EXPECT_DOUBLE_EQ(result().LeftLine()->Width(), 5);
    EXPECT_DOUBLE_EQ(result().TopLine()->Width(), 5);
    EXPECT_EQ(result().TopLine()->Style(), fsDouble);
    EXPECT_DOUBLE_EQ(result().RightLine()->Width(), 2);
    EXPECT_DOUBLE_EQ(result().Width(), 2) << "the frame's own width stays";
    EXPECT_EQ(result().BottomLine()->Style(), fsDash);

    click("LeftLine"); // the top line alone: the boxes show it
    EXPECT_EQ(child<QComboBox>("LineStyle")->currentIndex(), fsDouble);
    EXPECT_EQ(child<QComboBox>("LineWidth")->currentData().toDouble(), 5);
    EXPECT_EQ(child<TfrxColorPicker>("LineColor")->Color(), 0x0000FF);
}

TEST_F(FrameEditorTest, ShowsAWidthTheListLacksWithoutChangingIt)
{
    TfrxFrame frame;
    frame.SetWidth(0.75);
    frame.SetColor(clTransparent);
    open(frame);
    EXPECT_EQ(child<QComboBox>("LineWidth")->currentData().toDouble(), 0.75);
    EXPECT_EQ(child<QComboBox>("LineWidth")->count(), 9);
    EXPECT_EQ(child<TfrxColorPicker>("LineColor")->Color(), clTransparent);
    EXPECT_TRUE(result().Equals(frame));
}

TEST_F(FrameEditorTest, ShadowWithSizeAndColour)
{
    open(TfrxFrame());
    auto *shadow = child<QGroupBox>("Shadow");
    EXPECT_FALSE(shadow->isChecked());
    shadow->setChecked(true);
    child<QDoubleSpinBox>("ShadowWidth")->setValue(6);
    chooseBasicColor(child<TfrxColorPicker>("ShadowColor"), 1);
    EXPECT_TRUE(result().DropShadow());
    EXPECT_DOUBLE_EQ(result().ShadowWidth(), 6);
    EXPECT_EQ(result().ShadowColor(), 0x808080);
}

TEST(FrameEditorDialog, OkAppliesAndCancelChangesNothing)
{
    TfrxFrame frame;
    frame.SetTyp(ftLeft);
    const auto edit = [&frame](bool ok) {
        bool changed = false;
        EXPECT_TRUE(AnswerModal<TfrxFrameEditorForm>(
            [&] { changed = zorEditFrame(nullptr, frame); },
            [ok](TfrxFrameEditorForm *form) {
                form->findChild<QAbstractButton *>(QStringLiteral("AllLines"))->click();
                form->findChild<QGroupBox *>(QStringLiteral("Shadow"))->setChecked(true);
                form->findChild<QPushButton *>(ok ? QStringLiteral("OkB") : QStringLiteral("CancelB"))
                    ->click();
            }));
        return changed;
    };
    EXPECT_FALSE(edit(false));
    EXPECT_EQ(frame.Typ(), TfrxFrameTypes(ftLeft));
    EXPECT_FALSE(frame.DropShadow());

    EXPECT_TRUE(edit(true));
    EXPECT_EQ(frame.Typ(), ftLeft | ftRight | ftTop | ftBottom);
    EXPECT_TRUE(frame.DropShadow());
}

TEST_F(FrameEditorTest, Picture)
{
    TfrxFrame frame;
    frame.SetTyp(ftLeft | ftTop | ftBottom);
    frame.SetWidth(2);
    frame.SetColor(0x800000);
    frame.SetDropShadow(true);
    open(frame);
    checkAndSavePicture(form.get(), QStringLiteral("FrameEditor"));
}

} // namespace
