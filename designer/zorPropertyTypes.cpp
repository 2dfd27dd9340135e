#include "zorPropertyTypes.h"

#include "TfrxComponent.h"

#include <QMetaEnum>

namespace {

// Script event properties by name; any other "On..." text is a plain notification.
struct EventType
{
    const char *Name;
    QLatin1StringView TypeName;
};
constexpr EventType eventTypes[] = {
    {"OnMouseDown", QLatin1StringView("TfrxMouseEvent")},
    {"OnMouseUp", QLatin1StringView("TfrxMouseEvent")},
    {"OnMouseMove", QLatin1StringView("TfrxMouseMoveEvent")},
    {"OnMouseEnter", QLatin1StringView("TfrxMouseEnterViewEvent")},
    {"OnMouseLeave", QLatin1StringView("TfrxMouseLeaveViewEvent")},
    {"OnPreviewClick", QLatin1StringView("TfrxPreviewClickEvent")},
    {"OnPreviewDblClick", QLatin1StringView("TfrxPreviewClickEvent")},
    {"OnRunDialogs", QLatin1StringView("TfrxRunDialogsEvent")},
    {"OnKeyDown", QLatin1StringView("TfrxKeyEvent")},
    {"OnKeyUp", QLatin1StringView("TfrxKeyEvent")},
    {"OnKeyPress", QLatin1StringView("TfrxKeyPressEvent")},
    {"OnCloseQuery", QLatin1StringView("TfrxCloseQueryEvent")},
};
constexpr QLatin1StringView notifyEvent("TfrxNotifyEvent");

// Integer properties whose numbers stand for something else, by the end of their name.
struct IntegerType
{
    QLatin1StringView NameSuffix;
    QLatin1StringView TypeName;
};
constexpr IntegerType integerTypes[] = {
    {QLatin1StringView("Color"), QLatin1StringView("TColor")},
    {QLatin1StringView("Cursor"), QLatin1StringView("TCursor")},
    {QLatin1StringView("Charset"), QLatin1StringView("TFontCharset")},
    {QLatin1StringView("ModalResult"), QLatin1StringView("TModalResult")},
    {QLatin1StringView("ShortCut"), QLatin1StringView("TShortCut")},
};

// Plain Qt types and their library names.
struct PlainType
{
    int MetaType;
    QLatin1StringView TypeName;
};
constexpr PlainType plainTypes[] = {
    {QMetaType::Bool, QLatin1StringView("Boolean")},
    {QMetaType::Int, QLatin1StringView("Integer")},
    {QMetaType::UInt, QLatin1StringView("Cardinal")},
    {QMetaType::Short, QLatin1StringView("SmallInt")},
    {QMetaType::UShort, QLatin1StringView("Word")},
    {QMetaType::LongLong, QLatin1StringView("Int64")},
    {QMetaType::ULongLong, QLatin1StringView("UInt64")},
    {QMetaType::Double, QLatin1StringView("Extended")},
    {QMetaType::Float, QLatin1StringView("Single")},
    {QMetaType::QChar, QLatin1StringView("WideChar")},
    {QMetaType::QString, QLatin1StringView("String")},
    {QMetaType::QStringList, QLatin1StringView("TStrings")},
    {QMetaType::QImage, QLatin1StringView("TPicture")},
    {QMetaType::QVariant, QLatin1StringView("Variant")},
    {QMetaType::QDateTime, QLatin1StringView("TDateTime")},
    {QMetaType::QDate, QLatin1StringView("TDate")},
    {QMetaType::QTime, QLatin1StringView("TTime")},
};

bool IsEventName(const QMetaProperty &p)
{
    const char *name = p.name();
    return p.metaType().id() == QMetaType::QString && name[0] == 'O' && name[1] == 'n' && name[2] >= 'A' &&
           name[2] <= 'Z';
}

QString EventTypeName(const QMetaProperty &p)
{
    for (const EventType &e : eventTypes) {
        if (qstrcmp(e.Name, p.name()) == 0)
            return e.TypeName;
    }
    return notifyEvent;
}

} // namespace

QString zorPropertyTypeName(const QMetaProperty &p)
{
    if (IsEventName(p))
        return EventTypeName(p);
    if (p.isEnumType())
        return QString::fromLatin1(p.enumerator().name());
    const int id = p.metaType().id();
    if (id == QMetaType::Int) {
        const QLatin1StringView name(p.name());
        for (const IntegerType &t : integerTypes) {
            if (name.endsWith(t.NameSuffix))
                return t.TypeName;
        }
    }
    // A component's name is an identifier of its own kind (the name editor refuses duplicates).
    if (id == QMetaType::QString && qstrcmp(p.name(), "Name") == 0 &&
        p.enclosingMetaObject()->inherits(&TfrxComponent::staticMetaObject))
        return QStringLiteral("TComponentName");
    for (const PlainType &t : plainTypes) {
        if (t.MetaType == id)
            return t.TypeName;
    }
    if (const QMetaObject *mo = p.metaType().metaObject())
        return QString::fromLatin1(mo->className());
    return QString::fromLatin1(p.typeName());
}

bool zorIsEventType(const QString &typeName)
{
    return typeName.startsWith(QLatin1StringView("tfrx"), Qt::CaseInsensitive) &&
           typeName.endsWith(QLatin1StringView("event"), Qt::CaseInsensitive);
}
