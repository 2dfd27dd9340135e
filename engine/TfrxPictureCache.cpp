#include "TfrxPictureCache.h"

#include "TfrxPictureView.h"
#include "TfrxXMLItem.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryFile>

namespace {

// A segment is closed once it exceeds this size; a new one takes the next pictures.
constexpr qint64 kSegmentLimit = 1789569705;

}  // namespace

TfrxPictureCache::TfrxPictureCache() = default;
TfrxPictureCache::~TfrxPictureCache() = default;

void TfrxPictureCache::Clear()
{
    FItems.clear();
    // Temporary files are removed when their objects go.
    FSegments.clear();
}

void TfrxPictureCache::SetUseFileCache(bool value)
{
    if (FItems.empty())
        FUseFileCache = value;
}

void TfrxPictureCache::SetTempDir(const QString &dir)
{
    if (FItems.empty())
        FTempDir = dir;
}

void TfrxPictureCache::Append(const QByteArray &data)
{
    if (FSegments.empty() || FSegments.back()->size() > kSegmentLimit) {
        std::unique_ptr<QIODevice> segment;
        if (FUseFileCache) {
            const QString dir = FTempDir.isEmpty() ? QDir::tempPath() : FTempDir;
            auto file = std::make_unique<QTemporaryFile>(dir + QStringLiteral("/zorpicXXXXXX"));
            if (file->open())
                segment = std::move(file);
        }
        if (segment == nullptr) {
            auto buffer = std::make_unique<QBuffer>();
            buffer->open(QIODevice::ReadWrite);
            segment = std::move(buffer);
        }
        FSegments.push_back(std::move(segment));
    }
    QIODevice *segment = FSegments.back().get();
    const qint64 offset = segment->size();
    segment->seek(offset);
    segment->write(data);
    FItems.push_back(Item{int(FSegments.size()) - 1, offset, qint64(data.size())});
}

void TfrxPictureCache::AddPicture(TfrxPictureView *view)
{
    const QByteArray data = view->PictureData();
    if (data.isEmpty()) {
        view->SetImageIndex(0);
        return;
    }
    Append(data);
    view->SetImageIndex(Count());
}

QByteArray TfrxPictureCache::Bytes(int index) const
{
    if (index < 1 || index > Count())
        return {};
    const Item &item = FItems[size_t(index - 1)];
    QIODevice *segment = FSegments[size_t(item.Segment)].get();
    segment->seek(item.Offset);
    return segment->read(item.Size);
}

void TfrxPictureCache::GetPicture(TfrxPictureView *view) const
{
    const QByteArray data = Bytes(view->ImageIndex());
    if (data.isEmpty())
        view->SetPicture(QImage());
    else
        view->LoadPictureData(data);
}

void TfrxPictureCache::SaveToXML(TfrxXMLItem *item) const
{
    item->Clear();
    for (int i = 1; i <= Count(); ++i)
        item->Add(QStringLiteral("item"))
            ->SetProp(QStringLiteral("stream"), QString::fromLatin1(Bytes(i).toHex().toUpper()));
}

void TfrxPictureCache::LoadFromXML(TfrxXMLItem *item)
{
    Clear();
    for (int i = 0; i < item->Count(); ++i)
        Append(QByteArray::fromHex(item->Items(i)->Prop(QStringLiteral("stream")).toLatin1()));
}
