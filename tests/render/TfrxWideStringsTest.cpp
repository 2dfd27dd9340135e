#include "TfrxWideStrings.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase
{
    const char16_t *Text;
    QStringList Lines;
};

class TfrxWideStringsSplit : public testing::TestWithParam<SplitCase>
{
};

TEST_P(TfrxWideStringsSplit, BreaksAtEveryKindOfLineEnd)
{
    TfrxWideStrings strings(QString::fromUtf16(GetParam().Text));
    EXPECT_EQ(strings.lines(), GetParam().Lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TfrxWideStringsSplit,
    testing::Values(SplitCase{u"", {}}, SplitCase{u"a", {QStringLiteral("a")}},
                    SplitCase{u"a\r\nb", {QStringLiteral("a"), QStringLiteral("b")}},
                    SplitCase{u"a\rb\nc", {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}},
                    // LF CR is two breaks: the empty line between them stays
                    SplitCase{u"a\n\rb", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
                    SplitCase{u"a\u2028b", {QStringLiteral("a"), QStringLiteral("b")}},
                    // a line separator right after CR LF belongs to the same break
                    SplitCase{u"a\r\n\u2028b", {QStringLiteral("a"), QStringLiteral("b")}},
                    SplitCase{u"a\u2028\u2028b", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
                    // a final break adds no empty line, a doubled one adds one
                    SplitCase{u"a\r\n", {QStringLiteral("a")}},
                    SplitCase{u"a\r\n\r\n", {QStringLiteral("a"), QString()}},
                    SplitCase{u"\r\n", {QString()}}));

TEST(TfrxWideStrings, TextFormPutsCrLfAfterEveryLine)
{
    TfrxWideStrings strings;
    EXPECT_EQ(strings.text(), QString());
    strings.append(QStringLiteral("one"), 3);
    strings.append(QString());
    EXPECT_EQ(strings.text(), QStringLiteral("one\r\n\r\n"));
    EXPECT_EQ(strings.object(0), 3);

    TfrxWideStrings back(strings.text());
    EXPECT_EQ(back.lines(), strings.lines());
}

} // namespace
