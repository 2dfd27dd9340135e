#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace {

class TfrxDrawTextMeasure : public testing::Test
{
protected:
    TfrxDrawText FEngine;
    TfrxDrawText::Locker FLock;
    TextSetup FSetup;

    void layout(const QString &text)
    {
        FSetup.Text = text;
        prepare(FEngine, FSetup);
    }
};

TEST_F(TfrxDrawTextMeasure, HeightsFollowTheEmHeightAtLayoutResolution)
{
    FSetup.Font.Size = 10;
    FSetup.LineSpacing = 2;
    layout(QStringLiteral("a\r\nb\r\nc"));
    EXPECT_DOUBLE_EQ(FEngine.TextHeight(), 83 / 6.25); // nearest(83.33) layout units
    EXPECT_DOUBLE_EQ(FEngine.LineHeight(), 83 / 6.25 + 2);
    EXPECT_DOUBLE_EQ(FEngine.CalcHeight(), (83 / 6.25 + 2) * 3);

    // a negative spacing shortens every line and is given back once
    FSetup.LineSpacing = -3;
    layout(QStringLiteral("a\r\nb\r\nc"));
    EXPECT_DOUBLE_EQ(FEngine.CalcHeight(), (83 / 6.25 - 3) * 3 + 3);

    layout(QString());
    EXPECT_EQ(FEngine.CalcHeight(), 0);
    EXPECT_EQ(FEngine.CalcWidth(), 0);
    EXPECT_EQ(FEngine.Lines().count(), 0);
}

TEST_F(TfrxDrawTextMeasure, WidthAddsSpacingAndIndentRoundedToEven)
{
    layout(QStringLiteral("aa"));
    EXPECT_DOUBLE_EQ(FEngine.CalcWidth(), 82 / 6.25); // "a" is 41 units of Times New Roman 11 pt
    FSetup.CharSpacing = 1;
    FSetup.ParagraphGap = 2; // 12.5 units round to 12
    layout(QStringLiteral("aa\r\naaa"));
    EXPECT_DOUBLE_EQ(FEngine.CalcWidth(), (123 + 19 + 12) / 6.25); // the widest: 3 × 41 + nearest(18.75)
}

TEST_F(TfrxDrawTextMeasure, HugeNegativeLineSpacingGivesNoNegativeHeightNorEndlessLines)
{
    FSetup.LineSpacing = -100;
    layout(QStringLiteral("a\r\nb"));
    EXPECT_GE(FEngine.CalcHeight(), 0);
    EXPECT_GE(FEngine.UnusedSpace(), 0);
    bool paraBreak = true;
    EXPECT_EQ(FEngine.GetOutBoundsText(paraBreak), QString());
    EXPECT_FALSE(paraBreak);
    EXPECT_EQ(FEngine.Lines().count(), 2);
}

struct SplitCase
{
    const char *Name;
    const char16_t *Text;
    int Height; // of the text rectangle
    const char16_t *In;
    const char16_t *Out;
    bool ParaBreak;
    bool Tags = false;
    bool WordBreak = false;
    int Width = 34; // "aa bb" fits on a line, "aa bb cc" does not
};

class TfrxDrawTextSplit : public testing::TestWithParam<SplitCase>
{
};

// Times New Roman 11 pt with 2 pixels of line spacing: 16.72 pixels a line, so a rectangle
// 40 pixels high (41 with its last row) holds two lines.
TEST_P(TfrxDrawTextSplit, CutsAfterTheLinesThatFit)
{
    const SplitCase &c = GetParam();
    TfrxDrawText engine;
    TfrxDrawText::Locker lock;
    TextSetup setup;
    setup.Text = QString::fromUtf16(c.Text);
    setup.LineSpacing = 2;
    setup.Tags = c.Tags;
    setup.WordBreak = c.WordBreak;
    setup.Rect = QRect(0, 0, c.Width, c.Height);
    prepare(engine, setup);
    bool paraBreak = !c.ParaBreak;
    EXPECT_EQ(engine.GetOutBoundsText(paraBreak), QString::fromUtf16(c.Out));
    EXPECT_EQ(paraBreak, c.ParaBreak);
    EXPECT_EQ(engine.GetInBoundsText(), QString::fromUtf16(c.In));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TfrxDrawTextSplit,
    testing::Values(
        SplitCase{"AllFit", u"aa bb", 40, u"aa bb\r\n", u"", false},
        SplitCase{"InsideParagraph", u"aa bb cc dd ee", 40, u"aa bb cc dd ", u"ee\r\n", true},
        SplitCase{"BetweenParagraphs", u"aa\r\nbb\r\ncc", 40, u"aa\r\nbb\r\n", u"cc\r\n", false},
        SplitCase{"NothingFits", u"aa\r\nbb", 10, u"", u"aa\r\nbb\r\n", false},
        // the in-bounds part keeps the layout's hyphen
        SplitCase{"Hyphenated", u"Свидетельство о", 20, u"Свидете-", u"льство о\r\n", true, false, true, 66},
        // a hyphen of the text itself is not doubled (the kept part ends in it without a break)
        SplitCase{"HyphenOfTheText", u"aa- bb", 20, u"aa- ", u"bb\r\n", true, false, true, 25},
        // the rest starts in the formatting of its first character
        SplitCase{"Formatted", u"aa\r\n<font color=\"#FF0000\"><b><u>bb</u></b></font>", 20,
                  u"aa\r\n<font color=\"#FF0000\"><b><u>",
                  u"<font color=\"#FF0000\"><u><b>bb</u></b></font>\r\n", false, true},
        SplitCase{"Plain", u"aa\r\nbb", 20, u"aa\r\n", u"<font color=\"#000000\">bb\r\n", false, true}),
    [](const testing::TestParamInfo<SplitCase> &row) { return std::string(row.param.Name); });

TEST_F(TfrxDrawTextMeasure, SplittingDropsTheLinesThatDoNotFit)
{
    FSetup.LineSpacing = 2;
    FSetup.Rect = QRect(0, 0, 200, 40);
    layout(QStringLiteral("a\r\nb\r\nc\r\nd"));
    EXPECT_DOUBLE_EQ(FEngine.UnusedSpace(), 41 - 2 * (92 / 6.25 + 2));
    bool paraBreak = false;
    FEngine.GetOutBoundsText(paraBreak);
    EXPECT_EQ(FEngine.Lines().lines(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST_F(TfrxDrawTextMeasure, UnusedSpaceIsNeverExactlyZeroWhenLinesFit)
{
    FSetup.Font.Size = 12; // 100 layout units, 16 pixels a line
    FSetup.Rect = QRect(0, 0, 200, 31);
    layout(QStringLiteral("a"));
    EXPECT_DOUBLE_EQ(FEngine.UnusedSpace(), 0.0001);
    FSetup.Rect = QRect(0, 0, 200, 10);
    layout(QStringLiteral("a"));
    EXPECT_EQ(FEngine.UnusedSpace(), 0);
}

TEST(TfrxDrawTextLock, IsRecursiveAndReleasedWhenLeftByAnException)
{
    {
        TfrxDrawText::Locker outer;
        TfrxDrawText::Locker inner; // drawing measures while it holds the lock
    }
    try {
        TfrxDrawText::Locker guard;
        throw std::runtime_error("failure while laying out");
    } catch (const std::runtime_error &) {
    }
    bool acquired = false;
    std::thread other([&] {
        TfrxDrawText::Locker guard;
        acquired = true;
    });
    other.join();
    EXPECT_TRUE(acquired);
}

} // namespace
