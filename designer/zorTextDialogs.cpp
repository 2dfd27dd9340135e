// Entry points of the text editor family of dialogs (not built yet).
#include "zorEditorDialogs.h"

bool zorEditMemo(TfrxCustomDesigner &, TfrxCustomMemoView *) { return false; }
bool zorEditDisplayFormat(TfrxCustomDesigner &, TfrxCustomMemoView *) { return false; }
bool zorEditSysMemo(TfrxCustomDesigner &, TfrxCustomMemoView *) { return false; }
QString zorEditAggregate(TfrxCustomDesigner &) { return {}; }
QString zorEditExpression(TfrxCustomDesigner &, const QString &) { return {}; }
bool zorEditHyperlink(TfrxCustomDesigner &, TfrxHyperlink *) { return false; }
bool zorEditLines(QWidget *, QStringList &) { return false; }
