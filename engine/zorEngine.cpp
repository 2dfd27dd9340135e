#include "zorEngine.h"

#include "TfrxEngine.h"
#include "TfrxPreviewPages.h"
#include "TfrxReportServices.h"

void zorRegisterEngine()
{
    TfrxReportServices::Instance().CreateEngine = [](TfrxReport &report) {
        TfrxReportServices::EngineParts parts;
        auto pages = std::make_unique<TfrxPreviewPages>(&report);
        auto engine = std::make_unique<TfrxEngine>(&report, pages.get());
        pages->SetEngine(engine.get());
        parts.PreviewPages = std::move(pages);
        parts.Engine = std::move(engine);
        return parts;
    };
}
