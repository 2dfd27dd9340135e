#pragma once

#include <QAbstractScrollArea>
#include <QList>
#include <QSet>

class QLineEdit;
class QToolButton;
class TfrxInspectorPopup;
class TfrxPropertyItem;
class TfrxPropertyList;

// The inspector's two-column grid: property names left of a movable splitter, values right of
// it, expanded sub-properties below their item indented 12 pixels a level. The selected row holds
// a text box over its value with a "..." button and a drop-down button as its editor asks. The
// grid changes nothing itself: it asks for a typed or chosen value to be applied (ValueEntered)
// or for the editor's own Edit to run (EditRequested).
class TfrxInspectorGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr int Indent = 12;
    static constexpr int ButtonWidth = 15;

    explicit TfrxInspectorGrid(QWidget *parent = nullptr);
    ~TfrxInspectorGrid() override;

    // Shows a list (not owned). Rows expanded before stay expanded, and the row of the same
    // property as before is selected again, else the first.
    void SetList(TfrxPropertyList *list);
    TfrxPropertyList *List() const { return FList; }
    int RowCount() const { return int(FRows.size()); }
    TfrxPropertyItem *RowItem(int row) const;
    // The row of a property by its path ("Font.Name"), or -1.
    int FindRow(const QString &path) const;
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int row);
    TfrxPropertyItem *SelectedItem() const { return RowItem(FItemIndex); }
    void SetExpanded(int row, bool expanded);

    int SplitterPos() const { return FSplitterPos; }
    // Where the names end; 0 (not stored) or a place too near the right edge gives half the width.
    void SetSplitterPos(int value);
    int RowHeight() const { return FRowHeight; }
    // The name and value cells of a row in the viewport's coordinates.
    QRect NameRect(int row) const;
    QRect ValueRect(int row) const;

    // Applies the text typed into the selected row, when it was changed.
    void CommitEdit();
    // Reads the shown values again (after a change) without touching the rows.
    void RefreshValues();

    QLineEdit *Editor() const { return FEdit; }
    QToolButton *DialogButton() const { return FDialogButton; }
    QToolButton *ListButton() const { return FListButton; }
    TfrxInspectorPopup *Popup() const { return FPopup; }

signals:
    void ValueEntered(TfrxPropertyItem *item, const QString &text);
    void EditRequested(TfrxPropertyItem *item);
    void CurrentChanged(TfrxPropertyItem *item);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Row
    {
        TfrxPropertyItem *Item;
        int Level;
    };

    void Rebuild();
    void AddRows(TfrxPropertyList *list, int level);
    QString PathOf(const TfrxPropertyItem *item) const;
    int RowAt(int y) const;
    int Top() const;
    void UpdateScrollBar();
    void PlaceEditor();
    void LoadEditText();
    bool HandleEditKey(QKeyEvent *event);
    void MoveRow(int row);
    void OpenList();
    void PaintRow(QPainter &painter, int row);
    void PaintExpander(QPainter &painter, const QRect &box, bool expanded) const;
    void UpdateMetrics();

    TfrxPropertyList *FList = nullptr;
    QList<Row> FRows;
    QSet<QString> FExpanded;
    int FItemIndex = -1;
    int FSplitterPos = 75;
    // A position asked for before the grid had its width.
    int FPendingSplitterPos = 0;
    bool FSplitterPending = true;
    // No position of its own was asked for: the names take half of whatever width the grid gets.
    bool FSplitterHalf = false;
    int FRowHeight = 16;
    bool FMovingSplitter = false;
    QString FShownText;
    QLineEdit *FEdit;
    QToolButton *FDialogButton;
    QToolButton *FListButton;
    TfrxInspectorPopup *FPopup;
};
