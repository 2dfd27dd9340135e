#include "TfrxSwitchEditor.h"

#include "TfrxResources.h"

QList<TfrxMenuItem> TfrxSwitchEditor::GetMenuItems() const
{
    QList<TfrxMenuItem> items;
    for (const TfrxMenuSwitch &row : Switches()) {
        if (row.IsSeparator())
            items.append({QStringLiteral("-")});
        else if (row.Offered(Component()))
            items.append({zorResources().Get(QLatin1String(row.Key)), row.Tag, true, row.IsOn(Component())});
    }
    return items;
}

bool TfrxSwitchEditor::Execute(int tag, bool checked)
{
    for (const TfrxMenuSwitch &row : Switches()) {
        if (row.Tag == tag && row.Offered(Component()))
            return row.Apply(Targets(), checked);
    }
    return false;
}
