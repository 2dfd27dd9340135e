// The designer options dialog driven through its widgets: what it shows, what it returns, the
// sizes it refuses, "Restore defaults", and pictures of it for a person to look at.
#include "ModalAnswer.h"
#include "TfrxOptionsEditor.h"

#include "TfrxColorSwatch.h"
#include "TfrxResources.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class OptionsEditorTest : public ::testing::Test
{
protected:
    void open(bool unitsEnabled = true, bool showStartupVisible = true)
    {
        dialog = std::make_unique<TfrxOptionsEditor>(settings, unitsEnabled, showStartupVisible);
        dialog->show();
    }

    template <class T> T *child(const char *name) const
    {
        T *widget = dialog->findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void click(const char *button) const { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }

    // Clicks the button and returns the text of the message box it raised, empty for none.
    QString messageOfClick(const char *button) const
    {
        QString text;
        AnswerModal<QMessageBox>([&] { click(button); },
                                 [&text](QMessageBox *box) {
                                     text = box->text();
                                     box->accept();
                                 });
        return text;
    }

    TfrxDesignerSettings settings;
    std::unique_ptr<TfrxOptionsEditor> dialog;
};

TEST_F(OptionsEditorTest, ShowsTheSettingsWithTheTableCaptions)
{
    settings.Grid1 = 0.25;
    settings.Units = duInches;
    settings.FreeBands = true;
    settings.ShowGrid = false;
    settings.MemoFontSize = 16; // not offered, but kept
    settings.ScriptFontName = QStringLiteral("Шрифт, которого нет");
    settings.BandsGap = 7;
    open();
    EXPECT_EQ(dialog->windowTitle(), zorGet(3000));
    EXPECT_EQ(child<QLineEdit>("Grid1E")->text(), QStringLiteral("0,25")) << "the user's decimal separator";
    EXPECT_EQ(child<QLineEdit>("Grid3E")->text(), QStringLiteral("4"));
    EXPECT_TRUE(child<QRadioButton>("Grid2RB")->isChecked());
    EXPECT_EQ(child<QRadioButton>("Grid2RB")->text(), zorGet(3019));
    EXPECT_TRUE(child<QCheckBox>("FreeBandsCB")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("ShowGridCB")->isChecked());
    EXPECT_EQ(child<QCheckBox>("ShowBandCaptionsCB")->text(), zorGet(3032));
    EXPECT_EQ(child<QPushButton>("RestoreB")->text(), zorGet(3031));
    EXPECT_EQ(child<QComboBox>("ScriptFontNameCB")->currentText(), settings.ScriptFontName);
    QStringList sizes;
    for (int i = 0; i < child<QComboBox>("MemoFontSizeCB")->count(); ++i)
        sizes << child<QComboBox>("MemoFontSizeCB")->itemText(i);
    EXPECT_EQ(sizes.join(u' '), QStringLiteral("8 9 10 11 12 14 16"));
    EXPECT_EQ(child<QComboBox>("MemoFontSizeCB")->currentText(), QStringLiteral("16"));
    EXPECT_EQ(child<QSpinBox>("BandsGapE")->value(), 7);
    EXPECT_EQ(dialog->Settings(), settings) << "nothing changed, nothing differs";
}

TEST_F(OptionsEditorTest, ReturnsWhatTheOperatorChanged)
{
    open();
    child<QLineEdit>("Grid1E")->setText(QStringLiteral("0,5"));
    child<QLineEdit>("Grid2E")->setText(QStringLiteral("0.2"));
    child<QLineEdit>("Grid4E")->setText(QStringLiteral(" 8 "));
    child<QRadioButton>("Grid3RB")->click();
    child<QCheckBox>("EditAfterInsertCB")->click();
    child<QCheckBox>("GridLCDCB")->click();
    child<QComboBox>("MemoFontSizeCB")->setCurrentText(QStringLiteral("14"));
    child<QSpinBox>("BandsGapE")->setValue(12);
    const bool opened = AnswerModal<QColorDialog>([&] { child<TfrxColorSwatch>("WorkspaceColorB")->click(); },
                                                  [](QColorDialog *colors) {
                                                      colors->setCurrentColor(QColor(0x10, 0x20, 0x30));
                                                      colors->accept();
                                                  });
    EXPECT_TRUE(opened);
    click("OkB");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->RestoreDefaults());

    TfrxDesignerSettings expected = settings;
    expected.Grid1 = 0.5;
    expected.Grid2 = 0.2;
    expected.Grid4 = 8;
    expected.Units = duPixels;
    expected.EditAfterInsert = true;
    expected.GridLCD = true;
    expected.MemoFontSize = 14;
    expected.BandsGap = 12;
    expected.WorkspaceColor = QColor(0x10, 0x20, 0x30);
    EXPECT_EQ(dialog->Settings(), expected);
}

// A grid size of 0 would divide by zero in snapping; a huge one puts objects far off the page.
TEST_F(OptionsEditorTest, UnusableGridSizesAreRefusedAndNamed)
{
    settings.Grid1 = 0.25;
    open();
    for (const char *typed : {"", "abc", "0", "-1", "nan", "inf", "1e400", "25,5", "0,001"}) {
        QLineEdit *edit = child<QLineEdit>("Grid1E");
        edit->setText(QString::fromLatin1(typed));
        const QString message = messageOfClick("OkB");
        EXPECT_EQ(message, QStringLiteral("The grid size \"%1\" for Centimeters is not valid. "
                                          "Enter a number from 0,01 to 25 cm.")
                               .arg(QLatin1String(typed)));
        EXPECT_TRUE(dialog->isVisible()) << typed;
        EXPECT_NE(dialog->result(), QDialog::Accepted) << typed;
        EXPECT_EQ(dialog->focusWidget(), edit) << typed;
        EXPECT_EQ(dialog->Settings().Grid1, 0.25) << "the old value stays: " << typed;
    }
    child<QLineEdit>("Grid1E")->setText(QStringLiteral("0,3"));
    child<QLineEdit>("Grid4E")->setText(QStringLiteral("0"));
    EXPECT_EQ(messageOfClick("RestoreB"), QStringLiteral("The grid size \"0\" for Dialog form is not valid. "
                                                         "Enter a number from 0,1 to 1000 pt."));
    EXPECT_FALSE(dialog->RestoreDefaults());
    child<QLineEdit>("Grid4E")->setText(QStringLiteral("2"));
    EXPECT_EQ(messageOfClick("OkB"), QString());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Settings().Grid1, 0.3);
}

// On a dialog page the units and their grid sizes cannot be changed; what their boxes hold is
// neither applied nor checked.
TEST_F(OptionsEditorTest, UnitsGroupOffLeavesUnitsAndTheirGridsAlone)
{
    settings.Units = duInches;
    open(false, false);
    EXPECT_FALSE(child<QRadioButton>("Grid1RB")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>("Grid1E")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>("Grid4E")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>("ShowStartupCB")->isVisible());
    child<QRadioButton>("Grid1RB")->setChecked(true);
    child<QLineEdit>("Grid1E")->setText(QStringLiteral("abc"));
    child<QLineEdit>("Grid3E")->setText(QStringLiteral("16"));
    child<QLineEdit>("Grid4E")->setText(QStringLiteral("16"));
    EXPECT_EQ(messageOfClick("OkB"), QString());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const TfrxDesignerSettings s = dialog->Settings();
    EXPECT_EQ(s.Units, duInches);
    EXPECT_EQ(s.Grid1, settings.Grid1);
    EXPECT_EQ(s.Grid3, settings.Grid3);
    EXPECT_EQ(s.Grid4, 16);
}

TEST_F(OptionsEditorTest, RestoreDefaultsAcceptsWithTheShownValues)
{
    open();
    child<QCheckBox>("ShowGridCB")->click();
    click("RestoreB");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->RestoreDefaults());
    EXPECT_FALSE(dialog->Settings().ShowGrid);
}

// Where the test writes the pictures it makes, for a person to look at.
QString picturePath(const QString &name)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/pictures");
    QDir().mkpath(folder);
    return folder + u'/' + name;
}

// Every visible control gets at least the room its text needs, at any scale factor.
TEST_F(OptionsEditorTest, PictureShowsEveryControlWhole)
{
    settings.WorkspaceColor = QColor(0xE0, 0xE8, 0xF0);
    open();
    const QList<QWidget *> controls = dialog->findChildren<QWidget *>();
    for (const QWidget *w : controls) {
        const bool hasText =
            qobject_cast<const QLabel *>(w) != nullptr || qobject_cast<const QAbstractButton *>(w) != nullptr;
        if (!w->isVisible() || !hasText)
            continue;
        EXPECT_GE(w->width(), w->minimumSizeHint().width())
            << w->metaObject()->className() << " " << w->objectName().toStdString();
        EXPECT_GE(w->height(), w->minimumSizeHint().height()) << w->objectName().toStdString();
    }
    const QString name = QStringLiteral("OptionsEditor@%1.png").arg(dialog->devicePixelRatioF());
    EXPECT_TRUE(dialog->grab().save(picturePath(name)));
}

} // namespace
