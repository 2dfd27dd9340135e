// Editing of prepared pages after preparation: whole pages inserted, deleted, replaced or taken
// from another report.
#include "TfrxPreviewPages.h"

#include "TfrxOutline.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxXMLDocument.h"
#include "TfrxXMLItem.h"
#include "TfrxXMLSerializer.h"

#include <algorithm>

namespace {

// A copy of an outline or anchor element with its descendants, sent `pageShift` pages further.
void CopyShifted(const TfrxXMLItem *source, TfrxXMLItem *parent, int pageShift)
{
    TfrxXMLItem *copy = parent->Add(source->Name());
    copy->SetText(source->Text());
    const QString page = QStringLiteral("page");
    if (copy->PropExists(page))
        copy->SetProp(page, QString::number(copy->Prop(page).toInt() + pageShift));
    for (int i = 0; i < source->Count(); ++i)
        CopyShifted(source->Items(i), copy, pageShift);
}

// Copies the first `count` children of one element of another store (counted before anything is
// appended, so a report can take its own pages).
void CopyChildren(const TfrxXMLItem *from, TfrxXMLItem *to, int count, int pageShift)
{
    for (int i = 0; i < count; ++i)
        CopyShifted(from->Items(i), to, pageShift);
}

}  // namespace

TfrxXMLItem *TfrxPreviewPages::FullTreeItem(TfrxReportPage *page) const
{
    auto *item = new TfrxXMLItem;
    TfrxXMLSerializer serializer;
    serializer.WriteRootComponent(page, true, false, item);
    item->SetName(QString::fromLatin1(page->metaObject()->className()));
    // The writer leaves the root's name out; a page read back from the element keeps it.
    item->SetProp(QStringLiteral("Name"), page->Name());
    return item;
}

void TfrxPreviewPages::AddEmptyPage(int index)
{
    const TfrxXMLItem *at = PageItem(index);
    if (at == nullptr)
        return;
    DropCachedPages();
    auto *item = new TfrxXMLItem;
    item->SetName(at->Name());
    PagesItem()->InsertItem(index, item);
}

void TfrxPreviewPages::DeletePage(int index)
{
    if (GetCount() < 2 || PageItem(index) == nullptr)
        return;
    DropCachedPages();
    delete PageItem(index);
    FCurPage = std::min(FCurPage, GetCount() - 1);
}

void TfrxPreviewPages::ModifyPage(int index, TfrxReportPage *page)
{
    TfrxXMLItem *old = PageItem(index);
    if (old == nullptr)
        return;
    // The page is written before the cache is dropped: it may be the cached copy that GetPage gave.
    TfrxXMLItem *item = FullTreeItem(page);
    DropCachedPages();
    PagesItem()->InsertItem(index, item);
    delete old;
}

void TfrxPreviewPages::AddFrom(TfrxReport *report)
{
    TfrxCustomPreviewPages *other = report != nullptr ? report->PreviewPages() : nullptr;
    if (other == nullptr)
        return;
    const int shift = GetCount();
    const int count = other->GetCount();
    for (int i = 0; i < count; ++i) {
        TfrxReportPage *page = other->GetPage(i);
        if (page != nullptr)
            PagesItem()->AddItem(FullTreeItem(page));
    }
    auto *store = dynamic_cast<TfrxPreviewPages *>(other);
    if (store == nullptr)
        return;
    for (const char *name : {"anchors", "outline", "logicalpagenumbers"}) {
        const TfrxXMLItem *from = store->RootChild(QString::fromLatin1(name));
        CopyChildren(from, RootChild(QString::fromLatin1(name)), from->Count(), shift);
    }
    FOutline->SetRoot(RootChild(QStringLiteral("outline")));
}
