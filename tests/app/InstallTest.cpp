// The program as a user gets it: this build installed with cmake --install into a temporary
// prefix, the installed zorreport and zelta started from there without a user data folder, the
// desktop entry and the ".vod" file type checked with the desktop's own tools, and the Debian
// package that CPack makes of this build.
#include "CertificateRecord.h"
#include "SampleCertificate.h"
#include "TIniFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Outcome
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Installed : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        root = std::make_unique<QTemporaryDir>();
        const Outcome install =
            run(QStringLiteral(ZOR_CMAKE), {QStringLiteral("--install"), QStringLiteral(ZOR_BUILD_DIR),
                                            QStringLiteral("--prefix"), prefix()});
        ASSERT_EQ(install.status, 0) << install.out.toStdString() << install.err.toStdString();
    }
    static void TearDownTestSuite() { root.reset(); }

    static QString prefix() { return root->filePath(QStringLiteral("usr")); }
    static QString installed(const QString &relative) { return QDir(prefix()).filePath(relative); }

    // A user's session as a desktop starts it, with a home of its own that has no data folder yet
    // and no XDG_RUNTIME_DIR, about which Qt would otherwise speak up.
    static QProcessEnvironment session()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"XDG_RUNTIME_DIR", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("HOME"), root->filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

    static Outcome run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.setProcessEnvironment(session());
        process.start(program, arguments);
        Outcome result;
        if (!process.waitForFinished(240000))
            return result;
        result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

    static inline std::unique_ptr<QTemporaryDir> root;
};

TEST_F(Installed, EveryFileIsInItsPlace)
{
    QStringList expected{
        QStringLiteral("bin/zelta"),
        QStringLiteral("bin/zorreport"),
        QStringLiteral("share/zelta/shablon.ze3"),
        QStringLiteral("share/zelta/blank.png"),
        QStringLiteral("share/applications/zelta.desktop"),
        QStringLiteral("share/mime/packages/zelta.xml"),
        QStringLiteral("share/icons/hicolor/scalable/apps/zelta.svg"),
        QStringLiteral("share/man/man1/zelta.1.gz"),
        QStringLiteral("share/man/man1/zorreport.1.gz"),
        QStringLiteral("share/doc/zelta/guide.md"),
        QStringLiteral("share/doc/zelta/images/designer.png"),
        QStringLiteral("share/fontconfig/conf.avail/60-zelta.conf"),
    };
    for (const char *size : {"16", "24", "32", "48", "64", "128", "256"})
        expected << QStringLiteral("share/icons/hicolor/%1x%1/apps/zelta.png").arg(QLatin1String(size));
    const QDir languages(QStringLiteral(ZOR_SOURCE_DIR "/resources/languages"));
    for (const QString &file : languages.entryList({QStringLiteral("*.frc")}, QDir::Files))
        expected << QStringLiteral("share/zelta/") + file;
    for (const QString &file : expected)
        EXPECT_TRUE(QFile::exists(installed(file))) << file.toStdString();
    EXPECT_EQ(readAll(installed(QStringLiteral("share/zelta/shablon.ze3"))),
              readAll(QStringLiteral(ZOR_SOURCE_DIR "/resources/template/shablon.ze3")));
}

TEST_F(Installed, ZorreportPrintsTheShippedTemplateAndSaysOnlyItsOwnMessages)
{
    const QString zorreport = installed(QStringLiteral("bin/zorreport"));
    const Outcome version = run(zorreport, {QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QByteArray("zorreport " ZOR_VERSION "\n"));
    EXPECT_EQ(version.err, QByteArray());

    const QString pdf = root->filePath(QStringLiteral("certificate.pdf"));
    const Outcome printed =
        run(zorreport, {QStringLiteral("pdf"), installed(QStringLiteral("share/zelta/shablon.ze3")),
                        QStringLiteral("-o"), pdf});
    EXPECT_EQ(printed.status, 0);
    EXPECT_EQ(printed.err, QByteArray()) << "no notices of the toolkit";
    EXPECT_TRUE(readAll(pdf).startsWith("%PDF-"));

    const QString missing = root->filePath(QStringLiteral("missing.ze3"));
    const Outcome failed =
        run(zorreport, {QStringLiteral("pdf"), missing, QStringLiteral("-o"), pdf + QStringLiteral("2")});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, QStringLiteral("Cannot open file \"%1\"\n").arg(missing).toUtf8());
}

TEST_F(Installed, ZeltaStartsWithACertificateFromTheCommandLine)
{
    const QString zelta = installed(QStringLiteral("bin/zelta"));
    const Outcome version = run(zelta, {QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.contains(ZOR_VERSION)) << version.out.toStdString();

    const QString certificate = root->filePath(QStringLiteral("иванов.vod"));
    TIniFile ini;
    sampleCertificate().writeTo(ini);
    ASSERT_TRUE(ini.save(certificate));
    QProcess process;
    process.setProcessEnvironment(session());
    process.start(zelta, {certificate});
    ASSERT_TRUE(process.waitForStarted());
    EXPECT_FALSE(process.waitForFinished(3000))
        << "the window stays up: " << process.readAllStandardError().toStdString();
    process.kill();
    process.waitForFinished();
}

TEST_F(Installed, TheDesktopEntryAndTheFileTypeAreValid)
{
    const Outcome validate = run(QStringLiteral("desktop-file-validate"),
                                 {installed(QStringLiteral("share/applications/zelta.desktop"))});
    EXPECT_EQ(validate.status, 0);
    EXPECT_EQ(validate.out + validate.err, QByteArray());

    const QString mime = installed(QStringLiteral("share/mime"));
    ASSERT_EQ(run(QStringLiteral("update-mime-database"), {mime}).status, 0);
    EXPECT_TRUE(readAll(mime + QStringLiteral("/globs2")).contains(":application/x-zelta-vod:*.vod"));
    EXPECT_TRUE(QString::fromUtf8(readAll(mime + QStringLiteral("/application/x-zelta-vod.xml")))
                    .contains(QStringLiteral("файл свидетельства о профессии водителя")));
}

// The package is made from this (test) build: the check is of its contents, not of its speed.
TEST_F(Installed, TheDebianPackageHoldsTheProgramAndNamesWhatItNeeds)
{
    const QString output = root->filePath(QStringLiteral("package"));
    const Outcome cpack = run(QStringLiteral(ZOR_CPACK),
                              {QStringLiteral("--config"), QStringLiteral(ZOR_BUILD_DIR "/CPackConfig.cmake"),
                               QStringLiteral("-B"), output});
    ASSERT_EQ(cpack.status, 0) << cpack.out.toStdString() << cpack.err.toStdString();
    const QString deb = QDir(output).filePath(QStringLiteral("zelta_" ZOR_VERSION "_amd64.deb"));
    ASSERT_TRUE(QFile::exists(deb));

    const Outcome info = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--info"), deb});
    ASSERT_EQ(info.status, 0);
    EXPECT_TRUE(info.out.contains(" Package: zelta\n"));
    EXPECT_TRUE(info.out.contains(" postinst")) << "the font mapping is linked in";
    const qsizetype depends = info.out.indexOf(" Depends: ");
    ASSERT_GE(depends, 0);
    const QByteArray line = info.out.mid(depends, info.out.indexOf('\n', depends) - depends);
    for (const char *package :
         {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6printsupport6", "libcups2", "libjpeg62-turbo",
          "fontconfig", "fonts-liberation2", "fonts-wine"})
        EXPECT_TRUE(line.contains(package)) << package << " in " << line.toStdString();

    const Outcome contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb});
    ASSERT_EQ(contents.status, 0);
    for (const char *file :
         {"./usr/bin/zelta", "./usr/bin/zorreport", "./usr/share/zelta/shablon.ze3",
          "./usr/share/zelta/blank.png", "./usr/share/applications/zelta.desktop",
          "./usr/share/mime/packages/zelta.xml", "./usr/share/icons/hicolor/48x48/apps/zelta.png",
          "./usr/share/man/man1/zelta.1.gz", "./usr/share/fontconfig/conf.avail/60-zelta.conf"})
        EXPECT_TRUE(contents.out.contains(QByteArray(file) + '\n')) << file;
}

} // namespace
