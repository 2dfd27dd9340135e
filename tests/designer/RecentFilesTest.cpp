// The designer's recent files: adding names, and the text they are kept as in the settings store.
#include "TfrxRecentFiles.h"

#include <gtest/gtest.h>

namespace {

QStringList names(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *name : list)
        result.append(QString::fromUtf8(name));
    return result;
}

TEST(RecentFilesTest, AddKeepsTheNewestLastWithoutRepeatsOrEmptyNames)
{
    struct Case
    {
        const char *what;
        QStringList before;
        QString added;
        QStringList after;
    };
    const QStringList eight = names({"1.ze3", "2.ze3", "3.ze3", "4.ze3", "5.ze3", "6.ze3", "7.ze3", "8.ze3"});
    const Case cases[] = {
        {"a new name goes last", names({"a.ze3"}), QStringLiteral("b.ze3"), names({"a.ze3", "b.ze3"})},
        {"a name already there moves last", names({"a.ze3", "b.ze3", "c.ze3"}), QStringLiteral("a.ze3"),
         names({"b.ze3", "c.ze3", "a.ze3"})},
        // A report that failed to load has no file name; before the fix it became an entry "".
        {"an empty name is not added", names({"a.ze3"}), QString(), names({"a.ze3"})},
        {"spaces alone are no name", names({"a.ze3"}), QStringLiteral("  "), names({"a.ze3"})},
        {"a ninth name drops the oldest", eight, QStringLiteral("9.ze3"),
         names({"2.ze3", "3.ze3", "4.ze3", "5.ze3", "6.ze3", "7.ze3", "8.ze3", "9.ze3"})},
        {"a repeat in a full list drops nothing else", eight, QStringLiteral("1.ze3"),
         names({"2.ze3", "3.ze3", "4.ze3", "5.ze3", "6.ze3", "7.ze3", "8.ze3", "1.ze3"})},
    };
    for (const Case &c : cases) {
        QStringList list = c.before;
        TfrxRecentFiles::Add(list, c.added);
        EXPECT_EQ(list, c.after) << c.what;
    }
}

TEST(RecentFilesTest, NamesWithCommasAndQuotesComeBackWhole)
{
    const QStringList list = names(
        {"/home/школа/шаблон, копия.ze3", "/tmp/\"кавычки\".ze3", " пробел в начале.ze3", "/tmp/plain.ze3"});
    const QString text = TfrxRecentFiles::Join(list);
    EXPECT_EQ(text, QStringLiteral("\"/home/школа/шаблон, копия.ze3\",\"/tmp/\"\"кавычки\"\".ze3\","
                                   "\" пробел в начале.ze3\",\"/tmp/plain.ze3\""));
    EXPECT_EQ(TfrxRecentFiles::Split(text), list);
}

TEST(RecentFilesTest, SplitReadsOlderAndHandEditedForms)
{
    struct Case
    {
        const char *what;
        const char *text;
        QStringList expected;
    };
    const Case cases[] = {
        {"nothing stored", "", {}},
        {"the plain comma-separated form", "/a/1.ze3,/a/2.ze3", names({"/a/1.ze3", "/a/2.ze3"})},
        {"spaces around plain names", " /a/1.ze3 , /a/2.ze3 ", names({"/a/1.ze3", "/a/2.ze3"})},
        {"empty entries", ",/a/1.ze3,,\"\",", names({"/a/1.ze3"})},
        {"quoted and plain mixed", "\"/a/1,2.ze3\", /a/3.ze3", names({"/a/1,2.ze3", "/a/3.ze3"})},
        {"text after a closing quote is dropped", "\"/a/1.ze3\"junk,/a/2.ze3",
         names({"/a/1.ze3", "/a/2.ze3"})},
        {"an unclosed quote runs to the end", "/a/1.ze3,\"/a/2,3.ze3", names({"/a/1.ze3", "/a/2,3.ze3"})},
        {"repeats keep the later place", "/a/1.ze3,/a/2.ze3,/a/1.ze3", names({"/a/2.ze3", "/a/1.ze3"})},
        {"a list longer than the limit keeps the newest", "1,2,3,4,5,6,7,8,9,10",
         names({"3", "4", "5", "6", "7", "8", "9", "10"})},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TfrxRecentFiles::Split(QString::fromUtf8(c.text)), c.expected) << c.what;
}

} // namespace
