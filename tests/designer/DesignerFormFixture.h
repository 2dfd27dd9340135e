#pragma once

// The designer window over a copy of the certificate's template in a folder of the test's own,
// with the designer's questions answered by the test.

#include "DesignerTestSupport.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxDesignerForm.h"
#include "TfrxDesignerWorkspace.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "zorDesigner.h"
#include "zorTemplateFormat.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace designertest {

// Answers the designer's questions from the test and remembers what it was asked.
class ScriptedDialogs : public TfrxDesignerDialogs
{
public:
    Answer answer = Cancel;
    QStringList fileNames; // answers to the file dialogs; none left means cancel
    QStringList questions;
    QStringList errors;

    Answer Ask(QWidget *, const QString &question) override
    {
        questions << question;
        return answer;
    }
    bool Confirm(QWidget *, const QString &question) override
    {
        questions << question;
        return answer == Yes;
    }
    void ShowError(QWidget *, const QString &text) override { errors << text; }
    QString OpenFileName(QWidget *, const QString &, const QString &) override { return next(); }
    QString SaveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return next();
    }

private:
    QString next() { return fileNames.isEmpty() ? QString() : fileNames.takeFirst(); }
};

class DesignerForm : public ::testing::Test
{
protected:
    void SetUp() override
    {
        zorRegisterTemplateFormat();
        zorRegisterDesigner();
        TfrxDesignerDialogs::SetCurrent(&dialogs);
        ASSERT_TRUE(folder.isValid());
        templatePath = folder.filePath(QStringLiteral("shablon.ze3"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZOR_TEMPLATE_FILE), templatePath));
        QFile::setPermissions(templatePath, QFile::ReadOwner | QFile::WriteOwner);
        report.SetIniFile(folder.filePath(QStringLiteral("designer.ini")));
        ASSERT_TRUE(report.LoadFromFile(templatePath));
    }
    void TearDown() override
    {
        if (form != nullptr) {
            dialogs.answer = TfrxDesignerDialogs::No;
            form->close();
            delete form;
        }
        TfrxDesignerDialogs::SetCurrent(nullptr);
    }

    TfrxDesignerForm *Open()
    {
        form = new TfrxDesignerForm(report);
        form->resize(1200, 800);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
        return form;
    }
    TfrxDesignerWorkspace *Workspace() const { return form->Workspace(); }
    TfrxComponent *Find(const char *name) const { return report.FindObject(QLatin1String(name)); }
    // The widget point at the middle of an object.
    QPoint Middle(const TfrxComponent *object) const
    {
        return Workspace()
            ->ReportToWidget(
                QPointF(object->AbsLeft() + object->Width() / 2, object->AbsTop() + object->Height() / 2))
            .toPoint();
    }
    void Select(const char *name)
    {
        QTest::mouseClick(Workspace(), Qt::LeftButton, {}, Middle(Find(name)));
        ASSERT_EQ(form->SelectedObjects().size(), 1);
        ASSERT_EQ(form->SelectedObjects().front()->Name(), QLatin1String(name));
    }
    void Drag(const QPoint &from, const QPoint &to)
    {
        QTest::mousePress(Workspace(), Qt::LeftButton, {}, from);
        QTest::mouseMove(Workspace(), from + (to - from) / 2);
        QTest::mouseMove(Workspace(), to);
        QTest::mouseRelease(Workspace(), Qt::LeftButton, {}, to);
    }
    // The template as saved, with the time of the last change taken out.
    static QByteArray Saved(const QString &path)
    {
        TfrxReport copy;
        EXPECT_TRUE(copy.LoadFromFile(path));
        copy.ReportOptions()->LastChange = 0;
        return TemplateText(copy);
    }

    ScriptedDialogs dialogs;
    QTemporaryDir folder;
    QString templatePath;
    TfrxReport report;
    TfrxDesignerForm *form = nullptr;
};

} // namespace designertest
