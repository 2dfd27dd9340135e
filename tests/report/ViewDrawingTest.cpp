// Drawing of frames, fills, shadows and views into images at several scales and offsets.

#include "TfrxBrushFill.h"
#include "TfrxFrame.h"
#include "TfrxGradientFill.h"
#include "TfrxHyperlink.h"
#include "TfrxLineView.h"
#include "TfrxPictureView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxUserDataSet.h"
#include "TfrxShapeView.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zor;

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);

// A plain view: background and frame only.
struct Canvas : ::testing::Test {
    QImage image{300, 200, QImage::Format_RGB32};
    TfrxShapeView view;  // a shape whose outline is switched off draws like a plain view

    void SetUp() override
    {
        image.fill(White);
        view.SetBounds(10, 20, 100, 30);
        view.Frame()->SetColor(clBlack);
    }
    void Draw(double scale = 1, double ox = 0, double oy = 0)
    {
        QPainter p(&image);
        view.BeginDraw(&p, scale, scale, ox, oy);
        view.DrawBackground();
        view.DrawFrame();
    }
    QRgb At(int x, int y) const { return image.pixel(x, y); }
};

TEST_F(Canvas, DeviceRectangleRoundsHalvesToEven)
{
    QPainter p(&image);
    view.BeginDraw(&p, 1, 1, 0, 0);
    EXPECT_EQ(view.DeviceRect(), QRect(QPoint(10, 20), QPoint(109, 49)));
    view.BeginDraw(&p, 6.25, 6.25, 0, 0);
    EXPECT_EQ(view.DeviceRect(), QRect(62, 125, 688 - 62, 312 - 125));
}

TEST_F(Canvas, SolidFrameAtScaleOneAndTwo)
{
    view.Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    Draw();
    for (const QPoint pt : {QPoint(10, 35), QPoint(110, 35), QPoint(60, 20), QPoint(60, 50), QPoint(10, 20)})
        EXPECT_EQ(At(pt.x(), pt.y()), Black) << pt.x() << "," << pt.y();
    for (const QPoint pt : {QPoint(9, 35), QPoint(11, 35), QPoint(60, 35), QPoint(111, 35), QPoint(60, 51)})
        EXPECT_EQ(At(pt.x(), pt.y()), White) << pt.x() << "," << pt.y();

    image.fill(White);
    Draw(2, 5, 7);  // left edge at 25, two pixels wide; top edge at 47
    for (const QPoint pt : {QPoint(24, 60), QPoint(25, 60), QPoint(100, 46), QPoint(100, 47)})
        EXPECT_EQ(At(pt.x(), pt.y()), Black) << pt.x() << "," << pt.y();
    for (const QPoint pt : {QPoint(23, 60), QPoint(26, 60), QPoint(100, 45), QPoint(100, 48)})
        EXPECT_EQ(At(pt.x(), pt.y()), White) << pt.x() << "," << pt.y();
}

TEST_F(Canvas, OpenEndsStopAtTheCornerClosedCornersFill)
{
    view.Frame()->SetTyp(ftLeft | ftTop);
    view.Frame()->SetWidth(3);
    Draw();
    EXPECT_EQ(At(9, 19), Black);    // the corner is filled
    EXPECT_EQ(At(9, 50), Black);    // the left line reaches the bottom-left corner point ...
    EXPECT_EQ(At(9, 51), White);    // ... and no further
    EXPECT_EQ(At(110, 21), Black);  // the top line reaches the top-right corner point ...
    EXPECT_EQ(At(111, 21), White);  // ... and no further
}

TEST_F(Canvas, FrameStylesAlongOneSide)
{
    // Counts of black pixels in the columns around the left edge (x = 10), rows 20..50.
    const struct {
        TfrxFrameStyle Style;
        double Width;
        int Outside, Edge, Inside;  // columns 9, 10, 11
        bool Broken;                // the edge column has gaps
    } cases[] = {
        {fsSolid, 1, 0, 31, 0, false},
        {fsDouble, 1, 31, 0, 31, false},  // one width outside and one inside the edge
        {fsDash, 1, 0, -1, 0, true},
        {fsDot, 1, 0, -1, 0, true},
        {fsAltDot, 1, 0, 16, 0, true},    // every other pixel
        {fsSquare, 1, 0, 16, 0, true},
        {fsSolid, 3, 31, 31, 31, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.Style));
        image.fill(White);
        view.Frame()->SetTyp(ftLeft);
        view.Frame()->SetStyle(c.Style);
        view.Frame()->SetWidth(c.Width);
        Draw();
        const auto count = [this](int x) {
            int n = 0;
            for (int y = 20; y <= 50; ++y)
                n += At(x, y) == Black;
            return n;
        };
        EXPECT_EQ(count(9), c.Outside);
        EXPECT_EQ(count(11), c.Inside);
        if (c.Edge >= 0) {
            EXPECT_EQ(count(10), c.Edge);
        }
        if (c.Broken) {
            EXPECT_GT(count(10), 0);
            EXPECT_LT(count(10), 31);
        }
        EXPECT_EQ(At(10, 19), White);
        EXPECT_EQ(At(10, 52), White);
    }
}

TEST_F(Canvas, FillReachesUnderTheFrameAndNoFurther)
{
    static_cast<TfrxBrushFill *>(view.Fill())->SetBackColor(clRed);
    Draw();
    EXPECT_EQ(At(60, 35), Red);
    EXPECT_EQ(At(110, 35), White);  // without a right side the fill stops at the edge
    view.Frame()->SetTyp(ftRight);
    view.Frame()->SetColor(clTransparent);  // no lines, but the background widens
    image.fill(White);
    Draw();
    EXPECT_EQ(At(110, 35), Red);
    EXPECT_EQ(At(111, 35), White);
}

TEST_F(Canvas, ShadowShrinksTheBoxAndFillsOutsideIt)
{
    view.Frame()->SetDropShadow(true);
    view.Frame()->SetShadowColor(0xFF0000);  // blue in 0x00BBGGRR
    view.Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    {
        QPainter p(&image);
        view.BeginDraw(&p, 1, 1, 0, 0);
    }
    EXPECT_EQ(view.DeviceRect(), QRect(QPoint(10, 20), QPoint(105, 45)));
    Draw();
    EXPECT_EQ(At(106, 35), Black);  // the right side at the shrunk edge
    EXPECT_EQ(At(108, 35), Blue);   // the shadow beside it
    EXPECT_EQ(At(108, 22), White);  // the shadow starts ShadowWidth below the top
    EXPECT_EQ(At(60, 48), Blue);
    EXPECT_EQ(At(12, 48), White);
    EXPECT_EQ(At(110, 35), White);  // within the object's bounds
}

TEST_F(Canvas, BrushStyles)
{
    auto *brush = static_cast<TfrxBrushFill *>(view.Fill());
    brush->SetStyle(bsSolid);
    Draw();
    EXPECT_EQ(image.pixel(60, 35), White);  // no colour: nothing drawn
    brush->SetStyle(bsCross);
    brush->SetForeColor(clRed);
    Draw();
    int red = 0, white = 0;
    for (int y = 20; y < 50; ++y) {
        for (int x = 10; x < 110; ++x) {
            red += At(x, y) == Red;
            white += At(x, y) == White;
        }
    }
    EXPECT_GT(red, 0);
    EXPECT_GT(white, 0);
    EXPECT_EQ(red + white, 100 * 30);
    EXPECT_EQ(At(9, 35), White);
    EXPECT_EQ(At(60, 19), White);
}

TEST_F(Canvas, GradientsOfOnePixelUseTheStartColour)
{
    view.SetFillType(ftGradient);
    auto *g = static_cast<TfrxGradientFill *>(view.Fill());
    g->SetStartColor(clRed);
    g->SetEndColor(0xFF0000);
    for (const auto style : {gsVertCenter, gsHorizCenter}) {
        g->SetGradientStyle(style);
        image.fill(White);
        view.SetBounds(10, 20, 1, 1);
        Draw();
        EXPECT_EQ(At(10, 20), Red);
    }
    view.SetBounds(10, 20, 100, 30);
    g->SetGradientStyle(gsHorizontal);
    Draw();
    // 256 strips over 100 pixels: the edge pixels are within a step or two of the end colours.
    EXPECT_GE(qRed(At(10, 35)), 250);
    EXPECT_LE(qBlue(At(10, 35)), 5);
    EXPECT_GE(qBlue(At(109, 35)), 250);
    EXPECT_LE(qRed(At(109, 35)), 5);
}

TEST_F(Canvas, HugeValuesFromTemplatesAreBounded)
{
    view.Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    const TfrxFrameStyle styles[] = {fsSolid, fsDash, fsDouble, fsAltDot, fsSquare};
    for (const auto style : styles) {
        view.Frame()->SetStyle(style);
        view.Frame()->SetWidth(1e12);
        view.Frame()->SetDropShadow(true);
        view.Frame()->SetShadowWidth(1e12);
        view.SetBounds(-1e15, -1e15, 2e15, 2e15);
        Draw(6.25);
        view.SetBounds(10, 20, -100, -30);  // negative sizes draw nothing odd
        Draw();
    }
    view.SetFillType(ftGradient);
    static_cast<TfrxGradientFill *>(view.Fill())->SetGradientStyle(gsElliptic);
    view.SetBounds(0, 0, 1e9, 1e9);
    Draw();
    SUCCEED();
}

TEST_F(Canvas, ShapesAndLinesDraw)
{
    view.SetShape(skEllipse);
    view.SetColor(clRed);
    QPainter p(&image);
    view.Draw(&p, 1, 1, 0, 0);
    EXPECT_EQ(image.pixel(60, 35), Red);
    EXPECT_EQ(image.pixel(11, 21), White);  // outside the ellipse
    TfrxLineView line;
    line.SetBounds(10, 100, 200, 0);
    line.Frame()->SetColor(clBlack);
    line.Draw(&p, 1, 1, 0, 0);
    EXPECT_EQ(image.pixel(100, 100), Black);
    EXPECT_EQ(image.pixel(100, 102), White);
}

TEST(LineView, DiagonalWithASolidArrowHead)
{
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(White);
    TfrxLineView line;
    line.SetDiagonal(true);
    line.SetBounds(10, 10, 100, 100);
    line.Frame()->SetColor(clBlack);
    {
        QPainter p(&image);
        line.Draw(&p, 1, 1, 0, 0);
    }
    EXPECT_EQ(image.pixel(60, 60), Black);
    EXPECT_EQ(image.pixel(101, 99), White);
    line.SetArrowEnd(true);
    line.SetArrowSolid(true);
    {
        QPainter p(&image);
        line.Draw(&p, 1, 1, 0, 0);
    }
    EXPECT_EQ(image.pixel(101, 99), Black);  // inside the head near the end point
    EXPECT_EQ(image.pixel(20, 18), White);   // no head at the start
    EXPECT_DOUBLE_EQ(line.Width(), 100);     // a diagonal line keeps its box
}

QByteArray Encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

TEST(Picture, LoadsEachFormatAndRefusesOthers)
{
    QImage source(8, 4, QImage::Format_RGB32);
    source.fill(Qt::blue);
    TfrxPictureView view;
    for (const char *format : {"PNG", "BMP", "JPG", "ICO"}) {
        SCOPED_TRACE(format);
        const QByteArray bytes = Encoded(source, format);
        ASSERT_FALSE(bytes.isEmpty());
        EXPECT_TRUE(view.LoadPictureData(bytes));
        EXPECT_EQ(view.Picture().size(), QSize(8, 4));
        // Truncated data: a defined state, never a crash.
        view.LoadPictureData(bytes.left(bytes.size() / 2));
        view.LoadPictureData(bytes.left(3));
    }
    // The blob prefix is skipped.
    const QByteArray png = Encoded(source, "PNG");
    QByteArray prefixed("\x01\x00\x00\x01", 4);
    const quint32 n = quint32(png.size());
    prefixed.append(reinterpret_cast<const char *>(&n), 4).append(png);
    EXPECT_TRUE(view.LoadPictureData(prefixed));
    for (const QByteArray &junk : {QByteArray(), QByteArray("hello"), QByteArray("BM"), QByteArray("\xFF\xD8", 2)}) {
        EXPECT_FALSE(view.LoadPictureData(junk));
        EXPECT_TRUE(view.Picture().isNull());
    }
    EXPECT_EQ(TfrxPictureView::DetectFormat(QByteArray(44, 'x').replace(40, 4, " EMF")), QByteArray("EMF"));
}

TEST(Picture, FilesAndAspectRatio)
{
    QTemporaryDir dir;
    QImage source(10, 20, QImage::Format_RGB32);
    source.fill(Qt::red);
    const QString good = dir.filePath(QStringLiteral("p.png"));
    source.save(good);
    const QString bad = dir.filePath(QStringLiteral("bad.png"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();

    TfrxPictureView view;
    EXPECT_FALSE(view.LoadFromFile(bad));
    EXPECT_FALSE(view.LoadFromFile(dir.filePath(QStringLiteral("missing.png"))));
    view.SetFileLink(good);
    view.GetData();
    ASSERT_FALSE(view.Picture().isNull());

    view.SetBounds(0, 0, 100, 100);
    view.SetCenter(true);
    QImage image(120, 120, QImage::Format_RGB32);
    image.fill(White);
    {
        QPainter p(&image);
        view.Draw(&p, 1, 1, 0, 0);
    }
    // A 10 x 20 picture in 100 x 100 keeps its proportions: 50 x 100, centred.
    EXPECT_EQ(image.pixel(50, 50), Red);
    EXPECT_EQ(image.pixel(20, 50), White);
    EXPECT_EQ(image.pixel(80, 50), White);
    view.SetAutoSize(true);
    view.SetPicture(source);
    EXPECT_DOUBLE_EQ(view.Width(), 10);
    EXPECT_DOUBLE_EQ(view.Height(), 20);
}

// A data set whose field "Photo" holds picture bytes.
class PhotoDataSet : public TfrxUserDataSet
{
public:
    QByteArray Bytes;
    using TfrxUserDataSet::TfrxUserDataSet;
    bool IsBlobField(const QString &field) const override { return field == QLatin1String("Photo"); }
    QVariant GetValue(const QString &) const override { return Bytes; }
};

TEST(Picture, LoadsFromADataField)
{
    TfrxReport report;
    auto *page = new TfrxReportPage(&report);
    auto *photos = new PhotoDataSet(page);
    QImage source(6, 7, QImage::Format_RGB32);
    source.fill(Qt::green);
    photos->Bytes = Encoded(source, "BMP");
    auto *view = new TfrxPictureView(page);
    view->SetDataSet(photos);
    view->SetDataField(QStringLiteral("Photo"));
    view->GetData();
    EXPECT_EQ(view->Picture().size(), QSize(6, 7));
    photos->Bytes = "garbage";
    view->GetData();
    EXPECT_TRUE(view->Picture().isNull());
}

// A report whose expressions are their own text in upper case, or 42 for "n".
class EchoReport : public TfrxReport
{
public:
    QVariant Calc(const QString &expression) override
    {
        if (expression == QLatin1String("n"))
            return 42;
        return expression.toUpper();
    }
};

TEST(OutputCycle, TagsAndHyperlinksExpandAndAreRestored)
{
    EchoReport report;
    auto *page = new TfrxReportPage(&report);
    auto *view = new TfrxShapeView(page);
    view->SetName(QStringLiteral("Shape1"));
    view->SetBounds(1, 2, 3, 4);
    view->SetTagStr(QStringLiteral("[a]-[b[c]]-[n]"));
    view->Hyperlink()->SetValue(QStringLiteral("page [n]"));
    view->Hyperlink()->SetExpression(QStringLiteral("it's"));
    report.SetScriptLanguage(QStringLiteral("BasicScript"));

    view->BeforePrint();
    EXPECT_EQ(report.CurObject(), QStringLiteral("Shape1"));
    view->GetData();
    EXPECT_EQ(view->TagStr(), QStringLiteral("A-B[C]-42"));
    EXPECT_EQ(view->Hyperlink()->Value(), QStringLiteral("\"IT'S\""));
    view->SetBounds(10, 20, 30, 40);
    view->AfterPrint();
    EXPECT_EQ(view->TagStr(), QStringLiteral("[a]-[b[c]]-[n]"));
    EXPECT_EQ(view->Hyperlink()->Value(), QStringLiteral("page [n]"));
    EXPECT_DOUBLE_EQ(view->Left(), 1);
    EXPECT_EQ(view->ExpandVariables(QStringLiteral("open [a")), QStringLiteral("open [a"));
}

TEST(Hyperlink, UrlPrefixesAndLanguageQuoting)
{
    TfrxShapeView view;
    view.SetURL(QStringLiteral("#Chapter"));
    EXPECT_EQ(view.Hyperlink()->Kind(), hkAnchor);
    EXPECT_EQ(view.Hyperlink()->Value(), QStringLiteral("Chapter"));
    view.SetURL(QStringLiteral("@3"));
    EXPECT_EQ(view.Hyperlink()->Kind(), hkPageNumber);
    EXPECT_EQ(view.Hyperlink()->Value(), QStringLiteral("3"));
    view.SetURL(QString());
    EXPECT_EQ(view.Hyperlink()->Value(), QStringLiteral("3"));
    view.SetPrintable(false);
    EXPECT_EQ(view.Visibility(), vsPreview | vsExport);

    const struct {
        const char *Language;
        QString Expected;
    } cases[] = {
        {"PascalScript", QStringLiteral("'it''s \"x\" \\ \r'")},
        {"C++Script", QStringLiteral("\"it's \\\"x\\\" \\\\ \\r\"")},
        {"JScript", QStringLiteral("\"it's \\\"x\\\" \\\\ \\r\"")},
        {"BasicScript", QStringLiteral("\"it's \"\"x\"\" \\ \r\"")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Language);
        EXPECT_EQ(TfrxHyperlink::QuoteForLanguage(QStringLiteral("it's \"x\" \\ \r"), QString::fromLatin1(c.Language)),
                  c.Expected);
    }
}

}  // namespace
