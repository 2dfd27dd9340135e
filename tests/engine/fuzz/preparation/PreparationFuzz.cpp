// Reads any bytes as a template and prepares what loads. Neither may crash, hang or leak; a
// template that the loader refuses is not prepared.
#include "FuzzApplication.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "zorEngine.h"
#include "zorTemplateFormat.h"

#include <QBuffer>

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
    report.EngineOptions()->NewSilentMode = zor::simSilent;
    if (!report.LoadFromStream(&buffer) || !report.Errors().isEmpty())
        return 0;
    report.PrepareReport();
    return 0;
}
