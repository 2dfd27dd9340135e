#pragma once

#include "TfrxReportComponent.h"

// A non-visual report object placed on the data page (data sets and the like). It is not copied
// into prepared pages and draws nothing in output.
class TfrxDialogComponent : public TfrxReportComponent
{
    Q_OBJECT

public:
    explicit TfrxDialogComponent(QObject *owner = nullptr);
    void Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;
};
