#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// The single-byte code page that stands for the system code page of the old file format:
// Windows-1251. Bytes that code page leaves undefined decode to the C1 control character of the
// same value, so decoding and encoding back keeps every byte.
QString zorSingleByteToString(const char *data, qsizetype size);

// Appends the single-byte form of `text` to `out`; characters outside the code page become '?'.
void zorAppendSingleByte(QByteArray &out, QStringView text);
