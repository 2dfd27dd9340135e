#pragma once

#include <QHash>
#include <QList>
#include <QMetaProperty>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;
class QObject;
class TfrxComponent;
class TfrxPictureView;
class TfrxXMLItem;

// Keeps pictures out of the written text: the element of a picture view refers to its picture by
// an index into the store ("Picture.Index"), and a reader with the same store takes it back. The
// designer's undo snapshots keep each picture once this way.
class TfrxPictureStore
{
public:
    virtual ~TfrxPictureStore() = default;
    // The index of the view's picture, added to the store when it is not there yet.
    virtual int Add(const TfrxPictureView &view) = 0;
    // Loads the picture of an index into the view; an unknown index empties the picture.
    virtual void Load(int index, TfrxPictureView &view) const = 0;
};

// A reference read from a template that is set once the whole tree exists.
struct TfrxFixupItem {
    QPointer<QObject> Obj;
    QMetaProperty PropInfo;
    QString Value;
};

// Turns a tree of report objects into elements of the library's XML dialect and back, by walking
// the published properties of each object's class. Lives for one load or save.
class TfrxXMLSerializer
{
public:
    explicit TfrxXMLSerializer(QIODevice *stream = nullptr);
    ~TfrxXMLSerializer();
    TfrxXMLSerializer(const TfrxXMLSerializer &) = delete;
    TfrxXMLSerializer &operator=(const TfrxXMLSerializer &) = delete;

    QIODevice *Stream() const { return FStream; }
    void SetStream(QIODevice *stream) { FStream = stream; }
    // The object names are resolved against; the root when none is set.
    TfrxComponent *Owner() const { return FOwner; }
    void SetOwner(TfrxComponent *owner) { FOwner = owner; }
    // Whether an object of a class may be a child of the container: pages under the report, bands
    // under pages, other report objects under pages and bands, never a report below the root.
    static bool SuitsContainer(const QMetaObject *cls, const QMetaObject *container);
    // Every problem met while reading, each distinct message once, sorted.
    const QStringList &Errors() const { return FErrors; }
    const QList<TfrxFixupItem> &Fixups() const { return FFixups; }
    bool OldFormat() const { return FOldFormat; }
    void SetOldFormat(bool value) { FOldFormat = value; }
    bool SerializeDefaultValues() const { return FSerializeDefaultValues; }
    void SetSerializeDefaultValues(bool value) { FSerializeDefaultValues = value; }
    bool HandleNestedProperties() const { return FHandleNestedProperties; }
    void SetHandleNestedProperties(bool value) { FHandleNestedProperties = value; }
    // Whether an element whose Name an object of the tree already bears reads into that object
    // (templates, inherited objects); off, every element makes a new object with the name as
    // written, as the whole-tree pages of a prepared report need, where each row repeats its
    // band's names.
    bool MatchNames() const { return FMatchNames; }
    void SetMatchNames(bool value) { FMatchNames = value; }

    using AncestorHandler = std::function<TfrxComponent *(const QString &name)>;
    using CustomDataHandler = std::function<void(TfrxXMLItem *item)>;
    void SetOnGetAncestor(AncestorHandler handler) { FOnGetAncestor = std::move(handler); }
    void SetOnGetCustomData(CustomDataHandler handler) { FOnGetCustomData = std::move(handler); }
    void SetOnSaveCustomData(CustomDataHandler handler) { FOnSaveCustomData = std::move(handler); }
    // Pictures go to the store instead of the text, and are read back from it; none by default.
    void SetPictureStore(TfrxPictureStore *store) { FPictureStore = store; }

    // Writes root (and its descendants when saveChildren) into item, or, without an item, as a
    // whole indented document with its header to Stream. Streaming keeps class names for objects
    // of a parent template.
    void WriteRootComponent(TfrxComponent *root, bool saveChildren = true, bool streaming = false,
                            TfrxXMLItem *item = nullptr);
    // Reads into the existing root from item, or from a document loaded from Stream.
    void ReadRootComponent(TfrxComponent *root, TfrxXMLItem *item = nullptr);

    // The attribute text of one object, each attribute preceded by one space.
    QString ObjToXML(QObject *obj, const QString &prefix = {}, QObject *ancestor = nullptr);
    // Applies an attribute text to an object; failures go to Errors.
    void XMLToObj(const QString &text, QObject *obj);

    // The one-line form of an object: its class name and its attribute text.
    QString WriteComponentStr(QObject *obj);
    // A new object owned by root from a one-line form; none for an empty text or a class that is
    // not registered (recorded in Errors).
    QObject *ReadComponentStr(QObject *root, const QString &text, bool dontFixup = false);
    // Writes "<" + WriteComponentStr(obj) + "/>" in UTF-8 to Stream, without header.
    void WriteComponent(QObject *obj);
    // Reads one element from Stream and passes it to ReadComponentStr.
    QObject *ReadComponent(QObject *root);
    // Applies an attribute text to any object (a collection item) and resolves its references.
    void ReadPersistentStr(QObject *obj, const QString &text);

    void FixupReferences();
    void CopyFixupList(QList<TfrxFixupItem> &list) const;

    // The copy of a report object with its children through the template format: target gets
    // source's values (all of them with withDefaults) and copies of its children in place of its
    // own. Objects are found by name within target only. Returns the errors of the reading.
    static QStringList CopyTree(TfrxComponent *source, TfrxComponent *target, bool withDefaults = false,
                                bool streaming = false);

    // Float text as written by any system: "." and "," both read as the decimal separator and
    // spaces are ignored. Returns false when the text does not convert to a finite value.
    static bool StrToFloat(const QString &text, double &value);

private:
    class Private;
    friend class Private;

    QIODevice *FStream;
    TfrxComponent *FOwner = nullptr;
    QStringList FErrors;
    QList<TfrxFixupItem> FFixups;
    bool FOldFormat = false;
    bool FSerializeDefaultValues = false;
    bool FHandleNestedProperties = true;
    bool FMatchNames = true;
    AncestorHandler FOnGetAncestor;
    CustomDataHandler FOnGetCustomData;
    CustomDataHandler FOnSaveCustomData;
    TfrxPictureStore *FPictureStore = nullptr;
    // The user's decimal separator, which floats are written with, looked up once per writer.
    QChar FDecimalPoint;
    QHash<QString, QPointer<TfrxComponent>> FNames;
    QList<TfrxComponent *> FLoaded;
};
