#include "TfrxLanguageMenu.h"

#include "TfrxDesignerDialogs.h"
#include "TfrxResources.h"

#include <QActionGroup>
#include <QMenu>
#include <QSettings>

namespace {

// The per-user store the choice is kept in.
QSettings languageStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tervane"),
                     QStringLiteral("Resources"));
}

} // namespace

TfrxLanguageMenu::TfrxLanguageMenu(TfrxResources &resources, QMenu *view, QWidget *window)
    : QObject(view), FResources(resources), FWindow(window)
{
    const QStringList languages = FResources.Languages();
    if (languages.isEmpty())
        return;
    view->addSeparator();
    FMenu = view->addMenu(FResources.Get(QStringLiteral("2475")));
    FMenu->setObjectName(QStringLiteral("LanguageMenu"));
    FGroup = new QActionGroup(FMenu);
    QStringList names = languages;
    if (!names.contains(BuiltIn(), Qt::CaseInsensitive))
        names.prepend(BuiltIn());
    for (const QString &name : std::as_const(names)) {
        QAction *item = FMenu->addAction(name);
        item->setCheckable(true);
        item->setData(name);
        FGroup->addAction(item);
        connect(item, &QAction::triggered, this, [this, name] { Choose(name); });
    }
    checkCurrent();
}

QString TfrxLanguageMenu::BuiltIn()
{
    return QStringLiteral("English");
}

bool TfrxLanguageMenu::Choose(const QString &language)
{
    QString error;
    const bool builtIn = language.compare(BuiltIn(), Qt::CaseInsensitive) == 0 &&
                         !FResources.Languages().contains(BuiltIn(), Qt::CaseInsensitive);
    if (builtIn)
        FResources.ResetLanguage();
    else if (!FResources.LoadLanguage(language, &error)) {
        checkCurrent();
        TfrxDesignerDialogs::Current().ShowError(FWindow, FResources.Get(QStringLiteral("dsCantLoad")) +
                                                              u'\n' + (error.isEmpty() ? language : error));
        return false;
    }
    languageStore().setValue(QStringLiteral("Language"), builtIn ? BuiltIn() : FResources.CurrentLanguage());
    checkCurrent();
    if (FMenu != nullptr)
        FMenu->setTitle(FResources.Get(QStringLiteral("2475")));
    emit LanguageChanged();
    return true;
}

// Only the language in use is checked: a stored choice is not loaded at start.
void TfrxLanguageMenu::checkCurrent()
{
    if (FGroup == nullptr)
        return;
    const QString current = FResources.CurrentLanguage().isEmpty() ? BuiltIn() : FResources.CurrentLanguage();
    for (QAction *item : FGroup->actions())
        item->setChecked(item->data().toString().compare(current, Qt::CaseInsensitive) == 0);
}
