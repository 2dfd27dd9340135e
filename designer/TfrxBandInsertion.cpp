#include "TfrxBandInsertion.h"

#include "TfrxBands.h"
#include "TfrxClassRegistry.h"
#include "TfrxDataBand.h"
#include "TfrxPage.h"
#include "TfrxReportPage.h"

#include <algorithm>
#include <cmath>
#include <iterator>

using namespace zor;

namespace {

// The menu's items are the band numbers; the vertical-band submenu repeats them from 100 on.
constexpr int VerticalIndexBase = 100;

// A horizontal band this low is laid out after every other middle band.
constexpr double LastBandTop = 10000;

// The space left under the lowest band before a freely placed new one.
constexpr double FreePlacementGap = 4;

// In the order of the band numbers (TfrxBand::BandNumber), which the menu's items carry.
const QMetaObject *const BandClasses[] = {
    &TfrxReportTitle::staticMetaObject,   &TfrxReportSummary::staticMetaObject,
    &TfrxPageHeader::staticMetaObject,    &TfrxPageFooter::staticMetaObject,
    &TfrxHeader::staticMetaObject,        &TfrxFooter::staticMetaObject,
    &TfrxMasterData::staticMetaObject,    &TfrxDetailData::staticMetaObject,
    &TfrxSubdetailData::staticMetaObject, &TfrxDataBand4::staticMetaObject,
    &TfrxDataBand5::staticMetaObject,     &TfrxDataBand6::staticMetaObject,
    &TfrxGroupHeader::staticMetaObject,   &TfrxGroupFooter::staticMetaObject,
    &TfrxChild::staticMetaObject,         &TfrxColumnHeader::staticMetaObject,
    &TfrxColumnFooter::staticMetaObject,  &TfrxOverlay::staticMetaObject,
};

bool IsVerticalIndex(int index)
{
    return index >= VerticalIndexBase;
}

// The bottom of the lowest horizontal band of the page, or 0 when it has none.
double LowestBandBottom(const TfrxPage &page, const TfrxBand *except)
{
    double bottom = 0;
    for (const TfrxComponent *object : page.Objects()) {
        const auto *band = qobject_cast<const TfrxBand *>(object);
        if (band != nullptr && band != except && !band->Vertical())
            bottom = std::max(bottom, band->Top() + band->Height());
    }
    return bottom;
}

double FreeBandTop(const TfrxPage &page, const TfrxBand &band, const TfrxBandPlacement &placement)
{
    const double top = LowestBandBottom(page, &band) + placement.BandHeader + FreePlacementGap;
    // A grid step that is not a positive number cannot round anything.
    if (!std::isfinite(placement.GridY) || placement.GridY <= 0)
        return Round8(top);
    return Round8(std::nearbyint(top / placement.GridY) * placement.GridY);
}

void Place(TfrxPage &page, TfrxBand &band, const TfrxBandPlacement &placement)
{
    if (band.Vertical()) {
        band.SetWidth(placement.BandHeight);
        return;
    }
    band.SetHeight(placement.BandHeight);
    band.SetTop(placement.FreeBandsPlacement ? FreeBandTop(page, band, placement) : LastBandTop);
    if (const auto *reportPage = qobject_cast<const TfrxReportPage *>(&page))
        band.SetWidth(reportPage->BandWidth(&band));
}

} // namespace

const QMetaObject *zorBandClass(int index)
{
    const int number = IsVerticalIndex(index) ? index - VerticalIndexBase : index;
    if (number < 0 || number >= int(std::size(BandClasses)))
        return nullptr;
    return BandClasses[number];
}

TfrxBand *zorInsertBand(TfrxPage *page, int index, const TfrxBandPlacement &placement)
{
    const QMetaObject *bandClass = zorBandClass(index);
    if (page == nullptr || bandClass == nullptr)
        return nullptr;
    auto *band = qobject_cast<TfrxBand *>(
        TfrxClassRegistry::Instance().Create(QString::fromLatin1(bandClass->className()), page));
    if (band == nullptr)
        return nullptr;
    band->DesignCreate(0);
    band->CreateUniqueName();
    band->SetVertical(IsVerticalIndex(index));
    Place(*page, *band, placement);
    return band;
}
