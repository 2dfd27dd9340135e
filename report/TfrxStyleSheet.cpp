#include "TfrxStyleSheet.h"

#include "TfrxStyles.h"

TfrxStyleSheet::~TfrxStyleSheet()
{
    Clear();
}

TfrxStyles *TfrxStyleSheet::Add()
{
    FItems.append(new TfrxStyles(nullptr));
    return FItems.constLast();
}

void TfrxStyleSheet::Delete(qsizetype index)
{
    if (index >= 0 && index < FItems.size())
        delete FItems.takeAt(index);
}

void TfrxStyleSheet::Clear()
{
    qDeleteAll(std::exchange(FItems, {}));
}

TfrxStyles *TfrxStyleSheet::Find(const QString &name) const
{
    return FItems.value(IndexOf(name));
}

qsizetype TfrxStyleSheet::IndexOf(const QString &name) const
{
    for (qsizetype i = 0; i < FItems.size(); ++i) {
        if (FItems.at(i)->Name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QStringList TfrxStyleSheet::GetList() const
{
    QStringList names;
    for (const TfrxStyles *s : FItems)
        names.append(s->Name());
    return names;
}
