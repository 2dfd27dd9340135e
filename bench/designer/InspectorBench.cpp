// The object inspector filling in for a large selection: five hundred text objects selected at
// once (a Select All on a crowded page), the grid shown and painted.
#include "TfrxCustomDesigner.h"
#include "TfrxDesignerPictureCache.h"
#include "TfrxDesignerSettings.h"
#include "TfrxMemoView.h"
#include "TfrxObjectInspector.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxReportPropertyEditors.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

// The designer as far as the inspector asks it: a report, its page and their objects.
class PageDesigner : public TfrxCustomDesigner
{
public:
    PageDesigner()
    {
        for (int i = 0; i < 500; ++i) {
            auto *memo = new TfrxMemoView(FPage);
            memo->SetName(QStringLiteral("Memo%1").arg(i + 1));
            memo->SetBounds(10 + (i % 10) * 70, 10 + (i / 10) * 20, 60, 18);
        }
        FObjects = FPage->GetAllObjects();
        FSelected = FObjects;
        FObjects << &FReport << FPage;
    }

    TfrxReport &Report() const override { return FReport; }
    TfrxPage *Page() const override { return FPage; }
    QList<TfrxComponent *> &Objects() override { return FObjects; }
    QList<TfrxComponent *> &SelectedObjects() override { return FSelected; }
    void SelectionChanged() override {}
    void SetModified(bool) override {}
    TfrxDesignerUnits Units() const override { return duCM; }
    const TfrxDesignerSettings &Settings() const override { return FSettings; }
    TfrxPictureStore &Pictures() override { return FPictures; }
    QWidget *DialogParent() override { return nullptr; }
    bool CheckOp(int) const override { return true; }
    QStringList ScriptLines() const override { return FReport.ScriptText(); }
    void SetScriptLines(const QStringList &lines) override { FReport.SetScriptText(lines); }
    void ShowScript(int, int) override {}
    void ReloadPages(int) override {}
    void ReloadReport() override {}
    QString InsertExpression(const QString &) override { return {}; }

private:
    mutable TfrxReport FReport;
    TfrxReportPage *FPage = new TfrxReportPage(&FReport);
    QList<TfrxComponent *> FObjects;
    QList<TfrxComponent *> FSelected;
    TfrxDesignerSettings FSettings;
    TfrxDesignerPictureCache FPictures;
};

void SelectFiveHundredTextObjects(benchmark::State &state)
{
    zorRegisterPropertyEditors();
    PageDesigner designer;
    TfrxObjectInspector inspector(designer);
    inspector.resize(300, 700);
    inspector.show();
    inspector.SetObjects(designer.Objects());
    const QList<TfrxComponent *> one{designer.SelectedObjects().first()};
    QApplication::processEvents();
    for (auto _ : state) {
        inspector.SetSelectedObjects(designer.SelectedObjects());
        inspector.repaint();
        state.PauseTiming();
        inspector.SetSelectedObjects(one);
        state.ResumeTiming();
    }
}
BENCHMARK(SelectFiveHundredTextObjects)->Unit(benchmark::kMillisecond);

} // namespace
