// The data tree driven through its widgets: the entries of its four tabs, the text each inserts,
// double clicks and drags.
#include "TextDialogsFixture.h"

#include "TfrxDataTree.h"
#include "TfrxResources.h"
#include "TfrxScriptDescription.h"
#include "zorScriptBindings.h"

#include <QCheckBox>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

class DataTreeTest : public TextDialogsFixture
{
protected:
    void Open()
    {
        tree = std::make_unique<TfrxDataTree>(*designer);
        tree->resize(320, 480);
        tree->show();
    }

    QTreeWidget *Tree(int tab) const
    {
        Child<QTabWidget>(tree.get(), "Tabs")->setCurrentIndex(tab);
        const char *names[] = {"DataTree", "VariablesTree", "FunctionsTree", "ClassesTree"};
        return Child<QTreeWidget>(tree.get(), names[tab]);
    }

    // The entry reached by following captions from a top-level entry; none when missing.
    static QTreeWidgetItem *Find(QTreeWidget *view, const QStringList &path)
    {
        QTreeWidgetItem *item = view->invisibleRootItem();
        for (const QString &caption : path) {
            QTreeWidgetItem *next = nullptr;
            for (int i = 0; i < item->childCount() && next == nullptr; ++i)
                if (item->child(i)->text(0) == caption)
                    next = item->child(i);
            if (next == nullptr)
                return nullptr;
            item = next;
        }
        return item;
    }

    static QStringList Captions(const QTreeWidgetItem *item)
    {
        QStringList captions;
        for (int i = 0; i < item->childCount(); ++i)
            captions.append(item->child(i)->text(0));
        return captions;
    }

    // Selects the entry and gives the insertion text the tree reports for it.
    QString Select(int tab, const QStringList &path) const
    {
        QTreeWidget *view = Tree(tab);
        QTreeWidgetItem *item = Find(view, path);
        EXPECT_NE(item, nullptr) << path.join(u'/').toStdString();
        if (item == nullptr)
            return {};
        view->setCurrentItem(item);
        return tree->InsertionText();
    }

    std::unique_ptr<TfrxDataTree> tree;
};

TEST_F(DataTreeTest, EntriesInsertFieldsVariablesAndCallSkeletons)
{
    zorRegisterScriptBindings();
    Open();
    const QString data = zorResources().Get(QStringLiteral("dtData"));
    const QString vars = zorResources().Get(QStringLiteral("dtVar"));
    const QString sysVars = zorResources().Get(QStringLiteral("dtSysVar"));
    const QString strings = zorResources().Get(QStringLiteral("ctString"));
    struct Case
    {
        int tab;
        QStringList path;
        QString inserts;
    } cases[] = {
        {0, {data, u"Customers"_s, u"Company"_s}, u"<Customers.\"Company\">"_s},
        {0, {data, u"Sales"_s, u"Amount"_s}, u"<Sales.\"Amount\">"_s},
        {0, {data, u"Sales"_s}, u""_s}, // a data set inserts nothing
        {0, {data}, u""_s},
        {1, {vars, u"Totals"_s, u"Discount"_s}, u"<Discount>"_s},
        {1, {vars, u"Totals"_s}, u""_s}, // a category neither
        {1, {sysVars, u"Page#"_s}, u"<Page#>"_s},
        // A function of three parameters: its name, "(", two commas and ")".
        {2, {strings, u"Copy(s: String; from, count: Integer): String"_s}, u"Copy(,,)"_s},
        {2, {strings}, u""_s},
        {3, {u"TfrxMemoView"_s}, u""_s}, // and a class
    };
    for (const Case &c : cases)
        EXPECT_EQ(Select(c.tab, c.path), c.inserts) << c.path.join(u'/').toStdString();
}

TEST_F(DataTreeTest, DataTabListsTheReportsDataSetsWithTheirFields)
{
    Open();
    QTreeWidget *view = Tree(0);
    const QString data = zorResources().Get(u"dtData"_s);
    QTreeWidgetItem *root = Find(view, {data});
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Captions(root), QStringList({u"Customers"_s, u"Sales"_s}));
    EXPECT_EQ(Captions(root->child(0)), QStringList({u"Company"_s, u"Name"_s}));
    EXPECT_TRUE(root->isExpanded());
    EXPECT_TRUE(root->child(0)->isExpanded());

    // Sorting by name puts Sales before Customers when Sales is listed first.
    report->DataSets()->Clear();
    report->DataSets()->Add(sales);
    report->DataSets()->Add(customers);
    tree->UpdateItems();
    EXPECT_EQ(Captions(Find(view, {data})), QStringList({u"Sales"_s, u"Customers"_s}));
    Child<QCheckBox>(tree.get(), "SortByNameCB")->setChecked(true);
    EXPECT_EQ(Captions(Find(view, {data})), QStringList({u"Customers"_s, u"Sales"_s}));
}

TEST_F(DataTreeTest, CollapsedDataSetsStayCollapsedAfterARefresh)
{
    Open();
    QTreeWidget *view = Tree(0);
    const QString data = zorResources().Get(u"dtData"_s);
    view->collapseItem(Find(view, {data, u"Customers"_s}));
    tree->UpdateItems();
    EXPECT_FALSE(Find(view, {data, u"Customers"_s})->isExpanded());
    EXPECT_TRUE(Find(view, {data, u"Sales"_s})->isExpanded());
    // A second tree (another dialog later in the run) remembers it too.
    TfrxDataTree other(*designer);
    EXPECT_FALSE(Find(other.findChild<QTreeWidget *>(QStringLiteral("DataTree")), {data, u"Customers"_s})->isExpanded());
    view->expandItem(Find(view, {data, u"Customers"_s}));
}

TEST_F(DataTreeTest, WithoutDataSetsTheDataTabSaysHowToAddThem)
{
    report->DataSets()->Clear();
    Open();
    QTreeWidget *view = Tree(0);
    EXPECT_EQ(Captions(view->invisibleRootItem()),
              QStringList({zorResources().Get(QStringLiteral("dtNoData")), QString(),
                           zorResources().Get(QStringLiteral("dtNoData1"))}));
    QSignalSpy requested(tree.get(), &TfrxDataTree::DataRequested);
    QSignalSpy activated(tree.get(), &TfrxDataTree::Activated);
    emit view->itemDoubleClicked(view->topLevelItem(0), 0);
    EXPECT_EQ(requested.count(), 1);
    EXPECT_EQ(activated.count(), 1);
}

TEST_F(DataTreeTest, DoubleClickAndDragCarryTheInsertionText)
{
    Open();
    QTreeWidget *view = Tree(0);
    QTreeWidgetItem *company = Find(view, {zorResources().Get(u"dtData"_s), u"Customers"_s, u"Company"_s});
    QSignalSpy activated(tree.get(), &TfrxDataTree::Activated);
    QSignalSpy requested(tree.get(), &TfrxDataTree::DataRequested);
    const QRect place = view->visualItemRect(company);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, place.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, place.center());
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toString(), u"<Customers.\"Company\">"_s);
    EXPECT_EQ(requested.count(), 0);

    const QModelIndex index = view->indexFromItem(company);
    const std::unique_ptr<QMimeData> dragged(view->model()->mimeData({index}));
    ASSERT_NE(dragged, nullptr);
    EXPECT_EQ(dragged->text(), u"<Customers.\"Company\">"_s);
    // Only entries that insert something can be dragged.
    EXPECT_TRUE(company->flags().testFlag(Qt::ItemIsDragEnabled));
    EXPECT_FALSE(company->parent()->flags().testFlag(Qt::ItemIsDragEnabled));
}

TEST_F(DataTreeTest, CreateFieldAndCreateCaptionStartAsTheDropDefaults)
{
    Open();
    EXPECT_TRUE(tree->CreateField());
    EXPECT_FALSE(tree->CreateCaption());
    Child<QCheckBox>(tree.get(), "CreateCaptionCB")->setChecked(true);
    Child<QCheckBox>(tree.get(), "CreateFieldCB")->setChecked(false);
    EXPECT_TRUE(tree->CreateCaption());
    EXPECT_FALSE(tree->CreateField());
}

TEST_F(DataTreeTest, FunctionsShowTheirDescriptionAndClassesTheirMembers)
{
    zorRegisterScriptBindings();
    Open();
    QTreeWidget *functions = Tree(2);
    const QString aggregate = zorResources().Get(QStringLiteral("ctAggregate"));
    QTreeWidgetItem *category = Find(functions, {aggregate});
    ASSERT_NE(category, nullptr);
    // The report's macro SUM hides the library's SUM of the same name: one entry.
    EXPECT_EQ(Captions(category).filter(QStringLiteral("SUM(")).size(), 1);
    functions->setCurrentItem(Find(functions, {aggregate, Captions(category).filter(QStringLiteral("COUNT(")).value(0)}));
    EXPECT_EQ(tree->InsertionText(), QStringLiteral("COUNT(,)"));
    const QString hint = Child<QLabel>(tree.get(), "HintPanel")->text();
    EXPECT_TRUE(hint.contains(zorResources().Get(QStringLiteral("Count")))) << hint.toStdString();

    QTreeWidget *classes = Tree(3);
    QTreeWidgetItem *memoClass = Find(classes, {u"TfrxCustomMemoView"_s});
    ASSERT_NE(memoClass, nullptr);
    EXPECT_EQ(memoClass->childCount(), 0); // filled when first expanded
    classes->expandItem(memoClass);
    const QStringList members = Captions(memoClass);
    EXPECT_TRUE(members.contains(QStringLiteral("function CalcWidth: Extended")));
    EXPECT_TRUE(members.contains(QStringLiteral("event OnBeforePrint")));
    EXPECT_TRUE(members.contains(QStringLiteral("property Text: String")));
}

// The call skeleton counts the parameters by the separators of the declaration.
TEST(ScriptDescriptionTest, FunctionInsertionTexts)
{
    const struct
    {
        const char *declaration;
        const char *inserts;
    } cases[] = {
        {"Copy(s: String; from, count: Integer): String", "Copy(,,)"},
        {"IIF(Expr: Boolean; TrueValue, FalseValue: Variant): Variant", "IIF(,,)"},
        {"Sin(e: Extended): Extended", "Sin()"},
        {"Date: TDateTime", "Date"}, // no parameter list: the name up to the colon
        {"Randomize", "Randomize"},
    };
    for (const auto &c : cases) {
        const TfrxScriptDescription::Function f{{}, QString::fromLatin1(c.declaration), {}};
        EXPECT_EQ(f.InsertionText(), QString::fromLatin1(c.inserts)) << c.declaration;
    }
}

} // namespace
