#pragma once
#include "TfrxHTMLTag.h"

#include <QString>

// The tags of every wrapped line of a text, with the running state of the in-line tag scanner.
class TfrxHTMLTagsList
{
public:
    bool FAllowTags = false;
    quint32 FDefColor = 0;
    int FDefSize = 10;
    int FDefStyle = 0;

    void SetDefaults(quint32 color, int size, int style);
    void NewLine() { FLines.append(TfrxHTMLTags()); }
    // Removes the recognised tags from a line, giving each remaining character a tag of the state
    // in force. Appends to the current tag line. A line left empty becomes one blank unless
    // `blankIfEmpty` is false.
    QString ExpandHTMLTags(const QString &line, bool blankIfEmpty = true);
    void SkipPosition(int count) { FPosition += count; }
    int Position() const { return FPosition; }

    int count() const { return int(FLines.size()); }
    TfrxHTMLTags &operator[](int index) { return FLines[index]; }
    const TfrxHTMLTags &at(int index) const { return FLines.at(index); }
    TfrxHTMLTags &last() { return FLines.last(); }
    void removeLast() { FLines.removeLast(); }
    void append(const TfrxHTMLTags &tags) { FLines.append(tags); }
    void clear() { FLines.clear(); }

    // Looks up a colour identifier such as clRed; false when there is none of that name.
    static bool colorByName(const QString &name, quint32 &color);

private:
    void AddTag();
    bool applyTag(const QString &line, qsizetype at, qsizetype &length);
    bool applyFontColor(const QString &line, qsizetype at, qsizetype &length);

    QList<TfrxHTMLTags> FLines;
    quint32 FColor = 0;
    int FSize = 10;
    int FStyle = 0;
    int FAddY = 0;
    bool FDontWRAP = false;
    TSubStyle FSubStyle = ssNormal;
    int FPosition = 1;
};
