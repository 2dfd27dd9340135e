// Checks of a prepared report read from a file, which may come from elsewhere or be damaged: every
// page names its source page or a page class, every stored object an alias or a class that may
// stand where it is, and every dictionary entry an object of a source page. What does not resolve
// is named in the report's errors with its place instead of being dropped without a word.
#include "TfrxPreviewPages.h"

#include "TfrxClassRegistry.h"
#include "TfrxDictionary.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxXMLItem.h"
#include "TfrxXMLSerializer.h"

namespace {

const QString kPage = QStringLiteral("page");

bool IsPageClass(const QMetaObject *cls)
{
    return cls != nullptr && cls->inherits(&TfrxReportPage::staticMetaObject);
}

} // namespace

void TfrxPreviewPages::AddLoadError(const QString &message) const
{
    if (FReport != nullptr)
        FReport->AddError(message);
}

void TfrxPreviewPages::AddLoadErrors(const QStringList &messages) const
{
    for (const QString &message : messages)
        AddLoadError(message);
}

const TfrxReportPage *TfrxPreviewPages::SourcePageOf(const TfrxXMLItem *item) const
{
    const QString &name = item->Name();
    bool ok = false;
    const int index = name.startsWith(kPage) ? name.mid(kPage.size()).toInt(&ok) : -1;
    return ok ? SourcePage(index) : nullptr;
}

std::unique_ptr<TfrxReportPage> TfrxPreviewPages::CreatePage(const QString &className)
{
    if (!IsPageClass(TfrxClassRegistry::Instance().Find(className)))
        return nullptr;
    return std::unique_ptr<TfrxReportPage>(
        qobject_cast<TfrxReportPage *>(TfrxClassRegistry::Instance().Create(className)));
}

const QMetaObject *TfrxPreviewPages::StoredClass(const TfrxXMLItem *item, bool fullTree) const
{
    const TfrxComponent *original = fullTree ? nullptr : FDictionary->GetObject(item->Name());
    return original != nullptr ? original->metaObject() : TfrxClassRegistry::Instance().Find(item->Name());
}

bool TfrxPreviewPages::MayStandIn(const TfrxXMLItem *item, const QMetaObject *container, bool fullTree) const
{
    const QMetaObject *cls = StoredClass(item, fullTree);
    return cls != nullptr && TfrxXMLSerializer::SuitsContainer(cls, container);
}

void TfrxPreviewPages::CheckObjects(const TfrxXMLItem *item, const QMetaObject *container, int pageNo) const
{
    for (int i = 0; i < item->Count(); ++i) {
        const TfrxXMLItem *child = item->Items(i);
        if (!MayStandIn(child, container, false)) {
            AddLoadError(QStringLiteral("Cannot find class %1 (page %2)").arg(child->Name()).arg(pageNo));
            continue;
        }
        CheckObjects(child, StoredClass(child, false), pageNo);
    }
}

// A page stored as a whole tree is checked by the template reader when it is rebuilt.
void TfrxPreviewPages::CheckPages() const
{
    const TfrxXMLItem *pages = PagesItem();
    for (int i = 0; i < pages->Count(); ++i) {
        const TfrxXMLItem *item = pages->Items(i);
        if (IsPageClass(TfrxClassRegistry::Instance().Find(item->Name())))
            continue;
        if (const TfrxReportPage *source = SourcePageOf(item))
            CheckObjects(item, source->metaObject(), i + 1);
        else
            AddLoadError(
                QStringLiteral("Cannot find source page of page %1 (%2)").arg(i + 1).arg(item->Name()));
    }
}
