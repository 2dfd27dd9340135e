#include "TfrxDesignerPictureCache.h"

#include "TfrxPictureView.h"

int TfrxDesignerPictureCache::Add(const TfrxPictureView &view)
{
    const qint64 key = view.Picture().cacheKey();
    if (const auto it = FByImage.constFind(key); it != FByImage.constEnd())
        return it.value();
    const QByteArray data = view.PictureData();
    int index = FByData.value(data, -1);
    if (index < 0) {
        index = int(FData.size());
        FData.append(data);
        FByData.insert(data, index);
    }
    FByImage.insert(key, index);
    return index;
}

void TfrxDesignerPictureCache::Load(int index, TfrxPictureView &view) const
{
    if (index < 0 || index >= FData.size()) {
        view.SetPicture(QImage());
        return;
    }
    view.LoadPictureData(FData.at(index));
    FByImage.insert(view.Picture().cacheKey(), index);
}

void TfrxDesignerPictureCache::Clear()
{
    FData.clear();
    FByData.clear();
    FByImage.clear();
}
