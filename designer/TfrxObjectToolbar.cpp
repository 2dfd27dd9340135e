#include "TfrxObjectToolbar.h"

#include "TfrxResources.h"
#include "zorDesignerIcons.h"

#include <QActionGroup>
#include <QMenu>
#include <QToolButton>

namespace {

QString Text(const QString &key)
{
    return zorResources().Get(key);
}

// The band menu: caption key and index of each band class; the vertical bands are not offered
// because preparation does not lay them out.
const std::pair<int, int> bandItems[] = {
    {2429, 0},  {2430, 1},  {2431, 2},  {2432, 3},  {2433, 4},  {2434, 5},  {2435, 6},  {2436, 7},  {2437, 8},
    {2438, 9},  {2439, 10}, {2440, 11}, {2441, 12}, {2442, 13}, {2443, 14}, {2444, 15}, {2445, 16}, {2446, 17},
};

} // namespace

TfrxObjectToolbar::TfrxObjectToolbar(QWidget *parent) : QToolBar(Text(QStringLiteral("2371")), parent)
{
    setObjectName(QStringLiteral("ObjectsToolBar"));
    setOrientation(Qt::Vertical);
    setIconSize(QSize(16, 16));
    FGroup = new QActionGroup(this);
    AddTool(wtSelect, "selectTool", "2372");
    AddTool(wtHand, "handTool", "2373");
    AddTool(wtZoom, "zoomTool", "2374");
    AddTool(wtEditText, "editTextTool", "2375");
    AddTool(wtCopyFormat, "copyFormatTool", "2376");
    FSelect = FGroup->actions().front();
    FSelect->setChecked(true);
    AddBandButton();
    addSeparator();
}

void TfrxObjectToolbar::AddTool(TfrxWorkspaceTool tool, const char *icon, const char *hintKey)
{
    QAction *action = addAction(zorDesignerIcon(icon), Text(QLatin1String(hintKey)));
    action->setCheckable(true);
    FGroup->addAction(action);
    connect(action, &QAction::triggered, this, [this, tool] { emit ToolChosen(tool); });
}

void TfrxObjectToolbar::AddBandButton()
{
    auto *button = new QToolButton(this);
    button->setIcon(zorDesignerIcon("insertBand"));
    button->setToolTip(Text(QStringLiteral("2377")));
    button->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(button);
    for (const auto &[key, index] : bandItems)
        menu->addAction(Text(QString::number(key)), this, [this, index = index] { emit BandChosen(index); });
    button->setMenu(menu);
    FBandAction = addWidget(button);
}

QAction *TfrxObjectToolbar::AddObjectButton(const TfrxObjectItem &item)
{
    QAction *action = addAction(item.ButtonBmp, Text(item.ButtonHint));
    action->setCheckable(true);
    FGroup->addAction(action);
    connect(action, &QAction::triggered, this, [this, item] { emit ObjectChosen(item); });
    return action;
}

void TfrxObjectToolbar::AddCategoryButton(const TfrxObjectItem &category, int pageKind)
{
    const QList<TfrxObjectItem> items = TfrxObjectCollection::Instance().CategoryItems(category.CategoryName, pageKind);
    if (items.isEmpty())
        return;
    auto *button = new QToolButton(this);
    button->setIcon(category.ButtonBmp);
    button->setToolTip(Text(category.ButtonHint));
    button->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(button);
    for (const TfrxObjectItem &item : items)
        menu->addAction(item.ButtonBmp, Text(item.ButtonHint), this, [this, item] { emit ObjectChosen(item); });
    button->setMenu(menu);
    FObjectActions.append(addWidget(button));
}

void TfrxObjectToolbar::SetPageKind(int pageKind)
{
    if (pageKind == FPageKind)
        return;
    FPageKind = pageKind;
    // Deleting an action also deletes the button a category made for it.
    qDeleteAll(FObjectActions);
    FObjectActions.clear();
    FBandAction->setVisible(pageKind == pkReport);
    for (const TfrxObjectItem &item : TfrxObjectCollection::Instance().Items()) {
        if ((item.PageKinds & pageKind) == 0)
            continue;
        if (item.IsCategory())
            AddCategoryButton(item, pageKind);
        else if (item.CategoryName.isEmpty())
            FObjectActions.append(AddObjectButton(item));
    }
    SetInsertAllowed(FInsertAllowed);
}

void TfrxObjectToolbar::ResetTool()
{
    FSelect->setChecked(true);
}

void TfrxObjectToolbar::SetInsertAllowed(bool allowed)
{
    FInsertAllowed = allowed;
    FBandAction->setEnabled(allowed);
    for (QAction *action : std::as_const(FObjectActions))
        action->setEnabled(allowed);
}
