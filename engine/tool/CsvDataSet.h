#pragma once

#include "TfrxUserDataSet.h"

#include <QList>
#include <QStringList>

class QIODevice;

// A data set read from a CSV file: the first line names the fields, every further line is a
// record. Values are texts; fields are separated by commas and may be quoted with double quotes
// ("" inside quotes is one quote). An empty field is null.
class CsvDataSet : public TfrxUserDataSet
{
    Q_OBJECT

public:
    explicit CsvDataSet(QObject *owner = nullptr);

    // Reads the file; false with a message when it cannot be read or has no header line.
    bool LoadFromFile(const QString &fileName, QString &error);
    // The same from an open device; fileName only names it in the error.
    bool LoadFromDevice(QIODevice &device, const QString &fileName, QString &error);
    void SetRows(const QStringList &fields, const QList<QStringList> &rows);
    int RecordCount() const override { return int(FRows.size()); }

    // One line of CSV split into its values.
    static QStringList SplitLine(const QString &line);

private:
    QList<QStringList> FRows;
};
