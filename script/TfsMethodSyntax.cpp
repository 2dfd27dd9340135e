#include "TfsMethodSyntax.h"

#include "TfsScript.h"

#include <QLocale>

namespace {

// Words, names and punctuation of a declaration; strings keep their quotes.
class Reader
{
public:
    explicit Reader(const QString &text) : FText(text) {}

    QString Next()
    {
        Skip();
        if (FPos >= FText.size())
            return {};
        const qsizetype start = FPos;
        const QChar c = FText[FPos];
        if (c == u'\'') {
            for (++FPos; FPos < FText.size() && FText[FPos] != u'\''; ++FPos) {
            }
            FPos = std::min(FPos + 1, FText.size());
        } else if (c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$') {
            while (FPos < FText.size() &&
                   (FText[FPos].isLetterOrNumber() || FText[FPos] == u'_' || FText[FPos] == u'.' ||
                    FText[FPos] == u'$'))
                ++FPos;
        } else {
            ++FPos;
        }
        return FText.mid(start, FPos - start);
    }
    QString Peek()
    {
        const qsizetype saved = FPos;
        QString t = Next();
        FPos = saved;
        return t;
    }

private:
    void Skip()
    {
        while (FPos < FText.size() && FText[FPos].isSpace())
            ++FPos;
    }
    const QString &FText;
    qsizetype FPos = 0;
};

TfsValue defaultValue(const QString &text, bool negative, const TfsScript &scope)
{
    if (text.startsWith(u'\''))
        return TfsValue(text.mid(1, text.size() - 2));
    bool ok = false;
    const qlonglong i = text.toLongLong(&ok);
    if (ok)
        return TfsValue::FromInt64(negative ? -i : i);
    const double d = QLocale::c().toDouble(text, &ok);
    if (ok)
        return TfsValue(negative ? -d : d);
    const TfsCustomVariable *item = scope.Find(text);
    return item ? item->GetValue() : TfsValue::MakeNull();
}

bool isWord(const QString &t)
{
    return !t.isEmpty() && (t[0].isLetter() || t[0] == u'_');
}

} // namespace

// declaration -> [macro](procedure | function) name ['(' group {';' group} ')'] [':' type]
// group -> [var | const] name {',' name} ':' type ['=' default]
bool TfsMethodSyntax::Parse(const QString &text, const TfsScript &scope, TfsMethodSyntax &out)
{
    out = {};
    Reader r(text);
    QString kind = r.Next().toLower();
    if (kind.startsWith(u"macro")) {
        out.isMacro = true;
        kind = kind.mid(5);
    }
    if (kind != u"function" && kind != u"procedure")
        return false;
    out.isFunction = kind == u"function";
    out.name = r.Next();
    if (!isWord(out.name))
        return false;
    const auto resolve = [&scope](const QString &typeName, TfsVarType &type) {
        if (!scope.ResolveType(typeName, type))
            type = fvtClass; // an unknown type name is a class
    };
    if (r.Peek() == u"(") {
        r.Next();
        for (QString t = r.Next(); t != u")"; t = r.Next()) {
            if (t.isEmpty())
                return false;
            if (t == u";")
                continue;
            bool isVar = false;
            if (t.compare(u"var", Qt::CaseInsensitive) == 0) {
                isVar = true;
                t = r.Next();
            } else if (t.compare(u"const", Qt::CaseInsensitive) == 0) {
                t = r.Next();
            }
            std::vector<QString> names;
            for (; t != u":"; t = r.Next()) {
                if (t == u",")
                    continue;
                if (!isWord(t))
                    return false;
                names.push_back(t);
            }
            TfsNativeParam p;
            p.typeName = r.Next();
            if (!isWord(p.typeName))
                return false;
            resolve(p.typeName, p.type);
            p.isVar = isVar;
            for (const QString &n : names) {
                p.name = n;
                out.params.push_back(p);
            }
            if (r.Peek() == u"=") {
                r.Next();
                QString v = r.Next();
                const bool negative = v == u"-";
                if (negative)
                    v = r.Next();
                out.params.back().isOptional = true;
                out.params.back().defValue = defaultValue(v, negative, scope);
            }
        }
    }
    if (out.isFunction) {
        const qsizetype colon = text.lastIndexOf(u':');
        if (colon < 0)
            return false;
        out.resultType = text.mid(colon + 1).trimmed();
        if (out.resultType.endsWith(u';'))
            out.resultType.chop(1);
        out.resultType = out.resultType.trimmed();
    }
    return true;
}
