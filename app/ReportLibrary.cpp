#include "ReportLibrary.h"

#include "TOperatorDialogs.h"
#include "TfrxResources.h"

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

void loadRussianTexts(TOperatorDialogs &dialogs)
{
    QString error;
    if (zorResources().LoadLanguage(QStringLiteral("Russian"), &error) || error.isEmpty())
        return;
    dialogs.message(nullptr, QStringLiteral("Файл русского языка не прочитан, окна печати и настройки "
                                            "будут на английском.\n\n%1")
                                 .arg(error));
}
