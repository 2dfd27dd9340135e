#include "TfrxSelectionCommands.h"

#include "TfrxBand.h"
#include "TfrxPage.h"
#include "zorPlacement.h"


using namespace zor;

namespace {

// The band whose objects Select All takes: the band selected alone, or the band of the one
// object selected; none otherwise.
const TfrxBand *SoleBand(const QList<TfrxComponent *> &selection)
{
    if (selection.size() != 1 || selection.first() == nullptr)
        return nullptr;
    const TfrxComponent *object = selection.first();
    if (const auto *band = qobject_cast<const TfrxBand *>(object))
        return band;
    return qobject_cast<const TfrxBand *>(object->Parent());
}

// Moves one object to the given end of its parent's objects; whether its place changed. Only
// bands and views move: the selection holds the page when nothing else is selected, and moving
// the page would reorder the report's pages.
bool MoveToEnd(TfrxComponent *object, bool front)
{
    if (!IsPlaced(object) || object->Restrictions().testFlag(rfDontMove) || object->Parent() == nullptr)
        return false;
    TfrxComponent *parent = object->Parent();
    const qsizetype before = parent->Objects().indexOf(object);
    parent->MoveToIndex(object, front ? parent->Objects().size() - 1 : 0);
    return parent->Objects().indexOf(object) != before;
}

} // namespace

void zorSelectAll(TfrxPage *page, QList<TfrxComponent *> &selection)
{
    if (page == nullptr)
        return;
    const TfrxBand *band = SoleBand(selection);
    const QList<TfrxComponent *> &objects = band != nullptr ? band->Objects() : page->Objects();
    selection = objects.isEmpty() ? QList<TfrxComponent *>{page} : objects;
}

bool zorBringToFront(const QList<TfrxComponent *> &selection)
{
    bool moved = false;
    for (TfrxComponent *object : selection)
        moved = MoveToEnd(object, true) || moved;
    return moved;
}

bool zorSendToBack(const QList<TfrxComponent *> &selection)
{
    // Backwards, so that the objects sent back keep the selection's order among themselves, as
    // those brought to the front do.
    bool moved = false;
    for (auto it = selection.crbegin(); it != selection.crend(); ++it)
        moved = MoveToEnd(*it, false) || moved;
    return moved;
}
