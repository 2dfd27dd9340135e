#include "TfrxFileException.h"
#include "TfrxInvalidXMLException.h"
#include "TfrxXMLDocument.h"
#include "TfrxXMLItem.h"

#include "XMLTestUtil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray save(TfrxXMLDocument &doc)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    doc.SaveToStream(&out);
    return out.data();
}

void load(TfrxXMLDocument &doc, const QByteArray &bytes)
{
    ByteStream in(bytes);
    doc.LoadFromStream(&in);
}

void buildReport(TfrxXMLItem *root)
{
    root->SetName(QStringLiteral("TfrxReport"));
    root->SetProp(QStringLiteral("Version"), QStringLiteral("5.1.1"));
    TfrxXMLItem *page = root->Add(QStringLiteral("TfrxReportPage"));
    page->SetProp(QStringLiteral("Name"), QStringLiteral("Page1"));
    TfrxXMLItem *memo = page->Add(QStringLiteral("TfrxMemoView"));
    memo->SetProp(QStringLiteral("Name"), QStringLiteral("Memo1"));
    memo->SetProp(QStringLiteral("Text"), QStringLiteral("Иванов & \"сын\"\r\n<ok>"));
}

TEST(XMLWriter, AutoIndentPutsEachTagOnItsOwnLine)
{
    TfrxXMLDocument doc;
    buildReport(doc.Root());
    doc.SetAutoIndent(true);
    const QByteArray expected = "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?>\r\n"
                                "<TfrxReport Version=\"5.1.1\">\r\n"
                                "  <TfrxReportPage Name=\"Page1\">\r\n"
                                "    <TfrxMemoView Name=\"Memo1\" Text=\"Иванов & &#34;сын&#34;&#13;&#10;&#60;ok&#62;\"/>\r\n"
                                "  </TfrxReportPage>\r\n"
                                "</TfrxReport>\r\n";
    EXPECT_EQ(save(doc), expected);

    doc.SetAutoIndent(false);
    QByteArray oneLine = expected;
    oneLine.replace("\r\n", "").replace("  ", "");
    EXPECT_EQ(save(doc), oneLine);
}

TEST(XMLWriter, ValueIsWrittenButNotReadBack)
{
    TfrxXMLDocument doc;
    doc.Root()->SetName(QStringLiteral("r"));
    TfrxXMLItem *item = doc.Root()->Add(QStringLiteral("item"));
    item->SetValue(QStringLiteral("content"));
    doc.Root()->Add(QStringLiteral("unloadable"))->SetUnloadable(true);
    const QByteArray bytes = save(doc);
    EXPECT_TRUE(bytes.endsWith(R"(<r><item>content</item><unloadable  ld="0"/></r>)")) << bytes.constData();
    load(doc, bytes);
    EXPECT_EQ(dumpItem(*doc.Root()), "r[item unloadable]");
    EXPECT_TRUE(doc.Root()->Items(0)->Value().isEmpty());
    EXPECT_TRUE(doc.Root()->Items(1)->Unloadable()) << "a full load keeps the mark";
}

TEST(XMLWriter, ValueCannotBreakTheFile)
{
    TfrxXMLDocument doc;
    doc.Root()->SetName(QStringLiteral("r"));
    doc.Root()->Add(QStringLiteral("item"))->SetValue(QStringLiteral("a<b>&"));
    doc.Root()->Add(QStringLiteral("next"));
    const QByteArray bytes = save(doc);
    EXPECT_TRUE(bytes.endsWith("<item>a&#60;b&#62;&</item><next/></r>")) << bytes.constData();
    load(doc, bytes); // failed with "Invalid file format" while the value went out as it was
    EXPECT_EQ(dumpItem(*doc.Root()), "r[item next]");
}

TEST(XMLWriter, RefusesNamesThatCannotBeReadBack)
{
    for (const char *name : {"", "a b", "/a", "a/", "a<b", "a>", "!--x"}) {
        TfrxXMLDocument doc;
        doc.Root()->SetName(QStringLiteral("r"));
        doc.Root()->Add(QString::fromLatin1(name));
        EXPECT_THROW(save(doc), std::invalid_argument) << name;
    }
    TfrxXMLDocument empty;
    EXPECT_EQ(save(empty), QByteArray(R"(<?xml version="1.0" encoding="utf-8" standalone="no"?>)"));
    load(empty, save(empty));
    EXPECT_EQ(dumpItem(*empty.Root()), "");
}

TEST(XMLDocument, RoundTripKeepsTreeAndRawTexts)
{
    TfrxXMLDocument doc;
    buildReport(doc.Root());
    TfrxXMLItem *memo = doc.Root()->Items(0)->Items(0);
    memo->SetText(memo->Text() + QStringLiteral(" Raw=\"&amp;&#65;\""));
    const std::string tree = dumpItem(*doc.Root());
    for (bool indent : {false, true}) {
        doc.SetAutoIndent(indent);
        TfrxXMLDocument copy;
        load(copy, save(doc));
        EXPECT_EQ(dumpItem(*copy.Root()), tree);
        EXPECT_EQ(copy.Root()->Items(0)->Items(0)->Prop(QStringLiteral("text")),
                  QStringLiteral("Иванов & \"сын\"\r\n<ok>"));
    }
}

// Texts that end the way an empty element's tag ends, on elements with and without children, come
// back as they were.
TEST(XMLDocument, TextsEndingLikeATagEndSurviveSaveAndLoad)
{
    for (const QString &text : {QStringLiteral("/"), QStringLiteral("a=\"1\" /"), QStringLiteral("x//")}) {
        SCOPED_TRACE(text.toStdString());
        TfrxXMLDocument doc;
        doc.Root()->SetName(QStringLiteral("r"));
        doc.Root()->SetText(text);
        doc.Root()->Add(QStringLiteral("full"))->SetText(text);
        doc.Root()->Items(0)->Add(QStringLiteral("c"));
        doc.Root()->Add(QStringLiteral("empty"))->SetText(text);
        const std::string tree = dumpItem(*doc.Root());
        TfrxXMLDocument copy;
        load(copy, save(doc));
        EXPECT_EQ(dumpItem(*copy.Root()), tree);
    }
}

// A document of many page elements, most of them moved out of memory.
class PagesDocument : public testing::Test
{
protected:
    static constexpr int kPages = 10000;

    void SetUp() override
    {
        ASSERT_TRUE(FTemp.isValid());
        doc.SetTempDir(FTemp.path());
        doc.Root()->SetName(QStringLiteral("preparedreport"));
        pages = doc.Root()->Add(QStringLiteral("previewpages"));
        for (int i = 0; i < kPages; ++i) {
            TfrxXMLItem *page = pages->Add(QStringLiteral("page"));
            page->SetProp(QStringLiteral("n"), QString::number(i));
            page->SetUnloadable(true);
            for (int j = 0; j < i % 3; ++j)
                page->Add(QStringLiteral("m"))->SetProp(QStringLiteral("t"), QStringLiteral("Стр %1.%2").arg(i).arg(j));
        }
        expected = dumpItem(*doc.Root());
    }

    int tempFiles() const { return int(QDir(FTemp.path()).entryList(QDir::Files).size()); }

    QTemporaryDir FTemp;
    TfrxXMLDocument doc;
    TfrxXMLItem *pages = nullptr;
    std::string expected;
};

TEST_F(PagesDocument, UnloadAndLoadBringsEveryPageBackIntact)
{
    for (int i = 0; i < kPages; ++i)
        if (i % 10 != 0)
            doc.UnloadItem(pages->Items(i));
    const QString tempName = doc.TempFileName();
    EXPECT_TRUE(QFile::exists(tempName));
    EXPECT_FALSE(pages->Items(1)->Loaded());
    EXPECT_EQ(pages->Items(1)->Count(), 0);
    EXPECT_EQ(pages->Items(1)->Prop(QStringLiteral("n")), QStringLiteral("1")) << "name and text stay";

    // writing reads unloaded pages back and unloads them again
    TfrxXMLDocument copy;
    load(copy, save(doc));
    EXPECT_EQ(dumpItem(*copy.Root()), expected);
    EXPECT_FALSE(pages->Items(5)->Loaded());

    for (int i = 0; i < kPages; ++i)
        doc.LoadItem(pages->Items(i));
    EXPECT_EQ(dumpItem(*doc.Root()), expected);
    doc.Clear();
    EXPECT_FALSE(QFile::exists(tempName));
}

TEST_F(PagesDocument, PartialLoadThenUnloadKeepsOffsetsValid)
{
    const QString file = QDir(FTemp.path()).filePath(QStringLiteral("report.zi3"));
    doc.SaveToFile(file); // saved, then loaded partially from the file itself
    EXPECT_EQ(tempFiles(), 1);
    pages = doc.Root()->Items(0);
    ASSERT_EQ(pages->Count(), kPages);
    EXPECT_FALSE(pages->Items(7)->Loaded());
    EXPECT_EQ(pages->Items(7)->Prop(QStringLiteral("n")), QStringLiteral("7"));

    // The first unload moves the backing to a temporary file; pages still unloaded must keep
    // pointing at their own bytes (they used to point into the wrong file).
    doc.LoadItem(pages->Items(1));
    doc.UnloadItem(pages->Items(1));
    const QString tempName = doc.TempFileName();
    EXPECT_TRUE(QFile::exists(tempName));
    for (int i = kPages - 1; i >= 0; --i)
        doc.LoadItem(pages->Items(i));
    EXPECT_EQ(dumpItem(*doc.Root()), expected);

    doc.Clear();
    EXPECT_FALSE(QFile::exists(tempName)) << "the temporary file is removed";
    EXPECT_EQ(tempFiles(), 1);
}

TEST_F(PagesDocument, SavingOverTheBackingFileKeepsEveryPage)
{
    const QString file = QDir(FTemp.path()).filePath(QStringLiteral("report.zi3"));
    doc.SaveToFile(file);
    doc.SaveToFile(file); // reads the unloaded pages from the file it replaces
    pages = doc.Root()->Items(0);
    for (int i = 0; i < kPages; ++i)
        doc.LoadItem(pages->Items(i));
    EXPECT_EQ(dumpItem(*doc.Root()), expected);
    EXPECT_EQ(tempFiles(), 1);
}

TEST_F(PagesDocument, DamagedTemporaryFileIsAnErrorAndIsRemoved)
{
    for (int i = 0; i < 3; ++i)
        doc.UnloadItem(pages->Items(i));
    const QString name = doc.TempFileName();
    ASSERT_TRUE(QFile::resize(name, 20));
    EXPECT_THROW(doc.LoadItem(pages->Items(2)), TfrxInvalidXMLException);
    EXPECT_FALSE(pages->Items(2)->Loaded());
    EXPECT_EQ(pages->Items(2)->Count(), 0);
    ASSERT_TRUE(QFile::remove(name)); // vanished: the open file still answers on this system
    QString otherName;
    {
        TfrxXMLDocument other;
        other.SetTempDir(FTemp.path());
        TfrxXMLItem *page = other.Root()->Add(QStringLiteral("page"));
        page->SetUnloadable(true);
        other.UnloadItem(page);
        otherName = other.TempFileName();
        EXPECT_TRUE(otherName.startsWith(FTemp.path() + QStringLiteral("/fr")));
        EXPECT_TRUE(QFile::exists(otherName));
    }
    EXPECT_FALSE(QFile::exists(otherName)) << "destroying the document removes its temporary file";
}

TEST(XMLDocument, UnloadingAnElementWithoutChildren)
{
    TfrxXMLDocument doc;
    doc.Root()->SetName(QStringLiteral("r"));
    TfrxXMLItem *empty = doc.Root()->Add(QStringLiteral("page"));
    empty->SetUnloadable(true);
    TfrxXMLItem *plain = doc.Root()->Add(QStringLiteral("page"));
    doc.UnloadItem(empty);
    doc.UnloadItem(plain); // not unloadable: stays
    EXPECT_FALSE(empty->Loaded());
    EXPECT_TRUE(plain->Loaded());
    doc.LoadItem(empty);
    EXPECT_TRUE(empty->Loaded());
    EXPECT_EQ(empty->Count(), 0);
    EXPECT_TRUE(empty->Text().isEmpty());
}

TEST(XMLDocument, FileErrorsNameTheFile)
{
    TfrxXMLDocument doc;
    try {
        doc.LoadFromFile(QStringLiteral("/nonexistent/x.ze3"));
        FAIL();
    } catch (const TfrxFileException &e) {
        EXPECT_EQ(e.FileName(), QStringLiteral("/nonexistent/x.ze3"));
    }
    doc.Root()->SetName(QStringLiteral("r"));
    EXPECT_THROW(doc.SaveToFile(QStringLiteral("/nonexistent/x.ze3")), TfrxFileException);
    EXPECT_EQ(doc.Root()->Name(), QStringLiteral("r")) << "a failed save leaves the document";
}

} // namespace

namespace {

TEST(XMLDocument, ItemsKeepTheirTextAfterTheirDocumentGoes)
{
    TfrxXMLItem keeper;
    {
        TfrxXMLDocument doc;
        QByteArray bytes = R"(<?xml version="1.0" encoding="utf-8" standalone="no"?><r>)";
        for (int i = 0; i < 500; ++i)
            bytes += QStringLiteral(R"(<m Name="Memo%1" Text="Текст %1"/>)").arg(i).toUtf8();
        load(doc, bytes + "</r>");
        keeper.AddItem(doc.Root()->Items(7));
        keeper.AddItem(doc.Root()->Items(400));
    }
    EXPECT_EQ(keeper.Items(0)->Prop(QStringLiteral("Text")), QStringLiteral("Текст 7"));
    EXPECT_EQ(keeper.Items(1)->Text(), QStringLiteral(R"(Name="Memo401" Text="Текст 401")"));
}

} // namespace

namespace {

// Pages of an old single-byte file stay in that encoding in the temporary file's copy of it, while
// pages written there later are UTF-8: each must come back with its own decoding.
TEST(XMLDocument, OldFormatPagesComeBackAfterUnloading)
{
    const QByteArray cp1251Text = "\xD1\xF2\xF0"; // "Стр"
    QByteArray bytes = R"(<?xml version="1.0" encoding="utf-8"?><pages>)";
    for (int i = 0; i < 3; ++i)
        bytes += R"(<page n=")" + QByteArray::number(i) + R"(" ld="0"><m t=")" + cp1251Text + R"("/></page>)";
    bytes += "</pages>";

    QTemporaryDir temp;
    TfrxXMLDocument doc;
    doc.SetTempDir(temp.path());
    doc.LoadFromStream(std::make_unique<ByteStream>(bytes), true);
    ASSERT_TRUE(doc.OldVersion());
    TfrxXMLItem *pages = doc.Root();
    doc.LoadItem(pages->Items(0));
    doc.UnloadItem(pages->Items(0)); // now the backing is a temporary copy plus this page in UTF-8
    EXPECT_FALSE(doc.TempFileName().isEmpty());
    for (int i = 0; i < 3; ++i) {
        doc.LoadItem(pages->Items(i));
        ASSERT_EQ(pages->Items(i)->Count(), 1) << i;
        EXPECT_EQ(pages->Items(i)->Items(0)->Prop(QStringLiteral("t")), QStringLiteral("Стр")) << i;
    }
}

} // namespace
