#include "zorAggregate.h"

#include "TfrxBands.h"
#include "TfrxCustomMemoView.h"
#include "TfrxDataBand.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxVariables.h"
#include "zorBrackets.h"

#include <QHash>
#include <QScopeGuard>

#include <functional>

namespace {

bool IsIntegral(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

bool IsNull(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

bool IsText(const QVariant &v)
{
    return v.metaType().id() == QMetaType::QString;
}

// Numbers compare as numbers, also when they come as texts; other texts compare as texts.
bool Less(const QVariant &a, const QVariant &b)
{
    bool okA = false, okB = false;
    const double x = a.toDouble(&okA), y = b.toDouble(&okB);
    if (okA && okB)
        return x < y;
    if (IsText(a) || IsText(b))
        return a.toString() < b.toString();
    return x < y;
}

QVariant Add(const QVariant &a, const QVariant &b)
{
    if (IsIntegral(a) && IsIntegral(b))
        return a.toLongLong() + b.toLongLong();
    return a.toDouble() + b.toDouble();
}

// One value into a running one: SUM and AVG add, MIN keeps the smaller, MAX the greater; a null
// running value takes the new one.
QVariant Combine(TfrxAggregateFunction function, const QVariant &running, const QVariant &value)
{
    if (IsNull(running))
        return value;
    if (IsNull(value))
        return running;
    switch (function) {
    case agMin: return Less(value, running) ? value : running;
    case agMax: return Less(running, value) ? value : running;
    default: return Add(running, value);
    }
}

// Splits an argument list at top-level commas (not inside quotes or nested brackets).
QStringList SplitArguments(const QString &text)
{
    QStringList result;
    int depth = 0;
    QChar quote;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'(' || c == u'[' || c == u'<') {
            ++depth;
        } else if (c == u')' || c == u']' || c == u'>') {
            --depth;
        } else if (c == u',' && depth == 0) {
            result.append(text.mid(start, i - start).trimmed());
            start = i + 1;
        }
    }
    result.append(text.mid(start).trimmed());
    return result;
}

// The position of the ")" matching the "(" at open, or -1.
qsizetype MatchingParen(const QString &text, qsizetype open)
{
    int depth = 0;
    QChar quote;
    for (qsizetype i = open; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')' && --depth == 0) {
            return i;
        }
    }
    return -1;
}

const QStringList &AggregateNames()
{
    static const QStringList names = {QStringLiteral("SUM"), QStringLiteral("MIN"), QStringLiteral("MAX"),
                                      QStringLiteral("AVG"), QStringLiteral("COUNT")};
    return names;
}

}  // namespace

// ---- item ----

void TfrxAggregateItem::AddValue()
{
    if (FBand == nullptr || (!FBand->Visible() && !FCountInvisibleBands))
        return;
    QVariant value;
    if (FAggregateFunction != agCount) {
        const QString saved = FReport->CurObject();
        FReport->SetCurObject(FMemoName);
        value = FReport->Calc(FExpression);
        FReport->SetCurObject(saved);
        if (value.metaType().id() == QMetaType::Bool)
            value = value.toBool() ? 1 : 0;
    }
    const bool counts = FAggregateFunction != agAvg || !IsNull(value);
    if (FKeeping) {
        if (counts)
            ++FTempItemsCount;
        FTempItemsValue = Combine(FAggregateFunction, FTempItemsValue, value);
        return;
    }
    FLastCount = FItemsCount;
    FLastValue = FItemsValue;
    if (counts)
        ++FItemsCount;
    FItemsValue = Combine(FAggregateFunction, FItemsValue, value);
}

void TfrxAggregateItem::DeleteValue()
{
    FItemsValue = FLastValue;
    FItemsCount = FLastCount;
}

void TfrxAggregateItem::Reset()
{
    if (FDontReset && FItemsCount != 0)
        return;
    FItemsValue = QVariant();
    FItemsCount = 0;
    FLastValue = QVariant();
    FLastCount = 0;
}

void TfrxAggregateItem::StartKeep()
{
    if (!FIsPageFooter || FKeeping)
        return;
    FKeeping = true;
    FTempItemsValue = QVariant();
    FTempItemsCount = 0;
}

void TfrxAggregateItem::EndKeep()
{
    if (!FKeeping)
        return;
    FKeeping = false;
    FItemsCount += FTempItemsCount;
    FItemsValue = Combine(FAggregateFunction, FItemsValue, FTempItemsValue);
}

QVariant TfrxAggregateItem::Value() const
{
    QVariant result;
    switch (FAggregateFunction) {
    case agAvg:
        if (FItemsCount != 0 && !IsNull(FItemsValue))
            result = FItemsValue.toDouble() / FItemsCount;
        break;
    case agCount: result = FItemsCount; break;
    default: result = FItemsValue; break;
    }
    return IsNull(result) ? QVariant(0) : result;
}

// ---- list ----

TfrxAggregateList::TfrxAggregateList(TfrxReport *report) : FReport(report) {}
TfrxAggregateList::~TfrxAggregateList() = default;

void TfrxAggregateList::Clear()
{
    FList.clear();
}

TfrxAggregateFunction TfrxAggregateList::FunctionOf(const QString &name)
{
    static const QHash<QString, TfrxAggregateFunction> functions = {
        {QStringLiteral("SUM"), agSum}, {QStringLiteral("AVG"), agAvg},
        {QStringLiteral("MIN"), agMin}, {QStringLiteral("MAX"), agMax}};
    return functions.value(name.trimmed().toUpper(), agCount);
}

// Totals live in each data band's footer, its groups' footers and nested data bands; with data
// bands on the page, also in the page footer, column footer and summary (fed by the first one).
void TfrxAggregateList::AddItems(TfrxReportPage *page)
{
    const std::function<void(TfrxBand *)> scanData = [&](TfrxBand *dataBand) {
        ScanBand(dataBand->Footer, dataBand);
        for (TfrxBand *group = dataBand->Group; group != nullptr; group = group->Group)
            ScanBand(group->Footer, dataBand);
        for (TfrxBand *sub : std::as_const(dataBand->SubBands))
            scanData(sub);
    };
    for (TfrxBand *band : std::as_const(page->SubBands))
        scanData(band);
    if (page->SubBands.isEmpty())
        return;
    TfrxBand *first = page->SubBands.constFirst();
    for (const QMetaObject *kind : {&TfrxPageFooter::staticMetaObject, &TfrxColumnFooter::staticMetaObject,
                                    &TfrxReportSummary::staticMetaObject})
        ScanBand(page->FindBand(kind), first);
}

void TfrxAggregateList::ScanBand(TfrxBand *band, TfrxBand *defaultBand)
{
    // A band's child chain is finite: the model refuses circular children.
    for (TfrxBand *b = band; b != nullptr; b = b->Child()) {
        for (TfrxComponent *obj : b->Objects()) {
            if (auto *memo = qobject_cast<TfrxCustomMemoView *>(obj); memo != nullptr && memo->AllowExpressions())
                ScanMemo(memo, b, defaultBand);
        }
    }
}

void TfrxAggregateList::ScanMemo(TfrxCustomMemoView *memo, TfrxBand *parentBand, TfrxBand *defaultBand)
{
    const QString delimiters = memo->ExpressionDelimiters();
    const qsizetype comma = delimiters.indexOf(QLatin1Char(','));
    if (comma <= 0 || comma == delimiters.size() - 1)
        return;
    const QString open = delimiters.left(comma), close = delimiters.mid(comma + 1);
    const QString text = memo->Text();
    qsizetype pos = 0;
    while ((pos = text.indexOf(open, pos)) >= 0) {
        qsizetype i = pos, j = pos;
        QString expression;
        if (!zorGetBrackedVariableW(text, open, close, i, j, expression))
            break;
        ScanExpression(expression, memo, parentBand, defaultBand);
        pos = j + 1;
    }
}

// Scan of an expression for totals: quoted strings are skipped; an aggregate name followed by "("
// is a total up to the matching ")"; the name of a report variable is scanned through its formula;
// everything else, brackets included, is scanned through.
void TfrxAggregateList::ScanExpression(const QString &text, TfrxCustomMemoView *memo, TfrxBand *parentBand,
                                       TfrxBand *defaultBand)
{
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c == u'\'' || c == u'"') {
            const qsizetype end = text.indexOf(c, i + 1);
            i = end < 0 ? text.size() : end + 1;
            continue;
        }
        if (!c.isLetter() && c != u'_') {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && (text.at(end).isLetterOrNumber() || text.at(end) == u'_' || text.at(end) == u'.'))
            ++end;
        const QString word = text.mid(i, end - i);
        qsizetype open = end;
        while (open < text.size() && text.at(open).isSpace())
            ++open;
        if (open < text.size() && text.at(open) == u'(' && AggregateNames().contains(word, Qt::CaseInsensitive)) {
            const qsizetype close = MatchingParen(text, open);
            if (close < 0)
                return;
            AddItem(text.mid(i, close - i + 1), memo, parentBand, defaultBand);
            i = close + 1;
            continue;
        }
        ScanVariable(word, memo, parentBand, defaultBand);
        i = end;
    }
}

void TfrxAggregateList::ScanVariable(const QString &name, TfrxCustomMemoView *memo, TfrxBand *parentBand,
                                      TfrxBand *defaultBand)
{
    const TfrxVariables *variables = FReport->Variables();
    if (variables == nullptr || variables->IndexOf(name) < 0 || FScanning.contains(name, Qt::CaseInsensitive))
        return;
    FScanning.append(name);
    const auto leave = qScopeGuard([this] { FScanning.removeLast(); });
    ScanExpression(variables->Variable(name).toString(), memo, parentBand, defaultBand);
}

void TfrxAggregateList::AddItem(const QString &call, TfrxCustomMemoView *memo, TfrxBand *parentBand,
                                TfrxBand *defaultBand)
{
    const QString originalName = call.trimmed();
    for (const auto &existing : FList) {
        if (existing->FParentBand == parentBand && existing->FOriginalName.compare(originalName, Qt::CaseInsensitive) == 0)
            return;
    }
    const qsizetype open = originalName.indexOf(QLatin1Char('('));
    auto item = std::make_unique<TfrxAggregateItem>(FReport);
    item->FAggregateFunction = FunctionOf(originalName.left(open));
    QStringList args = SplitArguments(originalName.mid(open + 1, originalName.size() - open - 2));
    if (item->FAggregateFunction == agCount)
        args.prepend(QString());
    item->FExpression = args.value(0).trimmed();
    const QString bandName = args.value(1).trimmed();
    auto *band = bandName.isEmpty() ? nullptr : qobject_cast<TfrxBand *>(FReport->FindObject(bandName));
    item->FBand = band != nullptr ? band : defaultBand;
    const int flags = args.value(2).trimmed().toInt();
    item->FCountInvisibleBands = (flags & 1) != 0;
    item->FDontReset = (flags & 2) != 0;
    item->FParentBand = parentBand;
    item->FIsPageFooter = qobject_cast<TfrxPageFooter *>(parentBand) != nullptr;
    item->FOriginalName = originalName;
    item->FMemoName = memo->Name();
    FList.push_back(std::move(item));
}

void TfrxAggregateList::AddValue(TfrxBand *band)
{
    for (const auto &item : FList) {
        if (item->FBand == band)
            item->AddValue();
    }
}

void TfrxAggregateList::DeleteValue(TfrxBand *band)
{
    for (const auto &item : FList) {
        if (item->FBand == band)
            item->DeleteValue();
    }
}

void TfrxAggregateList::Reset(TfrxBand *parentBand)
{
    for (const auto &item : FList) {
        if (item->FParentBand == parentBand)
            item->Reset();
    }
}

void TfrxAggregateList::StartKeep()
{
    for (const auto &item : FList)
        item->StartKeep();
}

void TfrxAggregateList::EndKeep()
{
    for (const auto &item : FList)
        item->EndKeep();
}

void TfrxAggregateList::ClearValues()
{
    for (const auto &item : FList) {
        const bool dontReset = item->FDontReset;
        item->FDontReset = false;
        item->Reset();
        item->FDontReset = dontReset;
        item->FKeeping = false;
    }
}

QVariant TfrxAggregateList::GetValue(TfrxBand *parentBand, TfrxAggregateFunction function, const QString &expression,
                                     TfrxBand *band, int flags) const
{
    const QString expr = expression.trimmed();
    for (const auto &item : FList) {
        if (item->FParentBand != parentBand || item->FAggregateFunction != function)
            continue;
        if (item->FExpression.compare(expr, Qt::CaseInsensitive) != 0)
            continue;
        if (band != nullptr && item->FBand != band)
            continue;
        if (item->FCountInvisibleBands != ((flags & 1) != 0) || item->FDontReset != ((flags & 2) != 0))
            continue;
        return item->Value();
    }
    return {};
}
