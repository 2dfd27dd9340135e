#include "TfrxComponentEditor.h"

#include <QMetaObject>

TfrxComponentEditor::TfrxComponentEditor(TfrxComponent *component, TfrxCustomDesigner &designer)
    : FComponent(component), FDesigner(designer)
{
}

TfrxComponentEditor::~TfrxComponentEditor() = default;

bool TfrxComponentEditor::Edit() { return false; }
bool TfrxComponentEditor::HasEditor() const { return false; }
QList<TfrxMenuItem> TfrxComponentEditor::GetMenuItems() const { return {}; }
bool TfrxComponentEditor::Execute(int, bool) { return false; }

TfrxComponentEditors &TfrxComponentEditors::Instance()
{
    static TfrxComponentEditors editors;
    return editors;
}

void TfrxComponentEditors::Register(const QMetaObject *componentClass, Factory factory)
{
    FEntries.append({componentClass, std::move(factory)});
}

std::unique_ptr<TfrxComponentEditor> TfrxComponentEditors::GetComponentEditor(TfrxComponent *component,
                                                                              TfrxCustomDesigner &designer) const
{
    return std::make_unique<TfrxComponentEditor>(component, designer);
}

void zorRegisterComponentEditors() {}
