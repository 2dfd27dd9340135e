#pragma once

#include "TfrxComponent.h"

#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class TfrxReportDataSets;
class TfrxStyles;
class TfrxDataSet;
class TfrxDrawText;
class QIODevice;

// The root of a report's object tree. This is the part of the report component that the object
// model itself needs (the tree root, its data-set lists and styles); loading, preparing, showing
// and printing are added on top of it.
class TfrxReport : public TfrxComponent
{
    Q_OBJECT

public:
    explicit TfrxReport(QObject *owner = nullptr);
    ~TfrxReport() override;

    TfrxReportDataSets *DataSets() const { return FDataSets; }
    TfrxReportDataSets *EnabledDataSets() const { return FEnabledDataSets; }
    TfrxStyles *Styles() const { return FStyles; }
    // Whether data sets are looked up in the process-wide list (an engine option).
    bool UseGlobalDataSetList() const { return FUseGlobalDataSetList; }
    void SetUseGlobalDataSetList(bool value) { FUseGlobalDataSetList = value; }

    // Calculates an expression for a bracketed part of a text through the calculation handler.
    // Without a handler (no script engine attached) the expression has no value.
    virtual QVariant Calc(const QString &expression);
    using CalcHandler = std::function<QVariant(const QString &expression)>;
    // Replaces the calculation: the script engine plugs in here, tests supply their own values.
    void SetCalcHandler(CalcHandler handler) { FCalcHandler = std::move(handler); }
    // The value of the object being output, the variable "Value" of scripts and conditions.
    QVariant LocalValue() const { return FLocalValue; }
    void SetLocalValue(const QVariant &value) { FLocalValue = value; }
    // The report's text layout engine; it is used under TfrxDrawText's process-wide lock.
    TfrxDrawText &DrawText() const { return *FDrawText; }
    // Variables shared by every report of the process (printing sets "CopyName"); an invalid
    // value when there is no such variable.
    static QVariant GlobalVariable(const QString &name);
    static void SetGlobalVariable(const QString &name, const QVariant &value);
    static void RemoveGlobalVariable(const QString &name);
    QString ScriptLanguage() const { return FScriptLanguage; }
    void SetScriptLanguage(const QString &value) { FScriptLanguage = value; }
    // The name of the object whose event or expression is being evaluated ("Self").
    QString CurObject() const { return FCurObject; }
    void SetCurObject(const QString &value) { FCurObject = value; }

    // Template storage through the registered template format. LoadFromFile clears the report and
    // returns whether the file existed; a missing file raises TfrxError when exceptionIfNotFound.
    bool LoadFromFile(const QString &fileName, bool exceptionIfNotFound = true);
    // Clears the report and reads a template; problems go to Errors, the load never raises.
    void LoadFromStream(QIODevice *stream);
    // Writes the template through a temporary file in the same folder renamed over fileName, so a
    // failed save leaves the old file as it was. Returns false when nothing was replaced.
    bool SaveToFile(const QString &fileName);
    // Raises TfrxError when no template format is registered.
    void SaveToStream(QIODevice *stream);
    // The file last loaded; empty after a load from a stream or a missing file.
    QString FileName() const { return FFileName; }
    // The problems of the last load, each message once, sorted.
    const QStringList &Errors() const { return FErrors; }
    void AddError(const QString &message);
    // Makes sure the report has a data page, named "Data" unless that name is taken, as its first child.
    void CheckDataPage();

    // The data set through the report's list by user name.
    TfrxDataSet *GetDataset(const QString &alias) const;
    // A field reference of the form DataSet."Field": the data set and the field name; none when
    // the text is no field reference or the data set is not in the report's list.
    bool GetDatasetAndField(const QString &name, TfrxDataSet *&dataSet, QString &field) const;
    // The user name of a listed data set, else "(dataset is not included in Report.DataSets)".
    QString GetAlias(const TfrxDataSet *dataSet) const;
    // The user names of the listed data sets (without user data sets when onlyDB).
    QStringList GetDataSetList(bool onlyDB) const;
    // The enabled data sets with a user name that expressions can reach.
    QList<TfrxDataSet *> GetActiveDataSetList() const;

private:
    TfrxReportDataSets *FDataSets;
    TfrxReportDataSets *FEnabledDataSets;
    TfrxStyles *FStyles;
    bool FUseGlobalDataSetList = true;
    QString FScriptLanguage = QStringLiteral("PascalScript");
    QString FCurObject;
    CalcHandler FCalcHandler;
    QVariant FLocalValue;
    std::unique_ptr<TfrxDrawText> FDrawText;
    QString FFileName;
    QStringList FErrors;
};
