#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

// One element of the library's XML dialect: a name, the raw attribute text (escapes kept, parsed
// only when one attribute is asked for), an optional content value and the child elements.
// An item owns its children; deleting an item deletes its children and takes it out of its
// parent's list. An "unloadable" item may have its children moved out of memory by its document.
class TfrxXMLItem
{
public:
    TfrxXMLItem();
    ~TfrxXMLItem();
    TfrxXMLItem(const TfrxXMLItem &) = delete;
    TfrxXMLItem &operator=(const TfrxXMLItem &) = delete;

    const QString &Name() const { return FName; }
    void SetName(const QString &name) { FName = name; }
    void SetName(QString &&name) { FName = std::move(name); }
    // The raw attribute text: name="value" pairs separated by single spaces, escapes kept. Text
    // read from a file is decoded on first access.
    const QString &Text() const;
    void SetText(const QString &text);
    void SetText(QString &&text);
    bool HasText() const { return FRawSize > 0 || !FText.isEmpty(); }
    // Content between the start and the end tag: written, never read back.
    const QString &Value() const { return FValue; }
    void SetValue(const QString &value) { FValue = value; }

    TfrxXMLItem *Parent() const { return FParent; }
    TfrxXMLItem *Root();
    int Count() const;
    TfrxXMLItem *Items(int index) const;
    int IndexOf(const TfrxXMLItem *item) const;

    TfrxXMLItem *Add();
    TfrxXMLItem *Add(const QString &name);
    // Appends an existing item, taking it from its former parent (a child of this item moves to
    // the end).
    void AddItem(TfrxXMLItem *item);
    void InsertItem(int index, TfrxXMLItem *item);
    // Index of the first child named `name` without regard to case, or -1.
    int Find(const QString &name) const;
    // The first child named `name`; added when there is none.
    TfrxXMLItem *FindItem(const QString &name);
    // Deletes all children; an unloadable item becomes unloaded.
    void Clear();

    QString Prop(const QString &name) const { return GetProp(name); }
    QString GetProp(const QString &name) const;
    void SetProp(const QString &name, const QString &value);
    bool PropExists(const QString &name) const;
    void DeleteProp(const QString &name);

    bool Loaded() const { return FLoaded; }
    void SetLoaded(bool loaded) { FLoaded = loaded; }
    bool Unloadable() const { return FUnloadable; }
    void SetUnloadable(bool unloadable) { FUnloadable = unloadable; }
    // Where the element's start tag begins in the document's backing stream; 40 bits.
    quint64 Offset() const { return (quint64(FHiOffset) << 32) | FLoOffset; }
    void SetOffset(quint64 offset);
    static constexpr quint64 MaxOffset = (quint64(1) << 40) - 1;

private:
    friend class TfrxXMLReaderPrivate;
    friend class TfrxXMLWriterPrivate;
    enum class RawEncoding : quint8 { Utf8, CodePage, Latin1 };

    void detach(TfrxXMLItem *child);
    // The text as the reader found it: `size` bytes at `offset` of a block shared by many items.
    void setRawText(const QByteArray &block, quint32 offset, quint32 size, RawEncoding encoding);
    QByteArrayView rawUtf8() const;

    QString FName;
    mutable QString FText;
    mutable QByteArray FRaw;
    mutable quint32 FRawOffset = 0;
    mutable quint32 FRawSize = 0; // 0: the text is FText
    RawEncoding FRawEncoding = RawEncoding::Utf8;
    QString FValue;
    TfrxXMLItem *FParent = nullptr;
    std::unique_ptr<std::vector<TfrxXMLItem *>> FItems;
    quint32 FLoOffset = 0;
    quint8 FHiOffset = 0;
    bool FLoaded = true;
    bool FUnloadable = false;
};
