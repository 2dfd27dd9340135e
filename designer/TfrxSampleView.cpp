#include "TfrxSampleView.h"

#include <QPainter>

TfrxSampleView::TfrxSampleView(Painter paint, QSize minimum, QWidget *parent)
    : QFrame(parent), FPaint(std::move(paint))
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setMinimumSize(minimum);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void TfrxSampleView::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    FPaint(painter, area);
}
