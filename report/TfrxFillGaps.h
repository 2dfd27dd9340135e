#pragma once

#include "TfrxPersistent.h"

// The gaps between a band's edges and its fill, in report units.
class TfrxFillGaps : public TfrxPersistent
{
    Q_OBJECT
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Bottom READ Bottom WRITE SetBottom)
    Q_PROPERTY(int Right READ Right WRITE SetRight)
    Q_CLASSINFO("Default.Top", "0")
    Q_CLASSINFO("Default.Left", "0")
    Q_CLASSINFO("Default.Bottom", "0")
    Q_CLASSINFO("Default.Right", "0")

public:
    explicit TfrxFillGaps(QObject *parent = nullptr);

    int Top() const { return FTop; }
    void SetTop(int value) { FTop = value; }
    int Left() const { return FLeft; }
    void SetLeft(int value) { FLeft = value; }
    int Bottom() const { return FBottom; }
    void SetBottom(int value) { FBottom = value; }
    int Right() const { return FRight; }
    void SetRight(int value) { FRight = value; }

private:
    int FTop = 0, FLeft = 0, FBottom = 0, FRight = 0;
};
