#include "TfrxRuler.h"

#include "zorTypes.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

constexpr int majorTick = 6;
constexpr int mediumTick = 4;
constexpr int smallTick = 2;
// Screen pixels that ten steps must cover for the small and the middle ticks to show.
constexpr double smallTicksFrom = 41;
constexpr double mediumTicksFrom = 21;

const QColor rulerBack(0xF3, 0xF4, 0xF6);
const QColor paperBack(Qt::white);
const QColor tickColor(0x70, 0x76, 0x80);
const QColor edgeColor(0xC8, 0xCC, 0xD2);

} // namespace

// The pitch of the ticks in report pixels, and what a major tick's number counts.
struct TfrxRuler::Step
{
    double Pitch;
    bool SmallTicks;
    double UnitsPerTick;
};

TfrxRuler::TfrxRuler(Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent), FOrientation(orientation)
{
    if (orientation == Qt::Horizontal)
        setFixedHeight(Thickness);
    else
        setFixedWidth(Thickness);
    setCursor(orientation == Qt::Horizontal ? Qt::SplitVCursor : Qt::SplitHCursor);
}

QSize TfrxRuler::sizeHint() const
{
    return QSize(Thickness, Thickness);
}

void TfrxRuler::SetUnits(TfrxDesignerUnits units)
{
    FUnits = units;
    update();
}

void TfrxRuler::SetScale(double scale)
{
    FScale = scale;
    update();
}

void TfrxRuler::SetOrigin(double origin, double paperFrom, double paperTo)
{
    FOrigin = origin;
    FPaperFrom = paperFrom;
    FPaperTo = paperTo;
    update();
}

TfrxRuler::Step TfrxRuler::StepOfUnits() const
{
    const bool vertical = FOrientation == Qt::Vertical;
    switch (FUnits) {
    case duCM:
        return {zor::fr1cm / 10, true, 0.1};
    case duInches:
        return {zor::fr01in, true, 0.1};
    case duPixels:
        return {10, false, 10};
    case duChars:
        return {(vertical ? zor::CharHeight : zor::CharWidth) / 10, true, 0.1};
    }
    return {zor::fr1cm / 10, true, 0.1};
}

void TfrxRuler::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool horizontal = FOrientation == Qt::Horizontal;
    const double length = horizontal ? width() : height();
    painter.fillRect(rect(), rulerBack);
    painter.fillRect(horizontal ? QRectF(FPaperFrom, 0, FPaperTo - FPaperFrom, height())
                                : QRectF(0, FPaperFrom, width(), FPaperTo - FPaperFrom),
                     paperBack);
    painter.setPen(edgeColor);
    if (horizontal)
        painter.drawLine(0, height() - 1, width(), height() - 1);
    else
        painter.drawLine(width() - 1, 0, width() - 1, height());

    const Step step = StepOfUnits();
    const double pitch = step.Pitch * FScale;
    if (!(pitch > 0))
        return;
    const bool small = step.SmallTicks && pitch * 10 >= smallTicksFrom;
    const bool medium = pitch * 10 >= mediumTicksFrom;
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    // Numbers wider than the room between them are written every second or fourth unit.
    const double room = pitch * 10;
    const double widest = painter.fontMetrics().horizontalAdvance(QStringLiteral("000"));
    const int numberEvery = widest > 1.5 * room ? 4 : widest > 0.7 * room ? 2 : 1;
    painter.setPen(tickColor);
    const qint64 first = qint64(std::floor(-FOrigin / pitch)),
                 last = qint64(std::ceil((length - FOrigin) / pitch));
    for (qint64 i = first; i <= last; ++i) {
        const double at = std::floor(FOrigin + i * pitch) + 0.5;
        if (i % 10 == 0) {
            PaintTick(painter, at, majorTick);
            if ((i / 10) % numberEvery == 0)
                PaintNumber(painter, at,
                            QString::number(std::llround(std::abs(double(i) * step.UnitsPerTick))));
        } else if (i % 5 == 0) {
            if (medium)
                PaintTick(painter, at, mediumTick);
        } else if (small) {
            PaintTick(painter, at, smallTick);
        }
    }
}

void TfrxRuler::PaintTick(QPainter &painter, double at, int length) const
{
    if (FOrientation == Qt::Horizontal)
        painter.drawLine(QPointF(at, height() - 1 - length), QPointF(at, height() - 1));
    else
        painter.drawLine(QPointF(width() - 1 - length, at), QPointF(width() - 1, at));
}

void TfrxRuler::PaintNumber(QPainter &painter, double at, const QString &text) const
{
    if (FOrientation == Qt::Horizontal) {
        painter.drawText(QPointF(at + 2, painter.fontMetrics().ascent() + 1), text);
        return;
    }
    painter.save();
    // Read from below, the number stands under its tick.
    painter.translate(painter.fontMetrics().ascent() + 1,
                      at + 2 + painter.fontMetrics().horizontalAdvance(text));
    painter.rotate(-90);
    painter.drawText(QPointF(0, 0), text);
    painter.restore();
}

void TfrxRuler::mousePressEvent(QMouseEvent *event)
{
    FDragging = event->button() == Qt::LeftButton;
}

void TfrxRuler::mouseMoveEvent(QMouseEvent *event)
{
    if (FDragging)
        emit GuideDragged(event->globalPosition().toPoint());
}

void TfrxRuler::mouseReleaseEvent(QMouseEvent *event)
{
    if (!FDragging || event->button() != Qt::LeftButton)
        return;
    FDragging = false;
    emit GuideDropped(event->globalPosition().toPoint());
}
