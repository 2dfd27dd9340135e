// Damaged, extreme and hostile inputs through the command-line tool: each ends with its exit
// status and a first line that says what is wrong, and no output file is left behind.
#include "ZorreportRun.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

const QString kTemplate = QStringLiteral(ZOR_CERTIFICATE_TEMPLATE);

class HostileInput : public ::testing::Test
{
protected:
    QString file(const char *name, const QByteArray &bytes) const
    {
        return WriteTestFile(dir.filePath(QLatin1String(name)), bytes);
    }
    QByteArray prepared() const
    {
        const QString out = dir.filePath(QStringLiteral("good.zi3"));
        EXPECT_EQ(RunZorreport({QStringLiteral("prepare"), kTemplate, QStringLiteral("-o"), out}).ExitCode,
                  0);
        return ReadTestFile(out);
    }

    QTemporaryDir dir;
};

TEST_F(HostileInput, EachEndsWithItsStatusAndReason)
{
    const QByteArray template_ = ReadTestFile(kTemplate);
    const QByteArray good = prepared();
    ASSERT_TRUE(good.contains("<m1 "));
    QByteArray unknownAlias = good;
    unknownAlias.replace(unknownAlias.indexOf("<m1 "), 4, "<m999 ");
    const QString csv = QStringLiteral("--data");

    struct Case
    {
        const char *Name;
        QStringList Args; // the output is appended
        int ExitCode;
        QString FirstLine; // the beginning of the first line of standard error
    };
    const Case cases[] = {
        {"a truncated template",
         {QStringLiteral("prepare"), file("cut.ze3", template_.left(template_.size() / 2))},
         1,
         QStringLiteral("Invalid file format")},
        {"an empty template",
         {QStringLiteral("pdf"), file("empty.ze3", QByteArray())},
         1,
         QStringLiteral("Invalid file format")},
        // Cut before its dictionary: the objects of the page have no alias that resolves.
        {"a truncated prepared report",
         {QStringLiteral("render"), file("cut.zi3", good.left(good.indexOf("<dictionary")))},
         1,
         QStringLiteral("Cannot find class m1 (page 1)")},
        {"a prepared report cut inside a tag",
         {QStringLiteral("render"), file("tag.zi3", good.left(good.indexOf("<m1 ") + 3))},
         1,
         QStringLiteral("Invalid file format")},
        {"a prepared report with an unknown alias",
         {QStringLiteral("pdf"), file("alias.zi3", unknownAlias)},
         1,
         QStringLiteral("Cannot find class m999 (page 1)")},
        {"a CSV file without a line of names",
         {QStringLiteral("prepare"), kTemplate, csv, QStringLiteral("X=") + file("blank.csv", "\n\n")},
         1,
         QStringLiteral("\"%1\" has no line of field names").arg(dir.filePath(QStringLiteral("blank.csv")))},
        {"a page that does not exist",
         {QStringLiteral("render"), file("good.zi3", good), QStringLiteral("--page"), QStringLiteral("99")},
         1,
         QStringLiteral("Page 99 does not exist")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        const QString out = dir.filePath(QStringLiteral("out"));
        const ZorreportResult r = RunZorreport(c.Args + QStringList{QStringLiteral("-o"), out});
        EXPECT_EQ(r.ExitCode, c.ExitCode) << r.Err.toStdString();
        EXPECT_TRUE(FirstLine(r.Err).startsWith(c.FirstLine)) << r.Err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

} // namespace
