#include "RenderTestSupport.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kMargin = 10; // the text rectangle's offset in the rendered images

// The ink of the rows from top to bottom (exclusive) only.
QRect inkBoxOfRows(const QImage &image, int top, int bottom)
{
    const QRect box = inkBox(image.copy(0, top, image.width(), bottom - top));
    return box.isNull() ? box : box.translated(0, top);
}

TextSetup oneLine(const QString &text)
{
    TextSetup setup;
    setup.Text = text;
    setup.Rect = QRect(0, 0, 200, 40);
    return setup;
}

TEST(TfrxDrawTextPaint, HorizontalAlignmentPlacesTheLine)
{
    const TextSetup setup = oneLine(QStringLiteral("Иванов"));
    const QRect left = inkBox(render(setup, haLeft, vaTop));
    const QRect right = inkBox(render(setup, haRight, vaTop));
    const QRect center = inkBox(render(setup, haCenter, vaTop));
    ASSERT_FALSE(left.isNull());
    EXPECT_NEAR(left.left(), kMargin, 2);
    EXPECT_NEAR(right.right(), kMargin + 200, 3);
    EXPECT_NEAR(center.center().x(), kMargin + 100, 2);
    EXPECT_EQ(left.width(), right.width());
    EXPECT_EQ(left.top(), center.top());
}

TEST(TfrxDrawTextPaint, VerticalAlignmentMovesTheBlock)
{
    TextSetup setup = oneLine(QStringLiteral("Иванов"));
    setup.Rect = QRect(0, 0, 200, 101);
    const QRect top = inkBox(render(setup, haLeft, vaTop));
    const QRect bottom = inkBox(render(setup, haLeft, vaBottom));
    const QRect center = inkBox(render(setup, haLeft, vaCenter));
    // The block is one em high (15 pixels at 11 pt): 86 pixels are free, half of it is 43.
    EXPECT_EQ(bottom.top() - top.top(), 101 - 15);
    EXPECT_EQ(center.top() - top.top(), 43);
    // an odd free space: 85 / 2 rounds to the even 42
    setup.Rect = QRect(0, 0, 200, 100);
    EXPECT_EQ(inkBox(render(setup, haLeft, vaCenter)).top() - top.top(), 42);
}

TEST(TfrxDrawTextPaint, JustifiedLinesReachTheRightEdgeExceptTheLastOfAParagraph)
{
    TextSetup setup;
    setup.Text = QStringLiteral("Тридцать часов вождения по городу и двадцать часов на площадке");
    setup.Rect = QRect(0, 0, 180, 80);
    const QImage image = render(setup, haBlock, vaTop);
    savePicture(image, QStringLiteral("justified"));
    const QStringList lines = wrappedLines(setup);
    ASSERT_EQ(lines.size(), 3);
    for (int i = 0; i < lines.size(); ++i) {
        // lines start every 15 pixels (one em at 11 pt, no line spacing)
        const QRect box = inkBoxOfRows(image, kMargin + 15 * i + 3, kMargin + 15 * i + 12);
        EXPECT_NEAR(box.left(), kMargin, 2) << i;
        if (i < lines.size() - 1)
            EXPECT_NEAR(box.right(), kMargin + 180, 2) << i;
        else
            EXPECT_LT(box.right(), kMargin + 170) << i;
    }
}

TEST(TfrxDrawTextPaint, JustifiedLineWithoutBlanksIsDrawnLeft)
{
    TextSetup setup;
    setup.Text = QStringLiteral("Свидетельствование");
    setup.Rect = QRect(0, 0, 60, 80);
    const QImage block = render(setup, haBlock, vaTop);
    const QImage left = render(setup, haLeft, vaTop);
    EXPECT_EQ(block, left);
}

TEST(TfrxDrawTextPaint, ParagraphGapIndentsFirstLinesOnly)
{
    TextSetup setup;
    setup.Text = QStringLiteral("aa bb cc\r\ndd");
    setup.Rect = QRect(0, 0, 200, 80);
    setup.ParagraphGap = 20;
    const QImage image = render(setup, haLeft, vaTop);
    EXPECT_NEAR(inkBoxOfRows(image, kMargin, kMargin + 15).left(), kMargin + 20, 2);
    EXPECT_NEAR(inkBoxOfRows(image, kMargin + 15, kMargin + 30).left(), kMargin + 20, 2);
    setup.Text = QStringLiteral("aa bb cc dd ee ff gg hh ii jj kk ll mm nn oo pp qq rr ss");
    const QImage wrapped = render(setup, haLeft, vaTop);
    EXPECT_NEAR(inkBoxOfRows(wrapped, kMargin + 15, kMargin + 30).left(), kMargin, 2);
}

// Characters land where the layout puts them, whatever the device's own metrics say: the line
// drawn at zoom 1 and at 600 per inch ends at the same place within a device pixel of zoom 1.
// The middle of the rightmost stroke of the ink between two rows, in the image's pixels.
double lastStrokeCentre(const QImage &image, int top, int bottom)
{
    const QImage band = image.copy(0, top, image.width(), bottom - top);
    auto inkAt = [&](int x) {
        for (int y = 0; y < band.height(); ++y) {
            if (qGray(band.pixel(x, y)) < 128)
                return true;
        }
        return false;
    };
    int right = band.width() - 1;
    while (right > 0 && !inkAt(right))
        --right;
    int left = right;
    while (left > 0 && inkAt(left - 1))
        --left;
    return (left + right + 1) / 2.0;
}

TEST(TfrxDrawTextPaint, WysiwygPlacesTheSameTextAtTheSamePlaceAtEveryZoom)
{
    TextSetup setup;
    // the bar at the end of the first line is the probe of where its last character lands
    setup.Text = QStringLiteral("Свидетельство о профессии водителя |\r\nСерия АБВ № 123456");
    setup.Rect = QRect(0, 0, 400, 60);
    const double high = 600 / 96.0;
    for (bool wysiwyg : {true, false}) {
        setup.Wysiwyg = wysiwyg;
        const QImage low = render(setup, haLeft, vaTop, 1);
        const QImage fine = render(setup, haLeft, vaTop, high);
        if (wysiwyg) {
            savePicture(low, QStringLiteral("zoom1"));
            savePicture(fine, QStringLiteral("zoom625"));
        }
        const double rightLow = lastStrokeCentre(low, kMargin, kMargin + 15) - kMargin;
        const double rightFine = (lastStrokeCentre(fine, kMargin, kMargin + int(15 * high)) - kMargin) / high;
        if (wysiwyg)
            EXPECT_NEAR(rightLow, rightFine, 1.0);
        else
            EXPECT_GT(std::abs(rightLow - rightFine), 1.0); // the device's rounded advances add up
        const QRect secondLow = inkBoxOfRows(low, kMargin + 15, kMargin + 30);
        const QRect secondFine = inkBoxOfRows(fine, kMargin + int(15 * high), kMargin + int(30 * high));
        EXPECT_NEAR(secondLow.top() - kMargin, (secondFine.top() - kMargin) / high, 1.0);
    }
}

// Draws through the printer path onto a PDF page at `dpi` and rasterises it at the same
// resolution; a null image when the rasteriser is not installed.
QImage renderOnPrinter(const TextSetup &setup, int dpi)
{
    const QString rasteriser = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    QTemporaryDir dir;
    if (rasteriser.isEmpty() || !dir.isValid())
        return QImage();
    const QString pdfPath = dir.filePath(QStringLiteral("page.pdf"));
    {
        QPdfWriter pdf(pdfPath);
        pdf.setResolution(dpi);
        const QSizeF points((setup.Rect.width() + 2 * kMargin) * 0.75,
                            (setup.Rect.height() + 2 * kMargin) * 0.75);
        pdf.setPageSize(QPageSize(points, QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        TfrxDrawText engine;
        TfrxDrawText::Locker lock;
        prepare(engine, setup, dpi / 96.0, dpi / 96.0);
        engine.DrawText(&painter, haLeft, vaTop);
    }
    QProcess::execute(rasteriser,
                      {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                       QStringLiteral("-singlefile"), pdfPath, dir.filePath(QStringLiteral("page"))});
    return QImage(dir.filePath(QStringLiteral("page.png"))).convertToFormat(QImage::Format_RGB32);
}

TEST(TfrxDrawTextPaint, PrinterAt600DpiPlacesTextWhereTheScreenDoes)
{
    TextSetup setup;
    setup.Text = QStringLiteral("Свидетельство о профессии водителя |\r\nСерия АБВ № 123456 |");
    setup.Rect = QRect(0, 0, 400, 60);
    setup.LineSpacing = 2;
    const double high = 600 / 96.0;
    const QImage printed = renderOnPrinter(setup, 600);
    if (printed.isNull())
        GTEST_SKIP() << "pdftoppm is not installed";
    savePicture(printed.scaled(printed.size() / 4), QStringLiteral("printer600"));
    const QImage screen = render(setup, haLeft, vaTop, 1);
    // the text rectangle lies 10 device pixels from the corner on both
    auto onPaper = [&](double deviceX) { return (deviceX - kMargin) / high; };
    for (int line = 0; line < 2; ++line) {
        const int top = kMargin + int(16.72 * line * high);
        EXPECT_NEAR(lastStrokeCentre(screen, kMargin + 17 * line, kMargin + 17 * line + 15) - kMargin,
                    onPaper(lastStrokeCentre(printed, top, top + int(15 * high))), 1.0)
            << "line " << line;
    }
    const QRect paperInk = inkBox(printed);
    EXPECT_NEAR(onPaper(paperInk.left()), inkBox(screen).left() - kMargin, 1.0);
    EXPECT_NEAR(onPaper(paperInk.top()), inkBox(screen).top() - kMargin, 1.0);
}

TEST(TfrxDrawTextPaint, RotatedTextRunsUpwardsFromTheBottomLeft)
{
    TextSetup setup;
    setup.Text = QStringLiteral("Серия");
    setup.Rect = QRect(0, 0, 40, 150);
    setup.Rotation = 90;
    const QImage image = render(setup, haLeft, vaTop);
    savePicture(image, QStringLiteral("rotated90"));
    const QRect box = inkBox(image);
    EXPECT_GT(box.height(), box.width());
    EXPECT_NEAR(box.bottom(), kMargin + 150, 3);
    EXPECT_NEAR(box.left(), kMargin, 3);

    // upside down from the bottom right: the room above the capitals is now below them
    setup.Rect = QRect(0, 0, 150, 40);
    setup.Rotation = 0;
    const QRect upright = inkBox(render(setup, haLeft, vaTop));
    setup.Rotation = 180;
    const QRect upsideDown = inkBox(render(setup, haLeft, vaTop));
    EXPECT_NEAR(kMargin + 150 - upsideDown.right(), upright.left() - kMargin, 2);
    EXPECT_NEAR(kMargin + 40 - upsideDown.bottom(), upright.top() - kMargin, 2);
}

TEST(TfrxDrawTextPaint, RightToLeftReadingReversesTheCharacters)
{
    // one run, and two runs of different formatting
    for (const QString &text : {QStringLiteral("_^"), QStringLiteral("_<b>^</b>")}) {
        TextSetup setup = oneLine(text);
        setup.Tags = true;
        const QImage ltr = render(setup, haLeft, vaTop);
        setup.RTL = true;
        const QImage rtl = render(setup, haLeft, vaTop);
        // the underscore is the only ink in the lower rows
        const QRect lowLtr = inkBoxOfRows(ltr, kMargin + 12, kMargin + 20);
        const QRect lowRtl = inkBoxOfRows(rtl, kMargin + 12, kMargin + 20);
        const QRect highRtl = inkBoxOfRows(rtl, kMargin, kMargin + 8);
        EXPECT_LT(lowLtr.left(), lowRtl.left()) << text.toStdString();
        EXPECT_LT(highRtl.right(), lowRtl.left()) << text.toStdString();
    }
}

TEST(TfrxDrawTextPaint, ClippingKeepsInkInsideTheRectangle)
{
    TextSetup setup;
    setup.Text = QStringLiteral("Свидетельство");
    setup.WordWrap = false;
    setup.Rect = QRect(0, 0, 40, 20);
    const QRect clipped = inkBox(render(setup, haLeft, vaTop));
    EXPECT_LE(clipped.right(), kMargin + 40);
    setup.Clipped = false;
    const QRect free = inkBox(render(setup, haLeft, vaTop));
    EXPECT_GT(free.right(), kMargin + 45);
}

TEST(TfrxDrawTextPaint, TagsChangeTheLookOfTheirRuns)
{
    TextSetup setup = oneLine(
        QStringLiteral("H<sub>2</sub>O <b>жирный</b> <font color=\"#FF0000\">красный</font> <u>черта</u>"));
    setup.Tags = true;
    setup.Rect = QRect(0, 0, 300, 40);
    const QImage image = render(setup, haLeft, vaTop, 2);
    savePicture(image, QStringLiteral("tags"));
    int red = 0;
    int longestStroke = 0; // only the underline makes a long horizontal stroke
    for (int y = 0; y < image.height(); ++y) {
        int stroke = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += (c.red() > 200 && c.green() < 80 && c.blue() < 80) ? 1 : 0;
            stroke = qGray(c.rgb()) < 128 ? stroke + 1 : 0;
            longestStroke = std::max(longestStroke, stroke);
        }
    }
    EXPECT_GT(red, 20);
    EXPECT_GT(longestStroke, 60);
}

TEST(TfrxDrawTextPaint, PrinterTakesTheFontFromItsResolution)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(600);
    QPainter painter(&pdf);
    EXPECT_TRUE(TfrxDrawText::IsPrinter(&painter));

    // one line at a printer's resolution: the spreading of the block height has no gaps to use
    TextSetup setup = oneLine(QStringLiteral("Иванов"));
    TfrxDrawText engine;
    TfrxDrawText::Locker lock;
    prepare(engine, setup, 600 / 96.0, 600 / 96.0);
    engine.DrawText(&painter, haBlock, vaCenter);
    painter.end();
    EXPECT_GT(buffer.size(), 0);

    QImage image(10, 10, QImage::Format_RGB32);
    QPainter screen(&image);
    EXPECT_FALSE(TfrxDrawText::IsPrinter(&screen));
}

TEST(TfrxDrawTextPaint, CertificateLooksRight)
{
    TextSetup setup;
    setup.Text = QStringLiteral("Автономная некоммерческая организация «Автошкола»\r\n"
                                "Иванов Иван Иванович\r\nкатегории «B»");
    setup.Rect = QRect(0, 0, 260, 70);
    setup.LineSpacing = 2;
    setup.WordBreak = true;
    const QImage image = render(setup, haCenter, vaCenter, 2);
    savePicture(image, QStringLiteral("certificate"));
    EXPECT_FALSE(inkBox(image).isNull());
}

} // namespace
