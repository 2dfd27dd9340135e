#include "TfrxFormat.h"

#include "zorFormat.h"

#include <QHash>
#include <QLocale>

#include <functional>
#include <optional>

using namespace zor;

TfrxFormat::TfrxFormat(QObject *parent) : TfrxCollectionItem(parent) {}

void TfrxFormat::Assign(const TfrxPersistent *source)
{
    const auto *f = qobject_cast<const TfrxFormat *>(source);
    if (f == nullptr)
        return;
    FDecimalSeparator = f->FDecimalSeparator;
    FThousandSeparator = f->FThousandSeparator;
    FFormatStr = f->FFormatStr;
    FKind = f->FKind;
}

bool TfrxFormat::Equals(const TfrxFormat &other) const
{
    return FDecimalSeparator == other.FDecimalSeparator && FThousandSeparator == other.FThousandSeparator &&
           FFormatStr == other.FFormatStr && FKind == other.FKind;
}

namespace {

using Formatter = std::function<std::optional<QString>(const TfrxFormat &, const QVariant &)>;

std::optional<QString> FormatNumeric(const TfrxFormat &f, const QVariant &value)
{
    const QString &fmt = f.FormatStr();
    std::optional<QString> out;
    if (fmt.contains(QLatin1Char('#')) || fmt.startsWith(QLatin1Char('0'))) {
        if (const std::optional<double> v = VariantToFloat(value))
            out = FormatFloat(fmt, *v);
    } else if (fmt.contains(QLatin1Char('d')) || fmt.contains(QLatin1Char('u'))) {
        out = FormatValue(fmt, value);
    } else if (const std::optional<double> v = VariantToFloat(value)) {
        out = FormatValue(fmt, *v);
    }
    if (!out)
        return out;
    const QLocale loc;
    if (f.DecimalSeparator().size() == 1 && f.DecimalSeparator() != loc.decimalPoint()) {
        const qsizetype at = out->lastIndexOf(loc.decimalPoint());
        if (at >= 0)
            out->replace(at, loc.decimalPoint().size(), f.DecimalSeparator());
    }
    if (f.ThousandSeparator().size() == 1 && f.ThousandSeparator() != loc.groupSeparator())
        out->replace(loc.groupSeparator(), f.ThousandSeparator());
    return out;
}

std::optional<QString> FormatDate(const TfrxFormat &f, const QVariant &value)
{
    const std::optional<QDateTime> dt = VariantToDateTime(value);
    if (!dt)
        return std::nullopt;
    return FormatDateTime(f.FormatStr(), *dt);
}

// The value equals true: a true Boolean, a non-zero number or the text "True".
bool IsTrue(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString:
        return value.toString().trimmed().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    default: {
        const std::optional<double> v = VariantToFloat(value);
        return v && *v != 0;
    }
    }
}

std::optional<QString> FormatBoolean(const TfrxFormat &f, const QVariant &value)
{
    const QString &fmt = f.FormatStr();
    const qsizetype comma = fmt.indexOf(QLatin1Char(','));
    const QString yes = comma < 0 ? fmt : fmt.left(comma);
    const QString no = comma < 0 ? QString() : fmt.mid(comma + 1);
    return IsTrue(value) ? yes : no;
}

const QHash<int, Formatter> &Formatters()
{
    static const QHash<int, Formatter> table = {
        {fkText,
         [](const TfrxFormat &, const QVariant &v) { return std::optional<QString>(VariantText(v)); }},
        {fkNumeric, FormatNumeric},
        {fkDateTime, FormatDate},
        {fkBoolean, FormatBoolean},
    };
    return table;
}

} // namespace

QString TfrxFormat::FormatData(const QVariant &value) const
{
    if (!value.isValid() || value.isNull())
        return {};
    const Formatter f = Formatters().value(FKind, Formatters().value(fkText));
    return f(*this, value).value_or(VariantText(value));
}

void TfrxFormat::ParseInline(const QString &text, TfrxFormat &format)
{
    static const QHash<QChar, TfrxFormatKind> kinds = {
        {QLatin1Char('N'), fkNumeric},
        {QLatin1Char('D'), fkDateTime},
        {QLatin1Char('T'), fkDateTime},
        {QLatin1Char('B'), fkBoolean},
    };
    format.FKind = text.isEmpty() ? fkText : kinds.value(text.at(0).toUpper(), fkText);
    QString str = text.mid(1, 255);
    if (format.FKind == fkNumeric) {
        // Only the last of ",", "-" and "." chooses the decimal separator; the earlier ones keep
        // their meaning (grouping commas of a picture). At the very end it is dropped.
        qsizetype at = -1;
        for (const QChar c : {QLatin1Char(','), QLatin1Char('-'), QLatin1Char('.')})
            at = std::max(at, str.lastIndexOf(c));
        if (at >= 0) {
            format.FDecimalSeparator = str.at(at);
            if (at == str.size() - 1)
                str.chop(1);
            else
                str[at] = QLatin1Char('.');
        }
    }
    format.FFormatStr = str;
}
