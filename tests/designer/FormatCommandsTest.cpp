// The Text and Frame toolbars by tag, the frame, font and fill dialogs' results, Fit to Grid, the
// sample format new text objects receive, and the state the toolbars show.

#include "DesignedPage.h"
#include "TfrxBands.h"
#include "TfrxBrushFill.h"
#include "TfrxDataBand.h"
#include "TfrxFont.h"
#include "TfrxFormatCommands.h"
#include "TfrxFrame.h"
#include "TfrxGradientFill.h"
#include "TfrxLineView.h"
#include "TfrxStyleItem.h"
#include "TfrxStyles.h"

#include <QMetaEnum>

#include <gtest/gtest.h>

#include <functional>

using namespace zor;

namespace {

template <typename Enum> QString Key(Enum value)
{
    return QString::fromLatin1(QMetaEnum::fromType<Enum>().valueToKey(value));
}

template <typename Flags> QString Keys(Flags flags)
{
    return QString::fromLatin1(QMetaEnum::fromType<Flags>().valueToKeys(flags.toInt()));
}

// What the tags change, as texts.
QString FontName(const TfrxCustomMemoView &memo)
{
    return memo.Font()->Name();
}
QString FontSize(const TfrxCustomMemoView &memo)
{
    return QString::number(memo.Font()->Size());
}
QString FontStyle(const TfrxCustomMemoView &memo)
{
    return Keys(memo.Font()->Style());
}
QString FontColor(const TfrxCustomMemoView &memo)
{
    return QString::number(memo.Font()->Color());
}
QString HAlign(const TfrxCustomMemoView &memo)
{
    return Key(memo.HAlign());
}
QString VAlign(const TfrxCustomMemoView &memo)
{
    return Key(memo.VAlign());
}
QString FrameSides(const TfrxCustomMemoView &memo)
{
    return Keys(memo.Frame()->Typ());
}
QString FrameColor(const TfrxCustomMemoView &memo)
{
    return QString::number(memo.Frame()->Color());
}
QString FrameStyle(const TfrxCustomMemoView &memo)
{
    return Key(memo.Frame()->Style());
}
QString FrameWidth(const TfrxCustomMemoView &memo)
{
    return QString::number(memo.Frame()->Width());
}
// Type, style and colour of the fill.
QString Fill(const TfrxCustomMemoView &memo)
{
    return QStringLiteral("%1 %2 %3").arg(Key(memo.FillType()), Key(memo.BrushStyle())).arg(memo.Color());
}
QString Rotation(const TfrxCustomMemoView &memo)
{
    return QString::number(memo.Rotation());
}
QString StyleName(const TfrxCustomMemoView &memo)
{
    return memo.Style();
}

TfrxFormatValue Text(const char *text)
{
    return {QString::fromUtf8(text), 0, false};
}
TfrxFormatValue Number(int number)
{
    return {QString(), number, false};
}
TfrxFormatValue Down(bool down = true)
{
    return {QString(), 0, down};
}

// Starting points other than the defaults, for the tags that switch something off.
void MakeBoldItalic(TfrxMemoView &memo)
{
    memo.Font()->SetStyle(fsBold | fsItalic);
}
void MakeCentred(TfrxMemoView &memo)
{
    memo.SetHAlign(haCenter);
    memo.SetVAlign(vaBottom);
}
void FrameAllSides(TfrxMemoView &memo)
{
    memo.Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
}
void HatchFill(TfrxMemoView &memo)
{
    memo.SetBrushStyle(bsCross);
}
void GradientFill(TfrxMemoView &memo)
{
    memo.SetFillType(ftGradient);
}

struct TagCase
{
    const char *Name;
    TfrxFormatTag Tag;
    TfrxFormatValue Value;
    QString (*Read)(const TfrxCustomMemoView &memo);
    const char *Expected;
    const char *StyleAfter; // "Accent" where the tag leaves the style the object had
    bool InSample;          // part of the sample format new text objects receive
    void (*Prepare)(TfrxMemoView &memo) = nullptr;
};

const TagCase TagCases[] = {
    {"FontName", ftgFontName, Text("Times New Roman"), FontName, "Times New Roman", "", true},
    {"FontSizeCommaRoundedToWholePoints", ftgFontSize, Text("12,6"), FontSize, "13", "", true},
    {"FontSizeDot", ftgFontSize, Text("14.2"), FontSize, "14", "", true},
    {"BoldDown", ftgBold, Down(), FontStyle, "fsBold", "", true},
    {"ItalicDown", ftgItalic, Down(), FontStyle, "fsItalic", "", true},
    {"UnderlineDown", ftgUnderline, Down(), FontStyle, "fsUnderline", "", true},
    {"BoldUpKeepsItalic", ftgBold, Down(false), FontStyle, "fsItalic", "", true, MakeBoldItalic},
    {"FontColor", ftgFontColor, Number(clRed), FontColor, "255", "", true},
    {"HAlignLeft", ftgHAlignLeft, Down(), HAlign, "haLeft", "Accent", true, MakeCentred},
    {"HAlignCenter", ftgHAlignCenter, Down(), HAlign, "haCenter", "Accent", true},
    {"HAlignRight", ftgHAlignRight, Down(), HAlign, "haRight", "Accent", true},
    {"HAlignBlock", ftgHAlignBlock, Down(), HAlign, "haBlock", "Accent", true},
    {"VAlignTop", ftgVAlignTop, Down(), VAlign, "vaTop", "Accent", true, MakeCentred},
    {"VAlignCenter", ftgVAlignCenter, Down(), VAlign, "vaCenter", "Accent", true},
    {"VAlignBottom", ftgVAlignBottom, Down(), VAlign, "vaBottom", "Accent", true},
    {"FrameTopDown", ftgFrameTop, Down(), FrameSides, "ftTop", "", true},
    {"FrameBottomDown", ftgFrameBottom, Down(), FrameSides, "ftBottom", "", true},
    {"FrameLeftDown", ftgFrameLeft, Down(), FrameSides, "ftLeft", "", true},
    {"FrameRightDown", ftgFrameRight, Down(), FrameSides, "ftRight", "", true},
    {"FrameTopUp", ftgFrameTop, Down(false), FrameSides, "ftLeft|ftRight|ftBottom", "", true, FrameAllSides},
    {"FrameAll", ftgFrameAll, Down(), FrameSides, "ftLeft|ftRight|ftTop|ftBottom", "", true},
    {"FrameNone", ftgFrameNone, Down(), FrameSides, "", "", true, FrameAllSides},
    {"FillColorOverHatch", ftgFillColor, Number(clRed), Fill, "ftBrush bsSolid 255", "", true, HatchFill},
    {"FillColorOverGradient", ftgFillColor, Number(clRed), Fill, "ftBrush bsSolid 255", "", true,
     GradientFill},
    {"FrameColor", ftgFrameColor, Number(clRed), FrameColor, "255", "", true},
    {"FrameStyle", ftgFrameStyle, Number(fsDash), FrameStyle, "fsDash", "", true},
    {"FrameWidthComma", ftgFrameWidth, Text("0,5"), FrameWidth, "0.5", "", true},
    {"FrameWidthDot", ftgFrameWidth, Text("2.5"), FrameWidth, "2.5", "", true},
    {"Rotation90", ftgRotation, Number(90), Rotation, "90", "Accent", true},
    {"Rotation270", ftgRotation, Number(270), Rotation, "270", "Accent", true},
    {"Style", ftgStyle, Text("Plain"), StyleName, "Plain", "Plain", false},
    {"StyleBoxFirstEntryClears", ftgStyle, Text(""), StyleName, "", "", false},
};

// Three text objects in the style "Accent", the second restricted from modification.
class ToolbarTag : public ::testing::TestWithParam<TagCase>
{
protected:
    void SetUp() override
    {
        Design.Report.Styles()->Add()->SetName(QStringLiteral("Accent"));
        Design.Report.Styles()->Add()->SetName(QStringLiteral("Plain"));
        First = Design.Add(Design.Page, "Memo1", 10, 10, 100, 20);
        Locked = Design.Add(Design.Page, "Memo2", 10, 40, 100, 20, rfDontModify);
        Third = Design.Add(Design.Page, "Memo3", 10, 70, 100, 20);
        for (TfrxMemoView *memo : {First, Locked, Third}) {
            memo->SetStyle(QStringLiteral("Accent"));
            if (GetParam().Prepare != nullptr)
                GetParam().Prepare(*memo);
        }
    }

    DesignedPage Design;
    TfrxFormatCommands Commands;
    TfrxMemoView *First = nullptr;
    TfrxMemoView *Locked = nullptr;
    TfrxMemoView *Third = nullptr;
};

TEST_P(ToolbarTag, ChangesOneObjectAndMakesItTheSample)
{
    const TagCase &c = GetParam();
    ASSERT_NE(c.Read(*First), QString::fromUtf8(c.Expected)) << "the case must change something";

    EXPECT_TRUE(Commands.Apply(c.Tag, c.Value, {First}));
    EXPECT_EQ(c.Read(*First), QString::fromUtf8(c.Expected));
    EXPECT_EQ(First->Style(), QString::fromUtf8(c.StyleAfter));

    if (c.InSample) {
        auto *inserted = Design.Add(Design.Page, "Memo4", 10, 100, 100, 20);
        if (c.Prepare != nullptr)
            c.Prepare(*inserted);
        Commands.ApplySample(inserted);
        EXPECT_EQ(c.Read(*inserted), QString::fromUtf8(c.Expected));
    }
}

TEST_P(ToolbarTag, SkipsTheObjectRestrictedFromModification)
{
    const TagCase &c = GetParam();
    const QString before = c.Read(*Locked);

    EXPECT_TRUE(Commands.Apply(c.Tag, c.Value, {First, Locked, Third}));
    EXPECT_EQ(c.Read(*First), QString::fromUtf8(c.Expected));
    EXPECT_EQ(c.Read(*Third), QString::fromUtf8(c.Expected));
    EXPECT_EQ(Third->Style(), QString::fromUtf8(c.StyleAfter));
    EXPECT_EQ(c.Read(*Locked), before);
    EXPECT_EQ(Locked->Style(), QStringLiteral("Accent"));
}

INSTANTIATE_TEST_SUITE_P(FormatCommands, ToolbarTag, ::testing::ValuesIn(TagCases),
                         [](const auto &row) { return std::string(row.param.Name); });

struct BadValue
{
    const char *Name;
    TfrxFormatTag Tag;
    TfrxFormatValue Value;
};

const BadValue BadValues[] = {
    {"FrameWidthNotANumber", ftgFrameWidth, Text("abc")},
    {"FrameWidthNan", ftgFrameWidth, Text("nan")},
    {"FrameWidthInfinite", ftgFrameWidth, Text("inf")},
    {"FrameWidthNegative", ftgFrameWidth, Text("-1")},
    {"FrameWidthZero", ftgFrameWidth, Text("0")},
    {"FrameWidthEmpty", ftgFrameWidth, Text("")},
    {"FontSizeZero", ftgFontSize, Text("0")},
    {"FontSizeBelowHalfAPoint", ftgFontSize, Text("0,4")},
    {"FontSizeNegative", ftgFontSize, Text("-12")},
    {"FontSizeNotANumber", ftgFontSize, Text("abc")},
    {"FontSizeHuge", ftgFontSize, Text("1e300")},
    {"FontNameEmpty", ftgFontName, Text("  ")},
    {"FrameStyleBeyondTheList", ftgFrameStyle, Number(fsSquare + 1)},
    {"FrameStyleNegative", ftgFrameStyle, Number(-1)},
};

class ToolbarBadValue : public ::testing::TestWithParam<BadValue>
{
};

TEST_P(ToolbarBadValue, ChangesNothing)
{
    DesignedPage design;
    design.Report.Styles()->Add()->SetName(QStringLiteral("Accent"));
    auto *memo = design.Add(design.Page, "Memo1", 10, 10, 100, 20);
    memo->SetStyle(QStringLiteral("Accent"));
    TfrxFormatCommands commands;

    EXPECT_FALSE(commands.Apply(GetParam().Tag, GetParam().Value, {memo, design.Page}));
    EXPECT_EQ(memo->Font()->Size(), 10);
    EXPECT_EQ(memo->Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(memo->Frame()->Width(), 1);
    EXPECT_EQ(memo->Frame()->Style(), fsSolid);
    EXPECT_EQ(design.Page->Frame()->Width(), 1);
    EXPECT_EQ(memo->Style(), QStringLiteral("Accent")) << "a refused value leaves the style";
}

INSTANTIATE_TEST_SUITE_P(FormatCommands, ToolbarBadValue, ::testing::ValuesIn(BadValues),
                         [](const auto &row) { return std::string(row.param.Name); });

struct FormatCommands : ::testing::Test
{
    DesignedPage Design;
    TfrxFormatCommands Commands;
};

// With nothing else selected the selection holds the page: the Frame toolbar then works on the
// frame around its printable area and the fill colour on its colour.
TEST_F(FormatCommands, FrameToolbarOnThePage)
{
    EXPECT_TRUE(Commands.Apply(ftgFrameTop, Down(), {Design.Page}));
    EXPECT_TRUE(Commands.Apply(ftgFrameWidth, Text("3"), {Design.Page}));
    EXPECT_TRUE(Commands.Apply(ftgFillColor, Number(clRed), {Design.Page}));
    EXPECT_EQ(Design.Page->Frame()->Typ(), TfrxFrameTypes(ftTop));
    EXPECT_EQ(Design.Page->Frame()->Width(), 3);
    EXPECT_EQ(Design.Page->Color(), clRed);
    EXPECT_FALSE(Commands.Apply(ftgHAlignCenter, Down(), {Design.Page})) << "a page has no text alignment";
}

TEST_F(FormatCommands, ObjectsWithoutThePartTheControlChanges)
{
    auto *band = Design.Add<TfrxMasterData>(Design.Page, "MasterData1", 0, 100, 700, 40);
    auto *line = Design.Add<TfrxLineView>(Design.Page, "Line1", 10, 10, 100, 0);
    const struct
    {
        const char *Name;
        TfrxComponent *Object;
        TfrxFormatTag Tag;
        TfrxFormatValue Value;
        bool Changes;
    } cases[] = {
        {"band frame", band, ftgFrameTop, Down(), false},
        {"band fill colour", band, ftgFillColor, Number(clRed), false},
        {"band alignment", band, ftgHAlignCenter, Down(), false},
        {"band font", band, ftgBold, Down(), true},
        {"line frame", line, ftgFrameWidth, Text("2"), true},
        {"line alignment", line, ftgVAlignBottom, Down(), false},
        {"line rotation", line, ftgRotation, Number(90), false},
        {"line style", line, ftgStyle, Text("Accent"), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Commands.Apply(c.Tag, c.Value, {c.Object}), c.Changes);
    }
    EXPECT_TRUE(band->Font()->Style().testFlag(fsBold));
    EXPECT_EQ(line->Frame()->Width(), 2);
}

// A text object whose font follows its page hands on the following, not the page's font: a new
// object on another page or band takes the font of its own parent.
TEST_F(FormatCommands, SampleFromAnObjectThatFollowsItsParentsFont)
{
    Design.Page->Font()->SetName(QStringLiteral("Times New Roman"));
    auto *memo = Design.Add(Design.Page, "Memo1", 10, 10, 100, 20);
    auto *band = Design.Add<TfrxMasterData>(Design.Page, "MasterData1", 0, 100, 700, 40);
    band->Font()->SetName(QStringLiteral("Courier New"));
    ASSERT_TRUE(memo->ParentFont());

    EXPECT_TRUE(Commands.Apply(ftgHAlignRight, Down(), {memo}));
    auto *inserted = Design.Add(band, "Memo2", 0, 0, 100, 20);
    Commands.ApplySample(inserted);

    EXPECT_EQ(inserted->HAlign(), haRight);
    EXPECT_TRUE(inserted->ParentFont());
    EXPECT_EQ(inserted->Font()->Name(), QStringLiteral("Courier New"));
}

// The last text object changed is the sample.
TEST_F(FormatCommands, SampleIsTheLastTextObjectChanged)
{
    auto *first = Design.Add(Design.Page, "Memo1", 10, 10, 100, 20);
    auto *second = Design.Add(Design.Page, "Memo2", 10, 40, 100, 20);
    first->SetHAlign(haCenter);
    second->SetHAlign(haRight);

    EXPECT_TRUE(Commands.Apply(ftgFrameColor, Number(clRed), {first, second}));
    auto *inserted = Design.Add(Design.Page, "Memo3", 10, 70, 100, 20);
    Commands.ApplySample(inserted);

    EXPECT_EQ(inserted->HAlign(), haRight);
    EXPECT_EQ(inserted->Frame()->Color(), clRed);
}

// The dialogs open for the first selected object and their result goes to all; the frame and
// fill editors clear the style, the font dialog does not.
TEST_F(FormatCommands, DialogResultsGoToEverySelectedObject)
{
    Design.Report.Styles()->Add()->SetName(QStringLiteral("Accent"));
    TfrxFrame frame;
    frame.SetTyp(ftLeft | ftBottom);
    frame.SetStyle(fsDouble);
    frame.SetWidth(2);
    TfrxFont font;
    font.SetName(QStringLiteral("Courier New"));
    font.SetSize(14);
    TfrxGradientFill fill;
    fill.SetStartColor(clRed);
    const struct
    {
        const char *Name;
        std::function<bool(TfrxFormatCommands &, const QList<TfrxComponent *> &)> Apply;
        std::function<bool(const TfrxMemoView &)> Took;
        const char *StyleAfter;
    } cases[] = {
        {"frame editor",
         [&](TfrxFormatCommands &c, const QList<TfrxComponent *> &s) { return c.ApplyFrame(frame, s); },
         [&](const TfrxMemoView &m) { return m.Frame()->Equals(frame); }, ""},
        {"font dialog",
         [&](TfrxFormatCommands &c, const QList<TfrxComponent *> &s) { return c.ApplyFont(font, s); },
         [&](const TfrxMemoView &m) { return m.Font()->Equals(font) && !m.ParentFont(); }, "Accent"},
        {"fill editor",
         [&](TfrxFormatCommands &c, const QList<TfrxComponent *> &s) { return c.ApplyFill(fill, s); },
         [&](const TfrxMemoView &m) {
             return m.FillType() == ftGradient &&
                    static_cast<TfrxGradientFill *>(m.Fill())->StartColor() == clRed;
         },
         ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        DesignedPage design;
        design.Report.Styles()->Add()->SetName(QStringLiteral("Accent"));
        auto *first = design.Add(design.Page, "Memo1", 10, 10, 100, 20);
        auto *locked = design.Add(design.Page, "Memo2", 10, 40, 100, 20, rfDontModify);
        auto *third = design.Add(design.Page, "Memo3", 10, 70, 100, 20);
        for (TfrxMemoView *memo : {first, locked, third})
            memo->SetStyle(QStringLiteral("Accent"));
        TfrxFormatCommands commands;

        EXPECT_TRUE(c.Apply(commands, {first, locked, third}));
        EXPECT_TRUE(c.Took(*first));
        EXPECT_TRUE(c.Took(*third));
        EXPECT_FALSE(c.Took(*locked));
        EXPECT_EQ(first->Style(), QString::fromLatin1(c.StyleAfter));
        EXPECT_EQ(locked->Style(), QStringLiteral("Accent"));
        auto *inserted = design.Add(design.Page, "Memo4", 10, 100, 100, 20);
        commands.ApplySample(inserted);
        EXPECT_TRUE(c.Took(*inserted)) << "the dialog's result is part of the sample format";
    }
}

struct Bounds
{
    double Left, Top, Width, Height;
    friend bool operator==(const Bounds &, const Bounds &) = default;
    friend std::ostream &operator<<(std::ostream &out, const Bounds &b)
    {
        return out << b.Left << ", " << b.Top << ", " << b.Width << ", " << b.Height;
    }
};

Bounds BoundsOf(const TfrxComponent *object)
{
    return {object->Left(), object->Top(), object->Width(), object->Height()};
}

TEST_F(FormatCommands, FitToGrid)
{
    constexpr double mm = fr01cm;
    const struct
    {
        const char *Name;
        Bounds Before;
        TfrxRestrictions Restrictions;
        double GridX, GridY;
        Bounds After;
    } cases[] = {
        {"pixels", {10.1, 5.9, 30, 17}, {}, 4, 4, {12, 4, 32, 16}}, // 30 / 4 = 7.5: halves go to the even 8
        {"zero size becomes one step", {0, 0, 0, 1}, {}, 4, 8, {0, 0, 4, 8}},
        {"millimetres",
         {10, 20, 50, 15},
         {},
         mm,
         mm,
         {Round8(3 * mm), Round8(5 * mm), Round8(13 * mm), Round8(4 * mm)}},
        {"different steps across and down", {7, 7, 7, 7}, {}, 4, 6, {8, 6, 8, 6}},
        {"restricted from moving", {10.1, 5.9, 30, 17}, rfDontMove, 4, 4, {10.1, 5.9, 32, 16}},
        {"restricted from sizing", {10.1, 5.9, 30, 17}, rfDontSize, 4, 4, {12, 4, 30, 17}},
        {"restricted from modification", {10.1, 5.9, 30, 17}, rfDontModify, 4, 4, {10.1, 5.9, 30, 17}},
        {"zero grid step", {10.1, 5.9, 30, 17}, {}, 0, 4, {10.1, 5.9, 30, 17}},
        {"negative grid step", {10.1, 5.9, 30, 17}, {}, 4, -4, {10.1, 5.9, 30, 17}},
        {"grid step not a number", {10.1, 5.9, 30, 17}, {}, std::nan(""), 4, {10.1, 5.9, 30, 17}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        DesignedPage design;
        const Bounds &b = c.Before;
        auto *memo = design.Add(design.Page, "Memo1", b.Left, b.Top, b.Width, b.Height, c.Restrictions);
        const double pageWidth = design.Page->Width();

        EXPECT_EQ(Commands.FitToGrid({design.Page, memo}, c.GridX, c.GridY), !(c.After == c.Before));
        EXPECT_EQ(BoundsOf(memo), c.After);
        EXPECT_EQ(design.Page->Width(), pageWidth) << "the page is not an object on the grid";
    }
}

TEST_F(FormatCommands, FitToGridSnapsBandsAndObjectsInsideThem)
{
    auto *band = Design.Add<TfrxMasterData>(Design.Page, "MasterData1", 0, 30, 700, 41);
    auto *memo = Design.Add(band, "Memo1", 5, 3, 30, 11);

    EXPECT_TRUE(Commands.FitToGrid({band, memo}, 4, 4));
    EXPECT_EQ(BoundsOf(band), (Bounds{0, 32, 700, 40}));
    EXPECT_EQ(BoundsOf(memo), (Bounds{4, 4, 32, 12})) << "relative to the band";
}

TEST_F(FormatCommands, StateOfTheFirstObject)
{
    Design.Report.Styles()->Add()->SetName(QStringLiteral("Accent"));
    auto *memo = Design.Add(Design.Page, "Memo1", 10, 10, 100, 20);
    memo->SetStyle(QStringLiteral("Accent"));
    memo->Font()->SetName(QStringLiteral("Courier New"));
    memo->Font()->SetSize(12);
    memo->Font()->SetStyle(fsBold | fsUnderline);
    memo->SetHAlign(haRight);
    memo->SetVAlign(vaCenter);
    memo->Frame()->SetTyp(ftTop | ftLeft);

    const TfrxFormatState state = TfrxFormatCommands::StateOf(memo);
    EXPECT_EQ(state.FontName, QStringLiteral("Courier New"));
    EXPECT_EQ(state.FontSize, 12);
    EXPECT_EQ(QList<bool>({state.Bold, state.Italic, state.Underline}), QList<bool>({true, false, true}));
    EXPECT_EQ(state.HAlign, haRight);
    EXPECT_EQ(state.VAlign, vaCenter);
    EXPECT_EQ(QList<bool>({state.FrameTop, state.FrameBottom, state.FrameLeft, state.FrameRight}),
              QList<bool>({true, false, true, false}));
    EXPECT_EQ(state.Style, QStringLiteral("Accent"));

    Design.Page->Frame()->SetTyp(ftBottom);
    const TfrxFormatState page = TfrxFormatCommands::StateOf(Design.Page);
    EXPECT_EQ(page.HAlign, -1) << "not a text object";
    EXPECT_EQ(page.VAlign, -1);
    EXPECT_TRUE(page.FrameBottom);
    EXPECT_EQ(page.FontName, QStringLiteral("Arial"));
}

} // namespace
