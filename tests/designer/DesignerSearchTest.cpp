// Find, Replace and Find Next of the designer, over the page's text objects and over the script:
// the question before each replacement and its four answers, "not found", and the search going
// on behind a replacement.
#include "CodeTabFixture.h"

#include "TfrxSearchDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

class DesignerSearch : public CodeTabFixture
{
protected:
    // A handler that fills in the search dialog and presses OK.
    static std::function<void(QWidget *)> Search(const QString &text, const QString &replaceWith = {},
                                                 bool caseSensitive = false, bool fromTop = true)
    {
        return [=](QWidget *widget) {
            auto *dialog = qobject_cast<TfrxSearchDialog *>(widget);
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QLineEdit *>(QStringLiteral("TextE"))->setText(text);
            dialog->findChild<QLineEdit *>(QStringLiteral("ReplaceE"))->setText(replaceWith);
            dialog->findChild<QCheckBox *>(QStringLiteral("CaseCB"))->setChecked(caseSensitive);
            dialog->findChild<QCheckBox *>(QStringLiteral("TopCB"))->setChecked(fromTop);
            dialog->accept();
        };
    }
    // A handler that presses a button of a message box.
    static std::function<void(QWidget *)> Press(QMessageBox::StandardButton button)
    {
        return [button](QWidget *widget) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            ASSERT_NE(box, nullptr);
            box->button(button)->click();
        };
    }
    QString Selected() const
    {
        return form->SelectedObjects().size() == 1 ? form->SelectedObjects().front()->Name() : QString();
    }
    const QString question = QStringLiteral("ReplaceQuestion");
    const QString notFound = QStringLiteral("NotFoundMessage");
};

TEST_F(DesignerSearch, FindSelectsEachMatchingTextObjectIgnoringCase)
{
    Open();
    EXPECT_FALSE(form->Action(cmFindNext)->isEnabled());
    EXPECT_EQ(AnswerModals([&] { form->Action(cmFind)->trigger(); }, {Search(QStringLiteral("BETA"))}),
              QStringList({QStringLiteral("TfrxSearchDialog")}));
    EXPECT_EQ(Selected(), u"Memo1");
    EXPECT_TRUE(form->Action(cmFindNext)->isEnabled());
    form->Action(cmFindNext)->trigger();
    EXPECT_EQ(Selected(), u"Memo2");
    EXPECT_EQ(AnswerModals([&] { form->Action(cmFindNext)->trigger(); }, {Press(QMessageBox::Ok)}),
              QStringList({notFound}));
    EXPECT_FALSE(form->Modified());
}

TEST_F(DesignerSearch, ReplaceAllChangesEveryMatchingObjectWithoutMoreQuestions)
{
    Open();
    const QStringList opened =
        AnswerModals([&] { form->Action(cmReplace)->trigger(); },
                     {Search(QStringLiteral("beta"), QStringLiteral("delta")), Press(QMessageBox::YesToAll)});
    EXPECT_EQ(opened, QStringList({QStringLiteral("TfrxSearchDialog"), question}));
    EXPECT_EQ(Text("Memo1")->Text().trimmed(), u"alpha delta");
    EXPECT_EQ(Text("Memo2")->Text().trimmed(), u"delta gamma");
    EXPECT_TRUE(form->Modified());
}

TEST_F(DesignerSearch, ReplaceAnsweredNoLeavesTheFirstMatchSelectedAndUnchanged)
{
    Open();
    AnswerModals([&] { form->Action(cmReplace)->trigger(); },
                 {Search(QStringLiteral("beta"), QStringLiteral("delta")), Press(QMessageBox::No)});
    EXPECT_EQ(Selected(), u"Memo1");
    EXPECT_EQ(Text("Memo1")->Text().trimmed(), u"alpha beta");
    EXPECT_FALSE(form->Modified());
    // Yes on the next step replaces that object only.
    AnswerModals([&] { form->Action(cmFindNext)->trigger(); }, {Press(QMessageBox::Yes)});
    EXPECT_EQ(Selected(), u"Memo2");
    EXPECT_EQ(Text("Memo2")->Text().trimmed(), u"delta gamma");
    EXPECT_EQ(Text("Memo1")->Text().trimmed(), u"alpha beta");
}

TEST_F(DesignerSearch, CaseSensitiveSearchSkipsOtherCases)
{
    Open();
    AnswerModals([&] { form->Action(cmFind)->trigger(); }, {Search(QStringLiteral("Beta"), {}, true)});
    EXPECT_EQ(Selected(), u"Memo2");
}

TEST_F(DesignerSearch, SearchFromBeginningOnlyInTheCodeTab)
{
    Open();
    bool enabled = true;
    auto look = [&](QWidget *dialog) {
        enabled = dialog->findChild<QCheckBox *>(QStringLiteral("TopCB"))->isEnabled();
        EXPECT_TRUE(dialog->findChild<QLineEdit *>(QStringLiteral("ReplaceE"))->isHidden());
        QMetaObject::invokeMethod(dialog, "reject");
    };
    AnswerModals([&] { form->Action(cmFind)->trigger(); }, {look});
    EXPECT_FALSE(enabled);
    ShowCode();
    AnswerModals([&] { form->Action(cmFind)->trigger(); }, {look});
    EXPECT_TRUE(enabled);
}

// A one-line script is searched too, and All with a replacement that holds the search text ends.
TEST_F(DesignerSearch, ReplaceAllInTheScriptGoesOnBehindTheInsertedText)
{
    Open();
    SetScript({QStringLiteral("a := 'A';")});
    const QStringList opened =
        AnswerModals([&] { form->Action(cmReplace)->trigger(); },
                     {Search(QStringLiteral("a"), QStringLiteral("ba")), Press(QMessageBox::YesToAll)});
    EXPECT_EQ(opened, QStringList({QStringLiteral("TfrxSearchDialog"), question}));
    EXPECT_EQ(Memo()->Lines(), QStringList({QStringLiteral("ba := 'ba';")}));
    EXPECT_TRUE(form->Modified());
}

TEST_F(DesignerSearch, FindInTheScriptStartsAtTheCaretAndSelectsTheMatch)
{
    Open();
    SetScript({QStringLiteral("begin"), QStringLiteral("  x := 1;"), QStringLiteral("  x := 2;"),
               QStringLiteral("end.")});
    Memo()->SetPos(1, 3);
    AnswerModals([&] { form->Action(cmFind)->trigger(); }, {Search(QStringLiteral("x"), {}, false, false)});
    EXPECT_EQ(Memo()->Pos(), QPoint(3, 3));
    EXPECT_EQ(Memo()->SelText(), u"x");
    EXPECT_EQ(AnswerModals([&] { form->Action(cmFindNext)->trigger(); }, {Press(QMessageBox::Ok)}),
              QStringList({notFound}));
    AnswerModals([&] { form->Action(cmFind)->trigger(); }, {Search(QStringLiteral("x"), {}, false, true)});
    EXPECT_EQ(Memo()->Pos(), QPoint(3, 2));
}

} // namespace
