// The workspace's keyboard: Tab walks through the objects, Enter edits, Delete deletes, and the
// arrows select, move, size and slide by the modifiers held.
#include "TfrxBand.h"
#include "TfrxDesignerWorkspace_p.h"
#include "TfrxMoveOperation.h"
#include "TfrxNearestObject.h"

#include <QHash>
#include <QKeyEvent>

#include <functional>

using zor::Round8;

namespace {

const QHash<int, QPoint> arrows = {
    {Qt::Key_Left, {-1, 0}}, {Qt::Key_Right, {1, 0}}, {Qt::Key_Up, {0, -1}}, {Qt::Key_Down, {0, 1}}};

QList<QRectF> Geometry(const QList<TfrxComponent *> &objects)
{
    QList<QRectF> geometry;
    for (const TfrxComponent *object : objects)
        geometry.append(QRectF(object->Left(), object->Top(), object->Width(), object->Height()));
    return geometry;
}

} // namespace

void TfrxDesignerWorkspace::keyPressEvent(QKeyEvent *event)
{
    if (d->Locks > 0 || d->MouseDown) {
        event->ignore();
        return;
    }
    d->SelectionAtStart = *d->Selected;
    if (!d->Key(event->key(),
                event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
        QWidget::keyPressEvent(event);
}

bool TfrxDesignerWorkspace::Private::Key(int key, Qt::KeyboardModifiers modifiers)
{
    if (arrows.contains(key)) {
        const bool modified = Arrow(arrows.value(key), modifiers);
        q->AdjustBands(true);
        Report(modified);
        return true;
    }
    switch (key) {
    case Qt::Key_Tab:
        if (SelectByTab())
            Report(false);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        q->EditObject();
        return true;
    case Qt::Key_Delete:
        q->DeleteObjects();
        return true;
    default:
        return false;
    }
}

// Returns whether objects changed; selecting changes none.
bool TfrxDesignerWorkspace::Private::Arrow(QPoint direction, Qt::KeyboardModifiers modifiers)
{
    const QPointF pixel(direction);
    const QPointF step(direction.x() * Grid.X, direction.y() * Grid.Y);
    // On a character grid nothing smaller than a character makes sense.
    const QPointF fine = Grid.Type == gtChar ? step : pixel;
    const QHash<int, std::function<bool()>> actions = {
        {int(Qt::NoModifier), [&] { return SelectNearest(direction); }},
        {int(Qt::ControlModifier), [&] { return MoveSelection(fine); }},
        {int(Qt::ControlModifier | Qt::ShiftModifier), [&] { return MoveSelection(step); }},
        {int(Qt::ShiftModifier), [&] { return SizeSelection(step); }},
        {int(Qt::AltModifier), [&] { return Slide(direction); }},
    };
    const auto action = actions.constFind(int(modifiers));
    return action != actions.cend() && (*action)();
}

bool TfrxDesignerWorkspace::Private::SelectByTab()
{
    const QList<TfrxComponent *> placed = Selection().Placed();
    if (placed.size() != 1)
        return false;
    const TfrxComponent *current = placed.constFirst();
    const bool intoBand = qobject_cast<const TfrxBand *>(current) != nullptr;
    const TfrxComponent *parent = intoBand ? current : current->Parent();
    if (parent == nullptr)
        return false;
    QList<TfrxComponent *> siblings;
    for (TfrxComponent *object : parent->Objects()) {
        if (TfrxHitTester::IsPlaceable(object))
            siblings.append(object);
    }
    if (siblings.isEmpty())
        return false;
    const qsizetype at = siblings.indexOf(current);
    TfrxComponent *next = intoBand ? siblings.constFirst() : siblings.at((at + 1) % siblings.size());
    Selection().SelectOnly(next);
    Selection().ExpandGroups();
    return true;
}

bool TfrxDesignerWorkspace::Private::SelectNearest(QPoint direction)
{
    const QList<TfrxComponent *> placed = Selection().Placed();
    if (placed.size() != 1)
        return false;
    if (TfrxComponent *found = TfrxNearestObject(placed.constFirst(), direction).Find(*Objects)) {
        Selection().SelectOnly(found);
        Selection().ExpandGroups();
    }
    return false;
}

bool TfrxDesignerWorkspace::Private::Slide(QPoint direction)
{
    const QList<TfrxComponent *> placed = Selection().Placed();
    if (placed.size() != 1)
        return false;
    TfrxComponent *object = placed.constFirst();
    const TfrxNearestObject nearest(object, direction);
    const TfrxComponent *found = nearest.FindInStrip(*Objects);
    if (found == nullptr)
        return false;
    const QList<QRectF> before = Geometry({object});
    nearest.SlideTo(object, found);
    return Geometry({object}) != before;
}

bool TfrxDesignerWorkspace::Private::MoveSelection(const QPointF &by)
{
    const QList<TfrxComponent *> leaders = Selection().Leaders();
    const QList<QRectF> before = Geometry(leaders);
    TfrxMoveOperation move(leaders);
    move.Apply(by);
    move.Finish();
    return Geometry(leaders) != before;
}

bool TfrxDesignerWorkspace::Private::SizeSelection(const QPointF &by)
{
    const QList<TfrxComponent *> placed = Selection().Placed();
    const QList<QRectF> before = Geometry(placed);
    for (TfrxComponent *object : placed) {
        const double width = object->Width() + by.x(), height = object->Height() + by.y();
        // A size below zero would turn the object inside out: such a key does nothing.
        if (width >= 0 && height >= 0) {
            object->SetWidth(Round8(width));
            object->SetHeight(Round8(height));
        }
    }
    return Geometry(placed) != before;
}
