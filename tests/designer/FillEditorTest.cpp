// The fill editor driven through its pages: the page of the fill it opens on, the values each
// page sets, the page that decides the kind of fill, OK and Cancel, and pictures of it.
#include "LookDialogsTestSupport.h"
#include "TfrxBrushFill.h"
#include "TfrxFillEditorForm.h"
#include "TfrxGlassFill.h"
#include "TfrxGradientFill.h"
#include "zorEditorDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace lookdialogs;
using namespace zor;

namespace {

class FillEditorTest : public LookDialogTest<TfrxFillEditorForm>
{
protected:
    void showPage(TfrxFillType type) const { child<QTabWidget>("Pages")->setCurrentIndex(type); }

    template <class Fill> std::unique_ptr<Fill> result() const
    {
        std::unique_ptr<TfrxCustomFill> fill = form->Fill();
        EXPECT_NE(qobject_cast<Fill *>(fill.get()), nullptr);
        return std::unique_ptr<Fill>(qobject_cast<Fill *>(fill.release()));
    }
};

TEST_F(FillEditorTest, OpensOnThePageOfTheFillWithItsValues)
{
    TfrxGlassFill glass;
    glass.SetColor(0x00FF00);
    glass.SetBlend(0.25);
    glass.SetHatch(true);
    glass.SetOrientation(foVerticalMirror);
    open(&glass);
    EXPECT_EQ(child<QTabWidget>("Pages")->currentIndex(), ftGlass);
    EXPECT_EQ(child<QTabWidget>("Pages")->tabText(0), QStringLiteral("Brush"));
    EXPECT_EQ(child<TfrxColorPicker>("GlassColor")->Color(), 0x00FF00);
    EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("Blend")->value(), 0.25);
    EXPECT_TRUE(child<QCheckBox>("Hatch")->isChecked());
    EXPECT_EQ(child<QComboBox>("Orientation")->currentText(), QStringLiteral("Vertical mirror"));
    const auto unchanged = result<TfrxGlassFill>();
    EXPECT_EQ(unchanged->Color(), 0x00FF00);
    EXPECT_EQ(unchanged->Orientation(), foVerticalMirror);

    // The other pages start from their defaults.
    EXPECT_EQ(child<TfrxColorPicker>("BackColor")->Color(), clTransparent);
    EXPECT_EQ(child<TfrxColorPicker>("StartColor")->Color(), clWhite);
}

TEST_F(FillEditorTest, BrushPageSetsColoursAndStyle)
{
    open(nullptr);
    EXPECT_EQ(child<QTabWidget>("Pages")->currentIndex(), ftBrush);
    chooseBasicColor(child<TfrxColorPicker>("BackColor"), 7);
    chooseBasicColor(child<TfrxColorPicker>("ForeColor"), 5);
    pick("BrushStyle", bsDiagCross);
    EXPECT_EQ(child<QComboBox>("BrushStyle")->currentText(), QStringLiteral("Diagonal cross"));
    auto brush = result<TfrxBrushFill>();
    EXPECT_EQ(brush->BackColor(), 0x00FFFF);
    EXPECT_EQ(brush->ForeColor(), 0x0000FF);
    EXPECT_EQ(brush->Style(), bsDiagCross);

    chooseNoColor(child<TfrxColorPicker>("BackColor"));
    EXPECT_EQ(result<TfrxBrushFill>()->BackColor(), clTransparent);
}

TEST_F(FillEditorTest, ThePageShownDecidesTheKindOfFill)
{
    TfrxBrushFill brush;
    brush.SetBackColor(0x0000FF);
    open(&brush);
    showPage(ftGradient);
    chooseBasicColor(child<TfrxColorPicker>("StartColor"), 13);
    chooseBasicColor(child<TfrxColorPicker>("EndColor"), 3);
    pick("GradientStyle", gsElliptic);
    auto gradient = result<TfrxGradientFill>();
    EXPECT_EQ(gradient->StartColor(), 0xFF0000);
    EXPECT_EQ(gradient->EndColor(), 0xFFFFFF);
    EXPECT_EQ(gradient->GradientStyle(), gsElliptic);

    showPage(ftGlass);
    child<QDoubleSpinBox>("Blend")->setValue(0.8);
    QTest::mouseClick(child<QCheckBox>("Hatch"), Qt::LeftButton);
    pick("Orientation", foHorizontalMirror);
    auto glass = result<TfrxGlassFill>();
    EXPECT_EQ(glass->Color(), clGray) << "a new glass fill is grey";
    EXPECT_DOUBLE_EQ(glass->Blend(), 0.8);
    EXPECT_TRUE(glass->Hatch());
    EXPECT_EQ(glass->Orientation(), foHorizontalMirror);

    showPage(ftBrush);
    EXPECT_EQ(result<TfrxBrushFill>()->BackColor(), 0x0000FF) << "the brush page kept its values";
}

TEST(FillEditorDialog, OkGivesANewFillAndCancelNone)
{
    TfrxBrushFill brush;
    const auto edit = [&brush](const char *button) {
        std::unique_ptr<TfrxCustomFill> fill;
        EXPECT_TRUE(AnswerModal<TfrxFillEditorForm>(
            [&] { fill = zorEditFill(nullptr, &brush); },
            [button](TfrxFillEditorForm *form) {
                form->findChild<QTabWidget *>(QStringLiteral("Pages"))->setCurrentIndex(ftGradient);
                form->findChild<QPushButton *>(QLatin1String(button))->click();
            }));
        return fill;
    };
    EXPECT_EQ(edit("CancelB"), nullptr);
    std::unique_ptr<TfrxCustomFill> fill = edit("OkB");
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->FillType(), ftGradient);
    EXPECT_EQ(brush.FillType(), ftBrush);
}

TEST_F(FillEditorTest, Picture)
{
    TfrxGradientFill gradient;
    gradient.SetStartColor(0xF0E0C0);
    gradient.SetEndColor(0x804020);
    open(&gradient);
    checkAndSavePicture(form.get(), QStringLiteral("FillEditor-Gradient"));
    showPage(ftGlass);
    checkAndSavePicture(form.get(), QStringLiteral("FillEditor-Glass"));
}

} // namespace
