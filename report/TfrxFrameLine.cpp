#include "TfrxFrameLine.h"

#include "TfrxFrame.h"

TfrxFrameLine::TfrxFrameLine(TfrxFrame *frame) : TfrxPersistent(frame), FFrame(frame) {}

void TfrxFrameLine::Assign(const TfrxPersistent *source)
{
    if (const auto *line = qobject_cast<const TfrxFrameLine *>(source)) {
        FColor = line->FColor;
        FStyle = line->FStyle;
        FWidth = line->FWidth;
    }
}

bool TfrxFrameLine::Equals(const TfrxFrameLine &o) const
{
    return FColor == o.FColor && FStyle == o.FStyle && FWidth == o.FWidth;
}

bool TfrxFrameLine::IsPropertyStored(const char *name) const
{
    if (qstrcmp(name, "Color") == 0)
        return FColor != FFrame->Color();
    if (qstrcmp(name, "Style") == 0)
        return FStyle != FFrame->Style();
    if (qstrcmp(name, "Width") == 0)
        return FWidth != FFrame->Width();
    return true;
}
