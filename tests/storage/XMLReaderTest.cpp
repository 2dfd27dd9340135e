#include "TfrxFileException.h"
#include "TfrxInvalidXMLException.h"
#include "TfrxXMLDocument.h"
#include "TfrxXMLItem.h"
#include "TfrxXMLReader.h"

#include "XMLTestUtil.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kHeader = R"(<?xml version="1.0" encoding="utf-8" standalone="no"?>)";

struct ReadCase
{
    const char *name;
    QByteArray input;
    std::string tree;  // expected dump of the root, or empty when reading fails
    qint64 errorAt = -1; // byte position of the failure
};

class XMLReadCases : public testing::TestWithParam<ReadCase>
{
};

TEST_P(XMLReadCases, Read)
{
    const ReadCase &c = GetParam();
    ByteStream stream(c.input);
    TfrxXMLDocument doc;
    if (c.errorAt < 0) {
        ASSERT_NO_THROW(doc.LoadFromStream(&stream));
        EXPECT_EQ(dumpItem(*doc.Root()), c.tree);
        return;
    }
    try {
        doc.LoadFromStream(&stream);
        FAIL() << "no error; read " << dumpItem(*doc.Root());
    } catch (const TfrxInvalidXMLException &e) {
        EXPECT_STREQ(e.what(), "Invalid file format");
        EXPECT_EQ(e.Position(), c.errorAt);
        EXPECT_EQ(dumpItem(*doc.Root()), c.tree) << "the part read before the error stays";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XMLReadCases,
    testing::Values(
        ReadCase{"EmptyElement", kHeader + "<a/>", "a"},
        ReadCase{"EmptyElementWithText", kHeader + R"(<a x="1"/>)", R"(a{x="1"})"},
        ReadCase{"EmptyElementWithSpace", kHeader + "<a />", "a"},
        ReadCase{"LeadingSpacesDropped", kHeader + R"(<a   x="1"/>)", R"(a{x="1"})"},
        ReadCase{"TrailingSpacesDropped", kHeader + R"(<a x="1"   ><b x="2"  /></a>)", R"(a{x="1"}[b{x="2"}])"},
        ReadCase{"Nested", kHeader + R"(<r v="5"><p n="1"><m/><m t="2"/></p><p/></r>)",
                 R"(r{v="5"}[p{n="1"}[m m{t="2"}] p])"},
        ReadCase{"TextBetweenTagsIgnored", kHeader + "<r>hello<a>x</a> tail</r>", "r[a]"},
        ReadCase{"CommentsAnywhere", "<!-- before -->" + kHeader + "<!--a--><r><!-- - -- ->--><a/><!----></r>", "r[a]"},
        ReadCase{"CommentWithTagInside", kHeader + "<r><!-- <b> --><a/></r>", "r[a]"},
        // "<!--" opens a comment at once; its own dashes do not close it
        ReadCase{"CommentOpenerNotCloser", kHeader + "<r><!-->--><a/></r>", "r[a]"},
        ReadCase{"EndTagCaseDiffers", kHeader + "<Page><b></B></PAGE>", "Page[b]"},
        ReadCase{"MissingEndTagsAtEnd", kHeader + "<r><a><b/>", "r[a[b]]"},
        ReadCase{"TextAfterRootIgnored", kHeader + "<r/>garbage", "r"},
        ReadCase{"HeaderOnly", kHeader, ""},
        ReadCase{"RawTextKept", kHeader + R"(<a Text="x&amp;y&#13;" Name="n"/>)", R"(a{Text="x&amp;y&#13;" Name="n"})"},
        ReadCase{"Utf8Text", kHeader + QByteArray(R"(<a t="Водитель"/>)"), R"(a{t="Водитель"})"},
        // bytes that are not UTF-8 become U+FFFD, the rest of the text is kept
        ReadCase{"InvalidUtf8", kHeader + QByteArray("<a t=\"x\xC3(\xFF\"/>"), "a{t=\"x\xEF\xBF\xBD(\xEF\xBF\xBD\"}"},
        ReadCase{"NotAHeader", "<r/>", "", 4},
        ReadCase{"Empty", "", "", 0},
        ReadCase{"LessThanInTag", kHeader + "<r><a x=\"<\"/></r>", "r", 63},
        ReadCase{"EndInsideTag", kHeader + "<r><a x=\"1\"", "r", 65},
        ReadCase{"EndInsideComment", kHeader + "<r><!-- x", "r", 63},
        ReadCase{"WrongEndTag", kHeader + "<r><a></b></r>", "r[a]", 64},
        ReadCase{"StrayEndTagAtRoot", kHeader + "</r>", "", 58}),
    [](const testing::TestParamInfo<ReadCase> &row) { return std::string(row.param.name); });

TEST(XMLReader, OldFormatHeaderReadsTheSingleByteCodePage)
{
    // "Водитель" in Windows-1251
    const QByteArray cp1251 = "\xC2\xEE\xE4\xE8\xF2\xE5\xEB\xFC";
    ByteStream oldStream(R"(<?xml version="1.0" encoding="utf-8"?><a t=")" + cp1251 + "\"/>");
    TfrxXMLDocument doc;
    doc.LoadFromStream(&oldStream);
    EXPECT_TRUE(doc.OldVersion());
    EXPECT_EQ(doc.Root()->Prop(QStringLiteral("t")), QStringLiteral("Водитель"));

    ByteStream newStream(kHeader + QByteArray(R"(<a t="Водитель"/>)"));
    doc.LoadFromStream(&newStream);
    EXPECT_FALSE(doc.OldVersion());
    EXPECT_EQ(doc.Root()->Prop(QStringLiteral("t")), QStringLiteral("Водитель"));

    // the undefined byte 0x98 survives the code page both ways
    ByteStream undefinedByte(R"(<?xml version="1.0"?><a t=")" + QByteArray("\x98") + "\"/>");
    doc.LoadFromStream(&undefinedByte);
    EXPECT_EQ(doc.Root()->Prop(QStringLiteral("t")), QString(QChar(0x98)));
}

TEST(XMLReader, LeavesTheStreamAfterTheLastTagRead)
{
    const QByteArray first = "<a><b/></a>";
    ByteStream stream(first + QByteArray(10000, 'x'));
    {
        TfrxXMLReader reader(&stream);
        TfrxXMLItem item;
        EXPECT_TRUE(reader.ReadRootItem(&item));
        EXPECT_EQ(dumpItem(item), "a[b]");
    }
    EXPECT_EQ(stream.pos(), first.size());
}

// A stream that counts what is read from it and can be told to fail.
class WatchedStream : public QIODevice
{
public:
    explicit WatchedStream(QByteArray data) : FData(std::move(data)) { open(QIODevice::ReadOnly); }
    qint64 size() const override { return FData.size(); }
    bool failing = false;
    qint64 furthest = 0;

protected:
    qint64 readData(char *out, qint64 max) override
    {
        if (failing) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        const qint64 n = std::min(max, FData.size() - pos());
        std::memcpy(out, FData.constData() + pos(), size_t(n));
        furthest = std::max(furthest, pos() + n);
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray FData;
};

TEST(XMLReader, StopsAtTheSizeSeenAtTheStartAndReportsReadErrors)
{
    WatchedStream stream(kHeader + "<r><a/></r>");
    TfrxXMLDocument doc;
    doc.LoadFromStream(&stream);
    EXPECT_EQ(stream.furthest, stream.size());

    WatchedStream broken(kHeader + "<r/>");
    broken.failing = true;
    try {
        doc.LoadFromStream(&broken);
        FAIL();
    } catch (const TfrxFileException &e) {
        EXPECT_STREQ(e.what(), "stream: Input/output error");
    }
}

TEST(XMLReader, DeepNestingIsRefusedWithoutExhaustingTheStack)
{
    QByteArray deep = kHeader;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    ByteStream stream(deep);
    TfrxXMLDocument doc;
    EXPECT_THROW(doc.LoadFromStream(&stream), TfrxInvalidXMLException);

    QByteArray allowed = kHeader;
    for (int i = 0; i < TfrxXMLReader::MaxDepth; ++i)
        allowed += "<a>";
    ByteStream okStream(allowed);
    EXPECT_NO_THROW(doc.LoadFromStream(&okStream));
}

TEST(XMLReader, HugeAttributeIsReadWhole)
{
    const qsizetype size = 100 * 1024 * 1024;
    QByteArray input = kHeader + "<a v=\"";
    input.append(size, 'q');
    input += "\"/>";
    ByteStream stream(input);
    input.clear();
    TfrxXMLDocument doc;
    doc.LoadFromStream(&stream);
    EXPECT_EQ(doc.Root()->Text().size(), size + 4);
}

} // namespace

namespace {

TEST(XMLReader, UnloadMarkerIsFoundAnywhereInTheText)
{
    for (int pad = 0; pad < 40; ++pad) {
        for (const char *marker : {R"( ld="0")", R"( LD="0")"}) {
            const QByteArray text = "a=\"" + QByteArray(pad, 'x') + "\" z=\"0\"" + marker + " b=\"0\"";
            auto stream = std::make_unique<ByteStream>(kHeader + "<r><page " + text + "><m/></page></r>");
            TfrxXMLDocument doc;
            doc.LoadFromStream(std::move(stream), true);
            const TfrxXMLItem *page = doc.Root()->Items(0);
            EXPECT_TRUE(page->Unloadable()) << pad;
            EXPECT_FALSE(page->Loaded()) << pad;
            EXPECT_EQ(page->Count(), 0);
            EXPECT_EQ(page->Offset(), quint64(kHeader.size() + 3));
            EXPECT_EQ(page->Text(), QString::fromLatin1("a=\"" + QByteArray(pad, 'x') + "\" z=\"0\" b=\"0\""));
        }
    }
    // taking one mark out can close up a new one in front of it
    ByteStream nested(kHeader + R"(<r><page n="1" ld="0 ld="0""0"/></r>)");
    TfrxXMLDocument nestedDoc;
    nestedDoc.LoadFromStream(&nested);
    EXPECT_EQ(nestedDoc.Root()->Items(0)->Text(), QStringLiteral(R"(n="1"0")"));

    // "old" ends in "ld" but is not the marker
    ByteStream plain(kHeader + R"(<r old="0"/>)");
    TfrxXMLDocument doc;
    doc.LoadFromStream(&plain);
    EXPECT_FALSE(doc.Root()->Unloadable());
}

} // namespace

namespace {

// The reader works on a 4096-byte buffer: every tag, comment and mark must read the same wherever
// the buffer's end falls inside it.
TEST(XMLReader, TagsAcrossTheBufferBoundary)
{
    const QByteArray body = R"(<r><page a="1" ld="0" b="2"><!-- c<> --><m t="x"/></page><q/></r>)";
    for (qsizetype pad = 4096 - kHeader.size() - body.size() - 4; pad < 4096 - kHeader.size() + 4; ++pad) {
        const QByteArray input = kHeader + QByteArray(pad, ' ') + body;
        TfrxXMLDocument full;
        ByteStream in(input);
        full.LoadFromStream(&in);
        ASSERT_EQ(dumpItem(*full.Root()), R"(r[page{a="1" b="2"}[m{t="x"}] q])") << pad;

        TfrxXMLDocument partial;
        partial.LoadFromStream(std::make_unique<ByteStream>(input), true);
        TfrxXMLItem *page = partial.Root()->Items(0);
        ASSERT_FALSE(page->Loaded()) << pad;
        partial.LoadItem(page);
        ASSERT_EQ(dumpItem(*partial.Root()), R"(r[page{a="1" b="2"}[m{t="x"}] q])") << pad;
    }
}

} // namespace
