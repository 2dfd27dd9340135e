#include "TfrxClipboard.h"

#include "TfrxBand.h"
#include "TfrxBands.h"
#include "TfrxClassRegistry.h"
#include "TfrxCustomLineView.h"
#include "TfrxCustomMemoView.h"
#include "TfrxDataPage.h"
#include "TfrxDialogComponent.h"
#include "TfrxDialogPage.h"
#include "TfrxInvalidXMLException.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxResources.h"
#include "TfrxShapeView.h"
#include "TfrxSubreport.h"
#include "TfrxXMLItem.h"
#include "TfrxXMLReader.h"
#include "TfrxXMLSerializer.h"
#include "zorDesignerObjects.h"
#include "zorTypes.h"

#include <QBuffer>
#include <QSet>

#include <algorithm>
#include <memory>

namespace {

const QString lineEnd = QStringLiteral("\r\n");

bool IsBandOrView(const TfrxComponent *object)
{
    return qobject_cast<const TfrxBand *>(object) != nullptr || qobject_cast<const TfrxView *>(object) != nullptr;
}

// One object as a clipboard element: its class, its name, its attributes, placed relative to the
// selection's corner.
QString Element(TfrxComponent *object, double left, double top)
{
    TfrxXMLSerializer serializer;
    TfrxXMLItem item;
    item.SetText(serializer.ObjToXML(object));
    item.SetProp(QStringLiteral("Left"), zor::FloatText(left));
    item.SetProp(QStringLiteral("Top"), zor::FloatText(top));
    return u'<' + QLatin1String(object->metaObject()->className()) + QStringLiteral(" Name=\"") + object->Name() +
           u'"' + (item.Text().startsWith(u' ') ? QString() : QStringLiteral(" ")) + item.Text() +
           QStringLiteral("/>");
}

// The bands of which a page may hold only one.
bool IsSingleBand(const QMetaObject *cls)
{
    static const QMetaObject *const singles[] = {
        &TfrxReportTitle::staticMetaObject,  &TfrxReportSummary::staticMetaObject,
        &TfrxPageHeader::staticMetaObject,   &TfrxPageFooter::staticMetaObject,
        &TfrxColumnHeader::staticMetaObject, &TfrxColumnFooter::staticMetaObject,
    };
    return std::find(std::begin(singles), std::end(singles), cls) != std::end(singles);
}

bool PageHasBandOf(const TfrxPage *page, const QMetaObject *cls)
{
    const QList<TfrxComponent *> &objects = page->Objects();
    return std::any_of(objects.begin(), objects.end(), [cls](const TfrxComponent *c) { return c->metaObject() == cls; });
}

bool Inherits(const QMetaObject *cls, const QMetaObject &base)
{
    return cls->inherits(&base);
}

// Whether an object of the class may stand on the page: bands and views on report pages, dialog
// objects on dialog pages, text objects, lines, shapes and dialog components on the data page.
bool FitsPage(const QMetaObject *cls, const TfrxPage *page)
{
    if (qobject_cast<const TfrxDialogPage *>(page) != nullptr)
        return Inherits(cls, TfrxDialogComponent::staticMetaObject);
    if (qobject_cast<const TfrxDataPage *>(page) != nullptr)
        return Inherits(cls, TfrxCustomMemoView::staticMetaObject) ||
               Inherits(cls, TfrxCustomLineView::staticMetaObject) ||
               Inherits(cls, TfrxShapeView::staticMetaObject) || Inherits(cls, TfrxDialogComponent::staticMetaObject);
    return (Inherits(cls, TfrxBand::staticMetaObject) || Inherits(cls, TfrxView::staticMetaObject)) &&
           !Inherits(cls, TfrxDialogComponent::staticMetaObject);
}

// The elements after the marker line; false when one of them cannot be read.
bool ReadElements(const QString &text, std::vector<std::unique_ptr<TfrxXMLItem>> &items)
{
    const qsizetype firstLineEnd = text.indexOf(u'\n');
    QByteArray bytes = firstLineEnd < 0 ? QByteArray() : text.mid(firstLineEnd + 1).toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    while (true) {
        while (!buffer.atEnd() && QChar::isSpace(uchar(bytes.at(buffer.pos()))))
            buffer.seek(buffer.pos() + 1);
        if (buffer.atEnd())
            return true;
        auto item = std::make_unique<TfrxXMLItem>();
        try {
            TfrxXMLReader reader(&buffer);
            if (!reader.ReadRootItem(item.get(), false) || item->Name().isEmpty())
                return false;
        } catch (const TfrxInvalidXMLException &) {
            return false;
        }
        items.push_back(std::move(item));
    }
}

// Links a pasted subreport to the page its element named when that page is in this report and
// shows no other subreport; otherwise to a new page, as when one is inserted.
void LinkSubreport(TfrxSubreport *subreport, const QString &pageName)
{
    TfrxReport *report = subreport->GetReport();
    auto *named = qobject_cast<TfrxReportPage *>(report != nullptr ? report->FindObject(pageName) : nullptr);
    if (named != nullptr && named->Parent() == report && named->SubReport() == nullptr)
        subreport->SetPage(named);
    else
        zorAddSubreportPage(subreport);
}

} // namespace

const QString &TfrxClipboard::Marker()
{
    static const QString marker = QStringLiteral("#ZE3 clipboard#");
    return marker;
}

QString TfrxClipboard::CopyText(const QList<TfrxComponent *> &selection)
{
    QList<TfrxComponent *> chosen;
    for (TfrxComponent *object : selection)
        if (IsBandOrView(object))
            chosen.append(object);
    if (chosen.isEmpty())
        return {};
    const QSet<TfrxComponent *> selected(chosen.begin(), chosen.end());
    double minLeft = 100000, minTop = 100000;
    for (TfrxComponent *object : chosen) {
        minLeft = std::min(minLeft, object->AbsLeft());
        minTop = std::min(minTop, object->AbsTop());
    }
    QString text = Marker();
    auto append = [&](TfrxComponent *object) {
        text += lineEnd + Element(object, object->AbsLeft() - minLeft, object->AbsTop() - minTop);
    };
    TfrxPage *page = chosen.front()->GetPage();
    const QList<TfrxComponent *> order = page != nullptr ? page->GetAllObjects() : chosen;
    for (TfrxComponent *object : order) {
        if (!selected.contains(object))
            continue;
        append(object);
        auto *band = qobject_cast<TfrxBand *>(object);
        if (band == nullptr)
            continue;
        const QList<TfrxComponent *> &children = band->Objects();
        const bool someSelected =
            std::any_of(children.begin(), children.end(), [&](TfrxComponent *c) { return selected.contains(c); });
        if (!someSelected)
            for (TfrxComponent *child : children)
                if (IsBandOrView(child))
                    append(child);
    }
    return text;
}

bool TfrxClipboard::CanPaste(const QString &text)
{
    return text.startsWith(Marker());
}

TfrxClipboard::PasteResult TfrxClipboard::Paste(const QString &text, TfrxPage *page)
{
    PasteResult result;
    TfrxReport *report = page != nullptr ? page->GetReport() : nullptr;
    std::vector<std::unique_ptr<TfrxXMLItem>> items;
    if (report == nullptr || !CanPaste(text) || !ReadElements(text, items)) {
        result.Errors.append(zorResources().Get(QStringLiteral("dsCantPaste")));
        return result;
    }
    TfrxBand *lastBand = nullptr;
    for (const auto &item : items) {
        const QMetaObject *cls = TfrxClassRegistry::Instance().Find(item->Name());
        if (cls == nullptr) {
            result.Errors.append(QStringLiteral("Cannot find class ") + item->Name());
            continue;
        }
        if (!FitsPage(cls, page) || (IsSingleBand(cls) && PageHasBandOf(page, cls))) {
            ++result.Dropped;
            continue;
        }
        const QString name = item->Prop(QStringLiteral("Name"));
        const QString pageName = item->Prop(QStringLiteral("Page"));
        item->DeleteProp(QStringLiteral("Name"));
        item->DeleteProp(QStringLiteral("Page"));
        TfrxXMLSerializer serializer;
        serializer.SetOwner(report);
        auto *object = qobject_cast<TfrxComponent *>(serializer.ReadComponentStr(page, item->Name() + u' ' + item->Text()));
        result.Errors.append(serializer.Errors());
        if (object == nullptr)
            continue;
        if (auto *band = qobject_cast<TfrxBand *>(object)) {
            lastBand = band;
        } else if (lastBand != nullptr && object->Top() >= lastBand->Top() - 1e-4 &&
                   object->Top() <= lastBand->Top() + lastBand->Height() + 1e-4) {
            object->SetParent(lastBand);
            object->SetTop(object->Top() - lastBand->Top());
        }
        const TfrxComponent *holder = report->FindObject(name);
        if (name.isEmpty() || !TfrxComponent::IsValidName(name) || (holder != nullptr && holder != object))
            object->CreateUniqueName();
        else
            object->SetName(name);
        object->SetGroupIndex(0);
        if (auto *subreport = qobject_cast<TfrxSubreport *>(object))
            LinkSubreport(subreport, pageName);
        zorSetDesigning(object, true);
        result.Placed.append(object);
        if (object->Parent() == page)
            result.OnPage.append(object);
    }
    return result;
}
