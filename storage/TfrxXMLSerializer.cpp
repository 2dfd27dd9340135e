#include "TfrxXMLSerializer.h"

#include "TfrxBand.h"
#include "TfrxClassRegistry.h"
#include "TfrxCollection.h"
#include "TfrxCollectionItem.h"
#include "TfrxComponent.h"
#include "TfrxCustomMemoView.h"
#include "TfrxError.h"
#include "TfrxPage.h"
#include "TfrxPersistent.h"
#include "TfrxPictureView.h"
#include "TfrxProperties.h"
#include "TfrxPropertyTable.h"
#include "TfrxReport.h"
#include "TfrxReportDataSets.h"
#include "TfrxStyles.h"
#include "TfrxVariables.h"
#include "TfrxXMLDocument.h"
#include "TfrxXMLItem.h"
#include "TfrxXMLReader.h"
#include "zorXML.h"

#include <QIODevice>
#include <QLocale>
#include <QMutex>
#include <QMetaEnum>
#include <QtEndian>

#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <unordered_map>
#include <vector>

using Kind = TfrxProperties::Kind;

namespace {

// Element trees deeper than this are not entered; the XML reader bounds them already, this
// guards trees built in memory.
constexpr int MaxDepth = 1024;

const QString CrLf = QStringLiteral("\r\n");

// A message raised while applying one attribute; collected, never fatal.
struct ApplyError {
    QString Message;
};

// The raw bits of an enumeration or set value, whatever its underlying type.
int RawInt(const QVariant &v)
{
    int raw = 0;
    if (v.isValid())
        std::memcpy(&raw, v.constData(), std::min<qsizetype>(sizeof raw, v.metaType().sizeOf()));
    return raw;
}

QVariant TypedEnum(const QMetaProperty &p, int raw)
{
    QVariant typed(p.metaType(), nullptr);
    std::memcpy(typed.data(), &raw, std::min<qsizetype>(sizeof raw, p.metaType().sizeOf()));
    return typed;
}

QString ListText(const QStringList &lines)
{
    return lines.join(CrLf);
}

// The text of a text object as stored: its lines joined with CR LF, one final break dropped.
QString MemoText(const TfrxCustomMemoView *memo)
{
    QString text = memo->Text();
    if (text.endsWith(CrLf))
        text.chop(2);
    return text;
}

// The collections a class stores as child elements, by element name.
TfrxCollection *NestedCollectionOf(QObject *obj, const QString &name)
{
    if (auto *memo = qobject_cast<TfrxCustomMemoView *>(obj))
        return memo->NestedCollection(name);
    if (auto *report = qobject_cast<TfrxReport *>(obj)) {
        if (name.compare(QLatin1String("Datasets"), Qt::CaseInsensitive) == 0)
            return report->DataSets();
        if (name.compare(QLatin1String("Variables"), Qt::CaseInsensitive) == 0)
            return report->Variables();
        if (name.compare(QLatin1String("Styles"), Qt::CaseInsensitive) == 0)
            return report->Styles();
    }
    return nullptr;
}

QStringList NestedNamesToWrite(QObject *obj)
{
    if (auto *memo = qobject_cast<TfrxCustomMemoView *>(obj))
        return memo->NestedPropertiesToWrite();
    QStringList names;
    if (auto *report = qobject_cast<TfrxReport *>(obj)) {
        if (report->DataSets()->Count() > 0)
            names.append(QStringLiteral("Datasets"));
        if (report->Variables()->Count() > 0)
            names.append(QStringLiteral("Variables"));
        if (report->Styles()->Count() > 0)
            names.append(QStringLiteral("Styles"));
    }
    return names;
}

bool HandlesNested(QObject *obj)
{
    return qobject_cast<TfrxCustomMemoView *>(obj) != nullptr || qobject_cast<TfrxReport *>(obj) != nullptr;
}

// The property of a text object that is stored as its Text attribute.
bool IsMemoLines(const QObject *obj, const QMetaProperty &p)
{
    return qobject_cast<const TfrxCustomMemoView *>(obj) != nullptr && std::strcmp(p.name(), "Memo") == 0;
}

// The writer walks the class's property table: what each property needs is worked out once per
// class, not for every object of a large report.
using WrittenProperty = TfrxPropertyTable::Property;

// The sub-object a nested property holds (font, frame, fill, ...), read as a plain pointer: report
// classes derive from QObject alone, so the pointer needs no adjustment.
QObject *HeldObject(QObject *obj, const WrittenProperty &property)
{
    void *value = nullptr;
    int status = -1;
    void *argv[] = {&value, nullptr, &status};
    QMetaObject::metacall(obj, QMetaObject::ReadProperty, property.Index, argv);
    return static_cast<QObject *>(value);
}

// Reads a plain property into stack storage.
void ReadPlain(QObject *obj, const WrittenProperty &property, unsigned char (&bytes)[8])
{
    std::memset(bytes, 0, sizeof bytes);
    int status = -1;
    void *argv[] = {bytes, nullptr, &status};
    QMetaObject::metacall(obj, QMetaObject::ReadProperty, property.Index, argv);
}

// The stored, readable properties of an object's class in table order, base classes first.
const std::vector<const WrittenProperty *> &WrittenProperties(const QObject *obj)
{
    // Node-based, so a class's list stays where it is while nested objects add theirs.
    static std::unordered_map<const QMetaObject *, std::vector<const WrittenProperty *>> classes;
    static QMutex mutex;
    const QMetaObject *mo = obj->metaObject();
    const QMutexLocker lock(&mutex);
    auto it = classes.find(mo);
    if (it != classes.end())
        return it->second;
    std::vector<const WrittenProperty *> list;
    for (const WrittenProperty &property : TfrxPropertyTable::Of(mo).Properties()) {
        const QMetaProperty &p = property.Meta;
        if (p.isReadable() && p.isStored() && !IsMemoLines(obj, p))
            list.push_back(&property);
    }
    return classes.emplace(mo, std::move(list)).first->second;
}

// Whether the object stores the property in its current state (a font that follows the parent's
// is not stored, ...).
bool StoredNow(const TfrxPersistent *persistent, const WrittenProperty &property)
{
    return persistent == nullptr || persistent->IsPropertyStored(property.Meta.name());
}

// The binary property records of a picture: one record "Data" (name length byte, name, tag 10,
// 32-bit little-endian length, bytes) whose bytes are the graphic's class name (length byte and
// name) and the graphic's stored form. JPEG and BMP forms carry a 32-bit length first.
constexpr char BinaryTag = 10;

struct GraphicClass {
    const char *Format;
    const char *ClassName;
    bool LengthPrefix;
};
constexpr GraphicClass GraphicClasses[] = {
    {"PNG", "TPngImage", false},
    {"JPEG", "TJPEGImage", true},
    {"BMP", "TBitmap", true},
};

void AppendShortString(QByteArray &out, const QByteArray &text)
{
    out.append(char(text.size()));
    out.append(text);
}

void AppendLength(QByteArray &out, qsizetype length)
{
    char bytes[4];
    qToLittleEndian<quint32>(quint32(length), bytes);
    out.append(bytes, 4);
}

// The stored form of a picture view's picture; empty when it has none or its kind is not stored.
QByteArray PictureRecords(const TfrxPictureView *view)
{
    qsizetype offset = 0;
    const QByteArray data = view->PictureData();
    const QByteArray format = TfrxPictureView::DetectFormat(data, &offset);
    for (const GraphicClass &cls : GraphicClasses) {
        if (format != cls.Format)
            continue;
        const QByteArray image = data.mid(offset);
        QByteArray graphic;
        AppendShortString(graphic, cls.ClassName);
        if (cls.LengthPrefix)
            AppendLength(graphic, image.size());
        graphic.append(image);
        QByteArray records;
        AppendShortString(records, "Data");
        records.append(BinaryTag);
        AppendLength(records, graphic.size());
        records.append(graphic);
        return records;
    }
    return {};
}

// Reads the records into a picture view until they are used up; a record that cannot be
// decoded ends the reading and leaves the picture as it was.
void ReadPictureRecords(TfrxPictureView *view, const QByteArray &records)
{
    const auto *b = reinterpret_cast<const uchar *>(records.constData());
    const qsizetype n = records.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype nameLength = b[i];
        if (i + 1 + nameLength + 5 > n || b[i + 1 + nameLength] != BinaryTag)
            return;
        const QByteArray name = records.mid(i + 1, nameLength);
        const qsizetype length = qFromLittleEndian<quint32>(b + i + 2 + nameLength);
        const qsizetype start = i + 6 + nameLength;
        if (length > n - start)
            return;
        i = start + length;
        if (name != "Data" || length < 1)
            continue;
        const qsizetype classLength = b[start];
        if (classLength + 1 > length)
            return;
        const QByteArray className = records.mid(start + 1, classLength);
        qsizetype form = start + 1 + classLength;
        for (const GraphicClass &cls : GraphicClasses) {
            if (className != cls.ClassName)
                continue;
            if (cls.LengthPrefix) {
                if (form + 4 > i || qFromLittleEndian<quint32>(b + form) != quint32(i - form - 4))
                    return;
                form += 4;
            }
            view->LoadPictureData(records.mid(form, i - form));
        }
    }
}

QString CantFindClass(const QString &name)
{
    return QStringLiteral("Cannot find class ") + name;
}

}  // namespace

// The reading and writing steps; they work on the serializer's state.
class TfrxXMLSerializer::Private
{
public:
    static void AddError(TfrxXMLSerializer &s, const QString &message);
    static QString PlainText(const QVariant &v, const WrittenProperty &property);
    static void AppendAttribute(QString &out, QStringView prefix, QLatin1String name, QLatin1String suffix,
                                QStringView value);
    static void AppendAttributes(TfrxXMLSerializer &s, QString &out, QObject *obj, QString &prefix,
                                 QObject *ancestor);
    static QString ValueText(TfrxXMLSerializer &s, QObject *obj, const WrittenProperty &property,
                             QObject *ancestor, bool &write);
    static void WriteItem(TfrxXMLSerializer &s, TfrxComponent *obj, TfrxXMLItem *item, bool saveChildren,
                          bool streaming, int depth);
    static void WriteNested(TfrxXMLSerializer &s, QObject *obj, TfrxXMLItem *item);
    static void ReadItem(TfrxXMLSerializer &s, TfrxXMLItem *item, QObject *container, int depth);
    static void ReadNested(TfrxXMLSerializer &s, QObject *obj, TfrxXMLItem *item);
    static void Apply(TfrxXMLSerializer &s, QObject *obj, const QString &name, const QString &value);
    static QString PictureText(TfrxXMLSerializer &s, TfrxPictureView *view, TfrxPictureView *ancestor,
                               const QString &prefix);
    static void ApplyProperty(TfrxXMLSerializer &s, QObject *holder, const TfrxPropertyTable::Property &property,
                              QStringView path, const QString &value);
    static void FinishLoading(TfrxXMLSerializer &s);
    static void RememberName(TfrxXMLSerializer &s, TfrxComponent *c);
    static QObject *FindByName(const TfrxXMLSerializer &s, const QString &name);
};

TfrxXMLSerializer::TfrxXMLSerializer(QIODevice *stream) : FStream(stream)
{
    const QString separator = QLocale().decimalPoint();
    FDecimalPoint = separator.isEmpty() ? QChar(u'.') : separator.front();
}

TfrxXMLSerializer::~TfrxXMLSerializer() = default;

bool TfrxXMLSerializer::StrToFloat(const QString &text, double &value)
{
    // Most texts are short plain numbers: parsed from a stack buffer without a new string.
    char buffer[64];
    qsizetype length = 0;
    bool plain = text.size() < qsizetype(sizeof buffer);
    for (qsizetype i = 0; plain && i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u',')
            buffer[length++] = '.';
        else if (c > 0x7f)
            plain = false;
        else if (c != u' ')
            buffer[length++] = char(c);
    }
    if (plain && length > 0 && buffer[0] != '+') {
        const auto [end, error] = std::from_chars(buffer, buffer + length, value);
        if (error == std::errc() && end == buffer + length)
            return std::isfinite(value);
    }
    QString t;
    t.reserve(text.size());
    for (QChar c : text) {
        if (c == u',')
            t.append(u'.');
        else if (c != u' ')
            t.append(c);
    }
    bool ok = false;
    value = t.toDouble(&ok);
    return ok && std::isfinite(value);
}

void TfrxXMLSerializer::Private::AddError(TfrxXMLSerializer &s, const QString &message)
{
    const auto it = std::lower_bound(s.FErrors.begin(), s.FErrors.end(), message);
    if (it == s.FErrors.end() || *it != message)
        s.FErrors.insert(it, message);
}

// ---- Writing ------------------------------------------------------------------------------

// The text of a number, Boolean, enumeration (its identifier) or set (its bits).
QString TfrxXMLSerializer::Private::PlainText(const QVariant &v, const WrittenProperty &property)
{
    switch (property.PropertyKind) {
    case Kind::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Enumeration: {
        const char *key = property.Meta.enumerator().valueToKey(RawInt(v));
        return key != nullptr ? QString::fromLatin1(key) : QString::number(RawInt(v));
    }
    case Kind::Set:
        return QString::number(RawInt(v));
    default:
        if (v.typeId() == QMetaType::QChar)
            return QString::number(v.toChar().unicode());
        return QString::number(v.toLongLong());
    }
}

// The encoded value of one property and whether it is written at all.
QString TfrxXMLSerializer::Private::ValueText(TfrxXMLSerializer &s, QObject *obj, const WrittenProperty &property,
                                              QObject *ancestor, bool &write)
{
    const QMetaProperty &p = property.Meta;
    const Kind kind = property.PropertyKind;
    if (kind == Kind::Text && ancestor == nullptr && p.metaType() == QMetaType::fromType<QString>()) {
        // Texts are read straight into a string: most of them (event names, hints, links) are empty.
        QString text;
        int status = -1;
        void *argv[] = {&text, nullptr, &status};
        QMetaObject::metacall(obj, QMetaObject::ReadProperty, property.Index, argv);
        write = s.FSerializeDefaultValues || !text.isEmpty();
        return write ? zorStrToXML(text) : QString();
    }
    alignas(8) unsigned char bytes[8];
    if (property.Plain && ancestor == nullptr && !s.FSerializeDefaultValues) {
        // The common case: a value compared with its declared default without building QVariants.
        ReadPlain(obj, property, bytes);
        if (kind == Kind::Float) {
            double value = 0;
            std::memcpy(&value, bytes, sizeof value);
            return zorFloatToStr(value, s.FDecimalPoint);
        }
        if (property.Default.isValid() && std::memcmp(bytes, property.DefaultBytes, property.Size) == 0) {
            write = false;
            return {};
        }
        return PlainText(QVariant(p.metaType(), bytes), property);
    }
    const QVariant v = p.read(obj);
    const QVariant a = ancestor != nullptr ? p.read(ancestor) : QVariant();
    switch (kind) {
    case Kind::Integer:
    case Kind::Int64:
    case Kind::Boolean:
    case Kind::Enumeration:
    case Kind::Set: {
        const bool isEnum = kind == Kind::Enumeration || kind == Kind::Set;
        if (ancestor != nullptr) {
            write = isEnum ? RawInt(v) != RawInt(a) : v != a;
        } else if (!s.FSerializeDefaultValues) {
            const QVariant &d = property.Default;
            write = !d.isValid() || (isEnum ? RawInt(v) != RawInt(d) : v != d);
        }
        // Most of these keep their defaults: no text for what is not written.
        return write ? PlainText(v, property) : QString();
    }
    case Kind::Float:
        write = ancestor == nullptr || std::abs(v.toDouble() - a.toDouble()) >= 1e-6;
        return zorFloatToStr(v.toDouble(), s.FDecimalPoint);
    case Kind::Text:
        write = ancestor != nullptr ? v != a : s.FSerializeDefaultValues || !v.toString().isEmpty();
        return write ? zorStrToXML(v.toString()) : QString();
    case Kind::Variant:
        write = ancestor == nullptr || v != a;
        return zorStrToXML(v.toString());
    case Kind::Reference: {
        auto *target = qobject_cast<TfrxComponent *>(v.value<QObject *>());
        auto *old = ancestor != nullptr ? qobject_cast<TfrxComponent *>(a.value<QObject *>()) : nullptr;
        if (ancestor == nullptr) {
            write = target != nullptr;
        } else {
            write = target == nullptr || old == nullptr
                        ? target != old
                        : target->Name().compare(old->Name(), Qt::CaseInsensitive) != 0;
        }
        return target != nullptr ? target->Name() : QStringLiteral("nil");
    }
    default:
        write = false;
        return {};
    }
}

QString TfrxXMLSerializer::ObjToXML(QObject *obj, const QString &prefix, QObject *ancestor)
{
    QString out;
    out.reserve(512);
    QString path = prefix;
    Private::AppendAttributes(*this, out, obj, path, ancestor);
    return out;
}

// Appends one attribute: a space, the prefix, the name, "=", the quoted value.
void TfrxXMLSerializer::Private::AppendAttribute(QString &out, QStringView prefix, QLatin1String name,
                                                 QLatin1String suffix, QStringView value)
{
    out.append(u' ').append(prefix).append(name).append(suffix).append(QLatin1String("=\"")).append(value).append(u'"');
}

// The attributes of an object, nested objects with their dotted prefix, written into out as they
// come; prefix grows for a nested object and shrinks back after it, so that a large report is
// written without a string for every object and sub-object.
void TfrxXMLSerializer::Private::AppendAttributes(TfrxXMLSerializer &s, QString &out, QObject *obj,
                                                  QString &prefix, QObject *ancestor)
{
    auto *component = qobject_cast<TfrxComponent *>(obj);
    if (component != nullptr && ancestor == nullptr && s.FOnGetAncestor)
        ancestor = s.FOnGetAncestor(component->Name());
    auto *ancestorComponent = qobject_cast<TfrxComponent *>(ancestor);
    const bool wasWriting = component != nullptr && component->IsWriting();
    if (component != nullptr)
        component->SetIsWriting(true);
    if (ancestorComponent != nullptr)
        ancestorComponent->SetIsWriting(true);

    // The property table in declaration order, base classes first.
    const auto *persistent = qobject_cast<const TfrxPersistent *>(obj);
    for (const WrittenProperty *written : WrittenProperties(obj)) {
        const WrittenProperty &property = *written;
        if (!StoredNow(persistent, property))
            continue;
        const QMetaProperty &p = property.Meta;
        const Kind kind = property.PropertyKind;
        const QLatin1String name = property.Name;
        if (kind == Kind::Nested) {
            QObject *sub = HeldObject(obj, property);
            if (sub != nullptr) {
                QObject *ancestorSub = ancestor != nullptr ? HeldObject(ancestor, property) : nullptr;
                const qsizetype length = prefix.size();
                prefix.append(name).append(u'.');
                AppendAttributes(s, out, sub, prefix, ancestorSub);
                prefix.truncate(length);
            }
            continue;
        }
        if (kind == Kind::StringList) {
            const QString text = ListText(p.read(obj).toStringList());
            if (ancestor != nullptr && text == ListText(p.read(ancestor).toStringList()))
                continue;
            AppendAttribute(out, prefix, name, QLatin1String(".Text"), zorStrToXML(text));
            continue;
        }
        bool write = true;
        const QString value = ValueText(s, obj, property, ancestor, write);
        if (write)
            AppendAttribute(out, prefix, name, QLatin1String(), value);
    }
    if (auto *view = qobject_cast<TfrxPictureView *>(obj))
        out += PictureText(s, view, qobject_cast<TfrxPictureView *>(ancestor), prefix);
    if (auto *memo = qobject_cast<TfrxCustomMemoView *>(obj)) {
        const QString text = MemoText(memo);
        auto *ancestorMemo = qobject_cast<TfrxCustomMemoView *>(ancestor);
        if (ancestorMemo == nullptr || MemoText(ancestorMemo) != text)
            AppendAttribute(out, QStringView(), QLatin1String("Text"), QLatin1String(), zorStrToXML(text));
    }

    if (component != nullptr)
        component->SetIsWriting(wasWriting);
    if (ancestorComponent != nullptr)
        ancestorComponent->SetIsWriting(false);
}

// The attribute of a picture view's picture: its data, or its index in the serializer's picture
// store; nothing for no picture or the same picture as the ancestor's.
QString TfrxXMLSerializer::Private::PictureText(TfrxXMLSerializer &s, TfrxPictureView *view,
                                                TfrxPictureView *ancestor, const QString &prefix)
{
    if (view->Picture().isNull() || (ancestor != nullptr && PictureRecords(ancestor) == PictureRecords(view)))
        return {};
    // The store knows its pictures without encoding them again, which keeps snapshots fast.
    if (s.FPictureStore != nullptr)
        return u' ' + prefix + QLatin1String("Picture.Index=\"") + QString::number(s.FPictureStore->Add(*view)) + u'"';
    const QByteArray records = PictureRecords(view);
    if (records.isEmpty())
        return {};
    return u' ' + prefix + QLatin1String("Picture.PropData=\"") + QLatin1String(records.toHex().toUpper()) + u'"';
}

// Each collection a class keeps as child elements: one "item" per collection item.
void TfrxXMLSerializer::Private::WriteNested(TfrxXMLSerializer &s, QObject *obj, TfrxXMLItem *item)
{
    const QStringList names = NestedNamesToWrite(obj);
    for (const QString &name : names) {
        TfrxCollection *collection = NestedCollectionOf(obj, name);
        if (collection == nullptr)
            continue;
        TfrxXMLItem *list = item->Add(name);
        for (TfrxCollectionItem *collectionItem : collection->Items()) {
            TfrxXMLItem *child = list->Add(QStringLiteral("item"));
            QString text = s.ObjToXML(collectionItem);
            if (text.startsWith(u' '))
                text.remove(0, 1);
            child->SetText(std::move(text));
        }
    }
}

// element -> class name, Name attribute, attributes; nested elements, then the children
void TfrxXMLSerializer::Private::WriteItem(TfrxXMLSerializer &s, TfrxComponent *obj, TfrxXMLItem *item,
                                           bool saveChildren, bool streaming, int depth)
{
    const bool isRoot = depth == 0;
    item->SetName(obj->Ancestor() && !streaming ? QStringLiteral("inherited")
                                                : QString::fromLatin1(obj->metaObject()->className()));
    QString text;
    if (!isRoot)
        text = QLatin1String("Name=\"") + obj->Name() + u'"';
    text += s.ObjToXML(obj);
    if (text.startsWith(u' '))
        text.remove(0, 1);
    item->SetText(std::move(text));
    if (s.FHandleNestedProperties && HandlesNested(obj))
        WriteNested(s, obj, item);
    if (!saveChildren || depth >= MaxDepth)
        return;
    for (TfrxComponent *child : obj->Objects())
        WriteItem(s, child, item->Add(), true, streaming, depth + 1);
}

void TfrxXMLSerializer::WriteRootComponent(TfrxComponent *root, bool saveChildren, bool streaming, TfrxXMLItem *item)
{
    if (FOwner == nullptr)
        FOwner = root;
    if (item != nullptr) {
        Private::WriteItem(*this, root, item, saveChildren, streaming, 0);
        if (FOnSaveCustomData)
            FOnSaveCustomData(item->Add(QStringLiteral("ZorCustomData")));
        return;
    }
    TfrxXMLDocument document;
    document.SetAutoIndent(true);
    WriteRootComponent(root, saveChildren, streaming, document.Root());
    document.SaveToStream(FStream);
}

QString TfrxXMLSerializer::WriteComponentStr(QObject *obj)
{
    return QString::fromLatin1(obj->metaObject()->className()) + ObjToXML(obj);
}

void TfrxXMLSerializer::WriteComponent(QObject *obj)
{
    FStream->write("<");
    FStream->write(WriteComponentStr(obj).toUtf8());
    FStream->write("/>");
}

// ---- Reading ------------------------------------------------------------------------------

void TfrxXMLSerializer::Private::RememberName(TfrxXMLSerializer &s, TfrxComponent *c)
{
    if (!c->Name().isEmpty())
        s.FNames.insert(c->Name().toLower(), c);
}

QObject *TfrxXMLSerializer::Private::FindByName(const TfrxXMLSerializer &s, const QString &name)
{
    if (name.isEmpty())
        return nullptr;
    if (s.FOwner != nullptr && s.FOwner->Name().compare(name, Qt::CaseInsensitive) == 0)
        return s.FOwner;
    // While reading a tree the names of its objects are kept in a table, so that a load stays
    // linear; without the table (a single attribute text) the owner's tree is searched.
    if (s.FNames.isEmpty())
        return s.FOwner != nullptr ? s.FOwner->FindObject(name) : nullptr;
    const auto it = s.FNames.constFind(name.toLower());
    if (it == s.FNames.constEnd())
        return nullptr;
    // A name remembered earlier may have been changed since.
    TfrxComponent *c = it.value();
    if (c != nullptr && c->Name().compare(name, Qt::CaseInsensitive) == 0)
        return c;
    return s.FOwner != nullptr ? s.FOwner->FindObject(name) : nullptr;
}

// Applies one property value by its kind; failures raise ApplyError with the message to record.
void TfrxXMLSerializer::Private::ApplyProperty(TfrxXMLSerializer &s, QObject *holder,
                                               const TfrxPropertyTable::Property &property, QStringView path,
                                               const QString &value)
{
    const QMetaProperty &p = property.Meta;
    QVariant v;
    bool ok = true;
    switch (property.PropertyKind) {
    case Kind::Integer:
        v = value.toInt(&ok);
        if (!ok)
            throw ApplyError{QStringLiteral("'%1' is not a valid integer value").arg(value)};
        break;
    case Kind::Int64:
        v = value.toLongLong(&ok);
        if (!ok)
            throw ApplyError{QStringLiteral("'%1' is not a valid integer value").arg(value)};
        break;
    case Kind::Boolean: {
        const int number = value.toInt(&ok);
        if (ok)
            v = number != 0;
        else if (value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            v = true;
        else if (value.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            v = false;
        else
            throw ApplyError{QStringLiteral("Invalid property value ") + path.toString()};
        break;
    }
    case Kind::Enumeration: {
        const QMetaEnum meta = p.enumerator();
        int raw = value.toInt(&ok);
        if (!ok)
            raw = meta.keyToValue(value.toLatin1().constData(), &ok);
        // A value outside the type is never stored.
        if (!ok || meta.valueToKey(raw) == nullptr)
            throw ApplyError{QStringLiteral("Invalid property value ") + path.toString()};
        v = TypedEnum(p, raw);
        break;
    }
    case Kind::Set: {
        const QMetaEnum meta = p.enumerator();
        int raw = value.toInt(&ok);
        if (!ok)
            throw ApplyError{QStringLiteral("'%1' is not a valid integer value").arg(value)};
        int members = 0;
        for (int i = 0; i < meta.keyCount(); ++i)
            members |= meta.value(i);
        v = TypedEnum(p, raw & members);
        break;
    }
    case Kind::Float: {
        double number = 0;
        if (!StrToFloat(value, number))
            throw ApplyError{QStringLiteral("'%1' is not a valid floating point value").arg(value)};
        v = number;
        break;
    }
    case Kind::Text:
    case Kind::Variant:
        v = zorXMLToStr(value);
        break;
    case Kind::Reference:
        s.FFixups.append(TfrxFixupItem{holder, p, zorXMLToStr(value)});
        return;
    default:
        return;
    }
    try {
        if (!p.write(holder, v))
            throw ApplyError{QStringLiteral("Invalid property value ") + path.toString()};
    } catch (const TfrxError &error) {
        throw ApplyError{error.Message()};
    }
}

// One attribute: the names with a meaning of their own first, then the dotted property path.
void TfrxXMLSerializer::Private::Apply(TfrxXMLSerializer &s, QObject *obj, const QString &name, const QString &value)
{
    auto *component = qobject_cast<TfrxComponent *>(obj);
    auto *memo = qobject_cast<TfrxCustomMemoView *>(obj);
    using Setter = void (TfrxComponent::*)(double);
    static const QHash<QString, Setter> bounds = {
        {QStringLiteral("l"), &TfrxComponent::SetLeft},
        {QStringLiteral("t"), &TfrxComponent::SetTop},
        {QStringLiteral("w"), &TfrxComponent::SetWidth},
        {QStringLiteral("h"), &TfrxComponent::SetHeight},
    };
    if (component != nullptr && name.size() == 1) {
        if (const auto it = bounds.constFind(name); it != bounds.constEnd()) {
            double number = 0;
            if (!StrToFloat(value, number))
                throw ApplyError{QStringLiteral("'%1' is not a valid floating point value").arg(value)};
            (component->*(it.value()))(number);
            return;
        }
    }
    if (memo != nullptr && name == u"x") {
        memo->SetText(zorXMLToStr(value));
        return;
    }
    if (memo != nullptr && (name == u"u" || name.compare(QLatin1String("Text"), Qt::CaseInsensitive) == 0
                            || name.compare(QLatin1String("Memo.Text"), Qt::CaseInsensitive) == 0)) {
        // The old format kept the UTF-8 bytes of a text as single-byte characters.
        const QString text = zorXMLToStr(value);
        memo->SetText(s.FOldFormat ? QString::fromUtf8(text.toLatin1()) : text);
        return;
    }
    if (s.FPictureStore != nullptr && name.compare(QLatin1String("Picture.Index"), Qt::CaseInsensitive) == 0) {
        if (auto *view = qobject_cast<TfrxPictureView *>(obj))
            s.FPictureStore->Load(value.toInt(), *view);
        return;
    }
    if (name.endsWith(QLatin1String("PropData"), Qt::CaseInsensitive)) {
        auto *view = qobject_cast<TfrxPictureView *>(obj);
        if (view != nullptr && name.compare(QLatin1String("Picture.PropData"), Qt::CaseInsensitive) == 0)
            ReadPictureRecords(view, QByteArray::fromHex(value.toLatin1()));
        return;
    }
    if (qobject_cast<TfrxReport *>(obj) != nullptr && name.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
        return;

    // Walk the path: each part but the last must be a property holding an object.
    QObject *holder = obj;
    qsizetype start = 0;
    for (int depth = 0; depth < MaxDepth; ++depth) {
        const qsizetype dot = name.indexOf(u'.', start);
        if (dot < 0)
            break;
        const TfrxPropertyTable::Property *part =
            TfrxPropertyTable::Of(holder->metaObject()).Find(QStringView(name).mid(start, dot - start));
        if (part == nullptr)
            return;
        if (part->PropertyKind == Kind::StringList && QStringView(name).mid(dot + 1).compare(u"Text", Qt::CaseInsensitive) == 0) {
            if (part->Meta.isWritable())
                part->Meta.write(holder, zorXMLToStr(value).split(CrLf));
            return;
        }
        if (part->PropertyKind != Kind::Nested)
            return;
        holder = TfrxProperties::NestedObject(holder, part->Meta);
        if (holder == nullptr)
            return;
        start = dot + 1;
    }
    const QStringView last = QStringView(name).mid(start);
    const TfrxPropertyTable::Property *property = TfrxPropertyTable::Of(holder->metaObject()).Find(last);
    if (property == nullptr || !property->Meta.isWritable() || property->PropertyKind == Kind::Nested)
        return;
    ApplyProperty(s, holder, *property, last, value);
}

// attributes -> { name [spaces] "=" ... '"' value '"' }
void TfrxXMLSerializer::XMLToObj(const QString &text, QObject *obj)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && text[i] == u' ')
            ++i;
        const qsizetype eq = text.indexOf(u'=', i);
        if (eq < 0)
            return;
        const QString name = text.mid(i, eq - i).trimmed();
        if (name.isEmpty())
            return;
        const qsizetype open = text.indexOf(u'"', eq + 1);
        if (open < 0)
            return;
        qsizetype close = text.indexOf(u'"', open + 1);
        if (close < 0)
            close = n;
        const QString value = text.mid(open + 1, close - open - 1);
        i = close + 1;
        try {
            Private::Apply(*this, obj, name, value);
        } catch (const ApplyError &error) {
            Private::AddError(*this, error.Message);
        } catch (const TfrxError &error) {
            Private::AddError(*this, error.Message());
        } catch (const std::exception &error) {
            Private::AddError(*this, QString::fromUtf8(error.what()));
        }
    }
}

void TfrxXMLSerializer::Private::ReadNested(TfrxXMLSerializer &s, QObject *obj, TfrxXMLItem *item)
{
    TfrxCollection *collection = NestedCollectionOf(obj, item->Name());
    for (int i = 0; i < item->Count(); ++i)
        s.XMLToObj(item->Items(i)->Text(), collection->Add());
}

// element -> custom data | class element (attributes, nested elements, children)
void TfrxXMLSerializer::Private::ReadItem(TfrxXMLSerializer &s, TfrxXMLItem *item, QObject *container, int depth)
{
    if (depth >= MaxDepth)
        return;
    const QString &className = item->Name();
    if (className.compare(QLatin1String("ZorCustomData"), Qt::CaseInsensitive) == 0) {
        if (s.FOnGetCustomData)
            s.FOnGetCustomData(item);
        return;
    }
    const bool inherited = className == u"inherited";
    const QMetaObject *cls = inherited ? nullptr : TfrxClassRegistry::Instance().Find(className);
    if (!inherited && (cls == nullptr || (container == nullptr || !SuitsContainer(cls, container->metaObject())))) {
        AddError(s, CantFindClass(className));
        return;
    }
    const QString name = zorXMLToStr(item->GetProp(QStringLiteral("Name")));
    auto *obj = s.FMatchNames ? qobject_cast<TfrxComponent *>(FindByName(s, name)) : nullptr;
    if (obj != nullptr && !inherited && obj->metaObject() != cls) {
        // A name taken by an object of another class: the element gets an object of its own.
        AddError(s, QStringLiteral("Duplicate name ") + name);
        obj = nullptr;
    }
    bool created = false;
    if (obj == nullptr) {
        if (inherited)
            return;
        obj = qobject_cast<TfrxComponent *>(TfrxClassRegistry::Instance().Create(className, container));
        if (obj == nullptr)
            return;
        created = true;
    }
    obj->SetIsLoading(true);
    QString text = item->Text();
    if (created && s.FMatchNames && FindByName(s, name) != nullptr) {
        // Read the attributes but keep the new object's own unique name.
        s.XMLToObj(text, obj);
        obj->CreateUniqueName();
    } else {
        s.XMLToObj(text, obj);
    }
    RememberName(s, obj);
    s.FLoaded.append(obj);
    for (int i = 0; i < item->Count(); ++i) {
        TfrxXMLItem *child = item->Items(i);
        if (s.FHandleNestedProperties && NestedCollectionOf(obj, child->Name()) != nullptr)
            ReadNested(s, obj, child);
        else
            ReadItem(s, child, obj, depth + 1);
    }
}

void TfrxXMLSerializer::Private::FinishLoading(TfrxXMLSerializer &s)
{
    s.FixupReferences();
    const QList<TfrxComponent *> loaded = std::move(s.FLoaded);
    s.FLoaded.clear();
    for (TfrxComponent *c : loaded) {
        c->SetIsLoading(false);
        if (qobject_cast<TfrxReport *>(c) == nullptr)
            c->Loaded();
    }
}

void TfrxXMLSerializer::ReadRootComponent(TfrxComponent *root, TfrxXMLItem *item)
{
    if (FOwner == nullptr)
        FOwner = root;
    if (item == nullptr) {
        TfrxXMLDocument document;
        document.LoadFromStream(FStream);
        FOldFormat = document.OldVersion();
        ReadRootComponent(root, document.Root());
        return;
    }
    // The root of an inherited report is itself marked as inherited.
    const QMetaObject *cls = item->Name() == u"inherited" ? root->metaObject()
                                                           : TfrxClassRegistry::Instance().Find(item->Name());
    if (cls == nullptr || !root->metaObject()->inherits(cls)) {
        Private::AddError(*this, CantFindClass(item->Name()));
        return;
    }
    root->SetIsLoading(true);
    XMLToObj(item->Text(), root);
    // Names are collected after the root's attributes, which may have brought a parent template's objects.
    FNames.clear();
    for (TfrxComponent *c : FOwner->GetAllObjects())
        Private::RememberName(*this, c);
    FLoaded.append(root);
    for (int i = 0; i < item->Count(); ++i) {
        TfrxXMLItem *child = item->Items(i);
        if (FHandleNestedProperties && NestedCollectionOf(root, child->Name()) != nullptr)
            Private::ReadNested(*this, root, child);
        else
            Private::ReadItem(*this, child, root, 1);
    }
    Private::FinishLoading(*this);
}

bool TfrxXMLSerializer::SuitsContainer(const QMetaObject *cls, const QMetaObject *container)
{
    if (!cls->inherits(&TfrxComponent::staticMetaObject) || cls->inherits(&TfrxReport::staticMetaObject))
        return false;
    if (cls->inherits(&TfrxPage::staticMetaObject))
        return container->inherits(&TfrxReport::staticMetaObject);
    if (cls->inherits(&TfrxBand::staticMetaObject))
        return container->inherits(&TfrxPage::staticMetaObject);
    return container->inherits(&TfrxPage::staticMetaObject) || container->inherits(&TfrxBand::staticMetaObject);
}

QObject *TfrxXMLSerializer::ReadComponentStr(QObject *root, const QString &text, bool dontFixup)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return nullptr;
    qsizetype space = trimmed.indexOf(u' ');
    if (space < 0)
        space = trimmed.size();
    const QString className = trimmed.left(space);
    QObject *obj = TfrxClassRegistry::Instance().Create(className, root);
    if (obj == nullptr) {
        Private::AddError(*this, CantFindClass(className));
        return nullptr;
    }
    auto *component = qobject_cast<TfrxComponent *>(obj);
    if (FOwner == nullptr)
        FOwner = qobject_cast<TfrxComponent *>(root);
    // Names are looked up in the owner's tree as it is now (only references need them).
    FNames.clear();
    if (component != nullptr)
        component->SetIsLoading(true);
    XMLToObj(trimmed.mid(space), obj);
    if (dontFixup)
        FFixups.clear();
    else
        FixupReferences();
    if (component != nullptr) {
        component->SetIsLoading(false);
        if (qobject_cast<TfrxReport *>(component) == nullptr)
            component->Loaded();
    }
    return obj;
}

QObject *TfrxXMLSerializer::ReadComponent(QObject *root)
{
    TfrxXMLReader reader(FStream);
    TfrxXMLItem item;
    if (!reader.ReadRootItem(&item, false))
        return nullptr;
    return ReadComponentStr(root, item.Name() + u' ' + item.Text());
}

void TfrxXMLSerializer::ReadPersistentStr(QObject *obj, const QString &text)
{
    XMLToObj(text, obj);
    FixupReferences();
}

void TfrxXMLSerializer::FixupReferences()
{
    for (const TfrxFixupItem &fixup : std::as_const(FFixups)) {
        QObject *target = Private::FindByName(*this, fixup.Value);
        const QMetaObject *wanted = fixup.PropInfo.metaType().metaObject();
        if (fixup.Obj.isNull() || target == nullptr || wanted == nullptr || !target->metaObject()->inherits(wanted))
            continue;
        // Report classes derive from QObject alone, so the pointer needs no adjustment.
        QVariant value(fixup.PropInfo.metaType(), &target);
        try {
            fixup.PropInfo.write(fixup.Obj.data(), value);
        } catch (const TfrxError &error) {
            Private::AddError(*this, error.Message());
        }
    }
    FFixups.clear();
}

QStringList TfrxXMLSerializer::CopyTree(TfrxComponent *source, TfrxComponent *target, bool withDefaults, bool streaming)
{
    TfrxXMLItem item;
    TfrxXMLSerializer writer;
    writer.SetSerializeDefaultValues(withDefaults);
    writer.WriteRootComponent(source, true, streaming, &item);
    target->Clear();
    TfrxXMLSerializer reader;
    reader.SetOwner(target);
    // The element carries the source's class; the target reads it as its own.
    item.SetName(QString::fromLatin1(target->metaObject()->className()));
    reader.ReadRootComponent(target, &item);
    return reader.Errors();
}

void TfrxXMLSerializer::CopyFixupList(QList<TfrxFixupItem> &list) const
{
    list.append(FFixups);
}
