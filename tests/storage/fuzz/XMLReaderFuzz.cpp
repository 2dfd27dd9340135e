// Reads any bytes as a document of the library's XML dialect. Whatever loads must survive a save
// and a load unchanged, and a partial load must bring back the same tree element by element.
#include "TfrxFileException.h"
#include "TfrxInvalidXMLException.h"
#include "TfrxXMLDocument.h"
#include "TfrxXMLItem.h"
#include "zorXML.h"

#include "XMLTestUtil.h"

#include <cstdint>
#include <cstdlib>
#include <cstdio>

namespace {

void check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// The reader gives names ending with '/' (from "<a/ x>"), which the writer refuses.
bool writable(const TfrxXMLItem &item)
{
    if (item.Name().endsWith(u'/'))
        return false;
    for (int i = 0; i < item.Count(); ++i)
        if (!writable(*item.Items(i)))
            return false;
    return true;
}

void loadAll(TfrxXMLDocument &doc, TfrxXMLItem *item)
{
    doc.LoadItem(item);
    for (int i = 0; i < item->Count(); ++i)
        loadAll(doc, item->Items(i));
}

void unloadAll(TfrxXMLDocument &doc, TfrxXMLItem *item)
{
    for (int i = 0; i < item->Count(); ++i)
        unloadAll(doc, item->Items(i));
    if (item->Parent())
        doc.UnloadItem(item);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    TfrxXMLDocument doc;
    try {
        ByteStream in(bytes);
        doc.LoadFromStream(&in);
    } catch (const TfrxInvalidXMLException &) {
        return 0;
    }
    const std::string tree = dumpItem(*doc.Root());

    const QString text = doc.Root()->Text();
    if (text.size() < 32 || !text.contains(QChar(0)))
        check(zorXMLToStr(zorStrToXML(text)) == text, "escaping round trip");

    if (writable(*doc.Root())) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        doc.SaveToStream(&out);
        TfrxXMLDocument copy;
        ByteStream in(out.data());
        copy.LoadFromStream(&in);
        check(dumpItem(*copy.Root()) == tree, "save and load");
    }

    TfrxXMLDocument partial;
    partial.LoadFromStream(std::make_unique<ByteStream>(bytes), true);
    loadAll(partial, partial.Root());
    check(dumpItem(*partial.Root()) == tree, "partial load");
    if (writable(*partial.Root())) {
        unloadAll(partial, partial.Root());
        loadAll(partial, partial.Root());
        check(dumpItem(*partial.Root()) == tree, "unload and load");
    }
    return 0;
}
