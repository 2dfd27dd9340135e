#pragma once

#include <QFont>

// The certificate window's typeface at a character height in pixels.
inline QFont tahoma(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
