#include "TfrxEventProperty.h"

#include "TfrxComponent.h"
#include "TfrxCustomDesigner.h"
#include "TfrxDesigner.h"
#include "TfrxError.h"
#include "TfrxReport.h"
#include "TfrxResources.h"
#include "TfrxScriptCode.h"
#include "zorPropertyTypes.h"

TfrxPropertyAttributes TfrxEventProperty::GetAttributes() const
{
    return paValueList | paDialog | paMultiSelect;
}

QString TfrxEventProperty::GetValue() const
{
    return GetStrValue();
}

TfrxScriptCode TfrxEventProperty::Code() const
{
    return TfrxScriptCode(Designer().Report().ScriptLanguage());
}

QString TfrxEventProperty::Params() const
{
    return Code().EventParams(zorPropertyTypeName(Property()));
}

void TfrxEventProperty::GetValues()
{
    Values = Code().HandlerNames(Designer().ScriptLines(), Params());
}

void TfrxEventProperty::SetValue(const QString &value)
{
    SetStrValue(value.trimmed());
}

QString TfrxEventProperty::NewHandlerName() const
{
    const auto *component = qobject_cast<const TfrxComponent *>(Component());
    QString name = (component != nullptr ? component->Name() : QString()) + GetName();
    // An object of a parent template keeps its own handler there.
    if (component != nullptr && component->Ancestor())
        name += QStringLiteral("_inherited");
    return name;
}

bool TfrxEventProperty::Edit()
{
    if (!Designer().CheckOp(drDontEditReportScript))
        return false;
    const TfrxScriptCode code = Code();
    QStringList script = Designer().ScriptLines();
    int line = GetValue().isEmpty() ? -1 : code.Locate(script, GetValue());
    if (line >= 0) {
        Designer().ShowScript(line + 3, 1);
        return false;
    }
    const QString name = GetValue().isEmpty() ? NewHandlerName() : GetValue();
    SetStrValue(name);
    line = code.Locate(script, name);
    if (line < 0) {
        line = code.AddHandler(script, name, Params());
        if (line < 0) {
            SetStrValue(QString());
            throw TfrxError(QStringLiteral("dsCantFindProc"),
                            zorResources().Get(QStringLiteral("dsCantFindProc")));
        }
        Designer().SetScriptLines(script);
    } else {
        line += 2;
    }
    // The caret goes to the empty line inside the procedure.
    Designer().ShowScript(line + 1, 1);
    return false;
}
