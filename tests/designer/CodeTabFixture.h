#pragma once

// The designer window on a small report (one page with two text objects), its questions and file
// dialogs answered by the test, for the tests of the code tab, the search and the debugger.

#include "DesignerTestSupport.h"
#include "TfrxCodeTab.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxDesignerForm.h"
#include "TfrxMemoView.h"
#include "TfrxReportPage.h"
#include "TfrxSyntaxMemo.h"
#include "zorDesigner.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

// Runs action and answers the modal windows it opens, one after the other, each by the next
// handler (which closes it); a window beyond the handlers is rejected. Gives the object names of
// the windows in the order they opened.
inline QStringList AnswerModals(const std::function<void()> &action,
                                QList<std::function<void(QWidget *)>> handlers)
{
    QStringList opened;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible())
            return;
        opened << modal->objectName();
        if (handlers.isEmpty())
            QMetaObject::invokeMethod(modal, "reject");
        else
            handlers.takeFirst()(modal);
    });
    timer.start();
    action();
    return opened;
}

class CodeTabDialogs : public TfrxDesignerDialogs
{
public:
    QStringList fileNames; // answers to the file dialogs; none left means cancel
    QStringList errors;

    Answer Ask(QWidget *, const QString &) override { return No; }
    bool Confirm(QWidget *, const QString &) override { return false; }
    void ShowError(QWidget *, const QString &text) override { errors << text; }
    QString OpenFileName(QWidget *, const QString &, const QString &) override { return next(); }
    QString SaveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return next();
    }

private:
    QString next() { return fileNames.isEmpty() ? QString() : fileNames.takeFirst(); }
};

class CodeTabFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        zorRegisterDesigner();
        TfrxDesignerDialogs::SetCurrent(&dialogs);
        ASSERT_TRUE(folder.isValid());
        report = designertest::EmptyReport();
        report->SetIniFile(folder.filePath(QStringLiteral("designer.ini")));
        TfrxReportPage *page = designertest::FirstPage(*report);
        designertest::AddMemo(page, QStringLiteral("Memo1"), 20, 20, 200, 20)
            ->SetText(QStringLiteral("alpha beta"));
        designertest::AddMemo(page, QStringLiteral("Memo2"), 20, 60, 200, 20)
            ->SetText(QStringLiteral("Beta gamma"));
    }
    void TearDown() override
    {
        if (form != nullptr) {
            form->close();
            delete form;
        }
        TfrxDesignerDialogs::SetCurrent(nullptr);
    }

    TfrxDesignerForm *Open()
    {
        form = new TfrxDesignerForm(*report);
        form->resize(1000, 700);
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
        return form;
    }
    void ShowCode()
    {
        form->Action(cmCodeTab)->trigger();
        ASSERT_EQ(form->CurrentTab(), 0);
    }
    TfrxSyntaxMemo *Memo() const { return form->Memo(); }
    void SetScript(const QStringList &lines)
    {
        ShowCode();
        Memo()->SetLines(lines);
    }
    TfrxMemoView *Text(const char *name) const
    {
        return qobject_cast<TfrxMemoView *>(report->FindObject(QLatin1String(name)));
    }

    CodeTabDialogs dialogs;
    QTemporaryDir folder;
    std::unique_ptr<TfrxReport> report;
    TfrxDesignerForm *form = nullptr;
};
