#pragma once

#include "zorDesignerUnits.h"

#include <QWidget>

class QScrollArea;
class QWheelEvent;
class TfrxDesignerWorkspace;
class TfrxRuler;

// The page part of the designer window: the workspace in a scroll box between the top and left
// rulers. Ctrl with the mouse wheel zooms by 0.05 a step (never below 0.3), the wheel alone
// scrolls 16 pixels a step, and dragging from a ruler onto the page adds a guide.
class TfrxDesignerPageArea : public QWidget
{
    Q_OBJECT

public:
    explicit TfrxDesignerPageArea(QWidget *parent = nullptr);
    ~TfrxDesignerPageArea() override;

    TfrxDesignerWorkspace *Workspace() const { return FWorkspace; }
    QScrollArea *ScrollArea() const { return FScrollArea; }
    void SetShowRulers(bool value);
    void SetUnits(TfrxDesignerUnits units);
    // The scale that shows the page's paper width, or the whole paper, in the visible area.
    double PageWidthScale() const;
    double WholePageScale() const;

signals:
    // The operator zoomed with the mouse wheel.
    void ScaleChanged(double scale);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool Wheel(QWheelEvent *event);
    void UpdateRulers();
    void DragGuide(TfrxRuler *ruler, const QPoint &globalPos, bool drop);

    QScrollArea *FScrollArea;
    TfrxDesignerWorkspace *FWorkspace;
    TfrxRuler *FTopRuler;
    TfrxRuler *FLeftRuler;
    QWidget *FCorner;
};
