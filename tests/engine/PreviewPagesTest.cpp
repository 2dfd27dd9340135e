// The prepared-pages store: the certificate's page, saving and loading, pages moved out of memory.
#include "EngineFixture.h"

#include "TfrxDictionary.h"
#include "TfrxXMLDocument.h"
#include "TfrxXMLItem.h"

#include "TfrxError.h"
#include "TfrxOutline.h"
#include "TfrxPictureView.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPointF>

namespace {

class StoreTest : public EngineFixture
{
protected:
    // The certificate template with a few texts filled in, prepared the way printing does.
    void PrepareCertificate()
    {
        ASSERT_TRUE(FReport->LoadFromFile(QStringLiteral(ZOR_CERTIFICATE_TEMPLATE)));
        FReport->EngineOptions()->DestroyForms = true;
        FReport->SetCalcHandler(nullptr);
        for (const auto &[name, text] : std::initializer_list<std::pair<const char *, const char *>>{
                 {"Memo1", "Автошкола «Ромашка»"}, {"Memo4", "АБВ"}, {"Memo_cat", "B"}}) {
            auto *memo = qobject_cast<TfrxMemoView *>(FReport->FindObject(QString::fromLatin1(name)));
            ASSERT_NE(memo, nullptr) << name;
            memo->SetAllowExpressions(false);
            memo->SetText(QString::fromUtf8(text));
        }
        ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
    }

    static QImage Draw(TfrxPreviewPages *pages, int index)
    {
        const QSize size = pages->GetPageSize(index);
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        pages->DrawPage(index, &painter, 1, 1, 0, 0);
        return image;
    }
};

TEST_F(StoreTest, CertificatePreparesIntoOnePageOfLooseObjectsStoredByDifference)
{
    PrepareCertificate();
    ASSERT_EQ(Pages()->GetCount(), 1);
    EXPECT_EQ(Pages()->GetPageSize(0), QSize(794, 559));

    TfrxXMLItem *pages = Pages()->Document().Root()->FindItem(QStringLiteral("previewpages"));
    ASSERT_EQ(pages->Count(), 1);
    TfrxXMLItem *page = pages->Items(0);
    EXPECT_EQ(page->Name(), QStringLiteral("page0"));
    ASSERT_EQ(page->Count(), 1);
    TfrxXMLItem *band = page->Items(0);
    EXPECT_EQ(band->Name(), QStringLiteral("TfrxNullBand"));
    EXPECT_EQ(band->Prop(QStringLiteral("l")), QStringLiteral("0"));
    EXPECT_EQ(band->Prop(QStringLiteral("t")), QStringLiteral("0"));
    ASSERT_EQ(band->Count(), 48);
    for (int i = 0; i < band->Count(); ++i) {
        const TfrxXMLItem *memo = band->Items(i);
        EXPECT_EQ(memo->Name(), QStringLiteral("m%1").arg(i + 1));
        // Nothing moved or grew: only the text is stored.
        for (const char *geometry : {"l", "t", "w", "h"})
            EXPECT_FALSE(memo->PropExists(QString::fromLatin1(geometry))) << memo->Text().toStdString();
    }

    // Rebuilt, every object stands at its template position with its text.
    TfrxReport original;
    ASSERT_TRUE(original.LoadFromFile(QStringLiteral(ZOR_CERTIFICATE_TEMPLATE)));
    TfrxReportPage *rebuilt = Pages()->GetPage(0);
    ASSERT_NE(rebuilt, nullptr);
    int memos = 0;
    for (TfrxComponent *obj : rebuilt->GetAllObjects()) {
        auto *memo = qobject_cast<TfrxMemoView *>(obj);
        if (memo == nullptr)
            continue;
        ++memos;
        const TfrxComponent *templ = original.FindObject(memo->Name());
        ASSERT_NE(templ, nullptr) << memo->Name().toStdString();
        EXPECT_NEAR(memo->AbsLeft(), templ->Left(), 0.001) << memo->Name().toStdString();
        EXPECT_NEAR(memo->AbsTop(), templ->Top(), 0.001) << memo->Name().toStdString();
        EXPECT_NEAR(memo->Width(), templ->Width(), 0.001);
        EXPECT_NEAR(memo->Height(), templ->Height(), 0.001);
    }
    EXPECT_EQ(memos, 48);
    EXPECT_EQ(Plain(static_cast<TfrxMemoView *>(rebuilt->FindObject(QStringLiteral("Memo1")))->Text()),
              QString::fromUtf8("Автошкола «Ромашка»"));
    EXPECT_EQ(Plain(static_cast<TfrxMemoView *>(rebuilt->FindObject(QStringLiteral("Memo_cat")))->Text()),
              QStringLiteral("B"));
    // The template was reloaded after preparation: no source copy points at its old objects.
    for (TfrxComponent *copy : Pages()->SourcePage(0)->GetAllObjects())
        EXPECT_EQ(copy->OriginalComponent(), nullptr) << copy->Name().toStdString();
}

TEST_F(StoreTest, SavedAndLoadedPreparedReportDrawsTheSamePixels)
{
    PrepareCertificate();
    const QImage before = Draw(Pages(), 0);

    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    Pages()->SaveToStream(&buffer);
    EXPECT_TRUE(buffer.data().contains("<preparedreport>"));

    TfrxReport other;
    buffer.seek(0);
    auto *loaded = static_cast<TfrxPreviewPages *>(other.PreviewPages());
    loaded->LoadFromStream(&buffer);
    ASSERT_EQ(loaded->GetCount(), 1);
    EXPECT_EQ(loaded->GetPageSize(0), QSize(794, 559));
    const QImage after = Draw(loaded, 0);
    EXPECT_TRUE(before == after);
    // The texts were drawn: the page is not blank.
    int inked = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x)
            inked += before.pixel(x, y) != qRgb(255, 255, 255);
    }
    EXPECT_GT(inked, 100);
}

TEST_F(StoreTest, PicturesLeaveThePagesAndComeBackFromTheCache)
{
    QImage red(12, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    auto *picture = new TfrxPictureView(FPage);
    picture->SetName(QStringLiteral("Picture1"));
    picture->SetBounds(10, 10, 12, 8);
    picture->SetPicture(red);
    ASSERT_TRUE(Prepare());
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    Pages()->SaveToStream(&buffer);
    // The page element refers to the picture by its index; the bytes are stored once, apart.
    EXPECT_EQ(buffer.data().count("<item stream="), 1);

    TfrxReport other;
    buffer.seek(0);
    other.PreviewPages()->LoadFromStream(&buffer);
    auto *rebuilt = qobject_cast<TfrxPictureView *>(other.PreviewPages()->GetPage(0)->FindObject(QStringLiteral("Picture1")));
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_EQ(rebuilt->ImageIndex(), 1);
    ASSERT_EQ(rebuilt->Picture().size(), red.size());
    EXPECT_EQ(rebuilt->Picture().pixel(3, 3), red.pixel(3, 3));
}

TEST_F(StoreTest, SaveToFileReplacesTheFileAndLoadFromFileReportsAMissingOne)
{
    PrepareCertificate();
    const QString name = QDir::tempPath() + QStringLiteral("/engine_store_test.zi3");
    QFile::remove(name);
    ASSERT_TRUE(Pages()->SaveToFile(name));
    TfrxReport other;
    EXPECT_TRUE(other.PreviewPages()->LoadFromFile(name));
    EXPECT_EQ(other.PreviewPages()->GetCount(), 1);
    QFile::remove(name);
    EXPECT_FALSE(other.PreviewPages()->LoadFromFile(name));
    EXPECT_THROW(other.PreviewPages()->LoadFromFile(name, true), TfrxError);
}

TEST_F(StoreTest, EmptyStoreHasNoPagesAndOnePageCannotBeDeleted)
{
    EXPECT_EQ(Pages()->GetCount(), 0);
    EXPECT_EQ(Pages()->GetPageSize(0), QSize(0, 0));
    EXPECT_EQ(Pages()->GetPage(0), nullptr);
    EXPECT_EQ(Pages()->GetPage(-1), nullptr);

    AddMemo(FPage, QStringLiteral("Loose"), 10, 10, 50, 20, QStringLiteral("x"));
    ASSERT_TRUE(Prepare());
    ASSERT_EQ(Pages()->GetCount(), 1);
    Pages()->DeletePage(0);
    EXPECT_EQ(Pages()->GetCount(), 1);
}

// The preview's page settings change the page the store gave it and hand the same page back.
TEST_F(StoreTest, APageChangedAfterRebuildingReplacesTheStoredOne)
{
    AddMemo(FPage, QStringLiteral("Loose"), 10, 10, 50, 20, QStringLiteral("x"));
    ASSERT_TRUE(Prepare());
    TfrxReportPage *page = Pages()->GetPage(0);
    ASSERT_NE(page, nullptr);
    page->FindObject(QStringLiteral("Loose"))->SetLeft(70);
    Pages()->ModifyPage(0, page);
    ASSERT_NE(Pages()->GetPage(0), nullptr);
    EXPECT_DOUBLE_EQ(Pages()->GetPage(0)->FindObject(QStringLiteral("Loose"))->Left(), 70);
}

TEST_F(StoreTest, PagesMovedOutOfMemoryComeBackWithTheirContentAndTheTemporaryFileGoesWithTheStore)
{
    FReport->EngineOptions()->UseFileCache = true;
    FReport->EngineOptions()->MaxMemSize = 0;
    FReport->PreviewOptions()->PagesInCache = 2;
    AddNumbers(QStringLiteral("Data"), 60);
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 50);
    band->SetDataSetName(QStringLiteral("Data"));
    AddMemo(band, QStringLiteral("Number"), 0, 0, 100, 20, QStringLiteral("[Data.\"N\"]"));
    ASSERT_TRUE(Prepare());
    ASSERT_EQ(Pages()->GetCount(), 9); // seven records of 50 on a page of 377.95

    const QString tempFile = Pages()->Document().TempFileName();
    EXPECT_FALSE(tempFile.isEmpty());
    EXPECT_TRUE(QFile::exists(tempFile));
    for (int page : {2, 0, 5, 2, 8}) {
        QStringList expected;
        for (int n = page * 7 + 1; n <= std::min(60, page * 7 + 7); ++n)
            expected.append(QString::number(n));
        EXPECT_EQ(Texts(page), expected) << page;
    }
    Pages()->Clear();
    EXPECT_FALSE(QFile::exists(tempFile));
}

TEST_F(StoreTest, ObjectOverFindsTheTopmostViewUnderAPointOfThePaper)
{
    FPage->SetLeftMargin(10);
    FPage->SetTopMargin(5);
    FPage->SetPageCount(2);
    FReport->PreviewOptions()->PagesInCache = 1;
    AddMemo(FPage, QStringLiteral("Under"), 0, 0, 60, 20, QStringLiteral("u"));
    AddMemo(FPage, QStringLiteral("Over"), 40, 0, 60, 20, QStringLiteral("o"));
    TfrxMemoView *printOnly = AddMemo(FPage, QStringLiteral("PrintOnly"), 200, 0, 60, 20, QStringLiteral("p"));
    printOnly->SetVisibility(zor::TfrxVisibilityTypes(zor::vsPrint));
    ASSERT_TRUE(Prepare());
    ASSERT_EQ(Pages()->GetCount(), 2);

    const double x0 = 10 * zor::fr01cm, y0 = 5 * zor::fr01cm;
    const struct {
        double x, y;
        const char *expected; // nullptr: nothing there
    } cases[] = {
        {x0 + 5, y0 + 10, "Under"},
        {x0 + 50, y0 + 10, "Over"}, // both there: the later one lies on top
        {x0 + 99.5, y0 + 19.5, "Over"},
        {x0 + 100, y0 + 10, nullptr}, // right edge is outside
        {x0 - 1, y0 + 10, nullptr},   // in the margin
        {x0 + 5, y0 + 25, nullptr},   // below the texts: the null band itself is no view
        {x0 + 210, y0 + 10, nullptr}, // not shown in the preview
    };
    for (const auto &c : cases) {
        TfrxView *view = Pages()->ObjectOver(0, QPointF(c.x, c.y));
        if (c.expected == nullptr)
            EXPECT_EQ(view, nullptr) << c.x << "," << c.y;
        else
            EXPECT_EQ(view != nullptr ? view->Name() : QString(), QString::fromLatin1(c.expected))
                << c.x << "," << c.y;
    }
    EXPECT_EQ(Pages()->ObjectOver(2, QPointF(x0 + 5, y0 + 10)), nullptr);
    EXPECT_EQ(Pages()->ObjectOver(-1, QPointF(x0 + 5, y0 + 10)), nullptr);

    // The view under the mouse is forgotten when its page leaves the cache.
    ASSERT_NE(Pages()->ObjectOver(0, QPointF(x0 + 5, y0 + 10)), nullptr);
    EXPECT_NE(Pages()->LastObjectOver(), nullptr);
    ASSERT_NE(Pages()->GetPage(1), nullptr);
    EXPECT_EQ(Pages()->LastObjectOver(), nullptr);
}

TEST_F(StoreTest, AddFromAppendsAnotherReportsPagesWithAnchorsAndOutlineMoved)
{
    AddMemo(FPage, QStringLiteral("Own"), 0, 0, 60, 20, QStringLiteral("own"));
    ASSERT_TRUE(Prepare());

    TfrxReport other;
    other.EngineOptions()->NewSilentMode = zor::simSilent;
    auto *page = new TfrxReportPage(&other);
    page->SetName(QStringLiteral("Page1"));
    page->SetSizeAndDimensions(256, 100, 100);
    page->SetPageCount(2);
    AddMemo(page, QStringLiteral("Theirs"), 5, 5, 60, 20, QStringLiteral("theirs"));
    ASSERT_TRUE(other.PrepareReport()) << other.Errors().join(u'\n').toStdString();
    auto *theirs = static_cast<TfrxPreviewPages *>(other.PreviewPages());
    ASSERT_EQ(theirs->GetCount(), 2);
    theirs->SetCurPage(1);
    theirs->AddAnchor(QStringLiteral("second"), 30);
    theirs->Outline().LevelRoot();
    theirs->Outline().AddItem(QStringLiteral("Their second page"), 1, 40);

    Pages()->AddFrom(&other);
    ASSERT_EQ(Pages()->GetCount(), 3);
    TfrxXMLItem *pages = Pages()->Document().Root()->FindItem(QStringLiteral("previewpages"));
    EXPECT_EQ(pages->Items(0)->Name(), QStringLiteral("page0"));
    EXPECT_EQ(pages->Items(2)->Name(), QStringLiteral("TfrxReportPage"));
    EXPECT_EQ(Texts(0), QStringList{QStringLiteral("own")});
    EXPECT_EQ(Texts(2), QStringList{QStringLiteral("theirs")});
    EXPECT_DOUBLE_EQ(Find(2, QStringLiteral("Theirs"))->Left(), 5);
    EXPECT_EQ(Pages()->GetAnchorPage(QStringLiteral("SECOND")), 3);
    Pages()->Outline().LevelRoot();
    QString text;
    int outlinePage = 0, top = 0;
    Pages()->Outline().GetItem(Pages()->Outline().Count() - 1, text, outlinePage, top);
    EXPECT_EQ(text, QStringLiteral("Their second page"));
    EXPECT_EQ(outlinePage, 2);
    EXPECT_EQ(top, 40);

    // A report can take its own pages (what it holds before the call), and whole pages survive a file.
    Pages()->AddFrom(FReport.get());
    ASSERT_EQ(Pages()->GetCount(), 6);
    EXPECT_EQ(Pages()->GetAnchorPage(QStringLiteral("second")), 6);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    Pages()->SaveToStream(&buffer);
    buffer.seek(0);
    TfrxReport loaded;
    loaded.PreviewPages()->LoadFromStream(&buffer);
    ASSERT_EQ(loaded.PreviewPages()->GetCount(), 6);
    for (int i : {0, 3, 5})
        EXPECT_NE(loaded.PreviewPages()->GetPage(i)->FindObject(i % 3 == 0 ? QStringLiteral("Own")
                                                                           : QStringLiteral("Theirs")),
                  nullptr)
            << i;
}

// Aliases come out m1, m2, ... in creation order, also past the first probe at 10000; each is
// found from the last one given (before, each walked up from half the count: a page of 20,000
// objects took half a minute to prepare).
TEST(DictionaryTest, AliasesCountUpInCreationOrder)
{
    TfrxDictionary dictionary;
    for (int i = 1; i <= 12000; ++i) {
        const QString alias = dictionary.CreateUniqueName(QStringLiteral("m"));
        ASSERT_EQ(alias, QStringLiteral("m%1").arg(i));
        dictionary.Add(alias, QStringLiteral("Page0.Memo%1").arg(i), nullptr);
    }
    EXPECT_EQ(dictionary.CreateUniqueName(QStringLiteral("b")), QStringLiteral("b1"));
    dictionary.Clear();
    EXPECT_EQ(dictionary.CreateUniqueName(QStringLiteral("m")), QStringLiteral("m1"));
}

} // namespace
