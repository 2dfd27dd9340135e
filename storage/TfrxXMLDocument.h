#pragma once

#include <QString>

#include <memory>

class QIODevice;
class TfrxXMLItem;
class TfrxXMLDocumentPrivate;

// A file of the library's XML dialect: the root element and its tree. Elements marked as
// unloadable can be moved out of memory into a backing stream (the file a document was
// partially loaded from, or a temporary file) and brought back on demand. The temporary file
// is removed when the document is cleared, reloaded or destroyed.
class TfrxXMLDocument
{
public:
    TfrxXMLDocument();
    ~TfrxXMLDocument();
    TfrxXMLDocument(const TfrxXMLDocument &) = delete;
    TfrxXMLDocument &operator=(const TfrxXMLDocument &) = delete;

    TfrxXMLItem *Root() const;
    bool AutoIndent() const;
    void SetAutoIndent(bool autoIndent);
    QString TempDir() const;
    void SetTempDir(const QString &dir);
    // Set by loading: the input was in the old single-byte format.
    bool OldVersion() const;
    // Old-format text is taken byte for byte (Latin-1) instead of through the code page.
    void SetOldFormatAsBytes(bool asBytes);

    void Clear();
    // Reads the whole document; the stream stays the caller's.
    void LoadFromStream(QIODevice *stream);
    // With partial loading the document keeps the stream as its backing stream: elements marked
    // as unloadable stay on it until LoadItem. Without, the stream is released after reading.
    void LoadFromStream(std::unique_ptr<QIODevice> stream, bool AllowPartialLoading);
    void SaveToStream(QIODevice *stream);
    // Loads partially, keeping the file open as the backing stream.
    void LoadFromFile(const QString &name);
    // Writes atomically (a temporary file in the same folder renamed over `name`), then loads
    // the document again from `name`.
    void SaveToFile(const QString &name);

    void LoadItem(TfrxXMLItem *item);
    void UnloadItem(TfrxXMLItem *item);
    void CreateTempFile();
    void DeleteTempFile();
    // The name of the temporary file, empty while there is none.
    QString TempFileName() const;

private:
    std::unique_ptr<TfrxXMLDocumentPrivate> d;
};
