#include "TfrxPropertyEditor.h"

#include "TfrxError.h"
#include "TfrxProperties.h"
#include "TfrxPropertyList.h"
#include "TfrxResources.h"

#include <QPainter>

#include <cstring>

int zorOrdinalOf(const QVariant &value)
{
    // Enumerations and flags of the report classes are stored as int-sized values; their
    // variants do not all convert to int, so the number is read from the variant's data.
    if (value.metaType().flags().testFlag(QMetaType::IsEnumeration) ||
        value.metaType().id() >= QMetaType::User) {
        int raw = 0;
        std::memcpy(&raw, value.constData(), std::min<qsizetype>(sizeof raw, value.metaType().sizeOf()));
        return raw;
    }
    if (value.metaType().id() == QMetaType::QChar)
        return value.toChar().unicode();
    return value.toInt();
}

TfrxPropertyEditor::TfrxPropertyEditor(TfrxCustomDesigner &designer) : FDesigner(designer) {}

TfrxPropertyEditor::~TfrxPropertyEditor() = default;

TfrxPropertyAttributes TfrxPropertyEditor::GetAttributes() const
{
    return paMultiSelect;
}

QString TfrxPropertyEditor::GetName() const
{
    return QString::fromLatin1(Property().name());
}

QString TfrxPropertyEditor::GetValue() const
{
    return QStringLiteral("(Unknown)");
}

void TfrxPropertyEditor::GetValues()
{
    Values.clear();
}

void TfrxPropertyEditor::SetValue(const QString &)
{
    RaiseInvalid();
}

bool TfrxPropertyEditor::Edit()
{
    GetValues();
    if (Values.isEmpty())
        return false;
    const qsizetype current = Values.indexOf(GetValue());
    SetValue(Values.at((current + 1) % Values.size()));
    return false;
}

void TfrxPropertyEditor::OnDrawLBItem(QPainter &painter, const QRect &rect, int index, bool)
{
    painter.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, Values.value(index));
}

void TfrxPropertyEditor::OnDrawItem(QPainter &painter, const QRect &rect)
{
    painter.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, GetValue());
}

int TfrxPropertyEditor::GetExtraLBSize() const
{
    return 0;
}

std::unique_ptr<TfrxPropertyList> TfrxPropertyEditor::CreateSubProperties()
{
    return nullptr;
}

void TfrxPropertyEditor::AddTarget(QObject *object, const QMetaProperty &property)
{
    FTargets.append({object, property});
}

QObject *TfrxPropertyEditor::Component() const
{
    return FTargets.isEmpty() ? nullptr : FTargets.first().Object;
}

QMetaProperty TfrxPropertyEditor::Property() const
{
    return FTargets.isEmpty() ? QMetaProperty() : FTargets.first().Property;
}

void TfrxPropertyEditor::RaiseInvalid()
{
    throw TfrxError(QStringLiteral("prInvProp"), zorResources().Get(QStringLiteral("prInvProp")));
}

QVariant TfrxPropertyEditor::GetVariantValue() const
{
    return FTargets.isEmpty() ? QVariant() : Property().read(Component());
}

int TfrxPropertyEditor::GetOrdValue() const
{
    return zorOrdinalOf(GetVariantValue());
}

double TfrxPropertyEditor::GetFloatValue() const
{
    return GetVariantValue().toDouble();
}

QString TfrxPropertyEditor::GetStrValue() const
{
    return GetVariantValue().toString();
}

QObject *TfrxPropertyEditor::GetObjectValue() const
{
    return GetVariantValue().value<QObject *>();
}

void TfrxPropertyEditor::SetVariantValue(const QVariant &value)
{
    for (const TfrxPropertyTarget &target : std::as_const(FTargets)) {
        if (!target.Property.isWritable())
            continue;
        // All targets share the property's type, so a value refused by the first conversion is
        // refused before anything changed.
        if (!TfrxProperties::Write(target.Object, QString::fromLatin1(target.Property.name()), value))
            RaiseInvalid();
        FWritten = true;
    }
}

void TfrxPropertyEditor::SetEachValue(const std::function<QVariant(const QVariant &)> &change)
{
    for (const TfrxPropertyTarget &target : std::as_const(FTargets)) {
        if (!target.Property.isWritable())
            continue;
        if (!TfrxProperties::Write(target.Object, QString::fromLatin1(target.Property.name()),
                                   change(target.Property.read(target.Object))))
            RaiseInvalid();
        FWritten = true;
    }
}

void TfrxPropertyEditor::SetOrdValue(int value)
{
    SetVariantValue(value);
}

void TfrxPropertyEditor::SetFloatValue(double value)
{
    SetVariantValue(value);
}

void TfrxPropertyEditor::SetStrValue(const QString &value)
{
    SetVariantValue(value);
}
