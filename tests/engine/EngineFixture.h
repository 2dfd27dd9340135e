#pragma once

// Small report templates built in code, prepared through the report component, and read back
// from the prepared pages.

#include "CsvDataSet.h"
#include "TfrxBands.h"
#include "TfrxDataBand.h"
#include "TfrxEngine.h"
#include "TfrxMemoView.h"
#include "TfrxPreviewPages.h"
#include "TfrxReport.h"
#include "TfrxReportDataSets.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "TfrxSubreport.h"
#include "zorEngine.h"
#include "zorTemplateFormat.h"

#include <gtest/gtest.h>

#include <QRectF>
#include <QStringList>

#include <memory>
#include <vector>

class EngineFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        zorRegisterTemplateFormat();
        zorRegisterEngine();
    }

    void SetUp() override;
    void TearDown() override;

    // A page of the given paper size in millimetres, without margins.
    TfrxReportPage *AddPage(double widthMm = 100, double heightMm = 100);
    template <typename Band>
    Band *AddBand(const QString &name, double top, double height, TfrxReportPage *on = nullptr)
    {
        auto *band = new Band(on != nullptr ? on : FPage);
        band->SetName(name);
        band->SetBounds(0, top, 300, height);
        return band;
    }
    TfrxMemoView *AddMemo(TfrxComponent *parent, const QString &name, double left, double top, double width,
                          double height, const QString &text);
    // A data set under the alias with a field per column; rows of texts (empty texts are nulls).
    CsvDataSet *AddData(const QString &alias, const QStringList &fields, const QList<QStringList> &rows);
    // Records 1..n in one field "N".
    CsvDataSet *AddNumbers(const QString &alias, int n);
    // Six records in groups: field "G" A, A, B, C, C, C beside "V" 1 to 6.
    CsvDataSet *AddGroupedValues(const QString &alias);
    // A master data band over the data set alias on page, with a text object "Row" at rowLeft
    // showing the field "N".
    TfrxMasterData *AddNumberRows(const QString &bandName, const QString &alias, TfrxReportPage *page,
                                  double rowLeft = 0);
    // A subreport on parent at the given bounds that prints page.
    TfrxSubreport *AddSubreport(TfrxComponent *parent, const QString &name, const QRectF &bounds,
                                TfrxReportPage *page);

    bool Prepare();
    TfrxPreviewPages *Pages() const { return static_cast<TfrxPreviewPages *>(FReport->PreviewPages()); }
    TfrxEngine *Engine() const { return static_cast<TfrxEngine *>(FReport->Engine()); }
    // The texts of the text objects on a prepared page, in output order, without line ends.
    QStringList Texts(int page);
    // The rebuilt object of that name on a prepared page (the first one), and all of them.
    TfrxComponent *Find(int page, const QString &name);
    QList<TfrxComponent *> FindAll(int page, const QString &name);

    static QString Plain(const QString &text);

    std::unique_ptr<TfrxReport> FReport;
    TfrxReportPage *FPage = nullptr;
    std::vector<std::unique_ptr<CsvDataSet>> FDataSets;
};
