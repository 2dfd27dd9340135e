// The passing lines that show where a dragged object's edges line up with other objects.

#include "TfrxPassingLines.h"
#include "TfrxMemoView.h"
#include "TfrxReportPage.h"

#include <gtest/gtest.h>

namespace {

TEST(PassingLines, JoinEdgesThatLieAtTheSamePlace)
{
    TfrxReportPage page;
    auto *moving = new TfrxMemoView(&page);
    auto *other = new TfrxMemoView(&page);
    const struct
    {
        const char *Case;
        QRectF Other;
        QList<QLineF> Lines;
    } cases[] = {
        {"left edges in line", {100, 300, 40, 10}, {QLineF(100, 100, 100, 310)}},
        {"the right edge on the other's left", {180, 300, 40, 10}, {QLineF(180, 100, 180, 310)}},
        {"tops in line, one further right", {400, 100, 40, 50}, {QLineF(100, 100, 440, 100)}},
        {"a thousandth off", {100.002, 300, 40, 10}, {}},
    };
    moving->SetBounds(100, 100, 80, 20);
    for (const auto &c : cases) {
        other->SetBounds(c.Other.x(), c.Other.y(), c.Other.width(), c.Other.height());
        EXPECT_EQ(TfrxPassingLines({moving}, {moving, other, &page}).Lines(), c.Lines) << c.Case;
    }
}

} // namespace
