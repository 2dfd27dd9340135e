#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

class QIODevice;
class TfrxPictureView;
class TfrxXMLItem;

// Pictures of prepared pages, kept out of the page elements: each picture's encoded bytes once,
// in memory segments or, with the file cache, in temporary files removed with the cache.
class TfrxPictureCache
{
public:
    TfrxPictureCache();
    ~TfrxPictureCache();
    TfrxPictureCache(const TfrxPictureCache &) = delete;
    TfrxPictureCache &operator=(const TfrxPictureCache &) = delete;

    void Clear();
    int Count() const { return int(FItems.size()); }
    // Only while the cache is empty.
    void SetUseFileCache(bool value);
    void SetTempDir(const QString &dir);

    // Stores the view's picture and gives it its 1-based index; 0 for a view without a picture.
    void AddPicture(TfrxPictureView *view);
    // Loads the picture of the view's index into it; an index out of range empties the picture.
    void GetPicture(TfrxPictureView *view) const;
    QByteArray Bytes(int index) const;

    void SaveToXML(TfrxXMLItem *item) const;
    void LoadFromXML(TfrxXMLItem *item);

private:
    void Append(const QByteArray &data);

    struct Item {
        int Segment;
        qint64 Offset;
        qint64 Size;
    };
    std::vector<Item> FItems;
    std::vector<std::unique_ptr<QIODevice>> FSegments;
    bool FUseFileCache = false;
    QString FTempDir;
};
