#include "TfrxXMLWriter.h"

#include "TfrxFileException.h"
#include "TfrxXMLDocument.h"
#include "TfrxXMLItem.h"
#include "zorCodePage.h"
#include "zorXML.h"

#include <QByteArray>
#include <QFileDevice>
#include <QIODevice>
#include <QStringEncoder>

#include <stdexcept>

namespace {

constexpr qsizetype kFlushSize = 4096;

// A name the reader would take apart differently: empty, with a space or an angle bracket, with a
// slash at either end, or opening a comment.
bool unreadableName(const QString &name)
{
    return name.isEmpty() || name.startsWith(u'/') || name.endsWith(u'/') || name.startsWith(u"!--") || name.contains(u' ') ||
           name.contains(u'<') || name.contains(u'>');
}

} // namespace

class TfrxXMLWriterPrivate
{
public:
    explicit TfrxXMLWriterPrivate(QIODevice *s) : stream(s) { buffer.reserve(2 * kFlushSize); }

    void appendUtf8(const QString &text);
    void endLine();
    void flush();
    void writeStartTag(const TfrxXMLItem *item, int level);
    void writeElement(TfrxXMLItem *item, int level);

    QIODevice *stream;
    TfrxXMLDocument *document = nullptr;
    bool autoIndent = false;
    QByteArray buffer;
    QStringEncoder utf8{QStringEncoder::Utf8};
};

void TfrxXMLWriterPrivate::appendUtf8(const QString &text)
{
    const qsizetype used = buffer.size();
    buffer.resize(used + utf8.requiredSpace(text.size()));
    char *end = utf8.appendToBuffer(buffer.data() + used, text);
    buffer.resize(end - buffer.constData());
}

// WriteLn: the line so far, CR LF when indenting, and the buffer passed on when it is full
void TfrxXMLWriterPrivate::endLine()
{
    if (autoIndent)
        buffer.append("\r\n", 2);
    if (buffer.size() > kFlushSize)
        flush();
}

void TfrxXMLWriterPrivate::flush()
{
    if (buffer.isEmpty())
        return;
    if (stream->write(buffer) != buffer.size()) {
        const auto *file = qobject_cast<const QFileDevice *>(stream);
        throw TfrxFileException(file ? file->fileName() : QStringLiteral("stream"), stream->errorString());
    }
    buffer.resize(0); // keeps the capacity
}

// start tag -> indent '<' name [' ' text [' ld="0"' | ' ']] ('>' | '>' value '</' name '>' | '/>')
void TfrxXMLWriterPrivate::writeStartTag(const TfrxXMLItem *item, int level)
{
    if (autoIndent)
        buffer.append(level, ' ');
    buffer.append('<');
    zorAppendSingleByte(buffer, item->Name());
    if (item->HasText() || item->Unloadable()) {
        // text read as UTF-8 and not touched since goes out as it came, without decoding
        if (const QByteArrayView raw = item->rawUtf8(); !raw.isEmpty()) {
            buffer.append(' ');
            buffer.append(raw);
        } else {
            if (!item->Text().startsWith(u' '))
                buffer.append(' ');
            appendUtf8(item->Text());
        }
        if (item->Unloadable())
            buffer.append(" ld=\"0\"");
        else if (buffer.endsWith('/'))
            buffer.append(' '); // "/>" would end the element here
    }
    if (item->Count() > 0) {
        buffer.append('>');
    } else if (!item->Value().isEmpty()) {
        // escaped, so that a '<' in it cannot make the file unreadable
        buffer.append('>');
        appendUtf8(zorStrToXML(item->Value()));
        buffer.append("</");
        zorAppendSingleByte(buffer, item->Name());
        buffer.append('>');
    } else {
        buffer.append("/>");
    }
    endLine();
}

// element -> start-tag children end-tag, an unloaded element being read back for the time of writing
void TfrxXMLWriterPrivate::writeElement(TfrxXMLItem *item, int level)
{
    if (unreadableName(item->Name()))
        throw std::invalid_argument("XML element name cannot be written: \"" + item->Name().toStdString() + '"');
    const bool readBack = document && item->Unloadable() && !item->Loaded();
    if (readBack)
        document->LoadItem(item);
    struct Unload
    {
        TfrxXMLItem *item;
        bool active;
        ~Unload()
        {
            if (active)
                item->Clear();
        }
    } unloadAgain{item, readBack};

    writeStartTag(item, level);
    const int childLevel = autoIndent ? level + 2 : 0;
    for (int i = 0; i < item->Count(); ++i)
        writeElement(item->Items(i), childLevel);
    if (item->Count() > 0) {
        if (autoIndent)
            buffer.append(level, ' ');
        buffer.append("</");
        zorAppendSingleByte(buffer, item->Name());
        buffer.append('>');
        endLine();
    }
}

TfrxXMLWriter::TfrxXMLWriter(QIODevice *stream) : d(std::make_unique<TfrxXMLWriterPrivate>(stream)) {}

TfrxXMLWriter::~TfrxXMLWriter() = default;

void TfrxXMLWriter::SetAutoIndent(bool autoIndent)
{
    d->autoIndent = autoIndent;
}

void TfrxXMLWriter::SetDocument(TfrxXMLDocument *document)
{
    d->document = document;
}

void TfrxXMLWriter::WriteHeader()
{
    d->buffer.append(R"(<?xml version="1.0" encoding="utf-8" standalone="no"?>)");
    d->endLine();
}

void TfrxXMLWriter::WriteRootItem(TfrxXMLItem *item)
{
    // an empty document: nothing but the header, which reads back as the same empty root
    const bool empty = item->Name().isEmpty() && item->Text().isEmpty() && item->Count() == 0;
    if (!empty)
        d->writeElement(item, 0);
    d->flush();
}
