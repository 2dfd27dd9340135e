#include "TfrxXMLItem.h"

#include "XMLTestUtil.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(XMLItem, ChildrenAreCreatedOnDemandAndOwned)
{
    TfrxXMLItem root;
    EXPECT_EQ(root.Count(), 0);
    TfrxXMLItem *page = root.Add(QStringLiteral("TfrxReportPage"));
    TfrxXMLItem *memo = page->Add(QStringLiteral("TfrxMemoView"));
    EXPECT_EQ(memo->Root(), &root);
    EXPECT_EQ(page->Parent(), &root);
    EXPECT_EQ(root.Find(QStringLiteral("tfrxreportpage")), 0);
    EXPECT_EQ(root.Find(QStringLiteral("missing")), -1);
    EXPECT_THROW(root.Items(1), std::out_of_range);

    delete memo; // leaves its parent's list
    EXPECT_EQ(page->Count(), 0);
    root.Clear();
    EXPECT_EQ(root.Count(), 0);
    EXPECT_TRUE(root.Loaded());
}

TEST(XMLItem, AddItemMovesAndInsertItemPlaces)
{
    TfrxXMLItem a, b;
    for (const char *n : {"x", "y", "z"})
        a.Add(QString::fromLatin1(n));
    TfrxXMLItem *x = a.Items(0);
    a.AddItem(x); // a child of its own parent moves to the end
    EXPECT_EQ(dumpItem(a), "[y z x]");
    b.AddItem(x);
    EXPECT_EQ(dumpItem(a), "[y z]");
    EXPECT_EQ(x->Parent(), &b);
    a.InsertItem(1, x);
    EXPECT_EQ(dumpItem(a), "[y x z]");
    EXPECT_EQ(b.Count(), 0);
    a.InsertItem(0, a.Items(2));
    EXPECT_EQ(dumpItem(a), "[z y x]");
    EXPECT_EQ(a.IndexOf(x), 2);
}

TEST(XMLItem, FindItemAddsWhenMissing)
{
    TfrxXMLItem root;
    TfrxXMLItem *vars = root.FindItem(QStringLiteral("Variables"));
    EXPECT_EQ(root.FindItem(QStringLiteral("VARIABLES")), vars);
    EXPECT_EQ(root.Count(), 1);
}

TEST(XMLItem, ClearUnloadsAnUnloadableItem)
{
    TfrxXMLItem page;
    page.Add(QStringLiteral("b"));
    page.SetUnloadable(true);
    page.Clear();
    EXPECT_FALSE(page.Loaded());
}

TEST(XMLItem, OffsetHoldsFortyBits)
{
    TfrxXMLItem item;
    item.SetOffset((quint64(0xAB) << 32) | 0x12345678u);
    EXPECT_EQ(item.Offset(), (quint64(0xAB) << 32) | 0x12345678u);
    EXPECT_THROW(item.SetOffset(quint64(1) << 40), std::out_of_range);
}

struct PropCase
{
    const char *name;
    const char *text;
    const char *op; // "get", "set", "del", "exists"
    const char *prop;
    QString value;       // for set
    QString expected;    // text after set/del, or the value for get, "1"/"0" for exists
};

class XMLItemProps : public testing::TestWithParam<PropCase>
{
};

TEST_P(XMLItemProps, Behave)
{
    const PropCase &c = GetParam();
    TfrxXMLItem item;
    item.SetText(QString::fromUtf8(c.text));
    const QString prop = QString::fromLatin1(c.prop);
    const std::string op = c.op;
    if (op == "get")
        EXPECT_EQ(item.Prop(prop), c.expected);
    else if (op == "exists")
        EXPECT_EQ(item.PropExists(prop) ? QStringLiteral("1") : QStringLiteral("0"), c.expected);
    else if (op == "set") {
        item.SetProp(prop, c.value);
        EXPECT_EQ(item.Text(), c.expected);
    } else {
        item.DeleteProp(prop);
        EXPECT_EQ(item.Text(), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XMLItemProps,
    testing::Values(
        PropCase{"GetFirst", R"(Name="Memo1" Left="10")", "get", "Name", {}, QStringLiteral("Memo1")},
        PropCase{"GetIgnoresCase", R"(Name="Memo1" LEFT="10")", "get", "left", {}, QStringLiteral("10")},
        PropCase{"GetUnescapes", R"(Text="a&#60;b&#13;&#10;c")", "get", "Text", {}, QStringLiteral("a<b\r\nc")},
        PropCase{"GetMissing", R"(Name="Memo1")", "get", "Left", {}, QString()},
        PropCase{"GetNotASuffix", R"(Font.Name="Arial" Name="M")", "get", "Name", {}, QStringLiteral("M")},
        PropCase{"GetUnclosedValue", R"(Name="abc)", "get", "Name", {}, QStringLiteral("abc")},
        // upper-casing "ß" gives two letters: the search must not slip by one
        PropCase{"GetAfterSharpS", R"(Text="ßßß" Left="5")", "get", "Left", {}, QStringLiteral("5")},
        PropCase{"ExistsYes", R"(a="" b="2")", "exists", "A", {}, QStringLiteral("1")},
        PropCase{"ExistsNo", R"(ab="1")", "exists", "b", {}, QStringLiteral("0")},
        PropCase{"SetAppends", R"(a="1")", "set", "b", QStringLiteral("x<y"), QStringLiteral(R"(a="1" b="x&#60;y")")},
        PropCase{"SetIntoEmpty", "", "set", "Name", QStringLiteral("P"), QStringLiteral(R"(Name="P")")},
        PropCase{"SetAfterTrailingSpace", R"(a="1" )", "set", "b", QStringLiteral("2"),
                 QStringLiteral(R"(a="1" b="2")")},
        PropCase{"SetKeepsPosition", R"(a="1" b="2" c="3")", "set", "B", QStringLiteral("long value"),
                 QStringLiteral(R"(a="1" B="long value" c="3")")},
        PropCase{"SetFirst", R"(a="1" b="2")", "set", "a", QString(), QStringLiteral(R"(a="" b="2")")},
        PropCase{"DeleteMiddle", R"(a="1" b="2" c="3")", "del", "b", {}, QStringLiteral(R"(a="1" c="3")")},
        PropCase{"DeleteFirst", R"(a="1" b="2")", "del", "A", {}, QStringLiteral(R"(b="2")")},
        PropCase{"DeleteOnly", R"(a="1")", "del", "a", {}, QString()},
        PropCase{"DeleteMissing", R"(a="1")", "del", "z", {}, QStringLiteral(R"(a="1")")}),
    [](const testing::TestParamInfo<PropCase> &row) { return std::string(row.param.name); });

} // namespace
