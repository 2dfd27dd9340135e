#pragma once

#include "CsvDataSet.h"
#include "VariableOptions.h"

#include <QList>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class TfrxReport;

// What a zorreport command reads: a template, prepared with the CSV data sets and variables given
// on the command line, or a prepared report taken as it is. The data sets it loads belong to it
// and must outlive the report that lists them.
class ReportInput
{
public:
    QString File;

    // Takes ALIAS=FILE.csv; false for a text without both parts.
    bool AddData(const QString &assignment);
    // Takes NAME=VALUE for a variable of the template; false for a text without a name and "=".
    bool AddVariable(const QString &assignment) { return FVariables.Add(assignment); }

    // Fills `report`'s prepared pages: read from a prepared report when `preparedAllowed` and the
    // file is one, else prepared from the template. False with the message.
    bool Load(TfrxReport &report, bool preparedAllowed, QString &error);

private:
    bool LoadPrepared(TfrxReport &report, QString &error) const;
    bool Prepare(TfrxReport &report, QString &error);
    bool LoadDataSets(QString &error);

    QList<std::pair<QString, QString>> FData;
    VariableOptions FVariables;
    std::vector<std::unique_ptr<CsvDataSet>> FDataSets;
};
