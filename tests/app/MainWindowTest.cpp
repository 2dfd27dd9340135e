// The certificate window as the operator meets it: layout, start state, typing, hours, Tab order.
#include "FakeDialogs.h"
#include "TBlankArea.h"
#include "TfmMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QKeyEvent>
#include <QTest>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class MainWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<TfmMain>(dialogs);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <typename T = QWidget>
    T *control(const char *name) const
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit *edit(const char *name) const { return control<QLineEdit>(name); }
    QRect placeOnBlank(const char *name) const
    {
        QWidget *w = control(name);
        return QRect(w->mapTo(window->blank(), QPoint(0, 0)), w->size());
    }
    void typeInto(const char *name, const QString &text)
    {
        QLineEdit *e = edit(name);
        e->setFocus(Qt::TabFocusReason);
        e->selectAll();
        typeText(e, text);
    }
    // QTest::keyClicks knows only ASCII keys; the operator types Cyrillic too.
    static void typeText(QWidget *target, const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
    }
    QString focusName() const
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w->objectName() : QStringLiteral("<none>");
    }

    FakeDialogs dialogs;
    std::unique_ptr<TfmMain> window;
};

TEST_F(MainWindow, LaysOutTheBlankAsDesigned)
{
    EXPECT_EQ(window->centralWidget()->size(), QSize(1005, 671));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Свидетельство о профессии водителя (Зелта-автошкола)"));
    auto *area = window->findChild<QScrollArea *>();
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->geometry(), QRect(0, 0, 901, 630));
    EXPECT_EQ(area->viewport()->size(), QSize(897, 626)) << "no scroll bars at the designed size";

    const struct
    {
        const char *name;
        QRect place;
    } places[] = {
        {"Edit_1", {43, 75, 365, 22}},   {"Edit_4", {100, 272, 81, 21}},  {"Edit_5", {43, 339, 365, 24}},
        {"Edit_10", {704, 48, 158, 21}}, {"DateTimePicker1", {56, 387, 161, 21}},
        {"DateTimePicker4", {519, 67, 186, 21}}, {"edt_3", {737, 225, 51, 21}}, {"edt_11", {736, 538, 51, 21}},
        {"cmb_1", {791, 164, 72, 19}},   {"cmb_10", {790, 521, 72, 19}},  {"cmb_kpp", {511, 420, 139, 19}},
    };
    for (const auto &p : places)
        EXPECT_EQ(placeOnBlank(p.name), p.place) << p.name;

    auto *print = control<QPushButton>("Button1");
    EXPECT_EQ(print->geometry(), QRect(6, 12, 91, 97));
    EXPECT_EQ(print->mapTo(window->centralWidget(), QPoint(0, 0)).x(), 901 + 3 + 6);
    EXPECT_TRUE(print->font().bold());
    EXPECT_EQ(print->font().pixelSize(), 13);
    EXPECT_EQ(control<QPushButton>("Button3")->font().pixelSize(), 11);
    auto *exit = control<QPushButton>("BitBtn1");
    EXPECT_EQ(QRect(exit->mapTo(window->centralWidget(), QPoint(0, 0)), exit->size()),
              QRect(1005 - 262 + 112, 630 + 5, 118, 25));
    EXPECT_EQ(exit->text(), QStringLiteral("Выход"));

    EXPECT_EQ(edit("Edit_4")->font().pixelSize(), 11);
    EXPECT_TRUE(edit("Edit_4")->font().bold());
    EXPECT_EQ(edit("Edit_5")->font().pixelSize(), 13);
    EXPECT_EQ(edit("Edit_1")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(edit("Edit_10")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

TEST_F(MainWindow, StartsEmptyWithTodayAndNoChoices)
{
    const QDate today = QDate::currentDate();
    for (int i = 1; i <= 10; ++i) {
        EXPECT_TRUE(edit(QStringLiteral("Edit_%1").arg(i).toLatin1())->text().isEmpty());
        EXPECT_EQ(edit(QStringLiteral("edt_%1").arg(i).toLatin1())->text(), QStringLiteral("0"));
        EXPECT_EQ(control<QComboBox>(QStringLiteral("cmb_%1").arg(i).toLatin1())->currentIndex(), -1);
    }
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(control<QDateEdit>(QStringLiteral("DateTimePicker%1").arg(i).toLatin1())->date(), today);
    EXPECT_EQ(edit("edt_11")->text(), QStringLiteral("0"));
    EXPECT_FALSE(edit("edt_11")->isEnabled());
    EXPECT_EQ(control<QComboBox>("cmb_kpp")->currentIndex(), -1);
    EXPECT_EQ(focusName(), QStringLiteral("BottomStrip"));

    QStringList menus;
    for (QAction *menu : window->menuBar()->actions()) {
        QStringList items;
        for (QAction *item : menu->menu()->actions())
            items << item->text() + (item->isEnabled() ? QString() : QStringLiteral(" (off)"));
        menus << menu->text() + QStringLiteral(": ") + items.join(QStringLiteral(", "));
    }
    EXPECT_EQ(menus, (QStringList{QStringLiteral("Файл: Открыть, Сохранить как..., Сохранить (off), Выход"),
                                  QStringLiteral("Печать: Очистить форму, Печать свидетельства, Настройка принтера..."),
                                  QStringLiteral("Помощь: О программе")}));
}

TEST_F(MainWindow, ChoiceListsOfferTheirItems)
{
    auto items = [](QComboBox *list) {
        QStringList all;
        for (int i = 0; i < list->count(); ++i)
            all << list->itemText(i);
        return all;
    };
    const QString ha = QStringLiteral("\u0425"); // Cyrillic capital Ha
    EXPECT_EQ(items(control<QComboBox>("cmb_3")), (QStringList{QStringLiteral("Зачтено"), QStringLiteral("Не Зачтено"), ha}));
    EXPECT_EQ(items(control<QComboBox>("cmb_10")),
              (QStringList{QStringLiteral("Отлично"), QStringLiteral("Хорошо"), QStringLiteral("Удовл."), ha,
                           QStringLiteral("-"), QString()}));
    EXPECT_EQ(items(control<QComboBox>("cmb_kpp")),
              (QStringList{QStringLiteral("механической"), QStringLiteral("автоматической")}));
}

TEST_F(MainWindow, CategoryLabelsFollowEveryKeystroke)
{
    typeInto("Edit_8", QStringLiteral("B"));
    for (const char *label : {"Label1", "Label2", "Label3"})
        EXPECT_EQ(control<QLabel>(label)->text(), QStringLiteral("B"));
    typeText(edit("Edit_8"), QStringLiteral("E"));
    EXPECT_EQ(control<QLabel>("Label3")->text(), QStringLiteral("BE"));
    EXPECT_EQ(control<QLabel>("Label2")->pos(), QPoint(601, 374));
    window->N6Click();
    EXPECT_TRUE(control<QLabel>("Label1")->text().isEmpty());
}

TEST_F(MainWindow, LengthLimitsStopTypingButNotTheProgram)
{
    const QString many(80, u'ж');
    const struct
    {
        const char *name;
        int limit;
    } limits[] = {{"Edit_1", 58}, {"Edit_3", 50}, {"Edit_4", 4}, {"Edit_5", 44}, {"Edit_9", 25},
                  {"Edit_10", 25}, {"edt_1", 5}, {"Edit_7", 80}, {"Edit_8", 80}};
    for (const auto &l : limits) {
        typeInto(l.name, many);
        EXPECT_EQ(edit(l.name)->text().size(), l.limit) << l.name;
    }
    // A value that the program sets is never cut, and can still be shortened by the operator.
    CertificateRecord record = window->blank()->record();
    record.texts[3] = QStringLiteral("АБВГДЕ");
    window->blank()->setRecord(record);
    EXPECT_EQ(edit("Edit_4")->text(), QStringLiteral("АБВГДЕ"));
    edit("Edit_4")->setFocus();
    edit("Edit_4")->end(false);
    QTest::keyClick(edit("Edit_4"), Qt::Key_Backspace);
    EXPECT_EQ(edit("Edit_4")->text(), QStringLiteral("АБВГД"));
}

TEST_F(MainWindow, LeavingAnHoursCellNormalisesAllOfThem)
{
    typeInto("edt_1", QStringLiteral("2,5"));
    typeInto("edt_2", QStringLiteral("3,45"));
    typeInto("edt_4", QString()); // emptied
    QTest::keyClick(edit("edt_4"), Qt::Key_Backspace);
    QTest::keyClick(edit("edt_4"), Qt::Key_Tab);
    EXPECT_EQ(edit("edt_1")->text(), QStringLiteral("2,5"));
    EXPECT_EQ(edit("edt_2")->text(), QStringLiteral("3,5"));
    EXPECT_EQ(edit("edt_4")->text(), QStringLiteral("0"));
    EXPECT_EQ(edit("edt_11")->text(), QStringLiteral("6"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(MainWindow, AnHoursCellThatIsNoNumberStopsTheRun)
{
    HoursTable::Cells cells;
    cells.fill(QStringLiteral("1,25"));
    window->blank()->setHoursCells(cells);
    typeInto("edt_3", QStringLiteral("abc"));
    QTest::keyClick(edit("edt_3"), Qt::Key_Tab);
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("'abc' is not a valid floating point value")});
    EXPECT_EQ(edit("edt_1")->text(), QStringLiteral("1,3")) << "cells before the faulty one are rewritten";
    EXPECT_EQ(edit("edt_2")->text(), QStringLiteral("1,3"));
    EXPECT_EQ(edit("edt_4")->text(), QStringLiteral("1,25"));
    EXPECT_EQ(edit("edt_11")->text(), QStringLiteral("0")) << "the total keeps its old value";

    // Correcting the cell and leaving it runs the whole normalisation again.
    typeInto("edt_3", QStringLiteral("1"));
    QTest::keyClick(edit("edt_3"), Qt::Key_Tab);
    EXPECT_EQ(edit("edt_4")->text(), QStringLiteral("1,3"));
    EXPECT_EQ(edit("edt_11")->text(), QStringLiteral("12,7")) << "2 x 1,3 + 1 + 7 x 1,3";
}

TEST_F(MainWindow, TabVisitsTheControlsInTheirOrder)
{
    QStringList expected{QStringLiteral("BitBtn1"), QStringLiteral("cmb_1"), QStringLiteral("cmb_10")};
    for (int i = 2; i <= 9; ++i)
        expected << QStringLiteral("cmb_%1").arg(i);
    expected << QStringLiteral("cmb_kpp");
    for (int i = 1; i <= 4; ++i)
        expected << QStringLiteral("DateTimePicker%1").arg(i);
    expected << QStringLiteral("Edit_1") << QStringLiteral("Edit_10");
    for (int i = 2; i <= 9; ++i)
        expected << QStringLiteral("Edit_%1").arg(i);
    expected << QStringLiteral("edt_1") << QStringLiteral("edt_10");
    for (int i = 2; i <= 9; ++i)
        expected << QStringLiteral("edt_%1").arg(i);
    expected << QStringLiteral("Button1") << QStringLiteral("Button2") << QStringLiteral("Button3")
             << QStringLiteral("BitBtn1");

    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QString name = focusName();
        // A date picker's focus rests on its inner line edit.
        if (QWidget *w = QApplication::focusWidget(); w && w->parentWidget() && qobject_cast<QDateEdit *>(w->parentWidget()))
            name = w->parentWidget()->objectName();
        visited << name;
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(MainWindow, EscapeAndExitCloseAtOnce)
{
    typeInto("Edit_1", QStringLiteral("unsaved"));
    QTest::keyClick(edit("Edit_1"), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.messages.isEmpty()) << "nothing is asked about unsaved data";

    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::mouseClick(control<QPushButton>("BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

// Renders the window as the operator sees it, for a look by eye: main_window.png in the test's
// working folder.
TEST_F(MainWindow, RendersToAPicture)
{
    typeInto("Edit_1", QStringLiteral("Автономная некоммерческая организация"));
    typeInto("Edit_5", QStringLiteral("Иванов Иван Иванович"));
    typeInto("Edit_8", QStringLiteral("B"));
    typeInto("edt_1", QStringLiteral("72"));
    control<QComboBox>("cmb_1")->setCurrentIndex(0);
    control<QComboBox>("cmb_kpp")->setCurrentIndex(0);
    const QImage image = window->grab().toImage();
    EXPECT_EQ(image.size(), window->size());
    EXPECT_TRUE(image.save(QStringLiteral("main_window.png")));
}

} // namespace
