#include "TfrxBrushFill.h"

#include "zorDraw_p.h"

#include <QHash>
#include <QPainter>

using namespace zor;

TfrxBrushFill::TfrxBrushFill(QObject *parent) : TfrxCustomFill(parent) {}

void TfrxBrushFill::Draw(QPainter *canvas, int x1, int y1, int x2, int y2, double, double) const
{
    zor::draw::Aliased guard(canvas);
    zor::draw::FillRect(canvas, x1, y1, x2, y2, ToQColor(FBackColor));
    static const QHash<int, Qt::BrushStyle> hatches = {
        {bsHorizontal, Qt::HorPattern}, {bsVertical, Qt::VerPattern},   {bsFDiagonal, Qt::FDiagPattern},
        {bsBDiagonal, Qt::BDiagPattern}, {bsCross, Qt::CrossPattern}, {bsDiagCross, Qt::DiagCrossPattern},
    };
    const auto hatch = hatches.constFind(FStyle);
    const QColor fore = ToQColor(FForeColor);
    if (hatch == hatches.constEnd() || !fore.isValid())
        return;
    // The hatch covers the rectangle extended by one pixel to the right and down.
    const QRect r = QRect(QPoint(x1, y1), QPoint(x2, y2)) & zor::draw::DeviceBounds(canvas);
    if (!r.isEmpty())
        canvas->fillRect(r, QBrush(fore, hatch.value()));
}
