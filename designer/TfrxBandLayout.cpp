#include "TfrxBandLayout.h"

#include "TfrxBands.h"
#include "TfrxDialogPage.h"
#include "TfrxPage.h"
#include "TfrxReportPage.h"
#include "TfrxView.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>

using namespace zor;

namespace {

// Band numbers of the kinds printed at fixed points of a page.
enum FixedBand {
    ReportTitle = 0,
    ReportSummary = 1,
    PageHeader = 2,
    PageFooter = 3,
    ColumnHeader = 15,
    ColumnFooter = 16
};

enum BandGroup { TopGroup, MiddleGroup, BottomGroup };

BandGroup GroupOf(const TfrxBand *band)
{
    static const QHash<int, BandGroup> groups = {
        {PageHeader, TopGroup},    {ReportTitle, TopGroup},      {ColumnHeader, TopGroup},
        {PageFooter, BottomGroup}, {ReportSummary, BottomGroup}, {ColumnFooter, BottomGroup},
    };
    return groups.value(band->BandNumber(), MiddleGroup);
}

// The fixed bands keep their places whatever their tops say; every other band sorts by its top.
double SortKey(const TfrxBand *band, bool titleBeforeHeader)
{
    static const QHash<int, double> fixedKeys = {
        {PageHeader, 0},       {ReportTitle, 0.01},     {ColumnHeader, 0.02},
        {ColumnFooter, 99999}, {ReportSummary, 100000}, {PageFooter, 100001},
    };
    const int number = band->BandNumber();
    if (titleBeforeHeader && (number == PageHeader || number == ReportTitle))
        return number == ReportTitle ? 0 : 0.01;
    return fixedKeys.value(number, std::abs(band->Top()));
}

// Keys compare as numbers to two decimals: a text comparison would put 10000 before 40.
qint64 KeyCents(double key)
{
    return qint64(std::nearbyint(key * 100));
}

bool TitleBeforeHeader(const TfrxPage *page)
{
    const auto *reportPage = qobject_cast<const TfrxReportPage *>(page);
    return reportPage == nullptr || reportPage->TitleBeforeHeader();
}

QList<TfrxBand *> HorizontalBands(const TfrxPage *page)
{
    QList<TfrxBand *> bands;
    for (TfrxComponent *object : page->Objects()) {
        auto *band = qobject_cast<TfrxBand *>(object);
        if (band != nullptr && !band->Vertical())
            bands.append(band);
    }
    return bands;
}

// The layout places objects whatever the operator's restrictions forbid: it is not a move of
// theirs but the consequence of one.
void PlaceObject(TfrxComponent *object, double left, double top)
{
    const TfrxRestrictions restrictions = object->Restrictions();
    object->SetRestrictions({});
    object->SetLeft(left);
    object->SetTop(top);
    object->SetRestrictions(restrictions);
}

// The band whose vertical extent holds the top, or none.
TfrxBand *BandUnder(const QList<TfrxBand *> &bands, double absTop)
{
    for (TfrxBand *band : bands) {
        const double top = band->AbsTop();
        if (absTop >= top - 0.0001 && absTop < top + band->Height() + 0.0001)
            return band;
    }
    return nullptr;
}

void MoveInto(TfrxComponent *view, TfrxComponent *container)
{
    const double absLeft = view->AbsLeft();
    const double absTop = view->AbsTop();
    view->SetParent(container);
    PlaceObject(view, absLeft - container->AbsLeft(), absTop - container->AbsTop());
}

} // namespace

TfrxBandLayout::TfrxBandLayout(TfrxPage *page, const TfrxBandLayoutOptions &options)
    : FPage(page), FOptions(options)
{
}

QList<TfrxBand *> TfrxBandLayout::OrderedBands() const
{
    const QList<TfrxBand *> bands = HorizontalBands(FPage);
    QSet<const TfrxBand *> children;
    for (const TfrxBand *band : bands) {
        if (band->Child() != nullptr)
            children.insert(band->Child());
    }
    QList<TfrxBand *> roots;
    std::copy_if(bands.cbegin(), bands.cend(), std::back_inserter(roots),
                 [&children](const TfrxBand *band) { return !children.contains(band); });
    const bool titleFirst = TitleBeforeHeader(FPage);
    std::stable_sort(roots.begin(), roots.end(), [titleFirst](const TfrxBand *a, const TfrxBand *b) {
        return KeyCents(SortKey(a, titleFirst)) < KeyCents(SortKey(b, titleFirst));
    });
    QList<TfrxBand *> ordered;
    QSet<const TfrxBand *> placed;
    for (TfrxBand *root : std::as_const(roots)) {
        for (TfrxBand *band = root; band != nullptr && bands.contains(band) && !placed.contains(band);
             band = band->Child()) {
            ordered.append(band);
            placed.insert(band);
        }
    }
    return ordered;
}

void TfrxBandLayout::Adjust(bool attachObjects)
{
    if (qobject_cast<TfrxDialogPage *>(FPage) != nullptr)
        return;
    const QList<TfrxBand *> bands = OrderedBands();
    if (!FOptions.FreePlacement)
        Stack(bands);
    if (attachObjects)
        AttachObjects(bands);
}

void TfrxBandLayout::Stack(const QList<TfrxBand *> &bands) const
{
    // A child band prints with its parent, so it stands in its parent's group.
    QHash<const TfrxBand *, BandGroup> groups;
    for (const TfrxBand *band : bands) {
        if (band->Child() != nullptr)
            groups.insert(band->Child(), groups.value(band, GroupOf(band)));
    }
    const auto groupOf = [&groups](const TfrxBand *band) { return groups.value(band, GroupOf(band)); };

    const TfrxBand *previous = nullptr;
    for (TfrxBand *band : bands) {
        double top = FOptions.BandHeader;
        if (previous != nullptr) {
            const double below = previous->Top() + previous->Height() + FOptions.BandHeader + FOptions.Gap;
            top = std::nearbyint(below / FOptions.GridY) * FOptions.GridY;
            const BandGroup was = groupOf(previous), is = groupOf(band);
            if ((was == TopGroup && is != TopGroup) || (is == BottomGroup && was != BottomGroup))
                top += FOptions.ExtraGap;
        }
        PlaceObject(band, band->Left(), Round8(top));
        previous = band;
    }
}

void TfrxBandLayout::AttachObjects(const QList<TfrxBand *> &bands) const
{
    QList<TfrxComponent *> views;
    for (const TfrxBand *band : bands)
        views += band->Objects();
    views += FPage->Objects();
    for (TfrxComponent *object : std::as_const(views)) {
        if (qobject_cast<TfrxView *>(object) == nullptr)
            continue;
        TfrxComponent *target = BandUnder(bands, object->AbsTop());
        if (target == nullptr)
            target = FPage;
        if (object->Parent() != target)
            MoveInto(object, target);
    }
}

void TfrxBandLayout::PutBandsFirst(QList<TfrxComponent *> &objects)
{
    std::stable_partition(objects.begin(), objects.end(),
                          [](const TfrxComponent *object) { return qobject_cast<const TfrxBand *>(object); });
}
