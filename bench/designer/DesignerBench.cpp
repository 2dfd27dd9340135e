// The designer's costs the operator feels: opening the certificate's template in the designer
// window until it has been painted, and the undo snapshot every change records, on a template of
// 5,000 text objects.
#include "TfrxDesignerDialogs.h"
#include "TfrxDesignerForm.h"
#include "TfrxDesignerPictureCache.h"
#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxUndoBuffer.h"
#include "zorDesigner.h"
#include "zorDesignerObjects.h"
#include "zorTemplateFormat.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void OpenCertificate(benchmark::State &state)
{
    zorRegisterTemplateFormat();
    zorRegisterDesigner();
    QTemporaryDir folder;
    TfrxReport report;
    report.SetIniFile(folder.filePath(QStringLiteral("designer.ini")));
    for (auto _ : state) {
        report.LoadFromFile(QStringLiteral(ZOR_TEMPLATE_FILE));
        auto *form = new TfrxDesignerForm(report);
        form->resize(1280, 900);
        form->show();
        form->repaint();
        QApplication::processEvents();
        form->close();
        delete form;
    }
}
BENCHMARK(OpenCertificate)->Unit(benchmark::kMillisecond);

void UndoSnapshot(benchmark::State &state)
{
    TfrxReport report;
    report.CheckDataPage();
    auto *page = new TfrxReportPage(&report);
    page->SetName(QStringLiteral("Page1"));
    for (int i = 0; i < state.range(0); ++i) {
        auto *memo = new TfrxMemoView(page);
        memo->SetName(QStringLiteral("Memo%1").arg(i + 1));
        memo->SetBounds(i % 7 * 100, i / 7 * 20, 96, 18);
        memo->SetText(QStringLiteral("Значение %1").arg(i));
    }
    zorSetDesigning(&report, true);
    TfrxDesignerPictureCache pictures;
    TfrxUndoBuffer undo(pictures);
    for (auto _ : state)
        benchmark::DoNotOptimize(undo.Snapshot(report));
}
BENCHMARK(UndoSnapshot)->Arg(5000)->Unit(benchmark::kMillisecond);

void UndoStep(benchmark::State &state)
{
    zorRegisterTemplateFormat();
    TfrxReport report;
    report.LoadFromFile(QStringLiteral(ZOR_TEMPLATE_FILE));
    zorSetDesigning(&report, true);
    TfrxDesignerPictureCache pictures;
    TfrxUndoBuffer undo(pictures);
    undo.AddUndo(report);
    undo.AddUndo(report);
    for (auto _ : state) {
        undo.Undo(report);
        undo.Redo(report);
    }
}
BENCHMARK(UndoStep)->Unit(benchmark::kMillisecond);

} // namespace
