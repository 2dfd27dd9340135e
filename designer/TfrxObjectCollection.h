#pragma once

#include <QIcon>
#include <QList>
#include <QString>

struct QMetaObject;

// The page kinds an insertable object may be placed on.
enum TfrxPageKind {
    pkData = 1,
    pkReport = 2,
    pkDialog = 4,
    pkDotMatrix = 8,
};

// One button of the designer's object toolbar: an object class with its palette variant, or a
// category whose button opens a menu of the objects registered under it.
struct TfrxObjectItem {
    const QMetaObject *ClassRef = nullptr; // none for a category
    QIcon ButtonBmp;
    int ButtonImageIndex = -1;
    QString ButtonHint; // a key of the string table
    QString CategoryName;
    int Flags = 0;
    int PageKinds = 0;

    bool IsCategory() const { return ClassRef == nullptr; }
};

// The process-wide registry of the objects the designer can insert, filled at start-up in the
// order the toolbar shows them. Registering a class also makes it known to the template reader.
class TfrxObjectCollection
{
public:
    static TfrxObjectCollection &Instance();

    // Ignores a second registration of the same class with the same flags. Without page kinds the
    // object goes on report pages.
    void RegisterObject1(const QMetaObject *classRef, const QIcon &button, int pageKinds = 0, int imageIndex = -1,
                         int flags = 0, const QString &categoryName = {}, const QString &hintKey = {});
    void RegisterObject(const QMetaObject *classRef, const QIcon &button, const QString &categoryName = {});
    void RegisterCategory(const QString &categoryName, const QIcon &button, int imageIndex = -1,
                          const QString &hintKey = {});
    void Unregister(const QMetaObject *classRef);

    const QList<TfrxObjectItem> &Items() const { return FItems; }
    // The objects of a category that may go on a page of the given kind.
    QList<TfrxObjectItem> CategoryItems(const QString &categoryName, int pageKind) const;

private:
    TfrxObjectCollection() = default;
    QList<TfrxObjectItem> FItems;
};

// Registers the standard report objects in the toolbar's order.
void zorRegisterStandardObjects();
