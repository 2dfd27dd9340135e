// The script editor's keys: the table of commands, the table of caret movements (Shift extends the
// selection), the bookmark digits, and typing.
#include "TfrxSyntaxMemo.h"

#include "TfrxCompletionList.h"

#include <QKeyEvent>
#include <QMetaMethod>

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr int kTabWidth = 8;
constexpr int kBlockIndent = 2;

// Modifiers that tell keys apart: the keypad and a layout switch do not.
Qt::KeyboardModifiers modifiersOf(const QKeyEvent *event)
{
    return event->modifiers() &
           (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

} // namespace

struct TfrxSyntaxMemo::Command
{
    int key;
    Qt::KeyboardModifiers modifiers;
    void (TfrxSyntaxMemo::*run)();
};

struct TfrxSyntaxMemo::Movement
{
    int key;
    bool control;
    TfrxTextPos (TfrxSyntaxMemo::*target)() const;
};

namespace {

using Memo = TfrxSyntaxMemo;
constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;

} // namespace

const TfrxSyntaxMemo::Command *TfrxSyntaxMemo::FindCommand(const QKeyEvent *event)
{
    static const Command commands[] = {
        {Qt::Key_Return, kNone, &Memo::Enter},
        {Qt::Key_Enter, kNone, &Memo::Enter},
        {Qt::Key_Tab, kNone, &Memo::Tab},
        {Qt::Key_Backspace, kNone, &Memo::Backspace},
        {Qt::Key_Backspace, kShift, &Memo::Backspace},
        {Qt::Key_Backspace, kCtrl, &Memo::DeleteWordBefore},
        {Qt::Key_Delete, kNone, &Memo::Delete},
        {Qt::Key_Delete, kCtrl, &Memo::DeleteWordAfter},
        {Qt::Key_Delete, kShift, &Memo::CutToClipboard},
        {Qt::Key_Insert, kCtrl, &Memo::CopyToClipboard},
        {Qt::Key_Insert, kShift, &Memo::PasteFromClipboard},
        {Qt::Key_A, kCtrl, &Memo::SelectAll},
        {Qt::Key_C, kCtrl, &Memo::CopyToClipboard},
        {Qt::Key_X, kCtrl, &Memo::CutToClipboard},
        {Qt::Key_V, kCtrl, &Memo::PasteFromClipboard},
        {Qt::Key_Z, kCtrl, &Memo::Undo},
        {Qt::Key_Y, kCtrl, &Memo::DeleteLine},
        {Qt::Key_I, kCtrl, &Memo::IndentBlock},
        {Qt::Key_U, kCtrl, &Memo::UnindentBlock},
        {Qt::Key_Space, kCtrl, &Memo::OpenCompletion},
    };
    const auto it = std::find_if(std::begin(commands), std::end(commands), [event](const Command &command) {
        return command.key == event->key() && command.modifiers == modifiersOf(event);
    });
    return it != std::end(commands) ? it : nullptr;
}

const TfrxSyntaxMemo::Movement *TfrxSyntaxMemo::FindMovement(const QKeyEvent *event)
{
    static const Movement movements[] = {
        {Qt::Key_Left, false, &Memo::CharLeft},   {Qt::Key_Left, true, &Memo::WordLeft},
        {Qt::Key_Right, false, &Memo::CharRight}, {Qt::Key_Right, true, &Memo::WordRight},
        {Qt::Key_Up, false, &Memo::LineUp},       {Qt::Key_Down, false, &Memo::LineDown},
        {Qt::Key_PageUp, false, &Memo::PageUp},   {Qt::Key_PageDown, false, &Memo::PageDown},
        {Qt::Key_Home, false, &Memo::LineStart},  {Qt::Key_Home, true, &Memo::TextStart},
        {Qt::Key_End, false, &Memo::LineEnd},     {Qt::Key_End, true, &Memo::TextEnd},
    };
    const Qt::KeyboardModifiers modifiers = modifiersOf(event) & ~Qt::ShiftModifier;
    const auto it = std::find_if(std::begin(movements), std::end(movements), [&](const Movement &movement) {
        return movement.key == event->key() && modifiers == (movement.control ? kCtrl : kNone);
    });
    return it != std::end(movements) ? it : nullptr;
}

// The digit of Ctrl+0..9 and Ctrl+Shift+0..9, or -1. With Shift the key is the digit's shifted
// character, which depends on the layout: the English and the Russian ones are known.
int TfrxSyntaxMemo::BookmarkDigit(const QKeyEvent *event)
{
    static const std::pair<int, int> shifted[] = {
        {Qt::Key_ParenRight, 0},  {Qt::Key_Exclam, 1},    {Qt::Key_At, 2},        {Qt::Key_QuoteDbl, 2},
        {Qt::Key_NumberSign, 3},  {Qt::Key_Dollar, 4},    {Qt::Key_Semicolon, 4}, {Qt::Key_Percent, 5},
        {Qt::Key_AsciiCircum, 6}, {Qt::Key_Colon, 6},     {Qt::Key_Ampersand, 7}, {Qt::Key_Question, 7},
        {Qt::Key_Asterisk, 8},    {Qt::Key_ParenLeft, 9},
    };
    const Qt::KeyboardModifiers modifiers = modifiersOf(event);
    if (modifiers != kCtrl && modifiers != (kCtrl | kShift))
        return -1;
    if (event->key() >= Qt::Key_0 && event->key() <= Qt::Key_9)
        return event->key() - Qt::Key_0;
    if (modifiers != (kCtrl | kShift))
        return -1;
    for (const auto &[key, digit] : shifted)
        if (key == event->key())
            return digit;
    return -1;
}

// A key with text types it unless Ctrl or Meta is held: AltGr and composed characters type.
bool TfrxSyntaxMemo::IsTyping(const QKeyEvent *event)
{
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    return std::none_of(text.cbegin(), text.cend(),
                        [](QChar c) { return c.unicode() < 32 || c.unicode() == 127; });
}

bool TfrxSyntaxMemo::RunKey(QKeyEvent *event)
{
    if (const Command *command = FindCommand(event)) {
        FMoved = true;
        (this->*command->run)();
    } else if (const Movement *movement = FindMovement(event)) {
        MoveCaret((this->*movement->target)(), event->modifiers() & Qt::ShiftModifier);
    } else if (const int digit = BookmarkDigit(event); digit >= 0) {
        const int line = FCaret.line + 1;
        if (!(event->modifiers() & Qt::ShiftModifier))
            GotoBookmark(digit);
        else
            AddBookmark(FMarks.Bookmark(digit) == line ? -1 : line, digit);
    } else if (IsTyping(event)) {
        TypeText(event->text());
    } else {
        return false;
    }
    return true;
}

// -- Commands ---------------------------------------------------------------------------------

// The new line starts at the indentation of the line broken, or at the caret's column when that
// line is blank; spaces that followed the caret give way to it.
void TfrxSyntaxMemo::Enter()
{
    Selection range = SelectionOrCaret();
    const int indent =
        FText.HasText(range.from.line) ? FText.Indentation(range.from.line) : range.from.column;
    range.from = FText.Clamped(range.from); // no trailing spaces up to a caret past the end
    range.to = FText.Clamped(range.to);
    const QString &rest = FText.Line(range.to.line);
    while (range.to.column < rest.size() && rest[range.to.column] == u' ')
        ++range.to.column;
    const bool restHasText = range.to.column < rest.size();
    const QString lineBreak = QStringLiteral("\r\n") + QString(restHasText ? indent : 0, u' ');
    const TfrxTextPos end = Replace(range.from, range.to, lineBreak);
    PlaceCaret({end.line, indent});
}

// Spaces up to the next column (counted from 1) that is a multiple of 8.
void TfrxSyntaxMemo::Tab()
{
    const int column = SelectionOrCaret().from.column + 1;
    TypeText(QString(kTabWidth - column % kTabWidth, u' '));
}

void TfrxSyntaxMemo::Backspace()
{
    if (const auto selection = CurrentSelection()) {
        PlaceCaret(Replace(selection->from, selection->to, {}));
        return;
    }
    const QString &line = FText.Line(FCaret.line);
    if (FCaret.column == 0) {
        if (FCaret.line > 0) {
            const TfrxTextPos joint{FCaret.line - 1, int(FText.Line(FCaret.line - 1).size())};
            PlaceCaret(Replace(joint, FCaret, {}));
        }
        return;
    }
    const int inLine = std::min(FCaret.column, int(line.size()));
    if (FText.Indentation(FCaret.line) >= inLine) {
        // Only spaces before the caret: back to the indentation of a less indented line above.
        int target = 0;
        for (int above = FCaret.line - 1; above >= 0; --above) {
            if (FText.HasText(above) && FText.Indentation(above) < FCaret.column) {
                target = FText.Indentation(above);
                break;
            }
        }
        const TfrxTextPos to{FCaret.line, std::max(inLine, target)};
        PlaceCaret(target < inLine ? Replace({FCaret.line, target}, to, {})
                                   : TfrxTextPos{FCaret.line, target});
    } else if (FCaret.column > line.size()) {
        PlaceCaret({FCaret.line, FCaret.column - 1});
    } else {
        PlaceCaret(Replace({FCaret.line, FCaret.column - 1}, FCaret, {}));
    }
}

void TfrxSyntaxMemo::Delete()
{
    if (const auto selection = CurrentSelection()) {
        PlaceCaret(Replace(selection->from, selection->to, {}));
    } else if (FCaret.column < FText.Line(FCaret.line).size()) {
        Replace(FCaret, {FCaret.line, FCaret.column + 1}, {});
        PlaceCaret(FCaret);
    } else if (FCaret.line + 1 < FText.Count()) {
        Replace(FCaret, {FCaret.line + 1, 0}, {}); // pads the line up to the caret
        PlaceCaret(FCaret);
    }
}

void TfrxSyntaxMemo::DeleteWordBefore()
{
    const TfrxEditorText::Span word = FText.WordAt(FCaret, true);
    if (word.IsEmpty() || CurrentSelection())
        return Backspace();
    PlaceCaret(Replace({FCaret.line, word.start}, {FCaret.line, word.end}, {}));
}

void TfrxSyntaxMemo::DeleteWordAfter()
{
    const TfrxEditorText::Span word = FText.WordAt(FCaret, false);
    if (word.IsEmpty() || CurrentSelection())
        return Delete();
    PlaceCaret(Replace({FCaret.line, word.start}, {FCaret.line, word.end}, {}));
}

// The caret's line goes; the last line is emptied instead, so that the text keeps a line.
void TfrxSyntaxMemo::DeleteLine()
{
    const int line = FCaret.line;
    if (line + 1 < FText.Count())
        Replace({line, 0}, {line + 1, 0}, {});
    else
        Replace({line, 0}, {line, int(FText.Line(line).size())}, {});
    PlaceCaret({line, 0});
}

void TfrxSyntaxMemo::IndentBlock()
{
    ShiftBlock(kBlockIndent);
}

void TfrxSyntaxMemo::UnindentBlock()
{
    ShiftBlock(-kBlockIndent);
}

// Moves the selected lines (the last one not when the selection ends at its start) by `by` columns;
// lines without text stay. Unindenting takes no more than the least indented line has.
void TfrxSyntaxMemo::ShiftBlock(int by)
{
    const Selection range = SelectionOrCaret();
    const int first = range.from.line;
    const int last = range.to.column == 0 && range.to.line > first ? range.to.line - 1 : range.to.line;
    for (int line = first; line <= last; ++line)
        if (by < 0 && FText.HasText(line))
            by = std::max(by, -FText.Indentation(line));
    QStringList lines;
    for (int line = first; line <= last; ++line) {
        const QString &text = FText.Line(line);
        if (!FText.HasText(line))
            lines.append(text);
        else
            lines.append(by > 0 ? QString(by, u' ') + text : text.mid(-by));
    }
    if (lines == FText.Lines().mid(first, lines.size()))
        return;
    const auto shifted = [&](TfrxTextPos at) {
        const bool moves = at.line >= first && at.line <= last && FText.HasText(at.line) && at.column > 0;
        return moves ? TfrxTextPos{at.line, std::max(0, at.column + by)} : at;
    };
    const TfrxTextPos caret = shifted(FCaret);
    const auto anchor = FAnchor ? std::optional(shifted(*FAnchor)) : std::nullopt;
    ReplaceLines(first, lines);
    if (anchor)
        Select(*anchor, caret);
    else
        PlaceCaret(caret);
}

void TfrxSyntaxMemo::OpenCompletion()
{
    if (!isSignalConnected(QMetaMethod::fromSignal(&TfrxSyntaxMemo::CodeCompletion)))
        return;
    const QString &line = FText.Line(FCaret.line);
    emit CodeCompletion(TfrxCompletionList::Expression(line.left(FCaret.column)));
}

// -- Movements --------------------------------------------------------------------------------

TfrxTextPos TfrxSyntaxMemo::CharLeft() const
{
    if (FCaret.column > 0)
        return {FCaret.line, FCaret.column - 1};
    return FCaret.line > 0 ? TfrxTextPos{FCaret.line - 1, int(FText.Line(FCaret.line - 1).size())} : FCaret;
}

TfrxTextPos TfrxSyntaxMemo::CharRight() const
{
    if (FCaret.column < FText.Line(FCaret.line).size())
        return {FCaret.line, FCaret.column + 1};
    return FCaret.line + 1 < FText.Count() ? TfrxTextPos{FCaret.line + 1, 0} : FCaret;
}

TfrxTextPos TfrxSyntaxMemo::WordLeft() const
{
    return FText.PreviousWordStart(FCaret);
}

TfrxTextPos TfrxSyntaxMemo::WordRight() const
{
    return FText.NextWordStart(FCaret);
}

TfrxTextPos TfrxSyntaxMemo::LineUp() const
{
    return {std::max(FCaret.line - 1, 0), FCaret.column};
}

TfrxTextPos TfrxSyntaxMemo::LineDown() const
{
    return {std::min(FCaret.line + 1, FText.Count() - 1), FCaret.column};
}

TfrxTextPos TfrxSyntaxMemo::PageUp() const
{
    return {std::max(FCaret.line - VisibleLines(), 0), FCaret.column};
}

TfrxTextPos TfrxSyntaxMemo::PageDown() const
{
    return {std::min(FCaret.line + VisibleLines(), FText.Count() - 1), FCaret.column};
}

TfrxTextPos TfrxSyntaxMemo::LineStart() const
{
    return {FCaret.line, 0};
}

TfrxTextPos TfrxSyntaxMemo::LineEnd() const
{
    return {FCaret.line, int(FText.Line(FCaret.line).size())};
}

TfrxTextPos TfrxSyntaxMemo::TextStart() const
{
    return {};
}

TfrxTextPos TfrxSyntaxMemo::TextEnd() const
{
    return FText.End();
}
