// The window's commands: print checks, clearing, and the certificate file (open, save as, save).
#include "zorCodePage.h"
#include "DataLocations.h"
#include "FakeDialogs.h"
#include "SampleCertificate.h"
#include "TBlankArea.h"
#include "TfmMain.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "TinyFileSystem.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class Commands : public ::testing::Test
{
protected:
    Commands() : window(dialogs) {}

    static CertificateRecord filled() { return sampleCertificate(); }

    QAction *saveAction() const
    {
        for (QAction *a : window.menuBar()->actions().constFirst()->menu()->actions())
            if (a->text() == QStringLiteral("Сохранить"))
                return a;
        return nullptr;
    }
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString saved(const QString &p) const { return QStringLiteral("Файл сохранен : ") + QDir::toNativeSeparators(p); }

    void saveAs(const QString &p)
    {
        dialogs.fileNames << p;
        window.N2Click();
    }
    void open(const QString &p)
    {
        dialogs.fileNames << p;
        window.N10Click();
    }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    TfmMain window;
};

TEST_F(Commands, PrintingChecksFirstThenNormalisesTheHours)
{
    window.N7Click();
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Введите наименование организации!")});

    CertificateRecord r = filled();
    r.hours[0] = QStringLiteral("Ошибка при чтении!");
    window.blank()->setRecord(r);
    dialogs.messages.clear();
    window.findChild<QPushButton *>(QStringLiteral("Button1"))->click(); // "ПЕЧАТЬ" runs the menu item
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_EQ(dialogs.messages.constFirst(), QStringLiteral("'Ошибка при чтении!' is not a valid floating point value"));
    EXPECT_EQ(dialogs.messages.size(), 1) << "a cell that is no number stops the print";
}

TEST_F(Commands, ClearingEmptiesTheFormButKeepsTheFile)
{
    writeAll(path("a.vod"), zorToSingleByte(QStringLiteral("[Слева]\r\nedit_5=Сидоров\r\n")));
    open(path("a.vod"));
    window.blank()->setRecord(filled());
    window.findChild<QPushButton *>(QStringLiteral("Button2"))->click(); // "ОЧИСТИТЬ ПОЛЯ"
    const CertificateRecord cleared = window.blank()->record();
    const CertificateRecord blank = CertificateRecord::blank(QDate::currentDate());
    EXPECT_EQ(cleared.texts, blank.texts);
    EXPECT_EQ(cleared.hours, blank.hours);
    EXPECT_EQ(cleared.total, QStringLiteral("0"));
    EXPECT_EQ(cleared.marks, blank.marks);
    EXPECT_EQ(cleared.gearbox, -1);
    EXPECT_EQ(cleared.dates, blank.dates);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Сидоров"));
    EXPECT_TRUE(saveAction()->isEnabled());
    EXPECT_EQ(window.fileOpenName(), path("a.vod"));
}

TEST_F(Commands, SaveAsThenOpenRestoresEveryField)
{
    window.blank()->setRecord(filled());
    saveAs(path("new.vod"));
    EXPECT_EQ(dialogs.lastMessage(), saved(path("new.vod")));
    EXPECT_EQ(dialogs.folders, QStringList{DataLocations::documentsFolder()});
    EXPECT_FALSE(saveAction()->isEnabled()) << "save as does not make a current file";
    EXPECT_TRUE(window.fileOpenName().isEmpty());

    window.N6Click();
    open(path("new.vod"));
    const CertificateRecord r = window.blank()->record();
    const CertificateRecord expected = filled();
    EXPECT_EQ(r.texts, expected.texts);
    EXPECT_EQ(r.dates, expected.dates);
    EXPECT_EQ(r.hours, expected.hours);
    EXPECT_EQ(r.marks, expected.marks);
    EXPECT_EQ(r.gearbox, expected.gearbox);
    EXPECT_EQ(r.total, QStringLiteral("91,5")) << "recomputed in the general form";
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Иванов Иван"));
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("B"));
    EXPECT_TRUE(saveAction()->isEnabled());
    EXPECT_EQ(window.fileOpenName(), path("new.vod"));
    EXPECT_TRUE(readAll(path("new.vod")).contains("cmb_10=5\r\ncmb_kpp=0\r\n"));
}

TEST_F(Commands, SaveWritesToTheFileLastOpened)
{
    window.N3Click();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << "no current file: save does nothing";

    window.blank()->setRecord(filled());
    saveAs(path("a.vod"));
    open(path("a.vod"));
    saveAs(path("b.vod"));
    CertificateRecord r = window.blank()->record();
    r.texts[4] = QStringLiteral("Кузнецова");
    window.blank()->setRecord(r);
    dialogs.messages.clear();
    window.N3Click();
    EXPECT_EQ(dialogs.messages, QStringList{saved(path("a.vod"))});
    EXPECT_TRUE(zorFromSingleByte(readAll(path("a.vod"))).contains(QStringLiteral("edit_5=Кузнецова")));
    EXPECT_FALSE(zorFromSingleByte(readAll(path("b.vod"))).contains(QStringLiteral("Кузнецова")));
    EXPECT_EQ(dialogs.folders.back(), dir.path()) << "dialogs start in the current file's folder";
}

TEST_F(Commands, SavingKeepsAForeignFilesOtherContent)
{
    writeAll(path("other.ini"), "; settings\r\n[Printer]\r\nName=Office\r\n[\xD1\xEB\xE5\xE2\xE0]\r\nextra=1\r\n");
    window.blank()->setRecord(filled());
    saveAs(path("other.ini"));
    const QString text = zorFromSingleByte(readAll(path("other.ini")));
    EXPECT_TRUE(text.startsWith(QStringLiteral("; settings\r\n[Printer]\r\nName=Office\r\n[Слева]\r\nextra=1\r\nedit_1=")));
}

TEST_F(Commands, CancelledDialogs)
{
    window.N2Click();
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Файл не сохранен!")});

    CertificateRecord r = filled();
    r.total = QStringLiteral("stale");
    window.blank()->setRecord(r);
    window.N10Click(); // cancelled: the total is still recomputed
    EXPECT_EQ(window.blank()->record().total, QStringLiteral("91,5"));
    EXPECT_EQ(window.blank()->record().texts, r.texts);
}

TEST_F(Commands, OpeningAFileWithoutTheTable)
{
    writeAll(path("left.vod"), zorToSingleByte(QStringLiteral("[Слева]\r\nedit_1=Школа\r\ncmb_1=7\r\n")));
    open(path("left.vod"));
    const CertificateRecord r = window.blank()->record();
    EXPECT_EQ(r.texts[0], QStringLiteral("Школа"));
    EXPECT_EQ(r.texts[1], QStringLiteral("Ошибка при чтении!"));
    EXPECT_EQ(r.hours[0], QStringLiteral("Ошибка при чтении!"));
    EXPECT_EQ(r.total, QStringLiteral("Ошибка!")) << "the failed recomputation leaves the value read";
    EXPECT_EQ(r.marks[0], -1);
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("'Ошибка при чтении!' is not a valid floating point value")});
    EXPECT_TRUE(saveAction()->isEnabled());
}

TEST_F(Commands, AChoiceOutsideItsListIsNoChoice)
{
    writeAll(path("c.vod"), "[\xD2\xE0\xE1\xEB\xE8\xF6\xE0]\r\ncmb_1=7\r\ncmb_2=0x1\r\ncmb_10=5\r\ncmb_kpp=2\r\n");
    open(path("c.vod"));
    const CertificateRecord r = window.blank()->record();
    EXPECT_EQ(r.marks[0], -1);
    EXPECT_EQ(r.marks[1], 1);
    EXPECT_EQ(r.marks[9], 5) << "the sixth, empty item is a choice";
    EXPECT_EQ(r.gearbox, -1);
}

TEST_F(Commands, RefusesFilesThatAreNoCertificates)
{
    window.blank()->setRecord(filled());
    QByteArray noise;
    for (int i = 0; i < 5000; ++i)
        noise.append(char((i * 7919) % 251));
    writeAll(path("noise.vod"), noise);
    writeAll(path("empty.vod"), QByteArray());
    for (const QString &p : {path("noise.vod"), path("empty.vod"), path("missing.vod"), dir.path()}) {
        dialogs.messages.clear();
        open(p);
        EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Файл не является файлом свидетельства!")}) << p.toStdString();
    }
    EXPECT_EQ(window.blank()->record().texts, filled().texts);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Свидетельство о профессии водителя (Зелта-автошкола)"));
    EXPECT_FALSE(saveAction()->isEnabled());
    EXPECT_TRUE(window.fileOpenName().isEmpty());
}

TEST_F(Commands, OpensAFileWrittenInUtf8)
{
    writeAll(path("utf8.vod"), QStringLiteral("[Слева]\r\nedit_5=Ёлкина\r\n[Таблица]\r\nedt_1=3\r\n").toUtf8());
    open(path("utf8.vod"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ёлкина"));
}

TEST_F(Commands, AsksBeforeCharactersAreReplaced)
{
    CertificateRecord r = filled();
    r.texts[4] = QStringLiteral("José Muñoz");
    window.blank()->setRecord(r);
    writeAll(path("keep.vod"), "old content\r\n");

    dialogs.answerYes = false;
    saveAs(path("keep.vod"));
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].contains(QStringLiteral("é ñ")));
    EXPECT_EQ(dialogs.lastMessage(), QStringLiteral("Файл не сохранен!"));
    EXPECT_EQ(readAll(path("keep.vod")), QByteArray("old content\r\n"));

    dialogs.answerYes = true;
    saveAs(path("keep.vod"));
    EXPECT_EQ(dialogs.lastMessage(), saved(path("keep.vod")));
    EXPECT_TRUE(readAll(path("keep.vod")).contains("edit_5=Jos? Mu?oz\r\n"));
}

TEST_F(Commands, AFileThatCannotBeWrittenIsReportedAndLeftWhole)
{
    window.blank()->setRecord(filled());
    for (const QString &p : {dir.filePath(QStringLiteral("no/such/folder/x.vod")), dir.path()}) {
        dialogs.messages.clear();
        saveAs(p);
        EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(p)});
    }
}

TEST_F(Commands, AFullDiskLeavesTheOldFileWhole)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("tiny")));
    const TinyFileSystem tiny(path("tiny"));
    if (!tiny.mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString target = path("tiny/a.vod");
    window.blank()->setRecord(filled());
    saveAs(target);
    ASSERT_EQ(dialogs.lastMessage(), saved(target));
    const QByteArray before = readAll(target);
    writeAll(path("tiny/filler"), QByteArray(16 * 1024 - before.size() - 512, 'x'));

    CertificateRecord longer = filled();
    longer.texts[6] = QString(4000, u'ж');
    window.blank()->setRecord(longer);
    saveAs(target);
    EXPECT_EQ(dialogs.lastMessage(), QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(target));
    EXPECT_EQ(readAll(target), before);
    EXPECT_EQ(QDir(path("tiny")).entryList(QDir::Files), (QStringList{QStringLiteral("a.vod"), QStringLiteral("filler")}))
        << "no temporary file is left behind";
}

TEST_F(Commands, AReadOnlyFileIsReportedAndLeftWhole)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ro")));
    const TinyFileSystem readOnly(path("ro"));
    if (!readOnly.mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString target = path("ro/a.vod");
    writeAll(target, "[\xD1\xEB\xE5\xE2\xE0]\r\nedit_1=old\r\n");
    ASSERT_TRUE(readOnly.makeReadOnly());
    window.blank()->setRecord(filled());
    saveAs(target);
    EXPECT_EQ(dialogs.lastMessage(), QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(target));
    EXPECT_EQ(readAll(target), QByteArray("[\xD1\xEB\xE5\xE2\xE0]\r\nedit_1=old\r\n"));
}

TEST_F(Commands, AboutNamesTheProgramAndItsVersions)
{
    window.aboutClick();
    EXPECT_TRUE(dialogs.lastMessage().startsWith(QStringLiteral("Свидетельство о профессии водителя (Зелта-автошкола)")));
    EXPECT_TRUE(dialogs.lastMessage().contains(QStringLiteral("Библиотека отчётов")));
}

} // namespace
