#pragma once

#include "TfrxDataTreeDrag.h"
#include "TfrxDesignerWorkspace.h"
#include "TfrxDragOperation.h"
#include "TfrxHitTester.h"
#include "TfrxInplaceMemo.h"
#include "TfrxOverlayPainter.h"
#include "TfrxPage.h"
#include "TfrxPassingLines.h"
#include "TfrxWorkspaceGrid.h"
#include "TfrxWorkspacePainter.h"
#include "TfrxWorkspaceSelection.h"

#include <QPointer>

#include <optional>

class QMimeData;
class QScrollArea;
class TfrxBand;
class TfrxMemoView;

// What a press of the button at a point would start, and the cursor that says so.
struct TfrxProbe
{
    TfrxDesignMode Mode = dmNone;
    int Handle = 0;
    TfrxComponent *Object = nullptr; // the object sized, or edited in place
    Qt::CursorShape Cursor = Qt::ArrowCursor;
};

struct TfrxDesignerWorkspace::Private
{
    explicit Private(TfrxDesignerWorkspace *owner) : q(owner) {}

    TfrxDesignerWorkspace *q;
    QPointer<TfrxPage> Page;
    QList<TfrxComponent *> OwnObjects;
    QList<TfrxComponent *> OwnSelected;
    QList<TfrxComponent *> *Objects = &OwnObjects;
    QList<TfrxComponent *> *Selected = &OwnSelected;

    double Scale = 1;
    TfrxWorkspaceGrid Grid;
    bool ShowGuides = true;
    bool ShowBandCaptions = true;
    double BandsGap = 4;
    bool FreeBands = false;
    QColor WorkspaceColor = QColor(0xE9, 0xEC, 0xEF);
    QImage Backdrop;
    QRectF BackdropMm;
    bool BackdropVisible = true;
    TfrxWorkspaceTool Tool = wtSelect;
    TfrxInsertion Insertion;
    TfrxDesignMode Mode = dmNone;
    int Locks = 0;

    // The gesture under way.
    bool MouseDown = false;
    bool SimulatedMove = false;
    bool ModifyFlag = false;
    QList<TfrxComponent *> SelectionAtStart;
    QPointF LastPoint; // report pixels, where the drag was applied last
    QPointF PressPoint;
    QPoint HandPoint; // global, for the hand tool
    std::unique_ptr<TfrxDragOperation> Drag;
    QRectF RubberBand;
    QPointer<TfrxComponent> EditTarget;
    std::optional<TfrxPassingLines> Passing; // while objects are dragged
    std::optional<std::pair<Qt::Orientation, double>> DraggedGuide;

    // A data tree entry dragged over the page, and the insertion its frame stands in for meanwhile.
    struct DroppedEntry
    {
        TfrxDataTreeDrag Entry;
        TfrxInsertion SavedInsertion;
        TfrxDesignMode SavedMode;
    };
    std::optional<DroppedEntry> Dropping;
    const TfrxFormatCommands *SampleFormat = nullptr;

    TfrxWorkspacePainter Painter;
    QPointer<TfrxInplaceMemo> Inplace;

    TfrxWorkspaceSelection Selection() { return TfrxWorkspaceSelection(*Objects, *Selected, Page); }
    TfrxHitTester HitTester() const { return TfrxHitTester(*Objects, Scale, BandHeader()); }
    double BandHeader() const;

    // Geometry of the page on the widget.
    QPointF MarginOffset() const;
    QSizeF PaperSize() const;
    QPointF Origin() const;
    QRectF PaperRect() const;
    TfrxWorkspaceScene Scene() const;
    TfrxOverlay Overlay();
    void UpdateSize();
    QScrollArea *ScrollArea() const;

    // Mouse.
    TfrxProbe Probe(const QPointF &point, Qt::KeyboardModifiers modifiers);
    void Press(const QPointF &point, Qt::KeyboardModifiers modifiers);
    void PressOnObject(const QPointF &point, Qt::KeyboardModifiers modifiers);
    void SelectViewsAcross(const TfrxBand *band);
    bool PressWithTool(const QPointF &widgetPoint, Qt::MouseButton button);
    void ContextClick(const QPointF &point, const QPoint &globalPos);
    void StartRubberBand(const QPointF &point);
    void StartInsertion(const QPointF &point, Qt::KeyboardModifiers modifiers);
    void StartMove();
    void BeginGesture(const QPointF &point);
    void Move(const QPointF &point, Qt::KeyboardModifiers modifiers);
    void DragBy(const QPointF &point, Qt::KeyboardModifiers modifiers);
    void SizeInsertionFrame(const QPointF &point, Qt::KeyboardModifiers modifiers);
    void Hover(const QPointF &point, Qt::KeyboardModifiers modifiers);
    QRect FrameOnWidget() const;
    void FinishGesture();
    void FinishRubberBand();
    void FinishInsertion();
    void AutoScroll(const QPointF &widgetPoint);
    void ScrollByHand(const QPoint &globalPos);
    void ZoomAt(const QPointF &widgetPoint, bool in);
    void OpenInplaceEditor(TfrxComponent *object);
    bool CanEditInPlace(const TfrxComponent *object) const;
    bool IsAnimating() const;

    // Keys.
    bool Key(int key, Qt::KeyboardModifiers modifiers);
    bool Arrow(QPoint direction, Qt::KeyboardModifiers modifiers);
    bool SelectByTab();
    bool SelectNearest(QPoint direction);
    bool Slide(QPoint direction);
    bool MoveSelection(const QPointF &by);
    bool SizeSelection(const QPointF &by);

    // Dropping from the data tree (TfrxDesignerWorkspaceDrop.cpp).
    bool StartDrop(const QMimeData *data);
    void DragOver(const QPointF &point, Qt::KeyboardModifiers modifiers);
    void EndDrop();
    void Drop();
    QSizeF DropFrameSize(const TfrxDataTreeDrag &entry) const;
    TfrxMemoView *AddText(const QRectF &frame, QList<TfrxComponent *> &created);

    // Reporting the end of a gesture or key.
    void Report(bool modified);
};
