#include "TfrxDesignerDialogs.h"
#include "TfrxLanguageMenu.h"
#include "TfrxResources.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

#include <gtest/gtest.h>

namespace {

class NotedErrors : public TfrxDesignerDialogs
{
public:
    QStringList errors;
    void ShowError(QWidget *, const QString &text) override { errors << text; }
};

QStringList checkedItems(const QMenu &menu)
{
    QStringList checked;
    for (const QAction *item : menu.actions())
        if (item->isChecked())
            checked << item->text();
    return checked;
}

// View ▸ Language over a table of its own, with a good and a broken language file.
class LanguageMenu : public ::testing::Test
{
protected:
    void SetUp() override
    {
        write("russian.frc", R"(<StrRes Name="2" Text="Отмена"/><StrRes Name="2475" Text="Язык"/>)");
        write("german.frc", R"(<StrRes Name="2" Text="Abbrechen"/)");
        TfrxDesignerDialogs::SetCurrent(&dialogs);
        table = std::make_unique<TfrxResources>(dir.path());
        table->LoadBuiltIn();
    }
    void TearDown() override { TfrxDesignerDialogs::SetCurrent(nullptr); }

    void write(const char *name, const char *entries)
    {
        QFile file(QDir(dir.path()).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(R"(<?xml version="1.1" encoding="utf-8"?><Resources CodePage="1251">)") +
                   entries + "</Resources>");
    }

    QTemporaryDir dir;
    NotedErrors dialogs;
    std::unique_ptr<TfrxResources> table; // made once the files are there
    TfrxResources &resources() { return *table; }
    QMenu view;
};

TEST_F(LanguageMenu, ListsTheLanguagesAndSwitchesBetweenThem)
{
    TfrxLanguageMenu language(resources(), &view, nullptr);
    QSignalSpy changed(&language, &TfrxLanguageMenu::LanguageChanged);
    QMenu *menu = language.Menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QStringLiteral("Language"));
    EXPECT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions().at(0)->text(), QStringLiteral("English"));
    EXPECT_EQ(checkedItems(*menu), QStringList{QStringLiteral("English")});

    menu->actions().at(2)->trigger(); // Russian
    EXPECT_EQ(resources().Get(QStringLiteral("2")), QStringLiteral("Отмена"));
    EXPECT_EQ(menu->title(), QStringLiteral("Язык"));
    EXPECT_EQ(checkedItems(*menu), QStringList{QStringLiteral("Russian")});
    EXPECT_EQ(changed.count(), 1);

    menu->actions().at(0)->trigger(); // English
    EXPECT_EQ(resources().Get(QStringLiteral("2")), QStringLiteral("Cancel"));
    EXPECT_EQ(resources().CurrentLanguage(), QString());
    EXPECT_EQ(checkedItems(*menu), QStringList{QStringLiteral("English")});
    EXPECT_EQ(changed.count(), 2);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(LanguageMenu, ABrokenFileIsReportedOnceAndChangesNothing)
{
    TfrxLanguageMenu language(resources(), &view, nullptr);
    QSignalSpy changed(&language, &TfrxLanguageMenu::LanguageChanged);
    ASSERT_TRUE(language.Choose(QStringLiteral("Russian")));
    language.Menu()->actions().at(1)->trigger(); // German, broken
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("german.frc, line 1")))
        << dialogs.errors[0].toStdString();
    EXPECT_EQ(resources().Get(QStringLiteral("2")), QStringLiteral("Отмена"));
    EXPECT_EQ(checkedItems(*language.Menu()), QStringList{QStringLiteral("Russian")});
    EXPECT_EQ(changed.count(), 1) << "only the good choice announced a change";
}

TEST_F(LanguageMenu, NoLanguageFilesNoMenu)
{
    QTemporaryDir empty;
    TfrxResources bare(empty.path());
    TfrxLanguageMenu language(bare, &view, nullptr);
    EXPECT_EQ(language.Menu(), nullptr);
    EXPECT_TRUE(view.actions().isEmpty());
}

} // namespace
