#pragma once

#include <QString>

#include <vector>

class TfsXMLItem;

// A position in the source; line 0 means none.
struct TfsILPos
{
    int line = 0;
    int column = 0;
};

// The IL while it is being produced: a flat list of opening, closing and leaf lines. A rule with a
// node wraps the lines it produced by inserting an opening line at its mark and appending the
// closing one, so the list is always balanced after every mark.
class TfsILLines
{
public:
    using Pos = TfsILPos;

    struct Line
    {
        enum Kind : unsigned char { Open, Close, Leaf };
        Kind kind;
        QString name;
        QString value; // a leaf's token, unescaped
        Pos pos;       // written as pos="line:column"
        Pos end;       // written as pos1="line:column" (expressions)
        QString attrs; // raw attribute text, for lines copied from a document
    };

    int Count() const { return int(FLines.size()); }
    const Line &At(int index) const { return FLines[size_t(index)]; }
    void Clear() { FLines.clear(); }
    void Reserve(int count) { FLines.reserve(size_t(count)); }

    // name text="..." pos="..."
    void AddLeaf(const QString &name, const QString &text, Pos pos);
    void AddOpen(const QString &name, Pos pos, Pos end = {});
    void AddOpen(const QString &name, const QString &attrs);
    void AddClose(const QString &name);
    void Wrap(int mark, const QString &name, Pos pos, Pos end = {});
    void Truncate(int mark);
    void Remove(int index);

    // Adds the lines as children of parent.
    void BuildItems(TfsXMLItem &parent) const;
    // Appends an item and its children as lines.
    void AddItem(const TfsXMLItem &item);

private:
    std::vector<Line> FLines;
};
