// "Edit Variables", driven through its widgets: the tree of categories and variables, adding,
// renaming and deleting, the expression box, the list of names, the variables file, OK and
// Cancel; and the name rules of the editor's copy of the variables.
#include "TfrxVarEditorForm.h"

#include "StructureDialogsFixture.h"
#include "TfrxVariable.h"
#include "TfrxVariables.h"
#include "TfrxVariablesCopy.h"
#include "TfrxVariablesFile.h"
#include "TinyFileSystem.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {

using namespace structuretest;

// The names and values of variables as "name=value" (a category as its stored name alone).
QStringList contents(const TfrxVariables &variables)
{
    QStringList out;
    for (qsizetype i = 0; i < variables.Count(); ++i) {
        const TfrxVariable *v = variables.Items(i);
        out << (v->IsCategory() ? v->Name() : v->Name() + u'=' + v->Value().toString());
    }
    return out;
}

void fill(TfrxVariables &variables, const QStringList &entries)
{
    for (const QString &entry : entries)
        variables.SetVariable(entry.section(u'=', 0, 0),
                              entry.contains(u'=') ? QVariant(entry.section(u'=', 1)) : QVariant());
}

class VarEditorTest : public ::testing::Test
{
protected:
    VarEditorTest() : report(designertest::EmptyReport()), designer(*report, designertest::FirstPage(*report))
    {
    }

    void open()
    {
        dialog = std::make_unique<TfrxVarEditorForm>(designer);
        dialog->SetLinesEditor([this](QWidget *, QStringList &lines) {
            listShown = lines;
            if (!listAnswer)
                return false;
            lines = *listAnswer;
            return true;
        });
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        tree = child<QTreeWidget>(dialog.get(), QStringLiteral("VariablesTV"));
        expression = child<QPlainTextEdit>(dialog.get(), QStringLiteral("ExpressionM"));
    }

    // The tree as indented lines: the root, then its entries two spaces deeper per level.
    QStringList shown() const
    {
        QStringList lines;
        std::function<void(const QTreeWidgetItem *, int)> walk = [&](const QTreeWidgetItem *item, int depth) {
            lines << QString(depth * 2, u' ') + item->text(0);
            for (int i = 0; i < item->childCount(); ++i)
                walk(item->child(i), depth + 1);
        };
        walk(tree->topLevelItem(0), 0);
        return lines;
    }

    QTreeWidgetItem *find(const QString &text) const
    {
        const QList<QTreeWidgetItem *> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        EXPECT_EQ(found.size(), 1) << text.toStdString();
        return found.value(0);
    }
    void select(const QString &text) const
    {
        tree->setFocus();
        tree->setCurrentItem(find(text));
    }

    // Renames in place: F2 opens the editor, the text is typed and Enter commits it.
    void rename(const QString &from, const QString &to) const
    {
        select(from);
        QTest::keyClick(tree, Qt::Key_F2);
        auto *editor = tree->findChild<QLineEdit *>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, to);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor commits and closes from the event loop and is freed after that, so that the
        // next rename finds a new one.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<TfrxReport> report;
    FakeDesigner designer;
    RecordingDialogs dialogs;
    std::unique_ptr<TfrxVarEditorForm> dialog;
    QTreeWidget *tree = nullptr;
    QPlainTextEdit *expression = nullptr;
    QStringList listShown;
    std::optional<QStringList> listAnswer;
};

TEST_F(VarEditorTest, TwoCategoriesAddedToAnEmptyListAreNewCategory1And2)
{
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Edit Variables"));
    EXPECT_EQ(shown(), QStringList{QStringLiteral("(no variables defined)")});
    click(dialog.get(), QStringLiteral("VariableB"));
    EXPECT_EQ(dialog->Variables().Count(), 0) << "Variable does nothing while the list is empty";

    click(dialog.get(), QStringLiteral("CategoryB"));
    click(dialog.get(), QStringLiteral("CategoryB"));
    EXPECT_EQ(contents(dialog->Variables()),
              (QStringList{QStringLiteral(" New Category1"), QStringLiteral(" New Category2")}));
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("Variables"), QStringLiteral("  New Category1"),
                                    QStringLiteral("  New Category2")}));
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("New Category2")) << "the new entry is selected";
}

TEST_F(VarEditorTest, VariableGoesIntoTheCategoryOfTheSelection)
{
    fill(*report->Variables(), {QStringLiteral("Loose=1"), QStringLiteral(" Money"),
                                QStringLiteral("Rate=2*3"), QStringLiteral(" Dates")});
    open();
    EXPECT_EQ(shown(),
              (QStringList{QStringLiteral("Variables"), QStringLiteral("  Loose"), QStringLiteral("  Money"),
                           QStringLiteral("    Rate"), QStringLiteral("  Dates")}));
    select(QStringLiteral("Rate"));
    click(dialog.get(), QStringLiteral("VariableB")); // the category of the selected variable
    select(QStringLiteral("Money"));
    click(dialog.get(), QStringLiteral("VariableB")); // the selected category
    tree->setCurrentItem(tree->topLevelItem(0));
    QTest::keyClick(tree, Qt::Key_Insert); // the root: the last category under it
    EXPECT_EQ(contents(dialog->Variables()),
              (QStringList{QStringLiteral("Loose=1"), QStringLiteral(" Money"), QStringLiteral("Rate=2*3"),
                           QStringLiteral("New Variable1="), QStringLiteral("New Variable2="),
                           QStringLiteral(" Dates"), QStringLiteral("New Variable3=")}));
}

TEST_F(VarEditorTest, WithoutCategoriesVariablesStayUnderTheRoot)
{
    fill(*report->Variables(), {QStringLiteral("A=1")});
    open();
    click(dialog.get(), QStringLiteral("VariableB"));
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("Variables"), QStringLiteral("  A"),
                                    QStringLiteral("  New Variable1")}));
}

TEST_F(VarEditorTest, RenamingInPlaceRefusesDuplicateAndEmptyNamesAndTrimsTheRest)
{
    fill(*report->Variables(), {QStringLiteral(" Money"), QStringLiteral("Rate=1"), QStringLiteral("Tax=2"),
                                QStringLiteral(" Other")});
    open();
    rename(QStringLiteral("Tax"), QStringLiteral("rate"));
    rename(QStringLiteral("Tax"), QStringLiteral("   "));
    EXPECT_EQ(dialogs.errors,
              (QStringList{QStringLiteral("Duplicate name"), QStringLiteral("Duplicate name")}));
    EXPECT_EQ(find(QStringLiteral("Tax"))->text(0), QStringLiteral("Tax"));

    // A leading space typed into a variable's name must not turn it into a category.
    rename(QStringLiteral("Tax"), QStringLiteral("  VAT "));
    rename(QStringLiteral("Money"), QStringLiteral("other"));
    rename(QStringLiteral("Money"), QStringLiteral("Finance"));
    EXPECT_EQ(dialogs.errors.size(), 3);
    EXPECT_EQ(contents(dialog->Variables()),
              (QStringList{QStringLiteral(" Finance"), QStringLiteral("Rate=1"), QStringLiteral("VAT=2"),
                           QStringLiteral(" Other")}));
}

TEST_F(VarEditorTest, DeleteTakesACategoryWithItsVariables)
{
    fill(*report->Variables(), {QStringLiteral("A=1"), QStringLiteral(" Money"), QStringLiteral("Rate=1"),
                                QStringLiteral(" Other"), QStringLiteral("B=2")});
    open();
    select(QStringLiteral("Money"));
    QTest::keyClick(tree, Qt::Key_Delete);
    select(QStringLiteral("B"));
    click(dialog.get(), QStringLiteral("DeleteB"));
    EXPECT_EQ(contents(dialog->Variables()), (QStringList{QStringLiteral("A=1"), QStringLiteral(" Other")}));
}

TEST_F(VarEditorTest, TheExpressionBoxShowsAndStoresTheSelectedVariablesValue)
{
    fill(*report->Variables(), {QStringLiteral("A=1"), QStringLiteral("B=2"), QStringLiteral(" Money")});
    open();
    select(QStringLiteral("A"));
    EXPECT_EQ(expression->toPlainText(), QStringLiteral("1"));
    expression->setFocus();
    expression->selectAll();
    QTest::keyClicks(expression, QStringLiteral("2*3"));
    select(QStringLiteral("B"));
    EXPECT_EQ(expression->toPlainText(), QStringLiteral("2"));
    EXPECT_EQ(dialog->Variables().Variable(QStringLiteral("A")), QVariant(QStringLiteral("2*3")));
    select(QStringLiteral("Money"));
    EXPECT_FALSE(expression->isEnabled()) << "a category has no value";
}

// Before the fix, OK dropped a value still being typed: it was stored only on leaving the variable.
TEST_F(VarEditorTest, OkStoresAValueStillBeingTypedAndReplacesTheReportsVariables)
{
    fill(*report->Variables(), {QStringLiteral("A=1"), QStringLiteral("B=2")});
    open();
    click(dialog.get(), QStringLiteral("CategoryB"));
    select(QStringLiteral("B"));
    expression->setPlainText(QStringLiteral("B + 1"));
    QTest::keyClick(tree, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(contents(*report->Variables()), (QStringList{QStringLiteral("A=1"), QStringLiteral("B=B + 1"),
                                                           QStringLiteral(" New Category1")}));
}

TEST_F(VarEditorTest, CancelAndEscapeKeepTheReportsVariables)
{
    fill(*report->Variables(), {QStringLiteral("A=1")});
    for (const bool escape : {false, true}) {
        open();
        click(dialog.get(), QStringLiteral("CategoryB"));
        select(QStringLiteral("A"));
        expression->setPlainText(QStringLiteral("5"));
        if (escape)
            QTest::keyClick(tree, Qt::Key_Escape);
        else
            click(dialog.get(), QStringLiteral("CancelB"));
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(contents(*report->Variables()), QStringList{QStringLiteral("A=1")});
    }
}

TEST_F(VarEditorTest, TheListRoundTripKeepsTheValuesOfNamesThatStay)
{
    fill(*report->Variables(), {QStringLiteral("Loose=0"), QStringLiteral(" Money"),
                                QStringLiteral("Rate=2*3"), QStringLiteral("Tax=Rate/2")});
    open();
    listAnswer = QStringList{QStringLiteral("Finance"), QStringLiteral("  Tax  "), QStringLiteral(""),
                             QStringLiteral(" Fee"),    QStringLiteral("Money"),   QStringLiteral(" Rate")};
    click(dialog.get(), QStringLiteral("ListB"));
    EXPECT_EQ(listShown, (QStringList{QStringLiteral(" Loose"), QStringLiteral("Money"),
                                      QStringLiteral(" Rate"), QStringLiteral(" Tax")}));
    EXPECT_EQ(contents(dialog->Variables()),
              (QStringList{QStringLiteral(" Finance"), QStringLiteral("Tax=Rate/2"), QStringLiteral("Fee="),
                           QStringLiteral(" Money"), QStringLiteral("Rate=2*3")}));

    listAnswer.reset();
    click(dialog.get(), QStringLiteral("ListB"));
    EXPECT_EQ(contents(dialog->Variables()).size(), 5) << "a cancelled list changes nothing";
}

// Before the fix, a list naming a variable twice made two variables of one name.
TEST_F(VarEditorTest, AListNamingAVariableTwiceIsRefused)
{
    fill(*report->Variables(), {QStringLiteral("A=1")});
    open();
    listAnswer = QStringList{QStringLiteral(" A"), QStringLiteral(" B"), QStringLiteral(" a")};
    click(dialog.get(), QStringLiteral("ListB"));
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Duplicate name")});
    EXPECT_EQ(contents(dialog->Variables()), QStringList{QStringLiteral("A=1")});
}

class VariablesFileTest : public VarEditorTest
{
protected:
    QTemporaryDir folder;
    QString file(const char *name) const { return folder.filePath(QLatin1String(name)); }
};

TEST_F(VariablesFileTest, SaveAndLoadKeepCategoriesNamesAndValues)
{
    fill(*report->Variables(), {QStringLiteral("Loose=0"), QStringLiteral(" Money"),
                                QStringLiteral("Rate=2*3"), QStringLiteral("Quote=say \"<a & b>\"")});
    open();
    dialogs.fileNames = QStringList{file("vars.fd3")};
    click(dialog.get(), QStringLiteral("SaveB"));
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'\n').toStdString();

    report->Variables()->Clear();
    open();
    dialogs.fileNames = QStringList{file("vars.fd3")};
    click(dialog.get(), QStringLiteral("LoadB"));
    EXPECT_EQ(contents(dialog->Variables()),
              (QStringList{QStringLiteral("Loose=0"), QStringLiteral(" Money"), QStringLiteral("Rate=2*3"),
                           QStringLiteral("Quote=say \"<a & b>\"")}));
    EXPECT_EQ(shown().size(), 5);
}

TEST_F(VariablesFileTest, AFileThatIsNotAVariablesFileIsRefusedAndChangesNothing)
{
    fill(*report->Variables(), {QStringLiteral("A=1")});
    const char *const texts[] = {"<?xml version=\"1.0\"?><styles><item Name=\"X\"/></styles>",
                                 "not xml at all <"};
    for (const char *text : texts) {
        QFile other(file("other.fd3"));
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write(text);
        other.close();
        open();
        dialogs.errors.clear();
        dialogs.fileNames = QStringList{file("other.fd3")};
        click(dialog.get(), QStringLiteral("LoadB"));
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Couldn't load file\n") + file("other.fd3")));
        EXPECT_EQ(contents(dialog->Variables()), QStringList{QStringLiteral("A=1")});
    }
}

TEST_F(VariablesFileTest, AFailedSaveIsReportedAndLeavesTheOldFileWhole)
{
    const QString mount = file("tiny");
    QDir().mkpath(mount);
    const TinyFileSystem tiny(mount, 16);
    if (!tiny.mounted())
        GTEST_SKIP() << "mounting a file system needs root";
    const QString target = mount + QStringLiteral("/vars.fd3");
    report->Variables()->SetVariable(QStringLiteral("A"), QStringLiteral("1"));
    QString error;
    ASSERT_TRUE(TfrxVariablesFile::Save(target, *report->Variables(), error));
    QFile original(target);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();

    // Far more than the 16 kilobytes of the file system.
    for (int i = 0; i < 500; ++i) {
        TfrxVariable *variable = report->Variables()->Add();
        variable->SetName(QStringLiteral("Variable%1").arg(i));
        variable->SetValue(QStringLiteral("a value long enough to fill the disk %1").arg(i));
    }
    open();
    dialogs.fileNames = QStringList{target};
    click(dialog.get(), QStringLiteral("SaveB"));
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Could not save ") + target));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), before);
}

// The rules of names, table by table, on the editor's copy.
TEST(VariablesCopyTest, RenameRules)
{
    struct Case
    {
        const char *from, *typed;
        bool accepted;
        const char *stored;
    };
    const Case cases[] = {
        {"Rate", "Fee", true, "Fee"},
        {"Rate", "  Fee  ", true, "Fee"}, // trimmed
        {"Rate", "RATE", true, "RATE"},   // its own name in another case
        {"Rate", "tax", false, "Rate"},   // another variable's, case aside
        {"Rate", "  ", false, "Rate"},    // empty
        {"Rate", "Money", true, "Money"}, // a variable may share a category's name
        {" Money", "Other", false, " Money"},
        {" Money", " Cash", true, " Cash"}, // a category keeps its one space
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.typed);
        TfrxVariables variables;
        fill(variables, {QStringLiteral(" Money"), QStringLiteral("Rate=1"), QStringLiteral("Tax=2"),
                         QStringLiteral(" Other")});
        TfrxVariablesCopy copy(variables);
        QString newName;
        EXPECT_EQ(copy.Rename(QLatin1String(c.from), QLatin1String(c.typed), newName), c.accepted);
        const QString expected = QLatin1String(c.stored);
        EXPECT_GE(copy.Variables().IndexOf(expected), 0);
        EXPECT_EQ(copy.Variables().Items(copy.Variables().IndexOf(expected))->Name(), expected);
    }
}

} // namespace
