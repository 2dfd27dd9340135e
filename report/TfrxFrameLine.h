#pragma once

#include "TfrxPersistent.h"
#include "zorTypes.h"

class TfrxFrame;

// One side of a frame. A property of a line is stored only where it differs from the frame's.
class TfrxFrameLine : public TfrxPersistent
{
    Q_OBJECT
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(zor::TfrxFrameStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)

public:
    explicit TfrxFrameLine(TfrxFrame *frame);

    int Color() const { return FColor; }
    void SetColor(int value) { FColor = value; }
    zor::TfrxFrameStyle Style() const { return FStyle; }
    void SetStyle(zor::TfrxFrameStyle value) { FStyle = value; }
    double Width() const { return FWidth; }
    void SetWidth(double value) { FWidth = value; }
    TfrxFrame *Frame() const { return FFrame; }

    void Assign(const TfrxPersistent *source) override;
    bool Equals(const TfrxFrameLine &other) const;
    bool IsPropertyStored(const char *name) const override;

private:
    TfrxFrame *FFrame;
    int FColor = zor::clBlack;
    zor::TfrxFrameStyle FStyle = zor::fsSolid;
    double FWidth = 1;
};
