// A prepared report read from a file is checked like a template: what does not resolve is named in
// the report's errors with its place, nothing is created where its class may not stand, and a
// damaged file loads no pages rather than blank ones.
#include "EngineFixture.h"

#include "TfrxReportOptions.h"

#include <QBuffer>

namespace {

class PreparedLoad : public EngineFixture
{
protected:
    // One page with a band holding one text object: "<page0><b1 ...><m1 .../></b1></page0>".
    QByteArray PreparedText()
    {
        TfrxReportTitle *title = AddBand<TfrxReportTitle>(QStringLiteral("Title"), 0, 40);
        AddMemo(title, QStringLiteral("Memo1"), 0, 0, 100, 20, QStringLiteral("текст"));
        EXPECT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        Pages()->SaveToStream(&buffer);
        return buffer.data();
    }

    // Loads the bytes into a report of its own; the errors and the number of pages come back.
    struct Loaded
    {
        QStringList Errors;
        int Pages;
        QStringList Classes; // class names of every object on the first page
    };
    static Loaded Load(const QByteArray &bytes)
    {
        TfrxReport report;
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        report.PreviewPages()->LoadFromStream(&buffer);
        Loaded loaded{report.Errors(), report.PreviewPages()->GetCount(), {}};
        if (TfrxReportPage *page = report.PreviewPages()->GetPage(0))
            for (TfrxComponent *obj : page->GetAllObjects())
                loaded.Classes << QString::fromLatin1(obj->metaObject()->className());
        return loaded;
    }
};

TEST_F(PreparedLoad, EveryDamageIsNamedWithItsPlace)
{
    const QByteArray good = PreparedText();
    ASSERT_TRUE(good.contains("<m1 ")) << good.toStdString();
    ASSERT_TRUE(good.contains("name=\"Page0.Memo1\"")) << good.toStdString();
    const Loaded intact = Load(good);
    ASSERT_TRUE(intact.Errors.isEmpty()) << intact.Errors.join(u'\n').toStdString();
    ASSERT_EQ(intact.Classes,
              (QStringList{QStringLiteral("TfrxReportTitle"), QStringLiteral("TfrxMemoView")}));

    // The first occurrence replaced: the pages come before the dictionary.
    const auto edited = [&good](const char *from, const char *to) {
        QByteArray bytes = good;
        return bytes.replace(bytes.indexOf(from), qstrlen(from), to);
    };
    struct Case
    {
        const char *Name;
        QByteArray Bytes;
        QString Error; // one of the errors (the list is sorted)
        int Pages;
        QStringList Classes; // what the first page still holds
    };
    const QStringList both = intact.Classes;
    const QStringList titleOnly{QStringLiteral("TfrxReportTitle")};
    const Case cases[] = {
        {"truncated", good.left(good.size() / 2), QStringLiteral("Invalid file format"), 0, {}},
        {"a template, not a prepared report",
         "<?xml version=\"1.0\"?><TfrxReport><TfrxReportPage/></TfrxReport>",
         QStringLiteral("Invalid file format"),
         0,
         {}},
        {"an unknown alias", edited("<m1 ", "<m99 "), QStringLiteral("Cannot find class m99 (page 1)"), 1,
         titleOnly},
        {"an unknown class", edited("<m1 ", "<TNoSuchView "),
         QStringLiteral("Cannot find class TNoSuchView (page 1)"), 1, titleOnly},
        {"a report under a band", edited("<m1 ", "<TfrxReport/><m1 "),
         QStringLiteral("Cannot find class TfrxReport (page 1)"), 1, both},
        {"a page under a page", edited("<page0>", "<page0><TfrxReportPage/>"),
         QStringLiteral("Cannot find class TfrxReportPage (page 1)"), 1, both},
        {"a band under a band", edited("<m1 ", "<TfrxMasterData/><m1 "),
         QStringLiteral("Cannot find class TfrxMasterData (page 1)"), 1, both},
        {"a page of no source page",
         QByteArray(good).replace("page0>", "page7>"),
         QStringLiteral("Cannot find source page of page 1 (page7)"),
         1,
         {}},
        {"a dictionary entry of no object", edited("name=\"Page0.Memo1\"", "name=\"Page0.Nothing\""),
         QStringLiteral("Cannot find class m1 (page 1)"), 1, titleOnly},
        // Before the check this leaked the text object it created.
        {"a view under \"sourcepages\"",
         edited("<sourcepages>", "<sourcepages><TfrxMemoView Name=\"X\"/>"),
         QStringLiteral("Invalid file format"),
         1,
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        const Loaded loaded = Load(c.Bytes);
        EXPECT_TRUE(loaded.Errors.contains(c.Error)) << loaded.Errors.join(u'\n').toStdString();
        EXPECT_EQ(loaded.Pages, c.Pages);
        EXPECT_EQ(loaded.Classes, c.Classes);
    }
    EXPECT_TRUE(Load(edited("name=\"Page0.Memo1\"", "name=\"Page0.Nothing\""))
                    .Errors.contains(QStringLiteral("Cannot find object Page0.Nothing of alias m1")));
}

} // namespace
