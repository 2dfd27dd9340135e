#pragma once

#include "TfrxCustomEngine.h"
#include "TfrxCustomPreviewPages.h"

#include <QSizeF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TfrxMemoView;
class TfrxReportPage;

// A small store of prepared pages for the tests: pages are object trees held in memory and drawn
// the way the real store draws them (background, then every view shifted by the page margins).
class FakePreviewPages : public TfrxCustomPreviewPages
{
public:
    explicit FakePreviewPages(TfrxReport *report);
    ~FakePreviewPages() override;

    // Adds a page of a paper size in millimetres with 10 mm margins.
    TfrxReportPage *AddPage(QSizeF paperMm, bool landscape = false, int paperSize = 256);
    // Adds a text object at a position in report pixels from the page's printable corner.
    static TfrxMemoView *AddText(TfrxReportPage *page, const QString &text, QRectF bounds, int pointSize = 12);

    int GetCount() const override { return int(FPages.size()); }
    TfrxReportPage *GetPage(int index) override;
    QSize GetPageSize(int index) override;
    void DrawPage(int index, QPainter *canvas, double scaleX, double scaleY, double offsetX,
                  double offsetY) override;
    void Clear() override { FPages.clear(); }
    void SaveToStream(QIODevice *stream) override;
    void LoadFromStream(QIODevice *stream, bool allowPartialLoading = false) override;
    bool SaveToFile(const QString &fileName) override;
    bool LoadFromFile(const QString &fileName, bool exceptionIfNotFound = false) override;

    // Called between pages while the fake engine prepares (the tests look at the window then).
    std::function<void(int pageIndex)> OnPagePrepared;

private:
    std::vector<std::unique_ptr<TfrxReportPage>> FPages;
};

// An engine that compiles the report's script and copies the report's template pages with their
// text objects; a text that holds "[bad]" fails the preparation with an error naming its object.
class FakeEngine : public TfrxCustomEngine
{
public:
    FakeEngine(TfrxReport *report, FakePreviewPages *pages) : TfrxCustomEngine(report, pages), FPages(pages) {}
    bool Run() override;
    QVariant SystemVariable(const QString &) const override { return {}; }
    // The fake prepares whole pages only; scripts do not drive it.
    double GetPageHeight() const override { return 0; }
    void EndPage() override {}
    void BreakAllKeep() override {}
    void NewColumn() override {}
    void NewPage() override {}
    void ShowBand(TfrxBand *) override {}
    void ShowBand(const QMetaObject *) override {}
    double HeaderHeight() const override { return 0; }
    double FooterHeight() const override { return 0; }
    double FreeSpace() const override { return 0; }
    QVariant GetAggregateValue(const QString &, const QString &, TfrxBand *, int) override { return {}; }

    // How many times the report was prepared.
    int Runs = 0;

private:
    bool runPass();

    FakePreviewPages *FPages;
};

// Makes every report that is created afterwards use the fake store and engine.
void registerFakeEngine();
