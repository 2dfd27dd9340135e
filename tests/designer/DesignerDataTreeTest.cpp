// The data tree as a tool window of the designer: its entries go into the script at the caret, a
// double click on an empty data tab asks for the report's data, and it follows the report's
// variables when the page list is rebuilt.
#include "CodeTabFixture.h"
#include "ModalAnswer.h"

#include "TfrxReportDataForm.h"
#include "TfrxResources.h"
#include "TfrxVariable.h"
#include "TfrxVariables.h"

#include <QDockWidget>
#include <QTreeWidget>

namespace {

class DesignerDataTree : public CodeTabFixture
{
protected:
    QTreeWidget *Tree(const char *name) const { return form->findChild<QTreeWidget *>(QLatin1String(name)); }
    static QTreeWidgetItem *Find(QTreeWidget *tree, const QString &root, const QString &entry)
    {
        for (QTreeWidgetItem *item : tree->findItems(entry, Qt::MatchExactly | Qt::MatchRecursive))
            if (item->parent() != nullptr && item->parent()->text(0) == root)
                return item;
        return nullptr;
    }
    void DoubleClick(QTreeWidget *tree, QTreeWidgetItem *item)
    {
        tree->setCurrentItem(item);
        emit tree->itemDoubleClicked(item, 0);
    }
};

TEST_F(DesignerDataTree, IsAToolWindowAtTheRightShownByItsCommand)
{
    Open();
    auto *dock = form->findChild<QDockWidget *>(QStringLiteral("DataTreeDock"));
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(form->dockWidgetArea(dock), Qt::RightDockWidgetArea);
    EXPECT_EQ(dock->windowTitle(), zorGet(2100));
    form->Action(cmDataTree)->trigger();
    EXPECT_FALSE(dock->isVisible());
    form->Action(cmDataTree)->trigger();
    EXPECT_TRUE(dock->isVisible());
}

TEST_F(DesignerDataTree, DoubleClickInsertsTheEntryAtTheScriptCaret)
{
    Open();
    SetScript({QStringLiteral("begin"), QStringLiteral("  X := ;"), QStringLiteral("end.")});
    Memo()->SetPos(8, 2);
    QTreeWidget *variables = Tree("VariablesTree");
    QTreeWidgetItem *page =
        Find(variables, zorResources().Get(QStringLiteral("dtSysVar")), QStringLiteral("Page#"));
    ASSERT_NE(page, nullptr);
    DoubleClick(variables, page);
    EXPECT_EQ(Memo()->Lines().at(1), u"  X := <Page#>;");
    EXPECT_TRUE(form->Modified());

    // On a page the double click leaves the script alone.
    form->ReloadPages(-2); // which fills the tree anew
    page = Find(variables, zorResources().Get(QStringLiteral("dtSysVar")), QStringLiteral("Page#"));
    DoubleClick(variables, page);
    EXPECT_EQ(form->ScriptLines().at(1), u"  X := <Page#>;");
}

TEST_F(DesignerDataTree, DoubleClickOnAnEmptyDataTabOpensTheReportData)
{
    Open();
    QTreeWidget *data = Tree("DataTree");
    ASSERT_NE(data, nullptr);
    ASSERT_GT(data->topLevelItemCount(), 0);
    EXPECT_TRUE(AnswerModal<TfrxReportDataForm>([&] { DoubleClick(data, data->topLevelItem(0)); },
                                                [](TfrxReportDataForm *dialog) { dialog->reject(); }));
    // Not from the code tab.
    ShowCode();
    EXPECT_FALSE(AnswerModal<TfrxReportDataForm>([&] { DoubleClick(data, data->topLevelItem(0)); },
                                                 [](TfrxReportDataForm *dialog) { dialog->reject(); }));
}

TEST_F(DesignerDataTree, FollowsTheVariablesWhenThePagesAreShownAgain)
{
    Open();
    report->Variables()->Add()->SetName(QStringLiteral("Discount"));
    QTreeWidget *variables = Tree("VariablesTree");
    EXPECT_TRUE(variables->findItems(QStringLiteral("Discount"), Qt::MatchRecursive).isEmpty());
    form->ReloadPages(-2);
    EXPECT_FALSE(variables->findItems(QStringLiteral("Discount"), Qt::MatchRecursive).isEmpty());
}

} // namespace
