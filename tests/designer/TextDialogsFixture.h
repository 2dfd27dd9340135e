#pragma once

// A report with what the text editor dialogs and the data tree offer: the data sets Customers
// (Company, Name) and Sales (Amount), a page with the data band MasterData1 over Sales and the
// text object Memo1 on it, and variables in a category; a designer stand-in over it. Helpers find
// a dialog's controls by name, answer the modal dialog that an action opens, and keep pictures.

#include "ModalAnswer.h"
#include "DesignerTestSupport.h"
#include "FakeDesigner.h"
#include "TfrxDataBand.h"
#include "TfrxDataPage.h"
#include "TfrxMemoView.h"
#include "TfrxReportDataSets.h"
#include "TfrxReportPage.h"
#include "TfrxUserDataSet.h"
#include "TfrxVariables.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class TextDialogsFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TfrxDataPage *data = nullptr;
        for (TfrxComponent *child : report->Objects())
            if (auto *dataPage = qobject_cast<TfrxDataPage *>(child))
                data = dataPage;
        customers = AddDataSet(data, QStringLiteral("Customers"), {QStringLiteral("Company"), QStringLiteral("Name")});
        sales = AddDataSet(data, QStringLiteral("Sales"), {QStringLiteral("Amount")});
        band = new TfrxMasterData(page);
        band->SetName(QStringLiteral("MasterData1"));
        band->SetBounds(0, 40, 700, 30);
        band->SetDataSet(sales);
        memo = designertest::AddMemo(band, QStringLiteral("Memo1"), 10, 5, 200, 20);
        TfrxVariables *variables = report->Variables();
        variables->SetVariable(QStringLiteral(" Totals"), QString());
        variables->SetVariable(QStringLiteral("Discount"), QStringLiteral("0.05"));
        designer = std::make_unique<FakeDesigner>(*report, page);
    }

    // The report's data sets in the report's order: Customers, then Sales.
    static TfrxUserDataSet *AddDataSet(TfrxComponent *owner, const QString &name, const QStringList &fields)
    {
        auto *dataSet = new TfrxUserDataSet(owner);
        dataSet->SetName(name);
        dataSet->SetFields(fields);
        owner->GetReport()->DataSets()->Add(dataSet);
        return dataSet;
    }

    template <class T> static T *Child(const QWidget *parent, const char *name)
    {
        T *widget = parent->findChild<T *>(QLatin1StringView(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Pictures for a person to look at, named after the scale they were taken at.
    static void KeepPicture(QWidget *window, const QString &name)
    {
        const QString folder = QDir::temp().filePath(QStringLiteral("zelta-textdialogs"));
        QDir().mkpath(folder);
        const QString file = QStringLiteral("%1/%2@%3.png").arg(folder, name).arg(window->devicePixelRatioF());
        EXPECT_TRUE(window->grab().save(file)) << file.toStdString();
    }

    std::unique_ptr<TfrxReport> report = designertest::EmptyReport();
    TfrxReportPage *page = designertest::FirstPage(*report);
    TfrxUserDataSet *customers = nullptr;
    TfrxUserDataSet *sales = nullptr;
    TfrxMasterData *band = nullptr;
    TfrxMemoView *memo = nullptr;
    std::unique_ptr<FakeDesigner> designer;
};
