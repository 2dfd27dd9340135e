#include "zorEngine.h"

#include "TfrxEngine.h"
#include "TfrxPreviewPages.h"
#include "TfrxBand.h"
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

}  // namespace

void zorRegisterEngine()
{
    TfrxScriptBinder::Aggregate() = aggregate;
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
