// The context menus of report objects: which items each kind of object offers, what their check
// marks show and set, which objects an item acts on, the registry that picks an editor, and the
// menu the designer builds from them.
#include "DesignerTestSupport.h"
#include "FakeDesigner.h"
#include "LookDialogsTestSupport.h"
#include "TfrxBands.h"
#include "TfrxComponentEditor.h"
#include "TfrxDataBand.h"
#include "TfrxLineView.h"
#include "TfrxMemoView.h"
#include "TfrxPictureView.h"
#include "TfrxProperties.h"
#include "TfrxReportPage.h"
#include "TfrxShapeView.h"
#include "TfrxSubreport.h"
#include "TfrxSysMemoView.h"
#include "zorEditorMenu.h"

#include <QDialog>
#include <QMenu>

#include <gtest/gtest.h>

using namespace designertest;
using lookdialogs::Strings;

namespace {

// One object of every kind the designer offers, on one page (bands and views side by side).
class ComponentEditorsTest : public ::testing::Test
{
protected:
    ComponentEditorsTest() : report(EmptyReport()), page(FirstPage(*report)), designer(*report, page)
    {
        zorRegisterComponentEditors();
        add<TfrxMemoView>("Memo");
        add<TfrxSysMemoView>("SysMemo");
        add<TfrxLineView>("Line");
        add<TfrxPictureView>("Picture");
        add<TfrxShapeView>("Shape");
        for (const char *band : {"ReportTitle", "PageHeader", "PageFooter", "Header", "Footer", "MasterData",
                                 "GroupHeader", "GroupFooter", "Child", "ColumnHeader", "ColumnFooter"})
            objects.insert(QLatin1String(band), newBand(band));
        subreportPage = new TfrxReportPage(report.get());
        subreportPage->SetName(QStringLiteral("Page2"));
        auto *subreport = add<TfrxSubreport>("Subreport");
        subreport->SetPage(subreportPage);
        objects.insert(QStringLiteral("Page"), page);
    }

    template <class T> T *add(const char *name)
    {
        auto *object = new T(page);
        object->SetName(QLatin1String(name));
        object->SetBounds(10, 10, 100, 20);
        objects.insert(QLatin1String(name), object);
        return object;
    }

    TfrxBand *newBand(const char *kind)
    {
        static const QHash<QString, std::function<TfrxBand *(QObject *)>> factories = {
            {QStringLiteral("ReportTitle"), [](QObject *o) { return new TfrxReportTitle(o); }},
            {QStringLiteral("PageHeader"), [](QObject *o) { return new TfrxPageHeader(o); }},
            {QStringLiteral("PageFooter"), [](QObject *o) { return new TfrxPageFooter(o); }},
            {QStringLiteral("Header"), [](QObject *o) { return new TfrxHeader(o); }},
            {QStringLiteral("Footer"), [](QObject *o) { return new TfrxFooter(o); }},
            {QStringLiteral("MasterData"), [](QObject *o) { return new TfrxMasterData(o); }},
            {QStringLiteral("GroupHeader"), [](QObject *o) { return new TfrxGroupHeader(o); }},
            {QStringLiteral("GroupFooter"), [](QObject *o) { return new TfrxGroupFooter(o); }},
            {QStringLiteral("Child"), [](QObject *o) { return new TfrxChild(o); }},
            {QStringLiteral("ColumnHeader"), [](QObject *o) { return new TfrxColumnHeader(o); }},
            {QStringLiteral("ColumnFooter"), [](QObject *o) { return new TfrxColumnFooter(o); }},
        };
        TfrxBand *band = factories.value(QLatin1String(kind))(page);
        band->SetName(QLatin1String(kind) + u'1');
        return band;
    }

    TfrxComponent *object(const char *name) const { return objects.value(QLatin1String(name)); }

    // The editor of an object as the designer gets it, with the object as the selection.
    std::unique_ptr<TfrxComponentEditor> editorOf(TfrxComponent *component)
    {
        if (!designer.SelectedObjects().contains(component))
            designer.SelectedObjects() = {component};
        return TfrxComponentEditors::Instance().GetComponentEditor(component, designer);
    }

    // "caption:tag", with a "*" for a check mark, for one object's menu.
    QStringList menuOf(TfrxComponent *component)
    {
        QStringList rows;
        for (const TfrxMenuItem &item : editorOf(component)->GetMenuItems()) {
            rows.append(item.Caption == u"-" ? QStringLiteral("-")
                                             : item.Caption + u':' + QString::number(item.Tag) +
                                                   (item.Checked ? QStringLiteral("*") : QString()));
        }
        return rows;
    }

    std::optional<TfrxMenuItem> itemOf(TfrxComponent *component, int tag)
    {
        for (const TfrxMenuItem &item : editorOf(component)->GetMenuItems())
            if (item.Tag == tag && item.Caption != u"-")
                return item;
        return std::nullopt;
    }

    std::unique_ptr<TfrxReport> report;
    TfrxReportPage *page;
    TfrxReportPage *subreportPage = nullptr;
    FakeDesigner designer;
    QHash<QString, TfrxComponent *> objects;
};

// The view items close every view's menu; Shift is on for a new view.
const QStringList viewItems =
    Strings({"Shift:51*", "Shift When Overlapped:52", "Visible:53*", "Printable:54*"});
const QStringList bandItems = Strings({"Stretch:10", "Allow Split:11", "Keep Child Together:12",
                                       "Print Child If Invisible:13", "Start New Page:14"});

struct MenuCase
{
    const char *Object;
    QStringList Items;
};

class MenuItems : public ComponentEditorsTest, public ::testing::WithParamInterface<MenuCase>
{
};

TEST_P(MenuItems, AreThoseOfTheObjectsKindInMenuOrder)
{
    EXPECT_EQ(menuOf(object(GetParam().Object)), GetParam().Items) << GetParam().Object;
}

const QStringList memoItems =
    Strings({"Display Format...:1", "Hyperlink...:50", "Clear Contents:2", "-", "Auto Width:3",
             "Word Wrap:4*", "Suppress Repeated Values:5", "Hide Zeros:6", "Allow Expressions:7*",
             "Allow HTML Tags:8", "-", "Stretch:40", "Stretch to Max Height:41"}) +
    viewItems;

INSTANTIATE_TEST_SUITE_P(
    EveryKind, MenuItems,
    ::testing::Values(
        MenuCase{"Memo", memoItems}, MenuCase{"SysMemo", memoItems},
        MenuCase{"Line", Strings({"Diagonal:0", "Stretch:1"}) + viewItems},
        MenuCase{"Picture",
                 Strings({"Auto Size:0", "Stretch:1*", "Center:2", "Keep Aspect Ratio:3*", "-"}) + viewItems},
        MenuCase{"Shape", viewItems}, MenuCase{"ReportTitle", bandItems}, MenuCase{"Child", bandItems},
        // Bands that cannot split, keep their child or start a page do not offer it.
        MenuCase{"PageHeader",
                 Strings({"Stretch:10", "Print Child If Invisible:13", "Print On First Page:0*"})},
        MenuCase{"PageFooter", Strings({"Print On First Page:0*", "Print On Last Page:1*"})},
        MenuCase{"Footer", bandItems.mid(0, 4)}, MenuCase{"GroupFooter", bandItems.mid(0, 4)},
        MenuCase{"Header", bandItems + Strings({"Reprint On New Page:0"})},
        MenuCase{"MasterData", bandItems + Strings({"Print If Detail Empty:0", "Footer After Each Row:1",
                                                    "Keep Detail Together:2", "Keep Footer Together:3",
                                                    "Keep Header Together:4"})},
        MenuCase{"GroupHeader", bandItems + Strings({"Keep Together:0", "Reprint On New Page:1",
                                                     "Drill Down:2", "Reset Page Numbers:3"})},
        MenuCase{"ColumnHeader", Strings({"Stretch:10"})}, MenuCase{"ColumnFooter", {}},
        MenuCase{"Subreport", Strings({"Print On Parent:0"})}, MenuCase{"Page", {}}),
    [](const ::testing::TestParamInfo<MenuCase> &row) { return std::string(row.param.Object); });

// Each switch: the property it shows and sets, and the values for checked and unchecked.
struct SwitchCase
{
    const char *Object;
    int Tag;
    const char *Property;
    int On;
    int Off;
};

class Switches : public ComponentEditorsTest, public ::testing::WithParamInterface<SwitchCase>
{
};

TEST_P(Switches, ShowAndSetTheirProperty)
{
    const SwitchCase &c = GetParam();
    TfrxComponent *component = object(c.Object);
    const QString property = QLatin1String(c.Property);
    const auto read = [&] { return TfrxProperties::Read(component, property).toInt(); };
    ASSERT_TRUE(TfrxProperties::Write(component, property, c.Off));
    EXPECT_FALSE(itemOf(component, c.Tag).value().Checked);
    ASSERT_TRUE(TfrxProperties::Write(component, property, c.On));
    EXPECT_TRUE(itemOf(component, c.Tag).value().Checked);

    EXPECT_TRUE(editorOf(component)->Execute(c.Tag, false));
    EXPECT_EQ(read(), c.Off);
    EXPECT_FALSE(itemOf(component, c.Tag).value().Checked);
    EXPECT_FALSE(editorOf(component)->Execute(c.Tag, false)) << "nothing left to change";
    EXPECT_TRUE(editorOf(component)->Execute(c.Tag, true));
    EXPECT_EQ(read(), c.On);
}

using namespace zor;

INSTANTIATE_TEST_SUITE_P(
    EveryItem, Switches,
    ::testing::Values(
        SwitchCase{"Shape", 51, "ShiftMode", smAlways, smDontShift},
        SwitchCase{"Shape", 52, "ShiftMode", smWhenOverlapped, smDontShift},
        SwitchCase{"Shape", 53, "Visible", 1, 0}, SwitchCase{"Shape", 54, "Printable", 1, 0},
        SwitchCase{"Memo", 3, "AutoWidth", 1, 0}, SwitchCase{"Memo", 4, "WordWrap", 1, 0},
        SwitchCase{"Memo", 5, "SuppressRepeated", 1, 0}, SwitchCase{"Memo", 6, "HideZeros", 1, 0},
        SwitchCase{"Memo", 7, "AllowExpressions", 1, 0}, SwitchCase{"Memo", 8, "AllowHTMLTags", 1, 0},
        SwitchCase{"Memo", 40, "StretchMode", smActualHeight, smDontStretch},
        SwitchCase{"SysMemo", 41, "StretchMode", smMaxHeight, smDontStretch},
        SwitchCase{"Memo", 54, "Printable", 1, 0}, SwitchCase{"Line", 0, "Diagonal", 1, 0},
        SwitchCase{"Line", 53, "Visible", 1, 0}, SwitchCase{"Picture", 0, "AutoSize", 1, 0},
        SwitchCase{"Picture", 1, "Stretched", 1, 0}, SwitchCase{"Picture", 2, "Center", 1, 0},
        SwitchCase{"Picture", 3, "KeepAspectRatio", 1, 0}, SwitchCase{"ReportTitle", 10, "Stretched", 1, 0},
        SwitchCase{"ReportTitle", 11, "AllowSplit", 1, 0}, SwitchCase{"ReportTitle", 12, "KeepChild", 1, 0},
        SwitchCase{"ReportTitle", 13, "PrintChildIfInvisible", 1, 0},
        SwitchCase{"ReportTitle", 14, "StartNewPage", 1, 0},
        SwitchCase{"MasterData", 0, "PrintIfDetailEmpty", 1, 0},
        SwitchCase{"MasterData", 1, "FooterAfterEach", 1, 0},
        SwitchCase{"MasterData", 2, "KeepTogether", 1, 0}, SwitchCase{"MasterData", 3, "KeepFooter", 1, 0},
        SwitchCase{"MasterData", 4, "KeepHeader", 1, 0}, SwitchCase{"Header", 0, "ReprintOnNewPage", 1, 0},
        SwitchCase{"PageHeader", 0, "PrintOnFirstPage", 1, 0},
        SwitchCase{"PageFooter", 0, "PrintOnFirstPage", 1, 0},
        SwitchCase{"PageFooter", 1, "PrintOnLastPage", 1, 0},
        SwitchCase{"GroupHeader", 0, "KeepTogether", 1, 0},
        SwitchCase{"GroupHeader", 1, "ReprintOnNewPage", 1, 0},
        SwitchCase{"GroupHeader", 2, "DrillDown", 1, 0}, SwitchCase{"ColumnHeader", 10, "Stretched", 1, 0},
        SwitchCase{"Subreport", 0, "PrintOnParent", 1, 0}),
    [](const ::testing::TestParamInfo<SwitchCase> &row) {
        return std::string(row.param.Object) + "_" + std::to_string(row.param.Tag);
    });

// A line's Stretch is its maximum-height stretch (the line does not publish its stretch mode, so
// the table above cannot read it).
TEST_F(ComponentEditorsTest, LineStretchSwitchesToMaximumHeight)
{
    auto *line = qobject_cast<TfrxLineView *>(object("Line"));
    EXPECT_TRUE(editorOf(line)->Execute(1, true));
    EXPECT_EQ(line->StretchMode(), smMaxHeight);
    EXPECT_TRUE(itemOf(line, 1)->Checked);
    EXPECT_TRUE(editorOf(line)->Execute(1, false));
    EXPECT_EQ(line->StretchMode(), smDontStretch);
}

TEST_F(ComponentEditorsTest, VerticalBandsLackTheSwitchesOfHorizontalOnes)
{
    auto *band = qobject_cast<TfrxBand *>(object("MasterData"));
    band->SetVertical(true);
    EXPECT_EQ(menuOf(band), Strings({"Print Child If Invisible:13", "Start New Page:14",
                                     "Print If Detail Empty:0", "Footer After Each Row:1"}));
    EXPECT_FALSE(editorOf(band)->Execute(11, true)) << "Allow Split is not offered";
    EXPECT_FALSE(band->AllowSplit());
}

TEST_F(ComponentEditorsTest, BandItemsNeedASingleSelectionAndActOnTheBandOnly)
{
    auto *title = qobject_cast<TfrxBand *>(object("ReportTitle"));
    auto *child = qobject_cast<TfrxBand *>(object("Child"));
    designer.SelectedObjects() = {title, child};
    EXPECT_TRUE(menuOf(title).isEmpty());
    EXPECT_FALSE(editorOf(title)->Execute(10, true));

    auto *group = qobject_cast<TfrxBand *>(object("GroupHeader"));
    designer.SelectedObjects() = {group, child};
    EXPECT_EQ(menuOf(group),
              Strings({"Keep Together:0", "Reprint On New Page:1", "Drill Down:2", "Reset Page Numbers:3"}));

    designer.SelectedObjects() = {title};
    EXPECT_TRUE(editorOf(title)->Execute(10, true));
    EXPECT_TRUE(title->Stretched());
    EXPECT_FALSE(child->Stretched());
}

TEST_F(ComponentEditorsTest, ExecuteChangesEverySelectedTextObjectButARestrictedOne)
{
    auto *first = qobject_cast<TfrxMemoView *>(object("Memo"));
    auto *second = AddMemo(page, QStringLiteral("Memo2"), 10, 40);
    auto *restricted = AddMemo(page, QStringLiteral("Memo3"), 10, 70);
    restricted->SetRestrictions(rfDontModify);
    for (TfrxMemoView *memo : {first, second, restricted})
        memo->SetText(QStringLiteral("text"));
    designer.SelectedObjects() = {first, second, restricted, object("Line")};
    auto editor = editorOf(first);

    EXPECT_TRUE(editor->Execute(3, true)); // Auto Width
    EXPECT_TRUE(first->AutoWidth());
    EXPECT_TRUE(second->AutoWidth());
    EXPECT_FALSE(restricted->AutoWidth());
    EXPECT_FALSE(editor->Execute(3, true)) << "the restricted one stays as it is";

    EXPECT_TRUE(editor->Execute(53, false)); // Visible: every selected view, the line too
    EXPECT_FALSE(object("Line")->Visible());
    EXPECT_TRUE(restricted->Visible());

    EXPECT_TRUE(editor->Execute(2, true)); // Clear Contents
    EXPECT_TRUE(first->Memo().isEmpty());
    EXPECT_TRUE(second->Memo().isEmpty());
    EXPECT_EQ(restricted->Text(), QStringLiteral("text\r\n"));
    EXPECT_FALSE(editor->Execute(2, true)) << "nothing left to clear";
}

TEST_F(ComponentEditorsTest, NothingChangesARestrictedBand)
{
    auto *band = qobject_cast<TfrxBand *>(object("GroupHeader"));
    band->SetRestrictions(rfDontModify);
    EXPECT_FALSE(editorOf(band)->Execute(3, true));
    EXPECT_FALSE(band->ResetPageNumbers());
    EXPECT_FALSE(band->StartNewPage());
}

TEST_F(ComponentEditorsTest, ResetPageNumbersAlsoStartsANewPage)
{
    auto *group = qobject_cast<TfrxGroupHeader *>(object("GroupHeader"));
    auto editor = editorOf(group);
    EXPECT_TRUE(editor->Execute(3, true));
    EXPECT_TRUE(group->ResetPageNumbers());
    EXPECT_TRUE(group->StartNewPage());
    EXPECT_TRUE(itemOf(group, 14)->Checked);

    EXPECT_TRUE(editor->Execute(3, false));
    EXPECT_FALSE(group->ResetPageNumbers());
    EXPECT_TRUE(group->StartNewPage()) << "unchecking leaves the new page alone";

    group->SetStartNewPage(false);
    group->SetResetPageNumbers(true);
    EXPECT_TRUE(editor->Execute(3, true)) << "already numbered afresh, the new page still follows";
    EXPECT_TRUE(group->StartNewPage());
}

TEST_F(ComponentEditorsTest, DialogsAreOfferedWhereTheObjectHasOne)
{
    const std::pair<const char *, bool> cases[] = {
        {"Memo", true},        {"SysMemo", true},      {"Picture", true},       {"MasterData", true},
        {"GroupHeader", true}, {"Page", true},         {"Subreport", true},     {"Line", false},
        {"Shape", false},      {"ReportTitle", false}, {"ColumnFooter", false},
    };
    for (const auto &[name, hasEditor] : cases)
        EXPECT_EQ(editorOf(object(name))->HasEditor(), hasEditor) << name;

    EXPECT_FALSE(editorOf(subreportPage)->HasEditor())
        << "a subreport's page takes the options of its parent";
}

TEST_F(ComponentEditorsTest, EditingASubreportShowsItsPage)
{
    auto editor = editorOf(object("Subreport"));
    EXPECT_FALSE(editor->Edit()) << "showing the page changes nothing";
    EXPECT_EQ(designer.ShownPage, 2) << "after the data page and Page1";
}

// Editors of other modules stand in for the dialogs here; they change nothing, and neither does
// the menu item.
TEST_F(ComponentEditorsTest, DialogItemsReportNoChangeWhenTheDialogIsCancelled)
{
    auto editor = editorOf(object("Memo"));
    for (const int tag : {1, 50}) {
        bool changed = true;
        EXPECT_TRUE(AnswerModal<QDialog>([&] { changed = editor->Execute(tag, true); },
                                         [](QDialog *dialog) { dialog->reject(); }))
            << tag;
        EXPECT_FALSE(changed) << tag;
    }
}

// A class of the registry's own for the lookup rule.
TEST(ComponentEditorRegistry, TheExactClassWinsOverTheLastRegisteredAncestor)
{
    auto report = EmptyReport();
    FakeDesigner designer(*report, FirstPage(*report));
    TfrxComponentEditors registry;
    QStringList made;
    const auto factory = [&made](const char *name) {
        return [&made, name](TfrxComponent *c, TfrxCustomDesigner &d) {
            made.append(QLatin1String(name));
            return std::make_unique<TfrxComponentEditor>(c, d);
        };
    };
    registry.Register(&TfrxMemoView::staticMetaObject, factory("memo"));
    registry.Register(&TfrxComponent::staticMetaObject, factory("component"));
    registry.Register(&TfrxView::staticMetaObject, factory("view"));

    TfrxMemoView memo;
    TfrxSysMemoView sysMemo;
    TfrxShapeView shape;
    TfrxReportPage page;
    for (TfrxComponent *c : QList<TfrxComponent *>{&memo, &sysMemo, &shape, &page})
        EXPECT_NE(registry.GetComponentEditor(c, designer), nullptr);
    EXPECT_EQ(made, Strings({"memo", "view", "view", "component"}));

    TfrxComponentEditors empty;
    auto plain = empty.GetComponentEditor(&memo, designer);
    EXPECT_FALSE(plain->HasEditor());
    EXPECT_TRUE(plain->GetMenuItems().isEmpty());
    EXPECT_FALSE(plain->Execute(3, true));
}

TEST_F(ComponentEditorsTest, TheContextMenuRunsTheEditorAndRecordsTheChange)
{
    auto *memo = qobject_cast<TfrxMemoView *>(object("Memo"));
    auto editor = editorOf(memo);
    QMenu menu;
    ASSERT_TRUE(zorAddEditorItems(menu, *editor, designer));
    const QList<QAction *> actions = menu.actions();
    ASSERT_EQ(actions.size(), memoItems.size());
    EXPECT_TRUE(actions.at(3)->isSeparator());
    EXPECT_FALSE(actions.at(0)->isCheckable()) << "Display Format... is a command";
    QAction *wordWrap = actions.at(5);
    EXPECT_EQ(wordWrap->text(), QStringLiteral("Word Wrap"));
    EXPECT_TRUE(wordWrap->isChecked());

    wordWrap->trigger();
    EXPECT_FALSE(memo->WordWrap());
    EXPECT_EQ(designer.Modifications, 1);
    // A dialog closed with Cancel records nothing.
    EXPECT_TRUE(AnswerModal<QDialog>([&] { actions.at(0)->trigger(); }, [](QDialog *dialog) { dialog->reject(); }));
    EXPECT_EQ(designer.Modifications, 1);

    QMenu empty;
    auto footer = editorOf(object("ColumnFooter"));
    EXPECT_FALSE(zorAddEditorItems(empty, *footer, designer));
}

// The menu of a text object, for a person to look at.
TEST_F(ComponentEditorsTest, PictureOfATextObjectsMenu)
{
    auto editor = editorOf(object("Memo"));
    QMenu menu;
    zorAddEditorItems(menu, *editor, designer);
    menu.adjustSize();
    EXPECT_TRUE(
        menu.grab().save(lookdialogs::picturePath(QStringLiteral("MemoMenu"), menu.devicePixelRatioF())));
}

} // namespace
