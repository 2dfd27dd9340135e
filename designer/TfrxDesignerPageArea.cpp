#include "TfrxDesignerPageArea.h"

#include "TfrxDesignerWorkspace.h"
#include "TfrxReportPage.h"
#include "TfrxRuler.h"

#include <QGridLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace {

constexpr double wheelZoomStep = 0.05;
constexpr double minWheelScale = 0.3;
constexpr int wheelScrollStep = 16;

// The paper's size in report pixels from millimetres (96 per inch), as the zoom box computes it.
QSizeF PaperPixels(const TfrxPage *page)
{
    if (const auto *reportPage = qobject_cast<const TfrxReportPage *>(page))
        return QSizeF(reportPage->PaperWidth(), reportPage->PaperHeight()) * 96 / 25.4;
    return page != nullptr ? QSizeF(page->Width(), page->Height()) : QSizeF();
}

double WholePercent(double scale)
{
    return std::nearbyint(scale * 100) / 100;
}

} // namespace

TfrxDesignerPageArea::TfrxDesignerPageArea(QWidget *parent)
    : QWidget(parent), FScrollArea(new QScrollArea(this)), FWorkspace(new TfrxDesignerWorkspace),
      FTopRuler(new TfrxRuler(Qt::Horizontal, this)), FLeftRuler(new TfrxRuler(Qt::Vertical, this)),
      FCorner(new QWidget(this))
{
    FScrollArea->setWidgetResizable(false);
    FScrollArea->setFrameShape(QFrame::NoFrame);
    FScrollArea->setWidget(FWorkspace);
    FScrollArea->viewport()->installEventFilter(this);
    FWorkspace->installEventFilter(this);

    FCorner->setFixedSize(TfrxRuler::Thickness, TfrxRuler::Thickness);
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FCorner, 0, 0);
    layout->addWidget(FTopRuler, 0, 1);
    layout->addWidget(FLeftRuler, 1, 0);
    layout->addWidget(FScrollArea, 1, 1);

    connect(FScrollArea->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &TfrxDesignerPageArea::UpdateRulers);
    connect(FScrollArea->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &TfrxDesignerPageArea::UpdateRulers);
    connect(FWorkspace, &TfrxDesignerWorkspace::ScaleChanged, this, &TfrxDesignerPageArea::ScaleChanged);
    connect(FWorkspace, &TfrxDesignerWorkspace::ViewChanged, this, &TfrxDesignerPageArea::UpdateRulers);
    for (TfrxRuler *ruler : {FTopRuler, FLeftRuler}) {
        connect(ruler, &TfrxRuler::GuideDragged, this,
                [this, ruler](const QPoint &at) { DragGuide(ruler, at, false); });
        connect(ruler, &TfrxRuler::GuideDropped, this,
                [this, ruler](const QPoint &at) { DragGuide(ruler, at, true); });
    }
}

TfrxDesignerPageArea::~TfrxDesignerPageArea() = default;

void TfrxDesignerPageArea::SetShowRulers(bool value)
{
    FTopRuler->setVisible(value);
    FLeftRuler->setVisible(value);
    FCorner->setVisible(value);
}

void TfrxDesignerPageArea::SetUnits(TfrxDesignerUnits units)
{
    FTopRuler->SetUnits(units);
    FLeftRuler->SetUnits(units);
}

double TfrxDesignerPageArea::PageWidthScale() const
{
    const QSizeF paper = PaperPixels(FWorkspace->Page());
    const double scale = WholePercent((FScrollArea->width() - 40) / paper.width());
    // A window narrower than the room kept free would give a negative zoom.
    return scale > 0 && std::isfinite(scale) ? scale : FWorkspace->Scale();
}

double TfrxDesignerPageArea::WholePageScale() const
{
    const QSizeF paper = PaperPixels(FWorkspace->Page());
    const double scale =
        WholePercent(std::min((FScrollArea->width() - 20) / std::nearbyint(paper.width()),
                              (FScrollArea->height() - 20) / std::nearbyint(paper.height())));
    return scale > 0 && std::isfinite(scale) ? scale : FWorkspace->Scale();
}

bool TfrxDesignerPageArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FWorkspace && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        UpdateRulers();
    if (watched == FScrollArea->viewport() && event->type() == QEvent::Wheel)
        return Wheel(static_cast<QWheelEvent *>(event));
    // The workspace covers the whole visible area, so its colour lies all around a small page.
    if (watched == FScrollArea->viewport() && event->type() == QEvent::Resize) {
        FWorkspace->setMinimumSize(FScrollArea->viewport()->size());
        FWorkspace->UpdateView();
    }
    return QWidget::eventFilter(watched, event);
}

void TfrxDesignerPageArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    UpdateRulers();
}

bool TfrxDesignerPageArea::Wheel(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0)
        return false;
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        FWorkspace->SetScale(std::max(minWheelScale, FWorkspace->Scale() + wheelZoomStep * steps));
        emit ScaleChanged(FWorkspace->Scale());
    } else {
        QScrollBar *bar = event->modifiers().testFlag(Qt::ShiftModifier) ? FScrollArea->horizontalScrollBar()
                                                                         : FScrollArea->verticalScrollBar();
        bar->setValue(bar->value() - steps * wheelScrollStep);
    }
    return true;
}

void TfrxDesignerPageArea::UpdateRulers()
{
    const double scale = FWorkspace->Scale();
    const QRectF paper = FWorkspace->PaperRect();
    const QPointF origin = FWorkspace->ReportToWidget(QPointF(0, 0));
    const QPoint shift = FWorkspace->mapTo(this, QPoint(0, 0));
    FTopRuler->SetScale(scale);
    FLeftRuler->SetScale(scale);
    FTopRuler->SetOrigin(origin.x() + shift.x() - FTopRuler->x(), paper.left() + shift.x() - FTopRuler->x(),
                         paper.right() + shift.x() - FTopRuler->x());
    FLeftRuler->SetOrigin(origin.y() + shift.y() - FLeftRuler->y(), paper.top() + shift.y() - FLeftRuler->y(),
                          paper.bottom() + shift.y() - FLeftRuler->y());
}

// From the top ruler come horizontal guides, from the left one vertical guides; a guide lands
// only on the paper, on the grid when the workspace snaps to it.
void TfrxDesignerPageArea::DragGuide(TfrxRuler *ruler, const QPoint &globalPos, bool drop)
{
    const QPoint at = FWorkspace->mapFromGlobal(globalPos);
    const bool onPaper =
        FWorkspace->PaperRect().contains(at) &&
        FScrollArea->viewport()->rect().contains(FScrollArea->viewport()->mapFromGlobal(globalPos));
    if (!onPaper || drop) {
        FWorkspace->HideGuidePreview();
        if (!onPaper)
            return;
    }
    const Qt::Orientation orientation = ruler->Orientation();
    const QPointF report = FWorkspace->WidgetToReport(at);
    double pos = orientation == Qt::Horizontal ? report.y() : report.x();
    const double step = orientation == Qt::Horizontal ? FWorkspace->GridY() : FWorkspace->GridX();
    if (FWorkspace->GridAlign())
        pos = std::nearbyint(pos / step) * step;
    if (drop)
        FWorkspace->AddGuide(orientation, pos);
    else
        FWorkspace->ShowGuidePreview(orientation, pos);
}
