#include "TfrxXMLReader.h"

#include "TfrxFileException.h"
#include "TfrxInvalidXMLException.h"
#include "TfrxXMLItem.h"
#include "zorCodePage.h"

#include <QFileDevice>
#include <QIODevice>

#include <array>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr qsizetype kBufferSize = 4096;
constexpr size_t kTextBlockSize = 64 * 1024;
constexpr std::string_view kUnloadMarker = " ld=\"0\"";

bool asciiEqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = char(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

// The first `="0"` in [begin, end), 16 positions at a time where SSE2 is there: every element
// is searched for the unload marker, so this is on the reader's hot path.
const char *findZeroValue(const char *p, const char *end)
{
#ifdef __SSE2__
    const __m128i eq = _mm_set1_epi8('='), quote = _mm_set1_epi8('"'), zero = _mm_set1_epi8('0');
    for (; end - p >= 19; p += 16) {
        const auto at = [p](int i) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i)); };
        const __m128i m = _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(at(0), eq), _mm_cmpeq_epi8(at(1), quote)),
                                        _mm_and_si128(_mm_cmpeq_epi8(at(2), zero), _mm_cmpeq_epi8(at(3), quote)));
        if (const int mask = _mm_movemask_epi8(m))
            return p + __builtin_ctz(unsigned(mask));
    }
#endif
    for (; end - p >= 4; ++p)
        if (p[0] == '=' && p[1] == '"' && p[2] == '0' && p[3] == '"')
            return p;
    return nullptr;
}

// Removes the unload marker ' ld="0"' (any case) from the attribute bytes, every time it stands
// there, so that the marker never remains part of the text; tells whether it was there.
bool takeUnloadMarker(char *tag, size_t textStart, size_t &textEnd)
{
    bool found = false;
    const char *eq = findZeroValue(tag + textStart, tag + textEnd);
    while (eq) {
        const size_t at = size_t(eq - tag);
        if (at >= textStart + 3 && asciiEqualNoCase(std::string_view(eq - 3, 3), " ld")) {
            const size_t from = at - 3 + kUnloadMarker.size();
            std::memmove(tag + at - 3, tag + from, textEnd - from);
            textEnd -= kUnloadMarker.size();
            found = true;
            // the bytes that close up may form a new mark that starts up to three bytes earlier
            eq = findZeroValue(tag + (at >= textStart + 6 ? at - 6 : textStart), tag + textEnd);
        } else {
            eq = findZeroValue(eq + 1, tag + textEnd);
        }
    }
    return found;
}

// A few recent element names, so that equal names share one string.
class NameCache
{
public:
    QString get(std::string_view bytes)
    {
        for (const Entry &e : FEntries)
            if (e.bytes == bytes)
                return e.name;
        Entry &e = FEntries[FNext++ % FEntries.size()];
        e.bytes.assign(bytes);
        e.name = zorSingleByteToString(bytes.data(), qsizetype(bytes.size()));
        return e.name;
    }

private:
    struct Entry
    {
        std::string bytes;
        QString name;
    };
    std::array<Entry, 16> FEntries;
    size_t FNext = 0;
};

} // namespace

class TfrxXMLReaderPrivate
{
public:
    explicit TfrxXMLReaderPrivate(QIODevice *s)
        : stream(s), bufferStart(s->pos()), streamSize(s->size())
    {
    }

    qint64 position() const { return bufferStart + bufferPos; }
    [[noreturn]] void fail() const { throw TfrxInvalidXMLException(position()); }
    [[noreturn]] void failStream() const;

    bool fill();
    int nextByte();
    bool readTag();
    bool readLongTag();
    bool skipComment();
    void splitTag();
    void attachText(TfrxXMLItem *item);
    bool readChildren(TfrxXMLItem *parent, const QString &parentName, bool keep, int depth);
    void finishElement(TfrxXMLItem *item, bool marked, qint64 start, bool keep);

    QIODevice *stream;
    std::array<char, kBufferSize> buffer{};
    qsizetype bufferPos = 0;
    qsizetype bufferEnd = 0;
    qint64 bufferStart; // stream position of buffer[0]
    qint64 streamSize;
    bool oldFormat = false;
    bool oldFormatAsBytes = false;

    // The bytes between '<' and '>': in the read buffer when the tag lies wholly in it, else
    // collected in `longTag`. Both are ours to change until the next tag is read.
    char *tag = nullptr;
    size_t tagSize = 0;
    std::string longTag;
    std::string_view name; // a view into the tag after splitTag
    size_t textStart = 0;  // the attribute text is tag[textStart, textEnd)
    size_t textEnd = 0;
    bool selfClosed = false;
    QByteArray textBlock;
    char *textBlockData = nullptr;
    size_t textBlockUsed = kTextBlockSize;

    // Takes the unload marker out of the attribute text and then the spaces around it, so that
    // a text never starts or ends with a space after reading and reads back the same once written.
    bool takeMarker()
    {
        const bool marked = takeUnloadMarker(tag, textStart, textEnd);
        while (textStart < textEnd && tag[textStart] == ' ')
            ++textStart;
        while (textEnd > textStart && tag[textEnd - 1] == ' ')
            --textEnd;
        return marked;
    }
    NameCache names;
};

void TfrxXMLReaderPrivate::failStream() const
{
    const auto *file = qobject_cast<const QFileDevice *>(stream);
    throw TfrxFileException(file ? file->fileName() : QStringLiteral("stream"), stream->errorString());
}

// Loads the next part of the stream into the buffer; false at the end of the input.
bool TfrxXMLReaderPrivate::fill()
{
    bufferStart += bufferEnd;
    bufferPos = bufferEnd = 0;
    const qint64 want = std::min<qint64>(kBufferSize, streamSize - bufferStart);
    if (want <= 0)
        return false;
    if (stream->pos() != bufferStart && !stream->seek(bufferStart))
        failStream();
    const qint64 got = stream->read(buffer.data(), want);
    if (got < 0)
        failStream();
    bufferEnd = qsizetype(got);
    return got > 0;
}

int TfrxXMLReaderPrivate::nextByte()
{
    if (bufferPos == bufferEnd && !fill())
        return -1;
    return static_cast<unsigned char>(buffer[size_t(bufferPos++)]);
}

// comment -> "<!--" ... "-->"; false when the input ends inside it
bool TfrxXMLReaderPrivate::skipComment()
{
    int dashes = 0;
    for (int c = nextByte(); c >= 0; c = nextByte()) {
        if (c == '>' && dashes >= 2)
            return true;
        dashes = c == '-' ? dashes + 1 : 0;
    }
    return false;
}

// tag -> '<' bytes '>' (no '<' inside); false at the end of the data outside a tag
bool TfrxXMLReaderPrivate::readTag()
{
    for (;;) {
        // skip to '<'
        for (;;) {
            if (bufferPos == bufferEnd && !fill())
                return false;
            const char *start = buffer.data() + bufferPos;
            const void *lt = std::memchr(start, '<', size_t(bufferEnd - bufferPos));
            if (lt) {
                bufferPos += static_cast<const char *>(lt) - start + 1;
                break;
            }
            bufferPos = bufferEnd;
        }
        // most tags lie wholly in the buffer and are used where they are
        char *start = buffer.data() + bufferPos;
        if (const void *gt = std::memchr(start, '>', size_t(bufferEnd - bufferPos))) {
            const size_t len = size_t(static_cast<const char *>(gt) - start);
            if (len >= 3 && std::memcmp(start, "!--", 3) == 0) {
                bufferPos += 3;
                if (!skipComment())
                    fail();
                continue;
            }
            if (const void *lt = std::memchr(start, '<', len)) {
                bufferPos += static_cast<const char *>(lt) - start;
                fail();
            }
            bufferPos += qsizetype(len) + 1;
            tag = start;
            tagSize = len;
            return true;
        }
        if (!readLongTag())
            continue; // it was a comment
        return true;
    }
}

// A tag that runs past the buffer, collected piece by piece; false when it was a comment (skipped).
bool TfrxXMLReaderPrivate::readLongTag()
{
    longTag.clear();
    // the first three bytes decide whether this is a comment
    bool closed = false;
    while (longTag.size() < 3) {
        const int c = nextByte();
        if (c < 0 || c == '<')
            fail();
        if (c == '>') {
            closed = true;
            break;
        }
        longTag.push_back(char(c));
    }
    if (!closed && longTag == "!--") {
        if (!skipComment())
            fail();
        return false;
    }
    while (!closed) {
        if (bufferPos == bufferEnd && !fill())
            fail();
        const char *start = buffer.data() + bufferPos;
        const qsizetype avail = bufferEnd - bufferPos;
        const void *gt = std::memchr(start, '>', size_t(avail));
        const qsizetype len = gt ? static_cast<const char *>(gt) - start : avail;
        if (const void *lt = std::memchr(start, '<', size_t(len))) {
            bufferPos += static_cast<const char *>(lt) - start;
            fail();
        }
        longTag.append(start, size_t(len));
        bufferPos += len + (gt ? 1 : 0);
        closed = gt != nullptr;
    }
    tag = longTag.data();
    tagSize = longTag.size();
    return true;
}

// tag body -> name [' ' text] ['/'], the '/' right before '>' marking an empty element; a text that
// itself ends with '/' is written with a blank after it.
void TfrxXMLReaderPrivate::splitTag()
{
    size_t size = tagSize;
    selfClosed = size > 1 && tag[size - 1] == '/';
    if (selfClosed)
        --size;
    if (size > 0 && tag[size - 1] == ' ')
        --size;
    const std::string_view body(tag, size);
    const size_t space = body.find(' ');
    name = body.substr(0, space);
    textStart = space == std::string_view::npos ? size : space + 1;
    textEnd = size;
}

// The attribute text goes into a block shared by many items and is decoded only when asked for;
// a large text is decoded at once and does not keep a block alive.
void TfrxXMLReaderPrivate::attachText(TfrxXMLItem *item)
{
    const char *text = tag + textStart;
    const size_t size = textEnd - textStart;
    const auto encoding = !oldFormat      ? TfrxXMLItem::RawEncoding::Utf8
                          : oldFormatAsBytes ? TfrxXMLItem::RawEncoding::Latin1
                                             : TfrxXMLItem::RawEncoding::CodePage;
    if (size == 0)
        return;
    if (size > kTextBlockSize / 4) {
        item->setRawText(QByteArray(text, qsizetype(size)), 0, quint32(size), encoding);
        item->Text();
        return;
    }
    if (textBlockUsed + size > kTextBlockSize) {
        textBlock = QByteArray(kTextBlockSize, Qt::Uninitialized);
        textBlockData = textBlock.data(); // written only where no item looks yet
        textBlockUsed = 0;
    }
    std::memcpy(textBlockData + textBlockUsed, text, size);
    item->setRawText(textBlock, quint32(textBlockUsed), quint32(size), encoding);
    textBlockUsed += size;
}

void TfrxXMLReaderPrivate::finishElement(TfrxXMLItem *item, bool marked, qint64 start, bool keep)
{
    if (!marked || !item)
        return;
    item->SetUnloadable(true);
    if (keep)
        return;
    item->Clear();
    item->SetOffset(quint64(start));
}

// children -> element* end-tag; a null parent reads the children only to skip them. False when
// the input ended instead of the end tag.
bool TfrxXMLReaderPrivate::readChildren(TfrxXMLItem *parent, const QString &parentName, bool keep, int depth)
{
    if (depth > TfrxXMLReader::MaxDepth)
        fail();
    for (;;) {
        const qint64 start = position();
        if (!readTag())
            return false; // the end of the input stands for the missing end tags
        splitTag();
        if (name.empty())
            return true;
        if (name.front() == '/') {
            const QString endName = names.get(name.substr(1));
            if (endName.compare(parentName, Qt::CaseInsensitive) != 0)
                fail();
            return true;
        }
        const bool marked = takeMarker();
        const bool skipChildren = parent == nullptr || (marked && !keep);
        TfrxXMLItem *child = nullptr;
        const QString childName = names.get(name);
        if (parent) {
            child = parent->Add(childName);
            attachText(child);
        }
        const bool complete = selfClosed || readChildren(skipChildren ? nullptr : child, childName, keep, depth + 1);
        finishElement(child, marked, start, keep);
        if (!complete)
            return false;
    }
}

TfrxXMLReader::TfrxXMLReader(QIODevice *stream) : d(std::make_unique<TfrxXMLReaderPrivate>(stream)) {}

TfrxXMLReader::~TfrxXMLReader()
{
    if (!d->stream->isSequential())
        d->stream->seek(d->position());
}

// header -> "<?xml" ... ">"; version "1.0" without "standalone=" is the old format
void TfrxXMLReader::ReadHeader()
{
    if (!d->readTag())
        d->fail();
    const std::string_view header(d->tag, d->tagSize);
    if (!header.starts_with("?xml"))
        d->fail();
    const size_t version = header.find("version=");
    if (version != std::string_view::npos && header.size() >= version + 12 &&
        header.substr(version + 9, 3) == "1.0" && header.find("standalone=") == std::string_view::npos)
        d->oldFormat = true;
}

bool TfrxXMLReader::ReadRootItem(TfrxXMLItem *item, bool ReadChildren)
{
    const qint64 start = d->position();
    if (!d->readTag())
        return false;
    d->splitTag();
    if (d->name.empty())
        return false;
    if (d->name.front() == '/')
        d->fail();
    const bool marked = d->takeMarker();
    if (item->Name().isEmpty()) {
        item->SetName(d->names.get(d->name));
        d->attachText(item);
    }
    const bool complete =
        d->selfClosed || d->readChildren(marked && !ReadChildren ? nullptr : item, item->Name(), ReadChildren, 1);
    d->finishElement(item, marked, start, ReadChildren);
    return complete;
}

void TfrxXMLReader::SetPosition(qint64 pos)
{
    d->bufferStart = pos;
    d->bufferPos = d->bufferEnd = 0;
}

qint64 TfrxXMLReader::Position() const
{
    return d->position();
}

bool TfrxXMLReader::OldFormat() const
{
    return d->oldFormat;
}

void TfrxXMLReader::SetOldFormat(bool oldFormat)
{
    d->oldFormat = oldFormat;
}

void TfrxXMLReader::SetOldFormatAsBytes(bool asBytes)
{
    d->oldFormatAsBytes = asBytes;
}
