#pragma once

#include <QString>

class TfrxXMLItem;

// The outline of a prepared report: a tree of entries (text, page index, top) kept in the
// store's "outline" element, with a current entry under which new ones are added.
class TfrxOutline
{
public:
    // Works on the given element; the current entry becomes the root.
    void SetRoot(TfrxXMLItem *root);
    TfrxXMLItem *Root() const { return FRoot; }
    // Adds a child of the current entry for the given page and descends into it.
    void AddItem(const QString &text, int page, int top);
    void LevelUp();
    void LevelRoot();
    void LevelDown(int index);
    int Count() const;
    void GetItem(int index, QString &text, int &page, int &top) const;
    // The index of the current entry's last child; -1 when it has none.
    int GetCurPosition() const;
    // The entries after child `from` of the current entry (with their descendants) move to the
    // next page, their tops shifted so that the first lands at newTop.
    void ShiftItems(int from, int newTop);
    // The same for the children of a given entry (the one current when keeping began).
    void ShiftItems(TfrxXMLItem *parent, int from, int newTop);
    TfrxXMLItem *CurItem() const { return FCurItem; }

private:
    TfrxXMLItem *FRoot = nullptr;
    TfrxXMLItem *FCurItem = nullptr;
};
