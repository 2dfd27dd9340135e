#include "zorUnicodeUtils.h"

#include <gtest/gtest.h>

namespace {

struct BreakCase
{
    const char16_t *Word;
    QList<int> Positions;
};

class RussianBreaks : public testing::TestWithParam<BreakCase>
{
};

TEST_P(RussianBreaks, FollowTheSyllableRules)
{
    EXPECT_EQ(zorRussianBreakPositions(QString::fromUtf16(GetParam().Word)), GetParam().Positions);
}

INSTANTIATE_TEST_SUITE_P(
    Words, RussianBreaks,
    testing::Values(BreakCase{u"кот", {}},     // three letters or fewer: none
                    BreakCase{u"мама", {2}},   // ма-ма
                    BreakCase{u"грамма", {4}}, // грам-ма, not гра-мма
                    BreakCase{u"подъезд", {2}}, // по-дъезд: never before Ъ, not after it before a vowel
                    BreakCase{u"майка", {3}},   // май-ка: not before Й
                    BreakCase{u"водитель", {2, 4}},    // not "водите-ль": the tail has no vowel
                    BreakCase{u"ВОДИТЕЛЯ", {2, 4, 6}}, // case does not matter
                    BreakCase{u"свидетельство", {3, 5, 7, 9, 10, 11}},
                    BreakCase{u"word", {}})); // Latin letters never break

TEST(RussianBreaks, ChoosesTheLargestPositionBelowWhatFits)
{
    const QString word = QStringLiteral("свидетельство");
    EXPECT_EQ(zorBreakRussianWord(word, 10), 9);
    EXPECT_EQ(zorBreakRussianWord(word, 9), 7);
    EXPECT_EQ(zorBreakRussianWord(word, 4), 3);
    EXPECT_EQ(zorBreakRussianWord(word, 3), 0);
}

} // namespace
