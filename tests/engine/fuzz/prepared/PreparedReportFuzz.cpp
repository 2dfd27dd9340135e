// Reads any bytes as a prepared report (".zi3"), then rebuilds and draws its first pages the way
// the preview does. Nothing may crash, hang or leak, whatever the file holds.
#include "FuzzApplication.h"
#include "TfrxCustomPreviewPages.h"
#include "TfrxReport.h"
#include "zorEngine.h"
#include "zorTemplateFormat.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    EnsureFuzzApplication();
    static const bool registered = [] {
        zorRegisterTemplateFormat();
        zorRegisterEngine();
        return true;
    }();
    (void)registered;
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    TfrxReport report;
    TfrxCustomPreviewPages *pages = report.PreviewPages();
    pages->LoadFromStream(&buffer);
    // A small picture is enough: drawing is clipped to it, the layout is done in full.
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    for (int i = 0, count = std::min(pages->GetCount(), 4); i < count; ++i) {
        image.fill(Qt::white);
        QPainter painter(&image);
        pages->DrawPage(i, &painter, 0.1, 0.1, 0, 0);
    }
    return 0;
}
