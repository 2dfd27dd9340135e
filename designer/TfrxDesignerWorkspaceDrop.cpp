// Entries of the data tree dropped onto a report page: while the drag is over the page a text
// object's frame follows the mouse; the drop makes the entry's text object and, for a data field,
// its caption above it, in one undo step.

#include "TfrxDataSet.h"
#include "TfrxDesigner.h"
#include "TfrxDesignerWorkspace_p.h"
#include "TfrxFormatCommands.h"
#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "zorDesignerUnits.h"

#include <QDragMoveEvent>
#include <QDropEvent>

#include <algorithm>
#include <cmath>
#include <exception>

using zor::Round8;

namespace {

// The frame sits this many pixels up and left of the pointer, so that the pointer stays on it.
constexpr double pointerOffset = 8;
// A field's display width is counted in characters of this many pixels.
constexpr double charPixels = 8;
constexpr int unknownDisplayWidth = 10;
constexpr int maxDisplayWidth = 50;

// The units whose default object size a frame takes, by the grid the designer chose for them.
TfrxDesignerUnits UnitsOf(TfrxGridType grid)
{
    constexpr TfrxDesignerUnits units[] = {duPixels, duCM, duInches, duPixels, duChars, duPixels};
    return units[grid];
}

// <Alias."Field"> and <Name> without their angle brackets; a call skeleton as it is.
QString Expression(const QString &text)
{
    if (!text.startsWith(u'<'))
        return text;
    return text.mid(1, text.endsWith(u'>') ? text.size() - 2 : -1);
}

bool IsAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The object's name is the text's letters, digits and underscores, unless too little of the text
// is left to recognise it: then the plain "Memo". So <Customers."Company"> gives CustomersCompany.
// A digit is kept only behind a letter or underscore, as a name may not begin with one.
QString NameFrom(const QString &text)
{
    QString name;
    for (const QChar c : text) {
        const bool digit = c >= u'0' && c <= u'9';
        if (IsAsciiLetter(c) || c == u'_' || (digit && !name.isEmpty()))
            name.append(c);
    }
    return name.isEmpty() || name.size() < text.size() * 2 / 3 ? QStringLiteral("Memo") : name;
}

// A name taken already, or the generic one, is numbered like any new object's name.
void GiveName(TfrxMemoView &memo, const QString &name)
{
    const TfrxReport *report = memo.GetReport();
    const TfrxComponent *other = report != nullptr ? report->FindObject(name) : nullptr;
    if (name != QLatin1String("Memo") && (other == nullptr || other == &memo)) {
        memo.SetName(name);
        return;
    }
    memo.SetBaseName(name);
    memo.CreateUniqueName();
}

// The display width of a data field in characters; a data set that cannot tell gives the default.
int DisplayWidth(const TfrxReport *report, const TfrxDataTreeDrag &entry)
{
    TfrxDataSet *dataSet = nullptr;
    QString field;
    if (!entry.IsDataField() || report == nullptr ||
        !report->GetDatasetAndField(Expression(entry.Text), dataSet, field))
        return unknownDisplayWidth;
    try {
        const int width = dataSet->HasField(field) ? dataSet->GetDisplayWidth(field) : 0;
        return width > 0 ? std::min(width, maxDisplayWidth) : unknownDisplayWidth;
    } catch (const std::exception &) {
        return unknownDisplayWidth;
    }
}

// A field's object is bound to its data set and field; every entry's object shows its expression,
// so that the page says what will be printed there.
void ShowEntry(TfrxMemoView &memo, const QString &text)
{
    const QString expression = Expression(text);
    TfrxDataSet *dataSet = nullptr;
    QString field;
    if (const TfrxReport *report = memo.GetReport();
        report != nullptr && report->GetDatasetAndField(expression, dataSet, field)) {
        memo.SetDataSet(dataSet);
        memo.SetDataField(field);
    }
    memo.SetText(u'[' + expression + u']');
}

} // namespace

void TfrxDesignerWorkspace::SetSampleFormat(const TfrxFormatCommands *format)
{
    d->SampleFormat = format;
}

void TfrxDesignerWorkspace::dragEnterEvent(QDragEnterEvent *event)
{
    if (!d->StartDrop(event->mimeData()))
        return event->ignore();
    d->DragOver(event->position(), event->modifiers());
    event->acceptProposedAction();
}

void TfrxDesignerWorkspace::dragMoveEvent(QDragMoveEvent *event)
{
    if (!d->Dropping)
        return event->ignore();
    d->DragOver(event->position(), event->modifiers());
    event->acceptProposedAction();
}

void TfrxDesignerWorkspace::dragLeaveEvent(QDragLeaveEvent *)
{
    d->EndDrop();
}

void TfrxDesignerWorkspace::dropEvent(QDropEvent *event)
{
    // The page may have gone while the drag was over it.
    if (!d->Dropping || d->Page == nullptr) {
        d->EndDrop();
        return event->ignore();
    }
    d->DragOver(event->position(), event->modifiers());
    d->Drop();
    event->acceptProposedAction();
}

// Only a data tree entry that makes an object, onto a report page the host lets the operator
// insert into; anything else dragged here (plain text, files) is refused.
bool TfrxDesignerWorkspace::Private::StartDrop(const QMimeData *data)
{
    EndDrop();
    const std::optional<TfrxDataTreeDrag> entry = TfrxDataTreeDrag::FromMimeData(data);
    if (!entry || !entry->MakesObjects() || qobject_cast<TfrxReportPage *>(Page) == nullptr || Locks > 0 ||
        MouseDown || !TfrxDesigner::CheckOp(drDontInsertObject))
        return false;
    q->CloseInplaceEditor();
    Dropping = DroppedEntry{*entry, Insertion, Mode};
    const QSizeF size = DropFrameSize(*entry);
    Insertion = {
        &TfrxMemoView::staticMetaObject, 0, 0, 0, size.width(), size.height(), size.width(), size.height()};
    Mode = dmInsertObject;
    return true;
}

void TfrxDesignerWorkspace::Private::DragOver(const QPointF &widgetPoint, Qt::KeyboardModifiers modifiers)
{
    const QRect before = FrameOnWidget();
    const QPointF point = q->WidgetToReport(widgetPoint) - QPointF(pointerOffset, pointerOffset);
    const QPointF at = Grid.Snaps(modifiers) ? Grid.Floor(point) : point;
    Insertion.Left = at.x();
    Insertion.Top = at.y();
    q->update(before.united(FrameOnWidget()));
}

void TfrxDesignerWorkspace::Private::EndDrop()
{
    if (!Dropping)
        return;
    q->update(FrameOnWidget());
    Insertion = Dropping->SavedInsertion;
    Mode = Dropping->SavedMode;
    Dropping.reset();
}

// The frame of a text object: as high as a new object, as wide as the field's display width,
// rounded to whole grid steps.
QSizeF TfrxDesignerWorkspace::Private::DropFrameSize(const TfrxDataTreeDrag &entry) const
{
    const double width = DisplayWidth(Page->GetReport(), entry) * charPixels;
    const double steps = std::max(1.0, std::round(width / Grid.X));
    return {steps * Grid.X, zor::DefaultObjectHeight(UnitsOf(Grid.Type))};
}

// The entry's text object in the frame, and for a data field with "Create caption" the field's
// name directly above it; they become the selection, and the whole drop is one change.
void TfrxDesignerWorkspace::Private::Drop()
{
    const TfrxDataTreeDrag entry = Dropping->Entry;
    QRectF frame(Round8(Insertion.Left), Round8(Insertion.Top), Insertion.Width, Insertion.Height);
    EndDrop();
    SelectionAtStart = *Selected;
    QList<TfrxComponent *> created;
    if (!entry.IsDataField() || entry.CreateField) {
        TfrxMemoView *memo = AddText(frame, created);
        GiveName(*memo, NameFrom(entry.Text));
        ShowEntry(*memo, entry.Text);
        frame.translate(0, -frame.height());
    }
    if (entry.IsDataField() && entry.CreateCaption) {
        TfrxMemoView *caption = AddText(frame, created);
        caption->CreateUniqueName();
        caption->SetText(entry.Field);
    }
    *Selected = created;
    if (const TfrxDesigner *designer = TfrxDesigner::Instance();
        designer != nullptr && designer->OnInsertObject)
        designer->OnInsertObject(created.last());
    q->AdjustBands(true);
    q->setFocus(Qt::OtherFocusReason);
    Report(true);
}

// A new text object on the page in the frame, with the sample format, listed where the designer
// lists the page's objects: before the report and the page.
TfrxMemoView *TfrxDesignerWorkspace::Private::AddText(const QRectF &frame, QList<TfrxComponent *> &created)
{
    auto *memo = new TfrxMemoView(Page);
    memo->DesignCreate(0);
    memo->SetBounds(frame.left(), frame.top(), frame.width(), frame.height());
    if (SampleFormat != nullptr)
        SampleFormat->ApplySample(memo);
    const qsizetype report = Objects->indexOf(Page->GetReport());
    Objects->insert(report >= 0 ? report : Objects->size(), memo);
    created.append(memo);
    return memo;
}
