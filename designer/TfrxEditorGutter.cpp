#include "TfrxEditorGutter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <algorithm>

namespace {

const QColor kBreakPoint(0xE0, 0x47, 0x4C);
const QColor kArrow(0xF2, 0xB9, 0x0F);
const QColor kArrowEdge(0xA3, 0x7B, 0x00);
const QColor kBookmark(0x3D, 0x7B, 0xD9);
const QColor kActiveTint(0xFF, 0xF3, 0xC4);
const QColor kBreakPointTint(0xFD, 0xE4, 0xE4);

// A colour part of the way from one to another, for greys that suit any palette.
QColor blend(const QColor &from, const QColor &to, double part)
{
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * part),
                            float(from.greenF() + (to.greenF() - from.greenF()) * part),
                            float(from.blueF() + (to.blueF() - from.blueF()) * part));
}

} // namespace

TfrxEditorGutter::TfrxEditorGutter(const QPalette &palette)
    : FBackground(blend(palette.color(QPalette::Base), palette.color(QPalette::Text), 0.035)),
      FEdge(blend(palette.color(QPalette::Base), palette.color(QPalette::Text), 0.12))
{
}

void TfrxEditorGutter::PaintStrip(QPainter &painter, const QRect &strip) const
{
    painter.fillRect(strip, FBackground);
    painter.fillRect(QRect(strip.right(), strip.top(), 1, strip.height()), FEdge);
}

void TfrxEditorGutter::PaintMarks(QPainter &painter, const QRect &cell, const LineMarks &marks) const
{
    const qreal size = std::min<qreal>(cell.height() - 4, 12);
    const QRectF box(cell.left() + 10 - size / 2, cell.center().y() + 0.5 - size / 2, size, size);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (marks.breakPoint) {
        PaintBreakPoint(painter, box, marks.conditional);
    } else if (marks.executable) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(FEdge.darker(130));
        painter.drawEllipse(box.center(), 1.6, 1.6);
    }
    if (marks.active)
        PaintArrow(painter, box);
    if (marks.bookmark >= 0) {
        const qreal height = std::min<qreal>(cell.height() - 4, 13);
        PaintBookmark(painter, QRectF(cell.left() + 18, cell.center().y() + 0.5 - height / 2, 10, height),
                      marks.bookmark);
    }
    painter.restore();
}

QColor TfrxEditorGutter::LineTint(const LineMarks &marks)
{
    if (marks.active)
        return kActiveTint;
    return marks.breakPoint ? kBreakPointTint : QColor();
}

void TfrxEditorGutter::PaintBreakPoint(QPainter &painter, const QRectF &dot, bool conditional) const
{
    painter.setPen(QPen(kBreakPoint.darker(115), 1));
    painter.setBrush(kBreakPoint);
    painter.drawEllipse(dot.adjusted(0.5, 0.5, -0.5, -0.5));
    if (conditional) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawEllipse(dot.center(), dot.width() / 5, dot.width() / 5);
    }
}

void TfrxEditorGutter::PaintArrow(QPainter &painter, const QRectF &box) const
{
    QPainterPath arrow;
    const qreal shaft = box.height() / 4;
    const qreal middle = box.center().y();
    arrow.moveTo(box.left() - 2, middle - shaft);
    arrow.lineTo(box.center().x(), middle - shaft);
    arrow.lineTo(box.center().x(), box.top());
    arrow.lineTo(box.right() + 2, middle);
    arrow.lineTo(box.center().x(), box.bottom());
    arrow.lineTo(box.center().x(), middle + shaft);
    arrow.lineTo(box.left() - 2, middle + shaft);
    arrow.closeSubpath();
    painter.setPen(QPen(kArrowEdge, 1));
    painter.setBrush(kArrow);
    painter.drawPath(arrow);
}

void TfrxEditorGutter::PaintBookmark(QPainter &painter, const QRectF &tag, int number) const
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBookmark);
    painter.drawRoundedRect(tag, 2, 2);
    QFont font = painter.font();
    font.setPixelSize(std::max(7, int(tag.height()) - 3));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(tag, Qt::AlignCenter, QString::number(number));
}
