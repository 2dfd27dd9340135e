// The object inspector inside the designer window, on the certificate's template: what is typed
// there is one undo step that Undo takes back, and a handler made from the event column runs when
// the report is prepared.
#include "DesignerFormFixture.h"
#include "TfrxFont.h"
#include "TfrxInspectorGrid.h"
#include "TfrxMemoView.h"
#include "TfrxObjectInspector.h"
#include "TfrxPreviewPages.h"
#include "TfrxReportPage.h"
#include "zorEngine.h"
#include "zorScriptBindings.h"

#include <QDir>
#include <QLineEdit>
#include <QTabBar>

using namespace designertest;

namespace {

class DesignerInspector : public DesignerForm
{
protected:
    TfrxObjectInspector *Inspector() const { return form->findChild<TfrxObjectInspector *>(); }
    TfrxInspectorGrid *Grid() const { return Inspector()->findChild<TfrxInspectorGrid *>(); }
    TfrxMemoView *Memo(const char *name) const { return qobject_cast<TfrxMemoView *>(Find(name)); }

    void SelectMemos(const std::vector<const char *> &names)
    {
        QList<TfrxComponent *> &selection = form->SelectedObjects();
        selection.clear();
        for (const char *name : names)
            selection.append(Find(name));
        form->SelectionChanged();
    }
    int Row(const QString &path) const
    {
        const int row = Grid()->FindRow(path);
        EXPECT_GE(row, 0) << path.toStdString();
        return row;
    }
    void Click(const QString &path)
    {
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->NameRect(Row(path)).center());
    }
    void Expand(const QString &path)
    {
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {},
                          QPoint(TfrxInspectorGrid::Indent / 2, Grid()->NameRect(Row(path)).center().y()));
    }
    void Type(const QString &path, const QString &text)
    {
        Click(path);
        QLineEdit *edit = Grid()->Editor();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

TEST_F(DesignerInspector, AFontSizeTypedForOneOrThreeFieldsIsOneStepThatUndoTakesBack)
{
    Open();
    const std::vector<std::vector<const char *>> selections = {{"Memo1"}, {"Memo2", "Memo3", "Memo4"}};
    for (const std::vector<const char *> &names : selections) {
        SelectMemos(names);
        const int steps = form->UndoBuffer().UndoCount();
        std::vector<int> before;
        for (const char *name : names)
            before.push_back(Memo(name)->Font()->Size());
        if (Grid()->FindRow(QStringLiteral("Font.Size")) < 0) // stays expanded for the next selection
            Expand(QStringLiteral("Font"));
        Type(QStringLiteral("Font.Size"), QStringLiteral("17"));
        for (const char *name : names)
            EXPECT_EQ(Memo(name)->Font()->Size(), 17) << name;
        EXPECT_EQ(form->UndoBuffer().UndoCount(), steps + 1);
        EXPECT_TRUE(form->Modified());

        form->Undo();
        for (size_t i = 0; i < names.size(); ++i)
            EXPECT_EQ(Memo(names[i])->Font()->Size(), before[i]) << names[i];
    }
}

TEST_F(DesignerInspector, ANumberThatIsNoNumberIsRefusedAndTheOldValueStays)
{
    Open();
    SelectMemos({"Memo1"});
    const double left = Memo("Memo1")->Left();
    const int steps = form->UndoBuffer().UndoCount();
    Type(QStringLiteral("Left"), QStringLiteral("abc"));
    EXPECT_EQ(Memo("Memo1")->Left(), left);
    EXPECT_EQ(form->UndoBuffer().UndoCount(), steps);
    EXPECT_FALSE(dialogs.errors.isEmpty());
}

TEST_F(DesignerInspector, AHandlerMadeFromTheEventColumnRunsWhenTheReportIsPrepared)
{
    zorRegisterEngine();
    zorRegisterScriptBindings();
    Open();
    SelectMemos({"Memo1"});
    Inspector()->findChild<QTabBar *>()->setCurrentIndex(1);
    Click(QStringLiteral("OnBeforePrint"));
    QTest::mouseDClick(Grid()->Editor(), Qt::LeftButton);
    ASSERT_EQ(Memo("Memo1")->OnBeforePrint(), QStringLiteral("Memo1OnBeforePrint"));

    // The operator writes the handler's body on the empty line left for it.
    QStringList script = form->ScriptLines();
    const qsizetype body = script.indexOf(QStringLiteral("begin")) + 1;
    ASSERT_EQ(script.at(body), QString());
    script[body] = QStringLiteral("  Memo1.Text := 'из обработчика';");
    form->SetScriptLines(script);

    ASSERT_TRUE(report.PrepareReport());
    const TfrxComponent *prepared = report.PreviewPages()->GetPage(0)->FindObject(QStringLiteral("Memo1"));
    ASSERT_NE(prepared, nullptr);
    EXPECT_EQ(qobject_cast<const TfrxMemoView *>(prepared)->Text().trimmed(),
              QStringLiteral("из обработчика"));
}

// The designer with the inspector, for a person to look at.
TEST_F(DesignerInspector, PictureOfTheDesignerWithTheInspector)
{
    Open();
    SelectMemos({"Memo1"});
    const QString folder = QDir::temp().filePath(QStringLiteral("zelta-designer"));
    QDir().mkpath(folder);
    EXPECT_TRUE(form->grab().save(folder + QStringLiteral("/designer-inspector.png")));
}

} // namespace
