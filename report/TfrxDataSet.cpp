#include "TfrxDataSet.h"

#include "TfrxError.h"
#include "TfrxReport.h"

#include <QMutex>
#include <QMutexLocker>

using namespace zor;

namespace {

struct GlobalDataSets {
    QMutex Lock;
    QList<TfrxDataSet *> List;
};

GlobalDataSets &Global()
{
    static GlobalDataSets instance;
    return instance;
}

const TfrxReport *OwningReport(const TfrxDataSet *ds)
{
    if (const TfrxReport *r = ds->GetReport())
        return r;
    for (const QObject *o = ds->parent(); o != nullptr; o = o->parent()) {
        if (const auto *r = qobject_cast<const TfrxReport *>(o))
            return r;
    }
    return nullptr;
}

}  // namespace

TfrxDataSet::TfrxDataSet(QObject *owner) : TfrxDialogComponent(owner)
{
    QMutexLocker locker(&Global().Lock);
    Global().List.append(this);
}

TfrxDataSet::~TfrxDataSet()
{
    QMutexLocker locker(&Global().Lock);
    Global().List.removeOne(this);
}

void TfrxDataSet::SetUserName(const QString &value)
{
    if (value.trimmed().isEmpty())
        throw TfrxError(QStringLiteral("prInvProp"), QStringLiteral("Invalid property value"));
    FUserName = value;
}

void TfrxDataSet::SetName(const QString &value)
{
    TfrxDialogComponent::SetName(value);
    if (FUserName.isEmpty() && !value.trimmed().isEmpty())
        FUserName = value;
}

void TfrxDataSet::Open()
{
    if (OnOpen)
        OnOpen(this);
}

void TfrxDataSet::Close()
{
    if (OnClose)
        OnClose(this);
}

void TfrxDataSet::First()
{
    FRecNo = 0;
    FEof = false;
    if (OnFirst)
        OnFirst(this);
}

void TfrxDataSet::Next()
{
    FEof = false;
    ++FRecNo;
    if (FRangeEnd == reCount && FRecNo >= FRangeEndCount) {
        FRecNo = FRangeEndCount - 1;
        FEof = true;
        return;
    }
    if (OnNext)
        OnNext(this);
}

void TfrxDataSet::Prior()
{
    --FRecNo;
    if (OnPrior)
        OnPrior(this);
}

bool TfrxDataSet::Eof() const
{
    bool result = FRangeEnd == reCount && (FRecNo >= FRangeEndCount || FEof);
    if (OnCheckEOF)
        OnCheckEOF(const_cast<TfrxDataSet *>(this), result);
    return result;
}

QString TfrxDataSet::GetDisplayText(const QString &) const
{
    return {};
}

int TfrxDataSet::GetDisplayWidth(const QString &) const
{
    return 10;
}

QVariant TfrxDataSet::GetValue(const QString &) const
{
    return QVariant::fromValue(nullptr);
}

bool TfrxDataSet::HasField(const QString &field) const
{
    return GetFieldList().contains(field);
}

int TfrxDataSet::RecordCount() const
{
    return FRangeBegin == rbFirst && FRangeEnd == reCount ? FRangeEndCount : 0;
}

TfrxDataSet *TfrxDataSet::FindGlobal(TfrxDataSet *dataSet, const QString &name, const TfrxReport *report)
{
    if (report == nullptr)
        return dataSet;
    if (name.isEmpty())
        return nullptr;
    QMutexLocker locker(&Global().Lock);
    for (TfrxDataSet *ds : std::as_const(Global().List)) {
        if (ds->UserName().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const TfrxReport *owner = OwningReport(ds);
        if (owner != nullptr && owner != report)
            continue;
        return ds;
    }
    return nullptr;
}

QList<TfrxDataSet *> TfrxDataSet::GlobalList()
{
    QMutexLocker locker(&Global().Lock);
    QList<TfrxDataSet *> out;
    for (TfrxDataSet *ds : std::as_const(Global().List)) {
        if (ds->Enabled() && !ds->UserName().isEmpty())
            out.append(ds);
    }
    return out;
}
