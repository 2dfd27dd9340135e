#include "ReportLibrary.h"

#include "zorDesigner.h"
#include "zorEngine.h"
#include "zorPreview.h"
#include "zorScriptBindings.h"
#include "zorTemplateFormat.h"

void registerReportLibrary()
{
    zorRegisterTemplateFormat();
    zorRegisterEngine();
    zorRegisterScriptBindings();
    zorRegisterPreview();
    zorRegisterDesigner();
}
