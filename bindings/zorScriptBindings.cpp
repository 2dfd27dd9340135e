#include "zorScriptBindings.h"

#include "TfrxReportServices.h"
#include "TfrxScriptBinder.h"

void zorRegisterScriptBindings()
{
    TfrxReportServices::Instance().BindScript = &TfrxScriptBinder::Bind;
    TfrxReportServices::Instance().RebindScript = &TfrxScriptBinder::Rebind;
}
