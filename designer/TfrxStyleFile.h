#pragma once

#include <QString>

class QIODevice;
class TfrxStyles;

// The style file (".fs3"): an XML document whose root "style" holds the set's Name and one
// "item" element per style, whose attributes are the style's stored properties (Name, Color,
// Font.Name, Frame.Typ, ...), written and read by the template format's rules.
class TfrxStyleFile
{
public:
    static void Write(const TfrxStyles &styles, QIODevice *stream);
    // Reads a style file into an empty set; false when the text is not a style file (not XML, or
    // another root).
    static bool Read(TfrxStyles &styles, QIODevice *stream);

    // Writes through a temporary file renamed over the target, so that a failure leaves an
    // existing file whole; false when the file could not be written.
    static bool Save(const TfrxStyles &styles, const QString &fileName);
    // False when the file cannot be read or is no style file.
    static bool Load(TfrxStyles &styles, const QString &fileName);
};
