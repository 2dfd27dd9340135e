#include "zorTemplateFormat.h"

#include "TfrxReport.h"
#include "TfrxTemplateFormat.h"
#include "TfrxXMLSerializer.h"

QStringList zorReadTemplate(TfrxReport *report, QIODevice *stream, TfrxPictureStore *pictures)
{
    TfrxXMLSerializer serializer(stream);
    serializer.SetOwner(report);
    serializer.SetHandleNestedProperties(true);
    serializer.SetPictureStore(pictures);
    serializer.ReadRootComponent(report);
    return serializer.Errors();
}

void zorWriteTemplate(TfrxReport *report, QIODevice *stream, TfrxPictureStore *pictures)
{
    TfrxXMLSerializer serializer(stream);
    serializer.SetOwner(report);
    serializer.SetHandleNestedProperties(true);
    serializer.SetPictureStore(pictures);
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

void zorRegisterTemplateFormat()
{
    TfrxTemplateFormat::Register({[](TfrxReport *report, QIODevice *stream) { return zorReadTemplate(report, stream); },
                                  [](TfrxReport *report, QIODevice *stream) { zorWriteTemplate(report, stream); }});
}
