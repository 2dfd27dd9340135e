#pragma once

#include "TfrxStretcheable.h"

// A straight line drawn as one frame side, or a diagonal line, with optional arrow heads.
class TfrxCustomLineView : public TfrxStretcheable
{
    Q_OBJECT
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(QString TagStr READ TagStr WRITE SetTagStr)
    Q_PROPERTY(bool ArrowEnd READ ArrowEnd WRITE SetArrowEnd)
    Q_PROPERTY(int ArrowLength READ ArrowLength WRITE SetArrowLength)
    Q_PROPERTY(bool ArrowSolid READ ArrowSolid WRITE SetArrowSolid)
    Q_PROPERTY(bool ArrowStart READ ArrowStart WRITE SetArrowStart)
    Q_PROPERTY(int ArrowWidth READ ArrowWidth WRITE SetArrowWidth)
    Q_PROPERTY(TfrxFrame *Frame READ Frame WRITE SetFrame)
    Q_PROPERTY(bool Diagonal READ Diagonal WRITE SetDiagonal)
    Q_CLASSINFO("Default.Color", "536870911")
    Q_CLASSINFO("Default.ArrowEnd", "False")
    Q_CLASSINFO("Default.ArrowLength", "20")
    Q_CLASSINFO("Default.ArrowSolid", "False")
    Q_CLASSINFO("Default.ArrowStart", "False")
    Q_CLASSINFO("Default.ArrowWidth", "5")
    Q_CLASSINFO("Default.Diagonal", "False")
    Q_MOC_INCLUDE("TfrxFrame.h")

public:
    explicit TfrxCustomLineView(QObject *owner = nullptr);

    bool ArrowEnd() const { return FArrowEnd; }
    void SetArrowEnd(bool value) { FArrowEnd = value; }
    int ArrowLength() const { return FArrowLength; }
    void SetArrowLength(int value) { FArrowLength = value; }
    bool ArrowSolid() const { return FArrowSolid; }
    void SetArrowSolid(bool value) { FArrowSolid = value; }
    bool ArrowStart() const { return FArrowStart; }
    void SetArrowStart(bool value) { FArrowStart = value; }
    int ArrowWidth() const { return FArrowWidth; }
    void SetArrowWidth(int value) { FArrowWidth = value; }
    bool Diagonal() const { return FDiagonal; }
    void SetDiagonal(bool value) { FDiagonal = value; }

    void Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;

private:
    void DrawArrow(const QPointF &tip, const QPointF &other);

    bool FArrowEnd = false;
    int FArrowLength = 20;
    bool FArrowSolid = false;
    bool FArrowStart = false;
    int FArrowWidth = 5;
    bool FDiagonal = false;
};
