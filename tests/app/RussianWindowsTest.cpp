#include "FakeDialogs.h"
#include "ReportLibrary.h"
#include "SampleCertificate.h"
#include "TBlankArea.h"
#include "TfmMain.h"
#include "TfrxCustomEngine.h"
#include "TfrxCustomPreviewPages.h"
#include "TfrxDesignerForm.h"
#include "TfrxPageSettingsForm.h"
#include "TfrxPreviewForm.h"
#include "TfrxPrintDialog.h"
#include "TfrxProgress.h"
#include "TfrxReport.h"
#include "TfrxResources.h"
#include "TfrxSearchDialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QString picturePath(const QString &name)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/pictures");
    QDir().mkpath(folder);
    return folder + u'/' + name;
}

// Russian captions are longer than English ones: every visible caption must fit its control.
void expectNothingClipped(QWidget *window)
{
    const std::string where = window->objectName().toStdString();
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        if (label->wordWrap()) {
            EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                << where << ": " << label->text().toStdString();
        } else {
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << where << ": " << label->text().toStdString();
        }
    }
    for (const QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (button->isVisible() && !button->text().isEmpty()) {
            EXPECT_GE(button->width(), button->sizeHint().width())
                << where << ": " << button->text().toStdString();
        }
    }
    for (const QGroupBox *box : window->findChildren<QGroupBox *>()) {
        if (box->isVisible()) {
            EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(box->title()) + 16)
                << where << ": " << box->title().toStdString();
        }
    }
}

// Shows a window as the operator sees it, saves its picture and checks its captions fit.
void look(QWidget &window, const char *picture)
{
    window.setObjectName(QLatin1String(picture));
    window.show();
    QApplication::processEvents();
    EXPECT_TRUE(window.grab().save(picturePath(QLatin1String(picture) + QStringLiteral(".png"))));
    expectNothingClipped(&window);
    window.close();
}

QStringList texts(const QWidget &window)
{
    QStringList all;
    for (const QLabel *label : window.findChildren<QLabel *>())
        all << label->text();
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>())
        all << button->text();
    for (const QGroupBox *box : window.findChildren<QGroupBox *>())
        all << box->title();
    return all;
}

// The certificate program puts the Russian texts over the library's table at start; the windows
// of the print road then speak Russian.
class RussianWindows : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        FakeDialogs startDialogs;
        loadRussianTexts(startDialogs);
        ASSERT_EQ(startDialogs.messages, QStringList());
        ASSERT_EQ(zorResources().CurrentLanguage(), QStringLiteral("Russian"));
    }
    void SetUp() override
    {
        // A run stopped while the designer was open leaves a recovery copy, which would be offered.
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery"))
            .removeRecursively();
        QFile::remove(beside);
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZOR_TEMPLATE_FILE), beside));
        window.blank()->setRecord(sampleCertificate());
    }
    void TearDown() override { QFile::remove(beside); }

    // Prints the certificate and runs `inspect` on the preview once its page is prepared.
    void inPreview(const std::function<void(TfrxPreviewForm &)> &inspect)
    {
        bool seen = false;
        QTimer timer;
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto *form = qobject_cast<TfrxPreviewForm *>(QApplication::activeModalWidget());
            TfrxReport *report = window.report();
            if (form == nullptr || report->Engine() == nullptr || report->Engine()->Running() ||
                report->PreviewPages()->GetCount() == 0)
                return;
            timer.stop();
            seen = true;
            inspect(*form);
            form->close();
        });
        timer.start();
        window.N7Click();
        EXPECT_TRUE(seen);
        EXPECT_EQ(dialogs.messages, QStringList());
    }

    // Runs `work` inside the designer that "НАСТРОЙКА" opens, then closes it.
    void inDesigner(const std::function<void(TfrxDesignerForm &)> &work)
    {
        bool seen = false;
        QTimer timer;
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto *form = qobject_cast<TfrxDesignerForm *>(QApplication::activeModalWidget());
            if (form == nullptr || !form->isVisible())
                return;
            timer.stop();
            seen = true;
            work(*form);
            form->close();
        });
        timer.start();
        window.Button3Click();
        EXPECT_TRUE(seen);
        EXPECT_EQ(dialogs.messages, QStringList());
    }

    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("shablon.ze3"));
    FakeDialogs dialogs;
    TfmMain window{dialogs};
};

TEST_F(RussianWindows, PreviewToolbarIsRussian)
{
    inPreview([](TfrxPreviewForm &form) {
        const std::pair<const char *, const char *> buttons[] = {
            {"PrintB", "Напечатать отчёт"},
            {"FindB", "Найти текст"},
            {"PageSettingsB", "Настроить страницу"},
            {"NextB", "Перейти к следующей странице"},
            {"ZoomInB", "Увеличить"},
        };
        for (const auto &[name, hint] : buttons) {
            QAction *button = form.Button(QLatin1String(name));
            ASSERT_NE(button, nullptr) << name;
            EXPECT_EQ(button->toolTip(), QString::fromUtf8(hint)) << name;
        }
        EXPECT_EQ(form.ZoomBox()->itemText(form.ZoomBox()->count() - 1), QStringLiteral("Страница целиком"));
        EXPECT_EQ(form.StatusText(0), QStringLiteral("Страница 1 из 1"));
        form.resize(1100, 760);
        look(form, "russian-preview");
    });
}

TEST_F(RussianWindows, PrintDialogPageSettingsSearchAndProgressAreRussian)
{
    inPreview([](TfrxPreviewForm &form) {
        TfrxReport &report = form.Report();
        TfrxPrintDialog print(report, 0, 1, &form);
        const QStringList printTexts = texts(print);
        for (const char *text :
             {"Принтер", "Страницы", "Число копий", "Разобрать по копиям", "Печать в файл"})
            EXPECT_TRUE(printTexts.contains(QString::fromUtf8(text))) << text << "\n"
                                                                      << printTexts.join(u'|').toStdString();
        EXPECT_EQ(print.windowTitle(), QStringLiteral("Печать"));
        look(print, "russian-print-dialog");

        TfrxPageSettingsForm settings(report, 0, &form);
        const QStringList settingsTexts = texts(settings);
        for (const char *text : {"Бумага", "Ориентация", "Книжная", "Альбомная", "Поля"})
            EXPECT_TRUE(settingsTexts.contains(QString::fromUtf8(text)))
                << text << "\n"
                << settingsTexts.join(u'|').toStdString();
        EXPECT_EQ(settings.windowTitle(), QStringLiteral("Параметры страницы"));
        EXPECT_EQ(settings.findChild<QDoubleSpinBox *>(QStringLiteral("WidthE"))->suffix(),
                  QStringLiteral(" см"));
        look(settings, "russian-page-settings");

        TfrxSearchDialog search(&form);
        EXPECT_TRUE(texts(search).contains(QStringLiteral("Учитывать регистр")))
            << texts(search).join(u'|').toStdString();
        look(search, "russian-search");

        TfrxProgress progress(&form);
        progress.SetMessage(QStringLiteral("Печать страницы 1"));
        EXPECT_EQ(progress.CancelButton()->text(), QStringLiteral("Отмена"));
        look(progress, "russian-progress");
    });
}

QStringList menuTitles(const TfrxDesignerForm &form)
{
    QStringList titles;
    for (const QAction *menu : form.menuBar()->actions())
        titles << menu->text();
    return titles;
}

// The designer opened from the certificate program is Russian; View ▸ Language switches it to
// English and back while it is open, and remembers the choice.
TEST_F(RussianWindows, DesignerSpeaksRussianAndSwitchesLanguage)
{
    inDesigner([](TfrxDesignerForm &form) {
        form.resize(1280, 800);
        EXPECT_TRUE(form.grab().save(picturePath(QStringLiteral("russian-designer.png"))));
        EXPECT_EQ(menuTitles(form),
                  (QStringList{QStringLiteral("&Файл"), QStringLiteral("&Правка"), QStringLiteral("&Отчёт"),
                               QStringLiteral("&Вид"), QStringLiteral("&Справка")}));
        auto *languages = form.findChild<QMenu *>(QStringLiteral("LanguageMenu"));
        ASSERT_NE(languages, nullptr);
        EXPECT_EQ(languages->title(), QStringLiteral("Язык"));
        QStringList items, checked;
        for (QAction *item : languages->actions()) {
            items << item->text();
            if (item->isChecked())
                checked << item->text();
        }
        EXPECT_EQ(items, (QStringList{QStringLiteral("English"), QStringLiteral("Russian")}));
        EXPECT_EQ(checked, QStringList{QStringLiteral("Russian")});
        auto *inspector = form.findChild<QDockWidget *>(QStringLiteral("ObjectInspectorDock"));
        ASSERT_NE(inspector, nullptr);
        EXPECT_EQ(inspector->windowTitle(), QStringLiteral("Инспектор объектов"));

        languages->actions().at(0)->trigger();
        EXPECT_EQ(menuTitles(form).value(0), QStringLiteral("&File"));
        EXPECT_EQ(languages->title(), QStringLiteral("Language"));
        EXPECT_EQ(inspector->windowTitle(), QStringLiteral("Object Inspector"));
        EXPECT_EQ(form.Action(cmSave)->text(), QStringLiteral("Save"));
        EXPECT_EQ(form.Action(cmBackdrop)->text(), QStringLiteral("Бланк"))
            << "the program's own caption stays";
        EXPECT_TRUE(languages->actions().at(0)->isChecked());
        EXPECT_EQ(zorGet(2), QStringLiteral("Cancel"));

        languages->actions().at(1)->trigger();
        EXPECT_EQ(menuTitles(form).value(0), QStringLiteral("&Файл"));
        EXPECT_EQ(form.Action(cmSave)->text(), QStringLiteral("Сохранить"));
    });
    EXPECT_EQ(QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tervane"),
                        QStringLiteral("Resources"))
                  .value(QStringLiteral("Language")),
              QStringLiteral("Russian"));
}

} // namespace
