#include "TfrxClassRegistry.h"

#include "TfrxBands.h"
#include "TfrxCustomLineView.h"
#include "TfrxDataBand.h"
#include "TfrxDataPage.h"
#include "TfrxDialogPage.h"
#include "TfrxFrame.h"
#include "TfrxLineView.h"
#include "TfrxMemoView.h"
#include "TfrxPictureView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxShapeView.h"
#include "TfrxStyleItem.h"
#include "TfrxSubreport.h"
#include "TfrxSysMemoView.h"
#include "TfrxUserDataSet.h"

#include <QMetaObject>

TfrxClassRegistry &TfrxClassRegistry::Instance()
{
    static TfrxClassRegistry registry;
    return registry;
}

TfrxClassRegistry::TfrxClassRegistry()
{
    // Bands, pages, views (the text objects among them), data sets and the report's item classes
    // of the object model.
    Register<TfrxChild>();
    Register<TfrxColumnFooter>();
    Register<TfrxColumnHeader>();
    Register<TfrxMasterData>();
    Register<TfrxDetailData>();
    Register<TfrxSubdetailData>();
    Register<TfrxDataBand4>();
    Register<TfrxDataBand5>();
    Register<TfrxDataBand6>();
    Register<TfrxDialogPage>();
    Register<TfrxFooter>();
    Register<TfrxFrame>();
    Register<TfrxGroupFooter>();
    Register<TfrxGroupHeader>();
    Register<TfrxHeader>();
    Register<TfrxLineView>();
    Register<TfrxOverlay>();
    Register<TfrxPageFooter>();
    Register<TfrxPageHeader>();
    Register<TfrxPictureView>();
    Register<TfrxReport>();
    Register<TfrxReportPage>();
    Register<TfrxReportSummary>();
    Register<TfrxReportTitle>();
    Register<TfrxShapeView>();
    Register<TfrxSubreport>();
    Register<TfrxStyleItem>();
    Register<TfrxNullBand>();
    Register<TfrxCustomLineView>();
    Register<TfrxDataPage>();
    Register<TfrxUserDataSet>();
    Register<TfrxMemoView>();
    Register<TfrxSysMemoView>();
}

void TfrxClassRegistry::Register(const QMetaObject *metaObject, Factory factory)
{
    FClasses.insert(QString::fromLatin1(metaObject->className()), {metaObject, std::move(factory)});
}

QObject *TfrxClassRegistry::Create(const QString &className, QObject *owner) const
{
    const auto it = FClasses.constFind(className);
    return it == FClasses.constEnd() ? nullptr : it->Create(owner);
}

const QMetaObject *TfrxClassRegistry::Find(const QString &className) const
{
    const auto it = FClasses.constFind(className);
    return it == FClasses.constEnd() ? nullptr : it->MetaObject;
}

QStringList TfrxClassRegistry::ClassNames() const
{
    QStringList names = FClasses.keys();
    names.sort();
    return names;
}
