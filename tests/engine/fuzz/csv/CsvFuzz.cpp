// Reads any bytes as a CSV file of zorreport's --data and walks every value of every record.
#include "CsvDataSet.h"

#include <QBuffer>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    CsvDataSet dataSet;
    QString error;
    if (!dataSet.LoadFromDevice(buffer, QStringLiteral("fuzz.csv"), error))
        return 0;
    const QStringList fields = dataSet.Fields();
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next())
        for (const QString &field : fields)
            dataSet.GetValue(field);
    return 0;
}
