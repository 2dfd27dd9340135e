#include "TfsXMLDocument.h"

#include "TfsError.h"
#include "TfsXMLItem.h"

#include <QIODevice>

#include <vector>

namespace {

[[noreturn]] void invalidFormat()
{
    throw TfsError(QStringLiteral("Invalid file format"));
}

// Reads tags one after another; text between tags is skipped.
class TagReader
{
public:
    explicit TagReader(const QByteArray &data) : FData(data) {}

    // The next tag's content between '<' and '>' (comments skipped); false at the end of the data.
    bool Next(QByteArray &tag)
    {
        for (;;) {
            const qsizetype open = FData.indexOf('<', FPos);
            if (open < 0)
                return false;
            if (FData.mid(open + 1, 3) == "!--") {
                const qsizetype end = FData.indexOf("-->", open + 4);
                if (end < 0)
                    invalidFormat();
                FPos = end + 3;
                continue;
            }
            qsizetype k = open + 1;
            while (k < FData.size() && FData[k] != '>') {
                if (FData[k] == '<')
                    invalidFormat();
                ++k;
            }
            if (k >= FData.size())
                invalidFormat();
            tag = FData.mid(open + 1, k - open - 1);
            FPos = k + 1;
            return true;
        }
    }

private:
    const QByteArray &FData;
    qsizetype FPos = 0;
};

struct Tag
{
    QString name;
    QString text;
    bool closes = false; // "<name/>": no children follow
};

// rule: tag -> name [' ' attributes] ['/']
Tag splitTag(QByteArray raw)
{
    Tag tag;
    if (raw.endsWith('/')) {
        tag.closes = true;
        raw.chop(1);
    }
    const qsizetype space = raw.indexOf(' ');
    tag.name = QString::fromUtf8(space < 0 ? raw : raw.left(space));
    if (space >= 0)
        tag.text = QString::fromUtf8(raw.mid(space));
    return tag;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

void writeItem(const TfsXMLItem &item, int level, bool indent, QByteArray &out)
{
    const QByteArray pad = indent ? QByteArray(level * 2, ' ') : QByteArray();
    const char *eol = indent ? "\r\n" : "";
    out += pad + '<' + item.Name().toUtf8() + item.Text().toUtf8();
    if (item.Count() == 0) {
        out += QByteArray("/>") + eol;
        return;
    }
    out += QByteArray(">") + eol;
    for (int i = 0; i < item.Count(); ++i)
        writeItem(*item.Item(i), level + 1, indent, out);
    out += pad + "</" + item.Name().toUtf8() + '>' + eol;
}

} // namespace

TfsXMLDocument::TfsXMLDocument() : FRoot(std::make_unique<TfsXMLItem>()) {}

TfsXMLDocument::~TfsXMLDocument() = default;

// document -> '<?xml ...?>' element ; element -> '<name attrs/>' | '<name attrs>' element* '</name>'
void TfsXMLDocument::LoadFromBytes(const QByteArray &data)
{
    TagReader reader(data);
    QByteArray raw;
    if (!reader.Next(raw) || !raw.startsWith("?xml") || !reader.Next(raw))
        invalidFormat();
    Tag tag = splitTag(raw);
    if (tag.name.startsWith(u'/') || tag.name.isEmpty())
        invalidFormat();
    auto root = std::make_unique<TfsXMLItem>(tag.name, tag.text);
    std::vector<TfsXMLItem *> open;
    if (!tag.closes)
        open.push_back(root.get());
    while (!open.empty()) {
        if (!reader.Next(raw))
            invalidFormat();
        tag = splitTag(raw);
        if (tag.name.startsWith(u'/')) {
            if (!sameName(tag.name.mid(1), open.back()->Name()))
                invalidFormat();
            open.pop_back();
            continue;
        }
        if (tag.name.isEmpty())
            invalidFormat();
        TfsXMLItem *item = open.back()->Add(tag.name, tag.text);
        if (!tag.closes) {
            if (int(open.size()) >= MaxDepth)
                invalidFormat();
            open.push_back(item);
        }
    }
    FRoot = std::move(root);
}

void TfsXMLDocument::LoadFromStream(QIODevice &stream)
{
    LoadFromBytes(stream.readAll());
}

QByteArray TfsXMLDocument::SaveToBytes() const
{
    QByteArray out = "<?xml version=\"1.0\"?>";
    if (FAutoIndent)
        out += "\r\n";
    writeItem(*FRoot, 0, FAutoIndent, out);
    return out;
}

void TfsXMLDocument::SaveToStream(QIODevice &stream) const
{
    stream.write(SaveToBytes());
}
