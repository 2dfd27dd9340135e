#include "TfrxXMLItem.h"

#include "zorCodePage.h"
#include "zorXML.h"

#include <algorithm>
#include <stdexcept>

namespace {

char16_t asciiUpper(char16_t c)
{
    return c >= 'a' && c <= 'z' ? char16_t(c - 32) : c;
}

// Case is folded for ASCII letters only, so that positions in the text never shift.
bool asciiStartsWith(QStringView text, qsizetype pos, QStringView name)
{
    if (pos + name.size() > text.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i)
        if (asciiUpper(text.at(pos + i).unicode()) != asciiUpper(name.at(i).unicode()))
            return false;
    return true;
}

struct Attribute
{
    qsizetype nameStart = -1; // -1: not found
    qsizetype valueStart = 0; // first character after the opening quote
    qsizetype valueEnd = 0;   // the closing quote, or the end of the text when it is missing
};

// attribute -> ' ' name '="' value '"', searched in a space followed by the text
Attribute findAttribute(QStringView text, QStringView name)
{
    Attribute a;
    for (qsizetype p = 0; p < text.size(); ++p) {
        if (p > 0 && text.at(p - 1) != u' ')
            continue;
        const qsizetype eq = p + name.size();
        if (eq + 1 < text.size() && text.at(eq) == u'=' && text.at(eq + 1) == u'"' &&
            asciiStartsWith(text, p, name)) {
            a.nameStart = p;
            a.valueStart = eq + 2;
            const qsizetype close = text.indexOf(u'"', a.valueStart);
            a.valueEnd = close < 0 ? text.size() : close;
            return a;
        }
    }
    return a;
}

} // namespace

TfrxXMLItem::TfrxXMLItem() = default;

TfrxXMLItem::~TfrxXMLItem()
{
    if (FParent)
        FParent->detach(this);
    FParent = nullptr;
    Clear();
}

const QString &TfrxXMLItem::Text() const
{
    if (FRawSize > 0) {
        const char *raw = FRaw.constData() + FRawOffset;
        const auto size = qsizetype(FRawSize);
        switch (FRawEncoding) {
        case RawEncoding::Utf8:
            FText = QString::fromUtf8(raw, size);
            break;
        case RawEncoding::CodePage:
            FText = zorSingleByteToString(raw, size);
            break;
        case RawEncoding::Latin1:
            FText = QString::fromLatin1(raw, size);
            break;
        }
        FRaw.clear();
        FRawSize = 0;
    }
    return FText;
}

void TfrxXMLItem::SetText(const QString &text)
{
    FRaw.clear();
    FRawSize = 0;
    FText = text;
}

void TfrxXMLItem::SetText(QString &&text)
{
    FRaw.clear();
    FRawSize = 0;
    FText = std::move(text);
}

void TfrxXMLItem::setRawText(const QByteArray &block, quint32 offset, quint32 size, RawEncoding encoding)
{
    FText.clear();
    FRaw = block;
    FRawOffset = offset;
    FRawSize = size;
    FRawEncoding = encoding;
}

QByteArrayView TfrxXMLItem::rawUtf8() const
{
    if (FRawSize == 0 || FRawEncoding != RawEncoding::Utf8)
        return {};
    return QByteArrayView(FRaw.constData() + FRawOffset, qsizetype(FRawSize));
}

TfrxXMLItem *TfrxXMLItem::Root()
{
    TfrxXMLItem *item = this;
    while (item->FParent)
        item = item->FParent;
    return item;
}

int TfrxXMLItem::Count() const
{
    return FItems ? int(FItems->size()) : 0;
}

TfrxXMLItem *TfrxXMLItem::Items(int index) const
{
    if (!FItems || index < 0 || size_t(index) >= FItems->size())
        throw std::out_of_range("XML item index out of range");
    return (*FItems)[size_t(index)];
}

int TfrxXMLItem::IndexOf(const TfrxXMLItem *item) const
{
    if (!FItems)
        return -1;
    const auto it = std::find(FItems->begin(), FItems->end(), item);
    return it == FItems->end() ? -1 : int(it - FItems->begin());
}

TfrxXMLItem *TfrxXMLItem::Add()
{
    auto *item = new TfrxXMLItem;
    AddItem(item);
    return item;
}

TfrxXMLItem *TfrxXMLItem::Add(const QString &name)
{
    TfrxXMLItem *item = Add();
    item->FName = name;
    return item;
}

void TfrxXMLItem::AddItem(TfrxXMLItem *item)
{
    if (item->FParent)
        item->FParent->detach(item);
    if (!FItems)
        FItems = std::make_unique<std::vector<TfrxXMLItem *>>();
    FItems->push_back(item);
    item->FParent = this;
}

void TfrxXMLItem::InsertItem(int index, TfrxXMLItem *item)
{
    AddItem(item);
    const auto last = FItems->end() - 1;
    const auto target = FItems->begin() + std::clamp<qsizetype>(index, 0, qsizetype(FItems->size()) - 1);
    std::rotate(target, last, FItems->end());
}

int TfrxXMLItem::Find(const QString &name) const
{
    for (int i = 0; i < Count(); ++i)
        if ((*FItems)[size_t(i)]->FName.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TfrxXMLItem *TfrxXMLItem::FindItem(const QString &name)
{
    const int i = Find(name);
    return i < 0 ? Add(name) : Items(i);
}

void TfrxXMLItem::Clear()
{
    if (FItems) {
        const std::unique_ptr<std::vector<TfrxXMLItem *>> items = std::move(FItems);
        for (TfrxXMLItem *child : *items) {
            child->FParent = nullptr;
            delete child;
        }
    }
    if (FUnloadable)
        FLoaded = false;
}

void TfrxXMLItem::detach(TfrxXMLItem *child)
{
    if (!FItems)
        return;
    const auto it = std::find(FItems->begin(), FItems->end(), child);
    if (it != FItems->end())
        FItems->erase(it);
    child->FParent = nullptr;
}

void TfrxXMLItem::SetOffset(quint64 offset)
{
    if (offset > MaxOffset)
        throw std::out_of_range("XML element offset beyond 40 bits");
    FHiOffset = quint8(offset >> 32);
    FLoOffset = quint32(offset);
}

QString TfrxXMLItem::GetProp(const QString &name) const
{
    const Attribute a = findAttribute(Text(), name);
    if (a.nameStart < 0)
        return QString();
    return zorXMLToStr(FText.mid(a.valueStart, a.valueEnd - a.valueStart));
}

bool TfrxXMLItem::PropExists(const QString &name) const
{
    return findAttribute(Text(), name).nameStart >= 0;
}

void TfrxXMLItem::SetProp(const QString &name, const QString &value)
{
    QString attribute = name + QStringLiteral("=\"") + zorStrToXML(value) + QLatin1Char('"');
    const Attribute a = findAttribute(Text(), name);
    qsizetype at = FText.size();
    if (a.nameStart >= 0) {
        at = a.nameStart;
        FText.remove(at, std::min(a.valueEnd + 1, FText.size()) - at);
    }
    if (at > 0 && FText.at(at - 1) != u' ')
        attribute.prepend(u' ');
    FText.insert(at, attribute);
}

void TfrxXMLItem::DeleteProp(const QString &name)
{
    if (!PropExists(name))
        return;
    SetProp(name, QString());
    const Attribute a = findAttribute(FText, name);
    // the name, '=', the two quotes and the separating character after them
    const qsizetype end = std::min(a.valueEnd + 2, FText.size());
    FText.remove(a.nameStart, end - a.nameStart);
}
