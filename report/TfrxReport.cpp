#include "TfrxReport.h"

#include "TfrxDataPage.h"
#include "TfrxDataSet.h"
#include "TfrxError.h"
#include "TfrxTemplateFormat.h"
#include "TfrxDrawText.h"
#include "TfrxDataSetItem.h"
#include "TfrxReportDataSets.h"
#include "TfrxStyles.h"
#include "TfrxUserDataSet.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QSaveFile>

#include <algorithm>

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

const TfrxTemplateFormat &templateFormat()
{
    const TfrxTemplateFormat *format = TfrxTemplateFormat::Registered();
    if (format == nullptr)
        throw TfrxError(QString(), QStringLiteral("No template format is registered"));
    return *format;
}

}  // namespace

bool TfrxReport::LoadFromFile(const QString &fileName, bool exceptionIfNotFound)
{
    Clear();
    FFileName.clear();
    FErrors.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (exceptionIfNotFound)
            throw TfrxError(QString(),
                            QStringLiteral("Cannot open file \"%1\": %2").arg(fileName, file.errorString()));
        return false;
    }
    FFileName = fileName;
    LoadFromStream(&file);
    return true;
}

void TfrxReport::LoadFromStream(QIODevice *stream)
{
    FErrors.clear();
    Clear();
    try {
        for (const QString &error : templateFormat().Read(this, stream))
            AddError(error);
    } catch (const TfrxError &e) {
        AddError(e.Message());
    } catch (const std::exception &e) {
        AddError(QString::fromUtf8(e.what()));
    }
    CheckDataPage();
}

void TfrxReport::SaveToStream(QIODevice *stream)
{
    templateFormat().Write(this, stream);
}

bool TfrxReport::SaveToFile(const QString &fileName)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SaveToStream(&buffer);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile::commit can report success after a failed flush (a full disk) and then rename a
    // short file over the old one; flushing first and cancelling on failure keeps the old file.
    if (file.write(buffer.data()) != buffer.size() || !file.flush()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

void TfrxReport::AddError(const QString &message)
{
    const auto at = std::lower_bound(FErrors.begin(), FErrors.end(), message);
    if (at == FErrors.end() || *at != message)
        FErrors.insert(at, message);
}

void TfrxReport::CheckDataPage()
{
    const QList<TfrxComponent *> all = GetAllObjects();
    if (std::any_of(all.begin(), all.end(), [](TfrxComponent *c) { return qobject_cast<TfrxDataPage *>(c); }))
        return;
    auto *page = new TfrxDataPage(this);
    page->SetParent(this);
    if (FindObject(QStringLiteral("Data")) == nullptr)
        page->SetName(QStringLiteral("Data"));
    else
        page->CreateUniqueName();
    MoveToIndex(page, 0);
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
