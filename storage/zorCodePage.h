#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// The single-byte code page that stands for the system code page of the old file format:
// Windows-1251. Bytes that code page leaves undefined decode to the C1 control character of the
// same value, so decoding and encoding back keeps every byte.
QString zorSingleByteToString(const char *data, qsizetype size);

// Appends the single-byte form of `text` to `out`; each character outside the code page, however
// many UTF-16 units it takes, becomes one '?'.
void zorAppendSingleByte(QByteArray &out, QStringView text);

// The distinct characters of `text` that the code page cannot hold, in order of appearance, so that
// callers that must not lose them silently can say which.
QString zorUnrepresentable(QStringView text);

inline QString zorFromSingleByte(const QByteArray &bytes)
{
    return zorSingleByteToString(bytes.constData(), bytes.size());
}

inline QByteArray zorToSingleByte(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    zorAppendSingleByte(out, text);
    return out;
}
