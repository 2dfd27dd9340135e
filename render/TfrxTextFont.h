#pragma once
// The part of a report font that text layout needs: the face, its size in points, the style bits
// and the colour in the platform encoding 0x00BBGGRR.
#include <QString>
#include <QtGlobal>

namespace zorFontStyle {
constexpr int fsBold = 1;
constexpr int fsItalic = 2;
constexpr int fsUnderline = 4;
constexpr int fsStrikeOut = 8;
} // namespace zorFontStyle

struct TfrxTextFont
{
    QString Name = QStringLiteral("Arial");
    int Size = 10;     // points
    int Style = 0;     // bold 1, italic 2, underline 4, strike-out 8
    quint32 Color = 0; // 0x00BBGGRR
    int Charset = 1;   // the system's default character set

    bool operator==(const TfrxTextFont &) const = default;
};
