#pragma once

#include "TfrxXMLItem.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>

#include <string>

// The tree of an item as one line: name{text}[children], text shown only when not empty.
inline std::string dumpItem(const TfrxXMLItem &item)
{
    std::string out = item.Name().toStdString();
    if (!item.Text().isEmpty())
        out += "{" + item.Text().toStdString() + "}";
    if (item.Count() > 0) {
        out += "[";
        for (int i = 0; i < item.Count(); ++i)
            out += (i ? " " : "") + dumpItem(*item.Items(i));
        out += "]";
    }
    return out;
}

// A read-only in-memory stream over a copy of `bytes`.
class ByteStream : public QBuffer
{
public:
    explicit ByteStream(const QByteArray &bytes)
    {
        FData = bytes;
        setBuffer(&FData);
        open(QIODevice::ReadOnly);
    }

private:
    QByteArray FData;
};
