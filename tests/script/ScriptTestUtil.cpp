#include "ScriptTestUtil.h"

#include "TfsILContext.h"
#include "TfsILParser.h"
#include "TfsXMLDocument.h"
#include "TfsXMLItem.h"

QString Compact(const TfsXMLItem &item)
{
    if (item.Count() == 0) {
        const QString text = item.Prop(QStringLiteral("text"));
        return item.Text().contains(QStringLiteral(" text=\"")) ? item.Name() + u':' + text : item.Name();
    }
    QStringList parts;
    for (int i = 0; i < item.Count(); ++i)
        if (item.Item(i)->Name() != u"types" || item.Name() != u"program")
            parts << Compact(*item.Item(i));
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
