#include "TfrxCustomFill.h"

#include "TfrxBrushFill.h"
#include "TfrxGlassFill.h"
#include "TfrxGradientFill.h"
#include "TfrxProperties.h"

#include <QMetaEnum>

using namespace zor;

TfrxCustomFill::TfrxCustomFill(QObject *parent) : TfrxPersistent(parent) {}

namespace {

// Attribute text of one fill property: numbers for colours, enumerations and floats' text form.
QString ValueText(const QVariant &v, const QMetaProperty &p)
{
    if (p.isEnumType())
        return QString::number(v.toInt());
    if (v.metaType().id() == QMetaType::Bool)
        return BoolText(v.toBool());
    if (v.metaType().id() == QMetaType::Double)
        return FloatText(v.toDouble());
    return v.toString();
}

}  // namespace

QString TfrxCustomFill::Diff(const TfrxCustomFill *other, const QString &prefix) const
{
    QString s;
    const bool sameClass = other != nullptr && other->metaObject() == metaObject();
    // A fill's own properties, straight from its class: every prepared view compares its fill, so
    // no property list is built per call.
    const QMetaObject *mo = metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < mo->propertyCount(); ++i) {
        const QMetaProperty property = mo->property(i);
        const QVariant v = property.read(this);
        if (sameClass && v == property.read(other))
            continue;
        s += QLatin1Char(' ') + prefix + QLatin1Char('.') + QLatin1String(property.name()) + QStringLiteral("=\"")
            + ValueText(v, property) + QLatin1Char('"');
    }
    return s;
}

TfrxCustomFill *zorCreateFill(TfrxFillType type, QObject *parent)
{
    using Factory = TfrxCustomFill *(*)(QObject *);
    static const Factory factories[] = {
        [](QObject *p) -> TfrxCustomFill * { return new TfrxBrushFill(p); },
        [](QObject *p) -> TfrxCustomFill * { return new TfrxGradientFill(p); },
        [](QObject *p) -> TfrxCustomFill * { return new TfrxGlassFill(p); },
    };
    const int i = (type >= ftBrush && type <= ftGlass) ? int(type) : int(ftBrush);
    return factories[i](parent);
}

TfrxFillType zorGetFillType(const TfrxCustomFill *fill)
{
    return fill != nullptr ? fill->FillType() : ftBrush;
}
