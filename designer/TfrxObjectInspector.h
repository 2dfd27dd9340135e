#pragma once

#include <QList>
#include <QWidget>

#include <memory>

class TfrxComponent;
class TfrxCustomDesigner;

// The object inspector: the properties and script events of the selected objects in a two-column
// grid (Properties and Events tabs), walked from the same property tables that the template
// format and the script bindings use, each edited by the editor registered for its type, class
// and name. Several objects are edited together through the properties they share. Every change
// goes through the designer's SetModified, one undo step each.
class TfrxObjectInspector : public QWidget
{
    Q_OBJECT

public:
    explicit TfrxObjectInspector(TfrxCustomDesigner &designer, QWidget *parent = nullptr);
    ~TfrxObjectInspector() override;

    // The objects of the object box: the page's objects, the report and the page.
    void SetObjects(const QList<TfrxComponent *> &objects);
    // The objects whose properties are shown.
    void SetSelectedObjects(const QList<TfrxComponent *> &objects);
    // Reads the shown values again after a change made elsewhere.
    void UpdateProperties();
    // Applies a value being typed, as leaving the row does; before save, preview and close.
    void CommitEdit();
    void DisableUpdate();
    void EnableUpdate();
    // Selects a row of the shown tab.
    void SetItemIndex(int index);
    // The preview designer edits no script: only the Properties tab is offered there.
    void SetEventsVisible(bool visible);
    // The splitters' positions, kept in the designer's settings.
    int SplitterPos() const;
    void SetSplitterPos(int value);
    int Splitter1Pos() const;
    void SetSplitter1Pos(int value);

signals:
    // An object was chosen in the object box.
    void ObjectChosen(TfrxComponent *object);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
