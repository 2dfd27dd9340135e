// Objects through the clipboard text: their places relative to the selection's corner, their
// names, the paste rules of the page, and text from elsewhere that must not break anything.
#include "DesignerTestSupport.h"
#include "TfrxBands.h"
#include "TfrxDataBand.h"
#include "TfrxClipboard.h"
#include "TfrxDataPage.h"
#include "TfrxMemoView.h"
#include "TfrxPictureView.h"
#include "TfrxReportPage.h"
#include "TfrxSubreport.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace designertest;

namespace {

QList<TfrxComponent *> Find(const TfrxReport &report, const QStringList &names)
{
    QList<TfrxComponent *> found;
    for (const QString &name : names)
        found.append(report.FindObject(name));
    return found;
}

TEST(Clipboard, CopiedObjectsKeepTheirPlacesAndNamesAndArRenamedWhenPastedAgain)
{
    auto certificate = LoadCertificate();
    const QList<TfrxComponent *> copied =
        Find(*certificate, {QStringLiteral("Memo5"), QStringLiteral("Memo6"), QStringLiteral("Memo7")});
    const QString text = TfrxClipboard::CopyText(copied);
    ASSERT_TRUE(text.startsWith(QStringLiteral("#ZE3 clipboard#\r\n")));
    EXPECT_EQ(text.count(QStringLiteral("<TfrxMemoView Name=")), 3);
    EXPECT_FALSE(text.count(u'\n') > 3) << "one line per element";

    auto target = EmptyReport();
    TfrxReportPage *page = FirstPage(*target);
    const TfrxClipboard::PasteResult first = TfrxClipboard::Paste(text, page);
    ASSERT_EQ(first.Placed.size(), 3);
    EXPECT_EQ(first.OnPage, first.Placed);
    EXPECT_EQ(first.Dropped, 0);
    double minLeft = 1e9, minTop = 1e9;
    for (TfrxComponent *c : copied) {
        minLeft = std::min(minLeft, c->AbsLeft());
        minTop = std::min(minTop, c->AbsTop());
    }
    for (int i = 0; i < 3; ++i) {
        TfrxComponent *pasted = first.Placed.at(i);
        EXPECT_EQ(pasted->Name(), copied.at(i)->Name());
        EXPECT_NEAR(pasted->Left(), copied.at(i)->AbsLeft() - minLeft, 1e-6);
        EXPECT_NEAR(pasted->Top(), copied.at(i)->AbsTop() - minTop, 1e-6);
        EXPECT_EQ(qobject_cast<TfrxMemoView *>(pasted)->Text(), qobject_cast<TfrxMemoView *>(copied.at(i))->Text());
        EXPECT_TRUE(pasted->IsDesigning());
    }
    const TfrxClipboard::PasteResult second = TfrxClipboard::Paste(text, page);
    ASSERT_EQ(second.Placed.size(), 3);
    QSet<QString> names;
    for (TfrxComponent *c : target->GetAllObjects())
        names.insert(c->Name().toLower());
    EXPECT_EQ(names.size(), target->GetAllObjects().size()) << "every name in the report is still unique";
    EXPECT_NE(second.Placed.front()->Name(), QStringLiteral("Memo5"));
}

TEST(Clipboard, ABandBringsItsObjectsWhichLandInThePastedBand)
{
    auto source = EmptyReport();
    auto *band = new TfrxMasterData(FirstPage(*source));
    band->SetName(QStringLiteral("MasterData1"));
    band->SetBounds(0, 100, 700, 40);
    AddMemo(band, QStringLiteral("Field"), 30, 5);
    AddMemo(band, QStringLiteral("Other"), 200, 10);
    const QString text = TfrxClipboard::CopyText(QList<TfrxComponent *>{band});
    EXPECT_EQ(text.count(u'\n'), 3) << "the band and both of its objects";

    auto target = EmptyReport();
    const TfrxClipboard::PasteResult result = TfrxClipboard::Paste(text, FirstPage(*target));
    ASSERT_EQ(result.Placed.size(), 3);
    EXPECT_EQ(result.OnPage.size(), 1) << "only the band lies directly on the page";
    auto *pasted = qobject_cast<TfrxBand *>(result.OnPage.front());
    ASSERT_NE(pasted, nullptr);
    EXPECT_NEAR(pasted->Top(), 0, 1e-6);
    ASSERT_EQ(pasted->Objects().size(), 2);
    EXPECT_NEAR(pasted->Objects().front()->Left(), 30, 1e-6);
    EXPECT_NEAR(pasted->Objects().front()->Top(), 5, 1e-6) << "top made relative to the band again";
}

TEST(Clipboard, PasteRulesOfThePage)
{
    auto source = EmptyReport();
    auto *header = new TfrxPageHeader(FirstPage(*source));
    header->SetName(QStringLiteral("PageHeader1"));
    header->SetBounds(0, 0, 700, 30);
    auto *memo = AddMemo(FirstPage(*source), QStringLiteral("Loose"), 10, 200);
    const QString text = TfrxClipboard::CopyText(QList<TfrxComponent *>{header, memo, FirstPage(*source)});
    EXPECT_EQ(text.count(u'\n'), 2) << "the page itself is never copied";

    auto target = EmptyReport();
    TfrxReportPage *page = FirstPage(*target);
    auto *own = new TfrxPageHeader(page);
    own->SetName(QStringLiteral("PageHeader1"));
    const int before = int(target->GetAllObjects().size());
    const TfrxClipboard::PasteResult result = TfrxClipboard::Paste(text, page);
    EXPECT_EQ(result.Dropped, 1) << "a page has one page header";
    ASSERT_EQ(result.Placed.size(), 1);
    EXPECT_EQ(result.Placed.front()->Name(), QStringLiteral("Loose"));
    EXPECT_EQ(target->GetAllObjects().size(), before + 1) << "the dropped header is freed, not left in the report";

    // Only text objects, lines, shapes and dialog components go on the data page.
    TfrxDataPage *data = nullptr;
    for (TfrxComponent *c : target->Objects())
        if ((data = qobject_cast<TfrxDataPage *>(c)) != nullptr)
            break;
    ASSERT_NE(data, nullptr);
    const TfrxClipboard::PasteResult onData = TfrxClipboard::Paste(text, data);
    EXPECT_EQ(onData.Dropped, 1);
    EXPECT_EQ(onData.Placed.size(), 1);
}

TEST(Clipboard, TextFromElsewhereChangesNothing)
{
    auto target = EmptyReport();
    TfrxReportPage *page = FirstPage(*target);
    const QByteArray before = TemplateText(*target);
    struct Case {
        const char *name;
        QString text;
    };
    const Case cases[] = {
        {"foreign text", QStringLiteral("just some words")},
        {"broken element", QStringLiteral("#ZE3 clipboard#\r\n<TfrxMemoView Name=\"A\" Left=\"1\"/>\r\n<TfrxMemoView Name=\"B")},
        {"not xml", QStringLiteral("#ZE3 clipboard#\r\nhello")},
        {"only the marker", QStringLiteral("#ZE3 clipboard#")},
        {"a page", QStringLiteral("#ZE3 clipboard#\r\n<TfrxReportPage Name=\"Evil\"/>")},
        {"a report", QStringLiteral("#ZE3 clipboard#\r\n<TfrxReport Name=\"Evil\"/>")},
    };
    for (const Case &c : cases) {
        const TfrxClipboard::PasteResult result = TfrxClipboard::Paste(c.text, page);
        EXPECT_TRUE(result.Placed.isEmpty()) << c.name;
        EXPECT_EQ(TemplateText(*target), before) << c.name;
    }
    EXPECT_FALSE(TfrxClipboard::CanPaste(QStringLiteral("just some words")));
    const TfrxClipboard::PasteResult unknown = TfrxClipboard::Paste(
        QStringLiteral("#ZE3 clipboard#\r\n<TfrxNoSuchView Name=\"X\"/>\r\n<TfrxMemoView Name=\"Y\"/>"), page);
    EXPECT_EQ(unknown.Errors, QStringList{QStringLiteral("Cannot find class TfrxNoSuchView")});
    ASSERT_EQ(unknown.Placed.size(), 1);
    EXPECT_EQ(unknown.Placed.front()->Name(), QStringLiteral("Y"));
}

TEST(Clipboard, PicturesTravelWholeAndSubreportsNeverSharePages)
{
    auto source = EmptyReport();
    TfrxReportPage *page = FirstPage(*source);
    auto *picture = new TfrxPictureView(page);
    picture->SetName(QStringLiteral("Picture1"));
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    picture->SetPicture(image);
    auto *inner = new TfrxReportPage(source.get());
    inner->SetName(QStringLiteral("Page2"));
    auto *subreport = new TfrxSubreport(page);
    subreport->SetName(QStringLiteral("Subreport1"));
    subreport->SetPage(inner);
    const QString text = TfrxClipboard::CopyText(QList<TfrxComponent *>{picture, subreport});
    EXPECT_TRUE(text.contains(QStringLiteral("Picture.PropData=")));

    // Pasted into the same report, the copy must not take the page of the original subreport.
    const TfrxClipboard::PasteResult result = TfrxClipboard::Paste(text, page);
    ASSERT_EQ(result.Placed.size(), 2);
    auto *pastedPicture = qobject_cast<TfrxPictureView *>(result.Placed.at(0));
    auto *pastedSubreport = qobject_cast<TfrxSubreport *>(result.Placed.at(1));
    ASSERT_NE(pastedPicture, nullptr);
    ASSERT_NE(pastedSubreport, nullptr);
    EXPECT_EQ(pastedPicture->Picture().convertToFormat(QImage::Format_RGB32), image);
    EXPECT_EQ(subreport->Page(), inner);
    ASSERT_NE(pastedSubreport->Page(), nullptr);
    EXPECT_NE(pastedSubreport->Page(), inner);
    EXPECT_EQ(pastedSubreport->Page()->SubReport(), pastedSubreport);
}

} // namespace
