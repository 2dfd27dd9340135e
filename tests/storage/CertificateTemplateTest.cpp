#include "TfrxDataPage.h"
#include "TfrxFont.h"
#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "zorTemplateFormat.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray shippedBytes()
{
    QFile file(QStringLiteral(ZOR_TEMPLATE_FILE));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CertificateTemplateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        zorRegisterTemplateFormat();
        ASSERT_TRUE(report.LoadFromFile(QStringLiteral(ZOR_TEMPLATE_FILE), false));
    }

    TfrxReport report;
};

TEST_F(CertificateTemplateTest, LoadsWithoutErrorsAndSavesTheSameBytes)
{
    EXPECT_TRUE(report.Errors().isEmpty()) << report.Errors().join(u'\n').toStdString();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    report.SaveToStream(&buffer);
    EXPECT_EQ(buffer.data(), shippedBytes());
}

TEST_F(CertificateTemplateTest, PagesAreTheDataPageAndOneA5LandscapePage)
{
    ASSERT_EQ(report.Objects().size(), 2);
    auto *data = qobject_cast<TfrxDataPage *>(report.Objects().at(0));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->Name(), QStringLiteral("Data"));
    auto *page = qobject_cast<TfrxReportPage *>(report.Objects().at(1));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Name(), QStringLiteral("Page1"));
    EXPECT_EQ(page->Orientation(), zor::poLandscape);
    EXPECT_EQ(page->PaperSize(), 11);
    EXPECT_DOUBLE_EQ(page->PaperWidth(), 210);
    EXPECT_DOUBLE_EQ(page->PaperHeight(), 148);
    for (double margin : {page->LeftMargin(), page->RightMargin(), page->TopMargin(), page->BottomMargin()})
        EXPECT_DOUBLE_EQ(margin, 10);
    EXPECT_EQ(page->Font()->Name(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(page->Font()->Height(), -11);
    EXPECT_EQ(page->Font()->Color(), 0);
    EXPECT_EQ(page->Objects().size(), 48);
}

TEST_F(CertificateTemplateTest, TextObjectsStandWhereTheBlankNeedsThem)
{
    struct Expected {
        const char *name;
        double left, top, width, height;
        int pixels;
        zor::TFontStyles style;
        zorTextAlign::TfrxHAlign align;
    };
    const zor::TFontStyles italic(zor::fsItalic), bold(zor::fsBold), plain;
    const Expected cases[] = {
        {"Memo1", 3.78, 33.02, 328.82, 26.46, 11, italic, zorTextAlign::haCenter},
        {"Memo4", 45.35, 200.31, 49.13, 15.12, 13, bold, zorTextAlign::haCenter},
        {"Memo5", 11.34, 262.57, 321.26, 15.12, 13, italic, zorTextAlign::haCenter},
        {"Memo16", 604.72, 183.69, 37.80, 15.12, 11, plain, zorTextAlign::haCenter},
        {"Memo23", 604.72, 434.65, 37.80, 15.12, 11, plain, zorTextAlign::haCenter},
        {"Memo27", 219.21, 457.54, 117.17, 15.12, 11, plain, zorTextAlign::haCenter},
        {"Memo30", 646.30, 154.96, 68.03, 15.12, 11, plain, zorTextAlign::haCenter},
        {"Memo31", 644.30, 183.31, 68.03, 15.12, 11, plain, zorTextAlign::haCenter},
        {"Memo38", 644.30, 434.65, 68.03, 15.12, 11, plain, zorTextAlign::haCenter},
        {"Memo42", 385.51, 326.93, 147.40, 15.12, 11, plain, zorTextAlign::haCenter},
        {"Memo_prot", 578.27, 7.56, 158.74, 15.12, 11, italic, zorTextAlign::haLeft},
        {"Memo_year", 510.24, 21.68, 56.69, 15.12, 11, italic, zorTextAlign::haCenter},
    };
    for (const Expected &e : cases) {
        SCOPED_TRACE(e.name);
        auto *memo = qobject_cast<TfrxMemoView *>(report.FindObject(QString::fromLatin1(e.name)));
        ASSERT_NE(memo, nullptr);
        EXPECT_DOUBLE_EQ(memo->Left(), e.left);
        EXPECT_DOUBLE_EQ(memo->Top(), e.top);
        EXPECT_DOUBLE_EQ(memo->Width(), e.width);
        EXPECT_DOUBLE_EQ(memo->Height(), e.height);
        EXPECT_FALSE(memo->ParentFont());
        EXPECT_EQ(memo->Font()->Name(), QStringLiteral("Times New Roman"));
        EXPECT_EQ(memo->Font()->Height(), -e.pixels);
        EXPECT_EQ(memo->Font()->Style(), e.style);
        EXPECT_EQ(memo->Font()->Charset(), 204);
        EXPECT_EQ(memo->Font()->Color(), 0);
        EXPECT_EQ(memo->HAlign(), e.align);
        EXPECT_TRUE(memo->Text().isEmpty());
    }
}

// Every name the certificate writes to is a text object of the template.
TEST_F(CertificateTemplateTest, HoldsEveryObjectTheCertificateFills)
{
    QStringList names;
    for (int i = 1; i <= 42; ++i)
        names << QStringLiteral("Memo%1").arg(i);
    names << QStringLiteral("Memo_day") << QStringLiteral("Memo_month") << QStringLiteral("Memo_year")
          << QStringLiteral("Memo_prot") << QStringLiteral("Memo_cat") << QStringLiteral("Memo_kval");
    for (const QString &name : names)
        EXPECT_NE(qobject_cast<TfrxMemoView *>(report.FindObject(name)), nullptr) << name.toStdString();
}

}  // namespace
