#include "zorEngine.h"

#include "TfrxEngine.h"
#include "TfrxPreviewPages.h"
#include "TfrxBand.h"
#include "TfrxEngineScriptObject.h"
#include "TfrxOutline.h"
#include "TfrxOutlineScriptObject.h"
#include "TfrxReport.h"
#include "TfrxReportServices.h"
#include "TfrxScriptBinder.h"

namespace {

// The totals of the script's SUM, AVG, MIN, MAX and COUNT, whose arguments arrive as their texts:
// the totalled expression (not for COUNT), then the band by name and the flags.
QVariant aggregate(TfrxReport &report, const QString &function, const QStringList &arguments)
{
    TfrxCustomEngine *engine = report.Engine();
    if (engine == nullptr)
        return {};
    const bool count = function == QLatin1String("COUNT");
    const QString expression = count ? QString() : arguments.value(0);
    const qsizetype rest = count ? 0 : 1;
    auto *band = qobject_cast<TfrxBand *>(report.FindObject(arguments.value(rest).trimmed()));
    const QString flagsText = arguments.value(rest + 1).trimmed();
    bool literal = false;
    int flags = flagsText.toInt(&literal);
    if (!literal && !flagsText.isEmpty())
        flags = report.Calc(flagsText).toInt();
    return engine->GetAggregateValue(function, expression, band, flags);
}

// The prepared pages of a report whose engine is this library's, with the engine's current Y; none
// for a report without them.
TfrxPreviewPages *pagesOf(TfrxReport &report)
{
    return dynamic_cast<TfrxPreviewPages *>(report.PreviewPages());
}

double curY(TfrxReport &report)
{
    return report.Engine() != nullptr ? report.Engine()->CurY() : 0;
}

// Scripts' Outline.AddItem/LevelRoot/LevelUp and Engine.AddAnchor/GetAnchorPage: entries and anchors
// on the page being prepared, at the engine's current position.
void bindOutlineAndAnchors()
{
    TfrxOutlineScriptObject::Hooks &outline = TfrxOutlineScriptObject::Handlers();
    outline.AddItem = [](TfrxReport &report, const QString &text) {
        if (TfrxPreviewPages *pages = pagesOf(report))
            pages->Outline().AddItem(text, pages->CurPage(), qRound(curY(report)));
    };
    outline.LevelRoot = [](TfrxReport &report) {
        if (TfrxPreviewPages *pages = pagesOf(report))
            pages->Outline().LevelRoot();
    };
    outline.LevelUp = [](TfrxReport &report) {
        if (TfrxPreviewPages *pages = pagesOf(report))
            pages->Outline().LevelUp();
    };
    TfrxEngineScriptObject::Hooks &engine = TfrxEngineScriptObject::Handlers();
    engine.AddAnchor = [](TfrxReport &report, const QString &text) {
        if (TfrxPreviewPages *pages = pagesOf(report))
            pages->AddAnchor(text, curY(report));
    };
    engine.GetAnchorPage = [](TfrxReport &report, const QString &text) {
        TfrxPreviewPages *pages = pagesOf(report);
        return pages != nullptr ? pages->GetAnchorPage(text) : 1;
    };
}

}  // namespace

void zorRegisterEngine()
{
    TfrxScriptBinder::Aggregate() = aggregate;
    bindOutlineAndAnchors();
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
