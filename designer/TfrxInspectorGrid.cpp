#include "TfrxInspectorGrid.h"

#include "TfrxInspectorPopup.h"
#include "TfrxPropertyEditor.h"
#include "TfrxPropertyList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>

namespace {

// How near the splitter a press must be to move it.
constexpr int splitterGrip = 3;
constexpr int minimumColumn = 10;
constexpr int expanderSize = 9;

} // namespace

TfrxInspectorGrid::TfrxInspectorGrid(QWidget *parent)
    : QAbstractScrollArea(parent), FEdit(new QLineEdit(viewport())),
      FDialogButton(new QToolButton(viewport())), FListButton(new QToolButton(viewport())),
      FPopup(new TfrxInspectorPopup(this))
{
    setFrameShape(QFrame::StyledPanel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
    viewport()->setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    FEdit->setFrame(false);
    FEdit->installEventFilter(this);
    FDialogButton->setText(QStringLiteral("..."));
    FDialogButton->setFocusPolicy(Qt::NoFocus);
    FListButton->setArrowType(Qt::DownArrow);
    FListButton->setFocusPolicy(Qt::NoFocus);
    FEdit->hide();
    FDialogButton->hide();
    FListButton->hide();
    connect(FDialogButton, &QToolButton::clicked, this, [this] {
        if (TfrxPropertyItem *item = SelectedItem())
            emit EditRequested(item);
    });
    connect(FListButton, &QToolButton::clicked, this, &TfrxInspectorGrid::OpenList);
    connect(FPopup, &TfrxInspectorPopup::Chosen, this, [this](const QString &value) {
        FEdit->setFocus();
        if (TfrxPropertyItem *item = SelectedItem(); item != nullptr && value != FShownText)
            emit ValueEntered(item, value);
    });
    UpdateMetrics();
}

TfrxInspectorGrid::~TfrxInspectorGrid() = default;

// ---- Rows -------------------------------------------------------------------------------------

void TfrxInspectorGrid::SetList(TfrxPropertyList *list)
{
    const QString selectedPath = FItemIndex >= 0 ? PathOf(SelectedItem()) : QString();
    FList = list;
    FItemIndex = -1;
    Rebuild();
    int row = FindRow(selectedPath);
    if (row < 0 && FList != nullptr) {
        const TfrxPropertyItem *same = FList->Find(selectedPath.section(QLatin1Char('.'), 0, 0));
        row = same != nullptr ? FindRow(PathOf(same)) : -1;
    }
    SetItemIndex(std::max(row, 0));
}

void TfrxInspectorGrid::Rebuild()
{
    FRows.clear();
    if (FList != nullptr)
        AddRows(FList, 0);
    UpdateScrollBar();
    viewport()->update();
}

void TfrxInspectorGrid::AddRows(TfrxPropertyList *list, int level)
{
    for (qsizetype i = 0; i < list->Count(); ++i) {
        TfrxPropertyItem *item = list->Items(i);
        FRows.append({item, level});
        if (FExpanded.contains(PathOf(item)))
            item->Expanded = true;
        if (item->Expanded && item->SubProperty() != nullptr)
            AddRows(item->SubProperty(), level + 1);
    }
}

QString TfrxInspectorGrid::PathOf(const TfrxPropertyItem *item) const
{
    QString path;
    for (; item != nullptr; item = item->Parent()->Parent())
        path =
            path.isEmpty() ? item->Editor()->GetName() : item->Editor()->GetName() + QLatin1Char('.') + path;
    return path;
}

TfrxPropertyItem *TfrxInspectorGrid::RowItem(int row) const
{
    return row >= 0 && row < FRows.size() ? FRows.at(row).Item : nullptr;
}

int TfrxInspectorGrid::FindRow(const QString &path) const
{
    for (qsizetype row = 0; row < FRows.size(); ++row) {
        if (PathOf(FRows.at(row).Item).compare(path, Qt::CaseInsensitive) == 0)
            return int(row);
    }
    return -1;
}

void TfrxInspectorGrid::SetItemIndex(int row)
{
    FItemIndex = FRows.isEmpty() ? -1 : std::clamp(row, 0, int(FRows.size()) - 1);
    if (FItemIndex >= 0) {
        const int top = FItemIndex * FRowHeight;
        if (top < verticalScrollBar()->value())
            verticalScrollBar()->setValue(top);
        else if (top + FRowHeight > verticalScrollBar()->value() + viewport()->height())
            verticalScrollBar()->setValue(top + FRowHeight - viewport()->height());
    }
    LoadEditText();
    PlaceEditor();
    viewport()->update();
    emit CurrentChanged(SelectedItem());
}

void TfrxInspectorGrid::SetExpanded(int row, bool expanded)
{
    TfrxPropertyItem *item = RowItem(row);
    if (item == nullptr || item->SubProperty() == nullptr || item->Expanded == expanded)
        return;
    TfrxPropertyItem *selected = SelectedItem();
    item->Expanded = expanded;
    if (expanded)
        FExpanded.insert(PathOf(item));
    else
        FExpanded.remove(PathOf(item));
    Rebuild();
    const QString selectedPath = PathOf(selected);
    const int again = FindRow(selectedPath);
    SetItemIndex(again >= 0 ? again : row);
}

void TfrxInspectorGrid::MoveRow(int row)
{
    CommitEdit();
    SetItemIndex(row);
    FEdit->setFocus();
}

// ---- Geometry ---------------------------------------------------------------------------------

void TfrxInspectorGrid::UpdateMetrics()
{
    // A row is as high as the text plus three pixels.
    FRowHeight = fontMetrics().height() + 3;
    UpdateScrollBar();
    PlaceEditor();
}

int TfrxInspectorGrid::Top() const
{
    return -verticalScrollBar()->value();
}

int TfrxInspectorGrid::RowAt(int y) const
{
    const int row = (y - Top()) / FRowHeight;
    return y - Top() >= 0 && row < FRows.size() ? row : -1;
}

QRect TfrxInspectorGrid::NameRect(int row) const
{
    return {0, Top() + row * FRowHeight, FSplitterPos, FRowHeight};
}

QRect TfrxInspectorGrid::ValueRect(int row) const
{
    return {FSplitterPos + 1, Top() + row * FRowHeight, viewport()->width() - FSplitterPos - 1, FRowHeight};
}

void TfrxInspectorGrid::SetSplitterPos(int value)
{
    const int width = viewport()->width();
    FSplitterPending = width <= 2 * minimumColumn || !isVisible();
    if (FSplitterPending) {
        FPendingSplitterPos = value;
        return;
    }
    FSplitterHalf = value <= 0 || value > width - minimumColumn;
    FSplitterPos = FSplitterHalf ? width / 2 : std::max(value, minimumColumn);
    PlaceEditor();
    viewport()->update();
}

void TfrxInspectorGrid::UpdateScrollBar()
{
    QScrollBar *bar = verticalScrollBar();
    bar->setRange(0, std::max(0, int(FRows.size()) * FRowHeight - viewport()->height()));
    bar->setPageStep(viewport()->height());
    bar->setSingleStep(FRowHeight);
}

void TfrxInspectorGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (FSplitterPending)
        SetSplitterPos(FPendingSplitterPos);
    else if (FSplitterHalf)
        SetSplitterPos(0);
    UpdateScrollBar();
    PlaceEditor();
}

void TfrxInspectorGrid::showEvent(QShowEvent *event)
{
    QAbstractScrollArea::showEvent(event);
    if (FSplitterPending)
        SetSplitterPos(FPendingSplitterPos);
}

void TfrxInspectorGrid::scrollContentsBy(int, int)
{
    PlaceEditor();
    viewport()->update();
}

void TfrxInspectorGrid::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        UpdateMetrics();
}

// ---- The editor of the selected row -----------------------------------------------------------

void TfrxInspectorGrid::PlaceEditor()
{
    const TfrxPropertyItem *item = SelectedItem();
    FEdit->setVisible(item != nullptr);
    if (item == nullptr) {
        FDialogButton->hide();
        FListButton->hide();
        return;
    }
    const TfrxPropertyAttributes attributes = item->Editor()->GetAttributes();
    QRect rect = ValueRect(FItemIndex);
    for (auto [button, shown] : {std::pair{FDialogButton, attributes.testFlag(paDialog)},
                                 std::pair{FListButton, attributes.testFlag(paValueList)}}) {
        button->setVisible(shown);
        if (!shown)
            continue;
        button->setGeometry(rect.right() - ButtonWidth + 1, rect.top(), ButtonWidth, FRowHeight);
        rect.setRight(rect.right() - ButtonWidth);
    }
    // An owner-drawn value keeps its sample (check box, swatch) visible left of the text.
    if (attributes.testFlag(paOwnerDraw))
        rect.setLeft(rect.left() + FRowHeight);
    FEdit->setGeometry(rect.adjusted(2, 0, 0, -1));
    FEdit->setReadOnly(attributes.testFlag(paReadOnly));
}

void TfrxInspectorGrid::LoadEditText()
{
    const TfrxPropertyItem *item = SelectedItem();
    FShownText = item != nullptr ? item->Editor()->GetValue() : QString();
    FEdit->setText(FShownText);
    FEdit->setCursorPosition(0);
}

void TfrxInspectorGrid::RefreshValues()
{
    LoadEditText();
    PlaceEditor();
    viewport()->update();
}

void TfrxInspectorGrid::CommitEdit()
{
    TfrxPropertyItem *item = SelectedItem();
    if (item == nullptr || FEdit->isReadOnly() || FEdit->text() == FShownText)
        return;
    const QString text = FEdit->text();
    // Applying may rebuild the rows; the text is now the one shown until then.
    FShownText = text;
    emit ValueEntered(item, text);
}

void TfrxInspectorGrid::OpenList()
{
    TfrxPropertyItem *item = SelectedItem();
    if (item == nullptr || !item->Editor()->GetAttributes().testFlag(paValueList))
        return;
    const QRect cell = ValueRect(FItemIndex);
    FPopup->setFont(font());
    FPopup->Open(*item->Editor(), QRect(viewport()->mapToGlobal(cell.topLeft()), cell.size()), FRowHeight);
}

// ---- Keys and mouse ---------------------------------------------------------------------------

bool TfrxInspectorGrid::HandleEditKey(QKeyEvent *event)
{
    const int page = std::max(1, viewport()->height() / FRowHeight);
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (TfrxPropertyItem *item = SelectedItem(); item != nullptr &&
                                                     item->Editor()->GetAttributes().testFlag(paDialog) &&
                                                     FEdit->text() == FShownText)
            emit EditRequested(item);
        else
            CommitEdit();
        return true;
    case Qt::Key_Escape:
        FEdit->setText(FShownText);
        return true;
    case Qt::Key_Up:
        MoveRow(FItemIndex - 1);
        return true;
    case Qt::Key_Down:
        if (event->modifiers().testFlag(Qt::AltModifier))
            OpenList();
        else
            MoveRow(FItemIndex + 1);
        return true;
    case Qt::Key_PageUp:
        MoveRow(FItemIndex - page);
        return true;
    case Qt::Key_PageDown:
        MoveRow(FItemIndex + page);
        return true;
    default:
        return false;
    }
}

bool TfrxInspectorGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FEdit && event->type() == QEvent::KeyPress)
        return HandleEditKey(static_cast<QKeyEvent *>(event));
    if (watched == FEdit && event->type() == QEvent::MouseButtonDblClick) {
        if (TfrxPropertyItem *item = SelectedItem())
            emit EditRequested(item);
        return true;
    }
    if (watched == FEdit && event->type() == QEvent::FocusOut && !FPopup->isVisible())
        CommitEdit();
    return QAbstractScrollArea::eventFilter(watched, event);
}

void TfrxInspectorGrid::keyPressEvent(QKeyEvent *event)
{
    if (!HandleEditKey(event))
        QAbstractScrollArea::keyPressEvent(event);
}

void TfrxInspectorGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (std::abs(at.x() - FSplitterPos) <= splitterGrip) {
        FMovingSplitter = true;
        return;
    }
    const int row = RowAt(at.y());
    if (row < 0 || event->button() != Qt::LeftButton)
        return;
    MoveRow(row);
    TfrxPropertyItem *item = RowItem(row);
    if (at.x() < (FRows.at(row).Level + 1) * Indent &&
        item->Editor()->GetAttributes().testFlag(paSubProperties))
        SetExpanded(row, !item->Expanded);
    else if (at.x() > FSplitterPos && at.x() <= FSplitterPos + FRowHeight && item->TypeName() == u"Boolean")
        emit EditRequested(item);
}

void TfrxInspectorGrid::mouseMoveEvent(QMouseEvent *event)
{
    const int x = event->position().toPoint().x();
    if (FMovingSplitter)
        SetSplitterPos(std::clamp(x, minimumColumn, viewport()->width() - minimumColumn));
    viewport()->setCursor(FMovingSplitter || std::abs(x - FSplitterPos) <= splitterGrip ? Qt::SplitHCursor
                                                                                        : Qt::ArrowCursor);
}

void TfrxInspectorGrid::mouseReleaseEvent(QMouseEvent *)
{
    FMovingSplitter = false;
}

void TfrxInspectorGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const int row = RowAt(at.y());
    TfrxPropertyItem *item = RowItem(row);
    if (item == nullptr)
        return;
    if (at.x() < FSplitterPos)
        SetExpanded(row, !item->Expanded);
    else if (at.x() > FSplitterPos + FRowHeight || item->TypeName() != u"Boolean")
        emit EditRequested(item);
}

// ---- Painting ---------------------------------------------------------------------------------

void TfrxInspectorGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().base());
    const int first = std::max(0, -Top() / FRowHeight);
    const int last = std::min(int(FRows.size()) - 1, (viewport()->height() - Top()) / FRowHeight);
    for (int row = first; row <= last; ++row)
        PaintRow(painter, row);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(FSplitterPos, 0, FSplitterPos,
                     std::min(viewport()->height(), Top() + RowCount() * FRowHeight));
}

void TfrxInspectorGrid::PaintRow(QPainter &painter, int row)
{
    const Row &r = FRows.at(row);
    TfrxPropertyEditor *editor = r.Item->Editor();
    const QRect name = NameRect(row);
    const QRect value = ValueRect(row);
    const bool selected = row == FItemIndex;
    if (selected)
        painter.fillRect(name, palette().highlight());
    painter.setPen(palette().color(QPalette::Midlight));
    painter.drawLine(0, name.bottom(), viewport()->width(), name.bottom());
    const int textLeft = (r.Level + 1) * Indent;
    if (editor->GetAttributes().testFlag(paSubProperties))
        PaintExpander(painter,
                      QRect(textLeft - Indent + (Indent - expanderSize) / 2,
                            name.top() + (FRowHeight - expanderSize) / 2, expanderSize, expanderSize),
                      r.Item->Expanded);
    painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(name.adjusted(textLeft, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     editor->GetName());
    painter.setPen(palette().color(QPalette::Text));
    painter.save();
    painter.setClipRect(value);
    editor->ItemHeight = FRowHeight;
    if (editor->GetAttributes().testFlag(paOwnerDraw))
        editor->OnDrawItem(painter, value.adjusted(0, 0, 0, -1));
    else if (!selected)
        painter.drawText(value.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                         editor->GetValue());
    painter.restore();
}

void TfrxInspectorGrid::PaintExpander(QPainter &painter, const QRect &box, bool expanded) const
{
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(palette().base());
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Text));
    const QPoint c = box.center();
    painter.drawLine(c.x() - 2, c.y(), c.x() + 2, c.y());
    if (!expanded)
        painter.drawLine(c.x(), c.y() - 2, c.x(), c.y() + 2);
}
