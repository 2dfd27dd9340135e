#pragma once

#include <QList>
#include <QRectF>
#include <QString>

class TfrxComponent;
class TfrxPage;

// The designer's two lists as the workspace sees them: the page's objects and the selection,
// which holds the page when nothing else is selected. Selecting one member of a group selects the
// whole group.
class TfrxWorkspaceSelection
{
public:
    TfrxWorkspaceSelection(QList<TfrxComponent *> &objects, QList<TfrxComponent *> &selected, TfrxPage *page);

    QList<TfrxComponent *> &Objects() { return FObjects; }
    const QList<TfrxComponent *> &Selected() const { return FSelected; }
    // The selected bands and views: the selection without the page and the report.
    QList<TfrxComponent *> Placed() const;
    // The selected objects that move by themselves: those none of whose containers is selected.
    QList<TfrxComponent *> Leaders() const;
    bool IsSelected(const TfrxComponent *object) const { return FSelected.contains(object); }
    bool HoldsObjects() const { return !Placed().isEmpty(); }

    void SelectPage();
    void SelectOnly(TfrxComponent *object);
    // Adds the object, or takes it out when it is already selected.
    void Toggle(TfrxComponent *object);
    void Add(TfrxComponent *object);
    void RemovePage();
    // The page again when nothing is left.
    void Normalize();
    // Adds every object that shares a non-zero group number with a selected one.
    void ExpandGroups();

    // The bounds of the selected bands and views, absolute; empty when there are none.
    QRectF Bounds() const;

    // Deletes the selected objects that may be deleted, with what they hold. Refuses the whole
    // deletion, changing nothing, when one of them comes from the parent template; the message
    // says which. Returns whether anything was deleted.
    bool Delete(QString *error, bool *subreportDeleted);
    // Gives the selected objects the lowest group number no object of the page uses. Both return
    // whether a group number changed.
    bool Group();
    bool Ungroup();

private:
    QList<TfrxComponent *> &FObjects;
    QList<TfrxComponent *> &FSelected;
    TfrxPage *FPage;
};
