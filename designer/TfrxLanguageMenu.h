#pragma once

#include <QObject>

class QActionGroup;
class QMenu;
class QWidget;
class TfrxResources;

// The designer's View ▸ Language submenu: English (the built-in texts) and one radio item per
// language file found; the language in use is checked. Choosing one puts its texts over the
// string table, remembers the choice in the per-user store and announces LanguageChanged so the
// window shows its texts again. A file that cannot be read leaves every text as it was and is
// reported once, with its place.
class TfrxLanguageMenu : public QObject
{
    Q_OBJECT

public:
    // Adds a separator and the submenu to `view` when language files exist; nothing otherwise.
    TfrxLanguageMenu(TfrxResources &resources, QMenu *view, QWidget *window);

    // The submenu, or none when there are no language files.
    QMenu *Menu() const { return FMenu; }
    // Chooses a language as its item does; false when it could not be loaded.
    bool Choose(const QString &language);

    // The language of the built-in tables.
    static QString BuiltIn();

signals:
    void LanguageChanged();

private:
    void checkCurrent();

    TfrxResources &FResources;
    QWidget *FWindow;
    QMenu *FMenu = nullptr;
    QActionGroup *FGroup = nullptr;
};
