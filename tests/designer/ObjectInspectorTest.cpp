// The object inspector driven through its grid: changes to one and to several text objects, each
// one undo step; refused values; multi-selection; units; Booleans; script event handlers; the
// object box and the descriptions.

#include "InspectorFixture.h"
#include "TfrxBands.h"
#include "TfrxFont.h"
#include "TfrxFrame.h"
#include "TfrxResources.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QTabBar>
#include <QTimer>

#include <cmath>

using namespace zor;

namespace {

using Selection = std::vector<const char *>;

class InspectorSelection : public InspectorFixture, public ::testing::WithParamInterface<Selection>
{
protected:
    void SetUp() override
    {
        InspectorFixture::SetUp();
        Show(GetParam());
    }
    QList<TfrxMemoView *> Memos() const
    {
        QList<TfrxMemoView *> memos;
        for (const char *name : GetParam())
            memos << Memo(name);
        return memos;
    }
};

TEST_P(InspectorSelection, FontSizeTypedUnderTheExpandedFontIsOneChangeOfEveryObject)
{
    Expand(QStringLiteral("Font"));
    Type(QStringLiteral("Font.Size"), QStringLiteral("14"));
    EXPECT_EQ(Designer->Modifications, 1);
    for (TfrxMemoView *memo : Memos())
        EXPECT_EQ(memo->Font()->Size(), 14) << memo->Name().toStdString();
    // The font stays expanded after the change rebuilt the rows.
    EXPECT_GE(Grid()->FindRow(QStringLiteral("Font.Name")), 0);
}

TEST_P(InspectorSelection, AlignmentChosenFromTheListIsOneChangeOfEveryObject)
{
    Choose(QStringLiteral("HAlign"), QStringLiteral("haCenter"));
    EXPECT_EQ(Designer->Modifications, 1);
    for (TfrxMemoView *memo : Memos())
        EXPECT_EQ(memo->HAlign(), zorTextAlign::haCenter);
    EXPECT_EQ(Value(QStringLiteral("HAlign")), QStringLiteral("haCenter"));
}

TEST_P(InspectorSelection, FrameSideSwitchedOnKeepsEachObjectsOtherSides)
{
    Memos().last()->Frame()->SetTyp(ftBottom);
    Expand(QStringLiteral("Frame"));
    Grid()->SetExpanded(Row(QStringLiteral("Frame.Typ")), true);
    DoubleClickValue(QStringLiteral("Frame.Typ.ftLeft"));
    EXPECT_EQ(Designer->Modifications, 1);
    for (TfrxMemoView *memo : Memos())
        EXPECT_TRUE(memo->Frame()->Typ().testFlag(ftLeft));
    EXPECT_TRUE(Memos().last()->Frame()->Typ().testFlag(ftBottom));
}

TEST_P(InspectorSelection, FontFromTheFontDialogGoesToEveryObject)
{
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<QFontDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QFont chosen(QStringLiteral("DejaVu Sans"));
        chosen.setPointSize(16);
        chosen.setBold(true);
        dialog->setCurrentFont(chosen);
        dialog->accept();
    });
    Click(QStringLiteral("Font"));
    QTest::mouseClick(Grid()->DialogButton(), Qt::LeftButton);
    EXPECT_EQ(Designer->Modifications, 1);
    for (TfrxMemoView *memo : Memos()) {
        EXPECT_EQ(memo->Font()->Size(), 16);
        EXPECT_TRUE(memo->Font()->Style().testFlag(fsBold));
        EXPECT_FALSE(memo->ParentFont());
    }
}

INSTANTIATE_TEST_SUITE_P(OneAndThree, InspectorSelection,
                         ::testing::Values(Selection{"Memo1"}, Selection{"Memo1", "Memo2", "Memo3"}));

using InspectorTest = InspectorFixture;

TEST_F(InspectorTest, RefusedNumbersShowTheMessageAndKeepTheOldValue)
{
    struct Case
    {
        const char *Property;
        const char *Typed;
    };
    const Case cases[] = {
        {"Left", "abc"}, {"Left", "inf"},        {"Width", "nan"},  {"GapX", "1,2,3"},
        {"Tag", "12.5"}, {"Tag", "99999999999"}, {"Rotation", " "},
    };
    Show({"Memo1"});
    for (const Case &c : cases) {
        const QString property = QLatin1String(c.Property);
        const QString before = Value(property);
        Dialogs.Errors.clear();
        Type(property, QLatin1String(c.Typed));
        EXPECT_EQ(Dialogs.Errors, QStringList{QStringLiteral("Invalid property value")})
            << c.Property << " " << c.Typed;
        EXPECT_EQ(Value(property), before);
        EXPECT_EQ(Grid()->Editor()->text(), before);
    }
    EXPECT_EQ(Memo("Memo1")->Left(), 10);
    EXPECT_EQ(Designer->Modifications, 0);
}

TEST_F(InspectorTest, SeveralObjectsShowOnlyWhatEveryOneHasAndAllowsForSeveral)
{
    Show({"Memo1", "Line1"});
    EXPECT_LT(Grid()->FindRow(QStringLiteral("Name")), 0);
    EXPECT_LT(Grid()->FindRow(QStringLiteral("HAlign")), 0);
    EXPECT_LT(Grid()->FindRow(QStringLiteral("Memo")), 0);
    for (const char *shared : {"Left", "Top", "Frame", "Visible", "Tag"})
        EXPECT_GE(Grid()->FindRow(QLatin1String(shared)), 0) << shared;
    Type(QStringLiteral("Top"), QStringLiteral("1"));
    EXPECT_NEAR(Memo("Memo1")->Top(), 96 / 2.54, 1e-9);
    EXPECT_NEAR(Page.Find("Line1")->Top(), 96 / 2.54, 1e-9);
}

TEST_F(InspectorTest, PropertiesHiddenForABaseClassAreHiddenForItsDescendants)
{
    Show({"Memo1"});
    // Hidden for TfrxView and TfrxReportComponent; Memo1 is a TfrxMemoView.
    for (const char *hidden : {"URL", "DataSetName", "BrushStyle", "GroupIndex", "FirstParaBreak"})
        EXPECT_LT(Grid()->FindRow(QLatin1String(hidden)), 0) << hidden;
    EXPECT_GE(Grid()->FindRow(QStringLiteral("Name")), 0);
}

TEST_F(InspectorTest, CoordinatesAreShownAndTypedInTheDesignersUnits)
{
    struct Case
    {
        TfrxDesignerUnits Units;
        const char *Typed;
        double Pixels;
        const char *Shown;
    };
    const Case cases[] = {
        {duCM, "2,5", 2.5 / 2.54 * 96, "2,50"},
        {duCM, "2.5", 2.5 / 2.54 * 96, "2,50"},
        {duInches, "1", 96, "1"},
        {duPixels, " 12,25 ", 12.25, "12,25"},
        {duChars, "3", 3 * 9.6, "3"},
    };
    for (const Case &c : cases) {
        Units = c.Units;
        Show({"Memo1"});
        Type(QStringLiteral("Left"), QLatin1String(c.Typed));
        EXPECT_DOUBLE_EQ(Memo("Memo1")->Left(), c.Pixels) << c.Typed;
        EXPECT_EQ(Value(QStringLiteral("Left")), QLatin1String(c.Shown));
    }
}

TEST_F(InspectorTest, DoubleClickOnABooleanTogglesIt)
{
    Show({"Memo1"});
    const bool before = Memo("Memo1")->WordWrap();
    DoubleClickValue(QStringLiteral("WordWrap"));
    EXPECT_EQ(Memo("Memo1")->WordWrap(), !before);
    DoubleClickValue(QStringLiteral("WordWrap"));
    EXPECT_EQ(Memo("Memo1")->WordWrap(), before);
    EXPECT_EQ(Designer->Modifications, 2);
}

TEST_F(InspectorTest, ClickOnTheCheckBoxOfABooleanTogglesIt)
{
    Show({"Memo1"});
    const bool before = Memo("Memo1")->Clipped();
    Click(QStringLiteral("Clipped"));
    const QRect value = Grid()->ValueRect(Row(QStringLiteral("Clipped")));
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, QPoint(value.left() + 4, value.center().y()));
    EXPECT_EQ(Memo("Memo1")->Clipped(), !before);
}

TEST_F(InspectorTest, ReferencesTakeOnlyObjectsOfAFittingClass)
{
    auto *bandA = Page.Add<TfrxChild>(Page.Page, "ChildA", 0, 200, 700, 20);
    Page.Add<TfrxChild>(Page.Page, "ChildB", 0, 240, 700, 20);
    Show({"Memo1"});
    Type(QStringLiteral("FlowTo"), QStringLiteral("Line1"));
    EXPECT_EQ(Dialogs.Errors, QStringList{QStringLiteral("Invalid property value")});
    Type(QStringLiteral("FlowTo"), QStringLiteral("memo2"));
    EXPECT_EQ(Memo("Memo1")->FlowTo(), Memo("Memo2"));
    Select({"ChildA"});
    Type(QStringLiteral("Child"), QStringLiteral("Memo1"));
    EXPECT_EQ(bandA->Child(), nullptr);
    Choose(QStringLiteral("Child"), QStringLiteral("ChildB"));
    EXPECT_EQ(bandA->Child(), Page.Find("ChildB"));
    EXPECT_EQ(Designer->Modifications, 2);
}

TEST_F(InspectorTest, ASetterRefusingOneOfSeveralObjectsStillRecordsTheOthersChange)
{
    auto *a = Page.Add<TfrxChild>(Page.Page, "ChildA", 0, 200, 700, 20);
    auto *b = Page.Add<TfrxChild>(Page.Page, "ChildB", 0, 240, 700, 20);
    auto *c = Page.Add<TfrxChild>(Page.Page, "ChildC", 0, 280, 700, 20);
    a->SetChild(b);
    Show({"ChildC", "ChildB"});
    // ChildC takes ChildA; ChildB would close the circle ChildA -> ChildB -> ChildA.
    Type(QStringLiteral("Child"), QStringLiteral("ChildA"));
    EXPECT_EQ(c->Child(), a);
    EXPECT_EQ(b->Child(), nullptr);
    EXPECT_EQ(Dialogs.Errors.size(), 1);
    EXPECT_EQ(Designer->Modifications, 1);
}

TEST_F(InspectorTest, ANameIsNeverEmptyNorADuplicate)
{
    Show({"Memo1"});
    TfrxMemoView *memo = Memo("Memo1");
    Type(QStringLiteral("Name"), QStringLiteral("  "));
    Type(QStringLiteral("Name"), QStringLiteral("Memo2"));
    EXPECT_EQ(Dialogs.Errors,
              (QStringList{QStringLiteral("Invalid property value"), QStringLiteral("Duplicate name")}));
    EXPECT_EQ(memo->Name(), QStringLiteral("Memo1"));
    Type(QStringLiteral("Name"), QStringLiteral("Title"));
    EXPECT_EQ(Page.Find("Title"), memo);
    EXPECT_EQ(Designer->Modifications, 1);
    // The object box follows the new name.
    EXPECT_TRUE(Inspector->findChild<QComboBox *>()->findText(QStringLiteral("Title: TfrxMemoView")) >= 0);
}

TEST_F(InspectorTest, EscapeRestoresTheTextAndCommitEditAppliesATypedOne)
{
    Show({"Memo1"});
    Click(QStringLiteral("Tag"));
    QTest::keyClicks(Grid()->Editor(), QStringLiteral("7"));
    QTest::keyClick(Grid()->Editor(), Qt::Key_Escape);
    EXPECT_EQ(Grid()->Editor()->text(), QStringLiteral("0"));
    Grid()->Editor()->setText(QStringLiteral("42"));
    Inspector->CommitEdit();
    EXPECT_EQ(Memo("Memo1")->Tag(), 42);
    EXPECT_EQ(Designer->Modifications, 1);
}

TEST_F(InspectorTest, UpdatesWaitWhileDisabled)
{
    Show({"Memo1"});
    Click(QStringLiteral("Tag"));
    Inspector->DisableUpdate();
    Memo("Memo1")->SetTag(5);
    Inspector->UpdateProperties();
    EXPECT_EQ(Grid()->Editor()->text(), QStringLiteral("0"));
    Inspector->EnableUpdate();
    EXPECT_EQ(Grid()->Editor()->text(), QStringLiteral("5"));
}

TEST_F(InspectorTest, TheObjectBoxListsThePageTheReportAndTheirObjects)
{
    Show({"Memo2"});
    auto *box = Inspector->findChild<QComboBox *>();
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries << box->itemText(i);
    EXPECT_EQ(entries,
              (QStringList{QStringLiteral("Memo1: TfrxMemoView"), QStringLiteral("Memo2: TfrxMemoView"),
                           QStringLiteral("Memo3: TfrxMemoView"), QStringLiteral("Line1: TfrxLineView"),
                           QStringLiteral(": TfrxReport"), QStringLiteral("Page1: TfrxReportPage")}));
    EXPECT_EQ(box->currentText(), QStringLiteral("Memo2: TfrxMemoView"));
    QSignalSpy chosen(Inspector.get(), &TfrxObjectInspector::ObjectChosen);
    box->activated(3);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen.first().first().value<TfrxComponent *>(), Page.Find("Line1"));
}

TEST_F(InspectorTest, TheDescriptionIsTheClassesOwnElseTheGeneralOne)
{
    Show({"Memo1"});
    auto *description = Inspector->findChildren<QLabel *>().last();
    Click(QStringLiteral("Left"));
    EXPECT_TRUE(description->text().contains(zorResources().Get(QStringLiteral("propLeft"))));
    Expand(QStringLiteral("Font"));
    Click(QStringLiteral("Font.Name"));
    EXPECT_TRUE(description->text().contains(zorResources().Get(QStringLiteral("propName.TFont"))));
}

TEST_F(InspectorTest, TheSameRowIsSelectedAfterANewSelection)
{
    Show({"Memo1"});
    Click(QStringLiteral("Top"));
    Select({"Line1"});
    EXPECT_EQ(Grid()->SelectedItem()->Editor()->GetName(), QStringLiteral("Top"));
    Select({"Memo1"});
    Click(QStringLiteral("HAlign"));
    Select({"Line1"});
    EXPECT_EQ(Grid()->ItemIndex(), 0);
}

// ---- Script events ----------------------------------------------------------------------------

struct EventCase
{
    const char *Language;
    QStringList Script;
    QStringList Expected;
    int CaretLine;
};

class InspectorEvents : public InspectorFixture, public ::testing::WithParamInterface<EventCase>
{
};

TEST_P(InspectorEvents, DoubleClickCreatesTheHandlerOnceAndThenJumpsToIt)
{
    Page.Report.SetScriptLanguage(QLatin1String(GetParam().Language));
    Page.Report.SetScriptText(GetParam().Script);
    Show({"Memo1"});
    Inspector->findChild<QTabBar *>()->setCurrentIndex(1);
    DoubleClickValue(QStringLiteral("OnBeforePrint"));
    EXPECT_EQ(Memo("Memo1")->OnBeforePrint(), QStringLiteral("Memo1OnBeforePrint"));
    EXPECT_EQ(Designer->ScriptLines(), GetParam().Expected);
    EXPECT_EQ(Designer->ScriptShownAt, qMakePair(GetParam().CaretLine, 1));
    EXPECT_EQ(Designer->Modifications, 1);

    Designer->ScriptShownAt = {0, 0};
    DoubleClickValue(QStringLiteral("OnBeforePrint"));
    EXPECT_EQ(Designer->ScriptLines(), GetParam().Expected);
    EXPECT_EQ(Designer->ScriptShownAt, qMakePair(GetParam().CaretLine, 1));
    EXPECT_EQ(Designer->Modifications, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, InspectorEvents,
    ::testing::Values(EventCase{"PascalScript",
                                {QStringLiteral("begin"), QString(), QStringLiteral("end.")},
                                {QStringLiteral("procedure Memo1OnBeforePrint(Sender: TfrxComponent);"),
                                 QStringLiteral("begin"), QString(), QStringLiteral("end;"), QString(),
                                 QStringLiteral("begin"), QString(), QStringLiteral("end.")},
                                3},
                      EventCase{"JScript",
                                {QStringLiteral("var x = 1;")},
                                {QStringLiteral("var x = 1;"),
                                 QStringLiteral("function Memo1OnBeforePrint(Sender)"), QStringLiteral("{"),
                                 QString(), QStringLiteral("}"), QString()},
                                4}),
    [](const ::testing::TestParamInfo<EventCase> &language) { return std::string(language.param.Language); });

TEST_F(InspectorTest, TheEventListOffersTheProceduresWhoseParametersFit)
{
    Page.Report.SetScriptText({QStringLiteral("procedure Fits(Sender: TfrxComponent);"),
                               QStringLiteral("begin"), QStringLiteral("end;"),
                               QStringLiteral("procedure Other(X: Integer);"), QStringLiteral("begin"),
                               QStringLiteral("end;"), QStringLiteral("begin"), QStringLiteral("end.")});
    Show({"Memo1"});
    Inspector->findChild<QTabBar *>()->setCurrentIndex(1);
    EXPECT_LT(Grid()->FindRow(QStringLiteral("Left")), 0);
    Choose(QStringLiteral("OnAfterPrint"), QStringLiteral("Fits"));
    EXPECT_EQ(Memo("Memo1")->OnAfterPrint(), QStringLiteral("Fits"));
    EXPECT_EQ(Grid()->Popup()->count(), 1);
}

TEST_F(InspectorTest, AScriptWithoutMainBlockClearsTheEventAndSaysSo)
{
    Page.Report.SetScriptText(
        {QStringLiteral("procedure A;"), QStringLiteral("begin"), QStringLiteral("end;")});
    Show({"Memo1"});
    Inspector->findChild<QTabBar *>()->setCurrentIndex(1);
    DoubleClickValue(QStringLiteral("OnBeforePrint"));
    EXPECT_EQ(Dialogs.Errors, QStringList{QStringLiteral("Could not locate the main proc")});
    EXPECT_EQ(Memo("Memo1")->OnBeforePrint(), QString());
    EXPECT_EQ(Designer->ScriptLines().size(), 3);
}

} // namespace

namespace {

TEST_F(InspectorTest, TheSplitterTakesHalfTheWidthWhenItsPlaceIsUnusable)
{
    Show({"Memo1"});
    const int half = Grid()->viewport()->width() / 2;
    EXPECT_EQ(Inspector->SplitterPos(), half);
    Inspector->SetSplitterPos(100);
    EXPECT_EQ(Inspector->SplitterPos(), 100);
    Inspector->SetSplitterPos(Grid()->viewport()->width() - 5);
    EXPECT_EQ(Inspector->SplitterPos(), half);
    Inspector->SetSplitter1Pos(5);
    EXPECT_EQ(Inspector->Splitter1Pos(), 65);
}

} // namespace
