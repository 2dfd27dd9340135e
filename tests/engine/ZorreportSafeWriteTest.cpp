// Every file the command-line tool writes replaces an old one only when it was written whole: a
// full disk or a read-only folder leaves the old file as it was, no temporary file behind, and
// exit status 1 with the reason.
#include "TinyFileSystem.h"
#include "ZorreportRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

constexpr int kDiskKb = 64;
const QByteArray kOld = "the old file";

struct Output
{
    const char *Command;
    const char *File;
};
constexpr Output kOutputs[] = {{"prepare", "cert.zi3"}, {"render", "cert.png"}, {"pdf", "cert.pdf"}};

// A page full of text, so that every output is larger than the free space left on the disk.
QByteArray FullPageTemplate()
{
    QString text;
    for (int i = 0; i < 1500; ++i)
        text += QStringLiteral("Слово%1 word ").arg(i);
    return QStringLiteral(R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport Version="5.1.1">
  <TfrxReportPage Name="Page1" PaperWidth="210" PaperHeight="297" PaperSize="9">
    <TfrxReportTitle Name="Title1" Height="1000" Width="718">
      <TfrxMemoView Name="Memo1" Width="700" Height="1000" Text="%1"/>
    </TfrxReportTitle>
  </TfrxReportPage>
</TfrxReport>
)")
        .arg(text)
        .toUtf8();
}

class SafeWrite : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mount = dir.filePath(QStringLiteral("tiny"));
        ASSERT_TRUE(QDir().mkdir(mount));
        tiny = std::make_unique<TinyFileSystem>(mount, kDiskKb);
        if (!tiny->mounted())
            GTEST_SKIP() << "mounting a tmpfs needs root";
        for (const Output &o : kOutputs)
            WriteTestFile(target(o), kOld);
        input = WriteTestFile(dir.filePath(QStringLiteral("page.ze3")), FullPageTemplate());
    }

    QStringList arguments(const Output &o, const QString &output) const
    {
        return QStringList{QLatin1String(o.Command), input, QStringLiteral("-o"), output};
    }

    QString target(const Output &o) const { return mount + u'/' + QLatin1String(o.File); }

    // Each output fails and leaves the old file and nothing else.
    void expectEveryOutputRefused(const QStringList &filesLeft)
    {
        for (const Output &o : kOutputs) {
            SCOPED_TRACE(o.Command);
            const ZorreportResult r = RunZorreport(arguments(o, target(o)));
            EXPECT_EQ(r.ExitCode, 1);
            EXPECT_TRUE(FirstLine(r.Err).startsWith(QStringLiteral("Cannot write \"%1\"").arg(target(o))))
                << r.Err.toStdString();
            EXPECT_EQ(ReadTestFile(target(o)), kOld);
        }
        EXPECT_EQ(QDir(mount).entryList(QDir::Files, QDir::Name), filesLeft)
            << "no temporary file is left behind";
    }

    QTemporaryDir dir;
    QString mount;
    QString input;
    std::unique_ptr<TinyFileSystem> tiny;
};

TEST_F(SafeWrite, AFullDiskKeepsTheOldFiles)
{
    // Each output needs more than the one free page the filler leaves.
    for (const Output &o : kOutputs) {
        const QString roomy = dir.filePath(QLatin1String(o.File));
        ASSERT_EQ(RunZorreport(arguments(o, roomy)).ExitCode, 0);
        ASSERT_GT(QFileInfo(roomy).size(), 8 * 1024) << o.File;
    }
    WriteTestFile(mount + QStringLiteral("/filler"), QByteArray((kDiskKb - 4 * 4) * 1024, 'x'));
    expectEveryOutputRefused({QStringLiteral("cert.pdf"), QStringLiteral("cert.png"),
                              QStringLiteral("cert.zi3"), QStringLiteral("filler")});
}

TEST_F(SafeWrite, AReadOnlyFolderKeepsTheOldFiles)
{
    ASSERT_TRUE(tiny->makeReadOnly());
    expectEveryOutputRefused(
        {QStringLiteral("cert.pdf"), QStringLiteral("cert.png"), QStringLiteral("cert.zi3")});
}

} // namespace
