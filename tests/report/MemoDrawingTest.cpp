// Pixel probes on text objects drawn into images: alignment, justification, rotation,
// underlines, and the same object at zoom 1 and at 600 dpi landing in the same places.

#include "TfrxFont.h"
#include "TfrxFrame.h"
#include "TfrxMemoView.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace zor;

namespace {

// The bounding box of the dark pixels of an image region, in image pixels.
QRect Ink(const QImage &image, const QRect &region = {})
{
    const QRect area = region.isNull() ? image.rect() : region & image.rect();
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) >= 128)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return left == INT_MAX ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QImage Render(TfrxMemoView &memo, int width, int height, double scale = 1)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    memo.Draw(&p, scale, scale, 0, 0);
    return image;
}

struct MemoDraw : ::testing::Test
{
    TfrxMemoView memo;
    void SetUp() override
    {
        memo.SetBounds(10, 10, 200, 60);
        memo.Font()->SetName(QStringLiteral("Arial"));
        memo.Font()->SetSize(12);
        memo.SetText(QStringLiteral("ЖЖЖ"));
    }
};

TEST_F(MemoDraw, HorizontalAndVerticalAlignment)
{
    const struct
    {
        TfrxHAlign H;
        TfrxVAlign V;
    } cases[] = {{haLeft, vaTop}, {haRight, vaBottom}, {haCenter, vaCenter}};
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.H));
        memo.SetHAlign(c.H);
        memo.SetVAlign(c.V);
        const QRect ink = Ink(Render(memo, 240, 100));
        ASSERT_FALSE(ink.isNull());
        const double centreX = (ink.left() + ink.right()) / 2.0, centreY = (ink.top() + ink.bottom()) / 2.0;
        switch (c.H) {
        case haLeft:
            EXPECT_NEAR(ink.left(), 10 + 2, 3);
            EXPECT_NEAR(ink.top(), 10 + 1, 6);
            break;
        case haRight:
            EXPECT_NEAR(ink.right(), 210 - 2, 3);
            EXPECT_NEAR(ink.bottom(), 70 - 1, 7);
            break;
        default:
            EXPECT_NEAR(centreX, 110, 2);
            EXPECT_NEAR(centreY, 40, 4);
            break;
        }
        // Nothing outside the object.
        EXPECT_TRUE(QRect(10, 10, 200, 60).contains(ink));
    }
}

TEST_F(MemoDraw, BlockAlignmentSpreadsAllButTheLastLine)
{
    memo.SetText(QStringLiteral("раз два три четыре пять шесть семь восемь девять десять одиннадцать"));
    memo.SetBounds(10, 10, 200, 80);
    const QRect firstLine(10, 10, 200, 18);
    memo.SetHAlign(haLeft);
    const QRect left = Ink(Render(memo, 240, 120), firstLine);
    memo.SetHAlign(haBlock);
    const QImage block = Render(memo, 240, 120);
    const QRect justified = Ink(block, firstLine);
    ASSERT_FALSE(left.isNull());
    EXPECT_NEAR(justified.left(), left.left(), 1);
    EXPECT_GT(justified.right(), left.right() + 3);
    EXPECT_NEAR(justified.right(), 210 - 2, 3);
    // The last line stays as wide as its text.
    const QRect all = Ink(block);
    const QRect lastLine = Ink(block, QRect(10, all.bottom() - 10, 200, 11));
    EXPECT_LT(lastLine.right(), 200);
}

TEST_F(MemoDraw, RotationTurnsTheText)
{
    memo.SetText(QStringLiteral("ЖЖЖЖЖЖ"));
    memo.SetBounds(10, 10, 60, 200);
    memo.SetHAlign(haCenter);
    memo.SetVAlign(vaCenter);
    memo.SetRotation(90);
    const QRect turned = Ink(Render(memo, 100, 240));
    ASSERT_FALSE(turned.isNull());
    EXPECT_GT(turned.height(), 2 * turned.width());
    memo.SetRotation(-270);
    EXPECT_EQ(Ink(Render(memo, 100, 240)), turned);
    memo.SetRotation(0);
    memo.SetBounds(10, 10, 200, 60);
    const QRect level = Ink(Render(memo, 240, 100));
    EXPECT_GT(level.width(), 2 * level.height());
}

TEST_F(MemoDraw, SameTextAtZoomOneAndAt600Dpi)
{
    memo.SetText(QStringLiteral("Свидетельство о профессии водителя"));
    memo.SetHAlign(haCenter);
    memo.SetBounds(10, 10, 300, 30);
    const QRect screen = Ink(Render(memo, 340, 60));
    const double k = 600.0 / 96;
    const QRect printer = Ink(Render(memo, int(340 * k), int(60 * k), k));
    ASSERT_FALSE(screen.isNull());
    ASSERT_FALSE(printer.isNull());
    // Each edge of the text within one screen pixel of where the printer puts it.
    EXPECT_NEAR(printer.left() / k, screen.left(), 1);
    EXPECT_NEAR((printer.right() + 1) / k, screen.right() + 1, 1);
    EXPECT_NEAR(printer.top() / k, screen.top(), 1.5);
    EXPECT_NEAR((printer.bottom() + 1) / k, screen.bottom() + 1, 1.5);
}

TEST_F(MemoDraw, UnderlinesRuleEveryLine)
{
    memo.SetText(QString());
    memo.SetUnderlines(true);
    memo.Frame()->SetColor(clBlack);
    const QImage ruled = Render(memo, 240, 100);
    int rows = 0;
    for (int y = 10; y < 70; ++y)
        rows += qGray(ruled.pixel(110, y)) < 128 ? 1 : 0;
    EXPECT_GE(rows, 2);
    EXPECT_LE(rows, 4);

    // A line height that is not positive rules nothing (and does not loop for ever).
    memo.SetLineSpacing(-1000);
    EXPECT_TRUE(Ink(Render(memo, 240, 100)).isNull());
}

TEST_F(MemoDraw, ClippedToTheObject)
{
    memo.SetText(QStringLiteral("ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ"));
    memo.SetWordWrap(false);
    const QRect ink = Ink(Render(memo, 400, 100));
    EXPECT_LE(ink.right(), 210);
    memo.SetClipped(false);
    EXPECT_GT(Ink(Render(memo, 400, 100)).right(), 220);
}

} // namespace
