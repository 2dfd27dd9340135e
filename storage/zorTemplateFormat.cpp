#include "zorTemplateFormat.h"

#include "TfrxReport.h"
#include "TfrxTemplateFormat.h"
#include "TfrxXMLSerializer.h"

namespace {

QStringList readTemplate(TfrxReport *report, QIODevice *stream)
{
    TfrxXMLSerializer serializer(stream);
    serializer.SetOwner(report);
    serializer.SetHandleNestedProperties(true);
    serializer.ReadRootComponent(report);
    return serializer.Errors();
}

void writeTemplate(TfrxReport *report, QIODevice *stream)
{
    TfrxXMLSerializer serializer(stream);
    serializer.SetOwner(report);
    serializer.SetHandleNestedProperties(true);
    serializer.WriteRootComponent(report, true);
}

}  // namespace

void zorRegisterTemplateFormat()
{
    TfrxTemplateFormat::Register({readTemplate, writeTemplate});
}
