#pragma once

#include "zorDesignerUnits.h"

#include <QWidget>

// A ruler beside the workspace: ticks every tenth of a unit (every ten pixels), a longer tick and
// the number of whole units at every unit (hundred pixels), a middle one at every half. Ticks and
// numbers that would crowd each other at the zoom are left out. Dragging from the ruler onto the
// page makes a guide.
class TfrxRuler : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Thickness = 20;

    explicit TfrxRuler(Qt::Orientation orientation, QWidget *parent = nullptr);

    Qt::Orientation Orientation() const { return FOrientation; }
    void SetUnits(TfrxDesignerUnits units);
    TfrxDesignerUnits Units() const { return FUnits; }
    void SetScale(double scale);
    // Where report point 0 and the paper lie along the ruler, in the ruler's pixels.
    void SetOrigin(double origin, double paperFrom, double paperTo);

    QSize sizeHint() const override;

signals:
    // A guide is being dragged from the ruler to a point of the screen, and dropped there.
    void GuideDragged(const QPoint &globalPos);
    void GuideDropped(const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct Step;
    Step StepOfUnits() const;
    void PaintTick(QPainter &painter, double at, int length) const;
    void PaintNumber(QPainter &painter, double at, const QString &text) const;

    Qt::Orientation FOrientation;
    TfrxDesignerUnits FUnits = duCM;
    double FScale = 1;
    double FOrigin = 0;
    double FPaperFrom = 0;
    double FPaperTo = 0;
    bool FDragging = false;
};
