#include "TfrxFont.h"

#include <cstdlib>

using namespace zor;

TfrxFont::TfrxFont(QObject *parent) : TfrxPersistent(parent), FName(QStringLiteral("Arial")) {}

template <typename T>
static bool Change(T &field, const T &value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

void TfrxFont::SetCharset(int value)
{
    if (Change(FCharset, value))
        Changed();
}

void TfrxFont::SetColor(int value)
{
    if (Change(FColor, value))
        Changed();
}

void TfrxFont::SetHeight(int value)
{
    if (Change(FHeight, value))
        Changed();
}

void TfrxFont::SetName(const QString &value)
{
    if (Change(FName, value))
        Changed();
}

void TfrxFont::SetOrientation(int value)
{
    if (Change(FOrientation, value))
        Changed();
}

void TfrxFont::SetPitch(TFontPitch value)
{
    if (Change(FPitch, value))
        Changed();
}

int TfrxFont::Size() const
{
    return -MulDiv(FHeight, 72, PixelsPerInch);
}

void TfrxFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, PixelsPerInch, 72));
}

void TfrxFont::SetStyle(TFontStyles value)
{
    if (Change(FStyle, value))
        Changed();
}

void TfrxFont::SetQuality(TFontQuality value)
{
    if (Change(FQuality, value))
        Changed();
}

void TfrxFont::Assign(const TfrxPersistent *source)
{
    const auto *font = qobject_cast<const TfrxFont *>(source);
    if (font == nullptr || font == this)
        return;
    if (Equals(*font))
        return Changed();
    FCharset = font->FCharset;
    FColor = font->FColor;
    FHeight = font->FHeight;
    FName = font->FName;
    FOrientation = font->FOrientation;
    FPitch = font->FPitch;
    FStyle = font->FStyle;
    FQuality = font->FQuality;
    Changed();
}

bool TfrxFont::Equals(const TfrxFont &o) const
{
    return FCharset == o.FCharset && FColor == o.FColor && FHeight == o.FHeight && FName == o.FName
        && FOrientation == o.FOrientation && FPitch == o.FPitch && FStyle == o.FStyle
        && FQuality == o.FQuality;
}

QFont TfrxFont::ToQFont() const
{
    QFont font(FName);
    font.setPixelSize(std::max(1, std::abs(FHeight)));
    font.setBold(FStyle.testFlag(fsBold));
    font.setItalic(FStyle.testFlag(fsItalic));
    font.setUnderline(FStyle.testFlag(fsUnderline));
    font.setStrikeOut(FStyle.testFlag(fsStrikeOut));
    if (FPitch == fpFixed)
        font.setFixedPitch(true);
    return font;
}

void TfrxFont::Changed()
{
    if (FOnChange)
        FOnChange();
}
