// The walk over the records of data bands: filters, headers, groups, details and footers.
#include "TfrxEngine.h"

#include "TfrxBands.h"
#include "TfrxCustomMemoView.h"
#include "TfrxDataBand.h"
#include "TfrxDataSet.h"
#include "TfrxOutline.h"
#include "TfrxPreviewPages.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "TfrxUserDataSet.h"
#include "zorAggregate.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const QList<TfrxBand *> &SubBandsOf(QObject *object)
{
    static const QList<TfrxBand *> none;
    if (auto *page = qobject_cast<TfrxReportPage *>(object))
        return page->SubBands;
    if (auto *band = qobject_cast<TfrxBand *>(object))
        return band->SubBands;
    return none;
}

// A user data set that a template brings without a host behind it never reaches its end by itself
// (nothing tells it where its records stop): it has no records.
bool AtEnd(const TfrxDataSet *ds)
{
    const bool hostless = ds->metaObject() == &TfrxUserDataSet::staticMetaObject && ds->RangeEnd() == zor::reLast &&
                          !ds->OnCheckEOF;
    return hostless || ds->Eof();
}

bool IsTrue(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QString)
        return value.toString().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    return value.toBool();
}

}  // namespace

// The window system gets its messages (and a cancel request its way in) a few times a second,
// not once per record.
void TfrxEngine::ServiceEvents()
{
    if (FReport->EngineOptions()->EnableThreadSafe || QCoreApplication::instance() == nullptr)
        return;
    if (FServiceTimer.isValid() && FServiceTimer.elapsed() < 50)
        return;
    QCoreApplication::processEvents();
    FServiceTimer.start();
}

// CanShow: true with printIfDetailEmpty; otherwise when some record of a data band under the
// object has something to show. An object without data bands under it shows unless it is a page.
bool TfrxEngine::CanShow(QObject *object, bool printIfDetailEmpty)
{
    if (printIfDetailEmpty)
        return true;
    bool anyDataBand = false;
    for (TfrxBand *sub : SubBandsOf(object)) {
        auto *band = qobject_cast<TfrxDataBand *>(sub);
        TfrxDataSet *ds = band != nullptr ? band->EffectiveDataSet() : nullptr;
        if (ds == nullptr)
            continue;
        anyDataBand = true;
        DoNotifyEvent(band, band->OnMasterDetail());
        for (ds->First(); !AtEnd(ds) && !FReport->Terminated(); ds->Next()) {
            if (CanShow(band, band->PrintIfDetailEmpty()))
                return true;
        }
    }
    return !anyDataBand && qobject_cast<TfrxReportPage *>(object) == nullptr;
}

void TfrxEngine::ShowBandTree(QObject *object)
{
    ServiceEvents();
    if (FReport->Terminated())
        return;
    for (TfrxBand *sub : SubBandsOf(object)) {
        if (auto *band = qobject_cast<TfrxDataBand *>(sub); band != nullptr && band->EffectiveDataSet() != nullptr)
            ShowDataBand(band);
    }
}

void TfrxEngine::ShowDataBand(TfrxDataBand *band)
{
    TfrxDataSet *ds = band->EffectiveDataSet();
    ds->First();
    band->LineN = 1;
    band->LineThrough = 1;
    band->SetCurColumn(1);
    for (TfrxComponent *obj : band->Objects()) {
        if (auto *memo = qobject_cast<TfrxCustomMemoView *>(obj))
            memo->ResetSuppress();
    }
    TfrxBand *header = band->Header;
    const bool hasGroups = band->Group != nullptr;
    bool shownAny = false;
    for (; !AtEnd(ds) && !FReport->Terminated(); ds->Next()) {
        if (!band->Filter().trimmed().isEmpty() && !IsTrue(FReport->Calc(band->Filter())))
            continue;
        if (!CanShow(band, band->PrintIfDetailEmpty()))
            continue;
        const bool first = !shownAny;
        if (first) {
            AddToHeaderList(header);
            if (band->KeepHeader() && header != nullptr) {
                StartKeep(header);
                FKeepHeader = FKeeping;
            }
            if (band->KeepTogether())
                StartKeep(band);
            ShowBand(header);
            InitGroups(band, 0);
        } else {
            if (band->KeepTogether() && !hasGroups)
                StartKeep(band);
            CheckGroups(band);
        }
        for (TfrxBand *group : GroupChain(band))
            ++FGroupRecords[group];
        if (InCollapsedGroup(band)) {
            // A collapsed group hides its records; its totals still count them.
            FAggregates->AddValue(band);
            ++band->LineN;
            ++band->LineThrough;
        } else {
            ShowRecord(band);
        }
        if (first && band->KeepHeader())
            EndKeep(header);
        if (band->KeepTogether() && !hasGroups)
            EndKeep(band);
        shownAny = true;
    }
    if (!shownAny)
        return;
    // A row of columns left unfinished still takes its height.
    if (band->Columns() > 1 && band->CurColumn() > 1)
        FCurY = std::max(FCurY, band->MaxY);
    ShowGroupFooters(band, 0);
    if (!band->FooterAfterEach()) {
        // The footer takes the last record with it to the next page.
        const bool keepFooter = band->KeepFooter() && band->Footer != nullptr && !FKeeping;
        if (keepFooter) {
            StartKeep(band, FLastRecordPosition);
            FKeepCurY = FLastRecordY;
            FKeepFooter = FKeeping;
        }
        ShowBand(band->Footer);
        if (keepFooter)
            EndKeep(band);
    }
    if (band->KeepTogether())
        EndKeep(band);
    RemoveFromHeaderList(header);
}

// One record of a data band: the band, its outline entry, the detail bands under it and, when
// asked, its footer.
void TfrxEngine::ShowRecord(TfrxDataBand *band)
{
    FCurLine = band->LineN;
    FCurLineThrough = band->LineThrough;
    FLastRecordPosition = Pages()->GetCurPosition();
    FLastRecordY = FCurY;
    if (band->Columns() > 1 && band->CurColumn() == 1) {
        FColumnRowY = FCurY;
        FColumnRowPosition = Pages()->GetCurPosition();
    }
    ShowBand(band);
    ++band->LineN;
    ++band->LineThrough;
    if (band->Columns() > 1 && band->Visible())
        CheckBandColumns(band);
    const bool outline = !band->OutlineText().trimmed().isEmpty() && band->Visible();
    if (outline)
        Pages()->Outline().AddItem(FReport->Calc(band->OutlineText()).toString(), Pages()->CurPage(),
                                   qRound(FCurY - band->Height()));
    ShowBandTree(band);
    if (outline)
        Pages()->Outline().LevelUp();
    FIsFirstBand = false;
    if (band->FooterAfterEach())
        ShowBand(band->Footer);
}

bool TfrxEngine::InCollapsedGroup(const TfrxDataBand *band) const
{
    const QList<TfrxBand *> chain = GroupChain(band);
    return std::any_of(chain.begin(), chain.end(), [this](const TfrxBand *group) { return FCollapsed.contains(group); });
}

QList<TfrxBand *> TfrxEngine::GroupChain(const TfrxDataBand *band) const
{
    QList<TfrxBand *> chain;
    // The chain was built from distinct bands of one page, so it ends.
    for (TfrxBand *group = band->Group; group != nullptr && !chain.contains(group); group = group->Group)
        chain.append(group);
    return chain;
}

// Opening a group: its line number, its condition's value, keeping, the header, its outline entry
// and its place among the headers repeated on new pages.
void TfrxEngine::InitGroups(TfrxDataBand *band, int from)
{
    const QList<TfrxBand *> chain = GroupChain(band);
    for (int i = from; i < chain.size(); ++i) {
        auto *group = static_cast<TfrxGroupHeader *>(chain[i]);
        group->LineN = FGroupValues.contains(group) ? group->LineN + 1 : 1;
        const QString condition = group->Condition().trimmed();
        FGroupValues.insert(group, condition.isEmpty() ? QVariant() : FReport->Calc(condition));
        FGroupRecords.insert(group, 0);
        if (group->DrillDown()) {
            group->SetDrillName(group->Name() + QLatin1Char('.') + QString::number(++FDrillCounts[group]));
            if (DrillExpanded(group->DrillName(), group->ExpandDrillDown()))
                FCollapsed.remove(group);
            else
                FCollapsed.insert(group);
        }
        if (group->KeepTogether())
            StartKeep(group);
        ShowBand(group);
        if (!group->OutlineText().trimmed().isEmpty())
            Pages()->Outline().AddItem(FReport->Calc(group->OutlineText()).toString(), Pages()->CurPage(),
                                       qRound(FCurY - group->Height()));
        AddToHeaderList(group);
    }
}

void TfrxEngine::CheckGroups(TfrxDataBand *band)
{
    const QList<TfrxBand *> chain = GroupChain(band);
    for (int i = 0; i < chain.size(); ++i) {
        auto *group = static_cast<TfrxGroupHeader *>(chain[i]);
        const QString condition = group->Condition().trimmed();
        const QVariant value = condition.isEmpty() ? QVariant() : FReport->Calc(condition);
        if (value == FGroupValues.value(group))
            continue;
        TfrxDataSet *ds = band->EffectiveDataSet();
        ds->Prior();
        ShowGroupFooters(band, i);
        ds->Next();
        InitGroups(band, i);
        band->LineN = 1;
        return;
    }
}

// The footers of the groups from `from` inward, innermost first; a group of one record whose
// footer hides then only has its totals reset.
void TfrxEngine::ShowGroupFooters(TfrxDataBand *band, int from)
{
    const QList<TfrxBand *> chain = GroupChain(band);
    for (int i = int(chain.size()) - 1; i >= from; --i) {
        TfrxBand *group = chain[i];
        auto *footer = qobject_cast<TfrxGroupFooter *>(group->Footer);
        const bool collapsed = FCollapsed.remove(group);
        if (footer != nullptr) {
            const auto *header = static_cast<const TfrxGroupHeader *>(group);
            if ((footer->HideIfSingleDataRecord() && FGroupRecords.value(group) == 1) ||
                (collapsed && !header->ShowFooterIfDrillDown()))
                Aggregates().Reset(footer);
            else
                ShowBand(footer);
        }
        RemoveFromHeaderList(group);
        if (group->KeepTogether())
            EndKeep(group);
    }
}
