#include "TfrxObjectCollection.h"

#include "TfrxLineView.h"
#include "TfrxMemoView.h"
#include "TfrxPictureView.h"
#include "TfrxShapeView.h"
#include "TfrxSubreport.h"
#include "TfrxSysMemoView.h"
#include "zorDesignerIcons.h"

#include <QMetaObject>

TfrxObjectCollection &TfrxObjectCollection::Instance()
{
    static TfrxObjectCollection collection;
    return collection;
}

void TfrxObjectCollection::RegisterObject1(const QMetaObject *classRef, const QIcon &button, int pageKinds,
                                           int imageIndex, int flags, const QString &categoryName,
                                           const QString &hintKey)
{
    for (const TfrxObjectItem &item : std::as_const(FItems))
        if (item.ClassRef == classRef && item.Flags == flags)
            return;
    TfrxObjectItem item;
    item.ClassRef = classRef;
    item.ButtonBmp = button;
    item.ButtonImageIndex = imageIndex;
    item.ButtonHint = hintKey;
    item.CategoryName = categoryName;
    item.Flags = flags;
    item.PageKinds = pageKinds != 0 ? pageKinds : pkReport;
    FItems.append(item);
}

void TfrxObjectCollection::RegisterObject(const QMetaObject *classRef, const QIcon &button,
                                          const QString &categoryName)
{
    RegisterObject1(classRef, button, 0, -1, 0, categoryName);
}

void TfrxObjectCollection::RegisterCategory(const QString &categoryName, const QIcon &button, int imageIndex,
                                            const QString &hintKey)
{
    TfrxObjectItem item;
    item.ButtonBmp = button;
    item.ButtonImageIndex = imageIndex;
    item.ButtonHint = hintKey;
    item.CategoryName = categoryName;
    item.PageKinds = pkReport | pkDotMatrix;
    FItems.append(item);
}

void TfrxObjectCollection::Unregister(const QMetaObject *classRef)
{
    FItems.removeIf([classRef](const TfrxObjectItem &item) { return item.ClassRef == classRef; });
}

QList<TfrxObjectItem> TfrxObjectCollection::CategoryItems(const QString &categoryName, int pageKind) const
{
    QList<TfrxObjectItem> items;
    for (const TfrxObjectItem &item : FItems)
        if (!item.IsCategory() && item.CategoryName == categoryName && (item.PageKinds & pageKind) != 0)
            items.append(item);
    return items;
}

void zorRegisterStandardObjects()
{
    TfrxObjectCollection &objects = TfrxObjectCollection::Instance();
    if (!objects.Items().isEmpty())
        return;
    objects.RegisterObject1(&TfrxMemoView::staticMetaObject, zorDesignerIcon("obText"), 0, -1, 0, {}, QStringLiteral("obText"));
    objects.RegisterObject1(&TfrxPictureView::staticMetaObject, zorDesignerIcon("obPicture"), 0, -1, 0, {},
                            QStringLiteral("obPicture"));
    objects.RegisterObject1(&TfrxSubreport::staticMetaObject, zorDesignerIcon("obSubRep"), 0, -1, 0, {}, QStringLiteral("obSubRep"));
    objects.RegisterObject1(&TfrxSysMemoView::staticMetaObject, zorDesignerIcon("obSysText"), 0, -1, 0, {},
                            QStringLiteral("obSysText"));
    const QString draw = QStringLiteral("Draw");
    const QString other = QStringLiteral("Other");
    objects.RegisterCategory(draw, zorDesignerIcon("obCatDraw"), -1, QStringLiteral("obCatDraw"));
    objects.RegisterCategory(other, zorDesignerIcon("obCatOther"), -1, QStringLiteral("obCatOther"));
    objects.RegisterObject1(&TfrxLineView::staticMetaObject, zorDesignerIcon("obLine"), pkReport | pkDotMatrix, -1,
                            0, draw, QStringLiteral("obLine"));
    objects.RegisterObject1(&TfrxLineView::staticMetaObject, zorDesignerIcon("obDiagLine"), 0, -1, 1, draw,
                            QStringLiteral("obDiagLine"));
    const char *arrows[] = {"obArrowEnd", "obArrowStart", "obArrowBoth"};
    for (int flags = 2; flags <= 4; ++flags)
        objects.RegisterObject1(&TfrxLineView::staticMetaObject, zorDesignerIcon(arrows[flags - 2]), 0, -1, flags,
                                draw, QStringLiteral("obDiagLine"));
    const char *shapes[] = {"obRect", "obRoundRect", "obEllipse", "obTrian", "obDiamond"};
    for (int kind = 0; kind < 5; ++kind)
        objects.RegisterObject1(&TfrxShapeView::staticMetaObject, zorDesignerIcon(shapes[kind]), 0, -1, kind, draw,
                                QString::fromLatin1(shapes[kind]));
}
