#include "TfrxDesignerWorkspace.h"

#include "TfrxBandLayout.h"
#include "TfrxCustomLineView.h"
#include "TfrxCustomMemoView.h"
#include "TfrxDesigner.h"
#include "TfrxDesignerWorkspace_p.h"
#include "TfrxDialogPage.h"
#include "TfrxGuides.h"
#include "TfrxReportPage.h"

#include <QFocusEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>

#include <cmath>

using zor::fr01cm;

namespace {

// Screen pixels of workspace around the paper.
constexpr int border = 10;
// The height of a band's caption strip in report pixels.
constexpr double captionHeight = 16;
constexpr double maxScale = 20;

} // namespace

TfrxDesignerWorkspace::TfrxDesignerWorkspace(QWidget *parent)
    : QWidget(parent), d(std::make_unique<Private>(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    UpdateView();
}

TfrxDesignerWorkspace::~TfrxDesignerWorkspace() = default;

void TfrxDesignerWorkspace::SetLists(QList<TfrxComponent *> *objects, QList<TfrxComponent *> *selected)
{
    d->FinishGesture();
    d->Objects = objects != nullptr ? objects : &d->OwnObjects;
    d->Selected = selected != nullptr ? selected : &d->OwnSelected;
    UpdateView();
}

void TfrxDesignerWorkspace::SetPage(TfrxPage *page)
{
    CloseInplaceEditor();
    d->FinishGesture();
    d->EndDrop();
    d->Page = page;
    d->Grid.DialogPage = qobject_cast<TfrxDialogPage *>(page) != nullptr;
    UpdateView();
}

TfrxPage *TfrxDesignerWorkspace::Page() const
{
    return d->Page;
}

double TfrxDesignerWorkspace::Scale() const
{
    return d->Scale;
}

void TfrxDesignerWorkspace::SetScale(double value)
{
    // A scale that is not a number, or negative, comes from a broken setting or a window too
    // small to compute one: it is ignored.
    if (!(value >= 0))
        return;
    value = value == 0 ? 1 : std::min(value, maxScale);
    if (value == d->Scale)
        return;
    CloseInplaceEditor();
    d->Scale = value;
    UpdateView();
}

TfrxGridType TfrxDesignerWorkspace::GridType() const
{
    return d->Grid.Type;
}

void TfrxDesignerWorkspace::SetGridType(TfrxGridType type)
{
    d->Grid.Type = type;
    UpdateView();
}

void TfrxDesignerWorkspace::SetGrid(double x, double y)
{
    if (d->Grid.SetSteps(x, y))
        UpdateView();
}

double TfrxDesignerWorkspace::GridX() const
{
    return d->Grid.X;
}

double TfrxDesignerWorkspace::GridY() const
{
    return d->Grid.Y;
}

void TfrxDesignerWorkspace::SetShowGrid(bool value)
{
    d->Grid.Show = value;
    UpdateView();
}

void TfrxDesignerWorkspace::SetGridAlign(bool value)
{
    d->Grid.Align = value;
}

bool TfrxDesignerWorkspace::GridAlign() const
{
    return d->Grid.Align;
}

void TfrxDesignerWorkspace::SetGridLCD(bool value)
{
    d->Grid.LCD = value;
    UpdateView();
}

void TfrxDesignerWorkspace::SetShowGuides(bool value)
{
    d->ShowGuides = value;
    UpdateView();
}

void TfrxDesignerWorkspace::SetShowBandCaptions(bool value)
{
    d->ShowBandCaptions = value;
    UpdateView();
}

double TfrxDesignerWorkspace::BandHeader() const
{
    return d->BandHeader();
}

void TfrxDesignerWorkspace::SetBandsGap(double value)
{
    if (value >= 0 && std::isfinite(value))
        d->BandsGap = value;
}

void TfrxDesignerWorkspace::SetFreeBandsPlacement(bool value)
{
    d->FreeBands = value;
}

void TfrxDesignerWorkspace::SetWorkspaceColor(const QColor &color)
{
    if (color.isValid())
        d->WorkspaceColor = color;
    UpdateView();
}

void TfrxDesignerWorkspace::SetBackdrop(const QImage &picture, const QRectF &rectMm)
{
    d->Backdrop = picture;
    d->BackdropMm = rectMm;
    UpdateView();
}

void TfrxDesignerWorkspace::SetBackdropVisible(bool value)
{
    d->BackdropVisible = value;
    UpdateView();
}

bool TfrxDesignerWorkspace::BackdropVisible() const
{
    return d->BackdropVisible;
}

void TfrxDesignerWorkspace::SetTool(TfrxWorkspaceTool tool)
{
    d->FinishGesture();
    d->Tool = tool;
    if (tool != wtSelect)
        SetInsertion(nullptr, 0, 0, 0);
    unsetCursor();
}

TfrxWorkspaceTool TfrxDesignerWorkspace::Tool() const
{
    return d->Tool;
}

void TfrxDesignerWorkspace::SetInsertion(const QMetaObject *componentClass, int flags, double width,
                                         double height)
{
    if (d->MouseDown)
        d->FinishGesture();
    d->Insertion = TfrxInsertion();
    d->Mode = dmNone;
    // The host may forbid inserting altogether.
    if (componentClass != nullptr && TfrxDesigner::CheckOp(drDontInsertObject)) {
        d->Tool = wtSelect;
        const bool line = componentClass->inherits(&TfrxCustomLineView::staticMetaObject);
        d->Mode = line ? dmInsertLine : dmInsertObject;
        // Off the page until the mouse comes: a line's frame one grid step (half a character)
        // before the corner, any other far away.
        const double steps = line ? (d->Grid.Type == gtChar ? -0.5 : -1) : -1000;
        d->Insertion = {componentClass, flags, steps * d->Grid.X, steps * d->Grid.Y, width, height,
                        width,          height};
        setCursor(line ? Qt::CrossCursor : Qt::ArrowCursor);
    } else {
        unsetCursor();
    }
    d->Painter.Invalidate();
    update();
}

const TfrxInsertion &TfrxDesignerWorkspace::Insertion() const
{
    return d->Insertion;
}

TfrxDesignMode TfrxDesignerWorkspace::Mode() const
{
    return d->Mode;
}

void TfrxDesignerWorkspace::AdjustBands(bool attachObjects)
{
    if (d->Page == nullptr)
        return;
    TfrxBandLayoutOptions options;
    options.BandHeader = d->BandHeader();
    options.Gap = d->BandsGap;
    options.GridY = d->Grid.Y;
    options.ExtraGap = d->Grid.ExtraBandGap();
    options.FreePlacement = d->FreeBands;
    TfrxBandLayout(d->Page, options).Adjust(attachObjects);
    TfrxBandLayout::PutBandsFirst(*d->Objects);
    d->UpdateSize();
    if (!d->IsAnimating())
        d->Painter.Invalidate();
    update();
}

bool TfrxDesignerWorkspace::DeleteObjects()
{
    CloseInplaceEditor();
    d->FinishGesture();
    d->SelectionAtStart = *d->Selected;
    QString error;
    bool subreport = false;
    if (!d->Selection().Delete(&error, &subreport)) {
        if (error.isEmpty())
            return true;
        emit ErrorOccurred(error);
        return false;
    }
    AdjustBands();
    d->Report(true);
    if (subreport)
        emit PagesChanged();
    return true;
}

void TfrxDesignerWorkspace::EditObject()
{
    if (!d->Selected->isEmpty())
        emit EditRequested();
}

void TfrxDesignerWorkspace::GroupObjects()
{
    if (d->Selection().Group())
        emit Modified();
}

void TfrxDesignerWorkspace::UngroupObjects()
{
    if (d->Selection().Ungroup())
        emit Modified();
}

void TfrxDesignerWorkspace::SimulateMove()
{
    d->FinishGesture();
    TfrxWorkspaceSelection selection = d->Selection();
    if (!selection.HoldsObjects())
        return;
    d->BeginGesture(selection.Bounds().topLeft() + QPointF(20, 20) / d->Scale);
    d->SimulatedMove = true;
    d->StartMove();
}

void TfrxDesignerWorkspace::ExpandGroups()
{
    d->Selection().ExpandGroups();
}

void TfrxDesignerWorkspace::AddGuide(Qt::Orientation orientation, double pos)
{
    if (TfrxGuides::Add(d->Page, orientation, pos)) {
        update();
        emit Modified();
    }
}

void TfrxDesignerWorkspace::DeleteGuides()
{
    if (TfrxGuides::Clear(d->Page)) {
        update();
        emit Modified();
    }
}

void TfrxDesignerWorkspace::ShowGuidePreview(Qt::Orientation orientation, double pos)
{
    d->DraggedGuide = std::pair(orientation, pos);
    update();
}

void TfrxDesignerWorkspace::HideGuidePreview()
{
    d->DraggedGuide.reset();
    update();
}

void TfrxDesignerWorkspace::DisableUpdate()
{
    if (d->Locks++ == 0) {
        CloseInplaceEditor();
        d->FinishGesture();
    }
}

void TfrxDesignerWorkspace::EnableUpdate()
{
    if (d->Locks > 0 && --d->Locks == 0)
        UpdateView();
}

void TfrxDesignerWorkspace::UpdateView()
{
    d->Painter.Invalidate();
    d->UpdateSize();
    update();
}

QRectF TfrxDesignerWorkspace::GetSelectionBounds() const
{
    return d->Selection().Bounds();
}

bool TfrxDesignerWorkspace::IsEditingInPlace() const
{
    return d->Inplace != nullptr && !d->Inplace->isHidden();
}

void TfrxDesignerWorkspace::CloseInplaceEditor(bool apply)
{
    TfrxInplaceMemo *editor = d->Inplace;
    if (editor == nullptr || editor->isHidden())
        return;
    const bool hadFocus = editor->hasFocus();
    editor->Close();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
    TfrxCustomMemoView *memo = editor->Memo();
    if (!apply || memo == nullptr)
        return;
    bool changed = false;
    if (editor->Changed()) {
        memo->SetText(editor->toPlainText());
        changed = true;
    }
    if (editor->Grew()) {
        memo->SetWidth((editor->width() + 5) / d->Scale);
        memo->SetHeight((editor->height() + 5) / d->Scale);
        changed = true;
    }
    if (changed) {
        d->Painter.Invalidate();
        update();
        emit Modified();
    }
}

QRectF TfrxDesignerWorkspace::PaperRect() const
{
    return d->PaperRect();
}

QPointF TfrxDesignerWorkspace::ReportToWidget(const QPointF &point) const
{
    return d->Origin() + point * d->Scale;
}

QPointF TfrxDesignerWorkspace::WidgetToReport(const QPointF &point) const
{
    return (point - d->Origin()) / d->Scale;
}

void TfrxDesignerWorkspace::paintEvent(QPaintEvent *event)
{
    if (d->Locks > 0)
        return;
    QPainter painter(this);
    const TfrxWorkspaceScene scene = d->Scene();
    if (d->IsAnimating()) {
        QRect visible = visibleRegion().boundingRect();
        if (visible.isEmpty())
            visible = rect();
        d->Painter.PaintCached(painter, event->rect(), visible, scene,
                               d->Drag != nullptr ? d->Drag->Changing() : QList<TfrxComponent *>());
    } else {
        d->Painter.Paint(painter, event->rect(), scene);
    }
    TfrxOverlayPainter::Paint(painter, scene, d->Overlay());
}

void TfrxDesignerWorkspace::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    // A release that never comes (a message box, another window) ends the drag as one would;
    // pasted objects stay where they follow the mouse to.
    if (d->MouseDown)
        d->FinishGesture();
}

bool TfrxDesignerWorkspace::focusNextPrevChild(bool)
{
    // Tab moves through the page's objects, not the window's controls.
    return false;
}

// ---- geometry ----

double TfrxDesignerWorkspace::Private::BandHeader() const
{
    return ShowBandCaptions ? captionHeight : 0;
}

QPointF TfrxDesignerWorkspace::Private::MarginOffset() const
{
    const auto *page = qobject_cast<const TfrxReportPage *>(Page.data());
    return page != nullptr ? QPointF(page->LeftMargin(), page->TopMargin()) * fr01cm : QPointF();
}

// The paper, and below it as much more as the bands need.
QSizeF TfrxDesignerWorkspace::Private::PaperSize() const
{
    if (Page == nullptr)
        return {};
    const auto *page = qobject_cast<const TfrxReportPage *>(Page.data());
    QSizeF size = page != nullptr ? QSizeF(page->PaperWidth(), page->PaperHeight()) * fr01cm
                                  : QSizeF(Page->Width(), Page->Height());
    double bottom = 0;
    for (const TfrxComponent *object : Page->Objects()) {
        if (TfrxHitTester::IsPlaceable(object))
            bottom = std::max(bottom, object->AbsTop() + object->Height());
    }
    const double needed = MarginOffset().y() + bottom + (page != nullptr ? page->BottomMargin() * fr01cm : 0);
    size.setHeight(std::max(size.height(), needed));
    return size;
}

QPointF TfrxDesignerWorkspace::Private::Origin() const
{
    return QPointF(border, border) + MarginOffset() * Scale;
}

QRectF TfrxDesignerWorkspace::Private::PaperRect() const
{
    return QRectF(QPointF(border, border), PaperSize() * Scale);
}

void TfrxDesignerWorkspace::Private::UpdateSize()
{
    const QSizeF paper = PaperSize() * Scale;
    q->resize(int(std::ceil(paper.width())) + 2 * border, int(std::ceil(paper.height())) + 2 * border);
    emit q->ViewChanged();
}

TfrxWorkspaceScene TfrxDesignerWorkspace::Private::Scene() const
{
    TfrxWorkspaceScene scene;
    scene.Page = Page;
    scene.Objects = Objects;
    scene.Scale = Scale;
    scene.Origin = Origin();
    scene.Paper = PaperRect();
    scene.Printable = scene.Paper;
    if (const auto *page = qobject_cast<const TfrxReportPage *>(Page.data())) {
        scene.Printable = scene.Paper.adjusted(
            page->LeftMargin() * fr01cm * Scale, page->TopMargin() * fr01cm * Scale,
            -page->RightMargin() * fr01cm * Scale, -page->BottomMargin() * fr01cm * Scale);
        if (BackdropVisible && !Backdrop.isNull()) {
            scene.Backdrop = Backdrop;
            scene.BackdropRect = QRectF(scene.Paper.topLeft() + BackdropMm.topLeft() * fr01cm * Scale,
                                        BackdropMm.size() * fr01cm * Scale);
        }
    }
    scene.Grid = &Grid;
    scene.WorkspaceColor = WorkspaceColor;
    scene.BandHeader = BandHeader();
    return scene;
}

TfrxOverlay TfrxDesignerWorkspace::Private::Overlay()
{
    TfrxOverlay overlay;
    const TfrxWorkspaceSelection selection = Selection();
    overlay.Selected = selection.Placed();
    if (overlay.Selected.size() > 1)
        overlay.GroupBounds = selection.Bounds();
    if (ShowGuides) {
        const TfrxGuides guides(Page);
        overlay.GuideXs = guides.Xs();
        overlay.GuideYs = guides.Ys();
    }
    if (Passing)
        overlay.Passing = Passing->Lines();
    if (Mode == dmSelectionRect)
        overlay.RubberBand = RubberBand;
    if (Insertion.ComponentClass != nullptr) {
        overlay.InsertionFrame = QRectF(Insertion.Left, Insertion.Top, Insertion.Width, Insertion.Height);
        overlay.InsertingLine = Mode == dmInsertLine;
    }
    overlay.DraggedGuide = DraggedGuide;
    return overlay;
}

QScrollArea *TfrxDesignerWorkspace::Private::ScrollArea() const
{
    for (QWidget *w = q->parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(w))
            return area;
    }
    return nullptr;
}

// While the button drags objects or frames the page itself stands still: it is drawn once.
bool TfrxDesignerWorkspace::Private::IsAnimating() const
{
    if (!MouseDown)
        return false;
    if (Drag != nullptr)
        return !Drag->ChangesLayout();
    return Mode == dmSelectionRect || Mode == dmInsertObject || Mode == dmInsertLine;
}

void TfrxDesignerWorkspace::Private::Report(bool modified)
{
    Selection().Normalize();
    if (*Selected != SelectionAtStart)
        emit q->SelectionChanged();
    if (modified)
        emit q->Modified();
    emit q->PositionChanged(q->GetSelectionBounds());
    SelectionAtStart = *Selected;
}
