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
    // Objects that came from a parent template are written as their differences from it.
    if (TfrxReport *parent = report->ParentReportObject()) {
        serializer.SetOnGetAncestor([report, parent](const QString &name) -> TfrxComponent * {
            if (name == report->Name())
                return parent;
            return parent->FindObject(name);
        });
    }
    serializer.WriteRootComponent(report, true);
}

}  // namespace

void zorRegisterTemplateFormat()
{
    TfrxTemplateFormat::Register({readTemplate, writeTemplate});
}
