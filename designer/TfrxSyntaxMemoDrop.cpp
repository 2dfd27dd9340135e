// Text dropped onto the script editor: an entry dragged from the data tree, or plain text from
// another program. It goes in where it was dropped, as one undo step.

#include "TfrxSyntaxMemo.h"

#include <QDropEvent>
#include <QMimeData>

namespace {

// Files (which also carry their names as text) are not the editor's business.
QString DroppedText(const QMimeData *data)
{
    return data != nullptr && data->hasText() && !data->hasUrls() ? data->text() : QString();
}

} // namespace

void TfrxSyntaxMemo::dragEnterEvent(QDragEnterEvent *event)
{
    if (DroppedText(event->mimeData()).isEmpty())
        return event->ignore();
    event->acceptProposedAction();
}

void TfrxSyntaxMemo::dropEvent(QDropEvent *event)
{
    const QString text = DroppedText(event->mimeData());
    if (text.isEmpty())
        return event->ignore();
    const TfrxTextPos at = HitTest(event->position().toPoint());
    FMoved = true;
    PlaceCaret(at);
    PlaceCaret(Replace(at, at, text));
    setFocus(Qt::OtherFocusReason);
    event->acceptProposedAction();
}
