#include "zorCodePage.h"

#include <iconv.h>

#include <array>
#include <unordered_map>

namespace {

// The upper half of Windows-1251, asked once of the C library's converter.
struct CodePageTable
{
    std::array<char16_t, 128> toUnicode{};
    std::unordered_map<char16_t, char> fromUnicode;

    CodePageTable()
    {
        iconv_t cd = iconv_open("UTF-16LE", "CP1251");
        for (int b = 0x80; b <= 0xFF; ++b) {
            char16_t decoded = char16_t(b); // undefined byte: keep it as a C1 control character
            if (cd != iconv_t(-1)) {
                char in = char(b);
                char16_t out = 0;
                char *inPtr = &in;
                char *outPtr = reinterpret_cast<char *>(&out);
                size_t inLeft = 1, outLeft = sizeof out;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
                if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1) && outLeft == 0)
                    decoded = out;
            }
            toUnicode[b - 0x80] = decoded;
            fromUnicode.emplace(decoded, char(b));
        }
        if (cd != iconv_t(-1))
            iconv_close(cd);
    }
};

const CodePageTable &table()
{
    static const CodePageTable t;
    return t;
}

bool isAscii(const char *data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i)
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    return true;
}

} // namespace

QString zorSingleByteToString(const char *data, qsizetype size)
{
    if (isAscii(data, size))
        return QString::fromLatin1(data, size);
    const CodePageTable &t = table();
    QString result(size, Qt::Uninitialized);
    QChar *out = result.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        out[i] = QChar(b < 0x80 ? char16_t(b) : t.toUnicode[b - 0x80]);
    }
    return result;
}

namespace {

// Walks `text` by characters (a surrogate pair is one), giving each byte of the code page, or
// -1 for a character the code page cannot hold, together with the character itself.
template <typename Visit>
void forEachCharacter(QStringView text, Visit visit)
{
    const CodePageTable *t = nullptr;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            visit(int(c), text.mid(i, 1));
            continue;
        }
        const bool pair = QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (pair) {
            visit(-1, text.mid(i, 2));
            ++i;
            continue;
        }
        if (!t)
            t = &table();
        auto it = t->fromUnicode.find(c);
        visit(it == t->fromUnicode.end() ? -1 : int(static_cast<unsigned char>(it->second)), text.mid(i, 1));
    }
}

} // namespace

void zorAppendSingleByte(QByteArray &out, QStringView text)
{
    forEachCharacter(text, [&out](int byte, QStringView) { out.append(byte < 0 ? '?' : char(byte)); });
}

QString zorUnrepresentable(QStringView text)
{
    QString found;
    forEachCharacter(text, [&found](int byte, QStringView character) {
        if (byte < 0 && !found.contains(character))
            found += character;
    });
    return found;
}
