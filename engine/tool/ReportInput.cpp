#include "ReportInput.h"

#include "TfrxCustomPreviewPages.h"
#include "TfrxReport.h"
#include "TfrxReportDataSets.h"

#include <QFile>

namespace {

bool isPreparedReport(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) && file.read(4096).contains("<preparedreport");
}

QString errorText(const TfrxReport &report, const QString &fallback)
{
    return report.Errors().isEmpty() ? fallback : report.Errors().join(QLatin1Char('\n'));
}

} // namespace

bool ReportInput::AddData(const QString &assignment)
{
    const qsizetype eq = assignment.indexOf(QLatin1Char('='));
    if (eq <= 0 || eq == assignment.size() - 1)
        return false;
    FData.append({assignment.left(eq), assignment.mid(eq + 1)});
    return true;
}

bool ReportInput::Load(TfrxReport &report, bool preparedAllowed, QString &error)
{
    if (!QFile::exists(File)) {
        error = QStringLiteral("Cannot open file \"%1\"").arg(File);
        return false;
    }
    if (preparedAllowed && isPreparedReport(File))
        return LoadPrepared(report, error);
    return Prepare(report, error);
}

bool ReportInput::LoadPrepared(TfrxReport &report, QString &error) const
{
    if (!FVariables.IsEmpty()) {
        error = QStringLiteral("--var sets variables of a template, not of a prepared report");
        return false;
    }
    report.PreviewPages()->LoadFromFile(File, false);
    error = errorText(report, QString());
    return error.isEmpty();
}

bool ReportInput::Prepare(TfrxReport &report, QString &error)
{
    if (!LoadDataSets(error))
        return false;
    report.LoadFromFile(File, false);
    if (!report.Errors().isEmpty()) {
        error = errorText(report, QString());
        return false;
    }
    if (!FVariables.Apply(report, error))
        return false;
    for (const auto &dataSet : FDataSets) {
        if (report.DataSets()->Find(dataSet->UserName()) == nullptr)
            report.DataSets()->Add(dataSet.get());
    }
    if (!report.PrepareReport()) {
        error = errorText(report, QStringLiteral("The report could not be prepared"));
        return false;
    }
    return true;
}

bool ReportInput::LoadDataSets(QString &error)
{
    for (const auto &[alias, file] : FData) {
        auto dataSet = std::make_unique<CsvDataSet>();
        dataSet->SetUserName(alias);
        if (!dataSet->LoadFromFile(file, error))
            return false;
        FDataSets.push_back(std::move(dataSet));
    }
    return true;
}
