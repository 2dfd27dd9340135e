#include "TfrxPreviewPages.h"

#include "TfrxBands.h"
#include "TfrxClassRegistry.h"
#include "TfrxCustomEngine.h"
#include "TfrxCustomMemoView.h"
#include "TfrxDictionary.h"
#include "TfrxError.h"
#include "TfrxFileException.h"
#include "TfrxOutline.h"
#include "TfrxPictureCache.h"
#include "TfrxPictureView.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "TfrxXMLDocument.h"
#include "TfrxXMLItem.h"
#include "TfrxXMLSerializer.h"
#include "zorSafeFile.h"

#include <QFile>
#include <QPainter>
#include <QPaintDevice>

#include <algorithm>
#include <stdexcept>
#include <cmath>

using namespace zor;

namespace {

const QString kPage = QStringLiteral("page");

double PropFloat(const TfrxXMLItem *item, const QString &name, double fallback)
{
    if (!item->PropExists(name))
        return fallback;
    double value = fallback;
    return TfrxXMLSerializer::StrToFloat(item->Prop(name), value) ? value : fallback;
}

bool IsFullTreeName(const QString &name)
{
    return name == QLatin1String("TfrxReportPage") || name == QLatin1String("TfrxDMPPage");
}

}  // namespace

TfrxPreviewPages::TfrxPreviewPages(TfrxReport *report)
    : TfrxCustomPreviewPages(report), FXMLDoc(std::make_unique<TfrxXMLDocument>()),
      FDictionary(std::make_unique<TfrxDictionary>()), FOutline(std::make_unique<TfrxOutline>()),
      FPictureCache(std::make_unique<TfrxPictureCache>())
{
    FXMLDoc->Root()->SetName(QStringLiteral("preparedreport"));
    FOutline->SetRoot(RootChild(QStringLiteral("outline")));
}

TfrxPreviewPages::~TfrxPreviewPages() = default;

TfrxXMLItem *TfrxPreviewPages::RootChild(const QString &name) const
{
    return FXMLDoc->Root()->FindItem(name);
}

TfrxXMLItem *TfrxPreviewPages::PageItem(int index) const
{
    TfrxXMLItem *pages = PagesItem();
    return index >= 0 && index < pages->Count() ? pages->Items(index) : nullptr;
}

// The element of the page being written, brought back into memory first when it was moved out.
TfrxXMLItem *TfrxPreviewPages::CurPageItem()
{
    TfrxXMLItem *item = PageItem(FCurPage);
    if (item != nullptr && !item->Loaded())
        FXMLDoc->LoadItem(item);
    return item;
}

TfrxReportPage *TfrxPreviewPages::SourcePage(int index) const
{
    return index >= 0 && index < SourcePageCount() ? FSourcePages[size_t(index)].get() : nullptr;
}

int TfrxPreviewPages::SourceIndexOf(const TfrxReportPage *page) const
{
    for (int i = 0; i < SourcePageCount(); ++i) {
        if (FSourcePages[size_t(i)]->OriginalComponent() == page)
            return i;
    }
    return std::max(0, SourcePageCount() - 1);
}

int TfrxPreviewPages::GetCount() const
{
    return PagesItem()->Count();
}

void TfrxPreviewPages::Clear()
{
    DropCachedPages();
    FSourcePages.clear();
    FXMLDoc->Clear();
    FXMLDoc->Root()->SetName(QStringLiteral("preparedreport"));
    FOutline->SetRoot(RootChild(QStringLiteral("outline")));
    FDictionary->Clear();
    FPictureCache->Clear();
    FCurPage = -1;
    FXMLSize = 0;
    FLastY = 0;
    FLogicalPageN = 0;
    FFirstPage = 0;
    FFirstPageIndex = -1;
    FAddPageAction = apAdd;
}

// ---- engine side ----

void TfrxPreviewPages::Initialize()
{
    if (FReport != nullptr) {
        FPictureCache->SetUseFileCache(FReport->PreviewOptions()->PictureCacheInFile);
        FPictureCache->SetTempDir(FReport->EngineOptions()->TempDir);
        FXMLDoc->SetTempDir(FReport->EngineOptions()->TempDir);
    }
    FOutline->SetRoot(RootChild(QStringLiteral("outline")));
    if (FReport != nullptr)
        FReport->InternalOnProgressStart(TfrxReport::ptRunning);
}

void TfrxPreviewPages::BeginPass()
{
    FFirstPageIndex = GetCount() - 1;
    if (FFirstPageIndex >= 0) {
        FFirstObjectIndex = PageItem(FFirstPageIndex)->Count();
        FFirstOutlineIndex = RootChild(QStringLiteral("outline"))->Count();
    }
    FLogicalPageN = 0;
}

void TfrxPreviewPages::AddSourcePage(TfrxReportPage *page)
{
    auto *copy = qobject_cast<TfrxReportPage *>(
        TfrxClassRegistry::Instance().Create(QString::fromLatin1(page->metaObject()->className())));
    if (copy == nullptr)
        return;
    std::unique_ptr<TfrxReportPage> owned(copy);
    copy->Assign(page);
    copy->SetName(page->Name());
    copy->SetOriginalComponent(page);
    FSourcePages.push_back(std::move(owned));
    const int index = SourcePageCount() - 1;
    for (TfrxComponent *child : page->Objects())
        CopySourceTree(child, copy, index);
}

// Source copy: an object of the same class under the copy of its parent, with the template's
// values and name; only objects that show in the preview are copied.
void TfrxPreviewPages::CopySourceTree(TfrxComponent *source, TfrxComponent *copyParent, int pageIndex)
{
    if (!source->ComponentStyle().testFlag(csPreviewVisible))
        return;
    auto *copy = qobject_cast<TfrxComponent *>(
        TfrxClassRegistry::Instance().Create(QString::fromLatin1(source->metaObject()->className()), copyParent));
    if (copy == nullptr)
        return;
    copy->Assign(source);
    if (auto *picture = qobject_cast<TfrxPictureView *>(copy))
        picture->SetPicture(QImage());
    copy->SetName(source->Name());
    RegisterSource(source, copy, pageIndex);
    for (TfrxComponent *child : source->Objects())
        CopySourceTree(child, copy, pageIndex);
}

void TfrxPreviewPages::RegisterSource(TfrxComponent *source, TfrxComponent *copy, int pageIndex)
{
    source->SetOriginalComponent(copy);
    copy->SetOriginalComponent(source);
    const QString base = qobject_cast<TfrxBand *>(source) != nullptr ? QStringLiteral("b")
                                                                     : source->BaseName().left(1).toLower();
    const QString alias = FDictionary->CreateUniqueName(base.isEmpty() ? QStringLiteral("o") : base);
    FDictionary->Add(alias, QStringLiteral("Page%1.%2").arg(pageIndex).arg(source->Name()), copy);
    if (auto *memo = qobject_cast<TfrxCustomMemoView *>(copy)) {
        memo->SetDataSet(nullptr);
        memo->SetDataField(QString());
    }
    copy->SetBaseName(BaseNameOf(copy));
    source->SetAliasName(alias);
    copy->SetAliasName(alias);
}

QString TfrxPreviewPages::BaseNameOf(TfrxComponent *copy) const
{
    if (copy->ComponentStyle().testFlag(csDefaultDiff))
        return QString::fromLatin1(copy->metaObject()->className());
    TfrxXMLSerializer serializer;
    return serializer.WriteComponentStr(copy);
}

void TfrxPreviewPages::AddToSourcePage(TfrxComponent *obj)
{
    TfrxReportPage *page = SourcePage(SourcePageCount() - 1);
    if (page == nullptr)
        return;
    auto *copy = qobject_cast<TfrxComponent *>(
        TfrxClassRegistry::Instance().Create(QString::fromLatin1(obj->metaObject()->className()), page));
    if (copy == nullptr)
        return;
    copy->Assign(obj);
    QString name = obj->Name();
    for (int i = 1; name.isEmpty() || page->FindObject(name) != nullptr; ++i)
        name = QString::fromLatin1(obj->metaObject()->className()).mid(4) + QString::number(i);
    copy->SetName(name);
    obj->SetName(name);
    RegisterSource(obj, copy, SourcePageCount() - 1);
}

void TfrxPreviewPages::AddPage(TfrxReportPage *page)
{
    const TfrxEngineOptions *options = FReport != nullptr ? FReport->EngineOptions() : nullptr;
    if (options != nullptr && options->UseFileCache && FXMLSize > qint64(options->MaxMemSize) * 1048576) {
        UnloadOldPages();
        FXMLSize = 0;
    }
    ++FCurPage;
    if (FCurPage < GetCount() && FAddPageAction == apWriteOver)
        return;
    TfrxXMLItem *item = PagesItem()->Add(kPage + QString::number(SourceIndexOf(page)));
    // The first two pages always stay in memory.
    item->SetUnloadable(GetCount() > 2);
    FAddPageAction = apWriteOver;
    FCurPage = GetCount() - 1;
    IncLogicalPageNumber();
    if (FReport != nullptr)
        FReport->InternalOnProgress(TfrxReport::ptRunning, FCurPage + 1);
}

// Moves the pages before the last one out of memory, from the second-last backwards until one is
// already out.
void TfrxPreviewPages::UnloadOldPages()
{
    for (int i = GetCount() - 2; i >= 0; --i) {
        TfrxXMLItem *item = PageItem(i);
        if (!item->Loaded())
            break;
        if (item->Unloadable())
            FXMLDoc->UnloadItem(item);
    }
}

void TfrxPreviewPages::AddObject(TfrxComponent *obj)
{
    AddObject(obj, obj->Objects());
}

void TfrxPreviewPages::AddObject(TfrxComponent *obj, const QList<TfrxComponent *> &children)
{
    TfrxXMLItem *page = CurPageItem();
    if (page == nullptr)
        return;
    WriteObject(page, obj, children, IsFullTreeName(page->Name()));
}

// Stored object: by alias with its difference from the source copy, or by class name with all its
// values (objects made during preparation, and every object of a page stored as a whole tree).
void TfrxPreviewPages::WriteObject(TfrxXMLItem *parent, TfrxComponent *obj, const QList<TfrxComponent *> &children,
                                   bool fullTree)
{
    if (!obj->Visible() || !obj->ComponentStyle().testFlag(csPreviewVisible))
        return;
    if (auto *picture = qobject_cast<TfrxPictureView *>(obj))
        AddPicture(picture);
    TfrxComponent *copy = fullTree ? nullptr : obj->OriginalComponent();
    const bool byAlias = copy != nullptr && copy->OriginalComponent() == obj && !obj->AliasName().isEmpty();
    TfrxXMLItem *item = parent->Add();
    QString text;
    if (!byAlias) {
        item->SetName(QString::fromLatin1(obj->metaObject()->className()));
        TfrxXMLSerializer serializer;
        text = serializer.ObjToXML(obj);
        if (qobject_cast<TfrxNullBand *>(obj) != nullptr)
            text += QStringLiteral(" l=\"%1\" t=\"%2\"").arg(FloatText(obj->Left()), FloatText(obj->Top()));
    } else {
        item->SetName(obj->AliasName());
        const bool firstPass = FEngine != nullptr && !FEngine->FinalPass();
        if (firstPass) {
            text = obj->TfrxComponent::Diff(copy);
        } else if (obj->ComponentStyle().testFlag(csDefaultDiff)) {
            TfrxXMLSerializer serializer;
            text = serializer.ObjToXML(obj) + obj->TfrxComponent::Diff(copy);
        } else {
            text = obj->Diff(copy);
        }
    }
    text = text.trimmed();
    FXMLSize += item->Name().size() + text.size() + qint64(sizeof(TfrxXMLItem)) + 16;
    item->SetText(std::move(text));
    for (TfrxComponent *child : children)
        WriteObject(item, child, child->Objects(), fullTree);
}

void TfrxPreviewPages::AddPicture(TfrxPictureView *view)
{
    FPictureCache->AddPicture(view);
}

bool TfrxPreviewPages::BandExists(const TfrxBand *band)
{
    TfrxXMLItem *page = CurPageItem();
    if (page == nullptr || band->AliasName().isEmpty())
        return false;
    for (int i = 0; i < page->Count(); ++i) {
        if (page->Items(i)->Name() == band->AliasName())
            return true;
    }
    return false;
}

int TfrxPreviewPages::GetCurPosition()
{
    TfrxXMLItem *page = CurPageItem();
    return page != nullptr ? page->Count() : 0;
}

double TfrxPreviewPages::GetLastY(double columnPosition)
{
    TfrxXMLItem *page = CurPageItem();
    double result = 0;
    bool found = false;
    for (int i = 0; page != nullptr && i < page->Count(); ++i) {
        const TfrxXMLItem *item = page->Items(i);
        const TfrxComponent *source = FDictionary->GetObject(item->Name());
        const QMetaObject *meta = source != nullptr ? source->metaObject()
                                                    : TfrxClassRegistry::Instance().Find(item->Name());
        if (meta == nullptr || !meta->inherits(&TfrxBand::staticMetaObject))
            continue;
        // Page footers and overlays stand apart; the loose objects of a page take no space.
        if (meta->inherits(&TfrxPageFooter::staticMetaObject) || meta->inherits(&TfrxOverlay::staticMetaObject) ||
            meta->inherits(&TfrxNullBand::staticMetaObject))
            continue;
        const double left = PropFloat(item, QStringLiteral("l"), source != nullptr ? source->Left() : 0);
        const bool always = meta->inherits(&TfrxPageHeader::staticMetaObject) ||
                            meta->inherits(&TfrxReportTitle::staticMetaObject);
        if (columnPosition != 0 && std::abs(left - columnPosition) > 0.001 && !always)
            continue;
        const double top = PropFloat(item, QStringLiteral("t"), source != nullptr ? source->Top() : 0);
        const double height = PropFloat(item, QStringLiteral("h"), source != nullptr ? source->Height() : 0);
        result = found ? std::max(result, top + height) : top + height;
        found = true;
    }
    if (found)
        return result;
    return FLastY;
}

void TfrxPreviewPages::CutObjects(int position)
{
    TfrxXMLItem *page = CurPageItem();
    if (page == nullptr)
        return;
    TfrxXMLItem *cutted = RootChild(QStringLiteral("cutted"));
    while (page->Count() > position && position >= 0)
        cutted->AddItem(page->Items(position));
}

void TfrxPreviewPages::PasteObjects(double x, double y)
{
    TfrxXMLItem *page = CurPageItem();
    const int at = FXMLDoc->Root()->Find(QStringLiteral("cutted"));
    if (at < 0)
        return;
    TfrxXMLItem *cutted = FXMLDoc->Root()->Items(at);
    if (page != nullptr && cutted->Count() > 0) {
        const TfrxXMLItem *first = cutted->Items(0);
        const double dx = x - PropFloat(first, QStringLiteral("l"), 0);
        const double dy = y - PropFloat(first, QStringLiteral("t"), 0);
        while (cutted->Count() > 0) {
            TfrxXMLItem *item = cutted->Items(0);
            if (dx != 0 || item->PropExists(QStringLiteral("l")))
                item->SetProp(QStringLiteral("l"), FloatText(PropFloat(item, QStringLiteral("l"), 0) + dx));
            item->SetProp(QStringLiteral("t"), FloatText(PropFloat(item, QStringLiteral("t"), 0) + dy));
            page->AddItem(item);
        }
    }
    delete cutted;
}

// ---- logical page numbers ----

TfrxXMLItem *TfrxPreviewPages::LogicalPageItem(int index) const
{
    TfrxXMLItem *numbers = RootChild(QStringLiteral("logicalpagenumbers"));
    return index >= 0 && index < numbers->Count() ? numbers->Items(index) : nullptr;
}

namespace {

// Numbering is fixed in the first pass of a double-pass report and kept in the final one.
bool NumberingFrozen(const TfrxReport *report, const TfrxCustomEngine *engine)
{
    return engine != nullptr && report != nullptr && report->EngineOptions()->DoublePass && engine->FinalPass();
}

}  // namespace

void TfrxPreviewPages::IncLogicalPageNumber()
{
    if (NumberingFrozen(FReport, FEngine))
        return;
    ++FLogicalPageN;
    RootChild(QStringLiteral("logicalpagenumbers"))
        ->Add(kPage)
        ->SetProp(QStringLiteral("n"), QString::number(FLogicalPageN));
}

void TfrxPreviewPages::ResetLogicalPageNumber()
{
    if (NumberingFrozen(FReport, FEngine))
        return;
    for (int i = FCurPage; i > FFirstPageIndex && i >= 0; --i) {
        TfrxXMLItem *item = LogicalPageItem(i);
        if (item == nullptr)
            continue;
        item->SetProp(QStringLiteral("t"), QString::number(FLogicalPageN));
        if (item->Prop(QStringLiteral("n")) == QLatin1String("1"))
            break;
    }
    FLogicalPageN = 0;
}

int TfrxPreviewPages::GetLogicalPageNo()
{
    const TfrxXMLItem *item = LogicalPageItem(FCurPage);
    return item != nullptr ? item->Prop(QStringLiteral("n")).toInt() : FCurPage - FFirstPage + 1;
}

int TfrxPreviewPages::GetLogicalTotalPages()
{
    const TfrxXMLItem *item = LogicalPageItem(FCurPage);
    if (item != nullptr)
        return item->Prop(QStringLiteral("t")).toInt();
    return (FEngine != nullptr ? FEngine->TotalPages() : 0) - FFirstPage;
}

void TfrxPreviewPages::UpdatePageDimensions(TfrxReportPage *page, double height, double width)
{
    TfrxReportPage *source = SourcePage(SourceIndexOf(page));
    if (source != nullptr)
        source->SetSizeAndDimensions(256, width / fr01cm, height / fr01cm);
}

void TfrxPreviewPages::ClearFirstPassPages()
{
    DropCachedPages();
    TfrxXMLItem *root = FXMLDoc->Root();
    if (FFirstPageIndex < 0) {
        for (int i = 0; i < root->Count(); ++i) {
            TfrxXMLItem *child = root->Items(i);
            if (child->Name() != QLatin1String("anchors") && child->Name() != QLatin1String("logicalpagenumbers"))
                child->Clear();
        }
    } else {
        TfrxXMLItem *first = PageItem(FFirstPageIndex);
        if (!first->Loaded())
            FXMLDoc->LoadItem(first);
        while (first->Count() > FFirstObjectIndex)
            delete first->Items(first->Count() - 1);
        TfrxXMLItem *pages = PagesItem();
        while (pages->Count() > FFirstPageIndex + 1)
            delete pages->Items(pages->Count() - 1);
        TfrxXMLItem *outline = RootChild(QStringLiteral("outline"));
        while (outline->Count() > FFirstOutlineIndex)
            delete outline->Items(outline->Count() - 1);
    }
    FOutline->SetRoot(RootChild(QStringLiteral("outline")));
    FLogicalPageN = 0;
    FCurPage = FFirstPageIndex;
    FXMLSize = 0;
}

void TfrxPreviewPages::Finish()
{
    DropCachedPages();
    FLastY = 0;
    // The template may be reloaded after preparation: nothing may point at its objects any more.
    for (const auto &page : FSourcePages) {
        page->SetOriginalComponent(nullptr);
        for (TfrxComponent *obj : page->GetAllObjects())
            obj->SetOriginalComponent(nullptr);
    }
    if (FReport != nullptr)
        FReport->InternalOnProgressStop(TfrxReport::ptRunning);
}

// ---- anchors ----

void TfrxPreviewPages::AddAnchor(const QString &text, double top)
{
    TfrxXMLItem *item = RootChild(QStringLiteral("anchors"))->Add(QStringLiteral("item"));
    item->SetProp(QStringLiteral("text"), text);
    item->SetProp(QStringLiteral("page"), QString::number(FCurPage));
    item->SetProp(QStringLiteral("top"), QString::number(Nearest(top)));
}

int TfrxPreviewPages::GetAnchorCurPosition()
{
    return RootChild(QStringLiteral("anchors"))->Count() - 1;
}

void TfrxPreviewPages::ShiftAnchors(int from, int newTop)
{
    TfrxXMLItem *anchors = RootChild(QStringLiteral("anchors"));
    if (from + 1 >= anchors->Count())
        return;
    const int delta = newTop - anchors->Items(from + 1)->Prop(QStringLiteral("top")).toInt();
    for (int i = from + 1; i < anchors->Count(); ++i) {
        TfrxXMLItem *item = anchors->Items(i);
        item->SetProp(QStringLiteral("page"), QString::number(item->Prop(QStringLiteral("page")).toInt() + 1));
        item->SetProp(QStringLiteral("top"), QString::number(item->Prop(QStringLiteral("top")).toInt() + delta));
    }
}

int TfrxPreviewPages::GetAnchorPage(const QString &text)
{
    TfrxXMLItem *anchors = RootChild(QStringLiteral("anchors"));
    for (int i = anchors->Count() - 1; i >= 0; --i) {
        if (anchors->Items(i)->Prop(QStringLiteral("text")).compare(text, Qt::CaseInsensitive) == 0)
            return anchors->Items(i)->Prop(QStringLiteral("page")).toInt() + 1;
    }
    return 1;
}

// ---- reading back ----

void TfrxPreviewPages::DropCachedPages()
{
    FPageCache.clear();
}

TfrxReportPage *TfrxPreviewPages::GetPage(int index)
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    const bool running = FEngine != nullptr && FEngine->Running();
    auto cached = std::find_if(FPageCache.begin(), FPageCache.end(),
                               [index](const CachedPage &c) { return c.Index == index; });
    if (cached != FPageCache.end()) {
        if (!running) {
            std::rotate(FPageCache.begin(), cached, cached + 1);
            return FPageCache.front().Page.get();
        }
        FPageCache.erase(cached);
    }
    std::unique_ptr<TfrxReportPage> page = BuildPage(index);
    if (page == nullptr)
        return nullptr;
    FPageCache.insert(FPageCache.begin(), CachedPage{index, std::move(page)});
    const int limit = FReport != nullptr ? FReport->PreviewOptions()->PagesInCache : 50;
    while (FPageCache.size() > 1 && int(FPageCache.size()) > limit) {
        const int dropped = FPageCache.back().Index;
        FPageCache.pop_back();
        TfrxXMLItem *item = PageItem(dropped);
        if (item != nullptr && FReport != nullptr && FReport->EngineOptions()->UseFileCache)
            FXMLDoc->UnloadItem(item);
    }
    return FPageCache.front().Page.get();
}

std::unique_ptr<TfrxReportPage> TfrxPreviewPages::BuildPage(int index)
{
    TfrxXMLItem *item = PageItem(index);
    if (!item->Loaded())
        FXMLDoc->LoadItem(item);
    const bool fullTree = IsFullTreeName(item->Name());
    const TfrxReportPage *source = fullTree ? nullptr : SourcePageOf(item);
    if (!fullTree && source == nullptr)
        return nullptr;
    std::unique_ptr<TfrxReportPage> page =
        CreatePage(fullTree ? item->Name() : QString::fromLatin1(source->metaObject()->className()));
    if (page == nullptr)
        return nullptr;
    if (fullTree) {
        TfrxXMLSerializer serializer;
        serializer.SetMatchNames(false);
        serializer.ReadRootComponent(page.get(), item);
        AddLoadErrors(serializer.Errors());
    } else {
        page->Assign(source);
        page->SetName(source->Name());
        ReadObjects(item, page.get(), false);
    }
    page->AlignChildren();
    return page;
}

// Rebuilt object: the source copy's full state with the stored difference over it, or the class
// with its stored values.
void TfrxPreviewPages::ReadObjects(TfrxXMLItem *item, TfrxComponent *parent,
                                   bool fullTree)
{
    TfrxXMLSerializer serializer;
    serializer.SetOwner(parent);
    for (int i = 0; i < item->Count(); ++i) {
        TfrxXMLItem *child = item->Items(i);
        // Reported when the file was loaded; never created where its class may not stand.
        if (!fullTree && !MayStandIn(child, parent->metaObject(), false))
            continue;
        const TfrxComponent *original = fullTree ? nullptr : FDictionary->GetObject(child->Name());
        const QString text = (original != nullptr ? original->BaseName() : child->Name()) + QLatin1Char(' ') +
                             child->Text();
        auto *obj = qobject_cast<TfrxComponent *>(serializer.ReadComponentStr(parent, text, true));
        if (obj == nullptr)
            continue;
        if (original != nullptr)
            obj->SetName(original->Name());
        if (auto *picture = qobject_cast<TfrxPictureView *>(obj); picture != nullptr && picture->Picture().isNull())
            FPictureCache->GetPicture(picture);
        if (auto *memo = qobject_cast<TfrxCustomMemoView *>(obj))
            memo->ApplyPreviewHighlight();
        ReadObjects(child, obj, fullTree);
    }
}

QSize TfrxPreviewPages::GetPageSize(int index)
{
    const TfrxReportPage *page = GetPage(index);
    if (page == nullptr)
        return {0, 0};
    return {Nearest(page->Width()), Nearest(page->Height())};
}

void TfrxPreviewPages::DrawPage(int index, QPainter *canvas, double scaleX, double scaleY, double offsetX,
                                double offsetY)
{
    TfrxReportPage *page = GetPage(index);
    if (page == nullptr || canvas == nullptr)
        return;
    const bool printer = canvas->device() != nullptr && canvas->device()->devType() == QInternal::Printer;
    const double left = page->LeftMargin(), right = page->RightMargin();
    if (page->MirrorMargins() && index % 2 == 1) {
        page->SetLeftMargin(right);
        page->SetRightMargin(left);
    }
    canvas->save();
    if (!printer) {
        const int x0 = Nearest(offsetX), y0 = Nearest(offsetY);
        const int x1 = Nearest(page->PaperWidth() * fr01cm * scaleX + offsetX) - 1;
        const int y1 = Nearest(page->PaperHeight() * fr01cm * scaleY + offsetY) - 1;
        canvas->setClipRect(QRect(QPoint(x0, y0), QPoint(x1, y1)), Qt::IntersectClip);
    }
    page->Draw(canvas, scaleX, scaleY, offsetX, offsetY);
    const double ox = offsetX + page->LeftMargin() * fr01cm * scaleX;
    const double oy = offsetY + page->TopMargin() * fr01cm * scaleY;
    const QRect visible = canvas->device() != nullptr
                              ? QRect(0, 0, canvas->device()->width(), canvas->device()->height())
                              : QRect();
    const TfrxVisibilityType needed = printer ? vsPrint : vsPreview;
    for (TfrxComponent *obj : page->GetAllObjects()) {
        auto *view = qobject_cast<TfrxView *>(obj);
        if (view == nullptr || !view->Visibility().testFlag(needed))
            continue;
        const QRectF r(view->AbsLeft() * scaleX + ox - 20, view->AbsTop() * scaleY + oy - 20,
                       view->Width() * scaleX + 40, view->Height() * scaleY + 40);
        if (!visible.isEmpty() && !r.intersects(visible))
            continue;
        view->SetIsPrinting(printer);
        if (auto *memo = qobject_cast<TfrxCustomMemoView *>(view)) {
            memo->SetTotalPages(GetCount());
            memo->SetCopyNo(FCopyNo);
            memo->SetPrintScale(FPrintScale);
        }
        view->Draw(canvas, scaleX, scaleY, ox, oy);
    }
    canvas->restore();
    page->SetLeftMargin(left);
    page->SetRightMargin(right);
}

// ---- files ----

void TfrxPreviewPages::WriteSourcePages()
{
    TfrxXMLItem *pages = RootChild(QStringLiteral("sourcepages"));
    pages->Clear();
    for (const auto &page : FSourcePages) {
        pages->AddItem(FullTreeItem(page.get()));
    }
}

void TfrxPreviewPages::WriteDictionary()
{
    TfrxXMLItem *dictionary = RootChild(QStringLiteral("dictionary"));
    dictionary->Clear();
    for (const QString &alias : FDictionary->Aliases())
        dictionary->Add(alias)->SetProp(QStringLiteral("name"), FDictionary->GetSourceName(alias));
}

void TfrxPreviewPages::SaveToStream(QIODevice *stream)
{
    TfrxXMLItem *report = RootChild(QStringLiteral("report"));
    report->Clear();
    if (FReport != nullptr) {
        TfrxXMLItem *item = report->Add(QString::fromLatin1(FReport->metaObject()->className()));
        item->SetProp(QStringLiteral("DotMatrixReport"), BoolText(false));
        item->SetProp(QStringLiteral("PreviewOptions.OutlineVisible"),
                      BoolText(FReport->PreviewOptions()->OutlineVisible));
        item->SetProp(QStringLiteral("PreviewOptions.OutlineWidth"),
                      QString::number(FReport->PreviewOptions()->OutlineWidth));
        item->SetProp(QStringLiteral("ReportOptions.Name"), FReport->ReportOptions()->Name);
    }
    WriteSourcePages();
    WriteDictionary();
    FPictureCache->SaveToXML(RootChild(QStringLiteral("picturecache")));
    FXMLDoc->SaveToStream(stream);
}

void TfrxPreviewPages::ReadSourcePages()
{
    TfrxXMLItem *pages = RootChild(QStringLiteral("sourcepages"));
    for (int i = 0; i < pages->Count(); ++i) {
        TfrxXMLItem *item = pages->Items(i);
        std::unique_ptr<TfrxReportPage> created = CreatePage(item->Name());
        if (created == nullptr) {
            AddLoadError(QStringLiteral("Invalid file format"));
            // Page numbers of later source pages must stay as they were written.
            FSourcePages.push_back(std::make_unique<TfrxReportPage>());
            continue;
        }
        TfrxReportPage *page = created.get();
        FSourcePages.push_back(std::move(created));
        TfrxXMLSerializer serializer;
        serializer.ReadRootComponent(page, item);
        AddLoadErrors(serializer.Errors());
        for (TfrxComponent *obj : page->GetAllObjects())
            obj->SetBaseName(BaseNameOf(obj));
    }
    pages->Clear();
}

void TfrxPreviewPages::ReadDictionary()
{
    TfrxXMLItem *dictionary = RootChild(QStringLiteral("dictionary"));
    for (int i = 0; i < dictionary->Count(); ++i) {
        const TfrxXMLItem *item = dictionary->Items(i);
        const QString sourceName = item->Prop(QStringLiteral("name"));
        const qsizetype dot = sourceName.indexOf(QLatin1Char('.'));
        bool ok = false;
        const bool named = sourceName.startsWith(QLatin1String("Page")) && dot > 0;
        const int pageIndex = named ? sourceName.mid(4, dot - 4).toInt(&ok) : -1;
        TfrxReportPage *page = ok ? SourcePage(pageIndex) : nullptr;
        TfrxComponent *obj = page != nullptr ? page->FindObject(sourceName.mid(dot + 1)) : nullptr;
        if (obj == nullptr) {
            AddLoadError(QStringLiteral("Cannot find object %1 of alias %2").arg(sourceName, item->Name()));
            continue;
        }
        obj->SetAliasName(item->Name());
        FDictionary->Add(item->Name(), sourceName, obj);
    }
}

void TfrxPreviewPages::LoadFromStream(QIODevice *stream, bool)
{
    Clear();
    if (FReport != nullptr)
        FReport->SetErrors({});
    try {
        FXMLDoc->LoadFromStream(stream);
        if (FXMLDoc->Root()->Name() != QLatin1String("preparedreport"))
            throw std::runtime_error("Invalid file format");
    } catch (const std::exception &failure) {
        // A truncated or damaged file, or one of another kind, loads no page at all.
        Clear();
        AddLoadError(QString::fromUtf8(failure.what()));
        return;
    }
    if (FReport != nullptr) {
        const TfrxXMLItem *report = RootChild(QStringLiteral("report"));
        if (report->Count() > 0) {
            const TfrxXMLItem *item = report->Items(0);
            if (item->PropExists(QStringLiteral("PreviewOptions.OutlineVisible")))
                FReport->PreviewOptions()->OutlineVisible =
                    item->Prop(QStringLiteral("PreviewOptions.OutlineVisible")) == QLatin1String("True");
            if (item->PropExists(QStringLiteral("PreviewOptions.OutlineWidth")))
                FReport->PreviewOptions()->OutlineWidth =
                    item->Prop(QStringLiteral("PreviewOptions.OutlineWidth")).toInt();
            if (item->PropExists(QStringLiteral("ReportOptions.Name")))
                FReport->ReportOptions()->Name = item->Prop(QStringLiteral("ReportOptions.Name"));
        }
    }
    ReadSourcePages();
    ReadDictionary();
    FPictureCache->LoadFromXML(RootChild(QStringLiteral("picturecache")));
    FOutline->SetRoot(RootChild(QStringLiteral("outline")));
    CheckPages();
    FCurPage = GetCount() > 0 ? 0 : -1;
}

bool TfrxPreviewPages::SaveToFile(const QString &fileName)
{
    return zorWriteFileSafely(fileName, [this](QIODevice &device) {
        try {
            SaveToStream(&device);
            return true;
        } catch (const TfrxFileException &) {
            return false;  // the device says why
        }
    });
}

bool TfrxPreviewPages::LoadFromFile(const QString &fileName, bool exceptionIfNotFound)
{
    QFile file(fileName);
    if (!file.exists()) {
        if (exceptionIfNotFound)
            throw TfrxError(QString(), QStringLiteral("Cannot open file \"%1\"").arg(fileName));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (exceptionIfNotFound)
            throw TfrxError(QString(), file.errorString());
        return false;
    }
    LoadFromStream(&file);
    return true;
}
