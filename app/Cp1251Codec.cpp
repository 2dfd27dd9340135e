#include "Cp1251Codec.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace {

constexpr char substitute = '?';
constexpr char16_t replacementCharacter = u'\uFFFD';

struct IconvCloser
{
    void operator()(void *cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle openIconv(const char *to, const char *from)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        qFatal("iconv cannot convert from %s to %s", from, to);
    return IconvHandle(cd);
}

// Length in bytes of the UTF-8 sequence that starts with the given lead byte.
int utf8SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    return 4;
}

// Converts with iconv; each input sequence that the target cannot hold is passed to onInvalid,
// which may append a substitute, and skipped.
template <typename OnInvalid>
QByteArray convert(iconv_t cd, QByteArray input, int (*invalidLength)(const char *), OnInvalid onInvalid)
{
    QByteArray output;
    output.reserve(input.size() * 2 + 16);
    char *in = input.data();
    size_t inLeft = size_t(input.size());
    char buffer[4096];
    while (inLeft > 0) {
        char *out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer, out - buffer);
        if (rc != size_t(-1) || errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (a truncated sequence at the end): skip one unit and substitute.
        const int skip = std::min<int>(invalidLength(in), int(inLeft));
        onInvalid(output, QByteArray(in, skip));
        in += skip;
        inLeft -= size_t(skip);
    }
    return output;
}

int invalidUtf8Length(const char *p) { return utf8SequenceLength(static_cast<unsigned char>(*p)); }
int singleByte(const char *) { return 1; }

} // namespace

namespace Cp1251Codec {

QByteArray encode(const QString &text)
{
    IconvHandle cd = openIconv("WINDOWS-1251", "UTF-8");
    return convert(static_cast<iconv_t>(cd.get()), text.toUtf8(), invalidUtf8Length,
                   [](QByteArray &out, const QByteArray &) { out.append(substitute); });
}

QString decode(const QByteArray &bytes)
{
    IconvHandle cd = openIconv("UTF-8", "WINDOWS-1251");
    const QByteArray utf8 = convert(static_cast<iconv_t>(cd.get()), bytes, singleByte,
                                    [](QByteArray &out, const QByteArray &) {
                                        out.append(QString(QChar(replacementCharacter)).toUtf8());
                                    });
    return QString::fromUtf8(utf8);
}

QString unrepresentable(const QString &text)
{
    IconvHandle cd = openIconv("WINDOWS-1251", "UTF-8");
    QString found;
    convert(static_cast<iconv_t>(cd.get()), text.toUtf8(), invalidUtf8Length,
            [&found](QByteArray &, const QByteArray &sequence) {
                const QString character = QString::fromUtf8(sequence);
                if (!found.contains(character))
                    found += character;
            });
    return found;
}

} // namespace Cp1251Codec
