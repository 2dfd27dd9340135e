// Warnings before printing: a field whose text does not fit its object and an object in the
// printer's unprintable margin are named by their labels on the form; the operator prints all
// the same or goes back to the form.
#include "PrintWarnings.h"
#include "CupsSandbox.h"
#include "FakeDialogs.h"
#include "PrintingTestMain.h"
#include "ReportLibrary.h"
#include "SampleCertificate.h"
#include "TBlankArea.h"
#include "TPrintWarningsDialog.h"
#include "TemplateFields.h"
#include "TfmMain.h"
#include "TfrxMemoView.h"
#include "TfrxPreview.h"
#include "TfrxPreviewForm.h"
#include "TfrxPrintDialog.h"
#include "TfrxReport.h"
#include "TfrxVirtualPrinter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString organisation = QStringLiteral("Автономная некоммерческая профессиональная образовательная "
                                            "организация «Учебный центр подготовки водителей транспортных "
                                            "средств «Зелёная волна» имени первого инструктора");

TfrxMemoView *memo(TfrxReport &report, const char *name)
{
    return qobject_cast<TfrxMemoView *>(report.FindObject(QString::fromLatin1(name)));
}

bool mentions(const QStringList &warnings, const QString &text)
{
    return std::any_of(warnings.begin(), warnings.end(), [&](const QString &w) { return w.contains(text); });
}

class PrintWarningRules : public ::testing::Test
{
protected:
    void SetUp() override
    {
        registerReportLibrary();
        ASSERT_TRUE(report.LoadFromFile(QStringLiteral(ZOR_TEMPLATE_FILE), false));
        for (TfrxComponent *object : report.GetAllObjects())
            if (auto *m = qobject_cast<TfrxMemoView *>(object))
                m->SetText(QStringLiteral("12"));
        printer.Init();
    }
    QStringList warnings() { return PrintWarnings::find(*TemplatePage::of(report), &printer); }

    TfrxReport report;
    TfrxVirtualPrinter printer{QStringLiteral("Virtual"), QString()}; // 5 mm margins
};

TEST_F(PrintWarningRules, AFilledTemplateInsideThePrintableAreaHasNone)
{
    EXPECT_TRUE(warnings().isEmpty()) << warnings().join(u'\n').toStdString();
    // The first line of the organisation's name holds two lines.
    memo(report, "Memo1")
        ->SetText(QStringLiteral("Автономная некоммерческая организация «Автошкола Зелёная»"));
    EXPECT_TRUE(warnings().isEmpty()) << warnings().join(u'\n').toStdString();
    // What a template computes is judged only once prepared; the operator's text never is computed.
    memo(report, "Memo5")
        ->SetText(QStringLiteral("[Report.Variables.ALongExpressionOfTheTemplateItself + "
                                 "Report.Variables.AndAnotherOneJustAsLong]"));
    EXPECT_TRUE(warnings().isEmpty()) << warnings().join(u'\n').toStdString();
    memo(report, "Memo5")->SetAllowExpressions(false);
    EXPECT_EQ(warnings().size(), 1) << warnings().join(u'\n').toStdString();
}

TEST_F(PrintWarningRules, EachProblemIsNamedByTheFieldsLabel)
{
    struct Case
    {
        const char *object;
        std::function<void(TfrxMemoView &)> change;
        QString expected;
    };
    const Case cases[] = {
        // Two lines fit the first line of the organisation's name; this needs more.
        {"Memo1", [](TfrxMemoView &m) { m.SetText(organisation); },
         QStringLiteral("«Наименование организации, 1-я строка»: текст не помещается")},
        {"Memo5", [](TfrxMemoView &m) { m.SetText(organisation); },
         QStringLiteral("«Ф.И.О. обучающегося»: текст не помещается")},
        // A text that may not wrap is cut.
        {"Memo4",
         [](TfrxMemoView &m) {
             m.SetWordWrap(false);
             m.SetText(QStringLiteral("АБВГДЕЖЗИКЛМН"));
         },
         QStringLiteral("«Серия»: текст не помещается")},
        // 10 mm page margin less 6 mm: 4 mm from the paper's edge, within the printer's 5.
        {"Memo4", [](TfrxMemoView &m) { m.SetLeft(-6 * 3.77953); },
         QStringLiteral("«Серия»: поле заходит в непечатаемое поле принтера «Virtual» (слева 5 мм)")},
        {"Memo_year", [](TfrxMemoView &m) { m.SetTop(-6 * 3.77953); },
         QStringLiteral(
             "«Дата протокола: год»: поле заходит в непечатаемое поле принтера «Virtual» (сверху 5 мм)")},
        {"Memo22", [](TfrxMemoView &m) { m.SetTop(131 * 3.77953); },
         QStringLiteral(
             "«Кол-во часов, строка 10»: поле заходит в непечатаемое поле принтера «Virtual» (снизу 5 мм)")},
    };
    for (const Case &c : cases) {
        SetUp();
        TfrxMemoView *m = memo(report, c.object);
        ASSERT_NE(m, nullptr) << c.object;
        c.change(*m);
        const QStringList found = warnings();
        EXPECT_EQ(found.size(), 1) << c.object << ": " << found.join(u'\n').toStdString();
        EXPECT_TRUE(mentions(found, c.expected)) << c.object << ": " << found.join(u'\n').toStdString();
    }
}

// Runs step whenever the event loop turns, until it returns true or the owner goes.
void whenReady(QObject *owner, const std::function<bool()> &step)
{
    auto *timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
        if (step())
            timer->deleteLater();
    });
    timer->start(20);
}

// The whole print command: the template beside the program has "Серия" moved off the paper's
// left edge (the tests' queues print to the edge), and the organisation's name is too long.
class PrintWarningsRoad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TfrxReport changed;
        registerReportLibrary();
        ASSERT_TRUE(changed.LoadFromFile(QStringLiteral(ZOR_TEMPLATE_FILE), false));
        memo(changed, "Memo4")->SetLeft(-12 * 3.77953);
        QFile::remove(beside);
        ASSERT_TRUE(changed.SaveToFile(beside));
        QFile::remove(sheetFile);
        CertificateRecord record = sampleCertificate();
        record.texts[0] = organisation;
        window.blank()->setRecord(record);
    }
    void TearDown() override { QFile::remove(beside); }

    // Presses "ПЕЧАТЬ" and answers the warnings with a button; returns the warnings shown and
    // whether the preview opened (it prints at once when it does).
    QStringList printAnswering(bool printAnyway, bool &previewed)
    {
        QStringList shown;
        previewed = false;
        whenReady(&window, [&] {
            auto *dialog = qobject_cast<TPrintWarningsDialog *>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return false;
            shown = dialog->Warnings();
            const QString folder = QDir::temp().filePath(QStringLiteral("calib23"));
            QDir().mkpath(folder);
            dialog->grab().save(folder + QStringLiteral("/print-warnings.png"));
            whenReady(&window, [&] {
                auto *form = qobject_cast<TfrxPreviewForm *>(QApplication::activeModalWidget());
                if (form == nullptr || form->Preview()->Running() || form->Preview()->PageCount() == 0)
                    return false;
                previewed = true;
                whenReady(&window, [] {
                    auto *print = qobject_cast<TfrxPrintDialog *>(QApplication::activeModalWidget());
                    if (print != nullptr)
                        print->accept();
                    return print != nullptr;
                });
                form->Button(QStringLiteral("PrintB"))->trigger();
                form->CloseButton()->click();
                return true;
            });
            (printAnyway ? dialog->PrintButton() : dialog->BackButton())->click();
            return true;
        });
        window.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        return shown;
    }

    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("shablon.ze3"));
    const QString sheetFile = spooler().socketPath().section(u'/', 0, -2) + QStringLiteral("/out/Second.pdf");
    FakeDialogs dialogs;
    TfmMain window{dialogs};
};

TEST_F(PrintWarningsRoad, GoingBackToTheFormPrintsNothing)
{
    bool previewed = true;
    const QStringList shown = printAnswering(false, previewed);
    EXPECT_TRUE(
        mentions(shown, QStringLiteral("«Наименование организации, 1-я строка»: текст не помещается")))
        << shown.join(u'\n').toStdString();
    EXPECT_TRUE(mentions(
        shown,
        QStringLiteral("«Серия»: поле заходит в непечатаемое поле принтера «Second» (за краем листа слева)")))
        << shown.join(u'\n').toStdString();
    EXPECT_EQ(shown.size(), 2) << shown.join(u'\n').toStdString();
    EXPECT_FALSE(previewed);
    QCoreApplication::processEvents();
    EXPECT_FALSE(QFile::exists(sheetFile));
}

TEST_F(PrintWarningsRoad, PrintingAllTheSamePrints)
{
    bool previewed = false;
    const QStringList shown = printAnswering(true, previewed);
    EXPECT_EQ(shown.size(), 2) << shown.join(u'\n').toStdString();
    EXPECT_TRUE(previewed);
    EXPECT_TRUE(spooler().waitUntilPrinted(QStringLiteral("Second"), sheetFile));
}

} // namespace
