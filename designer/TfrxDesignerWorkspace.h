#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QWidget>

#include <memory>

class TfrxComponent;
class TfrxFormatCommands;
class TfrxPage;
struct QMetaObject;

enum TfrxGridType { gt1pt, gt1cm, gt1in, gtDialog, gtChar, gtNone };

// The gesture under way: moving, sizing by a handle, sizing a band by its bottom edge, scaling a
// group, editing a text in place, a rubber band, inserting an object or a line, inside a container.
enum TfrxDesignMode {
    dmNone,
    dmMove,
    dmSize,
    dmSizeBand,
    dmScale,
    dmInplaceEdit,
    dmSelectionRect,
    dmInsertObject,
    dmInsertLine,
    dmContainer
};

// The tool chosen on the designer's object toolbar.
enum TfrxWorkspaceTool { wtSelect, wtHand, wtZoom, wtEditText, wtCopyFormat };

// An object about to be inserted: its class, palette variant and frame in report pixels.
struct TfrxInsertion
{
    const QMetaObject *ComponentClass = nullptr; // none while not inserting
    int Flags = 0;
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    double OriginalWidth = 0;
    double OriginalHeight = 0;
};

// The canvas on which the designer shows one page and the operator selects, moves, sizes,
// inserts and aligns its objects and bands with the mouse and the keyboard. It works on the
// designer's own lists of the page's objects and of the selection, changes the report's objects in
// place, and tells the designer of every change (Modified, once per gesture or key), which records
// it for undo. Geometry is in report pixels (96 per inch) from the page's top-left margin corner;
// the widget shows them multiplied by Scale.
class TfrxDesignerWorkspace : public QWidget
{
    Q_OBJECT

public:
    explicit TfrxDesignerWorkspace(QWidget *parent = nullptr);
    ~TfrxDesignerWorkspace() override;

    // The designer's lists, shared and changed in place. objects: the page's objects (bands
    // first, then the other objects, then the report and the page); selected: the selection in
    // order, which holds the page when nothing else is selected.
    void SetLists(QList<TfrxComponent *> *objects, QList<TfrxComponent *> *selected);
    // The page shown; none shows nothing. Resizes the widget to the page at the current scale.
    void SetPage(TfrxPage *page);
    TfrxPage *Page() const;

    // Zoom, 1 = 100 %; 0 counts as 1 and values above 20 as 20.
    double Scale() const;
    void SetScale(double value);
    TfrxGridType GridType() const;
    void SetGridType(TfrxGridType type);
    // Grid steps in report pixels.
    void SetGrid(double x, double y);
    double GridX() const;
    double GridY() const;
    void SetShowGrid(bool value);
    // Snap moves, sizes and insertions to the grid (Alt held inverts it for a gesture).
    void SetGridAlign(bool value);
    bool GridAlign() const;
    void SetGridLCD(bool value);
    void SetShowGuides(bool value);
    void SetShowBandCaptions(bool value);
    // The height of the caption strip above each band in report pixels (0 without captions),
    // which the band layout leaves free.
    double BandHeader() const;
    // The designer's gap between bands in pixels, and free placement of bands.
    void SetBandsGap(double value);
    void SetFreeBandsPlacement(bool value);
    void SetWorkspaceColor(const QColor &color);
    // A picture drawn under the page at its true place on the paper (millimetres from the paper's
    // top-left corner), never part of the report; a null picture draws nothing.
    void SetBackdrop(const QImage &picture, const QRectF &rectMm);
    void SetBackdropVisible(bool value);
    bool BackdropVisible() const;

    void SetTool(TfrxWorkspaceTool tool);
    TfrxWorkspaceTool Tool() const;
    // Starts inserting objects of the class (with the palette's flags) of the given default size;
    // a null class returns to selecting. After an insertion a line tool stays for the next line,
    // any other returns to selecting. Nothing is inserted while the host forbids it.
    void SetInsertion(const QMetaObject *componentClass, int flags, double width, double height);
    const TfrxInsertion &Insertion() const;
    TfrxDesignMode Mode() const;

    // Orders and stacks the page's bands and, with attachObjects, puts every view into the band
    // under its top.
    void AdjustBands(bool attachObjects = true);
    // Deletes the selection (not the page, nor objects restricted from deletion); false with
    // ErrorOccurred when an object comes from the parent template, and then nothing is deleted.
    bool DeleteObjects();
    // Asks the designer to open the editor of the selected object.
    void EditObject();
    void GroupObjects();
    void UngroupObjects();
    // The selection follows the mouse as if dragged, until the next click (pasted objects).
    void SimulateMove();
    // Adds to the selection every object that shares a non-zero GroupIndex with a selected one.
    void ExpandGroups();
    // Adds a guide at pos in report pixels: horizontal guides (from the top ruler) hold y
    // positions, vertical guides (from the left ruler) x positions.
    void AddGuide(Qt::Orientation orientation, double pos);
    void DeleteGuides();
    // A guide being dragged from a ruler, drawn until it is dropped or hidden.
    void ShowGuidePreview(Qt::Orientation orientation, double pos);
    void HideGuidePreview();

    // The designer's sample format, which text objects dropped from the data tree receive; none
    // leaves them with a text object's defaults.
    void SetSampleFormat(const TfrxFormatCommands *format);

    // Rebuilding the page: no mouse, keys or painting until EnableUpdate.
    void DisableUpdate();
    void EnableUpdate();
    // Reads the page's size and objects again, resizes and repaints.
    void UpdateView();
    // The bounds of the selected objects in report pixels (absolute).
    QRectF GetSelectionBounds() const;

    // The in-place text editor, while it is open.
    bool IsEditingInPlace() const;
    // Closes it, applying its text unless discarded.
    void CloseInplaceEditor(bool apply = true);

    // The paper on the widget, as tall as the bands need.
    QRectF PaperRect() const;
    // Report pixels to widget pixels and back.
    QPointF ReportToWidget(const QPointF &point) const;
    QPointF WidgetToReport(const QPointF &point) const;

signals:
    // Something changed; the designer records an undo step.
    void Modified();
    void SelectionChanged();
    // The operator finished an insertion frame; the designer creates the object.
    void InsertRequested(const TfrxInsertion &insertion);
    void EditRequested();
    // The bounds of the selection, for the status bar.
    void PositionChanged(const QRectF &bounds);
    void ContextMenuRequested(const QPoint &globalPos);
    // The Copy Format tool was clicked on an object.
    void FormatPainted(TfrxComponent *object);
    // A subreport was deleted: the page tabs are rebuilt.
    void PagesChanged();
    void ErrorOccurred(const QString &message);
    // The Zoom tool changed the scale.
    void ScaleChanged(double scale);
    // The page's size or zoom on the widget changed: the rulers follow.
    void ViewChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Entries of the data tree dropped onto the page become text objects.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
