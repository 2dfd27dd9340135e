#include "zorCodePage.h"
#include "TIniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QByteArray cp1251(const char16_t *text) { return zorToSingleByte(QString::fromUtf16(text)); }

struct ReadCase
{
    const char *name;
    const char16_t *file;
    const char16_t *section;
    const char16_t *key;
    const char16_t *expected; // nullptr: the default comes back
};

class IniReading : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(IniReading, ReturnsValueOrDefault)
{
    const ReadCase &c = GetParam();
    const TIniFile ini = TIniFile::fromBytes(cp1251(c.file));
    const QString value = ini.readString(QString::fromUtf16(c.section), QString::fromUtf16(c.key),
                                         QStringLiteral("<default>"));
    EXPECT_EQ(value, c.expected ? QString::fromUtf16(c.expected) : QStringLiteral("<default>"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniReading,
    ::testing::Values(
        ReadCase{"plain", u"[Слева]\r\nedit_1=Автошкола\r\n", u"Слева", u"edit_1", u"Автошкола"},
        ReadCase{"keys_and_sections_ignore_case", u"[СЛЕВА]\r\nEDIT_1=x\r\n", u"слева", u"Edit_1", u"x"},
        ReadCase{"blanks_trimmed", u"[s]\r\n  k  =   two words  \r\n", u"s", u"k", u"two words"},
        ReadCase{"one_pair_of_double_quotes_removed", u"[s]\nk=\"\"q\"\"\n", u"s", u"k", u"\"q\""},
        ReadCase{"single_quotes_removed", u"[s]\nk=' a '\n", u"s", u"k", u" a "},
        ReadCase{"unmatched_quotes_kept", u"[s]\nk=\"a'\n", u"s", u"k", u"\"a'"},
        ReadCase{"value_after_first_equals", u"[s]\nk=a=b\n", u"s", u"k", u"a=b"},
        ReadCase{"first_duplicate_key_wins", u"[s]\nk=1\nk=2\n", u"s", u"k", u"1"},
        ReadCase{"first_duplicate_section_wins", u"[s]\nk=1\n[s]\nk=2\n", u"s", u"k", u"1"},
        ReadCase{"key_of_another_section", u"[a]\nk=1\n[b]\nj=2\n", u"b", u"k", nullptr},
        ReadCase{"missing_section", u"[a]\nk=1\n", u"b", u"k", nullptr},
        ReadCase{"comment_is_no_key", u"[s]\n;k=1\n", u"s", u";k", nullptr},
        ReadCase{"lone_cr_line_ends", u"[s]\rk=v\r", u"s", u"k", u"v"},
        ReadCase{"empty_value", u"[s]\nk=\n", u"s", u"k", u""}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(IniFile, ReadsAtMost2047CharactersOfAValue)
{
    const QString longValue(10'000'000, u'ж');
    const TIniFile ini = TIniFile::fromBytes(zorToSingleByte(QStringLiteral("[s]\r\nk=") + longValue));
    EXPECT_EQ(ini.readString(QStringLiteral("s"), QStringLiteral("k"), {}), longValue.left(2047));
}

TEST(IniFile, ReadsDecimalAndHexadecimalIntegers)
{
    const TIniFile ini = TIniFile::fromBytes(
        "[t]\nd=-12\nh=0x1F\nbig=0XfF\nshort=0x\nbad=12abc\nspace= 7 \nhuge=99999999999\n");
    const QString t = QStringLiteral("t");
    EXPECT_EQ(ini.readInteger(t, QStringLiteral("d"), 0), -12);
    EXPECT_EQ(ini.readInteger(t, QStringLiteral("h"), 0), 31);
    EXPECT_EQ(ini.readInteger(t, QStringLiteral("big"), 0), 255);
    EXPECT_EQ(ini.readInteger(t, QStringLiteral("short"), -1), -1);
    EXPECT_EQ(ini.readInteger(t, QStringLiteral("bad"), -1), -1);
    EXPECT_EQ(ini.readInteger(t, QStringLiteral("space"), -1), 7);
    EXPECT_EQ(ini.readInteger(t, QStringLiteral("huge"), -1), -1);
    EXPECT_EQ(ini.readInteger(t, QStringLiteral("missing"), -1), -1);
}

TEST(IniFile, WritesInPlaceKeepingForeignContent)
{
    TIniFile ini = TIniFile::fromBytes("; note\r\n[Other]\r\nx=1\r\n\r\n[s]\r\nA=old\r\nkeep=yes\r\n\r\n[Last]\r\nz=9\r\n");
    ini.writeString(QStringLiteral("s"), QStringLiteral("a"), QStringLiteral("new"));
    ini.writeString(QStringLiteral("s"), QStringLiteral("b"), QStringLiteral("added"));
    ini.writeString(QStringLiteral("New"), QStringLiteral("c"), QStringLiteral("3"));
    EXPECT_EQ(ini.text(), QStringLiteral("; note\r\n[Other]\r\nx=1\r\n\r\n[s]\r\na=new\r\nkeep=yes\r\nb=added\r\n"
                                         "\r\n[Last]\r\nz=9\r\n[New]\r\nc=3\r\n"));
}

TEST(IniFile, ValuesReadBackAsWritten)
{
    // Reading removes one pair of quotes, so a value that looks quoted is stored with one more;
    // a line end cannot live inside a value.
    const QStringList values{QStringLiteral("\"quoted\""), QStringLiteral("'x'"), QStringLiteral("\""),
                             QStringLiteral("a\"b"), QStringLiteral("Ромашка")};
    TIniFile ini;
    for (int i = 0; i < values.size(); ++i)
        ini.writeString(QStringLiteral("s"), QString::number(i), values[i]);
    ini.writeString(QStringLiteral("s"), QStringLiteral("lines"), QStringLiteral("one\r\ntwo"));
    const TIniFile reread = TIniFile::fromBytes(zorToSingleByte(ini.text()));
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(reread.readString(QStringLiteral("s"), QString::number(i), {}), values[i]) << i;
    EXPECT_EQ(reread.readString(QStringLiteral("s"), QStringLiteral("lines"), {}), QStringLiteral("one  two"));
    EXPECT_FALSE(reread.hasSection(QStringLiteral("two")));
}

TEST(IniFile, DecodesUtf8AndWindows1251)
{
    const QString text = QStringLiteral("[Слева]\r\nedit_5=Иванов\r\n");
    for (const QByteArray &bytes : {zorToSingleByte(text), text.toUtf8(), QByteArray("\xEF\xBB\xBF") + text.toUtf8()}) {
        const TIniFile ini = TIniFile::fromBytes(bytes);
        EXPECT_EQ(ini.readString(QStringLiteral("Слева"), QStringLiteral("edit_5"), {}), QStringLiteral("Иванов"));
    }
}

TEST(IniFile, SurvivesRandomBytes)
{
    QByteArray noise;
    quint32 seed = 12345;
    for (int i = 0; i < 100'000; ++i) {
        seed = seed * 1103515245 + 12345;
        noise.append(char(seed >> 16));
    }
    const TIniFile ini = TIniFile::fromBytes(noise);
    EXPECT_EQ(ini.readString(QStringLiteral("Слева"), QStringLiteral("edit_1"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST(IniFile, LoadsAndSavesFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.vod"));
    ASSERT_TRUE(TIniFile::load(path).has_value()) << "a missing file reads as empty";
    EXPECT_FALSE(TIniFile::load(dir.path()).has_value()) << "a folder is no file";

    TIniFile ini;
    ini.writeString(QStringLiteral("Слева"), QStringLiteral("edit_1"), QStringLiteral("Ёж"));
    ASSERT_TRUE(ini.save(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[\xD1\xEB\xE5\xE2\xE0]\r\nedit_1=\xA8\xE6\r\n"));

    EXPECT_FALSE(ini.save(dir.filePath(QStringLiteral("no/such/folder/b.vod"))));
    EXPECT_FALSE(ini.save(dir.path())) << "a folder cannot be overwritten";
}

} // namespace
