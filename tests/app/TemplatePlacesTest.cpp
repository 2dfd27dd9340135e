// The certificate window with its template in the places of an installation: nothing found, the
// shipped template designed into the user's copy, a data folder that cannot be written; and a
// certificate named on the command line.
#include "CertificateRecord.h"
#include "DataLocations.h"
#include "FakeDialogs.h"
#include "SampleCertificate.h"
#include "TBlankArea.h"
#include "TIniFile.h"
#include "TfmMain.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxDesignerForm.h"
#include "TfrxReport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Keeps the designer's errors instead of showing them, and leaves unsaved changes when it closes.
struct DesignerErrors : TfrxDesignerDialogs
{
    QStringList errors;
    void ShowError(QWidget *, const QString &text) override { errors << text; }
    Answer Ask(QWidget *, const QString &) override { return No; }
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class TemplatePlaces : public ::testing::Test
{
protected:
    void SetUp() override
    {
        clear();
        QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                      QStringLiteral("/Tervane/Tervane.conf"));
        TfrxDesignerDialogs::SetCurrent(&designerErrors);
    }
    void TearDown() override
    {
        TfrxDesignerDialogs::SetCurrent(nullptr);
        clear();
    }
    static void clear()
    {
        QFile::remove(dataFolder());
        QDir(dataFolder()).removeRecursively();
        QDir(QFileInfo(shippedPath()).absolutePath()).removeRecursively();
    }
    static QString shippedPath()
    {
        return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                               QStringLiteral("/../share/zelta/shablon.ze3"));
    }
    static QString dataFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }
    static void ship()
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(shippedPath()).absolutePath()));
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZOR_TEMPLATE_FILE), shippedPath()));
    }

    // Runs work in the designer once "НАСТРОЙКА" has shown it, then closes it.
    void design(const std::function<void(TfrxDesignerForm &)> &work)
    {
        bool ran = false;
        auto *timer = new QTimer;
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, timer, [&, timer] {
            auto *form = qobject_cast<TfrxDesignerForm *>(QApplication::activeModalWidget());
            if (form == nullptr || !form->isVisible())
                return;
            timer->deleteLater();
            work(*form);
            ran = true;
            form->close();
        });
        timer->start();
        window.Button3Click();
        EXPECT_TRUE(ran);
    }

    // Moves the student's name one pixel to the right and saves the template.
    static bool moveAndSave(TfrxDesignerForm &form)
    {
        TfrxComponent *memo = form.Report().FindObject(QStringLiteral("Memo5"));
        memo->SetLeft(memo->Left() + 1);
        form.SetModified(true);
        return form.SaveReport();
    }

    const QString user = DataLocations::userTemplatePath();
    DesignerErrors designerErrors;
    FakeDialogs dialogs;
    TfmMain window{dialogs};
};

TEST_F(TemplatePlaces, NoTemplateAnywhereNamesEveryPlace)
{
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("shablon.ze3"));
    const QString expected = QStringLiteral("Шаблон печати «shablon.ze3» не найден. Он искался в:\n") + user +
                             u'\n' + beside + u'\n' + shippedPath();
    window.blank()->setRecord(sampleCertificate());
    window.N7Click();
    window.Button3Click();
    EXPECT_EQ(dialogs.messages, QStringList({expected, expected}));
    EXPECT_TRUE(window.report()->Objects().isEmpty());
}

TEST_F(TemplatePlaces, TheShippedTemplateStaysAndTheUsersCopyIsSavedAndUsed)
{
    ship();
    const QByteArray original = readAll(shippedPath());
    design([&](TfrxDesignerForm &form) {
        EXPECT_EQ(form.Report().FileName(), user) << "the designer names the file it will write";
        EXPECT_TRUE(moveAndSave(form));
    });
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'\n').toStdString();
    EXPECT_TRUE(designerErrors.errors.isEmpty()) << designerErrors.errors.join(u'\n').toStdString();
    EXPECT_EQ(readAll(shippedPath()), original);
    ASSERT_TRUE(QFileInfo::exists(user)) << "the data folder is made when missing";

    // From now on the user's copy is the one printed and designed.
    design([&](TfrxDesignerForm &form) { EXPECT_EQ(form.Report().FileName(), user); });
    TfrxReport saved;
    ASSERT_TRUE(saved.LoadFromFile(user));
    EXPECT_NE(readAll(user), original);
}

// A file where the data folder should be stops every write even for root: the save fails with the
// designer's message, and the shipped template is untouched.
TEST_F(TemplatePlaces, AnUnwritableDataFolderFailsTheSaveAndKeepsTheShippedTemplate)
{
    ship();
    const QByteArray original = readAll(shippedPath());
    {
        QFile blocker(dataFolder());
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    design([&](TfrxDesignerForm &form) { EXPECT_FALSE(moveAndSave(form)); });
    ASSERT_EQ(designerErrors.errors.size(), 1);
    EXPECT_TRUE(designerErrors.errors.front().contains(user)) << designerErrors.errors.front().toStdString();
    EXPECT_EQ(readAll(shippedPath()), original);
}

TEST_F(TemplatePlaces, ACertificateNamedOnTheCommandLineOpens)
{
    QTemporaryDir folder;
    const QString good = folder.filePath(QStringLiteral("иванов.vod"));
    const QString foreign = folder.filePath(QStringLiteral("notes.vod"));
    {
        TIniFile ini;
        sampleCertificate(QStringLiteral("Иванов Иван")).writeTo(ini);
        ASSERT_TRUE(ini.save(good));
        QFile file(foreign);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Other]\r\nkey=1\r\n");
    }
    const QString notCertificate = QStringLiteral("Файл не является файлом свидетельства!");
    const struct
    {
        const char *what;
        QString path;
        bool opens;
    } cases[] = {
        {"a certificate", good, true},
        {"a missing file", folder.filePath(QStringLiteral("missing.vod")), false},
        {"a folder", folder.path(), false},
        {"another INI file", foreign, false},
    };
    for (const auto &c : cases) {
        FakeDialogs fresh;
        TfmMain started(fresh);
        EXPECT_EQ(started.openCertificate(c.path), c.opens) << c.what;
        EXPECT_EQ(fresh.messages, c.opens ? QStringList() : QStringList{notCertificate}) << c.what;
        EXPECT_EQ(started.fileOpenName(), c.opens ? c.path : QString()) << c.what;
        if (c.opens) {
            EXPECT_EQ(started.windowTitle(), QStringLiteral("Иванов Иван"));
            EXPECT_EQ(started.blank()->record().texts, sampleCertificate().texts);
        }
    }
}

TEST_F(TemplatePlaces, FileDialogsStartInTheDocumentsFolderNotBesideTheProgram)
{
    window.N10Click();
    ASSERT_EQ(dialogs.folders.size(), 1);
    EXPECT_EQ(dialogs.folders.front(), DataLocations::documentsFolder());
    EXPECT_NE(dialogs.folders.front(), QCoreApplication::applicationDirPath());
    EXPECT_TRUE(QFileInfo(dialogs.folders.front()).isDir());
}

} // namespace
