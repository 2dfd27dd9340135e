#include "TfrxPreviewWorkspace.h"

#include "TfrxCustomPreviewPages.h"
#include "zorTypes.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <cmath>

using zor::fr01cm;

namespace {

constexpr int wheelStep = 20;
constexpr int room = 26;

int nearest(double value) { return int(std::nearbyint(value)); }

} // namespace

TfrxPreviewWorkspace::TfrxPreviewWorkspace(bool isThumbnail, QWidget *parent)
    : QAbstractScrollArea(parent), FIsThumbnail(isThumbnail)
{
    setObjectName(isThumbnail ? QStringLiteral("Thumbnail") : QStringLiteral("Workspace"));
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(isThumbnail ? Qt::ClickFocus : Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(SmallChange);
    horizontalScrollBar()->setSingleStep(SmallChange);
    verticalScrollBar()->setPageStep(LargeChange);
    horizontalScrollBar()->setPageStep(LargeChange);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The page area follows the mouse without a button: links, hints and enter/leave events.
    viewport()->setMouseTracking(!isThumbnail);
}

int TfrxPreviewWorkspace::UsableWidth() const
{
    return width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent) - room;
}

void TfrxPreviewWorkspace::Layout(double zoom)
{
    FZoom = zoom;
    FPageList.Clear();
    addPages(0);
}

void TfrxPreviewWorkspace::AppendPages()
{
    addPages(FPageList.Count());
}

void TfrxPreviewWorkspace::addPages(int from)
{
    if (FPages != nullptr) {
        for (int i = from, count = FPages->GetCount(); i < count; ++i) {
            const QSize size = FPages->GetPageSize(i);
            FPageList.AddPage(nearest(FZoom * size.width()), nearest(FZoom * size.height()));
        }
    }
    FPageList.CalcBounds(UsableWidth());
    updateScrollRange();
    if (!FDisableUpdate)
        viewport()->update();
}

void TfrxPreviewWorkspace::updateScrollRange()
{
    const QSize range = FPageList.GetMaxBounds();
    horizontalScrollBar()->setRange(0, std::max(0, range.width() - viewport()->width()));
    verticalScrollBar()->setRange(0, std::max(0, range.height() - viewport()->height()));
}

void TfrxPreviewWorkspace::SetActivePage(int index)
{
    if (FActivePage == index)
        return;
    FActivePage = index;
    viewport()->update();
}

QPoint TfrxPreviewWorkspace::Offset() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void TfrxPreviewWorkspace::SetOffset(QPoint offset)
{
    horizontalScrollBar()->setValue(offset.x());
    verticalScrollBar()->setValue(offset.y());
}

void TfrxPreviewWorkspace::ScrollToPage(int index, int top)
{
    const QRect bounds = FPageList.GetPageBounds(index, viewport()->width(), FZoom);
    verticalScrollBar()->setValue(bounds.top() + top - 10);
}

void TfrxPreviewWorkspace::SetFound(int page, const QRectF &bounds)
{
    FFoundPage = bounds.isNull() ? -1 : page;
    FFoundBounds = bounds;
    viewport()->update();
}

QRect TfrxPreviewWorkspace::FoundRectOnScreen() const
{
    if (FFoundPage < 0 || FFoundPage >= FPageList.Count())
        return {};
    const QRect page = FPageList.GetPageBounds(FFoundPage, viewport()->width(), FZoom).translated(-Offset());
    const QRectF r = FFoundBounds;
    return QRectF(page.left() + r.left() * FZoom, page.top() + r.top() * FZoom, r.width() * FZoom,
                  r.height() * FZoom)
        .toAlignedRect();
}

void TfrxPreviewWorkspace::EnsureVisible(const QRect &rect)
{
    constexpr int margin = 20;
    const QRect view = viewport()->rect();
    if (rect.top() - margin < view.top() || rect.bottom() + margin > view.bottom())
        verticalScrollBar()->setValue(verticalScrollBar()->value() + rect.top() - margin);
    if (rect.left() - margin < view.left() || rect.right() + margin > view.right())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + rect.left() - margin);
}

void TfrxPreviewWorkspace::SetBackdrop(const QImage &picture, const QRectF &rectMm)
{
    FBackdrop = picture;
    FBackdropMm = rectMm;
    FScaledBackdrop = QImage();
    viewport()->update();
}

void TfrxPreviewWorkspace::SetBackdropVisible(bool value)
{
    FBackdropVisible = value;
    viewport()->update();
}

void TfrxPreviewWorkspace::drawBackdrop(QPainter &painter, const QRect &page)
{
    const QRectF place(page.topLeft() + FBackdropMm.topLeft() * fr01cm * FZoom,
                       FBackdropMm.size() * fr01cm * FZoom);
    if (FScaledBackdrop.size() != place.size().toSize())
        FScaledBackdrop =
            FBackdrop.scaled(place.size().toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(place.topLeft(), FScaledBackdrop);
}

void TfrxPreviewWorkspace::paintEvent(QPaintEvent *)
{
    if (FDisableUpdate)
        return;
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), QColor(BackColor));
    const QPoint offset = Offset();
    const QRect visible = viewport()->rect();
    for (int i = 0; i < FPageList.Count(); ++i) {
        const QRect rect = FPageList.GetPageBounds(i, visible.width(), FZoom).translated(-offset);
        if (rect.top() > visible.bottom())
            break;
        if (rect.intersects(visible.adjusted(-2, -2, 2, 2)))
            drawPage(painter, i, rect);
    }
}

void TfrxPreviewWorkspace::drawPage(QPainter &painter, int index, const QRect &rect)
{
    painter.save();
    if (index == FActivePage) {
        painter.setPen(QPen(QColor(ActiveFrameColor), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect).adjusted(-2, -2, 1, 1));
    }
    painter.fillRect(rect, Qt::white);
    painter.setPen(QColor(FrameColor));
    painter.drawRect(rect.adjusted(-1, -1, 0, 0));
    painter.setClipRect(rect);
    if (FBackdropVisible && !FBackdrop.isNull())
        drawBackdrop(painter, rect);
    if (FPages != nullptr)
        FPages->DrawPage(index, &painter, FZoom, FZoom, rect.left(), rect.top());
    painter.setClipping(false);
    if (FIsThumbnail) {
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(8);
        painter.setFont(font);
        const QString number = u' ' + QString::number(index + 1) + u' ';
        const QRect box = painter.fontMetrics().boundingRect(number).translated(rect.topLeft() + QPoint(1, 1));
        const QRect label(rect.topLeft() + QPoint(1, 1), box.size());
        painter.fillRect(label, QColor(BackColor));
        painter.setPen(Qt::white);
        painter.drawText(label, Qt::AlignCenter, number);
    }
    if (index == FFoundPage) {
        const QRect hit = FoundRectOnScreen();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(Qt::white);
        for (int y = hit.top(); y <= hit.bottom(); ++y)
            painter.drawLine(hit.left(), y, hit.right(), y);
    }
    painter.restore();
}

void TfrxPreviewWorkspace::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
    emit Resized();
}

void TfrxPreviewWorkspace::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
    FDoubleClick = true;
}

void TfrxPreviewWorkspace::mousePressEvent(QMouseEvent *event)
{
    FDoubleClick = false;
    FDownPoint = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        FDown = true;
        FLastPoint = event->position().toPoint();
        FDownPoint = FLastPoint;
        if (!FIsThumbnail)
            viewport()->setCursor(Qt::ClosedHandCursor);
    }
}

// The left button drags the pages: the scroll position follows the mouse.
void TfrxPreviewWorkspace::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (!FDown) {
        QPointF onPage;
        if (const int page = pageAt(point, onPage); page >= 0 && !FIsThumbnail)
            emit PageMouseMove(page, onPage);
        return;
    }
    if (FIsThumbnail)
        return;
    SetOffset(Offset() - (point - FLastPoint));
    FLastPoint = point;
}

void TfrxPreviewWorkspace::mouseReleaseEvent(QMouseEvent *event)
{
    const bool dragged = (event->position().toPoint() - FDownPoint).manhattanLength() > QApplication::startDragDistance();
    FDown = false;
    viewport()->unsetCursor();
    QPointF onPage;
    const int page = pageAt(event->position().toPoint(), onPage);
    if (page < 0)
        return;
    emit PageClicked(page);
    if (!dragged && !FIsThumbnail)
        emit PageMouseClick(page, onPage, event->button(), event->modifiers(), FDoubleClick);
}

int TfrxPreviewWorkspace::pageAt(QPoint viewportPoint, QPointF &onPage) const
{
    const QPoint point = viewportPoint + Offset();
    const int page = FPageList.FindPageAt(point);
    if (page < 0 || FZoom <= 0)
        return -1;
    const QRect bounds = FPageList.GetPageBounds(page, viewport()->width(), FZoom);
    onPage = QPointF(point - bounds.topLeft()) / FZoom;
    return page;
}

void TfrxPreviewWorkspace::wheelEvent(QWheelEvent *event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0)
        return;
    if (event->modifiers() & Qt::ControlModifier)
        emit ZoomWheel(notches);
    else
        verticalScrollBar()->setValue(verticalScrollBar()->value() - notches * wheelStep);
    event->accept();
}

// The preview control handles the keys.
void TfrxPreviewWorkspace::keyPressEvent(QKeyEvent *event) { event->ignore(); }

void TfrxPreviewWorkspace::scrollContentsBy(int, int dy)
{
    viewport()->update();
    if (dy != 0)
        emit PageScrolled();
}
