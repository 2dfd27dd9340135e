#include "TfrxPropertyEditors.h"

#include "TfrxComponent.h"
#include "TfrxCustomDesigner.h"
#include "TfrxPage.h"
#include "TfrxProperties.h"
#include "TfrxPropertyList.h"
#include "TfrxReport.h"
#include "TfrxXMLSerializer.h"
#include "zorPropertyTypes.h"
#include "zorTypes.h"

#include <QDateTime>
#include <QLocale>
#include <QMetaEnum>

#include <limits>

namespace {

struct IntegerRange
{
    int MetaType;
    qint64 Min;
    qint64 Max;
};
constexpr IntegerRange integerRanges[] = {
    {QMetaType::Int, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()},
    {QMetaType::UInt, 0, std::numeric_limits<unsigned>::max()},
    {QMetaType::Short, std::numeric_limits<short>::min(), std::numeric_limits<short>::max()},
    {QMetaType::UShort, 0, std::numeric_limits<unsigned short>::max()},
    {QMetaType::QChar, 0, 0xFFFF},
};

// Whether a number fits the property's integer type.
bool Fits(const QMetaProperty &p, qint64 value)
{
    for (const IntegerRange &r : integerRanges) {
        if (r.MetaType == p.metaType().id())
            return value >= r.Min && value <= r.Max;
    }
    return true;
}

QString TrueText()
{
    return QStringLiteral("True");
}
QString FalseText()
{
    return QStringLiteral("False");
}

// "True" or "False" in any case; anything else is refused.
bool ParseBoolean(const QString &value)
{
    const QString text = value.trimmed();
    if (text.compare(TrueText(), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(FalseText(), Qt::CaseInsensitive) == 0)
        return false;
    TfrxPropertyEditor::RaiseInvalid();
}

// Dates and times in the user's short formats, a time with its seconds.
QString DateTimeText(const QVariant &value)
{
    const QLocale locale;
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return locale.toString(value.toDate(), QLocale::ShortFormat);
    case QMetaType::QTime:
        return locale.toString(value.toTime(), QLocale::LongFormat);
    default:
        return locale.toString(value.toDateTime(), QLocale::ShortFormat);
    }
}

QVariant DateTimeValue(const QString &text, int metaType)
{
    const QLocale locale;
    switch (metaType) {
    case QMetaType::QDate:
        return locale.toDate(text, QLocale::ShortFormat);
    case QMetaType::QTime:
        return locale.toTime(text, QLocale::LongFormat);
    default:
        return locale.toDateTime(text, QLocale::ShortFormat);
    }
}

} // namespace

// ---- Numbers, characters and texts ------------------------------------------------------------

QString TfrxIntegerProperty::GetValue() const
{
    return QString::number(GetVariantValue().toLongLong());
}

void TfrxIntegerProperty::SetValue(const QString &value)
{
    bool ok = false;
    const qint64 number = value.trimmed().toLongLong(&ok);
    if (!ok || !Fits(Property(), number))
        RaiseInvalid();
    SetVariantValue(number);
}

QString TfrxFloatProperty::GetValue() const
{
    return zor::FloatText(GetFloatValue());
}

void TfrxFloatProperty::SetValue(const QString &value)
{
    SetFloatValue(ParseFloat(value));
}

double TfrxFloatProperty::ParseFloat(const QString &value)
{
    double number = 0;
    if (!TfrxXMLSerializer::StrToFloat(value.trimmed(), number))
        RaiseInvalid();
    return number;
}

QString TfrxCharProperty::GetValue() const
{
    const QChar c{char16_t(GetOrdValue())};
    return c.isPrint() && !c.isSpace() ? QString(c) : QStringLiteral("#%1").arg(c.unicode());
}

void TfrxCharProperty::SetValue(const QString &value)
{
    if (value.size() == 1) {
        SetVariantValue(value.at(0));
        return;
    }
    bool ok = false;
    const qint64 code = value.startsWith(QLatin1Char('#')) ? value.mid(1).toLongLong(&ok) : 0;
    if (!ok || !Fits(Property(), code))
        RaiseInvalid();
    SetVariantValue(QChar(char16_t(code)));
}

QString TfrxStringProperty::GetValue() const
{
    return GetStrValue();
}

void TfrxStringProperty::SetValue(const QString &value)
{
    SetStrValue(value);
}

// ---- Enumerations and sets --------------------------------------------------------------------

bool TfrxEnumProperty::IsBoolean() const
{
    return Property().metaType().id() == QMetaType::Bool;
}

TfrxPropertyAttributes TfrxEnumProperty::GetAttributes() const
{
    return paValueList | paSortList | paMultiSelect;
}

QString TfrxEnumProperty::GetValue() const
{
    if (IsBoolean())
        return GetVariantValue().toBool() ? TrueText() : FalseText();
    return QString::fromLatin1(Property().enumerator().valueToKey(GetOrdValue()));
}

void TfrxEnumProperty::GetValues()
{
    Values.clear();
    if (IsBoolean()) {
        Values << FalseText() << TrueText();
        return;
    }
    const QMetaEnum e = Property().enumerator();
    for (int i = 0; i < e.keyCount(); ++i)
        Values << QString::fromLatin1(e.key(i));
}

void TfrxEnumProperty::SetValue(const QString &value)
{
    if (IsBoolean()) {
        SetVariantValue(ParseBoolean(value));
        return;
    }
    bool ok = false;
    const int number = Property().enumerator().keyToValue(value.trimmed().toLatin1().constData(), &ok);
    if (!ok)
        RaiseInvalid();
    SetOrdValue(number);
}

TfrxPropertyAttributes TfrxSetProperty::GetAttributes() const
{
    return paMultiSelect | paSubProperties | paReadOnly;
}

QString TfrxSetProperty::GetValue() const
{
    const QMetaEnum e = Property().enumerator();
    const int value = GetOrdValue();
    QStringList members;
    for (int i = 0; i < e.keyCount(); ++i) {
        if (e.value(i) != 0 && (value & e.value(i)) == e.value(i))
            members << QString::fromLatin1(e.key(i));
    }
    return QLatin1Char('[') + members.join(QLatin1Char(',')) + QLatin1Char(']');
}

std::unique_ptr<TfrxPropertyList> TfrxSetProperty::CreateSubProperties()
{
    auto list = std::make_unique<TfrxPropertyList>();
    const QMetaEnum e = Property().enumerator();
    for (int i = 0; i < e.keyCount(); ++i) {
        auto element = std::make_unique<TfrxSetElementProperty>(Designer(), e.value(i));
        for (const TfrxPropertyTarget &target : Targets())
            element->AddTarget(target.Object, target.Property);
        list->Add(std::move(element), QStringLiteral("Boolean"));
    }
    return list;
}

TfrxSetElementProperty::TfrxSetElementProperty(TfrxCustomDesigner &designer, int element)
    : TfrxPropertyEditor(designer), FElement(element)
{
}

TfrxPropertyAttributes TfrxSetElementProperty::GetAttributes() const
{
    return paValueList | paSortList | paMultiSelect;
}

QString TfrxSetElementProperty::GetName() const
{
    return QString::fromLatin1(Property().enumerator().valueToKey(FElement));
}

QString TfrxSetElementProperty::GetValue() const
{
    return (GetOrdValue() & FElement) == FElement ? TrueText() : FalseText();
}

void TfrxSetElementProperty::GetValues()
{
    Values = {FalseText(), TrueText()};
}

void TfrxSetElementProperty::SetValue(const QString &value)
{
    const bool on = ParseBoolean(value);
    SetEachValue([this, on](const QVariant &current) {
        const int set = zorOrdinalOf(current);
        return QVariant(on ? set | FElement : set & ~FElement);
    });
}

// ---- Sub-objects and references ---------------------------------------------------------------

TfrxPropertyAttributes TfrxClassProperty::GetAttributes() const
{
    return paMultiSelect | paSubProperties | paReadOnly;
}

QString TfrxClassProperty::GetValue() const
{
    return QLatin1Char('(') + zorPropertyTypeName(Property()) + QLatin1Char(')');
}

QList<QObject *> TfrxClassProperty::NestedObjects() const
{
    QList<QObject *> nested;
    for (const TfrxPropertyTarget &target : Targets()) {
        if (QObject *object = TfrxProperties::NestedObject(target.Object, target.Property))
            nested.append(object);
    }
    return nested;
}

std::unique_ptr<TfrxPropertyList> TfrxClassProperty::CreateSubProperties()
{
    return TfrxPropertyList::Build(Designer(), NestedObjects());
}

TfrxPropertyAttributes TfrxComponentProperty::GetAttributes() const
{
    return paValueList | paSortList | paMultiSelect;
}

QString TfrxComponentProperty::NameOf(const QObject *object) const
{
    const auto *component = qobject_cast<const TfrxComponent *>(object);
    return component != nullptr ? component->Name() : QString();
}

QString TfrxComponentProperty::GetValue() const
{
    const QObject *object = GetObjectValue();
    return object != nullptr ? NameOf(object) : QString();
}

QList<QObject *> TfrxComponentProperty::Candidates() const
{
    const QMetaObject *fits = Property().metaType().metaObject();
    const auto *owner = qobject_cast<const TfrxComponent *>(Component());
    const TfrxComponent *scope = owner != nullptr && owner->GetPage() != nullptr
                                     ? static_cast<const TfrxComponent *>(owner->GetPage())
                                     : &Designer().Report();
    QList<QObject *> candidates;
    for (TfrxComponent *object : scope->GetAllObjects()) {
        if (object != owner && fits != nullptr && object->metaObject()->inherits(fits))
            candidates.append(object);
    }
    return candidates;
}

void TfrxComponentProperty::GetValues()
{
    Values.clear();
    for (const QObject *object : Candidates())
        Values.append(NameOf(object));
}

void TfrxComponentProperty::SetValue(const QString &value)
{
    const QString name = value.trimmed();
    if (name.isEmpty()) {
        SetVariantValue(QVariant(Property().metaType()));
        return;
    }
    // Only an object whose class fits: "Memo1" must not become a band's child.
    for (QObject *object : Candidates()) {
        if (NameOf(object).compare(name, Qt::CaseInsensitive) == 0) {
            QVariant reference(Property().metaType());
            *static_cast<QObject **>(reference.data()) = object;
            SetVariantValue(reference);
            return;
        }
    }
    RaiseInvalid();
}

// ---- Names and dates --------------------------------------------------------------------------

TfrxPropertyAttributes TfrxNameProperty::GetAttributes() const
{
    return {};
}

QString TfrxNameProperty::GetValue() const
{
    return GetStrValue();
}

void TfrxNameProperty::SetValue(const QString &value)
{
    const QString name = value.trimmed();
    // An empty name would make every later lookup by name ambiguous.
    if (name.isEmpty())
        RaiseInvalid();
    SetStrValue(name);
}

QString TfrxDateTimeProperty::GetValue() const
{
    return DateTimeText(GetVariantValue());
}

void TfrxDateTimeProperty::SetValue(const QString &value)
{
    const QVariant parsed = DateTimeValue(value.trimmed(), Property().metaType().id());
    const bool valid = parsed.metaType().id() == QMetaType::QDate   ? parsed.toDate().isValid()
                       : parsed.metaType().id() == QMetaType::QTime ? parsed.toTime().isValid()
                                                                    : parsed.toDateTime().isValid();
    if (!valid)
        RaiseInvalid();
    SetVariantValue(parsed);
}
