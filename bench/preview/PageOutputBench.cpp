// The certificate's page on screen and on paper: drawing the prepared page at zoom 1 as the
// preview does, writing it to a PDF file, and the whole road from loading the template to a
// drawn page.
#include "TfrxCustomPreviewPages.h"
#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "zorEngine.h"
#include "zorPdfExport.h"
#include "zorTemplateFormat.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// Loads the certificate's template and writes a certificate's values into its text objects.
void loadCertificate(TfrxReport &report)
{
    zorRegisterTemplateFormat();
    zorRegisterEngine();
    report.LoadFromFile(QStringLiteral(ZOR_TEMPLATE), false);
    int n = 0;
    for (TfrxComponent *object : report.GetAllObjects())
        if (auto *memo = qobject_cast<TfrxMemoView *>(object))
            memo->SetText(n++ % 2 == 0 ? QStringLiteral("Иванов Иван Иванович") : QStringLiteral("17 мая 2026 г."));
}

QImage drawPage(TfrxCustomPreviewPages &pages)
{
    const QSize size = pages.GetPageSize(0);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    pages.DrawPage(0, &painter, 1, 1, 0, 0);
    return image;
}

void DrawCertificateAtZoomOne(benchmark::State &state)
{
    TfrxReport report;
    loadCertificate(report);
    if (!report.PrepareReport()) {
        state.SkipWithError("the certificate does not prepare");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(drawPage(*report.PreviewPages()));
}
BENCHMARK(DrawCertificateAtZoomOne)->Unit(benchmark::kMillisecond);

void PrintCertificateToPdf(benchmark::State &state)
{
    TfrxReport report;
    loadCertificate(report);
    if (!report.PrepareReport()) {
        state.SkipWithError("the certificate does not prepare");
        return;
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("certificate.pdf"));
    QString error;
    for (auto _ : state)
        if (!zorExportPdf(report, file, error))
            state.SkipWithError("the PDF is not written");
}
BENCHMARK(PrintCertificateToPdf)->Unit(benchmark::kMillisecond);

void LoadFillPrepareAndDraw(benchmark::State &state)
{
    for (auto _ : state) {
        TfrxReport report;
        loadCertificate(report);
        if (!report.PrepareReport()) {
            state.SkipWithError("the certificate does not prepare");
            return;
        }
        benchmark::DoNotOptimize(drawPage(*report.PreviewPages()));
    }
}
BENCHMARK(LoadFillPrepareAndDraw)->Unit(benchmark::kMillisecond);

} // namespace
