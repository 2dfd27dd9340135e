#pragma once

#include "TfrxPersistent.h"
#include "zorTypes.h"

#include <QList>
#include <QPointer>
#include <QString>

class TfrxFont;
class TfrxReport;
class TfrxPage;
class TfrxDataSet;

// Bounds saved around printing: left, top, right and bottom in report units.
struct TfrxRect {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
};

// The base of every report object: the tree of parents and children, geometry in report units,
// the inherited font, names, phase flags and the compact difference text.
//
// Lifetime: an object created with a report object as owner is owned (as a QObject child) by the
// report that contains the owner, and placed in the owner's children. A parent frees its
// children when it is cleared or destroyed.
class TfrxComponent : public TfrxPersistent
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName STORED false)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_CLASSINFO("Default.Tag", "0")

public:
    explicit TfrxComponent(QObject *owner = nullptr);
    ~TfrxComponent() override;

    // Names and identity.
    QString Name() const { return FName; }
    virtual void SetName(const QString &value);
    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }
    QString BaseName() const;
    void SetBaseName(const QString &value) { FBaseName = value; }
    QString AliasName() const { return FAliasName; }
    void SetAliasName(const QString &value) { FAliasName = value; }
    QString Description() const { return FDescription; }
    void SetDescription(const QString &value) { FDescription = value; }
    // The class name unless a class has a localized description.
    virtual QString GetDescription() const;
    void CreateUniqueName();

    // The tree.
    TfrxComponent *Parent() const { return FParent; }
    virtual void SetParent(TfrxComponent *value);
    const QList<TfrxComponent *> &Objects() const { return FObjects; }
    virtual QList<TfrxComponent *> GetContainerObjects() const { return FObjects; }
    // All descendants, depth first, each before its children; rebuilt on every call.
    QList<TfrxComponent *> GetAllObjects() const;
    // The first descendant whose name equals name without regard to ASCII case.
    TfrxComponent *FindObject(const QString &name) const;
    TfrxReport *GetReport() const;
    TfrxPage *GetPage() const;
    // Frees the children, except those inherited from a parent template (cleared instead).
    virtual void Clear();
    // Moves a child to the front (first drawn) or the back of the z-order.
    void MoveToIndex(TfrxComponent *child, qsizetype index);

    // Geometry in report units; Left and Top are relative to the parent.
    double Left() const { return FLeft; }
    double Top() const { return FTop; }
    double Width() const { return FWidth; }
    double Height() const { return FHeight; }
    virtual void SetLeft(double value);
    virtual void SetTop(double value);
    virtual void SetWidth(double value);
    virtual void SetHeight(double value);
    void SetBounds(double left, double top, double width, double height);
    double AbsLeft() const;
    double AbsTop() const;
    virtual void AlignChildren();

    // Font and its inheritance from the parent.
    TfrxFont *Font() const { return FFont; }
    virtual void SetFont(TfrxFont *value);
    bool ParentFont() const { return FParentFont; }
    virtual void SetParentFont(bool value);

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value) { FVisible = value; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }
    zor::TfrxRestrictions Restrictions() const { return FRestrictions; }
    void SetRestrictions(zor::TfrxRestrictions value) { FRestrictions = value; }
    zor::TfrxComponentStyle ComponentStyle() const { return FComponentStyle; }
    void SetComponentStyle(zor::TfrxComponentStyle value) { FComponentStyle = value; }

    // Phase flags.
    bool IsDesigning() const { return FIsDesigning; }
    void SetIsDesigning(bool value) { FIsDesigning = value; }
    bool IsLoading() const { return FIsLoading; }
    void SetIsLoading(bool value) { FIsLoading = value; }
    bool IsPrinting() const { return FIsPrinting; }
    void SetIsPrinting(bool value) { FIsPrinting = value; }
    bool IsWriting() const { return FIsWriting; }
    void SetIsWriting(bool value) { FIsWriting = value; }
    // Introduced by the parent template of an inherited report.
    bool Ancestor() const { return FAncestor; }
    void SetAncestor(bool value) { FAncestor = value; }

    // Links kept by prepared copies.
    TfrxComponent *OriginalComponent() const { return FOriginalComponent; }
    void SetOriginalComponent(TfrxComponent *value) { FOriginalComponent = value; }
    TfrxComponent *OriginalBand() const { return FOriginalBand; }
    void SetOriginalBand(TfrxComponent *value) { FOriginalBand = value; }
    TfrxRect OriginalRect() const { return FOriginalRect; }
    void SetOriginalRect(const TfrxRect &value) { FOriginalRect = value; }

    // Copies the published values (not the name, not the children).
    void Assign(const TfrxPersistent *source) override;
    // The compact difference text of this object against another (leading space per attribute).
    virtual QString Diff(const TfrxComponent *other) const;
    // A data set of the report (or of the process-wide list) by user name.
    TfrxDataSet *FindDataSet(TfrxDataSet *dataSet, const QString &name) const;

    // Prepares an object the designer has just created: marks it as designed and lets the class
    // read the palette's variant from flags (a diagonal line, a rounded rectangle, ...).
    virtual void DesignCreate(int flags);

    // Hooks that container and data objects override.
    virtual void BeforeStartReport() {}
    virtual void Loaded() {}
    virtual void FontChanged();

    // Whether text is a valid object name: a letter or underscore, then letters, digits or
    // underscores (ASCII).
    static bool IsValidName(const QString &text);

    bool IsPropertyStored(const char *name) const override;

protected:
    // A text object whose width follows its text leaves the width out of its difference text.
    virtual bool DiffSkipsWidth() const { return false; }

private:
    void RemoveChild(TfrxComponent *child);

    QString FName;
    int FTag = 0;
    QString FBaseName;
    QString FAliasName;
    QString FDescription;
    TfrxFont *FFont = nullptr;
    QList<TfrxComponent *> FObjects;
    TfrxComponent *FParent = nullptr;
    double FLeft = 0;
    double FTop = 0;
    double FWidth = 0;
    double FHeight = 0;
    bool FParentFont = true;
    bool FVisible = true;
    int FGroupIndex = 0;
    zor::TfrxRestrictions FRestrictions;
    zor::TfrxComponentStyle FComponentStyle = zor::csPreviewVisible;
    bool FIsDesigning = false;
    bool FIsLoading = false;
    bool FIsPrinting = false;
    bool FIsWriting = false;
    bool FAncestor = false;
    QPointer<TfrxComponent> FOriginalComponent;
    QPointer<TfrxComponent> FOriginalBand;
    TfrxRect FOriginalRect;
};
