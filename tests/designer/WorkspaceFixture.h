#pragma once

// The workspace as the designer sets it up: a report with one A4 page without margins (so that
// report pixels lie at whole widget pixels), the designer's two lists, and a grid of 4 pixels
// that snaps only where a test asks it to. Mouse events go to report points.

#include "TfrxBands.h"
#include "TfrxDesignerWorkspace.h"
#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

class WorkspaceFixture : public ::testing::Test
{
protected:
    WorkspaceFixture()
    {
        page = new TfrxReportPage(&report);
        page->SetName(QStringLiteral("Page1"));
        page->SetIsDesigning(true);
        workspace.SetLists(&objects, &selected);
        workspace.SetPage(page);
        workspace.SetGridType(gt1pt);
        workspace.SetGrid(4, 4);
        workspace.SetGridAlign(false);
        Refresh();
    }

    TfrxMemoView *AddMemo(TfrxComponent *parent, const QRectF &bounds)
    {
        auto *memo = new TfrxMemoView(parent);
        memo->DesignCreate(0);
        memo->CreateUniqueName();
        memo->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
        return memo;
    }

    template <typename Band> Band *AddBand(double top, double height)
    {
        auto *band = new Band(page);
        band->DesignCreate(0);
        band->CreateUniqueName();
        band->SetBounds(0, top, page->Width(), height);
        return band;
    }

    // What the designer does when it shows the page: its lists filled, the bands laid out.
    void Refresh()
    {
        objects = page->GetAllObjects();
        objects << &report << page;
        selected = {page};
        workspace.AdjustBands();
        workspace.UpdateView();
    }

    void Send(QEvent::Type type, const QPointF &at, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers modifiers)
    {
        const QPointF local = workspace.ReportToWidget(at);
        QMouseEvent event(type, local, workspace.mapToGlobal(local), button, buttons, modifiers);
        QApplication::sendEvent(&workspace, &event);
    }

    void Press(const QPointF &at, Qt::KeyboardModifiers modifiers = {},
               Qt::MouseButton button = Qt::LeftButton)
    {
        Send(QEvent::MouseButtonPress, at, button, button, modifiers);
    }

    void MoveTo(const QPointF &at, Qt::KeyboardModifiers modifiers = {},
                Qt::MouseButtons buttons = Qt::LeftButton)
    {
        Send(QEvent::MouseMove, at, Qt::NoButton, buttons, modifiers);
    }

    void Release(const QPointF &at, Qt::KeyboardModifiers modifiers = {},
                 Qt::MouseButton button = Qt::LeftButton)
    {
        Send(QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
    }

    void Click(const QPointF &at, Qt::KeyboardModifiers modifiers = {})
    {
        Press(at, modifiers);
        Release(at, modifiers);
    }

    void Drag(const QPointF &from, const QPointF &to, Qt::KeyboardModifiers modifiers = {})
    {
        Press(from, modifiers);
        MoveTo((from + to) / 2, modifiers);
        MoveTo(to, modifiers);
        Release(to, modifiers);
    }

    static QRectF Bounds(const TfrxComponent *object)
    {
        return QRectF(object->AbsLeft(), object->AbsTop(), object->Width(), object->Height());
    }

    TfrxReport report;
    TfrxReportPage *page;
    QList<TfrxComponent *> objects;
    QList<TfrxComponent *> selected;
    TfrxDesignerWorkspace workspace;
};
