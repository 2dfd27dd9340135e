#include "TfrxCompletionList.h"

#include "TfrxEditorText.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

constexpr int kMinWidth = 100;
constexpr int kMaxExtent = 300;
constexpr int kPadding = 6;

// One name per row in the list's font, the chosen row in the highlight colours.
class NameDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool chosen = option.state & QStyle::State_Selected;
        const QPalette &palette = option.palette;
        painter->fillRect(option.rect, palette.color(chosen ? QPalette::Highlight : QPalette::Base));
        painter->setFont(option.font);
        painter->setPen(palette.color(chosen ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(option.rect.adjusted(kPadding, 0, -kPadding, 0), Qt::AlignVCenter | Qt::AlignLeft,
                          index.data().toString());
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QFontMetrics metrics(option.font);
        return {metrics.horizontalAdvance(index.data().toString()) + 2 * kPadding, metrics.height() + 4};
    }
};

// The start of the quoted string or the group in parentheses that ends just before `end`, or -1.
int enclosedStart(const QString &text, int end)
{
    int depth = 0;
    for (int i = end - 1; i >= 0; --i) {
        const QChar c = text[i];
        if (c == u'\'' || c == u'"') {
            i = i > 0 ? int(text.lastIndexOf(c, i - 1)) : -1;
            if (i < 0 || depth == 0)
                return i;
        } else if (c == u')') {
            ++depth;
        } else if (c == u'(' && --depth == 0) {
            return i;
        }
    }
    return -1;
}

} // namespace

TfrxCompletionList::TfrxCompletionList(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new NameDelegate(this));
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::Box);
    hide();
}

void TfrxCompletionList::Open(const QStringList &names, const QPoint &at, const QFont &font)
{
    QStringList sorted = names;
    sorted.sort(Qt::CaseInsensitive);
    sorted.removeDuplicates();
    clear();
    addItems(sorted);
    setFont(font);
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString &name : sorted)
        widest = std::max(widest, metrics.horizontalAdvance(name));
    const int frame = 2 * frameWidth();
    const int width = std::clamp(widest + 2 * kPadding + frame + verticalScrollBar()->sizeHint().width(),
                                 kMinWidth, kMaxExtent);
    const int height = std::min(int(sorted.size()) * (metrics.height() + 4) + frame, kMaxExtent);
    resize(width, height);
    const QSize room = parentWidget()->size();
    move(std::clamp(at.x(), 0, std::max(0, room.width() - width)),
         std::clamp(at.y(), 0, std::max(0, room.height() - height)));
    setCurrentRow(0);
    show();
    raise();
    setFocus(Qt::PopupFocusReason);
}

QString TfrxCompletionList::Expression(const QString &textBeforeCaret)
{
    const QString text = textBeforeCaret.trimmed();
    int start = int(text.size());
    while (start > 0) {
        const QChar c = text[start - 1];
        if (TfrxEditorText::IsWordChar(c) || c == u'.') {
            --start;
            continue;
        }
        if (c != u')' && c != u'\'' && c != u'"')
            break;
        const int open = enclosedStart(text, start);
        if (open < 0)
            break;
        start = open;
    }
    return text.mid(start);
}

void TfrxCompletionList::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ChooseCurrent();
        return;
    case Qt::Key_Escape:
        Close();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void TfrxCompletionList::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListWidgetItem *item = itemAt(event->position().toPoint());
    if (item == nullptr)
        return;
    setCurrentItem(item);
    ChooseCurrent();
}

void TfrxCompletionList::focusOutEvent(QFocusEvent *event)
{
    QListWidget::focusOutEvent(event);
    if (isVisible())
        Close();
}

void TfrxCompletionList::Close()
{
    hide();
    emit Closed();
}

void TfrxCompletionList::ChooseCurrent()
{
    const QListWidgetItem *item = currentItem();
    const QString name = item != nullptr ? item->text() : QString();
    Close();
    if (!name.isEmpty())
        emit Chosen(name);
}
