// The workspace's mouse: what a press starts, what the drag does, what the release ends.
#include "TfrxBand.h"
#include "TfrxBandSizeOperation.h"
#include "TfrxCustomMemoView.h"
#include "TfrxDesignerWorkspace_p.h"
#include "TfrxGuides.h"
#include "TfrxMoveOperation.h"
#include "TfrxScaleOperation.h"
#include "TfrxSizeOperation.h"
#include "TfrxSizingHandles.h"

#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <cmath>

using zor::rfDontEdit;
using zor::rfDontModify;
using zor::rfDontSize;
using zor::Round8;

namespace {

// Screen pixels within which a guide pulls an edge onto itself.
constexpr double guideReach = 6;
// An insertion frame smaller than this on screen was meant as a click.
constexpr double clickSize = 4;
// Screen pixels kept visible around the mouse when a drag scrolls the page.
constexpr int scrollMargin = 16;
constexpr double zoomStep = 1.25;
constexpr double minToolScale = 0.3;

QPointF Truncated(const QPointF &travel, double x, double y)
{
    return QPointF(std::trunc(travel.x() / x) * x, std::trunc(travel.y() / y) * y);
}

// A line keeps its direction, but runs rightwards or downwards.
void TurnLine(TfrxInsertion &frame)
{
    const bool across = std::abs(frame.Width) >= std::abs(frame.Height);
    if (across ? frame.Width >= 0 : frame.Height >= 0)
        return;
    frame.Left += frame.Width;
    frame.Top += frame.Height;
    frame.Width = -frame.Width;
    frame.Height = -frame.Height;
}

void TurnRectangle(TfrxInsertion &frame)
{
    const QRectF r = QRectF(frame.Left, frame.Top, frame.Width, frame.Height).normalized();
    frame.Left = r.x();
    frame.Top = r.y();
    frame.Width = r.width();
    frame.Height = r.height();
}

} // namespace

void TfrxDesignerWorkspace::mousePressEvent(QMouseEvent *event)
{
    if (d->Locks > 0)
        return;
    CloseInplaceEditor();
    // A press while a gesture is still on: its release never came, or this is the click that
    // puts down pasted objects.
    if (d->MouseDown) {
        const bool placing = d->SimulatedMove;
        d->FinishGesture();
        if (placing)
            return;
    }
    const QPointF point = WidgetToReport(event->position());
    d->HandPoint = event->globalPosition().toPoint();
    if (d->PressWithTool(event->position(), event->button()))
        return;
    if (event->button() == Qt::RightButton)
        d->ContextClick(point, event->globalPosition().toPoint());
    else if (event->button() == Qt::LeftButton)
        d->Press(point, event->modifiers());
    update();
}

void TfrxDesignerWorkspace::mouseMoveEvent(QMouseEvent *event)
{
    if (d->Locks > 0)
        return;
    if (d->MouseDown && !d->SimulatedMove && !event->buttons().testFlag(Qt::LeftButton))
        d->FinishGesture();
    if (d->Tool == wtHand && d->MouseDown) {
        d->ScrollByHand(event->globalPosition().toPoint());
        return;
    }
    const QPointF point = WidgetToReport(event->position());
    if (!d->MouseDown) {
        d->Hover(point, event->modifiers());
        return;
    }
    if (!d->SimulatedMove)
        d->AutoScroll(event->position());
    d->Move(point, event->modifiers());
}

void TfrxDesignerWorkspace::mouseReleaseEvent(QMouseEvent *event)
{
    if (d->Locks > 0 || !d->MouseDown || d->SimulatedMove || event->button() != Qt::LeftButton)
        return;
    d->FinishGesture();
}

void TfrxDesignerWorkspace::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (d->Locks > 0)
        return;
    // The first click of the two has selected the object already.
    if (event->button() == Qt::LeftButton && d->Tool == wtSelect && d->Insertion.ComponentClass == nullptr) {
        EditObject();
        return;
    }
    mousePressEvent(event);
}

// ---- starting ----

bool TfrxDesignerWorkspace::Private::PressWithTool(const QPointF &widgetPoint, Qt::MouseButton button)
{
    const QPointF point = q->WidgetToReport(widgetPoint);
    switch (Tool) {
    case wtSelect:
        return false;
    case wtHand:
        if (button == Qt::LeftButton) {
            BeginGesture(point);
            q->setCursor(Qt::ClosedHandCursor);
        }
        return true;
    case wtZoom:
        ZoomAt(widgetPoint, button != Qt::RightButton);
        return true;
    case wtCopyFormat:
        if (TfrxComponent *object = HitTester().ObjectAt(point);
            object != nullptr && button == Qt::LeftButton)
            emit q->FormatPainted(object);
        return true;
    case wtEditText:
        if (TfrxComponent *object = HitTester().ObjectAt(point);
            CanEditInPlace(object) && button == Qt::LeftButton) {
            SelectionAtStart = *Selected;
            Selection().SelectOnly(object);
            Report(false);
            OpenInplaceEditor(object);
        }
        return true;
    }
    return false;
}

// The menu acts on the object under the mouse, as the operator expects.
void TfrxDesignerWorkspace::Private::ContextClick(const QPointF &point, const QPoint &globalPos)
{
    SelectionAtStart = *Selected;
    TfrxComponent *object = HitTester().ObjectAt(point);
    if (object != nullptr && !Selection().IsSelected(object)) {
        Selection().SelectOnly(object);
        Selection().ExpandGroups();
    }
    Report(false);
    emit q->ContextMenuRequested(globalPos);
}

TfrxProbe TfrxDesignerWorkspace::Private::Probe(const QPointF &point, Qt::KeyboardModifiers modifiers)
{
    TfrxWorkspaceSelection selection = Selection();
    const QList<TfrxComponent *> placed = selection.Placed();
    if (placed.size() == 1 && !placed.constFirst()->Restrictions().testFlag(rfDontSize)) {
        if (const int handle = TfrxSizingHandles::At(placed.constFirst(), point, Scale); handle != 0)
            return {dmSize, handle, placed.constFirst(), TfrxSizingHandles::Cursor(handle)};
    }
    if (placed.size() > 1 && TfrxSizingHandles::Grabs(selection.Bounds().bottomRight(), point, Scale))
        return {dmScale, 0, nullptr, Qt::SizeFDiagCursor};
    if (TfrxBand *band = HitTester().BandEdgeAt(point))
        return {dmSizeBand, 0, band, band->Vertical() ? Qt::SplitHCursor : Qt::SplitVCursor};
    if (modifiers.testFlag(Qt::AltModifier)) {
        if (TfrxComponent *object = HitTester().ObjectAt(point); CanEditInPlace(object))
            return {dmInplaceEdit, 0, object, Qt::IBeamCursor};
    }
    return {};
}

void TfrxDesignerWorkspace::Private::Press(const QPointF &point, Qt::KeyboardModifiers modifiers)
{
    if (Insertion.ComponentClass != nullptr) {
        StartInsertion(point, modifiers);
        return;
    }
    BeginGesture(point);
    const TfrxProbe probe = Probe(point, modifiers);
    Mode = probe.Mode;
    switch (probe.Mode) {
    case dmSize:
        Drag = std::make_unique<TfrxSizeOperation>(probe.Object, probe.Handle);
        return;
    case dmScale:
        Drag = std::make_unique<TfrxScaleOperation>(Selection().Leaders(), Selection().Bounds());
        return;
    case dmSizeBand:
        Drag = std::make_unique<TfrxBandSizeOperation>(qobject_cast<TfrxBand *>(probe.Object),
                                                       [this] { q->AdjustBands(false); });
        return;
    case dmInplaceEdit:
        EditTarget = probe.Object;
        return;
    default:
        break;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        Selection().SelectPage();
        StartRubberBand(point);
        return;
    }
    PressOnObject(point, modifiers);
}

void TfrxDesignerWorkspace::Private::PressOnObject(const QPointF &point, Qt::KeyboardModifiers modifiers)
{
    TfrxWorkspaceSelection selection = Selection();
    TfrxComponent *object = HitTester().ObjectAt(point);
    if (object == nullptr) {
        selection.SelectPage();
        StartRubberBand(point);
        return;
    }
    if (modifiers.testFlag(Qt::ShiftModifier))
        selection.Toggle(object);
    else if (!selection.IsSelected(object))
        selection.SelectOnly(object);
    selection.ExpandGroups();
    if (!selection.HoldsObjects()) {
        selection.Normalize();
        return;
    }
    selection.RemovePage();
    const QList<TfrxComponent *> placed = selection.Placed();
    auto *band = qobject_cast<TfrxBand *>(placed.constFirst());
    if (placed.size() == 1 && band != nullptr) {
        if (modifiers.testFlag(Qt::AltModifier))
            q->AdjustBands(false);
        if (band->Vertical())
            SelectViewsAcross(band);
    }
    StartMove();
}

// A vertical band carries the views that stand in it.
void TfrxDesignerWorkspace::Private::SelectViewsAcross(const TfrxBand *band)
{
    const QRectF extent = TfrxHitTester::Bounds(band);
    for (TfrxComponent *object : std::as_const(*Objects)) {
        const QRectF r = TfrxHitTester::Bounds(object);
        if (qobject_cast<TfrxView *>(object) != nullptr && r.left() >= extent.left() - 0.0001 &&
            r.right() <= extent.right() + 0.0001)
            Selection().Add(object);
    }
}

void TfrxDesignerWorkspace::Private::StartMove()
{
    Mode = dmMove;
    Drag = std::make_unique<TfrxMoveOperation>(Selection().Leaders());
}

void TfrxDesignerWorkspace::Private::BeginGesture(const QPointF &point)
{
    MouseDown = true;
    ModifyFlag = false;
    PressPoint = LastPoint = point;
    SelectionAtStart = *Selected;
    Passing.reset();
}

void TfrxDesignerWorkspace::Private::StartRubberBand(const QPointF &point)
{
    Mode = dmSelectionRect;
    RubberBand = QRectF(point, point);
}

void TfrxDesignerWorkspace::Private::StartInsertion(const QPointF &point, Qt::KeyboardModifiers modifiers)
{
    const QPointF at = Grid.Snaps(modifiers) ? Grid.Floor(point) : point;
    BeginGesture(at);
    Insertion.Left = at.x();
    Insertion.Top = at.y();
    Insertion.Width = 0;
    Insertion.Height = 0;
}

// ---- dragging ----

QRect TfrxDesignerWorkspace::Private::FrameOnWidget() const
{
    const QRectF frame(q->ReportToWidget(QPointF(Insertion.Left, Insertion.Top)),
                       QSizeF(Insertion.Width, Insertion.Height) * Scale);
    return frame.normalized().toAlignedRect().adjusted(-2, -2, 2, 2);
}

void TfrxDesignerWorkspace::Private::Hover(const QPointF &point, Qt::KeyboardModifiers modifiers)
{
    if (Insertion.ComponentClass != nullptr) {
        // Only where the frame was and where it goes is drawn again.
        const QRect before = FrameOnWidget();
        const QPointF at = Grid.Snaps(modifiers) ? Grid.Floor(point) : point;
        Insertion.Left = at.x();
        Insertion.Top = at.y();
        q->update(before.united(FrameOnWidget()));
        return;
    }
    static const Qt::CursorShape toolCursors[] = {Qt::ArrowCursor, Qt::OpenHandCursor, Qt::CrossCursor,
                                                  Qt::IBeamCursor, Qt::PointingHandCursor};
    q->setCursor(Tool == wtSelect ? Probe(point, modifiers).Cursor : toolCursors[Tool]);
}

void TfrxDesignerWorkspace::Private::Move(const QPointF &point, Qt::KeyboardModifiers modifiers)
{
    switch (Mode) {
    case dmSelectionRect:
        RubberBand.setBottomRight(point);
        q->update();
        break;
    case dmInsertObject:
    case dmInsertLine:
        SizeInsertionFrame(point, modifiers);
        break;
    case dmMove:
        if (!modifiers.testFlag(Qt::ShiftModifier))
            DragBy(point, modifiers);
        break;
    case dmSize:
    case dmSizeBand:
    case dmScale:
        DragBy(point, modifiers);
        break;
    default:
        break;
    }
}

void TfrxDesignerWorkspace::Private::DragBy(const QPointF &point, Qt::KeyboardModifiers modifiers)
{
    if (Drag == nullptr)
        return;
    const std::optional<QPointF> applicable = Grid.ApplicableTravel(point - LastPoint, Grid.Snaps(modifiers));
    if (!applicable)
        return;
    QPointF travel = *applicable;
    if (ShowGuides) {
        QList<double> xs, ys;
        Drag->Edges(travel, xs, ys);
        travel += TfrxGuides(Page).Pull(xs, ys, guideReach / Scale);
    }
    Drag->Apply(travel);
    LastPoint += travel;
    ModifyFlag = true;
    if (const auto *size = dynamic_cast<const TfrxSizeOperation *>(Drag.get()))
        q->setCursor(TfrxSizingHandles::Cursor(size->Handle()));
    if (!Passing && !Drag->ChangesLayout())
        Passing.emplace(Drag->Changing(), *Objects);
    emit q->PositionChanged(q->GetSelectionBounds());
    q->update();
}

void TfrxDesignerWorkspace::Private::SizeInsertionFrame(const QPointF &point, Qt::KeyboardModifiers modifiers)
{
    QPointF travel = point - PressPoint;
    if (Grid.Snaps(modifiers))
        travel = Truncated(travel, Grid.X, Grid.Y);
    if (ShowGuides) {
        const QPointF corner = PressPoint + travel;
        travel += TfrxGuides(Page).Pull({corner.x()}, {corner.y()}, guideReach / Scale);
    }
    Insertion.Width = travel.x();
    Insertion.Height = travel.y();
    q->update();
}

// The hand drags the page: the scroll position follows the mouse.
void TfrxDesignerWorkspace::Private::ScrollByHand(const QPoint &globalPos)
{
    if (QScrollArea *area = ScrollArea()) {
        const QPoint by = globalPos - HandPoint;
        area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->value() - by.x());
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->value() - by.y());
    }
    HandPoint = globalPos;
}

void TfrxDesignerWorkspace::Private::AutoScroll(const QPointF &widgetPoint)
{
    QScrollArea *area = ScrollArea();
    if (area == nullptr || q->visibleRegion().boundingRect().contains(widgetPoint.toPoint()))
        return;
    area->ensureVisible(int(widgetPoint.x()), int(widgetPoint.y()), scrollMargin, scrollMargin);
}

// ---- ending ----

void TfrxDesignerWorkspace::Private::FinishGesture()
{
    if (!MouseDown)
        return;
    MouseDown = false;
    SimulatedMove = false;
    const TfrxDesignMode mode = Mode;
    switch (mode) {
    case dmSelectionRect:
        FinishRubberBand();
        break;
    case dmInsertObject:
    case dmInsertLine:
        FinishInsertion();
        break;
    case dmInplaceEdit:
        if (EditTarget != nullptr)
            Selection().SelectOnly(EditTarget);
        break;
    default:
        if (Drag != nullptr)
            Drag->Finish();
        break;
    }
    Drag.reset();
    Passing.reset();
    if (mode != dmInsertObject && mode != dmInsertLine)
        Mode = dmNone;
    if (Tool == wtHand)
        q->setCursor(Qt::OpenHandCursor);
    q->AdjustBands(true);
    Painter.Invalidate();
    Report(ModifyFlag);
    if (mode == dmInplaceEdit)
        OpenInplaceEditor(EditTarget);
    q->update();
}

void TfrxDesignerWorkspace::Private::FinishRubberBand()
{
    const QList<TfrxComponent *> found = HitTester().ViewsTouching(RubberBand.normalized());
    TfrxWorkspaceSelection selection = Selection();
    if (found.isEmpty()) {
        selection.SelectPage();
        return;
    }
    *Selected = found;
    selection.ExpandGroups();
}

void TfrxDesignerWorkspace::Private::FinishInsertion()
{
    TfrxInsertion frame = Insertion;
    const bool line = Mode == dmInsertLine;
    const bool click =
        line ? std::abs(frame.Width) * Scale < clickSize && std::abs(frame.Height) * Scale < clickSize
             : std::abs(frame.Width) * Scale < clickSize || std::abs(frame.Height) * Scale < clickSize;
    if (click) {
        frame.Width = frame.OriginalWidth;
        frame.Height = line ? 0 : frame.OriginalHeight;
    }
    line ? TurnLine(frame) : TurnRectangle(frame);
    frame.Left = Round8(frame.Left);
    frame.Top = Round8(frame.Top);
    frame.Width = Round8(frame.Width);
    frame.Height = Round8(frame.Height);
    Insertion.Width = Insertion.OriginalWidth;
    Insertion.Height = Insertion.OriginalHeight;
    emit q->InsertRequested(frame);
    // The designer has placed and selected the new object; that is its change, not this one's.
    SelectionAtStart = *Selected;
    // A line tool draws line after line; any other goes back to selecting.
    if (!line && Insertion.ComponentClass == frame.ComponentClass)
        q->SetInsertion(nullptr, 0, 0, 0);
}

void TfrxDesignerWorkspace::Private::ZoomAt(const QPointF &widgetPoint, bool in)
{
    const QPointF report = q->WidgetToReport(widgetPoint);
    QScrollArea *area = ScrollArea();
    const QPoint onViewport = area != nullptr ? q->mapTo(area->viewport(), widgetPoint.toPoint()) : QPoint();
    q->SetScale(in ? Scale * zoomStep : std::max(minToolScale, Scale / zoomStep));
    emit q->ScaleChanged(Scale);
    if (area != nullptr) {
        // The point clicked stays under the mouse.
        const QPointF now = q->ReportToWidget(report);
        area->horizontalScrollBar()->setValue(int(now.x()) - onViewport.x());
        area->verticalScrollBar()->setValue(int(now.y()) - onViewport.y());
    }
}

// ---- editing in place ----

bool TfrxDesignerWorkspace::Private::CanEditInPlace(const TfrxComponent *object) const
{
    return qobject_cast<const TfrxCustomMemoView *>(object) != nullptr &&
           !(object->Restrictions() & (rfDontEdit | rfDontModify));
}

void TfrxDesignerWorkspace::Private::OpenInplaceEditor(TfrxComponent *object)
{
    auto *memo = qobject_cast<TfrxCustomMemoView *>(object);
    if (memo == nullptr || !CanEditInPlace(memo))
        return;
    if (Inplace == nullptr) {
        Inplace = new TfrxInplaceMemo(q);
        QObject::connect(Inplace, &TfrxInplaceMemo::Finished, q,
                         [this](bool apply) { q->CloseInplaceEditor(apply); });
    }
    const QRectF r(q->ReportToWidget(QPointF(memo->AbsLeft(), memo->AbsTop())),
                   QSizeF(memo->Width(), memo->Height()) * Scale);
    Inplace->Open(memo, r.toAlignedRect(), Scale);
}
