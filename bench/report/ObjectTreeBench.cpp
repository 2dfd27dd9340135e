// Building a report of many objects, finding objects by name and walking their properties.

#include "TfrxDataBand.h"
#include "TfrxProperties.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxShapeView.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A report with pages of 10 bands each holding shapes, objects in total as asked.
std::unique_ptr<TfrxReport> BuildReport(int objects)
{
    auto report = std::make_unique<TfrxReport>();
    int made = 0;
    for (int p = 0; made < objects; ++p) {
        auto *page = new TfrxReportPage(report.get());
        page->SetName(QStringLiteral("Page%1").arg(p + 1));
        ++made;
        for (int b = 0; b < 10 && made < objects; ++b) {
            auto *band = new TfrxMasterData(page);
            band->SetName(QStringLiteral("Band%1_%2").arg(p + 1).arg(b + 1));
            ++made;
            for (int s = 0; s < 98 && made < objects; ++s) {
                auto *shape = new TfrxShapeView(band);
                shape->SetBounds(s * 5, 0, 20, 10);
                ++made;
            }
        }
    }
    return report;
}

void BM_BuildReport(benchmark::State &state)
{
    for (auto _ : state) {
        auto report = BuildReport(int(state.range(0)));
        benchmark::DoNotOptimize(report.get());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildReport)->Arg(10000)->Unit(benchmark::kMillisecond);

// Unique names for every object, as the designer gives them when objects are created one by one
// into a tree that already holds n objects.
void BM_CreateUniqueName(benchmark::State &state)
{
    auto report = BuildReport(int(state.range(0)));
    auto *band = qobject_cast<TfrxComponent *>(report->FindObject(QStringLiteral("Band1_1")));
    for (auto _ : state) {
        auto *shape = new TfrxShapeView(band);
        shape->CreateUniqueName();
        benchmark::DoNotOptimize(shape->Name());
    }
}
BENCHMARK(BM_CreateUniqueName)->Arg(1000)->Arg(10000)->Iterations(200)->Unit(benchmark::kMillisecond);

// n objects inserted one after another into one band, each named as the designer names a new or
// pasted object; the whole naming must stay linear in n.
void BM_InsertNamedObjects(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto report = BuildReport(1);
        auto *page = qobject_cast<TfrxComponent *>(report->Objects().constLast());
        auto *band = new TfrxMasterData(page);
        state.ResumeTiming();
        for (int i = 0; i < state.range(0); ++i) {
            auto *shape = new TfrxShapeView(band);
            shape->CreateUniqueName();
        }
        state.PauseTiming();
        report.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_InsertNamedObjects)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_FindObject(benchmark::State &state)
{
    auto report = BuildReport(10000);
    // The last band of the report: a walk over almost every object.
    const QString last = report->GetAllObjects().constLast()->Parent()->Name();
    for (auto _ : state)
        benchmark::DoNotOptimize(report->FindObject(last));
}
BENCHMARK(BM_FindObject)->Unit(benchmark::kMicrosecond);

void BM_GetAllObjects(benchmark::State &state)
{
    auto report = BuildReport(10000);
    for (auto _ : state)
        benchmark::DoNotOptimize(report->GetAllObjects().size());
}
BENCHMARK(BM_GetAllObjects)->Unit(benchmark::kMicrosecond);

// Listing and reading every property of every object, as the template writer will.
void BM_WalkProperties(benchmark::State &state)
{
    auto report = BuildReport(int(state.range(0)));
    const auto objects = report->GetAllObjects();
    qint64 properties = 0;
    for (auto _ : state) {
        for (TfrxComponent *c : objects) {
            for (const TfrxProperties::Entry &e : TfrxProperties::List(c)) {
                benchmark::DoNotOptimize(e.Property.read(e.Object));
                ++properties;
            }
        }
    }
    state.SetItemsProcessed(properties);
}
BENCHMARK(BM_WalkProperties)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_WriteByPath(benchmark::State &state)
{
    TfrxShapeView shape;
    const QVariant value(2.0);
    for (auto _ : state)
        benchmark::DoNotOptimize(TfrxProperties::Write(&shape, u"Frame.LeftLine.Width", value));
}
BENCHMARK(BM_WriteByPath);

}  // namespace

BENCHMARK_MAIN();
