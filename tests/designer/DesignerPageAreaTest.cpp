// The page area around the workspace: zooming and scrolling with the wheel, guides dragged from
// the rulers, and the zoom that fits the page.

#include "TfrxDesignerPageArea.h"
#include "TfrxDesignerWorkspace.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxRuler.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>

namespace {

class PageArea : public ::testing::Test
{
protected:
    PageArea()
    {
        page = new TfrxReportPage(&report);
        page->SetLeftMargin(10);
        page->SetTopMargin(10);
        objects = {page};
        selected = {page};
        area.Workspace()->SetLists(&objects, &selected);
        area.Workspace()->SetPage(page);
        area.Workspace()->SetGridType(gt1pt);
        area.Workspace()->SetGrid(4, 4);
        area.resize(500, 400);
        area.show();
    }

    void Wheel(int steps, Qt::KeyboardModifiers modifiers)
    {
        QWidget *viewport = area.ScrollArea()->viewport();
        const QPointF at(100, 100);
        QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
    }

    TfrxRuler *Ruler(Qt::Orientation orientation) const
    {
        for (TfrxRuler *ruler : area.findChildren<TfrxRuler *>())
            if (ruler->Orientation() == orientation)
                return ruler;
        return nullptr;
    }

    // Presses on the ruler and lets go over a report point of the page.
    void DragGuide(TfrxRuler *ruler, const QPointF &to)
    {
        const QPointF inRuler(30, 10);
        const QPointF global = area.Workspace()->mapToGlobal(area.Workspace()->ReportToWidget(to));
        QMouseEvent press(QEvent::MouseButtonPress, inRuler, ruler->mapToGlobal(inRuler), Qt::LeftButton,
                          Qt::LeftButton, {});
        QApplication::sendEvent(ruler, &press);
        QMouseEvent move(QEvent::MouseMove, ruler->mapFromGlobal(global), global, Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(ruler, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, ruler->mapFromGlobal(global), global, Qt::LeftButton,
                            Qt::NoButton, {});
        QApplication::sendEvent(ruler, &release);
    }

    TfrxReport report;
    TfrxReportPage *page;
    QList<TfrxComponent *> objects, selected;
    TfrxDesignerPageArea area;
};

TEST_F(PageArea, CtrlWheelZoomsByFiveHundredthsAndNeverBelowThirtyPercent)
{
    QSignalSpy zoomed(&area, &TfrxDesignerPageArea::ScaleChanged);
    Wheel(1, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(area.Workspace()->Scale(), 1.05);
    EXPECT_EQ(zoomed.count(), 1);
    Wheel(-40, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(area.Workspace()->Scale(), 0.3);
}

TEST_F(PageArea, TheWheelAloneScrollsSixteenPixelsAStep)
{
    Wheel(-3, {});
    EXPECT_EQ(area.ScrollArea()->verticalScrollBar()->value(), 48);
    EXPECT_DOUBLE_EQ(area.Workspace()->Scale(), 1);
}

TEST_F(PageArea, GuidesComeFromTheRulersOnTheGrid)
{
    QSignalSpy modified(area.Workspace(), &TfrxDesignerWorkspace::Modified);
    DragGuide(Ruler(Qt::Horizontal), {50, 123});
    DragGuide(Ruler(Qt::Vertical), {201, 60});
    EXPECT_EQ(page->VGuides(), QStringList({QStringLiteral("124")}));
    EXPECT_EQ(page->HGuides(), QStringList({QStringLiteral("200")}));
    // Let go off the paper: no guide.
    DragGuide(Ruler(Qt::Horizontal), {-100, 50});
    EXPECT_EQ(page->VGuides().size(), 1);
    EXPECT_EQ(modified.count(), 2);
}

TEST_F(PageArea, ScalesThatFitThePage)
{
    const double paperWidth = 210 * 96 / 25.4, paperHeight = 297 * 96 / 25.4;
    const int w = area.ScrollArea()->width(), h = area.ScrollArea()->height();
    EXPECT_DOUBLE_EQ(area.PageWidthScale(), std::nearbyint((w - 40) / paperWidth * 100) / 100);
    EXPECT_DOUBLE_EQ(area.WholePageScale(), std::nearbyint(std::min((w - 20) / std::nearbyint(paperWidth),
                                                                    (h - 20) / std::nearbyint(paperHeight)) *
                                                           100) /
                                                100);
    // A window too narrow for the room kept free would give a negative zoom.
    area.Workspace()->SetScale(0.75);
    area.ScrollArea()->resize(30, 300);
    EXPECT_DOUBLE_EQ(area.PageWidthScale(), 0.75);
}

} // namespace
