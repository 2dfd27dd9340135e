#pragma once

#include <QList>
#include <QRect>

// Where each page of the preview stands at the current zoom: pages go left to right in rows that
// are centred in the page area, rows top to bottom, 10 pixels apart. Sizes and positions are
// device pixels.
class TfrxPageList
{
public:
    void Clear() { FItems.clear(); }
    void AddPage(int width, int height) { FItems.append(QRect(0, 0, width, height)); }
    int Count() const { return int(FItems.size()); }

    // Forms the rows for a usable width.
    void CalcBounds(int usableWidth);
    // The rectangle of a page; a page out of range has that of an A4 page at the zoom, centred
    // in the client width.
    QRect GetPageBounds(int index, int clientWidth, double zoom) const;
    // The scroll range: the widest row and the last page's bottom, with a margin.
    QSize GetMaxBounds() const;
    // The page current at a vertical scroll position: the last page whose top is not below the
    // position plus a fifth of that page's height. 0 without pages.
    int FindCurrentPage(int scrollY) const;
    // The page under a point, -1 when none.
    int FindPageAt(QPoint point) const;

private:
    QList<QRect> FItems;
};
