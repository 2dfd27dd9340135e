// Entries of the data tree dragged onto a report page and onto the script editor. The drag is sent
// as the window system delivers it (enter, move, drop) with the mime data the tree itself makes,
// because a real drag does not run offscreen.
#include "SyntaxMemoFixture.h"
#include "TextDialogsFixture.h"

#include "TfrxDataTree.h"
#include "TfrxDesigner.h"
#include "TfrxDesignerCommands.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxDesignerForm.h"
#include "TfrxDesignerWorkspace.h"
#include "TfrxResources.h"
#include "zorDesigner.h"
#include "zorScriptBindings.h"
#include "zorTemplateFormat.h"
#include "zorTypes.h"

#include <QAction>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUrl>

#include <cctype>
#include <functional>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

struct DropResult
{
    bool Entered = false;
    bool Dropped = false;
};

// Enter, move and drop at a widget point, as a drag over the widget ends.
DropResult DropOn(QWidget *target, const QPoint &at, const QMimeData &data)
{
    DropResult result;
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    result.Entered = enter.isAccepted();
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    result.Dropped = drop.isAccepted();
    return result;
}

// What the tree's drag of an entry carries: the entry is found by its captions from a top-level
// entry of the tab.
std::unique_ptr<QMimeData> TreeDrag(TfrxDataTree &tree, int tab, const QStringList &path)
{
    tree.findChild<QTabWidget *>(u"Tabs"_s)->setCurrentIndex(tab);
    const char *names[] = {"DataTree", "VariablesTree", "FunctionsTree", "ClassesTree"};
    auto *view = tree.findChild<QTreeWidget *>(QLatin1StringView(names[tab]));
    QTreeWidgetItem *item = view->invisibleRootItem();
    for (const QString &caption : path) {
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; i < item->childCount() && next == nullptr; ++i)
            if (item->child(i)->text(0) == caption)
                next = item->child(i);
        if (next == nullptr)
            throw std::runtime_error("no entry " + path.join(u'/').toStdString());
        item = next;
    }
    return std::unique_ptr<QMimeData>(view->model()->mimeData({view->indexFromItem(item)}));
}

QStringList FieldPath(const QString &dataSet, const QString &field)
{
    return {zorResources().Get(u"dtData"_s), dataSet, field};
}

// ---- onto a report page ----

// The workspace over the text dialogs' report (Customers with Company and Name, Sales with Amount,
// the data band MasterData1 holding Memo1), on a page without margins so that report pixels lie
// at whole widget pixels, with a 4-pixel grid that does not snap unless a test asks.
class DataTreeDrop : public TextDialogsFixture
{
protected:
    void SetUp() override
    {
        TextDialogsFixture::SetUp();
        zorRegisterScriptBindings();
        page->SetLeftMargin(0);
        page->SetTopMargin(0);
        tree = std::make_unique<TfrxDataTree>(*designer);
        workspace.SetLists(&designer->Objects(), &designer->SelectedObjects());
        workspace.SetPage(page);
        workspace.SetGridType(gt1pt);
        workspace.SetGrid(4, 4);
        workspace.SetGridAlign(false);
        workspace.AdjustBands();
        QObject::connect(&workspace, &TfrxDesignerWorkspace::Modified,
                         [this] { designer->SetModified(true); });
    }

    void SetBoxes(bool createField, bool createCaption)
    {
        tree->findChild<QCheckBox *>(u"CreateFieldCB"_s)->setChecked(createField);
        tree->findChild<QCheckBox *>(u"CreateCaptionCB"_s)->setChecked(createCaption);
    }

    QPoint At(const QPointF &reportPoint) const { return workspace.ReportToWidget(reportPoint).toPoint(); }

    DropResult Drop(const QMimeData &data, const QPointF &reportPoint)
    {
        return DropOn(&workspace, At(reportPoint), data);
    }

    // The drop point that puts a frame's top-left corner 10 pixels into the data band, at x 100.
    QPointF IntoBand() const { return {108, band->Top() + 18}; }

    QStringList Names(const QList<TfrxComponent *> &objects) const
    {
        QStringList names;
        for (const TfrxComponent *object : objects)
            names << object->Name();
        return names;
    }

    std::unique_ptr<TfrxDataTree> tree;
    TfrxDesignerWorkspace workspace;
};

struct DropCase
{
    const char *Case;
    int Tab;
    const char *RootKey; // the string table key of the tab's top-level entry
    QStringList Path;    // below it
    bool CreateField;
    bool CreateCaption;
    // Name and text of each object made, in the order they are selected.
    QList<std::pair<QString, QString>> Made;
};

void PrintTo(const DropCase &c, std::ostream *os)
{
    *os << c.Case;
}

class DroppedEntries : public DataTreeDrop, public ::testing::WithParamInterface<DropCase>
{
};

TEST_P(DroppedEntries, BecomeSelectedTextObjectsAtTheDropPoint)
{
    const DropCase &c = GetParam();
    SetBoxes(c.CreateField, c.CreateCaption);
    const std::unique_ptr<QMimeData> data =
        TreeDrag(*tree, c.Tab, QStringList{zorResources().Get(QLatin1StringView(c.RootKey))} + c.Path);
    const DropResult result = Drop(*data, IntoBand());
    ASSERT_TRUE(result.Entered);
    EXPECT_TRUE(result.Dropped);

    const QList<TfrxComponent *> &made = designer->SelectedObjects();
    ASSERT_EQ(made.size(), c.Made.size()) << Names(made).join(u' ').toStdString();
    for (qsizetype i = 0; i < made.size(); ++i) {
        EXPECT_EQ(made[i]->Name(), c.Made[i].first);
        auto *memo = qobject_cast<TfrxMemoView *>(made[i]);
        ASSERT_NE(memo, nullptr);
        EXPECT_EQ(memo->Text(), c.Made[i].second + u"\r\n"_s) << "one line";
        EXPECT_TRUE(designer->Objects().contains(memo)) << "listed with the page's objects";
    }
    // The first object fills the frame: 10 characters of 8 pixels (what a data set answers that
    // knows no better), the default height of a pixel grid, 8 pixels up and left of the pointer.
    EXPECT_EQ(QRectF(made[0]->AbsLeft(), made[0]->AbsTop(), made[0]->Width(), made[0]->Height()),
              QRectF(100, band->Top() + 10, 80, 16));
    EXPECT_EQ(made[0]->Parent(), band) << "it lands on the band under it";
    // A caption sits directly above its field.
    if (made.size() == 2) {
        EXPECT_EQ(QRectF(made[1]->AbsLeft(), made[1]->AbsTop(), made[1]->Width(), made[1]->Height()),
                  QRectF(100, band->Top() - 6, 80, 16));
    }
    EXPECT_EQ(designer->Modifications, 1) << "the drop is one undo step";
}

INSTANTIATE_TEST_SUITE_P(
    DataTree, DroppedEntries,
    ::testing::Values(
        DropCase{"a data field",
                 0,
                 "dtData",
                 {u"Customers"_s, u"Company"_s},
                 true,
                 false,
                 {{u"CustomersCompany"_s, u"[Customers.\"Company\"]"_s}}},
        DropCase{"a data field with its caption",
                 0,
                 "dtData",
                 {u"Customers"_s, u"Company"_s},
                 true,
                 true,
                 {{u"CustomersCompany"_s, u"[Customers.\"Company\"]"_s}, {u"Memo2"_s, u"Company"_s}}},
        DropCase{"only the caption",
                 0,
                 "dtData",
                 {u"Sales"_s, u"Amount"_s},
                 false,
                 true,
                 {{u"Memo2"_s, u"Amount"_s}}},
        // The boxes are for data fields only.
        DropCase{"a variable",
                 1,
                 "dtVar",
                 {u"Totals"_s, u"Discount"_s},
                 false,
                 true,
                 {{u"Discount"_s, u"[Discount]"_s}}},
        DropCase{"a system variable", 1, "dtSysVar", {u"Page#"_s}, true, false, {{u"Page"_s, u"[Page#]"_s}}},
        // "Copy(,,)" keeps only 4 of its 8 characters, fewer than two thirds: a plain numbered name.
        DropCase{"a function",
                 2,
                 "ctString",
                 {u"Copy(s: String; from, count: Integer): String"_s},
                 true,
                 false,
                 {{u"Memo2"_s, u"[Copy(,,)]"_s}}}),
    [](const ::testing::TestParamInfo<DropCase> &row) {
        std::string name = row.param.Case;
        for (char &ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST_F(DataTreeDrop, AFieldObjectIsBoundToItsDataSetAndNamesStayUnique)
{
    const std::unique_ptr<QMimeData> data = TreeDrag(*tree, 0, FieldPath(u"Customers"_s, u"Company"_s));
    ASSERT_TRUE(Drop(*data, IntoBand()).Dropped);
    ASSERT_TRUE(Drop(*data, IntoBand() + QPointF(100, 0)).Dropped);
    auto *first = qobject_cast<TfrxMemoView *>(report->FindObject(u"CustomersCompany"_s));
    auto *second = qobject_cast<TfrxMemoView *>(report->FindObject(u"CustomersCompany1"_s));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->DataSet(), customers);
    EXPECT_EQ(first->DataField(), u"Company"_s);
    EXPECT_EQ(designer->SelectedObjects(), QList<TfrxComponent *>{second});
    EXPECT_EQ(designer->Modifications, 2);
}

// What makes no object is refused at the door, so the pointer says so, and nothing changes.
TEST_F(DataTreeDrop, ThePageRefusesWhatMakesNoObject)
{
    const auto plainText = [] {
        auto *data = new QMimeData;
        data->setText(u"Company"_s);
        return data;
    };
    const auto file = [] {
        auto *data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(u"/tmp/shablon.ze3"_s)});
        return data;
    };
    const struct
    {
        const char *Case;
        std::function<QMimeData *()> Data;
        TfrxDesignerRestrictions Restrictions = {};
    } cases[] = {
        {"plain text from elsewhere", plainText},
        {"a file", file},
        {"a field with both boxes cleared",
         [this] {
             SetBoxes(false, false);
             return TreeDrag(*tree, 0, FieldPath(u"Customers"_s, u"Company"_s)).release();
         }},
        {"a data set",
         [this] {
             return TreeDrag(*tree, 0, {zorResources().Get(u"dtData"_s), u"Sales"_s}).release();
         }},
        {"a host that forbids inserting",
         [this] {
             SetBoxes(true, true);
             return TreeDrag(*tree, 0, FieldPath(u"Customers"_s, u"Company"_s)).release();
         },
         drDontInsertObject},
    };
    const QList<TfrxComponent *> before = page->GetAllObjects();
    for (const auto &c : cases) {
        TfrxDesigner host;
        host.Restrictions = c.Restrictions;
        const std::unique_ptr<QMimeData> data(c.Data());
        const DropResult result = Drop(*data, IntoBand());
        EXPECT_FALSE(result.Entered) << c.Case;
        EXPECT_FALSE(result.Dropped) << c.Case;
        EXPECT_EQ(page->GetAllObjects(), before) << c.Case;
    }
    EXPECT_EQ(designer->Modifications, 0);
    EXPECT_EQ(designer->SelectedObjects(), QList<TfrxComponent *>{page});
}

TEST_F(DataTreeDrop, TheFrameFollowsThePointerUntilTheDragLeaves)
{
    workspace.SetGridAlign(true);
    const std::unique_ptr<QMimeData> data =
        TreeDrag(*tree, 1, {zorResources().Get(u"dtVar"_s), u"Totals"_s, u"Discount"_s});
    QDragEnterEvent enter(At({50, 70}), Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(&workspace, &enter);
    ASSERT_TRUE(enter.isAccepted());
    const TfrxInsertion &frame = workspace.Insertion();
    EXPECT_EQ(frame.ComponentClass, &TfrxMemoView::staticMetaObject);
    // 8 pixels up and left of the pointer, then onto the grid.
    EXPECT_EQ(QRectF(frame.Left, frame.Top, frame.Width, frame.Height), QRectF(40, 60, 80, 16));

    QDragMoveEvent move(At({75, 99}), Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(&workspace, &move);
    EXPECT_TRUE(move.isAccepted());
    EXPECT_EQ(QPointF(frame.Left, frame.Top), QPointF(64, 88));

    QDragLeaveEvent leave;
    QApplication::sendEvent(&workspace, &leave);
    EXPECT_EQ(workspace.Insertion().ComponentClass, nullptr) << "back to selecting";
    EXPECT_EQ(workspace.Mode(), ::dmNone);
    EXPECT_EQ(page->GetAllObjects().size(), 2) << "only the band and Memo1";
}

// A data set whose fields claim a display width, or fail to say.
class WidthDataSet : public TfrxUserDataSet
{
public:
    using TfrxUserDataSet::TfrxUserDataSet;
    int GetDisplayWidth(const QString &) const override
    {
        if (Width < 0)
            throw std::runtime_error("connection lost");
        return Width;
    }
    int Width = 0;
};

TEST_F(DataTreeDrop, TheFrameIsAsWideAsTheFieldShowsRoundedToTheGrid)
{
    auto *dataSet = new WidthDataSet(report.get());
    dataSet->SetName(u"Orders"_s);
    dataSet->SetFields({u"Total"_s});
    report->DataSets()->Add(dataSet);
    tree->UpdateItems();
    const struct
    {
        const char *Case;
        int DisplayWidth;
        TfrxGridType Grid;
        double Step;
        QSizeF Frame;
    } cases[] = {
        {"30 characters", 30, gt1pt, 4, {240, 16}},
        {"at most 50", 200, gt1pt, 4, {400, 16}},
        {"a failing data set", -1, gt1pt, 4, {80, 16}},
        {"no answer", 0, gt1pt, 4, {80, 16}},
        // 80 pixels are 21.17 steps of 0.1 cm; a new object is 0.5 cm high.
        {"a centimetre grid", 10, gt1cm, zor::fr01cm, {21 * zor::fr01cm, 5 * zor::fr01cm}},
    };
    for (const auto &c : cases) {
        dataSet->Width = c.DisplayWidth;
        workspace.SetGridType(c.Grid);
        workspace.SetGrid(c.Step, c.Step);
        const std::unique_ptr<QMimeData> data = TreeDrag(*tree, 0, FieldPath(u"Orders"_s, u"Total"_s));
        QDragEnterEvent enter(At({200, 300}), Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(&workspace, &enter);
        ASSERT_TRUE(enter.isAccepted()) << c.Case;
        EXPECT_NEAR(workspace.Insertion().Width, c.Frame.width(), 1e-9) << c.Case;
        EXPECT_NEAR(workspace.Insertion().Height, c.Frame.height(), 1e-4) << c.Case;
        QDragLeaveEvent leave;
        QApplication::sendEvent(&workspace, &leave);
    }
}

// ---- undo in the designer window ----

class QuietDialogs : public TfrxDesignerDialogs
{
public:
    Answer Ask(QWidget *, const QString &) override { return No; }
};

TEST(DataTreeDropInDesigner, UndoTakesTheDropBack)
{
    zorRegisterTemplateFormat();
    zorRegisterDesigner();
    QuietDialogs dialogs;
    TfrxDesignerDialogs::SetCurrent(&dialogs);
    std::unique_ptr<TfrxReport> report = designertest::EmptyReport();
    auto *customers = new TfrxUserDataSet(report.get());
    customers->SetName(u"Customers"_s);
    customers->SetFields({u"Company"_s});
    report->DataSets()->Add(customers);
    {
        TfrxDesignerForm form(*report);
        form.resize(1000, 700);
        form.show();
        FakeDesigner source(*report, form.Page());
        TfrxDataTree tree(source);
        const std::unique_ptr<QMimeData> data = TreeDrag(tree, 0, FieldPath(u"Customers"_s, u"Company"_s));
        TfrxDesignerWorkspace *workspace = form.Workspace();
        ASSERT_TRUE(DropOn(workspace, workspace->ReportToWidget({100, 100}).toPoint(), *data).Dropped);
        ASSERT_NE(report->FindObject(u"CustomersCompany"_s), nullptr);
        EXPECT_EQ(form.SelectedObjects().size(), 1);
        ASSERT_TRUE(form.Action(cmUndo)->isEnabled());

        form.Action(cmUndo)->trigger();
        EXPECT_EQ(report->FindObject(u"CustomersCompany"_s), nullptr);
        EXPECT_FALSE(form.Action(cmUndo)->isEnabled()) << "the drop was the only step";
        form.close();
    }
    TfrxDesignerDialogs::SetCurrent(nullptr);
}

// ---- onto the script editor ----

class ScriptDrop : public SyntaxMemoFixture
{
protected:
    std::unique_ptr<TfrxReport> report = designertest::EmptyReport();
    FakeDesigner designer{*report, designertest::FirstPage(*report)};
    TfrxDataTree tree{designer};
};

TEST_F(ScriptDrop, AnEntryGoesInWhereItIsDroppedAsOneUndoStep)
{
    Load({u"begin"_s, u"  x := ;"_s, u"end."_s}, 1, 3);
    const std::unique_ptr<QMimeData> data =
        TreeDrag(tree, 1, {zorResources().Get(u"dtSysVar"_s), u"Page#"_s});
    const DropResult result = DropOn(memo.viewport(), CellAt(8, 2), *data);
    EXPECT_TRUE(result.Entered);
    EXPECT_TRUE(result.Dropped);
    EXPECT_EQ(Lines(), (QStringList{u"begin"_s, u"  x := <Page#>;"_s, u"end."_s}));
    EXPECT_EQ(Pos(), QPoint(15, 2)) << "the caret behind the inserted text";

    memo.Undo();
    EXPECT_EQ(Lines(), (QStringList{u"begin"_s, u"  x := ;"_s, u"end."_s}));
    EXPECT_FALSE(memo.CanUndo());
}

TEST_F(ScriptDrop, PlainTextIsTakenAndFilesAreNot)
{
    Load({u"a"_s, u"b"_s});
    QMimeData text;
    text.setText(u"one\ntwo"_s);
    EXPECT_TRUE(DropOn(memo.viewport(), CellAt(2, 1), text).Dropped);
    EXPECT_EQ(Lines(), (QStringList{u"aone"_s, u"two"_s, u"b"_s}));

    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(u"/tmp/script.pas"_s)});
    const DropResult refused = DropOn(memo.viewport(), CellAt(1, 1), file);
    EXPECT_FALSE(refused.Entered);
    EXPECT_FALSE(refused.Dropped);
    EXPECT_EQ(Lines(), (QStringList{u"aone"_s, u"two"_s, u"b"_s}));
    EXPECT_TRUE(memo.viewport()->acceptDrops())
        << "the window system brings drops only to widgets that take them";
}

} // namespace
