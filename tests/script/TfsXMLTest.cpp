#include "TfsError.h"
#include "TfsXMLDocument.h"
#include "TfsXMLItem.h"

#include <gtest/gtest.h>

namespace {

void load(TfsXMLDocument &doc, const char *text)
{
    doc.LoadFromBytes(QByteArray(text));
}

QString loadError(const QByteArray &text)
{
    TfsXMLDocument doc;
    try {
        doc.LoadFromBytes(text);
    } catch (const TfsError &e) {
        return e.Message();
    }
    return {};
}

} // namespace

TEST(TfsXMLItem, PropsAreFoundIgnoringCaseAndUnescaped)
{
    TfsXMLItem item(QStringLiteral("leaf"), QStringLiteral(" Text=\"a&#60;b&quot;c\" pos=\"3:5\""));
    EXPECT_EQ(item.Prop(QStringLiteral("text")), QStringLiteral("a<b\"c"));
    EXPECT_EQ(item.Prop(QStringLiteral("POS")), QStringLiteral("3:5"));
    EXPECT_EQ(item.Prop(QStringLiteral("po")), QString()); // a prefix of a name is not the name
    EXPECT_EQ(item.Prop(QStringLiteral("missing")), QString());
}

TEST(TfsXMLItem, SetPropReplacesOrAppendsEscaped)
{
    TfsXMLItem item(QStringLiteral("x"), QStringLiteral(" a=\"1\" b=\"2\""));
    item.SetProp(QStringLiteral("a"), QStringLiteral("<&>\"\n"));
    item.SetProp(QStringLiteral("c"), QStringLiteral("&quot;"));
    EXPECT_EQ(item.Text(), QStringLiteral(" a=\"&#60;&#38;&#62;&#34;&#10;\" b=\"2\" c=\"&#38;quot;\""));
    EXPECT_EQ(item.Prop(QStringLiteral("a")), QStringLiteral("<&>\"\n"));
    // Escaping survives a round trip: the literal text "&quot;" stays literal.
    EXPECT_EQ(item.Prop(QStringLiteral("c")), QStringLiteral("&quot;"));
}

TEST(TfsXMLItem, MalformedReferencesStayLiteral)
{
    const struct
    {
        const char16_t *escaped;
        const char16_t *plain;
    } cases[] = {
        {u"&#;", u"&#;"},
        {u"&#x41;", u"&#x41;"},         // only decimal references are read
        {u"&#1114112;", u"&#1114112;"}, // above U+10FFFF
        {u"&#55296;", u"&#55296;"},     // a surrogate
        {u"&#99999999999999999999;", u"&#99999999999999999999;"},
        {u"&#65;&#66", u"A&#66"},
        {u"R&D", u"R&D"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TfsXMLItem::XMLToStr(QString::fromUtf16(c.escaped)), QString::fromUtf16(c.plain));
}

TEST(TfsXMLItem, FindItemAddsMissingChild)
{
    TfsXMLItem root(QStringLiteral("root"));
    root.Add(QStringLiteral("Parser"));
    EXPECT_EQ(root.Find(QStringLiteral("parser")), 0);
    EXPECT_EQ(root.Find(QStringLiteral("types")), -1);
    TfsXMLItem *types = root.FindItem(QStringLiteral("types"));
    EXPECT_EQ(root.Count(), 2);
    EXPECT_EQ(types->Parent(), &root);
}

TEST(TfsXMLDocument, ReadsTreeSkippingTextAndComments)
{
    TfsXMLDocument doc;
    load(doc, "<?xml version=\"1.0\"?>\n<!-- a <comment> -->\n<language text=\"X\">text<a/><B k=\"v\"/>"
              "<c><d/></C></language>trailing");
    const TfsXMLItem *root = doc.Root();
    EXPECT_EQ(root->Name(), QStringLiteral("language"));
    EXPECT_EQ(root->Text(), QStringLiteral(" text=\"X\""));
    ASSERT_EQ(root->Count(), 3);
    EXPECT_EQ(root->Item(1)->Prop(QStringLiteral("k")), QStringLiteral("v"));
    EXPECT_EQ(root->Item(2)->Item(0)->Name(), QStringLiteral("d"));
}

TEST(TfsXMLDocument, MalformedTextIsInvalidFileFormat)
{
    const char *cases[] = {
        "",
        "<root/>",                            // no "?xml" item first
        "<?xml version=\"1.0\"?>",            // no root
        "<?xml version=\"1.0\"?><a><b></a>",  // wrong closing name
        "<?xml version=\"1.0\"?><a><b",       // unterminated tag
        "<?xml version=\"1.0\"?><a <b>></a>", // '<' inside a tag
        "<?xml version=\"1.0\"?><a><b/>",     // root never closed
        "<?xml version=\"1.0\"?><!-- open",   // comment never closed
    };
    for (const char *text : cases)
        EXPECT_EQ(loadError(text), QStringLiteral("Invalid file format")) << text;
}

TEST(TfsXMLDocument, NestingIsBounded)
{
    const int ok = TfsXMLDocument::MaxDepth;
    QByteArray deep =
        "<?xml version=\"1.0\"?>" + QByteArray("<a>").repeated(ok) + QByteArray("</a>").repeated(ok);
    EXPECT_EQ(loadError(deep), QString());
    const int tooDeep = 100000;
    deep = "<?xml version=\"1.0\"?>" + QByteArray("<a>").repeated(tooDeep) +
           QByteArray("</a>").repeated(tooDeep);
    EXPECT_EQ(loadError(deep), QStringLiteral("Invalid file format"));
}

TEST(TfsXMLDocument, WritesAndReadsBack)
{
    TfsXMLDocument doc;
    doc.Root()->SetName(QStringLiteral("program"));
    TfsXMLItem *leaf = doc.Root()->Add(QStringLiteral("string"));
    leaf->SetProp(QStringLiteral("text"), QStringLiteral("'Привет <мир> & \"x\"'"));
    doc.Root()->Add(QStringLiteral("empty"));
    EXPECT_EQ(doc.SaveToBytes(),
              QByteArray("<?xml version=\"1.0\"?><program><string text=\"'Привет &#60;мир&#62; &#38; "
                         "&#34;x&#34;'\"/><empty/></program>"));
    doc.SetAutoIndent(true);
    const QByteArray indented = doc.SaveToBytes();
    EXPECT_TRUE(indented.contains("\r\n  <empty/>\r\n</program>\r\n"));

    TfsXMLDocument back;
    back.LoadFromBytes(indented);
    back.SetAutoIndent(true);
    EXPECT_EQ(back.Root()->Item(0)->Prop(QStringLiteral("text")), QStringLiteral("'Привет <мир> & \"x\"'"));
    EXPECT_EQ(back.SaveToBytes(), indented);
}
