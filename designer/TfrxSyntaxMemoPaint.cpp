// The script editor on screen: the geometry of lines and columns, the painting of the visible
// lines only, the caret and its blinking, and the events that change the view.
#include "TfrxSyntaxMemo.h"

#include "TfrxEditorGutter.h"

#include <QApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <climits>
#include <cmath>

namespace {

constexpr int kTextMargin = 6; // between the gutter and the text
constexpr int kCaretWidth = 2;
const QColor kComment(0x00, 0x00, 0x80);
const QColor kString(0x00, 0x00, 0x80);
const QColor kNumber(0x00, 0x80, 0x00);

} // namespace

void TfrxSyntaxMemo::UpdateMetrics()
{
    FPlainFont = font();
    // "Courier New" is seldom installed on Linux: ask for a fixed-pitch font that stands in for it.
    FPlainFont.setStyleHint(QFont::TypeWriter);
    FBoldFont = FPlainFont;
    FBoldFont.setBold(true);
    FItalicFont = FPlainFont;
    FItalicFont.setItalic(true);
    const QFontMetricsF metrics(FPlainFont);
    FCharWidth = metrics.horizontalAdvance(QString(10, u'M')) / 10;
    FLineHeight = int(std::ceil(metrics.height())) + 2;
    FAscent = 1 + int(std::lround(metrics.ascent()));
}

int TfrxSyntaxMemo::TextLeft() const
{
    return (FGutterShown ? TfrxEditorGutter::Width : 0) + kTextMargin;
}

int TfrxSyntaxMemo::FirstLine() const
{
    return verticalScrollBar()->value();
}

int TfrxSyntaxMemo::VisibleLines() const
{
    return std::max(1, viewport()->height() / FLineHeight);
}

// The last line that shows, if only in part.
int TfrxSyntaxMemo::LastVisibleLine() const
{
    const int shown = (viewport()->height() + FLineHeight - 1) / FLineHeight;
    return std::min(FirstLine() + shown - 1, FText.Count() - 1);
}

qreal TfrxSyntaxMemo::ColumnX(int column) const
{
    return TextLeft() + (column - horizontalScrollBar()->value()) * FCharWidth;
}

QRect TfrxSyntaxMemo::CaretRect() const
{
    const int x = int(std::lround(ColumnX(FCaret.column) + FPreedit.size() * FCharWidth));
    return {x, (FCaret.line - FirstLine()) * FLineHeight, kCaretWidth, FLineHeight};
}

TfrxTextPos TfrxSyntaxMemo::HitTest(const QPoint &point) const
{
    const int row = int(std::floor(double(point.y()) / FLineHeight));
    const int line = std::clamp(FirstLine() + row, 0, FText.Count() - 1);
    const int column =
        int(std::lround((point.x() - TextLeft()) / FCharWidth)) + horizontalScrollBar()->value();
    return {line, std::clamp(column, 0, ColumnLimit(line))};
}

void TfrxSyntaxMemo::UpdateLines(int first, int last)
{
    const int lastShown = FirstLine() + viewport()->height() / FLineHeight;
    if (first > last || last < FirstLine() || first > lastShown)
        return;
    const int top = (std::max(first, FirstLine()) - FirstLine()) * FLineHeight;
    const int bottom = last >= lastShown ? viewport()->height() : (last - FirstLine() + 1) * FLineHeight;
    viewport()->update(QRect(0, top, viewport()->width(), bottom - top));
}

void TfrxSyntaxMemo::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.fillRect(area, palette().color(QPalette::Base));
    const TfrxEditorGutter gutter(palette());
    if (FGutterShown)
        gutter.PaintStrip(painter, QRect(0, area.top(), TfrxEditorGutter::Width, area.height()));
    const int first = FirstLine() + area.top() / FLineHeight;
    const int last = std::min(FirstLine() + area.bottom() / FLineHeight, FText.Count() - 1);
    if (first > last)
        return PaintCaret(painter);
    FColouring.Codes(FText.Lines(), last);
    for (int line = first; line <= last; ++line)
        PaintLine(painter, gutter, line, (line - FirstLine()) * FLineHeight);
    PaintCaret(painter);
}

void TfrxSyntaxMemo::PaintLine(QPainter &painter, const TfrxEditorGutter &gutter, int line, int top)
{
    const int number = line + 1;
    const QString condition = FMarks.BreakPointCondition(number);
    TfrxEditorGutter::LineMarks marks;
    marks.bookmark = FMarks.BookmarkAt(number);
    marks.breakPoint = FMarks.IsBreakPoint(number);
    marks.conditional = !condition.isEmpty() && condition != u"F4";
    marks.active = FMarks.ActiveLine() == number;
    marks.executable = FMarks.IsExecutable(number);

    const auto selection = CurrentSelection();
    const int textStart = FGutterShown ? TfrxEditorGutter::Width : 0;
    const QRect row(textStart, top, viewport()->width() - textStart, FLineHeight);
    QColor tint = TfrxEditorGutter::LineTint(marks);
    if (!tint.isValid() && line == FCaret.line && !selection && hasFocus())
        tint = palette().color(QPalette::AlternateBase);
    if (tint.isValid())
        painter.fillRect(row, tint);
    if (FGutterShown)
        gutter.PaintMarks(painter, QRect(0, top, TfrxEditorGutter::Width, FLineHeight), marks);
    painter.save();
    painter.setClipRect(row);
    PaintText(painter, line, top, selection);
    painter.restore();
}

// The line in runs of one attribute and one selection state, from the first visible column.
void TfrxSyntaxMemo::PaintText(QPainter &painter, int line, int top,
                               const std::optional<Selection> &selection)
{
    const QString &text = FText.Line(line);
    const QByteArray &codes = *FColouring.KnownCodes(line);
    int selectedFrom = -1;
    int selectedTo = -1;
    if (selection && line >= selection->from.line && line <= selection->to.line) {
        selectedFrom = line == selection->from.line ? selection->from.column : 0;
        // The line break of a selected line shows as one selected column.
        selectedTo = line == selection->to.line ? selection->to.column
                                                : int(std::max<qsizetype>(text.size(), selectedFrom)) + 1;
        const QRectF band(ColumnX(selectedFrom), top, (selectedTo - selectedFrom) * FCharWidth, FLineHeight);
        painter.fillRect(band, palette().color(QPalette::Highlight));
    }
    const int firstColumn = horizontalScrollBar()->value();
    const int endColumn = std::min(int(text.size()), firstColumn + int(viewport()->width() / FCharWidth) + 1);
    const auto isSelected = [&](int column) { return column >= selectedFrom && column < selectedTo; };
    for (int start = firstColumn; start < endColumn;) {
        const auto kind = TfrxSyntaxColouring::Drawn(codes[start]);
        const bool selected = isSelected(start);
        int end = start + 1;
        while (end < endColumn && TfrxSyntaxColouring::Drawn(codes[end]) == kind &&
               isSelected(end) == selected)
            ++end;
        QString run = text.mid(start, end - start);
        for (QChar &c : run)
            if (c.unicode() < 32)
                c = u' ';
        painter.setFont(kind == TfrxSyntaxColouring::saKeyword ? FBoldFont
                        : kind == TfrxSyntaxColouring::saSpace ? FItalicFont
                                                               : FPlainFont);
        QColor colour = palette().color(QPalette::Text);
        if (selected)
            colour = palette().color(QPalette::HighlightedText);
        else if (kind == TfrxSyntaxColouring::saSpace)
            colour = kComment;
        else if (kind == TfrxSyntaxColouring::saString)
            colour = kString;
        else if (kind == TfrxSyntaxColouring::saNumber)
            colour = kNumber;
        painter.setPen(colour);
        painter.drawText(QPointF(ColumnX(start), top + FAscent), run);
        start = end;
    }
}

void TfrxSyntaxMemo::PaintCaret(QPainter &painter)
{
    if (!hasFocus() || FCaret.line < FirstLine() || FCaret.line > LastVisibleLine())
        return;
    if (!FPreedit.isEmpty()) {
        const QRectF composed(ColumnX(FCaret.column), (FCaret.line - FirstLine()) * FLineHeight,
                              FPreedit.size() * FCharWidth, FLineHeight);
        painter.fillRect(composed, palette().color(QPalette::Base));
        QFont underlined = FPlainFont;
        underlined.setUnderline(true);
        painter.setFont(underlined);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QPointF(composed.left(), composed.top() + FAscent), FPreedit);
    }
    if (FCaretOn)
        painter.fillRect(CaretRect(), palette().color(QPalette::Text));
}

// -- Events of the view -----------------------------------------------------------------------

bool TfrxSyntaxMemo::event(QEvent *event)
{
    // The editor's own keys win over the window's shortcuts while it has the focus.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (FindCommand(key) || FindMovement(key) || BookmarkDigit(key) >= 0 || IsTyping(key)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TfrxSyntaxMemo::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        UpdateView();
}

void TfrxSyntaxMemo::resizeEvent(QResizeEvent *event)
{
    if (event != nullptr)
        QAbstractScrollArea::resizeEvent(event);
    const QRect area = viewport()->geometry();
    FMessage->setGeometry(area.left(), area.bottom() + 1, area.width(), FMessage->sizeHint().height());
    UpdateScrollBars();
}

void TfrxSyntaxMemo::scrollContentsBy(int, int)
{
    viewport()->update();
}

void TfrxSyntaxMemo::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    RestartBlink();
    UpdateLine(FCaret.line);
}

void TfrxSyntaxMemo::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    FBlink.stop();
    UpdateLine(FCaret.line);
}

void TfrxSyntaxMemo::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != FBlink.timerId())
        return QAbstractScrollArea::timerEvent(event);
    FCaretOn = !FCaretOn;
    viewport()->update(CaretRect());
}
