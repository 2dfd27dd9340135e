#include "TfrxReport.h"

#include "TfrxDataSet.h"
#include "TfrxDrawText.h"
#include "TfrxDataSetItem.h"
#include "TfrxReportDataSets.h"
#include "TfrxStyles.h"
#include "TfrxUserDataSet.h"

#include <QHash>

using namespace zor;

TfrxReport::TfrxReport(QObject *owner)
    : TfrxComponent(owner),
      FDataSets(new TfrxReportDataSets(this, this)),
      FEnabledDataSets(new TfrxReportDataSets(this, this)),
      FStyles(new TfrxStyles(this, this)),
      FDrawText(std::make_unique<TfrxDrawText>())
{
    SetComponentStyle(ComponentStyle() | csHandlesNestedProperties);
}

TfrxReport::~TfrxReport()
{
    // The tree goes first so that objects do not outlive the lists they refer to.
    Clear();
}

QVariant TfrxReport::Calc(const QString &expression)
{
    return FCalcHandler ? FCalcHandler(expression) : QVariant();
}

namespace {

QHash<QString, QVariant> &GlobalVariables()
{
    static QHash<QString, QVariant> variables;
    return variables;
}

}  // namespace

QVariant TfrxReport::GlobalVariable(const QString &name)
{
    return GlobalVariables().value(name);
}

void TfrxReport::SetGlobalVariable(const QString &name, const QVariant &value)
{
    GlobalVariables().insert(name, value);
}

void TfrxReport::RemoveGlobalVariable(const QString &name)
{
    GlobalVariables().remove(name);
}

TfrxDataSet *TfrxReport::GetDataset(const QString &alias) const
{
    return FDataSets->Find(alias);
}

bool TfrxReport::GetDatasetAndField(const QString &name, TfrxDataSet *&dataSet, QString &field) const
{
    dataSet = nullptr;
    field.clear();
    const qsizetype i = name.indexOf(QStringLiteral(".\""));
    if (i < 0)
        return false;
    dataSet = FDataSets->Find(name.left(i));
    if (dataSet == nullptr)
        return false;
    // The field name runs from after the point and quote up to, without, the last character.
    field = name.mid(i + 2, std::max<qsizetype>(0, name.size() - i - 3));
    return true;
}

QString TfrxReport::GetAlias(const TfrxDataSet *dataSet) const
{
    if (dataSet != nullptr && FDataSets->Find(const_cast<TfrxDataSet *>(dataSet)) != nullptr)
        return dataSet->UserName();
    return QStringLiteral("(dataset is not included in Report.DataSets)");
}

QStringList TfrxReport::GetDataSetList(bool onlyDB) const
{
    QStringList out;
    for (qsizetype i = 0; i < FDataSets->Count(); ++i) {
        TfrxDataSet *ds = FDataSets->Items(i)->DataSet();
        if (ds == nullptr || (onlyDB && qobject_cast<TfrxUserDataSet *>(ds) != nullptr))
            continue;
        out.append(ds->UserName());
    }
    return out;
}

QList<TfrxDataSet *> TfrxReport::GetActiveDataSetList() const
{
    if (FUseGlobalDataSetList)
        return TfrxDataSet::GlobalList();
    QList<TfrxDataSet *> out;
    for (qsizetype i = 0; i < FEnabledDataSets->Count(); ++i) {
        TfrxDataSet *ds = FEnabledDataSets->Items(i)->DataSet();
        if (ds != nullptr && ds->Enabled())
            out.append(ds);
    }
    return out;
}
