#include "TfrxDataPage.h"
#include "TfrxError.h"
#include "TfrxFont.h"
#include "TfrxGlassFill.h"
#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "zorTemplateFormat.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ReportFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        zorRegisterTemplateFormat();
        ASSERT_TRUE(dir.isValid());
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    // A page with two text objects, one of them with non-default geometry, font and text.
    static void fill(TfrxReport &report)
    {
        auto *page = new TfrxReportPage(&report);
        page->SetName(QStringLiteral("Page1"));
        page->SetParent(&report);
        for (const char *name : {"Memo1", "Memo_prot"}) {
            auto *memo = new TfrxMemoView(page);
            memo->SetName(QString::fromLatin1(name));
            memo->SetParent(page);
        }
        auto *memo = static_cast<TfrxMemoView *>(report.FindObject(QStringLiteral("Memo1")));
        memo->SetBounds(3.78, 33.02, 328.82, 26.46);
        memo->Font()->SetName(QStringLiteral("Times New Roman"));
        memo->SetText(QStringLiteral("Автошкола «Ромашка»\r\nвторая строка"));
    }

    static QByteArray readAll(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(ReportFileTest, SavedReportLoadsIntoAnotherAndSavesTheSameBytes)
{
    TfrxReport source;
    fill(source);
    ASSERT_TRUE(source.SaveToFile(path(QStringLiteral("a.ze3"))));

    TfrxReport target;
    ASSERT_TRUE(target.LoadFromFile(path(QStringLiteral("a.ze3")), false));
    EXPECT_TRUE(target.Errors().isEmpty()) << target.Errors().join(u'\n').toStdString();
    EXPECT_EQ(target.FileName(), path(QStringLiteral("a.ze3")));
    auto *memo = qobject_cast<TfrxMemoView *>(target.FindObject(QStringLiteral("Memo1")));
    ASSERT_NE(memo, nullptr);
    // Text reads back as lines, each ended by a line break.
    EXPECT_EQ(memo->Text(), QStringLiteral("Автошкола «Ромашка»\r\nвторая строка\r\n"));
    EXPECT_DOUBLE_EQ(memo->Left(), 3.78);
    EXPECT_DOUBLE_EQ(memo->Height(), 26.46);
    EXPECT_EQ(memo->Font()->Name(), QStringLiteral("Times New Roman"));
    EXPECT_NE(target.FindObject(QStringLiteral("Memo_prot")), nullptr);
    // The loaded report gained a data page in first place; saved again it holds it as well.
    ASSERT_FALSE(target.Objects().isEmpty());
    EXPECT_TRUE(qobject_cast<TfrxDataPage *>(target.Objects().first()));
    EXPECT_EQ(target.Objects().first()->Name(), QStringLiteral("Data"));

    ASSERT_TRUE(target.SaveToFile(path(QStringLiteral("b.ze3"))));
    TfrxReport third;
    ASSERT_TRUE(third.LoadFromFile(path(QStringLiteral("b.ze3")), false));
    ASSERT_TRUE(third.SaveToFile(path(QStringLiteral("c.ze3"))));
    EXPECT_EQ(readAll(path(QStringLiteral("b.ze3"))), readAll(path(QStringLiteral("c.ze3"))));
    // No temporary file is left beside the template.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

TEST_F(ReportFileTest, MissingFileEmptiesTheReport)
{
    TfrxReport report;
    fill(report);
    ASSERT_TRUE(report.SaveToFile(path(QStringLiteral("a.ze3"))));
    ASSERT_TRUE(report.LoadFromFile(path(QStringLiteral("a.ze3")), false));

    EXPECT_FALSE(report.LoadFromFile(path(QStringLiteral("missing.ze3")), false));
    EXPECT_TRUE(report.Objects().isEmpty());
    EXPECT_EQ(report.FindObject(QStringLiteral("Memo1")), nullptr);
    EXPECT_TRUE(report.FileName().isEmpty());
    EXPECT_TRUE(report.Errors().isEmpty());

    EXPECT_THROW(report.LoadFromFile(path(QStringLiteral("missing.ze3"))), TfrxError);
}

TEST_F(ReportFileTest, DamagedFileRecordsErrorsAndKeepsWhatItRead)
{
    struct Case
    {
        const char *name;
        QByteArray text;
        QStringList errors;
    };
    const QByteArray head = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                            "<TfrxReport Version=\"5.1.1\">"
                            "<TfrxReportPage Name=\"Page1\">"
                            "<TfrxMemoView Name=\"Memo1\" Left=\"7,5\" Text=\"one\"/>";
    const Case cases[] = {
        {"bad enumeration",
         head + "<TfrxMemoView Name=\"Memo2\" HAlign=\"haNowhere\"/></TfrxReportPage></TfrxReport>",
         {QStringLiteral("Invalid property value HAlign")}},
        {"unknown class",
         head + "<TNoSuchView Name=\"X\"/></TfrxReportPage></TfrxReport>",
         {QStringLiteral("Cannot find class TNoSuchView")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile file(path(QStringLiteral("damaged.ze3")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.text);
        file.close();

        TfrxReport report;
        EXPECT_TRUE(report.LoadFromFile(file.fileName(), false));
        EXPECT_EQ(report.Errors(), c.errors);
        auto *memo = qobject_cast<TfrxMemoView *>(report.FindObject(QStringLiteral("Memo1")));
        ASSERT_NE(memo, nullptr);
        EXPECT_EQ(memo->Text(), QStringLiteral("one\r\n"));
        EXPECT_DOUBLE_EQ(memo->Left(), 7.5);
        EXPECT_NE(report.FindObject(QStringLiteral("Data")), nullptr);
    }
}

// A syntax error ends the reading: the error is recorded, the report holds only its data page.
TEST_F(ReportFileTest, TruncatedFileRecordsTheFormatError)
{
    QFile file(path(QStringLiteral("truncated.ze3")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TfrxReport><TfrxReportPage Name=\"Pa");
    file.close();

    TfrxReport report;
    EXPECT_TRUE(report.LoadFromFile(file.fileName(), false));
    EXPECT_EQ(report.Errors(), QStringList{QStringLiteral("Invalid file format")});
    ASSERT_EQ(report.Objects().size(), 1);
    EXPECT_EQ(report.Objects().first()->Name(), QStringLiteral("Data"));
}

TEST_F(ReportFileTest, FailedSaveKeepsTheOldFile)
{
    TfrxReport report;
    fill(report);
    // A target inside a folder that does not exist cannot be written at all.
    EXPECT_FALSE(report.SaveToFile(path(QStringLiteral("no/such/folder/a.ze3"))));

    // A directory in place of the file: the rename fails and the directory stays.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.ze3")));
    EXPECT_FALSE(report.SaveToFile(path(QStringLiteral("taken.ze3"))));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("taken.ze3"))).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 0);
}

TEST_F(ReportFileTest, StreamRoundTripMatchesFile)
{
    TfrxReport report;
    fill(report);
    ASSERT_TRUE(report.SaveToFile(path(QStringLiteral("a.ze3"))));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    report.SaveToStream(&buffer);
    EXPECT_EQ(buffer.data(), readAll(path(QStringLiteral("a.ze3"))));
}

} // namespace

namespace {

// A template leaves out a glass fill's colour when it is white, its stored default, while a new
// glass fill starts grey: reading must not turn white into grey.
TEST_F(ReportFileTest, GlassFillColoursSurviveSaveAndReload)
{
    for (const int color : {int(zor::clWhite), int(zor::clGray), 0x0000FF}) {
        TfrxReport source;
        fill(source);
        auto *memo = static_cast<TfrxMemoView *>(source.FindObject(QStringLiteral("Memo1")));
        memo->SetFillType(zor::ftGlass);
        qobject_cast<TfrxGlassFill *>(memo->Fill())->SetColor(color);
        ASSERT_TRUE(source.SaveToFile(path(QStringLiteral("glass.ze3"))));

        TfrxReport target;
        ASSERT_TRUE(target.LoadFromFile(path(QStringLiteral("glass.ze3")), false));
        auto *read = static_cast<TfrxMemoView *>(target.FindObject(QStringLiteral("Memo1")));
        auto *glass = qobject_cast<TfrxGlassFill *>(read->Fill());
        ASSERT_NE(glass, nullptr) << color;
        EXPECT_EQ(glass->Color(), color);
    }

    QBuffer file;
    file.setData(QByteArrayLiteral(
        "<?xml version=\"1.0\"?><TfrxReport><TfrxReportPage Name=\"Page1\">"
        "<TfrxMemoView Name=\"Memo1\" FillType=\"ftGlass\"/></TfrxReportPage></TfrxReport>"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    TfrxReport report;
    ASSERT_TRUE(report.LoadFromStream(&file));
    auto *memo = static_cast<TfrxMemoView *>(report.FindObject(QStringLiteral("Memo1")));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(qobject_cast<TfrxGlassFill *>(memo->Fill())->Color(), zor::clWhite);
    EXPECT_EQ(TfrxGlassFill().Color(), zor::clGray) << "a new one still starts grey";
}

} // namespace
