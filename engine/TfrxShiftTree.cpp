#include "TfrxShiftTree.h"

#include "TfrxView.h"

#include <algorithm>
#include <cmath>

using namespace zor;

namespace {

constexpr double kEps = 0.0001;

struct Extent {
    double Start;
    double End;
};

// Two extents overlap when the second starts above the first's end and ends below its start.
bool Overlap(const Extent &a, const Extent &b)
{
    return b.Start < a.End - kEps && b.End > a.Start + kEps;
}

Extent Vertical(const TfrxComponent *c)
{
    return {c->Top(), c->Top() + c->Height()};
}

Extent Horizontal(const TfrxComponent *c)
{
    return {c->Left(), c->Left() + c->Width()};
}

double RoundTop(const TfrxComponent *c)
{
    return std::round(c->Top() * 100) / 100;
}

}  // namespace

// Shift tree: j is a shift child of i when j lies wholly below i, they overlap horizontally and no
// object between them in top order lies vertically clear of both across their common width. A
// root, 1 pixel high across the band 2 pixels above it, stands above every object.
void TfrxShiftTree::Build(const QList<TfrxComponent *> &objects, double bandWidth)
{
    QList<TfrxComponent *> sorted = objects;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const TfrxComponent *a, const TfrxComponent *b) { return RoundTop(a) < RoundTop(b); });
    const int n = int(sorted.size()) + 1;
    std::vector<Extent> vert(static_cast<size_t>(n)), horz(static_cast<size_t>(n));
    vert[0] = {-2, -1};
    horz[0] = {0, bandWidth};
    for (int i = 1; i < n; ++i) {
        vert[size_t(i)] = Vertical(sorted[i - 1]);
        horz[size_t(i)] = Horizontal(sorted[i - 1]);
    }
    FNodes.clear();
    FNodes.push_back(Node{nullptr, {}});
    for (int j = 1; j < n; ++j) {
        Node node{sorted[j - 1], {}};
        for (int i = 0; i < j; ++i) {
            const Extent &vi = vert[size_t(i)], &vj = vert[size_t(j)];
            if (Overlap(vi, vj) || !(vi.Start < vj.Start) || !Overlap(horz[size_t(i)], horz[size_t(j)]))
                continue;
            const Extent common{std::max(horz[size_t(i)].Start, horz[size_t(j)].Start),
                                std::min(horz[size_t(i)].End, horz[size_t(j)].End)};
            bool blocked = false;
            for (int k = i + 1; k < j && !blocked; ++k) {
                const Extent &vk = vert[size_t(k)];
                blocked = !Overlap(vi, vk) && !Overlap(vk, vj) && Overlap(common, horz[size_t(k)]) &&
                          vk.Start >= vi.Start;
            }
            if (!blocked)
                node.Parents.push_back(i);
        }
        FNodes.push_back(std::move(node));
    }
    FBuilt = true;
}

// Shifting, one pass in top order: an object takes what its parents pass on. smAlways moves by the
// sum and passes it on with its own growth; smDontShift only passes it on; smWhenOverlapped under
// another object moves just below the lowest parent that now reaches its top and passes on that
// move with its growth.
void TfrxShiftTree::Apply(const QHash<TfrxComponent *, double> &grown) const
{
    std::vector<double> passed(FNodes.size(), 0);
    for (size_t j = 1; j < FNodes.size(); ++j) {
        const Node &node = FNodes[j];
        auto *view = qobject_cast<TfrxView *>(node.Object);
        const double growth = grown.value(node.Object, 0);
        const bool underBand = node.Parents.size() == 1 && node.Parents.front() == 0;
        double incoming = 0;
        double lowestBottom = -1e300;
        for (int p : node.Parents) {
            incoming += passed[size_t(p)];
            if (p != 0) {
                const TfrxComponent *parent = FNodes[size_t(p)].Object;
                lowestBottom = std::max(lowestBottom, parent->Top() + parent->Height());
            }
        }
        const TfrxShiftMode mode = view != nullptr ? view->ShiftMode() : smAlways;
        switch (mode) {
        case smAlways:
            node.Object->SetTop(node.Object->Top() + incoming);
            passed[j] = incoming + growth;
            break;
        case smDontShift:
            passed[j] = incoming + growth;
            break;
        case smWhenOverlapped:
            if (!underBand && lowestBottom > node.Object->Top() + kEps) {
                const double move = lowestBottom - node.Object->Top();
                node.Object->SetTop(lowestBottom);
                passed[j] = move + growth;
            } else {
                passed[j] = growth;
            }
            break;
        }
    }
}

QList<TfrxComponent *> TfrxShiftTree::ParentsOf(const TfrxComponent *obj) const
{
    QList<TfrxComponent *> result;
    for (const Node &node : FNodes) {
        if (node.Object != obj)
            continue;
        for (int p : node.Parents) {
            if (p != 0)
                result.append(FNodes[size_t(p)].Object);
        }
    }
    return result;
}
