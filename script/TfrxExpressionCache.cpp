#include "TfrxExpressionCache.h"

#include "TfsRuntimeError.h"
#include "TfsScript.h"

struct TfrxExpressionCache::Entry
{
    std::unique_ptr<TfsScript> script;
    QString function;
};

TfrxExpressionCache::TfrxExpressionCache() = default;
TfrxExpressionCache::~TfrxExpressionCache() = default;

void TfrxExpressionCache::Clear(const QString &language)
{
    FExpressions.clear();
    FBoundScript = nullptr;
    FScriptLanguage = language;
    FCompileCount = 0;
}

TfsValue TfrxExpressionCache::Calc(const QString &expression, TfsScript *script, QString &error)
{
    error.clear();
    if (FNesting >= MaxNesting) {
        error = QStringLiteral("recursive expression");
        return TfsValue::MakeNull();
    }
    const int generation = script ? script->Generation() : 0;
    if (script != FBoundScript || generation != FBoundGeneration) {
        if (FNesting == 0) // never while one of the functions is running
            FExpressions.clear();
        FBoundScript = script;
        FBoundGeneration = generation;
    }
    std::shared_ptr<Entry> entry = FExpressions.value(expression);
    if (!entry) {
        // Each text gets a source of its own and a name never used before.
        entry = std::make_shared<Entry>();
        entry->function = QStringLiteral("ze3f%1").arg(FNextName++);
        entry->script = std::make_unique<TfsScript>(script);
        entry->script->SetSyntaxType(FScriptLanguage);
        entry->script->SetExtendedCharset(true);
        ++FCompileCount;
        QString message;
        bool ok = TfsScript::IsWholeExpression(FScriptLanguage, expression, message);
        if (ok) {
            entry->script->SetLines(TfsScript::FunctionSource(FScriptLanguage, entry->function, expression));
            ok = entry->script->Compile();
            message = entry->script->ErrorMsg();
        }
        if (!ok) {
            error = QStringLiteral("Error in expression '%1': %2").arg(expression, message);
            return TfsValue::MakeNull();
        }
        FExpressions.insert(expression, entry);
    }
    entry->script->SetParent(script);
    ++FNesting;
    struct Done
    {
        int &nesting;
        ~Done() { --nesting; }
    } done{FNesting};
    try {
        return entry->script->CallFunction(entry->function, TfsValue::MakeNull());
    } catch (const TfsRuntimeError &e) {
        error = e.Message();
        return TfsValue::MakeNull();
    }
}
