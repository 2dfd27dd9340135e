#include "TfrxPageList.h"

#include <cmath>

namespace {

constexpr int gap = 10;
constexpr double a4Width = 794;
constexpr double a4Height = 1123;

int nearest(double value) { return int(std::nearbyint(value)); }

} // namespace

void TfrxPageList::CalcBounds(int usableWidth)
{
    int y = gap;
    qsizetype rowStart = 0;
    while (rowStart < FItems.size()) {
        int running = 0;
        int tallest = 0;
        qsizetype next = rowStart;
        do {
            QRect &item = FItems[next];
            item.moveTo(running, y);
            running += item.width() + gap;
            tallest = std::max(tallest, item.height());
            ++next;
        } while (next < FItems.size() && running + FItems[next].width() <= usableWidth);
        const int half = (usableWidth - running + gap) / 2;
        const int shift = half < 0 ? gap : half + gap;
        for (qsizetype i = rowStart; i < next; ++i)
            FItems[i].translate(shift, 0);
        y += tallest + gap;
        rowStart = next;
    }
}

QRect TfrxPageList::GetPageBounds(int index, int clientWidth, double zoom) const
{
    if (index >= 0 && index < FItems.size())
        return FItems.at(index);
    const int left = nearest((clientWidth - zoom * a4Width) / 2);
    return QRect(left < 0 ? gap : left, nearest(zoom * gap), nearest(zoom * a4Width), nearest(zoom * a4Height));
}

QSize TfrxPageList::GetMaxBounds() const
{
    int width = 0;
    for (const QRect &item : FItems)
        width = std::max(width, item.right() + 1);
    const int height = FItems.isEmpty() ? 0 : FItems.last().bottom() + 1;
    return QSize(width + gap, height + gap);
}

int TfrxPageList::FindCurrentPage(int scrollY) const
{
    qsizetype low = 0;
    qsizetype high = FItems.size() - 1;
    qsizetype found = 0;
    while (low <= high) {
        const qsizetype middle = (low + high) / 2;
        const QRect &item = FItems.at(middle);
        if (item.top() <= scrollY + item.height() / 5) {
            found = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return int(found);
}

int TfrxPageList::FindPageAt(QPoint point) const
{
    for (qsizetype i = 0; i < FItems.size(); ++i)
        if (FItems.at(i).contains(point))
            return int(i);
    return -1;
}
