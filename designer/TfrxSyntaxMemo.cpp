#include "TfrxSyntaxMemo.h"

#include "TfrxCompletionList.h"
#include "TfrxEditorGutter.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace {

const QString kRunToCursor = QStringLiteral("F4");

int countLineBreaks(const QString &text)
{
    return int(TfrxEditorText::SplitLines(text).size()) - 1;
}

} // namespace

// What a change needs to repaint only what it changed: the first changed line, the number of
// lines before, and the colour codes of the visible lines below it.
struct TfrxSyntaxMemo::Change
{
    int line = 0;
    int lineCount = 0;
    std::vector<QByteArray> shownCodes;
};

TfrxSyntaxMemo::TfrxSyntaxMemo(QWidget *parent)
    : QAbstractScrollArea(parent), FMessage(new QLabel(this)), FCompletion(new TfrxCompletionList(viewport()))
{
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    setFont(font);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setFocusProxy(this);
    viewport()->setAcceptDrops(true);
    FMessage->setObjectName(QStringLiteral("Message"));
    FMessage->setAutoFillBackground(true);
    FMessage->setContentsMargins(6, 3, 6, 3);
    FMessage->hide();
    connect(FCompletion, &TfrxCompletionList::Chosen, this, &TfrxSyntaxMemo::InsertChosenName);
    connect(FCompletion, &TfrxCompletionList::Closed, this, [this] { setFocus(Qt::OtherFocusReason); });
    UpdateMetrics();
    UpdateScrollBars();
}

TfrxSyntaxMemo::~TfrxSyntaxMemo() = default;

void TfrxSyntaxMemo::SetLines(const QStringList &lines)
{
    FText.SetLines(lines);
    FUndo.Clear();
    FMoved = true;
    FAnchor.reset();
    FCaret = {std::min(FCaret.line, FText.Count() - 1), FCaret.column};
    FColouring.Invalidate(0);
    UpdateScrollBars();
    EnsureCaretVisible();
    viewport()->update();
    emit ChangePos();
}

QString TfrxSyntaxMemo::SelText() const
{
    const auto selection = CurrentSelection();
    return selection ? FText.Text(selection->from, selection->to) : QString();
}

void TfrxSyntaxMemo::SetSelText(const QString &text)
{
    FMoved = true;
    const Selection range = SelectionOrCaret();
    PlaceCaret(Replace(range.from, range.to, text));
}

void TfrxSyntaxMemo::SetSyntax(const QString &name)
{
    FColouring.SetSyntax(name);
    viewport()->update();
}

void TfrxSyntaxMemo::SetPos(int column, int line)
{
    FMoved = true;
    const int index = std::clamp(line, 1, FText.Count()) - 1;
    PlaceCaret({index, std::clamp(column, 1, ColumnLimit(index) + 1) - 1});
}

int TfrxSyntaxMemo::GetPlainPos() const
{
    return int(FText.Offset(FCaret)) + 1;
}

void TfrxSyntaxMemo::SelectAll()
{
    FMoved = true;
    Select({0, 0}, FText.End());
}

void TfrxSyntaxMemo::CopyToClipboard()
{
    if (CurrentSelection())
        QApplication::clipboard()->setText(SelText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TfrxSyntaxMemo::CutToClipboard()
{
    const auto selection = CurrentSelection();
    if (!selection)
        return;
    CopyToClipboard();
    FMoved = true;
    PlaceCaret(Replace(selection->from, selection->to, {}));
}

void TfrxSyntaxMemo::PasteFromClipboard()
{
    const QString text = QApplication::clipboard()->text();
    if (!text.isEmpty())
        SetSelText(text);
}

void TfrxSyntaxMemo::Undo()
{
    if (FUndo.IsEmpty())
        return;
    const TfrxSyntaxMemoUndo::Step step = FUndo.Take();
    FText.SetLines(step.lines);
    FColouring.Invalidate(0);
    FMoved = true;
    UpdateScrollBars();
    viewport()->update();
    PlaceCaret(step.caret);
    emit ChangeText();
}

bool TfrxSyntaxMemo::Find(const QString &text, bool caseSensitive, int &searchFrom)
{
    if (text.isEmpty())
        return false;
    const qsizetype found = FText.JoinedText().indexOf(
        text, std::max(searchFrom, 1) - 1, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    if (found < 0)
        return false;
    FMoved = true;
    Select(FText.PosAtOffset(found + text.size()), FText.PosAtOffset(found));
    searchFrom = int(found + text.size()) + 1;
    return true;
}

void TfrxSyntaxMemo::ShowMessage(const QString &text)
{
    FMessage->setText(text);
    FMessage->setVisible(!text.isEmpty());
    QPalette palette = FMessage->palette();
    palette.setColor(QPalette::Window, QColor(0xFD, 0xE4, 0xE4));
    palette.setColor(QPalette::WindowText, QColor(0x80, 0x10, 0x10));
    FMessage->setPalette(palette);
    setViewportMargins(0, 0, 0, text.isEmpty() ? 0 : FMessage->sizeHint().height());
    resizeEvent(nullptr);
}

void TfrxSyntaxMemo::UpdateView()
{
    UpdateMetrics();
    UpdateScrollBars();
    viewport()->update();
}

void TfrxSyntaxMemo::ShowGutter(bool show)
{
    FGutterShown = show;
    UpdateView();
}

void TfrxSyntaxMemo::AddBookmark(int line, int number)
{
    if (number < 0 || number >= TfrxEditorMarks::BookmarkCount)
        return;
    const int old = FMarks.Bookmark(number);
    FMarks.SetBookmark(number, line);
    UpdateLine(old - 1);
    UpdateLine(line - 1);
}

void TfrxSyntaxMemo::DeleteBookmark(int number)
{
    AddBookmark(-1, number);
}

void TfrxSyntaxMemo::GotoBookmark(int number)
{
    if (number < 0 || number >= TfrxEditorMarks::BookmarkCount || FMarks.Bookmark(number) < 1)
        return;
    SetPos(1, FMarks.Bookmark(number));
}

void TfrxSyntaxMemo::AddBreakPoint(int line, const QString &condition)
{
    FMarks.AddBreakPoint(line, condition);
    UpdateLine(line - 1);
}

void TfrxSyntaxMemo::ToggleBreakPoint(int line, const QString &condition)
{
    if (FMarks.IsBreakPoint(line))
        DeleteBreakPoint(line);
    else
        AddBreakPoint(line, condition);
}

void TfrxSyntaxMemo::DeleteBreakPoint(int line)
{
    FMarks.DeleteBreakPoint(line);
    UpdateLine(line - 1);
}

void TfrxSyntaxMemo::DeleteF4BreakPoints()
{
    FMarks.DeleteBreakPointsWithCondition(kRunToCursor);
    viewport()->update();
}

void TfrxSyntaxMemo::SetActiveLine(int line)
{
    UpdateLine(FMarks.ActiveLine() - 1);
    FMarks.SetActiveLine(line);
    UpdateLine(line - 1);
}

void TfrxSyntaxMemo::SetRunLine(int line, bool executable)
{
    FMarks.SetExecutable(line, executable);
    UpdateLine(line - 1);
}

void TfrxSyntaxMemo::ShowCompletion(const QStringList &names)
{
    if (names.isEmpty())
        return;
    const QRect caret = CaretRect();
    FCompletion->Open(names, caret.bottomLeft() + QPoint(0, 2), FPlainFont);
}

// -- Editing ----------------------------------------------------------------------------------

std::optional<TfrxSyntaxMemo::Selection> TfrxSyntaxMemo::CurrentSelection() const
{
    if (!FAnchor || *FAnchor == FCaret)
        return std::nullopt;
    return Selection{std::min(*FAnchor, FCaret), std::max(*FAnchor, FCaret)};
}

TfrxSyntaxMemo::Selection TfrxSyntaxMemo::SelectionOrCaret() const
{
    return CurrentSelection().value_or(Selection{FCaret, FCaret});
}

// Typed text replaces the selection; it never makes a line longer than MaxLength.
void TfrxSyntaxMemo::TypeText(const QString &text)
{
    const Selection range = SelectionOrCaret();
    const QString &last = FText.Line(range.to.line);
    const qsizetype tail = last.size() - std::min<qsizetype>(range.to.column, last.size());
    const qsizetype room = MaxLength - range.from.column - tail;
    const QString typed = text.left(std::max<qsizetype>(room, 0));
    if (typed.isEmpty() && !CurrentSelection())
        return;
    PlaceCaret(Replace(range.from, range.to, typed));
}

// The one way the text changes: an undo snapshot when the caret moved, the marks that follow
// their lines, the colouring and the repaint. Returns the place behind the inserted text.
TfrxTextPos TfrxSyntaxMemo::Replace(TfrxTextPos from, TfrxTextPos to, const QString &text)
{
    const Change change = BeginChange(from.line);
    if (from != to)
        FText.Remove(from, to);
    const TfrxTextPos end = text.isEmpty() ? from : FText.Insert(from, text);
    MoveMarks(from, to, countLineBreaks(text));
    FAnchor.reset();
    EndChange(change);
    return end;
}

// Changes lines in place, as block indentation does; the marks stay where they are.
void TfrxSyntaxMemo::ReplaceLines(int first, const QStringList &lines)
{
    const Change change = BeginChange(first);
    for (int i = 0; i < lines.size(); ++i)
        FText.SetLine(first + i, lines[i]);
    EndChange(change);
}

TfrxSyntaxMemo::Change TfrxSyntaxMemo::BeginChange(int line)
{
    if (FMoved) {
        FUndo.Remember(FCaret, FText.Lines());
        FMoved = false;
    }
    Change change{line, FText.Count(), {}};
    for (int below = line + 1; below <= LastVisibleLine(); ++below) {
        const QByteArray *codes = FColouring.KnownCodes(below);
        if (codes == nullptr)
            break;
        change.shownCodes.push_back(*codes);
    }
    return change;
}

// Repaints the changed line and those below it whose colours changed with it (a comment opened or
// closed), or everything below when lines came or went.
void TfrxSyntaxMemo::EndChange(const Change &change)
{
    FColouring.Invalidate(change.line);
    UpdateScrollBars();
    if (FText.Count() != change.lineCount) {
        UpdateLines(change.line, INT_MAX);
    } else {
        const int lastVisible = LastVisibleLine();
        int changedTo = change.line;
        if (lastVisible > change.line)
            FColouring.Codes(FText.Lines(), lastVisible);
        for (int line = change.line + 1; line <= lastVisible; ++line) {
            const size_t shown = size_t(line - change.line - 1);
            if (shown >= change.shownCodes.size() || change.shownCodes[shown] != *FColouring.KnownCodes(line))
                changedTo = line;
        }
        UpdateLines(change.line, changedTo);
    }
    if (FMessage->isVisible())
        ShowMessage({});
    emit ChangeText();
}

// Marks follow their lines: lines that a change removes take their marks with them, and lines
// pushed down by inserted line breaks carry theirs along. A change at the start of a line moves
// that line's marks; one further in leaves them on it.
void TfrxSyntaxMemo::MoveMarks(TfrxTextPos from, TfrxTextPos to, int insertedBreaks)
{
    const int added = insertedBreaks - (to.line - from.line);
    if (added == 0)
        return;
    const bool atLineStart = from.column == 0 && to.column == 0;
    const int first = (atLineStart ? from.line : from.line + 1) + 1; // as the marks count lines
    if (added > 0)
        FMarks.LinesInserted(first, added);
    else
        FMarks.LinesRemoved(first, -added);
}

// A name from the completion list replaces the start of it that was typed before the caret.
void TfrxSyntaxMemo::InsertChosenName(const QString &name)
{
    FMoved = true;
    const TfrxEditorText::Span typed = FText.WordAt(FCaret, true);
    const QString start = FText.Line(FCaret.line).mid(typed.start, typed.end - typed.start);
    const bool replaces =
        !typed.IsEmpty() && typed.end == FCaret.column && name.startsWith(start, Qt::CaseInsensitive);
    const TfrxTextPos from{FCaret.line, replaces ? typed.start : FCaret.column};
    PlaceCaret(Replace(from, FCaret, name));
}

// -- Caret, selection and scrolling -----------------------------------------------------------

// The caret may stand past the end of a line, but not beyond where typing stops, unless the line
// itself is longer.
int TfrxSyntaxMemo::ColumnLimit(int line) const
{
    return std::max(MaxLength, int(FText.Line(line).size()));
}

void TfrxSyntaxMemo::PlaceCaret(TfrxTextPos at)
{
    const TfrxTextPos oldCaret = FCaret;
    const auto oldAnchor = FAnchor;
    FAnchor.reset();
    FCaret = at;
    CaretChanged(oldCaret, oldAnchor);
}

void TfrxSyntaxMemo::MoveCaret(TfrxTextPos to, bool extend)
{
    FMoved = true;
    if (extend)
        Select(FAnchor.value_or(FCaret), to);
    else
        PlaceCaret(to);
}

void TfrxSyntaxMemo::Select(TfrxTextPos anchor, TfrxTextPos caret)
{
    const TfrxTextPos oldCaret = FCaret;
    const auto oldAnchor = FAnchor;
    FAnchor = anchor;
    FCaret = caret;
    CaretChanged(oldCaret, oldAnchor);
}

// Repaints the lines whose caret or selection changed.
void TfrxSyntaxMemo::CaretChanged(TfrxTextPos oldCaret, std::optional<TfrxTextPos> oldAnchor)
{
    const int oldFirst = std::min(oldCaret.line, oldAnchor.value_or(oldCaret).line);
    const int oldLast = std::max(oldCaret.line, oldAnchor.value_or(oldCaret).line);
    const int newFirst = std::min(FCaret.line, FAnchor.value_or(FCaret).line);
    const int newLast = std::max(FCaret.line, FAnchor.value_or(FCaret).line);
    if (oldAnchor || FAnchor) {
        UpdateLines(std::min(oldFirst, newFirst), std::max(oldLast, newLast));
    } else {
        UpdateLine(oldCaret.line);
        UpdateLine(FCaret.line);
    }
    RestartBlink();
    EnsureCaretVisible();
    emit ChangePos();
}

void TfrxSyntaxMemo::EnsureCaretVisible()
{
    QScrollBar *lines = verticalScrollBar();
    if (FCaret.line < lines->value())
        lines->setValue(FCaret.line);
    else if (FCaret.line >= lines->value() + VisibleLines())
        lines->setValue(FCaret.line - VisibleLines() + 1);
    QScrollBar *columns = horizontalScrollBar();
    const int visibleColumns = std::max(1, int((viewport()->width() - TextLeft()) / FCharWidth) - 1);
    if (FCaret.column < columns->value())
        columns->setValue(std::max(0, FCaret.column - 4));
    else if (FCaret.column >= columns->value() + visibleColumns) {
        columns->setMaximum(std::max(columns->maximum(), FCaret.column - visibleColumns + 5));
        columns->setValue(FCaret.column - visibleColumns + 5);
    }
}

void TfrxSyntaxMemo::UpdateScrollBars()
{
    const int visibleLines = VisibleLines();
    verticalScrollBar()->setRange(0, std::max(0, FText.Count() - visibleLines));
    verticalScrollBar()->setPageStep(visibleLines);
    verticalScrollBar()->setSingleStep(1);
    qsizetype longest = FCaret.column;
    for (const QString &line : FText.Lines())
        longest = std::max(longest, line.size());
    const int visibleColumns = std::max(1, int((viewport()->width() - TextLeft()) / FCharWidth));
    horizontalScrollBar()->setRange(0, std::max(0, int(longest) + 2 - visibleColumns));
    horizontalScrollBar()->setPageStep(visibleColumns);
    horizontalScrollBar()->setSingleStep(1);
}

void TfrxSyntaxMemo::RestartBlink()
{
    FCaretOn = true;
    if (hasFocus() && QApplication::cursorFlashTime() > 0)
        FBlink.start(QApplication::cursorFlashTime() / 2, this);
}
