#include "zorEditorMenu.h"

#include "TfrxComponentEditor.h"
#include "TfrxCustomDesigner.h"

#include <QMenu>

bool zorAddEditorItems(QMenu &menu, TfrxComponentEditor &editor, TfrxCustomDesigner &designer)
{
    const QList<TfrxMenuItem> items = editor.GetMenuItems();
    for (const TfrxMenuItem &item : items) {
        if (item.Caption == u"-") {
            menu.addSeparator();
            continue;
        }
        QAction *action = menu.addAction(item.Caption);
        action->setCheckable(item.Checkable);
        action->setChecked(item.Checked);
        QObject::connect(action, &QAction::triggered, &menu, [&editor, &designer, item] {
            if (editor.Execute(item.Tag, !item.Checked))
                designer.SetModified(true);
        });
    }
    return !items.isEmpty();
}
