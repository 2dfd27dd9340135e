#pragma once

// A designer for testing what works through TfrxCustomDesigner (the inspector, the property and
// component editors, the dialogs) without the designer window: it holds a report, a page and a
// selection, and counts what it is told.

#include "TfrxCustomDesigner.h"
#include "TfrxDesignerPictureCache.h"
#include "TfrxDesignerSettings.h"
#include "TfrxPage.h"
#include "TfrxReport.h"

#include <QWidget>

class FakeDesigner : public TfrxCustomDesigner
{
public:
    explicit FakeDesigner(TfrxReport &report, TfrxPage *page = nullptr) : FReport(report), FPage(page)
    {
        if (page != nullptr) {
            FObjects = page->GetAllObjects();
            FObjects << &report << page;
            FSelected = {page};
        }
        FScript = report.ScriptText();
    }

    TfrxReport &Report() const override { return FReport; }
    TfrxPage *Page() const override { return FPage; }
    QList<TfrxComponent *> &Objects() override { return FObjects; }
    QList<TfrxComponent *> &SelectedObjects() override { return FSelected; }
    void SelectionChanged() override { ++SelectionChanges; }
    void SetModified(bool value) override
    {
        if (value)
            ++Modifications;
    }
    TfrxDesignerUnits Units() const override { return Settings_.Units; }
    const TfrxDesignerSettings &Settings() const override { return Settings_; }
    TfrxPictureStore &Pictures() override { return FPictures; }
    QWidget *DialogParent() override { return &FWindow; }
    bool CheckOp(int restriction) const override { return (Restrictions & restriction) == 0; }
    QStringList ScriptLines() const override { return FScript; }
    void SetScriptLines(const QStringList &lines) override
    {
        FScript = lines;
        FReport.SetScriptText(lines);
    }
    void ShowScript(int line, int column) override
    {
        ScriptShownAt = {line, column};
    }
    void ReloadPages(int index) override { ShownPage = index; }
    void ReloadReport() override { ++Reloads; }
    QString InsertExpression(const QString &text) override
    {
        ExpressionsAsked << text;
        return ExpressionAnswer;
    }

    // What the test sets and reads.
    TfrxDesignerSettings Settings_;
    int Restrictions = 0;
    int Modifications = 0;
    int SelectionChanges = 0;
    int Reloads = 0;
    int ShownPage = -3;
    QPair<int, int> ScriptShownAt{0, 0};
    QStringList ExpressionsAsked;
    QString ExpressionAnswer;

private:
    TfrxReport &FReport;
    TfrxPage *FPage;
    QList<TfrxComponent *> FObjects;
    QList<TfrxComponent *> FSelected;
    QStringList FScript;
    TfrxDesignerPictureCache FPictures;
    QWidget FWindow;
};
