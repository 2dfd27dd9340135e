#pragma once

// What the tests of the frame, fill, picture and style dialogs share: answers to the designer's
// file dialogs and error messages, answers to modal dialogs, colour choices and pictures of the
// dialogs for a person to look at.

#include "ModalAnswer.h"
#include "TfrxColorPicker.h"
#include "TfrxDesignerDialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace lookdialogs {

inline QStringList Strings(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

// Answers the file dialogs from a list (none left means cancel) and keeps the errors shown.
class ScriptedDialogs : public TfrxDesignerDialogs
{
public:
    ScriptedDialogs() { TfrxDesignerDialogs::SetCurrent(this); }
    ~ScriptedDialogs() override { TfrxDesignerDialogs::SetCurrent(nullptr); }

    QStringList fileNames;
    QStringList filters;
    QStringList errors;

    void ShowError(QWidget *, const QString &text) override { errors << text; }
    QString OpenFileName(QWidget *, const QString &, const QString &filter) override
    {
        filters << filter;
        return next();
    }
    QString SaveFileName(QWidget *, const QString &, const QString &filter, const QString &) override
    {
        filters << filter;
        return next();
    }

private:
    QString next() { return fileNames.isEmpty() ? QString() : fileNames.takeFirst(); }
};

// Chooses one of the basic colours of a picker's menu (0 black, 5 red, 9 lime, 13 blue), as a
// click does.
inline void chooseBasicColor(TfrxColorPicker *picker, int index)
{
    const QList<QToolButton *> swatches = picker->menu()->findChildren<QToolButton *>();
    ASSERT_GT(swatches.size(), index);
    swatches.at(index)->click();
}

// Chooses "No color" in a picker's menu.
inline void chooseNoColor(TfrxColorPicker *picker)
{
    for (QAction *action : picker->menu()->actions()) {
        if (action->text() == QStringLiteral("No color"))
            return action->trigger();
    }
    ADD_FAILURE() << "no such item";
}

// Where the pictures of the dialogs go: a folder of the temporary folder, one file per name and
// screen scale.
inline QString picturePath(const QString &name, qreal ratio)
{
    const QString folder = QDir::temp().filePath(QStringLiteral("zelta-looks"));
    QDir().mkpath(folder);
    return QStringLiteral("%1/%2@%3.png").arg(folder, name).arg(ratio);
}

// Every visible text control has at least the room its text needs, and the dialog goes to a
// picture named after it and the screen scale.
inline void checkAndSavePicture(QWidget *dialog, const QString &name)
{
    for (const QWidget *w : dialog->findChildren<QWidget *>()) {
        const bool hasText =
            qobject_cast<const QLabel *>(w) != nullptr || qobject_cast<const QAbstractButton *>(w) != nullptr;
        if (!w->isVisible() || !hasText)
            continue;
        EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->objectName().toStdString();
        EXPECT_GE(w->height(), w->minimumSizeHint().height()) << w->objectName().toStdString();
    }
    EXPECT_TRUE(dialog->grab().save(picturePath(name, dialog->devicePixelRatioF())));
}

// A look dialog of type Form on screen, with its widgets found by name and driven as the
// operator drives them.
template <class Form> class LookDialogTest : public ::testing::Test
{
protected:
    template <class... Args> void open(Args &&...args)
    {
        form = std::make_unique<Form>(std::forward<Args>(args)...);
        form->show();
    }

    template <class T> T *child(const char *name) const
    {
        T *widget = form->template findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void click(const char *button) const
    {
        QTest::mouseClick(child<QAbstractButton>(button), Qt::LeftButton);
    }

    // Picks an entry of a box as the keyboard does, so that the box reports it as chosen.
    void pick(const char *box, int index) const
    {
        auto *combo = child<QComboBox>(box);
        combo->setCurrentIndex(0);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
        ASSERT_EQ(combo->currentIndex(), index);
    }

    std::unique_ptr<Form> form;
};

} // namespace lookdialogs
