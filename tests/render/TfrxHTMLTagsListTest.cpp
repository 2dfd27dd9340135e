#include "TfrxHTMLTagsList.h"
#include "TfrxDrawText.h"

#include <gtest/gtest.h>

namespace {

struct Expanded
{
    QString Text;
    TfrxHTMLTags Tags;
};

Expanded expand(const QString &line, bool allowTags = true)
{
    TfrxHTMLTagsList list;
    list.FAllowTags = allowTags;
    list.SetDefaults(0, 10, 0);
    list.NewLine();
    Expanded result;
    result.Text = list.ExpandHTMLTags(line);
    result.Tags = list.last();
    return result;
}

struct TagCase
{
    const char16_t *Line;
    const char16_t *Text;
};

class TagRemoval : public testing::TestWithParam<TagCase>
{
};

TEST_P(TagRemoval, KeepsOnlyTheText)
{
    const Expanded e = expand(QString::fromUtf16(GetParam().Line));
    EXPECT_EQ(e.Text, QString::fromUtf16(GetParam().Text));
    EXPECT_EQ(e.Tags.size(), e.Text.size());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TagRemoval,
    testing::Values(TagCase{u"<b>bold</b> x", u"bold x"}, TagCase{u"<B>X</B>", u"X"},
                    TagCase{u"<i><u>a</u></i>", u"a"},
                    // a single letter other than b, i, u stays, opening or closing
                    TagCase{u"a<x>b", u"a<x>b"}, TagCase{u"a</x>b", u"a</x>b"},
                    // any five or six characters from "<" to ">" go
                    TagCase{u"1<abc>2<abcd>3", u"123"}, TagCase{u"H<sub>2</sub>O", u"H2O"},
                    TagCase{u"<nowrap>a b</nowrap>", u"a b"}, TagCase{u"<strike>s</strike>", u"s"},
                    TagCase{u"<font color=\"#FF0000\">r</font>", u"r"}, TagCase{u"<font color=Red>r", u"r"},
                    // a colour that is neither hexadecimal nor a known name leaves the tag as text
                    TagCase{u"<font color=\"#GG0000\">r", u"<font color=\"#GG0000\">r"},
                    TagCase{u"<font color=nosuch>r", u"<font color=nosuch>r"},
                    TagCase{u"<font color=red", u"<font color=red"}, TagCase{u"a <", u"a <"},
                    // nothing left: one blank
                    TagCase{u"<b></b>", u" "}));

TEST(TfrxHTMLTagsList, TagsCarryTheStateInForce)
{
    const Expanded e =
        expand(QStringLiteral("a<b>b<font color=\"#102030\">c</font></b>H<sub>2</sub><sup>3</sup>"));
    ASSERT_EQ(e.Text, QStringLiteral("abcH23"));
    const TfrxHTMLTags &t = e.Tags;
    EXPECT_EQ(t[0].Style, 0);
    EXPECT_TRUE(t[0].Default);
    EXPECT_EQ(t[1].Style, 1);
    EXPECT_FALSE(t[1].Default);
    EXPECT_EQ(t[2].Color, 0x302010u); // RRGGBB read red first, kept as 0x00BBGGRR
    EXPECT_FALSE(t[2].Default);
    EXPECT_EQ(t[3].Style, 0);
    EXPECT_EQ(t[3].Color, 0u);
    EXPECT_EQ(t[4].Size, 7); // nearest(10 / 1.5)
    EXPECT_EQ(t[4].AddY, 1);
    EXPECT_EQ(t[4].SubType, ssSubscript);
    EXPECT_TRUE(t[4].Small);
    EXPECT_EQ(t[5].AddY, 0);
    EXPECT_EQ(t[5].SubType, ssSuperscript);
    EXPECT_FALSE(t[5].Default); // AddY differs from the subscript before it
}

TEST(TfrxHTMLTagsList, PositionsCountTagCharacters)
{
    const Expanded e = expand(QStringLiteral("<b>ab</b>c"));
    ASSERT_EQ(e.Tags.size(), 3);
    EXPECT_EQ(e.Tags[0].Position, 4);
    EXPECT_EQ(e.Tags[1].Position, 5);
    EXPECT_EQ(e.Tags[2].Position, 10);
}

TEST(TfrxHTMLTagsList, WithoutTagsEverythingIsTextAndDefault)
{
    const Expanded e = expand(QStringLiteral("<b>x"), false);
    EXPECT_EQ(e.Text, QStringLiteral("<b>x"));
    for (const TfrxHTMLTag &tag : e.Tags) {
        EXPECT_TRUE(tag.Default);
        EXPECT_EQ(tag.Style, 0);
    }
}

TEST(TfrxHTMLTagsList, NoWrapSpanMarksItsCharacters)
{
    const Expanded e = expand(QStringLiteral("x <nowrap>a b</nowrap> y"));
    ASSERT_EQ(e.Text, QStringLiteral("x a b y"));
    const QList<bool> expected{false, false, true, true, true, false, false};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(e.Tags[i].DontWRAP, expected[i]) << i;
}

TEST(TfrxDrawText, DeleteTagsKeepsLineEndsAndUnknownTags)
{
    EXPECT_EQ(TfrxDrawText::DeleteTags(QStringLiteral("<b>a</b>\r\n<i></i>\n<q>c<sub>")),
              QStringLiteral("a\r\n\n<q>c"));
}

} // namespace
