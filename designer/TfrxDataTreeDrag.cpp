#include "TfrxDataTreeDrag.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

namespace {

// Only the data tree writes this format, so its presence tells a tree entry from any other text.
QString entryFormat()
{
    return QStringLiteral("application/x-zor-datatree-entry");
}

} // namespace

QMimeData *TfrxDataTreeDrag::ToMimeData() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << Text << Field << CreateField << CreateCaption;
    auto *data = new QMimeData;
    data->setText(Text);
    data->setData(entryFormat(), bytes);
    return data;
}

std::optional<TfrxDataTreeDrag> TfrxDataTreeDrag::FromMimeData(const QMimeData *data)
{
    if (data == nullptr || !data->hasFormat(entryFormat()))
        return std::nullopt;
    const QByteArray bytes = data->data(entryFormat());
    QDataStream in(bytes);
    TfrxDataTreeDrag entry;
    in >> entry.Text >> entry.Field >> entry.CreateField >> entry.CreateCaption;
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    return entry;
}
