#pragma once

#include <memory>

class QIODevice;
class TfrxXMLDocument;
class TfrxXMLItem;
class TfrxXMLWriterPrivate;

// Writes elements of the library's XML dialect to a stream, through a buffer passed on whenever
// it holds more than 4096 bytes. Names go out in the single-byte code page, attribute texts and
// values as UTF-8. A failing stream raises TfrxFileException.
class TfrxXMLWriter
{
public:
    explicit TfrxXMLWriter(QIODevice *stream);
    ~TfrxXMLWriter();
    TfrxXMLWriter(const TfrxXMLWriter &) = delete;
    TfrxXMLWriter &operator=(const TfrxXMLWriter &) = delete;

    // Each tag on its own line ending with CR LF, two spaces of indentation per level.
    void SetAutoIndent(bool autoIndent);
    // The document whose unloaded elements are brought back, written and unloaded again.
    void SetDocument(TfrxXMLDocument *document);

    void WriteHeader();
    // Writes the element with all its children and passes everything on to the stream.
    void WriteRootItem(TfrxXMLItem *item);

private:
    std::unique_ptr<TfrxXMLWriterPrivate> d;
};
