#include "RenderTestSupport.h"

#include <QDir>
#include <QPainter>

#include <cmath>

namespace {
constexpr int kMargin = 10;

QRect scaled(const QRect &rect, double scale)
{
    const int l = int(std::nearbyint(rect.left() * scale));
    const int t = int(std::nearbyint(rect.top() * scale));
    const int r = int(std::nearbyint((rect.left() + rect.width()) * scale));
    const int b = int(std::nearbyint((rect.top() + rect.height()) * scale));
    return QRect(l, t, r - l, b - t);
}
} // namespace

void prepare(TfrxDrawText &engine, const TextSetup &setup, double scaleX, double scaleY, double printScale)
{
    engine.SetFont(setup.Font);
    engine.SetOptions(setup.WordWrap, setup.Tags, setup.Rotation, setup.Wysiwyg, setup.Clipped,
                      setup.WordBreak, setup.RTL);
    engine.SetGaps(setup.ParagraphGap, setup.CharSpacing, setup.LineSpacing);
    const QRect device = scaled(setup.Rect, scaleX).translated(kMargin, kMargin);
    engine.SetDimensions(scaleX, scaleY, printScale, setup.Rect, device);
    engine.SetText(setup.Text);
}

QStringList wrappedLines(const TextSetup &setup, double scale)
{
    TfrxDrawText engine;
    TfrxDrawText::Locker lock;
    prepare(engine, setup, scale, scale);
    return engine.Lines().lines();
}

QList<int> lineFlags(const TfrxDrawText &engine)
{
    QList<int> flags;
    for (int i = 0; i < engine.Lines().count(); ++i)
        flags.append(engine.Lines().object(i));
    return flags;
}

QImage render(const TextSetup &setup, TfrxHAlign hAlign, TfrxVAlign vAlign, double scale)
{
    const QRect device = scaled(setup.Rect, scale);
    QImage image(device.width() + 2 * kMargin, device.height() + 2 * kMargin, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TfrxDrawText engine;
    TfrxDrawText::Locker lock;
    prepare(engine, setup, scale, scale);
    engine.DrawText(&painter, hAlign, vAlign);
    return image;
}

QRect inkBox(const QImage &image)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(row[x]) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QString savePicture(const QImage &image, const QString &name)
{
    QDir().mkpath(QStringLiteral("pictures"));
    const QString path =
        QDir::current().absoluteFilePath(QStringLiteral("pictures/") + name + QStringLiteral(".png"));
    image.save(path);
    return path;
}
