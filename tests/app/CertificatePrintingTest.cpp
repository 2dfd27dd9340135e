#include "CertificatePrinting.h"
#include "CertificateRecord.h"
#include "CertificateTemplateValues.h"
#include "TfrxMemoView.h"
#include "TfrxPictureView.h"
#include "TfrxReport.h"
#include "zorTemplateFormat.h"

#include <gtest/gtest.h>

namespace {

class CertificatePrintingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        zorRegisterTemplateFormat();
        ASSERT_TRUE(report.LoadFromFile(QStringLiteral(ZOR_TEMPLATE_FILE), false));
        ASSERT_TRUE(report.Errors().isEmpty());
    }

    TfrxMemoView *memo(const QString &name) const
    {
        return qobject_cast<TfrxMemoView *>(report.FindObject(name));
    }

    TfrxReport report;
};

TEST_F(CertificatePrintingTest, EveryValueReachesItsObjectOfTheShippedTemplateAsTyped)
{
    CertificateRecord record = CertificateRecord::blank(QDate(2015, 5, 5));
    record.texts[0] = QStringLiteral("Автошкола [Ромашка]");
    const auto values = CertificateTemplateValues::values(record);
    ASSERT_EQ(values.size(), 48);

    EXPECT_TRUE(CertificatePrinting::preprint(report, values).isEmpty());
    for (const auto &[name, value] : values) {
        SCOPED_TRACE(name.toStdString());
        TfrxMemoView *m = memo(name);
        ASSERT_NE(m, nullptr);
        EXPECT_FALSE(m->AllowExpressions());
        // Text reads back as lines, each ended by a line break.
        EXPECT_EQ(m->Text(), value.isEmpty() ? QString() : value + QStringLiteral("\r\n"));
    }
}

TEST_F(CertificatePrintingTest, MissingObjectsAndObjectsOfAnotherClassAreListedAndLeftAlone)
{
    delete report.FindObject(QStringLiteral("Memo5"));
    TfrxMemoView *month = memo(QStringLiteral("Memo_month"));
    auto *picture = new TfrxPictureView(month->Parent());
    picture->SetParent(month->Parent());
    delete month;
    picture->SetName(QStringLiteral("Memo_month"));

    const QStringList missing = CertificatePrinting::preprint(
        report, {{QStringLiteral("Memo4"), QStringLiteral("АА")},
                 {QStringLiteral("Memo5"), QStringLiteral("Иванов")},
                 {QStringLiteral("Memo_month"), QStringLiteral("мая")}});
    EXPECT_EQ(missing, (QStringList{QStringLiteral("Memo5"), QStringLiteral("Memo_month")}));
    EXPECT_EQ(memo(QStringLiteral("Memo4"))->Text(), QStringLiteral("АА\r\n"));
    EXPECT_EQ(report.FindObject(QStringLiteral("Memo5")), nullptr);
    EXPECT_EQ(CertificatePrinting::missingObjectsMessage(missing),
              QStringLiteral("В шаблоне печати нет текстовых объектов: Memo5, Memo_month"));
}

TEST(CertificatePrintingMessages, LoadErrorsUnderTheReportHeading)
{
    EXPECT_EQ(CertificatePrinting::loadErrorsMessage({QStringLiteral("Cannot find class TFoo"),
                                                      QStringLiteral("Invalid file format")}),
              QStringLiteral("The following error(s) have occured:\r\nCannot find class TFoo\r\nInvalid file format"));
}

}  // namespace
