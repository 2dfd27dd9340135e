#pragma once

// A page with three text objects and a line, a designer stand-in over it and the object
// inspector on screen, with helpers that drive the inspector's grid as the operator does.

#include "DesignedPage.h"
#include "FakeDesigner.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxInspectorGrid.h"
#include "TfrxInspectorPopup.h"
#include "TfrxLineView.h"
#include "TfrxObjectInspector.h"
#include "TfrxPropertyEditor.h"
#include "TfrxPropertyList.h"
#include "TfrxReportPropertyEditors.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

// Remembers the errors the inspector shows instead of opening message boxes.
class RecordedErrors : public TfrxDesignerDialogs
{
public:
    QStringList Errors;
    void ShowError(QWidget *, const QString &text) override { Errors << text; }
};

class InspectorFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        zorRegisterPropertyEditors();
        TfrxDesignerDialogs::SetCurrent(&Dialogs);
        Page.Add(Page.Page, "Memo1", 10, 10, 100, 20);
        Page.Add(Page.Page, "Memo2", 10, 40, 100, 20);
        Page.Add(Page.Page, "Memo3", 10, 70, 100, 20);
        Page.Add<TfrxLineView>(Page.Page, "Line1", 10, 100, 100, 0);
    }
    void TearDown() override
    {
        Inspector.reset();
        TfrxDesignerDialogs::SetCurrent(nullptr);
    }

    // The inspector on screen over the designer, showing the named objects.
    void Show(const std::vector<const char *> &names)
    {
        Designer = std::make_unique<FakeDesigner>(Page.Report, Page.Page);
        Designer->Settings_.Units = Units;
        Inspector = std::make_unique<TfrxObjectInspector>(*Designer);
        Inspector->resize(300, 600);
        Inspector->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Inspector.get()));
        Inspector->SetObjects(Designer->Objects());
        Select(names);
    }
    void Select(const std::vector<const char *> &names)
    {
        Designer->SelectedObjects() = Page.Objects(names);
        Inspector->SetSelectedObjects(Designer->SelectedObjects());
    }

    TfrxInspectorGrid *Grid() const { return Inspector->findChild<TfrxInspectorGrid *>(); }
    int Row(const QString &path) const
    {
        const int row = Grid()->FindRow(path);
        EXPECT_GE(row, 0) << path.toStdString();
        return row;
    }
    QString Value(const QString &path) const { return Grid()->RowItem(Row(path))->Editor()->GetValue(); }
    void Click(const QString &path)
    {
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->NameRect(Row(path)).center());
    }
    // A click on the expander left of a top-level row.
    void Expand(const QString &path)
    {
        const QRect name = Grid()->NameRect(Row(path));
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {},
                          QPoint(TfrxInspectorGrid::Indent / 2, name.center().y()));
    }
    // Selects the row, replaces the text of its editor and presses Enter.
    void Type(const QString &path, const QString &text)
    {
        Click(path);
        QLineEdit *edit = Grid()->Editor();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void DoubleClickValue(const QString &path)
    {
        Click(path);
        QTest::mouseDClick(Grid()->Editor(), Qt::LeftButton);
    }
    // Opens the drop-down list of the row and clicks an entry.
    void Choose(const QString &path, const QString &entry)
    {
        Click(path);
        QTest::mouseClick(Grid()->ListButton(), Qt::LeftButton);
        TfrxInspectorPopup *popup = Grid()->Popup();
        ASSERT_TRUE(popup->isVisible());
        const QList<QListWidgetItem *> found = popup->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << entry.toStdString();
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                          popup->visualItemRect(found.first()).center());
    }

    TfrxMemoView *Memo(const char *name) const { return qobject_cast<TfrxMemoView *>(Page.Find(name)); }

    DesignedPage Page;
    RecordedErrors Dialogs;
    TfrxDesignerUnits Units = duCM;
    std::unique_ptr<FakeDesigner> Designer;
    std::unique_ptr<TfrxObjectInspector> Inspector;
};
