#pragma once

#include <QList>
#include <QStringList>

class TfrxStyles;

// A library of style sets (without report), owned; used by the designer.
class TfrxStyleSheet
{
public:
    TfrxStyleSheet() = default;
    ~TfrxStyleSheet();
    TfrxStyleSheet(const TfrxStyleSheet &) = delete;
    TfrxStyleSheet &operator=(const TfrxStyleSheet &) = delete;

    TfrxStyles *Add();
    void Delete(qsizetype index);
    void Clear();
    qsizetype Count() const { return FItems.size(); }
    TfrxStyles *Items(qsizetype index) const { return FItems.value(index); }
    // By the set's name, without regard to case.
    TfrxStyles *Find(const QString &name) const;
    qsizetype IndexOf(const QString &name) const;
    QStringList GetList() const;

private:
    QList<TfrxStyles *> FItems;
};
