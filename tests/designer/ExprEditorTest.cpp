// The expression editor driven through its widgets: the data tree inserts at the caret, the
// window keeps its place, and the entry point gives the text or nothing.
#include "TextDialogsFixture.h"

#include "TfrxExprEditorForm.h"
#include "TfrxResources.h"
#include "zorEditorDialogs.h"

#include <QPlainTextEdit>
#include <QSettings>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

class ExprEditorTest : public TextDialogsFixture
{
protected:
    void SetUp() override
    {
        TextDialogsFixture::SetUp();
        report->GetIniFile()->remove(u"Form5.TfrxExprEditorForm"_s);
    }
    void TearDown() override { report->GetIniFile()->remove(u"Form5.TfrxExprEditorForm"_s); }
};

TEST_F(ExprEditorTest, DoubleClickInTheTreeInsertsAtTheCaret)
{
    TfrxExprEditorForm form(*designer);
    form.show();
    form.SetExpression(u"IIF(, 1, 2)"_s);
    auto *edit = Child<QPlainTextEdit>(&form, "ExprMemo");
    QTextCursor caret = edit->textCursor();
    caret.setPosition(4);
    edit->setTextCursor(caret);
    auto *tree = Child<QTreeWidget>(&form, "DataTree");
    QTreeWidgetItem *company = tree->topLevelItem(0)->child(0)->child(0);
    ASSERT_EQ(company->text(0), u"Company"_s);
    tree->scrollToItem(company);
    const QPoint at = tree->visualItemRect(company).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(form.Expression(), u"IIF(<Customers.\"Company\">, 1, 2)"_s);
}

TEST_F(ExprEditorTest, TheWindowKeepsItsPlace)
{
    QRect place;
    {
        TfrxExprEditorForm form(*designer);
        form.show();
        form.setGeometry(40, 50, 700, 460);
        place = form.geometry();
        form.reject();
    }
    const std::unique_ptr<QSettings> store = report->GetIniFile();
    EXPECT_EQ(store->value(u"Form5.TfrxExprEditorForm/Width"_s).toInt(), place.width());
    EXPECT_EQ(store->value(u"Form5.TfrxExprEditorForm/Left"_s).toInt(), place.x());
    TfrxExprEditorForm again(*designer);
    EXPECT_EQ(again.geometry().size(), place.size());
    EXPECT_EQ(again.geometry().topLeft(), place.topLeft());
}

TEST_F(ExprEditorTest, EntryPointGivesTheTextOrNothing)
{
    QString result;
    EXPECT_TRUE(AnswerModal<TfrxExprEditorForm>([&] { result = zorEditExpression(*designer, u"1 + 1"_s); },
                                                [](TfrxExprEditorForm *f) {
                                                    EXPECT_EQ(f->Expression(), u"1 + 1"_s);
                                                    f->SetExpression(u"2 + 2"_s);
                                                    f->accept();
                                                }));
    EXPECT_EQ(result, u"2 + 2"_s);
    EXPECT_TRUE(AnswerModal<TfrxExprEditorForm>([&] { result = zorEditExpression(*designer, u"1 + 1"_s); },
                                                [](TfrxExprEditorForm *f) { f->reject(); }));
    EXPECT_TRUE(result.isEmpty());
}

} // namespace
