// Reading and writing a template-like document of about 20 MB, beside a general-purpose XML
// parser reading the same bytes.
#include "TfrxXMLDocument.h"
#include "TfrxXMLItem.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

#ifdef ZOR_BENCH_PUGIXML
#include <pugixml.hpp>
#endif

namespace {

// Text objects laid out on pages, with the attributes a template writes for them.
const QByteArray &templateBytes()
{
    static const QByteArray bytes = [] {
        TfrxXMLDocument doc;
        TfrxXMLItem *root = doc.Root();
        root->SetName(QStringLiteral("TfrxReport"));
        root->SetText(QStringLiteral(R"(Version="5.1.1" DotMatrixReport="False" IniFile="\Software\Tervane")"));
        int memo = 0;
        for (int p = 0; memo < 63000; ++p) {
            TfrxXMLItem *page = root->Add(QStringLiteral("TfrxReportPage"));
            page->SetText(QStringLiteral(R"(Name="Page%1" PaperWidth="210" PaperHeight="148" PaperSize="11" )"
                                         R"(LeftMargin="10" RightMargin="10" TopMargin="10" BottomMargin="10")")
                              .arg(p + 1));
            for (int i = 0; i < 500; ++i, ++memo) {
                TfrxXMLItem *m = page->Add(QStringLiteral("TfrxMemoView"));
                m->SetText(QStringLiteral(R"(Name="Memo%1" Left="%2,65337" Top="%3,1107" Width="185,19697" )"
                                          R"(Height="18,89765" Font.Charset="204" Font.Color="0" Font.Height="-13" )"
                                          R"(Font.Name="Times New Roman" Font.Style="0" Frame.Typ="0" HAlign="haCenter" )"
                                          R"(ParentFont="False" VAlign="vaCenter" Text="Иванов Иван &#34;%1&#34;&#13;&#10;строка")")
                               .arg(memo)
                               .arg(i % 700)
                               .arg(i % 500));
            }
        }
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        doc.SaveToStream(&out);
        return out.data();
    }();
    return bytes;
}

void BM_ReadDocument(benchmark::State &state)
{
    QByteArray bytes = templateBytes();
    for (auto _ : state) {
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        TfrxXMLDocument doc;
        doc.LoadFromStream(&in);
        benchmark::DoNotOptimize(doc.Root()->Count());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadDocument)->Unit(benchmark::kMillisecond);

void BM_WriteDocument(benchmark::State &state)
{
    QByteArray bytes = templateBytes();
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    TfrxXMLDocument doc;
    doc.LoadFromStream(&in);
    QByteArray written;
    written.reserve(bytes.size() + 1024); // measures the writer, not the growth of the output
    for (auto _ : state) {
        written.resize(0);
        QBuffer out(&written);
        out.open(QIODevice::WriteOnly);
        doc.SaveToStream(&out);
        benchmark::DoNotOptimize(written.size());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_WriteDocument)->Unit(benchmark::kMillisecond);

void BM_GetPropOfEveryObject(benchmark::State &state)
{
    QByteArray bytes = templateBytes();
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    TfrxXMLDocument doc;
    doc.LoadFromStream(&in);
    const QString name = QStringLiteral("text");
    for (auto _ : state) {
        qsizetype total = 0;
        for (int p = 0; p < doc.Root()->Count(); ++p) {
            const TfrxXMLItem *page = doc.Root()->Items(p);
            for (int i = 0; i < page->Count(); ++i)
                total += page->Items(i)->Prop(name).size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_GetPropOfEveryObject)->Unit(benchmark::kMillisecond);

#ifdef ZOR_BENCH_PUGIXML
void BM_ReadPugixml(benchmark::State &state)
{
    const QByteArray &bytes = templateBytes();
    for (auto _ : state) {
        pugi::xml_document doc;
        const pugi::xml_parse_result result = doc.load_buffer(bytes.constData(), size_t(bytes.size()));
        if (!result)
            state.SkipWithError(result.description());
        benchmark::DoNotOptimize(doc.first_child());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadPugixml)->Unit(benchmark::kMillisecond);

void BM_WritePugixml(benchmark::State &state)
{
    const QByteArray &bytes = templateBytes();
    pugi::xml_document doc;
    doc.load_buffer(bytes.constData(), size_t(bytes.size()));
    struct Sink : pugi::xml_writer
    {
        std::string out;
        void write(const void *data, size_t size) override { out.append(static_cast<const char *>(data), size); }
    };
    Sink sink;
    sink.out.reserve(size_t(bytes.size()) + 1024);
    for (auto _ : state) {
        sink.out.clear();
        doc.save(sink, "", pugi::format_raw);
        benchmark::DoNotOptimize(sink.out.size());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_WritePugixml)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK_MAIN();
