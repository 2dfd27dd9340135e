#include "TfrxWorkspaceSelection.h"

#include "TfrxHitTester.h"
#include "TfrxPage.h"
#include "TfrxSubreport.h"

#include <QSet>

using namespace zor;

namespace {

bool HasAncestorIn(const TfrxComponent *object, const QList<TfrxComponent *> &list)
{
    for (const TfrxComponent *p = object->Parent(); p != nullptr; p = p->Parent()) {
        if (list.contains(p))
            return true;
    }
    return false;
}

// The object or one of its own objects that came from the parent template; none when none did.
const TfrxComponent *Inherited(const TfrxComponent *object)
{
    if (object->Ancestor())
        return object;
    for (const TfrxComponent *child : object->GetAllObjects()) {
        if (child->Ancestor())
            return child;
    }
    return nullptr;
}

} // namespace

TfrxWorkspaceSelection::TfrxWorkspaceSelection(QList<TfrxComponent *> &objects,
                                               QList<TfrxComponent *> &selected, TfrxPage *page)
    : FObjects(objects), FSelected(selected), FPage(page)
{
}

QList<TfrxComponent *> TfrxWorkspaceSelection::Placed() const
{
    QList<TfrxComponent *> placed;
    for (TfrxComponent *object : FSelected) {
        if (TfrxHitTester::IsPlaceable(object))
            placed.append(object);
    }
    return placed;
}

QList<TfrxComponent *> TfrxWorkspaceSelection::Leaders() const
{
    const QList<TfrxComponent *> placed = Placed();
    QList<TfrxComponent *> leaders;
    for (TfrxComponent *object : placed) {
        if (!HasAncestorIn(object, placed))
            leaders.append(object);
    }
    return leaders;
}

void TfrxWorkspaceSelection::SelectPage()
{
    FSelected.clear();
    if (FPage != nullptr)
        FSelected.append(FPage);
}

void TfrxWorkspaceSelection::SelectOnly(TfrxComponent *object)
{
    FSelected = {object};
}

void TfrxWorkspaceSelection::Toggle(TfrxComponent *object)
{
    if (!FSelected.removeOne(object))
        Add(object);
}

void TfrxWorkspaceSelection::Add(TfrxComponent *object)
{
    if (!FSelected.contains(object))
        FSelected.append(object);
}

void TfrxWorkspaceSelection::RemovePage()
{
    FSelected.removeAll(FPage);
}

void TfrxWorkspaceSelection::Normalize()
{
    if (FSelected.isEmpty())
        SelectPage();
}

void TfrxWorkspaceSelection::ExpandGroups()
{
    QSet<int> groups;
    for (const TfrxComponent *object : std::as_const(FSelected)) {
        if (object->GroupIndex() != 0)
            groups.insert(object->GroupIndex());
    }
    if (groups.isEmpty())
        return;
    for (TfrxComponent *object : std::as_const(FObjects)) {
        if (groups.contains(object->GroupIndex()) && TfrxHitTester::IsPlaceable(object))
            Add(object);
    }
    RemovePage();
}

QRectF TfrxWorkspaceSelection::Bounds() const
{
    const QList<TfrxComponent *> placed = Placed();
    if (placed.isEmpty())
        return {};
    // Straight lines have no area, which QRectF::united would drop.
    QRectF bounds = TfrxHitTester::Bounds(placed.constFirst());
    for (const TfrxComponent *object : placed) {
        const QRectF r = TfrxHitTester::Bounds(object);
        bounds = QRectF(QPointF(std::min(bounds.left(), r.left()), std::min(bounds.top(), r.top())),
                        QPointF(std::max(bounds.right(), r.right()), std::max(bounds.bottom(), r.bottom())));
    }
    return bounds;
}

bool TfrxWorkspaceSelection::Delete(QString *error, bool *subreportDeleted)
{
    QList<TfrxComponent *> doomed;
    for (TfrxComponent *object : Placed()) {
        if (!object->Restrictions().testFlag(rfDontDelete))
            doomed.append(object);
    }
    // An object inside another doomed one goes with it; deleting it first would leave the
    // container's list pointing at freed memory.
    doomed.removeIf([&doomed](const TfrxComponent *object) { return HasAncestorIn(object, doomed); });
    for (const TfrxComponent *object : std::as_const(doomed)) {
        if (const TfrxComponent *inherited = Inherited(object)) {
            *error = QStringLiteral("Could not delete ") + inherited->Name() +
                     QStringLiteral(", it was introduced in the ancestor report");
            return false;
        }
    }
    for (TfrxComponent *object : std::as_const(doomed)) {
        QList<TfrxComponent *> gone = object->GetAllObjects();
        gone.prepend(object);
        for (TfrxComponent *g : std::as_const(gone)) {
            FObjects.removeAll(g);
            FSelected.removeAll(g);
            if (qobject_cast<TfrxSubreport *>(g) != nullptr)
                *subreportDeleted = true;
        }
        delete object;
    }
    Normalize();
    return !doomed.isEmpty();
}

bool TfrxWorkspaceSelection::Group()
{
    const QList<TfrxComponent *> placed = Placed();
    if (placed.isEmpty())
        return false;
    for (TfrxComponent *object : placed)
        object->SetGroupIndex(0);
    QSet<int> used;
    if (FPage != nullptr) {
        for (const TfrxComponent *object : FPage->GetAllObjects())
            used.insert(object->GroupIndex());
    }
    int group = 1;
    while (used.contains(group))
        ++group;
    for (TfrxComponent *object : placed)
        object->SetGroupIndex(group);
    return true;
}

bool TfrxWorkspaceSelection::Ungroup()
{
    bool changed = false;
    for (TfrxComponent *object : Placed()) {
        changed = changed || object->GroupIndex() != 0;
        object->SetGroupIndex(0);
    }
    return changed;
}
