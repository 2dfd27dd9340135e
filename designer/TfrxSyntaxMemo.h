#pragma once

#include "TfrxEditorMarks.h"
#include "TfrxEditorText.h"
#include "TfrxSyntaxColouring.h"
#include "TfrxSyntaxMemoUndo.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>

#include <optional>
#include <vector>

class QLabel;
class TfrxCompletionList;
class TfrxEditorGutter;

// The script editor of the designer's code tab (and of SQL texts): a plain-text editor that paints
// its own lines, coloured by the script engine's lexer, with a gutter for bookmarks, breakpoints
// and the line being debugged, a small undo history, block indentation and a completion list.
// Lines, columns and positions of the interface count from 1, as the script engine's positions do.
class TfrxSyntaxMemo : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // The longest line that typing makes; longer lines from a script, a file or a paste stay whole.
    static constexpr int MaxLength = 1024;

    explicit TfrxSyntaxMemo(QWidget *parent = nullptr);
    ~TfrxSyntaxMemo() override;

    // The text; setting it empties the undo history and does not signal ChangeText.
    QStringList Lines() const { return FText.Lines(); }
    void SetLines(const QStringList &lines);
    QString SelText() const;
    // Replaces the selection (or inserts at the caret) as typing would, long lines and all.
    void SetSelText(const QString &text);

    void SetSyntax(const QString &name);
    QString Syntax() const { return FColouring.Syntax(); }
    // The colouring codes of a line (from 1), coloured now when they are not known yet.
    QByteArray Codes(int line) { return FColouring.Codes(FText.Lines(), line - 1); }

    // The caret as (column, line); a column past the end of its line is allowed.
    QPoint Pos() const { return {FCaret.column + 1, FCaret.line + 1}; }
    void SetPos(int column, int line);
    // The caret as a position in the text with lines joined by CR LF, from 1.
    int GetPlainPos() const;

    void SelectAll();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();
    bool CanUndo() const { return !FUndo.IsEmpty(); }

    // Searches the text (lines joined by CR LF) from position searchFrom (from 1; 0 counts as 1).
    // A match is selected with the caret at its start, and searchFrom moves behind it.
    bool Find(const QString &text, bool caseSensitive, int &searchFrom);

    // A line under the text, for compile errors; an empty text hides it, and so does the next edit.
    void ShowMessage(const QString &text);
    // Takes a new font, palette or size into account.
    void UpdateView();
    void ShowGutter(bool show);

    void AddBookmark(int line, int number);
    void DeleteBookmark(int number);
    void GotoBookmark(int number);
    // The number of the bookmark on the line, or -1.
    int IsBookmark(int line) const { return FMarks.BookmarkAt(line); }

    void AddBreakPoint(int line, const QString &condition);
    void ToggleBreakPoint(int line, const QString &condition);
    void DeleteBreakPoint(int line);
    bool IsBreakPoint(int line) const { return FMarks.IsBreakPoint(line); }
    bool HasBreakPoints() const { return FMarks.HasBreakPoints(); }
    QString GetBreakPointCondition(int line) const { return FMarks.BreakPointCondition(line); }
    // Removes the temporary breakpoints of "run to cursor", whose condition is "F4".
    void DeleteF4BreakPoints();

    // The line where the debugged script stands, -1 for none.
    int ActiveLine() const { return FMarks.ActiveLine(); }
    void SetActiveLine(int line);
    // Whether the debugger found a statement on the line.
    bool RunLine(int line) const { return FMarks.IsExecutable(line); }
    void SetRunLine(int line, bool executable);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

    // The answer to CodeCompletion: the names to offer at the caret (none: no list).
    void ShowCompletion(const QStringList &names);

signals:
    void ChangePos();
    // The operator changed the text.
    void ChangeText();
    // Ctrl+Space: the dotted expression before the caret, to be answered with ShowCompletion.
    void CodeCompletion(const QString &expression);

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // Text dropped onto the editor is inserted where it was dropped (TfrxSyntaxMemoDrop.cpp).
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Command;
    struct Movement;
    struct Change;
    struct Selection
    {
        TfrxTextPos from, to;
    };

    // Keys (TfrxSyntaxMemoKeys.cpp).
    static const Command *FindCommand(const QKeyEvent *event);
    static const Movement *FindMovement(const QKeyEvent *event);
    static int BookmarkDigit(const QKeyEvent *event);
    static bool IsTyping(const QKeyEvent *event);
    bool RunKey(QKeyEvent *event);
    void Enter();
    void Tab();
    void Backspace();
    void Delete();
    void DeleteWordBefore();
    void DeleteWordAfter();
    void DeleteLine();
    void IndentBlock();
    void UnindentBlock();
    void ShiftBlock(int by);
    void OpenCompletion();
    TfrxTextPos CharLeft() const;
    TfrxTextPos CharRight() const;
    TfrxTextPos WordLeft() const;
    TfrxTextPos WordRight() const;
    TfrxTextPos LineUp() const;
    TfrxTextPos LineDown() const;
    TfrxTextPos PageUp() const;
    TfrxTextPos PageDown() const;
    TfrxTextPos LineStart() const;
    TfrxTextPos LineEnd() const;
    TfrxTextPos TextStart() const;
    TfrxTextPos TextEnd() const;

    // Editing.
    std::optional<Selection> CurrentSelection() const;
    Selection SelectionOrCaret() const;
    void TypeText(const QString &text);
    TfrxTextPos Replace(TfrxTextPos from, TfrxTextPos to, const QString &text);
    void ReplaceLines(int first, const QStringList &lines);
    Change BeginChange(int line);
    void EndChange(const Change &change);
    void MoveMarks(TfrxTextPos from, TfrxTextPos to, int insertedBreaks);
    void InsertChosenName(const QString &name);

    // Caret, selection and scrolling.
    int ColumnLimit(int line) const;
    void PlaceCaret(TfrxTextPos at);
    void MoveCaret(TfrxTextPos to, bool extend);
    void Select(TfrxTextPos anchor, TfrxTextPos caret);
    void CaretChanged(TfrxTextPos oldCaret, std::optional<TfrxTextPos> oldAnchor);
    void EnsureCaretVisible();
    void UpdateScrollBars();
    void RestartBlink();

    // Geometry and painting (TfrxSyntaxMemoPaint.cpp).
    void UpdateMetrics();
    int TextLeft() const;
    int FirstLine() const;
    int VisibleLines() const;
    int LastVisibleLine() const;
    qreal ColumnX(int column) const;
    QRect CaretRect() const;
    TfrxTextPos HitTest(const QPoint &point) const;
    void UpdateLines(int first, int last);
    void UpdateLine(int line) { UpdateLines(line, line); }
    void PaintLine(QPainter &painter, const TfrxEditorGutter &gutter, int line, int top);
    void PaintText(QPainter &painter, int line, int top, const std::optional<Selection> &selection);
    void PaintCaret(QPainter &painter);

    TfrxEditorText FText;
    TfrxSyntaxColouring FColouring;
    TfrxEditorMarks FMarks;
    TfrxSyntaxMemoUndo FUndo;
    TfrxTextPos FCaret;
    std::optional<TfrxTextPos> FAnchor; // the other end of the selection
    // The caret moved (or a command ran) since the last undo snapshot: the next change takes one,
    // so that characters typed in a row make one step.
    bool FMoved = true;
    bool FGutterShown = true;
    QString FPreedit; // input-method text being composed at the caret
    bool FCaretOn = true;
    QBasicTimer FBlink;
    QLabel *FMessage;
    TfrxCompletionList *FCompletion;
    // Metrics of the script font, and the fonts of its attributes.
    qreal FCharWidth = 8;
    int FLineHeight = 16;
    int FAscent = 12;
    QFont FPlainFont, FBoldFont, FItalicFont;
};
