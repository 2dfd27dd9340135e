#pragma once
#include <QList>
#include <QtGlobal>

enum TSubStyle { ssNormal, ssSubscript, ssSuperscript };

// The formatting of one character of a wrapped line.
struct TfrxHTMLTag
{
    int Position = 0;    // 1-based index of the character in the source text (tags and line ends counted)
    int Size = 0;        // points
    int AddY = 0;        // 1 for subscript
    int Style = 0;       // bold 1, italic 2, underline 4, strike-out 8
    quint32 Color = 0;   // 0x00BBGGRR
    bool Default = true; // same formatting as the previous character
    bool Small = false;  // Size differs from the object's font size
    bool DontWRAP = false;
    TSubStyle SubType = ssNormal;

    bool sameFormat(const TfrxHTMLTag &other) const
    {
        return Style == other.Style && Color == other.Color && Size == other.Size && AddY == other.AddY &&
               DontWRAP == other.DontWRAP;
    }
};

// The tags of one wrapped line, one per character.
using TfrxHTMLTags = QList<TfrxHTMLTag>;
