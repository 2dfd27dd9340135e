#pragma once

#include <QString>

#include <vector>

class TfsXMLItem;

// The IL while it is being produced: a flat list of opening, closing and leaf lines. A rule with a
// node wraps the lines it produced by inserting an opening line at its mark and appending the
// closing one, so the list is always balanced after every mark.
class TfsILLines
{
public:
    struct Line
    {
        enum Kind : unsigned char { Open, Close, Leaf };
        Kind kind;
        QString name;
        QString attrs; // raw attribute text, as it will stand in the tag
        QString value; // a leaf's token, unescaped
    };

    int Count() const { return int(FLines.size()); }
    const Line &At(int index) const { return FLines[size_t(index)]; }
    void Clear() { FLines.clear(); }

    // name text="..." pos="..."
    void AddLeaf(const QString &name, const QString &text, const QString &pos);
    void AddOpen(const QString &name, const QString &attrs);
    void AddClose(const QString &name);
    void Wrap(int mark, const QString &name, const QString &attrs);
    void Truncate(int mark);
    void Remove(int index);
    void Append(const TfsILLines &other);

    // Adds the lines as children of parent.
    void BuildItems(TfsXMLItem &parent) const;
    // Appends an item and its children as lines.
    void AddItem(const TfsXMLItem &item);

private:
    std::vector<Line> FLines;
};
