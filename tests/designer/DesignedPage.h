#pragma once

// A report with one page as the designer holds it: every object marked as designed, so that the
// setters ignore what an object's restrictions forbid, as they do in the designer.

#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"

#include <QString>
#include <QStringList>

#include <vector>

struct DesignedPage
{
    TfrxReport Report;
    TfrxReportPage *Page = new TfrxReportPage(&Report);

    DesignedPage()
    {
        Page->SetName(QStringLiteral("Page1"));
        Page->SetIsDesigning(true);
    }

    // A new object of class T in parent with the given name, bounds and restrictions.
    template <typename T = TfrxMemoView>
    T *Add(TfrxComponent *parent, const char *name, double left, double top, double width, double height,
           zor::TfrxRestrictions restrictions = {})
    {
        auto *object = new T(parent);
        object->SetName(QString::fromLatin1(name));
        object->SetBounds(left, top, width, height);
        object->SetRestrictions(restrictions);
        object->SetIsDesigning(true);
        return object;
    }

    TfrxComponent *Find(const char *name) const { return Report.FindObject(QString::fromLatin1(name)); }

    QList<TfrxComponent *> Objects(const std::vector<const char *> &names) const
    {
        QList<TfrxComponent *> objects;
        for (const char *name : names)
            objects.append(Find(name));
        return objects;
    }

    static QStringList Names(const QList<TfrxComponent *> &objects)
    {
        QStringList names;
        for (const TfrxComponent *object : objects)
            names.append(object->Name());
        return names;
    }
};
