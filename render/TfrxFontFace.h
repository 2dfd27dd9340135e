#pragma once
#include <QHash>
#include <QRawFont>
#include <QString>

#include <array>
#include <memory>

// One face of a font at one pixel size, with the integer advance of every character as the
// layout uses it (the design advance at that size, rounded) and the glyph that draws it.
class TfrxFontFace
{
public:
    TfrxFontFace(const QString &family, int pixelSize, int style);

    int advance(char32_t code);
    quint32 glyph(char32_t code);
    int ascent() const { return FAscent; }
    const QRawFont &raw() const { return FRaw; }

    // The face of that family, size and style, made once and kept for the process.
    static std::shared_ptr<TfrxFontFace> get(const QString &family, int pixelSize, int style);

private:
    struct Entry
    {
        quint32 Glyph = 0;
        int Advance = -1;
    };
    Entry &entry(char32_t code);

    QRawFont FRaw;
    int FAscent = 0;
    std::array<Entry, 0x500> FLow{}; // Latin, Greek and Cyrillic, looked up directly
    QHash<char32_t, Entry> FHigh;
};
