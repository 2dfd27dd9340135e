// Fuzz entry: a text object's text and settings as a template could give them. The first bytes
// choose the options, sizes and gaps; the rest is the text (UTF-8, tags allowed).
#include "TfrxDrawText.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>

namespace {

constexpr size_t kHeader = 8;

void ensureApplication()
{
    static QGuiApplication *application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_layout";
        static char *argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    Q_UNUSED(application);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < kHeader)
        return 0;
    ensureApplication();
    const uint8_t flags = data[0];
    const int rotation = int(int8_t(data[1])) * 3;
    const int width = data[2];
    const int height = data[3];
    const double lineSpacing = int(int8_t(data[4])) / 4.0;
    const double charSpacing = int(int8_t(data[5])) / 16.0;
    const double paragraphGap = data[6] / 4.0;
    const double scale = 0.5 + data[7] / 32.0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + kHeader), qsizetype(size - kHeader));

    TfrxDrawText engine;
    TfrxDrawText::Locker lock;
    engine.SetFont(TfrxTextFont{QStringLiteral("Times New Roman"), 4 + (flags >> 5), flags & 3, 0, 1});
    engine.SetOptions(flags & 1, flags & 2, rotation, flags & 4, flags & 8, flags & 16, flags & 32);
    engine.SetGaps(paragraphGap, charSpacing, lineSpacing);
    const QRect rect(0, 0, width, height);
    const QRect device(2, 2, int(width * scale), int(height * scale));
    engine.SetDimensions(scale, scale, 1, rect, device);
    engine.SetText(text);
    (void)engine.CalcHeight();
    (void)engine.CalcWidth();
    (void)engine.UnusedSpace();
    (void)engine.GetWrappedText();
    (void)TfrxDrawText::DeleteTags(text);

    QImage image(device.width() + 4, device.height() + 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    engine.DrawText(&painter, TfrxHAlign(flags % 4), TfrxVAlign((flags >> 2) % 3));
    bool paraBreak = false;
    (void)engine.GetOutBoundsText(paraBreak);
    engine.DrawText(&painter, haBlock, vaCenter);
    return 0;
}
