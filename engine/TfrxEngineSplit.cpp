// A band that does not fit is output in parts, one per page or column: each part takes what fits
// of every object, text objects continuing in the next part where they stopped.
#include "TfrxEngine.h"

#include "TfrxBand.h"
#include "TfrxCustomMemoView.h"
#include "TfrxPreviewPages.h"
#include "TfrxReport.h"
#include "TfrxStretcheable.h"
#include "TfrxSubreport.h"

#include <QSet>

#include <algorithm>
#include <cmath>

using namespace zor;

namespace {

constexpr double kEps = 0.0001;

// The objects wholly below obj that overlap it horizontally move down by amount, each at most
// once per step.
void MoveBelow(const TfrxComponent *obj, const QList<TfrxComponent *> &todo, double amount,
               QSet<TfrxComponent *> &moved)
{
    if (amount == 0)
        return;
    const double bottom = obj->Top() + obj->Height();
    for (TfrxComponent *other : todo) {
        if (other == obj || moved.contains(other) || other->Top() < bottom - kEps)
            continue;
        const double overlap = std::min(obj->Left() + obj->Width(), other->Left() + other->Width()) -
                               std::max(obj->Left(), other->Left());
        if (overlap <= kEps)
            continue;
        other->SetTop(other->Top() + amount);
        moved.insert(other);
    }
}

enum class TakenLines { None, SomeOfThem, AllOfThem };

// The first lines of a text that cannot fit even an empty page: the height from the free space
// up, doubled until a line fits in it, takes at least one line and leaves the rest for the next
// pages. None when only the whole rest would do.
TakenLines TakeFirstLines(TfrxCustomMemoView *memo, double free, QHash<TfrxComponent *, double> &remaining)
{
    const double rest = remaining.value(memo);
    for (double height = std::max(free - memo->Top(), 1.0); height < rest; height *= 2) {
        memo->SetHeight(height);
        const double unused = memo->DrawPart();
        if (memo->Text().isEmpty())
            continue;
        if (memo->PartMemo().isEmpty())
            return TakenLines::AllOfThem;
        remaining.insert(memo, rest - height + unused);
        return TakenLines::SomeOfThem;
    }
    return TakenLines::None;
}

} // namespace

void TfrxEngine::DrawSplit(TfrxBand *band)
{
    QList<TfrxComponent *> todo;
    for (TfrxComponent *obj : BandObjects(band)) {
        if (qobject_cast<TfrxSubreport *>(obj) == nullptr && obj->Visible())
            todo.append(obj);
    }
    QHash<TfrxComponent *, double> remaining;
    for (TfrxComponent *obj : std::as_const(todo)) {
        if (auto *s = qobject_cast<TfrxStretcheable *>(obj))
            s->InitPart();
        remaining.insert(obj, obj->Height());
    }
    double free = FreeSpace();
    bool split = false;
    bool anyLeft = false;
    for (int step = 0; !todo.isEmpty() && !FReport->Terminated(); ++step) {
        if (step > 0)
            ServiceEvents();
        QSet<TfrxComponent *> moved;
        QList<TfrxComponent *> output;
        QHash<TfrxComponent *, double> notedTop;
        const QList<TfrxComponent *> pass = todo;
        for (TfrxComponent *obj : pass) {
            auto *stretcheable = qobject_cast<TfrxStretcheable *>(obj);
            double unused = 0;
            bool nextPart = false;
            if (stretcheable != nullptr) {
                notedTop.insert(obj, obj->Top());
                obj->SetHeight(free - obj->Top());
                if (obj->Top() < free) {
                    unused = stretcheable->DrawPart();
                    nextPart = stretcheable->HasNextDataPart();
                }
            }
            const double r = remaining.value(obj);
            if (free >= obj->Top() + r - kEps && !nextPart) {
                obj->SetHeight(r);
                output.append(obj);
                todo.removeOne(obj);
                anyLeft = true;
            } else if (stretcheable != nullptr && obj->Top() < free) {
                MoveBelow(obj, todo, unused, moved);
                if (std::abs(unused - obj->Height()) < kEps) {
                    obj->SetTop(free);
                    obj->SetHeight(r);
                } else {
                    output.append(obj);
                    remaining.insert(obj, r - obj->Height() + unused);
                    split = true;
                }
            } else if (stretcheable == nullptr && obj->Height() <= GetPageHeight() - FooterHeight() + kEps) {
                if (obj->Top() < free) {
                    MoveBelow(obj, todo, free - obj->Top(), moved);
                    obj->SetTop(free);
                }
            } else if (stretcheable == nullptr) {
                // Taller than any page: output as it is, cut at the page's end.
                output.append(obj);
                todo.removeOne(obj);
                anyLeft = true;
            }
        }
        // A fresh page or column where nothing fits still takes the first waiting object whole,
        // so that splitting always ends.
        if (output.isEmpty() && step > 0 && !todo.isEmpty()) {
            TfrxComponent *first = todo.first();
            first->SetTop(std::max(0.0, first->Top()));
            auto *memo = qobject_cast<TfrxCustomMemoView *>(first);
            const TakenLines taken =
                memo != nullptr ? TakeFirstLines(memo, free, remaining) : TakenLines::None;
            if (taken != TakenLines::SomeOfThem) {
                todo.removeFirst();
                if (taken == TakenLines::None) {
                    if (memo != nullptr)
                        memo->SetText(memo->PartMemo());
                    first->SetHeight(remaining.value(first));
                }
                anyLeft = true;
            } else {
                split = true;
            }
            output.append(first);
        }
        double height = 0;
        for (const TfrxComponent *obj : std::as_const(output))
            height = std::max(height, obj->Top() + obj->Height());
        band->SetHeight(height);
        if (todo.isEmpty()) {
            for (TfrxComponent *obj : std::as_const(output)) {
                auto *view = qobject_cast<TfrxView *>(obj);
                if (view != nullptr && view->Align() == baBottom)
                    obj->SetTop(height - obj->Height());
                auto *stretcheable = qobject_cast<TfrxStretcheable *>(obj);
                if (stretcheable != nullptr && stretcheable->StretchMode() == smMaxHeight)
                    obj->SetHeight(height - obj->Top());
            }
        }
        band->SetLeft(FCurX);
        band->SetTop(FCurY);
        Pages()->AddObject(band, StoredObjects(band, output));
        FCurY += height;
        FCurBand = band;
        if (todo.isEmpty())
            break;
        NewColumn();
        for (TfrxComponent *obj : std::as_const(todo)) {
            obj->SetTop(obj->Top() - free);
            if (qobject_cast<TfrxStretcheable *>(obj) != nullptr) {
                if (!split && !anyLeft && notedTop.contains(obj))
                    obj->SetTop(notedTop.value(obj));
                if (obj->Top() < 0)
                    obj->SetTop(0);
                obj->SetHeight(remaining.value(obj));
            }
        }
        free = FreeSpace();
    }
}
