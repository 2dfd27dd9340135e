// Reads any bytes as a template into a report. Loading must never crash; what loads is saved, and
// the saved form must read back and save to the same bytes.
#include "TfrxReport.h"
#include "TfrxXMLSerializer.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

// Text objects measure with fonts: one GUI application without a screen for the whole run.
void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz_template";
    static char *argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication app(argc, argv);
    }
}

bool Load(TfrxReport &report, const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    TfrxXMLSerializer serializer(&buffer);
    try {
        serializer.ReadRootComponent(&report);
    } catch (const std::exception &) {
        return false;
    }
    return true;
}

QByteArray Save(TfrxReport &report)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TfrxXMLSerializer serializer(&buffer);
    serializer.WriteRootComponent(&report);
    return buffer.data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    EnsureApplication();
    TfrxReport report;
    if (!Load(report, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))))
        return 0;
    const QByteArray saved = Save(report);
    TfrxReport again;
    if (!Load(again, saved)) {
        std::fprintf(stderr, "broken: a saved template does not load\n");
        std::abort();
    }
    // One load may normalise (a final line break of a text); the normalised form is stable.
    TfrxReport third;
    const QByteArray savedAgain = Save(again);
    if (!Load(third, savedAgain) || Save(third) != savedAgain) {
        std::fprintf(stderr, "broken: a saved template does not save to the same bytes\n");
        std::abort();
    }
    return 0;
}
