#include "TfrxStyles.h"

#include "TfrxFont.h"
#include "TfrxFrame.h"
#include "TfrxProperties.h"
#include "TfrxReport.h"
#include "TfrxStyleItem.h"

TfrxStyles::TfrxStyles(TfrxReport *report, QObject *parent)
    : TfrxCollection([](TfrxCollection *) { return new TfrxStyleItem; }, parent), FReport(report)
{
}

TfrxStyleItem *TfrxStyles::Add()
{
    return static_cast<TfrxStyleItem *>(TfrxCollection::Add());
}

TfrxStyleItem *TfrxStyles::Items(qsizetype index) const
{
    return static_cast<TfrxStyleItem *>(Item(index));
}

TfrxStyleItem *TfrxStyles::Find(const QString &name) const
{
    for (qsizetype i = 0; i < Count(); ++i) {
        if (Items(i)->Name().compare(name, Qt::CaseInsensitive) == 0)
            return Items(i);
    }
    return nullptr;
}

QStringList TfrxStyles::GetList() const
{
    QStringList names;
    for (qsizetype i = 0; i < Count(); ++i)
        names.append(Items(i)->Name());
    return names;
}

void TfrxStyles::Apply() const
{
    if (FReport == nullptr)
        return;
    // Objects take part through their published Style property (text objects have one).
    for (TfrxComponent *c : FReport->GetAllObjects()) {
        const QVariant styleName = TfrxProperties::Read(c, u"Style");
        if (styleName.metaType().id() != QMetaType::QString || styleName.toString().isEmpty())
            continue;
        const TfrxStyleItem *style = Find(styleName.toString());
        if (style == nullptr) {
            TfrxProperties::Write(c, u"Style", QString());
            continue;
        }
        TfrxProperties::Write(c, u"Color", style->Color());
        TfrxProperties::Write(c, u"Font", QVariant::fromValue<QObject *>(style->Font()));
        TfrxProperties::Write(c, u"Frame", QVariant::fromValue<QObject *>(style->Frame()));
    }
}
