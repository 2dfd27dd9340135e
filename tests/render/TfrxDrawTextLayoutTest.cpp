#include "RenderTestSupport.h"
#include "TfrxFontFace.h"
#include "TfrxHTMLTagsList.h"

#include <QMetaEnum>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// The width of a one-line text as the layout measures it, in report pixels.
double textWidth(const QString &text, bool tags = false)
{
    TextSetup setup;
    setup.Text = text;
    setup.Tags = tags;
    setup.WordWrap = false;
    TfrxDrawText engine;
    TfrxDrawText::Locker lock;
    prepare(engine, setup);
    return engine.CalcWidth();
}

// A rectangle whose text width lies just above (slack > 0) or below the width of `text`.
QRect rectFor(const QString &text, double slack, bool tags = false)
{
    return QRect(0, 0, int(std::ceil(textWidth(text, tags) + slack)), 200);
}

QStringList lines(std::initializer_list<const char16_t *> list)
{
    QStringList result;
    for (const char16_t *line : list)
        result.append(QString::fromUtf16(line));
    return result;
}

TEST(TfrxDrawTextLayout, TemplateFontsMapToMetricCompatibleFaces)
{
    const std::pair<const char *, const char *> mapping[] = {
        {"Times New Roman", "Liberation Serif"}, {"Arial", "Liberation Sans"}, {"Tahoma", "Tahoma"}};
    for (const auto &[name, face] : mapping) {
        EXPECT_EQ(TfrxFontFace::get(QString::fromLatin1(name), 92, 0)->raw().familyName().toLower(),
                  QString::fromLatin1(face).toLower())
            << name;
    }
}

TEST(TfrxDrawTextLayout, MeasuresAtSixHundredUnitsPerInch)
{
    // Times New Roman 11 pt is 92 layout units high (an em height); the design advance of "a"
    // in the metric-compatible face is 909/2048 em, 41 units at that size.
    EXPECT_DOUBLE_EQ(textWidth(QStringLiteral("a")), 41 / 6.25);
    EXPECT_DOUBLE_EQ(textWidth(QStringLiteral("aaaa")), 4 * 41 / 6.25);
}

struct WrapCase
{
    const char *Name;
    const char16_t *Text;
    const char16_t *FitsOnFirstLine; // the rectangle is made just wide enough for this
    QStringList Lines;
    bool WordBreak = false;
};

class TfrxDrawTextWrap : public testing::TestWithParam<WrapCase>
{
};

TEST_P(TfrxDrawTextWrap, BreaksTheSameAtEveryScale)
{
    const WrapCase &c = GetParam();
    TextSetup setup;
    setup.Text = QString::fromUtf16(c.Text);
    setup.Rect = rectFor(QString::fromUtf16(c.FitsOnFirstLine), 0.5);
    setup.WordBreak = c.WordBreak;
    EXPECT_EQ(wrappedLines(setup), c.Lines);
    for (double scale : {1.5, 2.0, 300 / 96.0, 600 / 96.0})
        EXPECT_EQ(wrappedLines(setup, scale), c.Lines) << "scale " << scale;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TfrxDrawTextWrap,
    testing::Values(
        WrapCase{"Words", u"Иванов Иван Иванович", u"Иванов Иван", lines({u"Иванов Иван", u"Иванович"})},
        WrapCase{"ThreeLines", u"aa bb cc dd ee", u"aa bb", lines({u"aa bb", u"cc dd", u"ee"})},
        // a blank that overflows ends the line and is dropped
        WrapCase{"OverflowingBlank", u"abc def", u"abc", lines({u"abc", u"def"})},
        // only the blank breaks: a hyphen or a comma does not
        WrapCase{"OnlyBlanks", u"aa-bb,cc dd", u"aa-bb,cc", lines({u"aa-bb,cc", u"dd"})},
        // a word longer than the line is cut where it overflows
        WrapCase{"LongWord", u"abcdefgh", u"abc", lines({u"abc", u"def", u"gh"})},
        WrapCase{"LongWordAfterBlank", u"a bcdefgh", u"a bc", lines({u"a", u"bcd", u"efg", u"h"})},
        // a single character wider than the rectangle forms a line of its own
        WrapCase{"WideCharacter", u"WWW", u"", lines({u"W", u"W", u"W"})},
        // several paragraphs wrap each on its own; an empty one is a blank
        WrapCase{"Paragraphs", u"aa bb cc\r\n\r\ndd", u"aa bb", lines({u"aa bb", u"cc", u" ", u"dd"})},
        // Russian words are hyphenated where a syllable ends
        WrapCase{"Hyphenated", u"Свидетельство", u"Свидетельс", lines({u"Свидетель-", u"ство"}), true},
        // eight letters of the word fit: the largest break below that is after "свидете"
        WrapCase{"HyphenatedAfterBlank", u"о свидетельстве", u"о свидетел", lines({u"о свидете-", u"льстве"}),
                 true},
        // a word without a permitted break is cut as without hyphenation
        WrapCase{"UnbreakableWord", u"abcdefgh", u"abc", lines({u"abc", u"def", u"gh"}), true}),
    [](const testing::TestParamInfo<WrapCase> &row) { return std::string(row.param.Name); });

TEST(TfrxDrawTextLayout, FlagsMarkFirstAndLastLinesOfParagraphs)
{
    TextSetup setup;
    setup.Text = QStringLiteral("aa bb cc\r\nx\r\n");
    setup.Rect = rectFor(QStringLiteral("aa bb"), 0.5);
    TfrxDrawText engine;
    TfrxDrawText::Locker lock;
    prepare(engine, setup);
    EXPECT_EQ(lineFlags(engine), (QList<int>{1, 2, 3}));
    EXPECT_EQ(engine.GetWrappedText(), QStringLiteral("aa bb\r\ncc\r\nx\r\n"));
    EXPECT_EQ(engine.PlainText(), QStringLiteral("aa bb cc\r\nx\r\n"));

    engine.SetParaBreaks(true, true);
    EXPECT_EQ(lineFlags(engine), (QList<int>{0, 2, 1}));
}

TEST(TfrxDrawTextLayout, ParagraphGapNarrowsOnlyTheFirstLine)
{
    TextSetup setup;
    setup.Text = QStringLiteral("aa bb cc dd");
    setup.Rect = rectFor(QStringLiteral("aa bb"), 0.5);
    setup.ParagraphGap = textWidth(QStringLiteral("bb"));
    EXPECT_EQ(wrappedLines(setup),
              (QStringList{QStringLiteral("aa"), QStringLiteral("bb cc"), QStringLiteral("dd")}));
}

TEST(TfrxDrawTextLayout, CharacterSpacingWidensEveryCharacter)
{
    TextSetup setup;
    setup.Text = QStringLiteral("aa bb");
    setup.Rect = rectFor(setup.Text, 0.5);
    EXPECT_EQ(wrappedLines(setup).size(), 1);
    setup.CharSpacing = 1;
    EXPECT_EQ(wrappedLines(setup), (QStringList{QStringLiteral("aa"), QStringLiteral("bb")}));
}

TEST(TfrxDrawTextLayout, NoWrapSpansAndOneCharacterParagraphsAreNeverBroken)
{
    TextSetup setup;
    setup.Tags = true;
    setup.Text = QStringLiteral("aa <nowrap>bb cc</nowrap>");
    setup.Rect = rectFor(QStringLiteral("bb cc"), 0.5);
    EXPECT_EQ(wrappedLines(setup), (QStringList{QStringLiteral("aa"), QStringLiteral("bb cc")}));
    setup.Tags = false;
    setup.Text = QStringLiteral("aa bb cc");
    EXPECT_EQ(wrappedLines(setup), (QStringList{QStringLiteral("aa bb"), QStringLiteral("cc")}));
    // a span longer than the line is cut where it overflows, like a long word
    setup.Tags = true;
    setup.Text = QStringLiteral("<nowrap>aa bb cc</nowrap>");
    setup.Rect = rectFor(QStringLiteral("aa b"), 0.5);
    EXPECT_EQ(wrappedLines(setup), (QStringList{QStringLiteral("aa b"), QStringLiteral("b cc")}));

    setup.Text = QStringLiteral("W");
    setup.Rect = QRect(0, 0, 1, 100);
    EXPECT_EQ(wrappedLines(setup), QStringList{QStringLiteral("W")});
}

TEST(TfrxDrawTextLayout, WithoutWordWrapEachParagraphIsOneLine)
{
    TextSetup setup;
    setup.Text = QStringLiteral("aa bb cc dd\nee");
    setup.Rect = QRect(0, 0, 10, 100);
    setup.WordWrap = false;
    EXPECT_EQ(wrappedLines(setup), (QStringList{QStringLiteral("aa bb cc dd"), QStringLiteral("ee")}));
}

TEST(TfrxDrawTextLayout, SidewaysRotationWrapsAtTheHeight)
{
    TextSetup setup;
    setup.Text = QStringLiteral("aa bb cc");
    setup.Rect = QRect(0, 0, 500, int(std::ceil(textWidth(QStringLiteral("aa bb")) + 0.5)));
    for (int rotation : {90, 270, -90, 450}) {
        setup.Rotation = rotation;
        EXPECT_EQ(wrappedLines(setup), (QStringList{QStringLiteral("aa bb"), QStringLiteral("cc")}))
            << rotation;
    }
    setup.Rotation = 180;
    EXPECT_EQ(wrappedLines(setup), QStringList{setup.Text});
}

TEST(TfrxDrawTextLayout, NegativeRotationIsNormalised)
{
    TfrxDrawText engine;
    TfrxDrawText::Locker lock;
    TextSetup setup;
    for (auto [given, used] : {std::pair{-90, 270}, {-450, 270}, {450, 90}, {359, 359}, {-360, 0}}) {
        setup.Rotation = given;
        prepare(engine, setup);
        EXPECT_EQ(engine.Rotation(), used) << given;
    }
}

TEST(TfrxDrawTextLayout, TagsKeepFormattingAcrossWrappedLines)
{
    TextSetup setup;
    setup.Tags = true;
    setup.Text = QStringLiteral("aa <b>bb c</b> d");
    setup.Rect = rectFor(QStringLiteral("aa <b>bb</b>"), 0.5, true);
    TfrxDrawText engine;
    TfrxDrawText::Locker lock;
    prepare(engine, setup);
    ASSERT_EQ(engine.Lines().lines(), (QStringList{QStringLiteral("aa bb"), QStringLiteral("c d")}));
    const TfrxHTMLTags &second = engine.Tags().at(1);
    EXPECT_EQ(second.at(0).Style, 1);
    EXPECT_EQ(second.at(0).Position, 10); // "c" is the tenth character of the source
    EXPECT_EQ(second.at(2).Style, 0);
}

TEST(TfrxDrawTextLayout, LongLinesNeedNoFixedWorkArray)
{
    TextSetup setup;
    setup.Text = QString(40000, u'a');
    setup.WordWrap = false;
    EXPECT_EQ(wrappedLines(setup), QStringList{setup.Text});
    setup.WordWrap = true;
    setup.Rect = QRect(0, 0, 2000, 100);
    const QStringList wrapped = wrappedLines(setup);
    EXPECT_GT(wrapped.size(), 100);
    EXPECT_EQ(wrapped.join(QString()), setup.Text);
}

TEST(TfrxDrawTextLayout, AlignmentEnumerationsArePublished)
{
    EXPECT_STREQ(QMetaEnum::fromType<TfrxHAlign>().valueToKey(haBlock), "haBlock");
    EXPECT_EQ(QMetaEnum::fromType<TfrxVAlign>().keyToValue("vaCenter"), 2);
}

// Greedy wrapping, stated as properties over random texts: every line fits, the lines give back the
// text, and no line could have taken the next word.
TEST(TfrxDrawTextLayout, RandomTextsWrapGreedily)
{
    std::mt19937 random(20261210);
    const QString letters = QStringLiteral("абвгдежзийклмнопрстуфхцчшщыэюяАБВШЩЖ");
    int hyphenated = 0;
    for (int round = 0; round < 60; ++round) {
        QStringList words;
        const int count = std::uniform_int_distribution(1, 25)(random);
        for (int w = 0; w < count; ++w) {
            QString word;
            const int length = std::uniform_int_distribution(1, 8)(random);
            for (int k = 0; k < length; ++k)
                word += letters.at(std::uniform_int_distribution(0, int(letters.size()) - 1)(random));
            words.append(word);
        }
        TextSetup setup;
        setup.Text = words.join(u' ');
        const int width = std::uniform_int_distribution(120, 400)(random);
        setup.Rect = QRect(0, 0, width, 100);
        // With Russian word breaks the text comes back when the layout's hyphens are taken out.
        setup.WordBreak = true;
        QString rejoined;
        for (const QString &line : wrappedLines(setup)) {
            if (!rejoined.isEmpty() && !rejoined.endsWith(u'-'))
                rejoined += u' ';
            else if (rejoined.endsWith(u'-'))
                rejoined.chop(1);
            hyphenated += line.endsWith(u'-') ? 1 : 0;
            EXPECT_LE(textWidth(line.endsWith(u'-') ? line.chopped(1) : line), width) << round;
            rejoined += line;
        }
        EXPECT_EQ(rejoined, setup.Text) << round;

        setup.WordBreak = false;
        const QStringList lines = wrappedLines(setup);
        ASSERT_EQ(lines.join(u' '), setup.Text) << round;
        for (int i = 0; i < lines.size(); ++i) {
            EXPECT_LE(textWidth(lines.at(i)), width) << round << " line " << i;
            if (i + 1 < lines.size()) {
                const QString next = lines.at(i + 1).section(u' ', 0, 0);
                EXPECT_GT(textWidth(lines.at(i) + u' ' + next), width) << round << " line " << i;
            }
        }
    }
    EXPECT_GT(hyphenated, 10); // the texts did exercise the word breaks
}

} // namespace
