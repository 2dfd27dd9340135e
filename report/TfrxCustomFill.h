#pragma once

#include "TfrxPersistent.h"
#include "zorTypes.h"

class QPainter;

// The background fill of a view. The device rectangle is [x1, x2) x [y1, y2).
class TfrxCustomFill : public TfrxPersistent
{
    Q_OBJECT

public:
    explicit TfrxCustomFill(QObject *parent = nullptr);

    virtual void Draw(QPainter *canvas, int x1, int y1, int x2, int y2, double scaleX, double scaleY) const = 0;
    // The attributes that differ from other (all of them when other is of another class), each
    // preceded by a space and the prefix, e.g. " Fill.BackColor=\"255\"".
    QString Diff(const TfrxCustomFill *other, const QString &prefix) const;
    virtual zor::TfrxFillType FillType() const = 0;
};

// A new fill of the given type with its defaults.
TfrxCustomFill *zorCreateFill(zor::TfrxFillType type, QObject *parent = nullptr);
// The type of a fill object.
zor::TfrxFillType zorGetFillType(const TfrxCustomFill *fill);
