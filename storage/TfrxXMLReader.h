#pragma once

#include <QtGlobal>

#include <memory>

class QIODevice;
class TfrxXMLItem;
class TfrxXMLReaderPrivate;

// Reads elements of the library's XML dialect from a stream through a 4096-byte buffer. It never
// reads beyond the stream size seen when it was created; when it goes, the stream is left just
// after the last tag it consumed, so one element can be read from a stream holding more data.
// Syntax errors raise TfrxInvalidXMLException; a failing stream raises TfrxFileException.
class TfrxXMLReader
{
public:
    explicit TfrxXMLReader(QIODevice *stream);
    ~TfrxXMLReader();
    TfrxXMLReader(const TfrxXMLReader &) = delete;
    TfrxXMLReader &operator=(const TfrxXMLReader &) = delete;

    // Reads the "<?xml ...?>" tag and decides between the UTF-8 and the old single-byte format.
    void ReadHeader();
    // Reads one element into `item`, with its children unless `ReadChildren` is false, in which
    // case children of elements marked as unloadable are skipped and those elements are left
    // unloaded with their offset. An item that already has a name keeps its name and text.
    // Returns false when the input ended before the element was complete, which a document
    // accepts in place of its missing end tags.
    bool ReadRootItem(TfrxXMLItem *item, bool ReadChildren = true);
    void SetPosition(qint64 pos);
    qint64 Position() const;

    // Set by ReadHeader: the text of tags is in the single-byte code page, not UTF-8.
    bool OldFormat() const;
    void SetOldFormat(bool oldFormat);
    // Old-format text is taken byte for byte (Latin-1) instead of through the code page.
    void SetOldFormatAsBytes(bool asBytes);

    // Deeper nesting than this is rejected as an invalid file.
    static constexpr int MaxDepth = 1024;

private:
    std::unique_ptr<TfrxXMLReaderPrivate> d;
};
