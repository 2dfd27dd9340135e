#pragma once

#include "TfrxDesignerWorkspace.h"
#include "TfrxObjectCollection.h"

#include <QToolBar>

class QActionGroup;

// The vertical object toolbar: the workspace's tools, the band menu, then one button per
// registered insertable object or category (a category opens a menu of its objects).
class TfrxObjectToolbar : public QToolBar
{
    Q_OBJECT

public:
    explicit TfrxObjectToolbar(QWidget *parent = nullptr);

    // Fills the object buttons for a kind of page (TfrxPageKind).
    void SetPageKind(int pageKind);
    // Back to the select tool, after an object has been inserted.
    void ResetTool();
    void SetInsertAllowed(bool allowed);

signals:
    void ToolChosen(TfrxWorkspaceTool tool);
    void ObjectChosen(const TfrxObjectItem &item);
    void BandChosen(int index);

private:
    void AddTool(TfrxWorkspaceTool tool, const char *icon, const char *hintKey);
    void AddBandButton();
    QAction *AddObjectButton(const TfrxObjectItem &item);
    void AddCategoryButton(const TfrxObjectItem &category, int pageKind);

    QActionGroup *FGroup;
    QAction *FSelect = nullptr;
    QAction *FBandAction = nullptr;
    int FPageKind = 0;
    QList<QAction *> FObjectActions;
    bool FInsertAllowed = true;
};
