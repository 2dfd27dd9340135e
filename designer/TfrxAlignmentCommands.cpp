#include "TfrxAlignmentCommands.h"

#include "TfrxReportPage.h"
#include "TfrxView.h"
#include "zorPlacement.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>

using namespace zor;

namespace {

using Objects = QList<TfrxComponent *>;

// One direction of the palette: the coordinates of position and of size along it.
struct Axis
{
    const TfrxCoordinate &Position;
    const TfrxCoordinate &Size;
    bool Horizontal;
};

const Axis HorizontalAxis{LeftCoordinate, WidthCoordinate, true};
const Axis VerticalAxis{TopCoordinate, HeightCoordinate, false};

double Get(const TfrxComponent *object, const TfrxCoordinate &coordinate)
{
    return (object->*coordinate.Get)();
}

// Gives every selected object after the reference the value that target computes from the
// reference and the object.
template <typename Target>
bool Follow(const Objects &objects, const TfrxCoordinate &coordinate, Target target)
{
    const TfrxComponent &reference = *objects.first();
    bool changed = false;
    for (TfrxComponent *object : objects.mid(1))
        changed = ChangeCoordinate(object, coordinate, target(reference, *object)) || changed;
    return changed;
}

// The Top that puts the object's absolute top at absTop. An object directly on the page takes the
// value itself rather than through a difference of absolute tops, which would add rounding noise.
double TopForAbsTop(const TfrxComponent &object, double absTop)
{
    if (!FloatDiff(object.Top(), object.AbsTop()))
        return absTop;
    return object.Top() + (absTop - object.AbsTop());
}

// Spreads the objects evenly between the outermost two, ordered by their position rounded to a
// whole pixel (ties keep the selection's order). Each inner object goes where even spacing puts
// it, also when a neighbour restricted from moving keeps its own place.
bool Space(const Objects &objects, const TfrxCoordinate &position)
{
    Objects order = objects;
    std::stable_sort(order.begin(), order.end(), [&](const TfrxComponent *a, const TfrxComponent *b) {
        return std::nearbyint(Get(a, position)) < std::nearbyint(Get(b, position));
    });
    const double first = Get(order.first(), position);
    const double step = (Get(order.last(), position) - first) / double(order.size() - 1);
    bool changed = false;
    for (qsizetype i = 1; i + 1 < order.size(); ++i)
        changed = ChangeCoordinate(order.at(i), position, first + double(i) * step) || changed;
    return changed;
}

// What a view is centred in: its band (or other container), or the printable area of the page it
// lies on directly. None for an object outside any tree.
std::optional<double> ContainerExtent(const TfrxComponent &object, const Axis &axis)
{
    const TfrxComponent *parent = object.Parent();
    if (parent == nullptr)
        return std::nullopt;
    if (const auto *page = qobject_cast<const TfrxReportPage *>(parent)) {
        const double mm = axis.Horizontal ? page->PaperWidth() - page->LeftMargin() - page->RightMargin()
                                          : page->PaperHeight() - page->TopMargin() - page->BottomMargin();
        return mm * fr01cm;
    }
    return Get(parent, axis.Size);
}

bool CenterInContainer(const Objects &objects, const Axis &axis)
{
    bool changed = false;
    for (TfrxComponent *object : objects) {
        const std::optional<double> extent = ContainerExtent(*object, axis);
        if (!extent || qobject_cast<TfrxView *>(object) == nullptr)
            continue;
        changed = ChangeCoordinate(object, axis.Position, (*extent - Get(object, axis.Size)) / 2) || changed;
    }
    return changed;
}

bool AlignLeft(const Objects &objects)
{
    return Follow(objects, LeftCoordinate, [](auto &reference, auto &) { return reference.Left(); });
}

bool AlignMiddle(const Objects &objects)
{
    return Follow(objects, LeftCoordinate, [](auto &reference, auto &own) {
        return reference.Left() + reference.Width() / 2 - own.Width() / 2;
    });
}

bool AlignRight(const Objects &objects)
{
    return Follow(objects, LeftCoordinate, [](auto &reference, auto &own) {
        return reference.Left() + reference.Width() - own.Width();
    });
}

bool AlignTop(const Objects &objects)
{
    return Follow(objects, TopCoordinate,
                  [](auto &reference, auto &own) { return TopForAbsTop(own, reference.AbsTop()); });
}

bool AlignCenter(const Objects &objects)
{
    return Follow(objects, TopCoordinate, [](auto &reference, auto &own) {
        return reference.Top() + reference.Height() / 2 - own.Height() / 2;
    });
}

bool AlignBottom(const Objects &objects)
{
    return Follow(objects, TopCoordinate, [](auto &reference, auto &own) {
        return TopForAbsTop(own, reference.AbsTop() + reference.Height() - own.Height());
    });
}

bool SpaceHorizontally(const Objects &objects)
{
    return Space(objects, LeftCoordinate);
}

bool SpaceVertically(const Objects &objects)
{
    return Space(objects, TopCoordinate);
}

bool CenterHorizontally(const Objects &objects)
{
    return CenterInContainer(objects, HorizontalAxis);
}

bool CenterVertically(const Objects &objects)
{
    return CenterInContainer(objects, VerticalAxis);
}

bool SameWidth(const Objects &objects)
{
    return Follow(objects, WidthCoordinate, [](auto &reference, auto &) { return reference.Width(); });
}

bool SameHeight(const Objects &objects)
{
    return Follow(objects, HeightCoordinate, [](auto &reference, auto &) { return reference.Height(); });
}

struct CommandRule
{
    qsizetype MinCount; // the aligning commands need a reference and another, spacing three
    bool (*Run)(const Objects &objects);
};

// In the order of TfrxAlignCommand.
const CommandRule CommandRules[] = {
    {2, AlignLeft},          {2, AlignMiddle},      {2, AlignRight},        {2, AlignTop},
    {2, AlignCenter},        {2, AlignBottom},      {3, SpaceHorizontally}, {3, SpaceVertically},
    {1, CenterHorizontally}, {1, CenterVertically}, {2, SameWidth},         {2, SameHeight},
};
static_assert(std::size(CommandRules) == acSameHeight + 1);

} // namespace

bool zorAlignObjects(TfrxAlignCommand command, const QList<TfrxComponent *> &selection)
{
    if (command < acAlignLeft || command > acSameHeight)
        return false;
    Objects objects;
    std::copy_if(selection.begin(), selection.end(), std::back_inserter(objects), IsPlaced);
    const CommandRule &rule = CommandRules[command];
    return objects.size() >= rule.MinCount && rule.Run(objects);
}
