// The script editor's input: keys, input-method text and the mouse.
#include "TfrxSyntaxMemo.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

void TfrxSyntaxMemo::keyPressEvent(QKeyEvent *event)
{
    if (RunKey(event))
        event->accept();
    else
        QAbstractScrollArea::keyPressEvent(event);
}

// Text committed by an input method types like a key; the text being composed shows at the caret.
void TfrxSyntaxMemo::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty())
        TypeText(event->commitString());
    FPreedit = event->preeditString();
    UpdateLine(FCaret.line);
    event->accept();
}

QVariant TfrxSyntaxMemo::inputMethodQuery(Qt::InputMethodQuery query) const
{
    const QString &line = FText.Line(FCaret.line);
    const int column = std::min(FCaret.column, int(line.size()));
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
        return CaretRect().translated(viewport()->pos());
    case Qt::ImFont:
        return FPlainFont;
    case Qt::ImSurroundingText:
        return line;
    case Qt::ImCursorPosition:
        return column;
    case Qt::ImAnchorPosition:
        return FAnchor && FAnchor->line == FCaret.line ? std::min(FAnchor->column, int(line.size())) : column;
    case Qt::ImCurrentSelection:
        return SelText();
    case Qt::ImHints:
        return int(Qt::ImhMultiLine | Qt::ImhNoAutoUppercase | Qt::ImhNoPredictiveText);
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void TfrxSyntaxMemo::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    MoveCaret(HitTest(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void TfrxSyntaxMemo::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        MoveCaret(HitTest(event->position().toPoint()), true);
}

void TfrxSyntaxMemo::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mouseDoubleClickEvent(event);
    const TfrxTextPos at = HitTest(event->position().toPoint());
    const TfrxEditorText::Span word = FText.WordAt(at, true);
    FMoved = true;
    if (word.IsEmpty())
        PlaceCaret(at);
    else
        Select({at.line, word.start}, {at.line, word.end});
}
