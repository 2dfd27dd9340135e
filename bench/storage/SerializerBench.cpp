// Saving and loading templates through the template serializer: the certificate's own template, as
// the program loads it for every print, and a template of 5,000 text objects.
#include "TfrxDataPage.h"
#include "TfrxFont.h"
#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxXMLSerializer.h"
#include "zorTemplateFormat.h"

#include <QBuffer>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int MemoCount = 5000;

std::unique_ptr<TfrxReport> BuildReport()
{
    auto report = std::make_unique<TfrxReport>();
    new TfrxDataPage(report.get());
    auto *page = new TfrxReportPage(report.get());
    page->SetName(QStringLiteral("Page1"));
    page->SetSizeAndDimensions(11, 210, 148);
    for (int i = 0; i < MemoCount; ++i) {
        auto *memo = new TfrxMemoView(page);
        memo->SetName(QStringLiteral("Memo%1").arg(i + 1));
        memo->SetBounds(i % 700 + 0.65337, i % 500 + 0.1107, 185.19697, 18.89765);
        memo->Font()->SetName(QStringLiteral("Times New Roman"));
        memo->Font()->SetHeight(-13);
        memo->SetHAlign(zorTextAlign::haCenter);
        memo->SetText(QStringLiteral("Иванов Иван \"%1\"\r\nстрока").arg(i));
    }
    return report;
}

QByteArray Save(TfrxReport *report)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TfrxXMLSerializer serializer(&buffer);
    serializer.WriteRootComponent(report);
    return buffer.data();
}

void BM_SaveTemplate(benchmark::State &state)
{
    const auto report = BuildReport();
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray data = Save(report.get());
        bytes += data.size();
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(bytes);
    state.counters["objects"] = MemoCount;
}
BENCHMARK(BM_SaveTemplate)->Unit(benchmark::kMillisecond);

void BM_LoadTemplate(benchmark::State &state)
{
    const QByteArray data = Save(BuildReport().get());
    for (auto _ : state) {
        TfrxReport report;
        QBuffer buffer;
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        TfrxXMLSerializer serializer(&buffer);
        serializer.ReadRootComponent(&report);
        benchmark::DoNotOptimize(report.Objects().size());
    }
    state.SetBytesProcessed(state.iterations() * data.size());
    state.counters["objects"] = MemoCount;
}
BENCHMARK(BM_LoadTemplate)->Unit(benchmark::kMillisecond);

void BM_LoadCertificateTemplate(benchmark::State &state)
{
    zorRegisterTemplateFormat();
    for (auto _ : state) {
        TfrxReport report;
        report.LoadFromFile(QStringLiteral(ZOR_TEMPLATE_FILE));
        benchmark::DoNotOptimize(report.Errors().size());
    }
}
BENCHMARK(BM_LoadCertificateTemplate)->Unit(benchmark::kMillisecond);

void BM_SaveCertificateTemplate(benchmark::State &state)
{
    zorRegisterTemplateFormat();
    TfrxReport report;
    report.LoadFromFile(QStringLiteral(ZOR_TEMPLATE_FILE));
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        report.SaveToStream(&buffer);
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(BM_SaveCertificateTemplate)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    // Text objects measure with fonts: a GUI application without a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
