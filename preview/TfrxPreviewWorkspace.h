#pragma once

#include "TfrxPageList.h"

#include <QAbstractScrollArea>
#include <QImage>

class TfrxCustomPreviewPages;

// The scrolling area in which the preview shows its pages (or, as a thumbnail area, small pages
// with their numbers): grey background, white pages with a frame, the current page framed in
// the active colour, a search hit marked by inverting its lines.
class TfrxPreviewWorkspace : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit TfrxPreviewWorkspace(bool isThumbnail, QWidget *parent = nullptr);

    void SetPreviewPages(TfrxCustomPreviewPages *pages) { FPages = pages; }
    bool IsThumbnail() const { return FIsThumbnail; }
    double Zoom() const { return FZoom; }
    // Lays the pages out at a zoom; nothing when there are no pages.
    void Layout(double zoom);
    // Adds the pages the store has gained since the last layout, at the same zoom.
    void AppendPages();
    TfrxPageList &PageList() { return FPageList; }
    const TfrxPageList &PageList() const { return FPageList; }
    // The width the rows may take: the area less a vertical scroll bar and 26 pixels of room.
    int UsableWidth() const;

    // The page framed as current, from 0.
    void SetActivePage(int index);
    int ActivePage() const { return FActivePage; }
    QPoint Offset() const;
    void SetOffset(QPoint offset);
    // Scrolls so that a page's top stands 10 pixels below the top edge (plus `top` device pixels).
    void ScrollToPage(int index, int top = 0);
    // Marks a search hit (report pixels from the page's corner); an empty rectangle clears it.
    void SetFound(int page, const QRectF &bounds);
    int FoundPage() const { return FFoundPage; }
    QRectF FoundBounds() const { return FFoundBounds; }
    // The hit in device pixels of the viewport; empty without a hit.
    QRect FoundRectOnScreen() const;
    // Scrolls so that a rectangle of the viewport becomes visible, with 20 pixels of room.
    void EnsureVisible(const QRect &rect);
    // A picture under every page, placed in millimetres from the paper's corner; a null picture
    // shows none.
    void SetBackdrop(const QImage &picture, const QRectF &rectMm);
    void SetBackdropVisible(bool value);
    bool BackdropVisible() const { return FBackdropVisible; }
    // Disables repaints and layout while the pages change.
    void SetDisableUpdate(bool value) { FDisableUpdate = value; }

    static constexpr QRgb BackColor = 0x808080;
    static constexpr QRgb FrameColor = 0x606060;
    static constexpr QRgb ActiveFrameColor = 0xFFC73C;
    static constexpr int LargeChange = 300;
    static constexpr int SmallChange = 8;

signals:
    void PageClicked(int index);
    // The mouse over a page and a click on it (not a drag), at a point in report pixels from the
    // page's corner. The second click within the double-click time is a double click.
    void PageMouseMove(int index, QPointF point);
    void PageMouseClick(int index, QPointF point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                        bool doubleClick);
    void PageScrolled();
    void Resized();
    // Ctrl with the wheel: positive steps zoom in.
    void ZoomWheel(int steps);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void addPages(int from);
    void updateScrollRange();
    void drawPage(QPainter &painter, int index, const QRect &rect);
    void drawBackdrop(QPainter &painter, const QRect &page);
    // The page under a viewport point and the point in report pixels on it; -1 when none.
    int pageAt(QPoint viewportPoint, QPointF &onPage) const;

    TfrxCustomPreviewPages *FPages = nullptr;
    TfrxPageList FPageList;
    double FZoom = 1;
    bool FIsThumbnail;
    int FActivePage = 0;
    bool FDown = false;
    bool FDoubleClick = false;
    QPoint FLastPoint;
    QPoint FDownPoint;
    int FFoundPage = -1;
    QRectF FFoundBounds;
    bool FDisableUpdate = false;
    QImage FBackdrop;
    QRectF FBackdropMm;
    bool FBackdropVisible = false;
    QImage FScaledBackdrop; // the picture at the current zoom, made once per zoom
};
