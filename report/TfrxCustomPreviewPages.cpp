#include "TfrxCustomPreviewPages.h"

#include "TfrxReportServices.h"

bool TfrxCustomPreviewPages::Print()
{
    const TfrxReportServices &services = TfrxReportServices::Instance();
    return FReport != nullptr && services.Print && services.Print(*FReport);
}
