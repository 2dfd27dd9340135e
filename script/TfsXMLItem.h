#pragma once

#include <QString>

#include <memory>
#include <vector>

// One element of the engine's own small XML tree (grammars and IL). The attributes are kept as the
// raw text of the tag, exactly as read, and searched on demand.
class TfsXMLItem
{
public:
    TfsXMLItem() = default;
    explicit TfsXMLItem(QString name, QString text = {});
    ~TfsXMLItem();
    TfsXMLItem(const TfsXMLItem &) = delete;
    TfsXMLItem &operator=(const TfsXMLItem &) = delete;

    const QString &Name() const { return FName; }
    void SetName(const QString &name) { FName = name; }
    const QString &Text() const { return FText; }
    void SetText(const QString &text) { FText = text; }
    TfsXMLItem *Parent() const { return FParent; }
    void *Data() const { return FData; }
    void SetData(void *data) { FData = data; }

    int Count() const { return int(FItems.size()); }
    TfsXMLItem *Item(int index) const { return FItems[size_t(index)].get(); }
    TfsXMLItem *Add(const QString &name = {}, const QString &text = {});
    void AddItem(std::unique_ptr<TfsXMLItem> item);
    void Clear();
    // Deep copy of another item's name, attributes and children.
    void Assign(const TfsXMLItem &source);

    // Index of the first child with this name (ignoring case), or -1.
    int Find(const QString &name) const;
    // The first child with this name; a new empty child is appended when there is none.
    TfsXMLItem *FindItem(const QString &name);

    QString Prop(const QString &name) const;
    void SetProp(const QString &name, const QString &value);

    // Attribute value escaping: '&', '"', '<', '>' and every character below 32 as "&#N;".
    static QString StrToXML(const QString &s);
    // Undoes numeric references and "&quot;"; a malformed reference stays literal text.
    static QString XMLToStr(const QString &s);

private:
    QString FName;
    QString FText;
    std::vector<std::unique_ptr<TfsXMLItem>> FItems;
    TfsXMLItem *FParent = nullptr;
    void *FData = nullptr;
};
