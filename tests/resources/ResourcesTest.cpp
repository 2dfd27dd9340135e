#include "TfrxInvalidXMLException.h"
#include "TfrxResources.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray table(const QByteArray &entries, const QByteArray &header = R"(<?xml version="1.1" encoding="utf-8"?>)")
{
    return header + R"(<Resources CodePage="1252">)" + entries + "</Resources>";
}

struct Quoted
{
    const char *key;
    const char *text;
};

// The texts other parts of the library rely on, exactly.
const Quoted kQuoted[] = {
    {"clErrors", "The following error(s) have occured:"},
    {"xrCantFindClass", "Cannot find class"},
    {"clDecompressError", "Stream decompress error"},
    {"zmPageWidth", "Page width"},
    {"zmWholePage", "Whole page"},
    {"mbConfirm", "Confirm"},
    {"mbError", "Error"},
    {"mbInfo", "Information"},
    {"dsCode", "Code"},
    {"dsData", "Data"},
    {"dsPage", "Page"},
    {"dsCm", "Centimeters"},
    {"dsInch", "Inches"},
    {"dsPix", "Pixels"},
    {"dsChars", "Characters"},
    {"dsSaveChangesTo", "Save changes to "},
    {"dsSavePreviewChanges", "Save changes to preview page?"},
    {"dsCantLoad", "Couldn't load file"},
    {"dsCantFindProc", "Could not locate the main proc"},
    {"prInvProp", "Invalid property value"},
    {"oiProp", "Properties"},
    {"oiEvent", "Events"},
    {"2000", "Object Inspector"},
    {"2475", "Language"},
    {"2478", "Add child band"},
    {"dsRepFilter", "Report (*.ze3)|*.ze3"},
    {"dsComprRepFilter", "Compressed report (*.ze3)|*.ze3"},
    {"clDSNotExist", "Dataset \"%s\" does not exist"},
    {"2", "Cancel"},
    {"9", "Enter page numbers and/or page ranges, separated by commas. For example, 1,3,5-12"},
    {"510", "Printer file (*.prn)|*.prn"},
    {"clPageOf", "Page %d of %d"},
    {"clFirstPass", "First pass: page "},
    {"2378", "&File"},
};

class BuiltInTables : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        res = new TfrxResources;
        res->LoadBuiltIn();
    }
    static void TearDownTestSuite() { delete res; }
    static TfrxResources *res;
};
TfrxResources *BuiltInTables::res = nullptr;

TEST_F(BuiltInTables, QuotedEntriesHaveTheirExactTexts)
{
    for (const Quoted &q : kQuoted)
        EXPECT_EQ(res->Get(QString::fromLatin1(q.key)), QString::fromUtf8(q.text)) << q.key;
    EXPECT_EQ(res->CodePage(), 1252);
}

TEST_F(BuiltInTables, EveryListedKeyIsThere)
{
    const QStringList keys = res->Keys();
    EXPECT_EQ(keys.size(), res->Count());
    EXPECT_EQ(keys.filter(QStringLiteral("prop")).size(), 271);
    for (const QString &key : TfrxResources::ScriptMessageKeys())
        EXPECT_NE(res->Get(key), key) << key.toStdString();
    for (int number : {1, 9, 100, 142, 150, 152, 200, 214, 216, 300, 305, 400, 414, 500, 510, 600, 601})
        EXPECT_NE(res->Get(QString::number(number)), QString::number(number)) << number;
}

TEST_F(BuiltInTables, SingleInstanceHasTheBuiltInTexts)
{
    EXPECT_EQ(&zorResources(), &zorResources());
    EXPECT_EQ(zorGet(2), QStringLiteral("Cancel"));
    EXPECT_EQ(zorResources().Get(QStringLiteral("CLERRORS")), QStringLiteral("The following error(s) have occured:"));
}

TEST(Resources, LookupRules)
{
    TfrxResources res;
    res.AddXML(table(R"(<StrRes Name="Other" Text="!Other"/><StrRes Name="x" Text="a&amp;b"/>)"));
    EXPECT_EQ(res.Get(QStringLiteral("abc")), QStringLiteral("abc")) << "a missing key is its own text";
    EXPECT_EQ(res.Get(QStringLiteral("!abc")), QStringLiteral("abc"));
    EXPECT_EQ(res.Get(QStringLiteral("other")), QStringLiteral("Other"));
    EXPECT_EQ(res.Get(QStringLiteral("X")), QStringLiteral("a&b"));
}

TEST(Resources, AddReplacesInPlaceAndAddStringsSkipsEmptyParts)
{
    TfrxResources res;
    res.Add(QStringLiteral("a"), QStringLiteral("1"));
    res.Add(QStringLiteral("b"), QStringLiteral("2"));
    res.AddW(QStringLiteral("A"), QStringLiteral("3"));
    EXPECT_EQ(res.Keys(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(res.Get(QStringLiteral("a")), QStringLiteral("3"));
    res.AddStrings({QStringLiteral("c=x=y"), QStringLiteral("=v"), QStringLiteral("d="), QStringLiteral("plain")});
    EXPECT_EQ(res.Count(), 3);
    EXPECT_EQ(res.Get(QStringLiteral("c")), QStringLiteral("x=y"));
    res.Clear();
    EXPECT_EQ(res.Count(), 0);
}

TEST(Resources, TableFormat)
{
    TfrxResources res;
    res.AddXML(table(R"(<StrRes Name="k" Text="1"/><Other Name="o" Text="2"/><StrRes Name="k" Text="3"/>)"));
    EXPECT_EQ(res.Count(), 1) << "other elements are ignored";
    EXPECT_EQ(res.Get(QStringLiteral("k")), QStringLiteral("3")) << "a later entry overwrites";

    res.AddXML(R"(<?xml version="1.1"?><Strings><StrRes Name="n" Text="1"/></Strings>)");
    EXPECT_EQ(res.Count(), 1) << "a root other than Resources adds nothing";

    res.AddXML(R"(<?xml version="1.1"?><Resources CodePage="cp1251"/>)");
    EXPECT_EQ(res.CodePage(), 0);

    EXPECT_THROW(res.AddXML("<Resources>"), TfrxInvalidXMLException);
    res.LoadFromFile(QStringLiteral("/nonexistent/table.frc"));
    EXPECT_EQ(res.Count(), 1);
}

TEST(Resources, OldFormatTableKeepsEveryByteOfItsUtf8Texts)
{
    // "ј" is D1 98 in UTF-8; 0x98 has no character in Windows-1251
    const QByteArray text = QStringLiteral("Отмена ј").toUtf8();
    TfrxResources res;
    res.AddXML(table(R"(<StrRes Name="2" Text=")" + text + R"("/><StrRes Name="3" Text="&#1044;"/>)",
                     R"(<?xml version="1.0" encoding="utf-8"?>)"));
    EXPECT_EQ(res.Get(QStringLiteral("2")), QStringLiteral("Отмена ј"));
    EXPECT_EQ(res.Get(QStringLiteral("3")), QStringLiteral("Д"));
}

TEST(Resources, LanguageFilesOverlayTheTable)
{
    QTemporaryDir dir;
    const auto write = [&](const char *name, const QByteArray &bytes) {
        QFile f(QDir(dir.path()).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write("russian.FRC", table(QStringLiteral(R"(<StrRes Name="2" Text="Отмена"/>)").toUtf8()));
    write("de.frc", table(R"(<StrRes Name="2" Text="Abbrechen"/>)"));
    write("notes.txt", "x");
    write(".frc", "x");

    TfrxResources res(dir.path());
    res.Add(QStringLiteral("2"), QStringLiteral("Cancel"));
    EXPECT_EQ(res.Languages(), (QStringList{QStringLiteral("De"), QStringLiteral("Russian")}));
    int loads = 0;
    const int id = res.AddLoadListener([&] { ++loads; });
    EXPECT_TRUE(res.LoadLanguage(QStringLiteral("RUSSIAN")));
    EXPECT_EQ(res.Get(QStringLiteral("2")), QStringLiteral("Отмена"));
    EXPECT_EQ(res.CurrentLanguage(), QStringLiteral("Russian"));
    EXPECT_EQ(loads, 1);
    res.RemoveLoadListener(id);
    EXPECT_FALSE(res.LoadLanguage(QStringLiteral("French")));
    EXPECT_TRUE(res.LoadLanguage(QStringLiteral("de")));
    EXPECT_EQ(res.Get(QStringLiteral("2")), QStringLiteral("Abbrechen"));
    EXPECT_EQ(loads, 1);
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(Resources, LanguageFilesAreFoundBesideTheProgramThenInTheDataFolder)
{
    // bin/ holds the program; an installed program's data lie in share/zelta beside it
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("bin"));
    WriteFile(dir.filePath(QStringLiteral("share/zelta/russian.frc")),
              table(R"(<StrRes Name="2" Text="installed"/>)"));
    WriteFile(dir.filePath(QStringLiteral("share/zelta/de.frc")),
              table(R"(<StrRes Name="2" Text="Abbrechen"/>)"));
    {
        TfrxResources installed(bin);
        EXPECT_EQ(installed.Languages(), (QStringList{QStringLiteral("De"), QStringLiteral("Russian")}));
        EXPECT_TRUE(installed.LoadLanguage(QStringLiteral("russian")));
        EXPECT_EQ(installed.Get(QStringLiteral("2")), QStringLiteral("installed"));
    }
    WriteFile(QDir(bin).filePath(QStringLiteral("Russian.frc")),
              table(R"(<StrRes Name="2" Text="beside"/>)"));
    TfrxResources developing(bin);
    EXPECT_EQ(developing.Languages(), (QStringList{QStringLiteral("De"), QStringLiteral("Russian")}));
    EXPECT_TRUE(developing.LoadLanguage(QStringLiteral("Russian")));
    EXPECT_EQ(developing.Get(QStringLiteral("2")), QStringLiteral("beside"))
        << "the program's folder comes first";
}

TEST(Resources, ABrokenLanguageFileChangesNothingAndSaysWhere)
{
    QTemporaryDir dir;
    WriteFile(dir.filePath(QStringLiteral("russian.frc")),
              table("\r\n<StrRes Name=\"2\" Text=\"Отмена\"/>\r\n"
                    "<StrRes Name=\"3\" Text=\"Все\" <StrRes Name=\"4\" Text=\"x\"/>\r\n"));
    TfrxResources res(dir.path());
    res.Add(QStringLiteral("2"), QStringLiteral("Cancel"));
    int loads = 0;
    res.AddLoadListener([&] { ++loads; });
    QString error;
    EXPECT_FALSE(res.LoadLanguage(QStringLiteral("Russian"), &error));
    EXPECT_EQ(res.Get(QStringLiteral("2")), QStringLiteral("Cancel"));
    EXPECT_EQ(res.Count(), 1);
    EXPECT_EQ(res.CurrentLanguage(), QString());
    EXPECT_EQ(loads, 0);
    EXPECT_TRUE(error.contains(QStringLiteral("russian.frc, line 3"))) << error.toStdString();

    error.clear();
    EXPECT_FALSE(res.LoadLanguage(QStringLiteral("French"), &error));
    EXPECT_EQ(error, QString()) << "a language that is not there is no error";
}

} // namespace
