// The PDF of a long list, read back with poppler's pdftotext: every row once, in order, and the total.
#include "EngineFixture.h"

#include "zorPdfExport.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

class PdfExportTest : public EngineFixture
{
};

// The export draws each page once and lets it go; the pages must still come out whole and in order.
TEST_F(PdfExportTest, ALongListKeepsEveryRowAndTheTotal)
{
    constexpr int rows = 1000;
    AddNumbers(QStringLiteral("Data"), rows);
    auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 0, 20);
    band->SetDataSetName(QStringLiteral("Data"));
    AddMemo(band, QStringLiteral("Row"), 0, 0, 200, 20, QStringLiteral("row [Data.\"N\"]"));
    auto *summary = AddBand<TfrxReportSummary>(QStringLiteral("ReportSummary1"), 100, 20);
    AddMemo(summary, QStringLiteral("Total"), 0, 0, 200, 20, QStringLiteral("total [SUM(Data.\"N\")]"));
    ASSERT_TRUE(Prepare());
    const int pages = Pages()->GetCount();
    ASSERT_EQ(pages, 56); // 18 rows of 20 on a page of 377.95

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    QString error;
    ASSERT_TRUE(zorExportPdf(*FReport, pdf, error)) << error.toStdString();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QStringList lines = QString::fromUtf8(text.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QStringList rowTexts;
    for (const QString &line : lines) {
        if (line.trimmed().startsWith(QLatin1String("row ")))
            rowTexts.append(line.trimmed());
    }
    ASSERT_EQ(rowTexts.size(), rows);
    for (int i = 0; i < rows; ++i)
        ASSERT_EQ(rowTexts[i], QStringLiteral("row %1").arg(i + 1));
    EXPECT_EQ(lines.filter(QStringLiteral("total")).join(u'|').trimmed(), QStringLiteral("total 500500"));
    // The preview's cache size is the report's again afterwards.
    EXPECT_EQ(FReport->PreviewOptions()->PagesInCache, 50);
}

} // namespace
