#include "TfrxHyperlink.h"

using namespace zor;

TfrxHyperlink::TfrxHyperlink(QObject *parent) : TfrxPersistent(parent) {}

bool TfrxHyperlink::IsPropertyStored(const char *name) const
{
    if (qstrcmp(name, "ValuesSeparator") == 0)
        return FValuesSeparator != QLatin1String(";");
    return true;
}

QString TfrxHyperlink::Diff(const TfrxHyperlink &o, const QString &prefix) const
{
    QString s;
    const auto attr = [&](const char *name, const QString &value) {
        s += QLatin1Char(' ') + prefix + QLatin1String(name) + QStringLiteral("=\"") + value + QLatin1Char('"');
    };
    if (FKind != o.FKind)
        attr(".Kind", QString::number(FKind));
    const std::pair<const char *, std::pair<QString, QString>> texts[] = {
        {".DetailReport", {FDetailReport, o.FDetailReport}},
        {".DetailPage", {FDetailPage, o.FDetailPage}},
        {".ReportVariable", {FReportVariable, o.FReportVariable}},
        {".TabCaption", {FTabCaption, o.FTabCaption}},
        {".Value", {FValue, o.FValue}},
        {".ValuesSeparator", {FValuesSeparator, o.FValuesSeparator}},
    };
    for (const auto &[name, values] : texts) {
        if (values.first != values.second)
            attr(name, EscapeAttr(values.first));
    }
    return s;
}

namespace {

QString Escaped(const QString &text, const QList<std::pair<QChar, QString>> &rules)
{
    QString out;
    out.reserve(text.size() + 2);
    for (QChar ch : text) {
        const auto it = std::find_if(rules.begin(), rules.end(), [ch](const auto &r) { return r.first == ch; });
        out += it != rules.end() ? it->second : QString(ch);
    }
    return out;
}

}  // namespace

// Each language by its own literal rules: Pascal '...' with ' doubled; C++ and JScript "..." with
// backslash escapes; Basic "..." with " doubled.
QString TfrxHyperlink::QuoteForLanguage(const QString &text, const QString &language)
{
    using Rules = QList<std::pair<QChar, QString>>;
    static const Rules pascal = {{QLatin1Char('\''), QStringLiteral("''")}};
    static const Rules cLike = {{QLatin1Char('\\'), QStringLiteral("\\\\")},
                                {QLatin1Char('"'), QStringLiteral("\\\"")},
                                {QLatin1Char('\r'), QStringLiteral("\\r")},
                                {QLatin1Char('\n'), QStringLiteral("\\n")}};
    static const Rules basic = {{QLatin1Char('"'), QStringLiteral("\"\"")}};
    if (language.compare(QLatin1String("PascalScript"), Qt::CaseInsensitive) == 0)
        return QLatin1Char('\'') + Escaped(text, pascal) + QLatin1Char('\'');
    if (language.compare(QLatin1String("BasicScript"), Qt::CaseInsensitive) == 0)
        return QLatin1Char('"') + Escaped(text, basic) + QLatin1Char('"');
    return QLatin1Char('"') + Escaped(text, cLike) + QLatin1Char('"');
}
