#pragma once

#include "TfrxXMLSerializer.h"

#include <QByteArray>
#include <QHash>
#include <QList>

// The designer's pictures, each kept once: undo snapshots refer to them by index, so a snapshot
// of a report with pictures stays small and quick to write. A picture is recognised by its image
// (no encoding needed) or, the first time, by its bytes.
class TfrxDesignerPictureCache : public TfrxPictureStore
{
public:
    int Add(const TfrxPictureView &view) override;
    void Load(int index, TfrxPictureView &view) const override;
    void Clear();
    int Count() const { return int(FData.size()); }

private:
    QList<QByteArray> FData;
    QHash<QByteArray, int> FByData;
    mutable QHash<qint64, int> FByImage; // QImage::cacheKey to index
};
