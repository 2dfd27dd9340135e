#pragma once

#include "TfrxCollection.h"

class TfrxReport;
class TfrxStyleItem;

// A named set of styles, owned by a report (or by a style sheet, without report).
class TfrxStyles : public TfrxCollection
{
    Q_OBJECT

public:
    TfrxStyles(TfrxReport *report, QObject *parent = nullptr);

    QString Name() const { return FName; }
    void SetName(const QString &value) { FName = value; }
    TfrxReport *Report() const { return FReport; }

    TfrxStyleItem *Add();
    TfrxStyleItem *Items(qsizetype index) const;
    // By name, without regard to case.
    TfrxStyleItem *Find(const QString &name) const;
    QStringList GetList() const;
    // Applies the named style to every object of the report that names one (its colour, font and
    // frame); an object naming a style the set lacks loses its style name.
    void Apply() const;

private:
    TfrxReport *FReport;
    QString FName;
};
