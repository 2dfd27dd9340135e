// The hyperlink editor and the lines editor driven through their widgets.
#include "TextDialogsFixture.h"

#include "TfrxHyperlink.h"
#include "TfrxHyperlinkEditorForm.h"
#include "TfrxStringsEditorForm.h"
#include "zorEditorDialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace zor;

namespace {

using HyperlinkEditorTest = TextDialogsFixture;

TEST_F(HyperlinkEditorTest, StoresTheKindsFieldsAndEmptiesTheOthers)
{
    TfrxHyperlink link;
    link.SetKind(hkDetailPage);
    link.SetDetailPage(u"Page1"_s);
    link.SetReportVariable(u"Customer"_s);
    link.SetExpression(u"<Customers.\"Name\">"_s);
    TfrxHyperlinkEditorForm form(*designer, link);
    form.show();
    EXPECT_EQ(Child<QListWidget>(&form, "KindLB")->currentRow(), 4);
    EXPECT_TRUE(Child<QRadioButton>(&form, "ExpressionRB")->isChecked());
    EXPECT_TRUE(Child<QComboBox>(&form, "PageCB")->isVisible());
    EXPECT_FALSE(Child<QLineEdit>(&form, "ReportE")->isVisible());

    // A URL by its fixed value: the detail page, variable and expression go.
    Child<QListWidget>(&form, "KindLB")->setCurrentRow(0);
    EXPECT_EQ(Child<QLabel>(&form, "PromptL")->text(), u"Enter URL:"_s);
    EXPECT_FALSE(Child<QLineEdit>(&form, "VariableE")->isVisible());
    Child<QRadioButton>(&form, "ValueRB")->setChecked(true);
    Child<QLineEdit>(&form, "ValueE")->setText(u"https://example.org"_s);
    form.Store(link);
    EXPECT_EQ(link.Kind(), hkURL);
    EXPECT_EQ(link.Value(), u"https://example.org"_s);
    EXPECT_TRUE(link.Expression().isEmpty());
    EXPECT_TRUE(link.DetailPage().isEmpty());
    EXPECT_TRUE(link.ReportVariable().isEmpty());
}

TEST_F(HyperlinkEditorTest, ExpressionButtonAsksTheExpressionEditor)
{
    TfrxHyperlink link;
    TfrxHyperlinkEditorForm form(*designer, link);
    form.show();
    Child<QRadioButton>(&form, "ExpressionRB")->setChecked(true);
    designer->ExpressionAnswer = u"<Page#> + 1"_s;
    Child<QToolButton>(&form, "ExpressionB")->click();
    Child<QListWidget>(&form, "KindLB")->setCurrentRow(1);
    form.Store(link);
    EXPECT_EQ(link.Kind(), hkPageNumber);
    EXPECT_EQ(link.Expression(), u"<Page#> + 1"_s);
    EXPECT_TRUE(link.Value().isEmpty());
}

TEST_F(HyperlinkEditorTest, EntryPointChangesTheHyperlinkOnlyOnOk)
{
    TfrxHyperlink link;
    link.SetValue(u"old"_s);
    const auto answer = [](bool ok) {
        return [ok](TfrxHyperlinkEditorForm *f) {
            Child<QLineEdit>(f, "ValueE")->setText(u"new"_s);
            ok ? f->accept() : f->reject();
        };
    };
    EXPECT_TRUE(AnswerModal<TfrxHyperlinkEditorForm>([&] { EXPECT_FALSE(zorEditHyperlink(*designer, &link)); },
                                                     answer(false)));
    EXPECT_EQ(link.Value(), u"old"_s);
    EXPECT_TRUE(AnswerModal<TfrxHyperlinkEditorForm>([&] { EXPECT_TRUE(zorEditHyperlink(*designer, &link)); },
                                                     answer(true)));
    EXPECT_EQ(link.Value(), u"new"_s);
}

using StringsEditorTest = TextDialogsFixture;

TEST_F(StringsEditorTest, EditsTheLinesOnlyOnOk)
{
    QStringList lines{u"one"_s, u"two"_s};
    const auto answer = [](const QString &text, bool ok) {
        return [text, ok](TfrxStringsEditorForm *f) {
            EXPECT_EQ(f->findChild<QPlainTextEdit *>()->toPlainText(), u"one\ntwo"_s);
            f->findChild<QPlainTextEdit *>()->setPlainText(text);
            ok ? f->accept() : f->reject();
        };
    };
    AnswerModal<TfrxStringsEditorForm>([&] { EXPECT_FALSE(zorEditLines(nullptr, lines)); },
                                                           answer(u"gone"_s, false));
    EXPECT_EQ(lines, QStringList({u"one"_s, u"two"_s}));
    // A final line break makes no extra empty line.
    AnswerModal<TfrxStringsEditorForm>([&] { EXPECT_TRUE(zorEditLines(nullptr, lines)); },
                                                           answer(u"one\n\nthree\n"_s, true));
    EXPECT_EQ(lines, QStringList({u"one"_s, QString(), u"three"_s}));
}

} // namespace
