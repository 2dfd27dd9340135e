#include "TfrxInspectorPopup.h"

#include "TfrxPropertyEditor.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

constexpr int maxRows = 8;

// Lets an owner-drawing editor draw the list's entries.
class OwnerDrawDelegate : public QStyledItemDelegate
{
public:
    OwnerDrawDelegate(TfrxPropertyEditor *&editor, QObject *parent)
        : QStyledItemDelegate(parent), FEditor(editor)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (FEditor == nullptr || !FEditor->GetAttributes().testFlag(paOwnerDraw)) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        painter->save();
        painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        FEditor->OnDrawLBItem(*painter, option.rect, index.row(), selected);
        painter->restore();
    }

private:
    TfrxPropertyEditor *&FEditor;
};

} // namespace

TfrxInspectorPopup::TfrxInspectorPopup(QWidget *parent) : QListWidget(parent)
{
    setWindowFlags(Qt::Popup);
    setFrameShape(QFrame::Box);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new OwnerDrawDelegate(FEditor, this));
    connect(this, &QListWidget::itemClicked, this, &TfrxInspectorPopup::Choose);
}

void TfrxInspectorPopup::Open(TfrxPropertyEditor &editor, const QRect &below, int itemHeight)
{
    FEditor = &editor;
    editor.ItemHeight = itemHeight;
    editor.GetValues();
    QStringList values = editor.Values;
    if (editor.GetAttributes().testFlag(paSortList)) {
        values.sort(Qt::CaseInsensitive);
        editor.Values = values;
    }
    clear();
    int widest = 0;
    for (const QString &value : std::as_const(values)) {
        auto *item = new QListWidgetItem(value, this);
        item->setSizeHint(QSize(0, itemHeight));
        widest = std::max(widest, fontMetrics().horizontalAdvance(value));
    }
    const int rows = std::clamp(int(values.size()), 1, maxRows);
    int width = widest + 8 + editor.GetExtraLBSize() + 2 * frameWidth();
    if (values.size() > maxRows)
        width += verticalScrollBar()->sizeHint().width();
    setCurrentRow(int(values.indexOf(editor.GetValue())));
    resize(width, rows * itemHeight + 2 * frameWidth());
    move(below.left() + below.width() - this->width(), below.bottom() + 1);
    show();
    setFocus();
    if (currentItem() != nullptr)
        scrollToItem(currentItem());
}

void TfrxInspectorPopup::Choose(QListWidgetItem *item)
{
    hide();
    if (item != nullptr)
        emit Chosen(item->text());
}

void TfrxInspectorPopup::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Choose(currentItem());
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QListWidget::keyPressEvent(event);
}
