// Preparation speed: the certificate, a data band report of many records, and rebuilding and
// drawing a prepared page.
#include "CsvDataSet.h"
#include "TfrxBands.h"
#include "TfrxCustomEngine.h"
#include "TfrxDataBand.h"
#include "TfrxMemoView.h"
#include "TfrxPreviewPages.h"
#include "TfrxReport.h"
#include "TfrxReportDataSets.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "zorEngine.h"
#include "zorPdfExport.h"
#include "zorTemplateFormat.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <malloc.h>

#include <memory>

namespace {

// Peak resident memory of the process in MiB.
double PeakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

// Bytes the allocator has handed out and not taken back.
double HeapMiB()
{
    return double(mallinfo2().uordblks) / 1048576;
}

// Starts a new peak for the next run (Linux: writing 5 to clear_refs resets VmHWM), so that each run
// reports its own peak and not one of an earlier, larger run.
void ResetPeak()
{
    malloc_trim(0); // what earlier runs freed leaves the resident set first
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// Values the report knows, and SUM through the engine: what the script library answers for these
// templates, without compiling anything.
QVariant Calc(TfrxReport *report, const QString &expression)
{
    QVariant value;
    if (report->DoGetValue(expression.trimmed(), value))
        return value;
    if (expression.startsWith(QLatin1String("SUM("))) {
        const QString inner = expression.mid(4, expression.size() - 5);
        return report->Engine()->GetAggregateValue(QStringLiteral("SUM"), inner, nullptr, 0);
    }
    return {};
}

void BM_PrepareCertificate(benchmark::State &state)
{
    TfrxReport report;
    report.LoadFromFile(QStringLiteral(ZOR_CERTIFICATE_TEMPLATE));
    report.EngineOptions()->NewSilentMode = zor::simSilent;
    for (auto _ : state) {
        if (!report.PrepareReport())
            state.SkipWithError("preparation failed");
        benchmark::DoNotOptimize(report.PreviewPages()->GetCount());
    }
}
BENCHMARK(BM_PrepareCertificate)->Unit(benchmark::kMillisecond);

// A page header, a data band of five text objects over state.range(0) records and a report
// summary with a total.
struct ListReport
{
    std::unique_ptr<CsvDataSet> Data = std::make_unique<CsvDataSet>();
    std::unique_ptr<TfrxReport> Report = std::make_unique<TfrxReport>();

    explicit ListReport(int records)
    {
        QList<QStringList> rows;
        rows.reserve(records);
        for (int i = 1; i <= records; ++i)
            rows.append({QString::number(i), QStringLiteral("Name %1").arg(i),
                         QStringLiteral("City %1").arg(i % 97), QString::number(i % 13),
                         QString::number(i * 7 % 1000)});
        Data->SetUserName(QStringLiteral("Data"));
        Data->SetRows({QStringLiteral("Id"), QStringLiteral("Name"), QStringLiteral("City"),
                       QStringLiteral("Group"), QStringLiteral("Amount")},
                      rows);
        TfrxReport *report = Report.get();
        report->EngineOptions()->DestroyForms = false;
        report->EngineOptions()->NewSilentMode = zor::simSilent;
        report->SetCalcHandler([report](const QString &expression) { return Calc(report, expression); });
        report->DataSets()->Add(Data.get());
        auto *page = new TfrxReportPage(report);
        page->SetName(QStringLiteral("Page1"));
        page->SetPaperSize(9);
        page->SetLeftMargin(10);
        page->SetRightMargin(10);
        page->SetTopMargin(10);
        page->SetBottomMargin(10);
        auto *header = new TfrxPageHeader(page);
        header->SetName(QStringLiteral("PageHeader1"));
        header->SetBounds(0, 0, 700, 30);
        Memo(header, QStringLiteral("Title"), 0, QStringLiteral("List, page [Page#]"));
        auto *band = new TfrxMasterData(page);
        band->SetName(QStringLiteral("MasterData1"));
        band->SetBounds(0, 50, 700, 18);
        band->SetDataSet(Data.get());
        const QStringList fields{QStringLiteral("Id"), QStringLiteral("Name"), QStringLiteral("City"),
                                 QStringLiteral("Group"), QStringLiteral("Amount")};
        for (int i = 0; i < fields.size(); ++i)
            Memo(band, QStringLiteral("Field%1").arg(i), i * 140,
                 QStringLiteral("[Data.\"%1\"]").arg(fields[i]));
        auto *summary = new TfrxReportSummary(page);
        summary->SetName(QStringLiteral("ReportSummary1"));
        summary->SetBounds(0, 100, 700, 20);
        Memo(summary, QStringLiteral("Total"), 0, QStringLiteral("[SUM(Data.\"Amount\")]"));
    }

    static void Memo(TfrxComponent *parent, const QString &name, double left, const QString &text)
    {
        auto *memo = new TfrxMemoView(parent);
        memo->SetName(name);
        memo->SetBounds(left, 0, 138, 18);
        memo->SetText(text);
    }
};

void BM_PrepareDataBand(benchmark::State &state)
{
    ListReport list(int(state.range(0)));
    list.Report->EngineOptions()->UseFileCache = state.range(1) != 0;
    list.Report->EngineOptions()->MaxMemSize = 1;
    ResetPeak();
    int pages = 0;
    double heldMiB = 0;
    for (auto _ : state) {
        // Every round starts as the first one does: without the pages of the last round to free and
        // with its memory given back, so that rounds of a small report are timed like one round of
        // a large one.
        state.PauseTiming();
        list.Report->PreviewPages()->Clear();
        malloc_trim(0);
        const double before = HeapMiB();
        state.ResumeTiming();
        if (!list.Report->PrepareReport())
            state.SkipWithError("preparation failed");
        state.PauseTiming();
        pages = list.Report->PreviewPages()->GetCount();
        heldMiB = HeapMiB() - before;
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
    // What the prepared report holds in memory, per page (only meaningful without the file cache).
    state.counters["MiB/page"] = pages > 0 ? heldMiB / pages : 0;
    state.counters["pages/s"] =
        benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["peak_MiB"] = PeakMiB();
}
// Records, and whether old pages go to the file cache (with a budget of 1 MB). The large runs only
// in optimised builds: a sanitizer build is many times slower and its smoke run must stay short.
BENCHMARK(BM_PrepareDataBand)
    ->Args({10000, 0})
#ifdef NDEBUG
    ->Args({100000, 0})
    ->Args({100000, 1})
#endif
    ->Unit(benchmark::kMillisecond);

void BM_RebuildAndDrawPage(benchmark::State &state)
{
    ListReport list(2000);
    if (!list.Report->PrepareReport()) {
        state.SkipWithError("preparation failed");
        return;
    }
    list.Report->PreviewOptions()->PagesInCache = 1;
    auto *pages = static_cast<TfrxPreviewPages *>(list.Report->PreviewPages());
    QImage image(pages->GetPageSize(0), QImage::Format_ARGB32_Premultiplied);
    int index = 0;
    for (auto _ : state) {
        // Alternating pages, so that every round rebuilds the page from the store.
        index = (index + 1) % 2;
        image.fill(Qt::white);
        QPainter painter(&image);
        pages->DrawPage(index, &painter, 1, 1, 0, 0);
    }
}
BENCHMARK(BM_RebuildAndDrawPage)->Unit(benchmark::kMillisecond);

// The PDF of a prepared list of state.range(0) records, with the peak memory of the preparation
// and of the export each measured from the state before it.
void BM_ExportPdf(benchmark::State &state)
{
    ListReport list(int(state.range(0)));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("list.pdf"));
    double preparePeak = 0, exportPeak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list.Report->PreviewPages()->Clear();
        ResetPeak();
        if (!list.Report->PrepareReport())
            state.SkipWithError("preparation failed");
        preparePeak = PeakMiB();
        ResetPeak();
        state.ResumeTiming();
        QString error;
        if (!zorExportPdf(*list.Report, file, error))
            state.SkipWithError("the PDF is not written");
        state.PauseTiming();
        exportPeak = PeakMiB();
        state.ResumeTiming();
    }
    state.counters["prepare_peak_MiB"] = preparePeak;
    state.counters["export_peak_MiB"] = exportPeak;
}
BENCHMARK(BM_ExportPdf)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    zorRegisterTemplateFormat();
    zorRegisterEngine();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
