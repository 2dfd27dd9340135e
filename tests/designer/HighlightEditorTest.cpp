// The highlight editor driven through its widgets: conditions through the expression editor,
// their order, the switches of the chosen highlight, and what reaches the object.
#include "TextDialogsFixture.h"

#include "TfrxHighlight.h"
#include "TfrxHighlightEditor.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

class HighlightEditorTest : public TextDialogsFixture
{
protected:
    void SetConditions(const QStringList &conditions) const
    {
        memo->Highlights()->Clear();
        for (const QString &condition : conditions)
            static_cast<TfrxHighlight *>(memo->Highlights()->Add())->SetCondition(condition);
    }
    void Open()
    {
        editor = std::make_unique<TfrxHighlightEditor>(*designer, *memo);
        editor->show();
    }
    QListWidget *List() const { return Child<QListWidget>(editor.get(), "ConditionsLB"); }
    QStringList Shown() const
    {
        QStringList shown;
        for (int i = 0; i < List()->count(); ++i)
            shown.append(List()->item(i)->text());
        return shown;
    }
    template <class T = QPushButton> void Click(const char *name) const
    {
        QTest::mouseClick(Child<T>(editor.get(), name), Qt::LeftButton);
    }
    QStringList Stored() const
    {
        QStringList stored;
        for (const TfrxCollectionItem *item : memo->Highlights()->Items())
            stored.append(static_cast<const TfrxHighlight *>(item)->Condition());
        return stored;
    }

    std::unique_ptr<TfrxHighlightEditor> editor;
};

TEST_F(HighlightEditorTest, DeletingEveryConditionLeavesOneEmptyHighlight)
{
    SetConditions({u"Value > 5"_s, u"Value < 0"_s});
    Open();
    Click("DeleteB");
    Click("DeleteB");
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_FALSE(Child<QPushButton>(editor.get(), "DeleteB")->isEnabled());
    editor->Store(*memo);
    EXPECT_EQ(Stored(), QStringList{QString()});
}

TEST_F(HighlightEditorTest, TheSingleEmptyHighlightCountsAsNone)
{
    SetConditions({u"  "_s});
    Open();
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_FALSE(Child<QCheckBox>(editor.get(), "FontCB")->isEnabled());
}

TEST_F(HighlightEditorTest, AddAndEditAskTheExpressionEditor)
{
    SetConditions({u"Value > 5"_s});
    Open();
    designer->ExpressionAnswer = u"Value > 100"_s;
    Click("AddB");
    EXPECT_EQ(designer->ExpressionsAsked, QStringList{u"Value = 0"_s});
    EXPECT_EQ(Shown(), QStringList({u"Value > 5"_s, u"Value > 100"_s}));
    EXPECT_EQ(List()->currentRow(), 1);

    List()->setCurrentRow(0);
    designer->ExpressionAnswer = u"Value >= 5"_s;
    Click("EditB");
    EXPECT_EQ(designer->ExpressionsAsked.last(), u"Value > 5"_s);

    // A cancelled expression editor adds and changes nothing.
    designer->ExpressionAnswer.clear();
    Click("AddB");
    Click("EditB");
    EXPECT_EQ(Shown(), QStringList({u"Value >= 5"_s, u"Value > 100"_s}));
    // The object sees none of it before Store.
    EXPECT_EQ(Stored(), QStringList{u"Value > 5"_s});
    editor->Store(*memo);
    EXPECT_EQ(Stored(), QStringList({u"Value >= 5"_s, u"Value > 100"_s}));
}

TEST_F(HighlightEditorTest, DeleteChoosesTheSuccessorAndArrowsMove)
{
    const struct
    {
        int deleted;
        QStringList left;
        int chosen;
    } cases[] = {
        {0, {u"B"_s, u"C"_s}, 0},
        {1, {u"A"_s, u"C"_s}, 1},
        {2, {u"A"_s, u"B"_s}, 1}, // the last one: the new last is chosen
    };
    for (const auto &c : cases) {
        SetConditions({u"A"_s, u"B"_s, u"C"_s});
        Open();
        List()->setCurrentRow(c.deleted);
        Click("DeleteB");
        EXPECT_EQ(Shown(), c.left) << c.deleted;
        EXPECT_EQ(List()->currentRow(), c.chosen) << c.deleted;
    }
    SetConditions({u"A"_s, u"B"_s, u"C"_s});
    Open();
    List()->setCurrentRow(0);
    Click<QToolButton>("DownB");
    Click<QToolButton>("DownB");
    Click<QToolButton>("DownB"); // already last: stays
    EXPECT_EQ(Shown(), QStringList({u"B"_s, u"C"_s, u"A"_s}));
    Click<QToolButton>("UpB");
    EXPECT_EQ(Shown(), QStringList({u"B"_s, u"A"_s, u"C"_s}));
    EXPECT_EQ(List()->currentRow(), 1);
}

TEST_F(HighlightEditorTest, SwitchesSetTheChosenHighlightAndEnableItsButtons)
{
    SetConditions({u"A"_s, u"B"_s});
    Open();
    List()->setCurrentRow(1);
    const auto box = [this](const char *name) { return Child<QCheckBox>(editor.get(), name); };
    const auto button = [this](const char *name) { return Child<QPushButton>(editor.get(), name); };
    // The defaults: font and fill applied, the frame not.
    EXPECT_TRUE(button("FontB")->isEnabled());
    EXPECT_FALSE(button("FrameB")->isEnabled());
    box("FrameCB")->setChecked(true);
    box("FontCB")->setChecked(false);
    box("VisibleCB")->setChecked(false);
    EXPECT_TRUE(button("FrameB")->isEnabled());
    EXPECT_FALSE(button("FontB")->isEnabled());
    List()->setCurrentRow(0);
    EXPECT_FALSE(box("FrameCB")->isChecked());
    editor->Store(*memo);
    const auto *second = static_cast<const TfrxHighlight *>(memo->Highlights()->Item(1));
    EXPECT_TRUE(second->ApplyFrame());
    EXPECT_FALSE(second->ApplyFont());
    EXPECT_TRUE(second->ApplyFill());
    EXPECT_FALSE(second->Visible());
    EXPECT_TRUE(static_cast<const TfrxHighlight *>(memo->Highlights()->Item(0))->Visible());
}

} // namespace
