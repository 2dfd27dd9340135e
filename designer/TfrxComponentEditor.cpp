#include "TfrxComponentEditor.h"

#include "TfrxBandEditors.h"
#include "TfrxBands.h"
#include "TfrxDataBand.h"
#include "TfrxLineView.h"
#include "TfrxPageEditors.h"
#include "TfrxPictureView.h"
#include "TfrxReportPage.h"
#include "TfrxSubreport.h"
#include "TfrxSysMemoView.h"
#include "TfrxViewEditors.h"

#include <QMetaObject>

TfrxComponentEditor::TfrxComponentEditor(TfrxComponent *component, TfrxCustomDesigner &designer)
    : FComponent(component), FDesigner(designer)
{
}

TfrxComponentEditor::~TfrxComponentEditor() = default;

bool TfrxComponentEditor::Edit()
{
    return false;
}
bool TfrxComponentEditor::HasEditor() const
{
    return false;
}
QList<TfrxMenuItem> TfrxComponentEditor::GetMenuItems() const
{
    return {};
}
bool TfrxComponentEditor::Execute(int, bool)
{
    return false;
}

TfrxComponentEditors &TfrxComponentEditors::Instance()
{
    static TfrxComponentEditors editors;
    return editors;
}

void TfrxComponentEditors::Register(const QMetaObject *componentClass, Factory factory)
{
    FEntries.append({componentClass, std::move(factory)});
}

std::unique_ptr<TfrxComponentEditor>
TfrxComponentEditors::GetComponentEditor(TfrxComponent *component, TfrxCustomDesigner &designer) const
{
    const Entry *found = nullptr;
    if (component != nullptr) {
        const QMetaObject *cls = component->metaObject();
        for (auto entry = FEntries.crbegin(); entry != FEntries.crend(); ++entry) {
            if (entry->ComponentClass == cls) {
                found = &*entry;
                break;
            }
            if (found == nullptr && cls->inherits(entry->ComponentClass))
                found = &*entry;
        }
    }
    if (found == nullptr)
        return std::make_unique<TfrxComponentEditor>(component, designer);
    return found->Create(component, designer);
}

namespace {

template <class Component, class Editor> void Register()
{
    TfrxComponentEditors::Instance().Register(&Component::staticMetaObject,
                                              [](TfrxComponent *component, TfrxCustomDesigner &designer) {
                                                  return std::make_unique<Editor>(component, designer);
                                              });
}

} // namespace

void zorRegisterComponentEditors()
{
    static const bool registered = [] {
        Register<TfrxReportPage, TfrxReportPageEditor>();
        Register<TfrxView, TfrxViewEditor>();
        Register<TfrxMemoView, TfrxCustomMemoEditor>();
        Register<TfrxSysMemoView, TfrxSysMemoEditor>();
        Register<TfrxLineView, TfrxLineEditor>();
        Register<TfrxPictureView, TfrxPictureEditor>();
        Register<TfrxBand, TfrxBandEditor>();
        Register<TfrxDataBand, TfrxDataBandEditor>();
        Register<TfrxHeader, TfrxHeaderEditor>();
        Register<TfrxPageHeader, TfrxPageHeaderEditor>();
        Register<TfrxPageFooter, TfrxPageFooterEditor>();
        Register<TfrxGroupHeader, TfrxGroupHeaderEditor>();
        Register<TfrxColumnHeader, TfrxColumnHeaderEditor>();
        // Column footers and overlays have no switches: the plain editor keeps the band items away.
        Register<TfrxColumnFooter, TfrxComponentEditor>();
        Register<TfrxOverlay, TfrxComponentEditor>();
        Register<TfrxSubreport, TfrxSubreportEditor>();
        return true;
    }();
    Q_UNUSED(registered);
}
