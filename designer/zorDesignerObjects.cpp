#include "zorDesignerObjects.h"

#include "TfrxClassRegistry.h"
#include "TfrxDesigner.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxSubreport.h"

#include <QMetaObject>

void zorSetDesigning(TfrxComponent *root, bool designing)
{
    if (root == nullptr)
        return;
    root->SetIsDesigning(designing);
    for (TfrxComponent *object : root->GetAllObjects())
        object->SetIsDesigning(designing);
}

TfrxComponent *zorCreateDesignObject(const QMetaObject *componentClass, int flags, TfrxComponent *parent)
{
    if (componentClass == nullptr || parent == nullptr)
        return nullptr;
    QObject *created = TfrxClassRegistry::Instance().Create(QString::fromLatin1(componentClass->className()), parent);
    auto *object = qobject_cast<TfrxComponent *>(created);
    if (object == nullptr) {
        delete created;
        return nullptr;
    }
    object->DesignCreate(flags);
    object->CreateUniqueName();
    if (auto *subreport = qobject_cast<TfrxSubreport *>(object))
        zorAddSubreportPage(subreport);
    return object;
}

TfrxReportPage *zorAddReportPage(TfrxReport *report)
{
    auto *page = new TfrxReportPage(report);
    page->SetIsDesigning(true);
    page->CreateUniqueName();
    page->SetDefaults();
    if (const TfrxDesigner *designer = TfrxDesigner::Instance()) {
        page->SetPaperSize(designer->DefaultPaperSize);
        page->SetOrientation(designer->DefaultOrientation);
        page->SetLeftMargin(designer->DefaultLeftMargin);
        page->SetRightMargin(designer->DefaultRightMargin);
        page->SetTopMargin(designer->DefaultTopMargin);
        page->SetBottomMargin(designer->DefaultBottomMargin);
    }
    return page;
}

void zorAddSubreportPage(TfrxSubreport *subreport)
{
    if (TfrxReport *report = subreport->GetReport())
        subreport->SetPage(zorAddReportPage(report));
}
