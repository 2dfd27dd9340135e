// Pictures of the code tab, the search dialog with its replacement row, and the Evaluate window,
// for a person to look at; every text keeps the room it needs.
#include "CodeTabFixture.h"
#include "LookDialogsTestSupport.h"

#include "TfrxEvaluateForm.h"
#include "TfrxSearchDialog.h"
#include "TfrxWatchList.h"

#include <QLineEdit>

namespace {

class CodeTabLook : public CodeTabFixture
{
};

TEST_F(CodeTabLook, CodeTabWithBreakpointAndWatches)
{
    Open();
    SetScript({QStringLiteral("procedure Memo1OnBeforePrint(Sender: TfrxComponent);"),
               QStringLiteral("begin"),
               QStringLiteral("  Memo1.Text := 'Итого: ' + IntToStr(12); { the total }"),
               QStringLiteral("end;"), QString(), QStringLiteral("begin"), QStringLiteral("end.")});
    Memo()->AddBreakPoint(3, QString());
    Memo()->SetActiveLine(3);
    form->Watches()->SetExpressions({QStringLiteral("Memo1.Text"), QStringLiteral("Page#")});
    QApplication::processEvents();
    lookdialogs::checkAndSavePicture(form->findChild<QWidget *>(QStringLiteral("CodeTab")),
                                     QStringLiteral("CodeTab"));
    EXPECT_TRUE(form->grab().save(
        lookdialogs::picturePath(QStringLiteral("DesignerCodeTab"), form->devicePixelRatioF())));
}

TEST_F(CodeTabLook, ReplaceAndEvaluateWindows)
{
    TfrxSearchDialog search(nullptr, true);
    search.show();
    lookdialogs::checkAndSavePicture(&search, QStringLiteral("ReplaceDialog"));
    TfrxEvaluateForm evaluate(nullptr, QStringLiteral("Memo1.Text"),
                              [](const QString &) { return QStringLiteral("'Итого'"); });
    evaluate.show();
    QTest::keyClick(evaluate.findChild<QLineEdit *>(QStringLiteral("ExpressionE")), Qt::Key_Return);
    EXPECT_EQ(evaluate.Result(), u"'Итого'");
    lookdialogs::checkAndSavePicture(&evaluate, QStringLiteral("EvaluateForm"));
}

} // namespace
