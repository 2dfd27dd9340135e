#include "CsvDataSet.h"

#include <QFile>
#include <QTextStream>

CsvDataSet::CsvDataSet(QObject *owner) : TfrxUserDataSet(owner)
{
    SetRangeEnd(zor::reCount);
    SetRangeEndCount(0);
    OnGetValue = [this](const QString &field, QVariant &value) {
        const qsizetype column = Fields().indexOf(field);
        if (column < 0 || RecNo() < 0 || RecNo() >= FRows.size())
            return;
        // An empty field is a missing value.
        const QString text = FRows.at(RecNo()).value(column);
        value = text.isEmpty() ? QVariant() : QVariant(text);
    };
}

// line -> value (',' value)* ; value -> '"' ('""' | any but '"')* '"' | any but ','*
QStringList CsvDataSet::SplitLine(const QString &line)
{
    QStringList values;
    QString value;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line.at(i + 1) == u'"') {
                value += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                value += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            values.append(value);
            value.clear();
        } else {
            value += c;
        }
    }
    values.append(value);
    return values;
}

void CsvDataSet::SetRows(const QStringList &fields, const QList<QStringList> &rows)
{
    SetFields(fields);
    FRows = rows;
    SetRangeEndCount(int(rows.size()));
}

bool CsvDataSet::LoadFromFile(const QString &fileName, QString &error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("Cannot read \"%1\": %2").arg(fileName, file.errorString());
        return false;
    }
    return LoadFromDevice(file, fileName, error);
}

bool CsvDataSet::LoadFromDevice(QIODevice &device, const QString &fileName, QString &error)
{
    QTextStream in(&device);
    in.setEncoding(QStringConverter::Utf8);
    QStringList fields;
    QList<QStringList> rows;
    bool header = true;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.trimmed().isEmpty())
            continue;
        if (header) {
            fields = SplitLine(line);
            for (QString &field : fields)
                field = field.trimmed();
            header = false;
        } else {
            rows.append(SplitLine(line));
        }
    }
    if (header) {
        error = QStringLiteral("\"%1\" has no line of field names").arg(fileName);
        return false;
    }
    SetRows(fields, rows);
    return true;
}
