#include "TfrxCustomEngine.h"

#include "TfrxBand.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"

void TfrxCustomEngine::ShowBandByName(const QString &name)
{
    if (auto *band = qobject_cast<TfrxBand *>(FReport->FindObject(name)))
        ShowBand(band);
}

void TfrxCustomEngine::StopReport()
{
    FReport->SetTerminated(true);
}

bool TfrxCustomEngine::GetDoublePass() const
{
    return FReport->EngineOptions()->DoublePass;
}

void TfrxCustomEngine::ToggleDrillDown(const QString &drillName)
{
    if (!FDrillState.remove(drillName))
        FDrillState.insert(drillName);
}

bool TfrxCustomEngine::DrillExpanded(const QString &drillName, bool expandByDefault) const
{
    return FDrillState.contains(drillName) != expandByDefault;
}
