#include "TfrxXMLDocument.h"

#include "TfrxFileException.h"
#include "TfrxInvalidXMLException.h"
#include "TfrxXMLItem.h"
#include "TfrxXMLReader.h"
#include "TfrxXMLWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <limits>

namespace {

[[noreturn]] void failFile(const QFileDevice &file)
{
    throw TfrxFileException(file.fileName(), file.errorString());
}

[[noreturn]] void failStream(const QIODevice &stream)
{
    const auto *file = qobject_cast<const QFileDevice *>(&stream);
    throw TfrxFileException(file ? file->fileName() : QStringLiteral("stream"), stream.errorString());
}

// Copies the whole of `from` to the end of `to`.
void copyStream(QIODevice &from, QIODevice &to)
{
    if (!from.seek(0))
        failStream(from);
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 got = from.read(chunk.data(), chunk.size());
        if (got < 0)
            failStream(from);
        if (got == 0)
            return;
        if (to.write(chunk.constData(), got) != got)
            failStream(to);
    }
}

} // namespace

class TfrxXMLDocumentPrivate
{
public:
    std::unique_ptr<TfrxXMLItem> root = std::make_unique<TfrxXMLItem>();
    bool autoIndent = false;
    QString tempDir;
    bool oldVersion = false;
    bool oldFormatAsBytes = false;

    std::unique_ptr<QIODevice> backing; // the stream unloaded elements live in
    bool tempFileCreated = false;
    // Bytes of the temporary file that are a copy of the partially loaded input; elements there
    // are in the input's format, elements appended after them are UTF-8.
    qint64 copiedInputSize = 0;

    void resetRoot()
    {
        root->Clear();
        root->SetName(QString());
        root->SetText(QString());
        root->SetValue(QString());
        root->SetOffset(0);
    }
    void read(QIODevice *stream, bool keepChildren);
};

void TfrxXMLDocumentPrivate::read(QIODevice *stream, bool keepChildren)
{
    TfrxXMLReader reader(stream);
    reader.SetOldFormatAsBytes(oldFormatAsBytes);
    reader.ReadHeader();
    oldVersion = reader.OldFormat();
    reader.ReadRootItem(root.get(), keepChildren);
}

TfrxXMLDocument::TfrxXMLDocument() : d(std::make_unique<TfrxXMLDocumentPrivate>()) {}

TfrxXMLDocument::~TfrxXMLDocument()
{
    // the tree goes first: nothing may read back from the backing stream any more
    d->root.reset();
    DeleteTempFile();
}

TfrxXMLItem *TfrxXMLDocument::Root() const
{
    return d->root.get();
}

bool TfrxXMLDocument::AutoIndent() const
{
    return d->autoIndent;
}

void TfrxXMLDocument::SetAutoIndent(bool autoIndent)
{
    d->autoIndent = autoIndent;
}

QString TfrxXMLDocument::TempDir() const
{
    return d->tempDir;
}

void TfrxXMLDocument::SetTempDir(const QString &dir)
{
    d->tempDir = dir;
}

bool TfrxXMLDocument::OldVersion() const
{
    return d->oldVersion;
}

void TfrxXMLDocument::SetOldFormatAsBytes(bool asBytes)
{
    d->oldFormatAsBytes = asBytes;
}

QString TfrxXMLDocument::TempFileName() const
{
    return d->tempFileCreated ? static_cast<QFileDevice *>(d->backing.get())->fileName() : QString();
}

void TfrxXMLDocument::Clear()
{
    DeleteTempFile();
    d->resetRoot();
}

void TfrxXMLDocument::LoadFromStream(QIODevice *stream)
{
    DeleteTempFile();
    d->resetRoot();
    d->read(stream, true);
}

void TfrxXMLDocument::LoadFromStream(std::unique_ptr<QIODevice> stream, bool AllowPartialLoading)
{
    if (!AllowPartialLoading) {
        LoadFromStream(stream.get());
        return;
    }
    DeleteTempFile();
    d->resetRoot();
    d->backing = std::move(stream);
    d->read(d->backing.get(), false);
}

void TfrxXMLDocument::SaveToStream(QIODevice *stream)
{
    TfrxXMLWriter writer(stream);
    writer.SetAutoIndent(d->autoIndent);
    writer.SetDocument(this);
    writer.WriteHeader();
    writer.WriteRootItem(d->root.get());
}

void TfrxXMLDocument::LoadFromFile(const QString &name)
{
    auto file = std::make_unique<QFile>(name);
    if (!file->open(QIODevice::ReadOnly))
        failFile(*file);
    LoadFromStream(std::move(file), true);
}

void TfrxXMLDocument::SaveToFile(const QString &name)
{
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        failFile(file);
    SaveToStream(&file);
    if (!file.commit())
        failFile(file);
    DeleteTempFile();
    LoadFromFile(name);
}

void TfrxXMLDocument::CreateTempFile()
{
    if (d->tempFileCreated)
        return;
    QString dir = d->tempDir;
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        dir = QDir::tempPath();
    auto file = std::make_unique<QTemporaryFile>(QDir(dir).filePath(QStringLiteral("frXXXXXX")));
    if (!file->open())
        failFile(*file);
    // Elements still unloaded point into the partially loaded input: keep them valid by
    // starting the temporary file with a copy of it.
    qint64 copied = 0;
    if (d->backing) {
        copyStream(*d->backing, *file);
        copied = file->pos();
    }
    DeleteTempFile();
    d->backing = std::move(file);
    d->tempFileCreated = true;
    d->copiedInputSize = copied;
}

void TfrxXMLDocument::DeleteTempFile()
{
    d->backing.reset(); // a temporary file removes itself when closed
    d->tempFileCreated = false;
    d->copiedInputSize = 0;
}

void TfrxXMLDocument::UnloadItem(TfrxXMLItem *item)
{
    if (!item->Loaded() || !item->Unloadable())
        return;
    QBuffer element;
    element.open(QIODevice::WriteOnly);
    TfrxXMLWriter writer(&element);
    writer.SetDocument(this);
    writer.WriteRootItem(item);

    CreateTempFile();
    QIODevice &stream = *d->backing;
    const qint64 offset = stream.size();
    if (quint64(offset) + quint64(element.size()) > TfrxXMLItem::MaxOffset)
        throw TfrxFileException(TempFileName(), QStringLiteral("File too large"));
    if (!stream.seek(offset) || stream.write(element.data()) != element.size())
        failStream(stream);
    if (auto *file = qobject_cast<QFileDevice *>(&stream); file && !file->flush())
        failFile(*file);
    item->SetOffset(quint64(offset));
    item->Clear();
}

void TfrxXMLDocument::LoadItem(TfrxXMLItem *item)
{
    if (!d->backing || !item->Unloadable() || item->Loaded())
        return;
    const qint64 inputEnd = d->tempFileCreated ? d->copiedInputSize : std::numeric_limits<qint64>::max();
    const bool fromInput = qint64(item->Offset()) < inputEnd;
    TfrxXMLReader reader(d->backing.get());
    reader.SetOldFormat(d->oldVersion && fromInput);
    reader.SetOldFormatAsBytes(d->oldFormatAsBytes);
    reader.SetPosition(qint64(item->Offset()));
    try {
        // An element this document wrote is whole: ending early means the temporary file was
        // damaged. The input may end early, as it did when it was loaded.
        if (!reader.ReadRootItem(item, true) && !fromInput)
            throw TfrxInvalidXMLException(reader.Position());
    } catch (...) {
        item->Clear(); // stays unloaded, without a part of its children
        throw;
    }
    item->SetLoaded(true);
}
