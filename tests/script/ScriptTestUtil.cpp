#include "ScriptTestUtil.h"

#include "TfsILContext.h"
#include "TfsILParser.h"
#include "TfsRuntimeError.h"
#include "TfsScript.h"
#include "TfsXMLDocument.h"
#include "TfsXMLItem.h"

namespace {

void compactChildren(const TfsXMLItem &item, bool flatten, QStringList &parts)
{
    for (int i = 0; i < item.Count(); ++i) {
        const TfsXMLItem &child = *item.Item(i);
        if (child.Name() == u"types" && item.Name() == u"program")
            continue;
        if (flatten && child.Name() == u"compoundstmt")
            compactChildren(child, flatten, parts);
        else
            parts << Compact(child, flatten);
    }
}

} // namespace

QString Compact(const TfsXMLItem &item, bool flatten)
{
    if (item.Count() == 0) {
        if (!item.Text().contains(QStringLiteral(" text=\"")))
            return item.Name();
        return item.Name() + u':' + item.Prop(QStringLiteral("text"));
    }
    QStringList parts;
    compactChildren(item, flatten, parts);
    return item.Name() + u'(' + parts.join(u' ') + u')';
}

ParseResult parseScript(const QString &language, const QString &source)
{
    TfsILContext context;
    TfsILParser parser(context);
    parser.SelectLanguage(language);
    ParseResult result;
    result.ok = parser.MakeILScript(source);
    result.message = context.ErrorMsg;
    result.pos = context.ErrorPos;
    if (result.ok)
        result.il = Compact(*parser.ILScript().Root());
    return result;
}

std::string runProgram(const char *language, const char *source, const char *result,
                       const std::function<void(TfsScript &)> &setUp)
{
    TfsScript script;
    if (setUp)
        setUp(script);
    script.SetSyntaxType(QString::fromUtf8(language));
    script.SetLines(QString::fromUtf8(source));
    if (!script.Compile())
        return (QStringLiteral("error: ") + script.ErrorMsg() + QStringLiteral(" @ ") + script.ErrorPos())
            .toStdString();
    try {
        script.Execute();
    } catch (const TfsRuntimeError &e) {
        return (QStringLiteral("runtime: ") + e.Message() + QStringLiteral(" @ ") + e.Pos()).toStdString();
    }
    return script.Variable(QString::fromUtf8(result)).ToString().toStdString();
}
