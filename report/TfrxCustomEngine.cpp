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
