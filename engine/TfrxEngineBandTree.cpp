// The band tree of a page: which header, footer and groups belong to each data band, and which
// data bands are nested under which.
#include "TfrxEngine.h"

#include "TfrxBands.h"
#include "TfrxDataBand.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxReportServices.h"

#include <algorithm>

namespace {

// Band numbers of the bands that take part in the tree: headers, footers, data bands, groups.
constexpr int kFirstTreeBand = 4;  // TfrxHeader
constexpr int kLastTreeBand = 13;  // TfrxGroupFooter
constexpr int kMasterData = 6;

QString BandError(const QString &key, const QString &english, const TfrxBand *band)
{
    return TfrxReportServices::Text(key, english) + QLatin1Char(' ') + band->Name();
}

}  // namespace

// Band tree: sorted by top; consecutive group headers chain and become the groups of the next data
// band; a data band takes the header above it; a data band one level deeper than the open one
// above nests under it; footers close the innermost open data band, group footers the innermost
// open group. Whatever stays unattached is an error.
void TfrxEngine::PreparePage(TfrxReportPage *page)
{
    QList<TfrxBand *> bands;
    for (TfrxComponent *child : page->Objects()) {
        auto *band = qobject_cast<TfrxBand *>(child);
        if (band == nullptr)
            continue;
        band->SubBands.clear();
        band->Header = nullptr;
        band->Footer = nullptr;
        band->Group = nullptr;
        band->HasVBands = false;
        const int number = band->BandNumber();
        if (!band->Vertical() && number >= kFirstTreeBand && number <= kLastTreeBand)
            bands.append(band);
    }
    std::stable_sort(bands.begin(), bands.end(), [](const TfrxBand *a, const TfrxBand *b) { return a->Top() < b->Top(); });
    page->SubBands.clear();
    page->VSubBands.clear();

    QList<TfrxDataBand *> open;       // open data bands, outermost first
    QList<TfrxBand *> openGroups;     // group headers waiting for their footers
    QList<TfrxBand *> pendingGroups;  // group headers waiting for their data band
    TfrxBand *pendingHeader = nullptr;
    const auto unconnected = [this](const TfrxBand *band) {
        FReport->AddError(BandError(QStringLiteral("enUnconnHeader"), QStringLiteral("Unconnected header/footer"), band));
    };
    for (TfrxBand *band : std::as_const(bands)) {
        if (auto *data = qobject_cast<TfrxDataBand *>(band)) {
            const int level = band->BandNumber() - kMasterData + 1;
            while (!open.isEmpty() && open.constLast()->BandNumber() - kMasterData + 1 >= level)
                open.removeLast();
            if (level == 1)
                page->SubBands.append(data);
            else if (!open.isEmpty() && open.constLast()->BandNumber() - kMasterData + 1 == level - 1)
                open.constLast()->SubBands.append(data);
            else
                FReport->AddError(BandError(QStringLiteral("enBandPos"), QStringLiteral("Incorrect band position:"), band));
            data->Header = pendingHeader;
            pendingHeader = nullptr;
            for (qsizetype i = 0; i < pendingGroups.size(); ++i)
                (i == 0 ? static_cast<TfrxBand *>(data) : pendingGroups[i - 1])->Group = pendingGroups[i];
            openGroups.append(pendingGroups);
            pendingGroups.clear();
            open.append(data);
        } else if (qobject_cast<TfrxGroupHeader *>(band) != nullptr) {
            pendingGroups.append(band);
        } else if (qobject_cast<TfrxGroupFooter *>(band) != nullptr) {
            if (openGroups.isEmpty()) {
                FReport->AddError(BandError(QStringLiteral("enUnconnGFooter"), QStringLiteral("No group header for"), band));
                continue;
            }
            openGroups.takeLast()->Footer = band;
        } else if (qobject_cast<TfrxHeader *>(band) != nullptr) {
            if (pendingHeader != nullptr)
                unconnected(pendingHeader);
            pendingHeader = band;
        } else if (qobject_cast<TfrxFooter *>(band) != nullptr) {
            while (!open.isEmpty() && open.constLast()->Footer != nullptr)
                open.removeLast();
            if (open.isEmpty()) {
                unconnected(band);
                continue;
            }
            open.takeLast()->Footer = band;
        }
    }
    if (pendingHeader != nullptr)
        unconnected(pendingHeader);
    if (!pendingGroups.isEmpty())
        FReport->AddError(BandError(QStringLiteral("enUnconnGroup"), QStringLiteral("No data band for the group"),
                                    pendingGroups.constFirst()));
}
