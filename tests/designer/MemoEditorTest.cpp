// The text editor of text objects driven through its widgets: inserting expressions and
// aggregates, what OK stores, that every other way out changes nothing, and word wrap kept in the
// settings store.
#include "TextDialogsFixture.h"

#include "TfrxFont.h"
#include "TfrxFormat.h"
#include "TfrxHighlight.h"
#include "TfrxMemoEditorForm.h"
#include "TfrxSysMemoEditorForm.h"

#include <QAction>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class MemoEditorTest : public TextDialogsFixture
{
protected:
    void Open()
    {
        form = std::make_unique<TfrxMemoEditorForm>(*designer, *memo);
        form->show();
        QApplication::setActiveWindow(form.get());
    }

    QPlainTextEdit *Text() const { return Child<QPlainTextEdit>(form.get(), "MemoText"); }
    void Trigger(const char *action) const { Child<QAction>(form.get(), action)->trigger(); }

    std::unique_ptr<TfrxMemoEditorForm> form;
};

TEST_F(MemoEditorTest, InsertExpressionPutsTheResultBetweenTheObjectsDelimiters)
{
    const struct
    {
        QString delimiters;
        QString answer;
        QString inserted;
    } cases[] = {
        // A single data field loses its angle brackets.
        {u"[,]"_s, u"<Customers.\"Company\">"_s, u"[Customers.\"Company\"]"_s},
        {u"<%,%>"_s, u"<Customers.\"Company\">"_s, u"<%Customers.\"Company\"%>"_s},
        {u"[,]"_s, u"<Discount> * <Sales.\"Amount\">"_s, u"[<Discount> * <Sales.\"Amount\">]"_s},
        {u"[,]"_s, u"1 + 2"_s, u"[1 + 2]"_s},
        // Without a comma there are no delimiters: the text goes in as it is.
        {u"["_s, u"<Page#>"_s, u"Page#"_s},
        // Cancelled: nothing.
        {u"[,]"_s, QString(), QString()},
    };
    for (const auto &c : cases) {
        memo->SetExpressionDelimiters(c.delimiters);
        memo->SetText(u"Total: "_s);
        designer->ExpressionAnswer = c.answer;
        designer->ExpressionsAsked.clear();
        Open();
        Text()->moveCursor(QTextCursor::End);
        Trigger("InsertExpressionA");
        EXPECT_EQ(designer->ExpressionsAsked, QStringList{QString()});
        EXPECT_EQ(Text()->toPlainText(), u"Total: "_s + c.inserted) << c.answer.toStdString();
        form->accept();
        EXPECT_EQ(memo->Text(), u"Total: "_s + c.inserted + u"\r\n"_s);
    }
}

TEST_F(MemoEditorTest, InsertAggregateInsertsTheAggregateEditorsText)
{
    memo->SetText(QString());
    Open();
    EXPECT_TRUE(AnswerModal<TfrxSysMemoEditorForm>([this] { Trigger("InsertAggregateA"); },
                                                   [](TfrxSysMemoEditorForm *aggregate) {
                                                       EXPECT_EQ(aggregate->windowTitle(), u"Insert Aggregate"_s);
                                                       Child<QComboBox>(aggregate, "FunctionCB")
                                                           ->setCurrentText(u"COUNT"_s);
                                                       aggregate->accept();
                                                   }));
    EXPECT_EQ(Text()->toPlainText(), u"[COUNT(MasterData1)]"_s);
}

TEST_F(MemoEditorTest, OkStoresTextFormatsAndHighlightsAndEmptiesTheDataField)
{
    memo->SetText(u"Plain"_s);
    memo->SetDataField(u"Company"_s);
    Open();
    Text()->setPlainText(u"[A] and\n[B]"_s);
    QTest::mouseClick(Child<QPushButton>(form.get(), "OkB"), Qt::LeftButton);
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(memo->Memo(), QStringList({u"[A] and"_s, u"[B]"_s}));
    EXPECT_TRUE(memo->DataField().isEmpty());
    // One format per expression, though the format page was never shown; one empty highlight.
    EXPECT_EQ(memo->Formats()->Count(), 2);
    ASSERT_EQ(memo->Highlights()->Count(), 1);
    EXPECT_TRUE(memo->Highlight()->Condition().isEmpty());
}

TEST_F(MemoEditorTest, CtrlEnterClosesWithOk)
{
    memo->SetText(u"Old"_s);
    Open();
    Text()->setPlainText(u"New"_s);
    QTest::keyClick(Text(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(memo->Text(), u"New\r\n"_s);
}

// Cancel, Escape and closing the window leave text, formats and highlights as they were, though
// the format page matched its copy to the edited text.
TEST_F(MemoEditorTest, EveryOtherWayOutChangesNothing)
{
    const std::function<void(TfrxMemoEditorForm *)> ways[] = {
        [](TfrxMemoEditorForm *f) { QTest::mouseClick(Child<QPushButton>(f, "CancelB"), Qt::LeftButton); },
        [](TfrxMemoEditorForm *f) { QTest::keyClick(f->findChild<QPlainTextEdit *>(), Qt::Key_Escape); },
        [](TfrxMemoEditorForm *f) { f->close(); },
    };
    for (const auto &leave : ways) {
        memo->SetText(u"[A]"_s);
        memo->DisplayFormat()->SetFormatStr(u"%2.2f"_s);
        memo->Highlight()->SetCondition(u"Value > 5"_s);
        const QByteArray before = designertest::TemplateText(*report);
        Open();
        Text()->setPlainText(u"[A] [B] [C]"_s);
        Child<QTabWidget>(form.get(), "Pages")->setCurrentIndex(1);
        leave(form.get());
        EXPECT_EQ(form->result(), QDialog::Rejected);
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(designertest::TemplateText(*report), before);
    }
}

TEST_F(MemoEditorTest, WordWrapIsKeptInTheSettingsStore)
{
    const QString key = u"Form5.TfrxMemoEditorForm/WordWrap"_s;
    report->GetIniFile()->setValue(key, false);
    Open();
    EXPECT_EQ(Text()->lineWrapMode(), QPlainTextEdit::NoWrap);
    Trigger("WordWrapA");
    EXPECT_EQ(Text()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(Text()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    form->reject();
    EXPECT_TRUE(report->GetIniFile()->value(key).toBool());
    Open();
    EXPECT_EQ(Text()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    form->reject();
    report->GetIniFile()->remove(key);
}

TEST_F(MemoEditorTest, TextPageUsesTheObjectFontInBlackOrTheEditorFont)
{
    memo->Font()->SetName(u"DejaVu Serif"_s);
    memo->Font()->SetColor(zor::clRed);
    Open();
    EXPECT_EQ(Text()->font().family(), u"DejaVu Serif"_s);
    EXPECT_EQ(Text()->palette().color(QPalette::Text), QColor(Qt::black));
    designer->Settings_.UseObjectFont = false;
    designer->Settings_.MemoFontName = u"DejaVu Sans Mono"_s;
    designer->Settings_.MemoFontSize = 12;
    Open();
    EXPECT_EQ(Text()->font().family(), u"DejaVu Sans Mono"_s);
    EXPECT_EQ(Text()->font().pointSize(), 12);
}

} // namespace
