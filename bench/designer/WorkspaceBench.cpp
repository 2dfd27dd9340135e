// The design workspace on screen: one frame of dragging a text object over a page of a thousand
// text objects (the mouse move and the repaint it causes), and the first paint of the
// certificate's page over the picture of its blank.
#include "TfrxDesignerWorkspace.h"
#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "zorTemplateFormat.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>

#include <benchmark/benchmark.h>

namespace {

// The designer as it shows a page: its lists, the page at zoom 1 in a scroll box of a usual
// window's size, on a centimetre grid.
struct DesignedPage
{
    explicit DesignedPage(TfrxReportPage *shown) : page(shown)
    {
        for (TfrxComponent *object : page->GetAllObjects())
            object->SetIsDesigning(true);
        objects = page->GetAllObjects();
        objects << &report << page;
        selected = {page};
        area.setWidget(workspace);
        area.resize(1280, 800);
        workspace->SetLists(&objects, &selected);
        workspace->SetPage(page);
        workspace->SetGridType(gt1cm);
        workspace->SetGrid(0.1 * zor::fr1cm, 0.1 * zor::fr1cm);
        workspace->AdjustBands();
        area.show();
        // The window must be on screen (exposed) before a repaint paints anything.
        QApplication::processEvents();
    }

    void Mouse(QEvent::Type type, const QPointF &at, Qt::MouseButtons buttons)
    {
        const QPointF local = workspace->ReportToWidget(at);
        QMouseEvent event(type, local, workspace->mapToGlobal(local),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, {});
        QApplication::sendEvent(workspace, &event);
    }

    TfrxReport report;
    TfrxReportPage *page;
    QList<TfrxComponent *> objects, selected;
    QScrollArea area;
    TfrxDesignerWorkspace *workspace = new TfrxDesignerWorkspace;
};

// Counts the paint events a widget gets, to show that every frame measured is drawn.
class PaintCounter : public QObject
{
public:
    int Count = 0;

    bool eventFilter(QObject *, QEvent *event) override
    {
        Count += event->type() == QEvent::Paint;
        return false;
    }
};

TfrxReportPage *ThousandTextObjects(TfrxReport &report)
{
    auto *page = new TfrxReportPage(&report);
    page->SetLeftMargin(10);
    page->SetTopMargin(10);
    for (int i = 0; i < 1000; ++i) {
        auto *memo = new TfrxMemoView(page);
        memo->SetBounds(i % 25 * 28, i / 25 * 26, 26, 22);
        memo->SetText(QStringLiteral("Текст %1").arg(i));
    }
    return page;
}

void DragFrameOverThousandObjects(benchmark::State &state)
{
    TfrxReport owner;
    DesignedPage designed(ThousandTextObjects(owner));
    designed.workspace->SetGridAlign(false);
    PaintCounter paints;
    designed.workspace->installEventFilter(&paints);
    QPointF at(300, 300);
    designed.Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
    designed.Mouse(QEvent::MouseMove, at += QPointF(3, 2), Qt::LeftButton);
    designed.workspace->repaint();
    int step = 0;
    for (auto _ : state) {
        const QPointF by = ++step % 40 < 20 ? QPointF(3, 2) : QPointF(-3, -2);
        designed.Mouse(QEvent::MouseMove, at += by, Qt::LeftButton);
        designed.workspace->repaint();
    }
    designed.Mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
    state.counters["paints"] = benchmark::Counter(paints.Count, benchmark::Counter::kAvgIterations);
}
BENCHMARK(DragFrameOverThousandObjects)->Unit(benchmark::kMillisecond);

// For comparison: the same page drawn whole, as when nothing is dragged.
void FullPaintOfThousandObjects(benchmark::State &state)
{
    TfrxReport owner;
    DesignedPage designed(ThousandTextObjects(owner));
    for (auto _ : state) {
        designed.workspace->UpdateView();
        designed.workspace->repaint();
    }
}
BENCHMARK(FullPaintOfThousandObjects)->Unit(benchmark::kMillisecond);

void FirstPaintOfTheCertificate(benchmark::State &state)
{
    zorRegisterTemplateFormat();
    TfrxReport report;
    if (!report.LoadFromFile(QStringLiteral(ZOR_TEMPLATE), false)) {
        state.SkipWithError("the certificate's template does not load");
        return;
    }
    auto *page = qobject_cast<TfrxReportPage *>(report.FindObject(QStringLiteral("Page1")));
    DesignedPage designed(page);
    const QDir templates = QFileInfo(QStringLiteral(ZOR_TEMPLATE)).dir();
    const QImage blank(templates.filePath(QStringLiteral("../blank/blank.png")));
    QImage target(designed.workspace->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        // A workspace of its own each time: nothing is left from an earlier paint.
        state.PauseTiming();
        TfrxDesignerWorkspace workspace;
        workspace.SetLists(&designed.objects, &designed.selected);
        workspace.SetPage(page);
        workspace.SetGridType(gt1cm);
        workspace.SetGrid(0.1 * zor::fr1cm, 0.1 * zor::fr1cm);
        workspace.SetBackdrop(blank, QRectF(0, 0, 210, 148));
        state.ResumeTiming();
        workspace.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(FirstPaintOfTheCertificate)->Unit(benchmark::kMillisecond);

} // namespace
