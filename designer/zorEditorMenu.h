#pragma once

class QMenu;
class TfrxComponentEditor;
class TfrxCustomDesigner;

// Adds a component editor's items to a context menu: a separator for "-", an action for each
// other item, checkable for switches. Choosing one runs Execute with the opposite of its check
// mark and, when that changed something, records the change through the designer. The editor
// must live as long as the menu is shown. Returns whether any item was added.
bool zorAddEditorItems(QMenu &menu, TfrxComponentEditor &editor, TfrxCustomDesigner &designer);
