#include "TfrxCollection.h"
#include "TfrxDataPage.h"
#include "TfrxFont.h"
#include "TfrxFormat.h"
#include "TfrxMemoView.h"
#include "TfrxPictureView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxXMLItem.h"
#include "TfrxXMLSerializer.h"

#include <QBuffer>
#include <QImage>
#include <QLocale>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The certificate's kind of template: a data page and one A5 landscape page of text objects.
std::unique_ptr<TfrxReport> CertificateLike(int memoCount)
{
    auto report = std::make_unique<TfrxReport>();
    auto *data = new TfrxDataPage(report.get());
    data->SetName(QStringLiteral("Data"));
    auto *page = new TfrxReportPage(report.get());
    page->SetName(QStringLiteral("Page1"));
    page->SetOrientation(zor::poLandscape);
    page->SetSizeAndDimensions(11, 210, 148);
    page->SetLeftMargin(10);
    page->SetRightMargin(10);
    page->SetTopMargin(10);
    page->SetBottomMargin(10);
    for (int i = 1; i <= memoCount; ++i) {
        auto *memo = new TfrxMemoView(page);
        memo->SetName(QStringLiteral("Memo%1").arg(i));
        memo->SetBounds(15.11812 + i, 439.65337 + i * 0.5, 338.1107, 18.89765);
        memo->Font()->SetName(i % 2 ? QStringLiteral("Times New Roman") : QStringLiteral("Arial"));
        memo->Font()->SetHeight(-13 - i % 3);
        memo->Font()->SetStyle(i % 4 == 0 ? zor::TFontStyles(zor::fsBold) : zor::TFontStyles());
        memo->SetHAlign(i % 3 == 0 ? zorTextAlign::haCenter : zorTextAlign::haLeft);
        memo->SetText(QStringLiteral("Значение %1").arg(i));
    }
    return report;
}

QByteArray Save(TfrxReport *report)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TfrxXMLSerializer serializer(&buffer);
    serializer.WriteRootComponent(report);
    return buffer.data();
}

QStringList Load(TfrxReport *report, const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    TfrxXMLSerializer serializer(&buffer);
    serializer.ReadRootComponent(report);
    return serializer.Errors();
}

TfrxMemoView *Memo(const TfrxReport &report, const QString &name)
{
    return qobject_cast<TfrxMemoView *>(report.FindObject(name));
}

// Wraps page content in a minimal template.
QByteArray Template(const QString &pageContent)
{
    return (QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?><TfrxReport>"
                           "<TfrxReportPage Name=\"Page1\">")
            + pageContent + QStringLiteral("</TfrxReportPage></TfrxReport>"))
        .toUtf8();
}

class XMLSerializerTest : public ::testing::Test
{
protected:
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
};

TEST_F(XMLSerializerTest, CertificateTemplateRoundTripsToTheSameBytes)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const auto original = CertificateLike(48);
    const QByteArray first = Save(original.get());

    TfrxReport loaded;
    EXPECT_TRUE(Load(&loaded, first).isEmpty());
    EXPECT_EQ(Save(&loaded), first);

    auto *page = qobject_cast<TfrxReportPage *>(loaded.FindObject(QStringLiteral("Page1")));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Orientation(), zor::poLandscape);
    EXPECT_EQ(page->PaperSize(), 11);
    EXPECT_DOUBLE_EQ(page->PaperWidth(), 210);
    EXPECT_DOUBLE_EQ(page->LeftMargin(), 10);
    ASSERT_EQ(page->Objects().size(), 48);
    const TfrxMemoView *memo = Memo(loaded, QStringLiteral("Memo12"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Text(), QStringLiteral("Значение 12\r\n"));
    EXPECT_EQ(memo->Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(memo->Font()->Style(), zor::TFontStyles(zor::fsBold));
    EXPECT_EQ(memo->HAlign(), zorTextAlign::haCenter);
    EXPECT_NEAR(memo->Top(), 445.65337, 1e-9);
    EXPECT_EQ(loaded.Objects().first()->Name(), QStringLiteral("Data"));
}

TEST_F(XMLSerializerTest, WritesOnlyWhatDiffersFromDefaultsWithFloatsInTheLocaleForm)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    TfrxReportPage page;
    TfrxMemoView memo(&page);
    memo.SetLeft(439.65337);
    TfrxXMLSerializer serializer;
    QString text = serializer.ObjToXML(&memo);
    EXPECT_NE(text.indexOf(QStringLiteral(" Left=\"439,65337\"")), -1) << text.toStdString();
    EXPECT_NE(text.indexOf(QStringLiteral(" Top=\"0\"")), -1);
    EXPECT_NE(text.indexOf(QStringLiteral(" Text=\"\"")), -1);
    // The font follows the parent's until it is changed.
    for (const char *absent : {"HAlign=", "AllowExpressions=", "Font.", "Name=", "Memo"})
        EXPECT_EQ(text.indexOf(QLatin1String(absent)), -1) << absent;

    memo.SetHAlign(zorTextAlign::haCenter);
    memo.SetAllowExpressions(false);
    memo.Font()->SetStyle(zor::TFontStyles(zor::fsBold | zor::fsUnderline));
    memo.SetText(QStringLiteral("a\r\nb\r\n"));
    // A writer takes the user's separator when it starts.
    QLocale::setDefault(QLocale::c());
    TfrxXMLSerializer inC;
    text = inC.ObjToXML(&memo);
    for (const char *present : {" HAlign=\"haCenter\"", " AllowExpressions=\"False\"", " Font.Style=\"5\"",
                                " Font.Name=\"",
                                " Left=\"439.65337\"", " Text=\"a&#13;&#10;b\""})
        EXPECT_NE(text.indexOf(QLatin1String(present)), -1) << present << " in " << text.toStdString();
}

TEST_F(XMLSerializerTest, FloatsReadInEitherFormUnderEitherLocale)
{
    for (const QLocale &locale : {QLocale(QLocale::Russian, QLocale::Russia), QLocale::c()}) {
        QLocale::setDefault(locale);
        for (const char *text : {"439,65337", "439.65337", "4 39,65337"}) {
            TfrxReport report;
            const QString memo = QStringLiteral("<TfrxMemoView Name=\"M\" Left=\"%1\"/>").arg(QLatin1String(text));
            EXPECT_TRUE(Load(&report, Template(memo)).isEmpty());
            ASSERT_NE(Memo(report, QStringLiteral("M")), nullptr);
            EXPECT_DOUBLE_EQ(Memo(report, QStringLiteral("M"))->Left(), 439.65337) << text;
        }
    }
}

// Damaged templates: each bad part is reported with its exact text and everything else loads.
TEST_F(XMLSerializerTest, BrokenInputIsReportedAndSkipped)
{
    struct Case {
        const char *Content;
        QStringList Errors;
    };
    const Case cases[] = {
        {"<TfrxFooView Name=\"A\"/><TfrxFooView Name=\"B\"><TfrxMemoView Name=\"C\"/></TfrxFooView>",
         {QStringLiteral("Cannot find class TfrxFooView")}},
        {"<TfrxMemoView Name=\"M\" Left=\"1e999\"/>", {QStringLiteral("'1e999' is not a valid floating point value")}},
        {"<TfrxMemoView Name=\"M\" Left=\"abc\" Tag=\"x1\"/>",
         {QStringLiteral("'abc' is not a valid floating point value"), QStringLiteral("'x1' is not a valid integer value")}},
        {"<TfrxMemoView Name=\"M\" HAlign=\"haWrong\"/>", {QStringLiteral("Invalid property value HAlign")}},
        {"<TfrxMemoView Name=\"M\" HAlign=\"7\"/>", {QStringLiteral("Invalid property value HAlign")}},
        {"<TfrxMemoView Name=\"M\" Left.Foo=\"1\" Nothing.Foo=\"2\" Unknown=\"3\" FlowTo=\"Nobody\"/>", {}},
        {"<TfrxReportPage Name=\"P2\"/><TfrxMemoView Name=\"M\"/>", {QStringLiteral("Cannot find class TfrxReportPage")}},
        {"<TfrxMemoView Name=\"M\"><TfrxReport Name=\"R\"/></TfrxMemoView>",
         {QStringLiteral("Cannot find class TfrxReport")}},
        {"<TfrxMemoView Name=\"M\"/><TfrxMemoView Name=\"M\"/>", {}},
        {"<TfrxMemoView Left=\"1\" FlowTo=\"\"/><TfrxMemoView/>", {}},
        {"<TfrxMemoView Name=\"Page1\"/>", {QStringLiteral("Duplicate name Page1")}},
    };
    for (const Case &c : cases) {
        TfrxReport report;
        EXPECT_EQ(Load(&report, Template(QString::fromUtf8(c.Content))), c.Errors) << c.Content;
        const TfrxMemoView *memo = Memo(report, QStringLiteral("M"));
        if (memo != nullptr) {
            EXPECT_EQ(memo->HAlign(), zorTextAlign::haLeft) << c.Content;
            EXPECT_EQ(memo->FlowTo(), nullptr);
            EXPECT_TRUE(memo->Objects().isEmpty());
        }
    }
}

TEST_F(XMLSerializerTest, ValuesAreReadByNumberOrIdentifierAndSetsAreMasked)
{
    TfrxReport report;
    const QStringList errors = Load(&report, Template(QStringLiteral(
        "<TfrxMemoView Name=\"M\" HAlign=\"2\" VAlign=\"vaBottom\" WordWrap=\"0\" Font.Style=\"255\" "
        "Font.Name=\"Tahoma\" FlowTo=\"N\"/><TfrxMemoView Name=\"N\" Text=\"a&#13;&#10;b\"/>")));
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'|').toStdString();
    const TfrxMemoView *memo = Memo(report, QStringLiteral("M"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->HAlign(), zorTextAlign::haCenter);
    EXPECT_EQ(memo->VAlign(), zorTextAlign::vaBottom);
    EXPECT_FALSE(memo->WordWrap());
    EXPECT_EQ(int(memo->Font()->Style()), 15);
    EXPECT_EQ(memo->Font()->Name(), QStringLiteral("Tahoma"));
    // A reference forward in the file is set once the whole tree exists.
    EXPECT_EQ(memo->FlowTo(), Memo(report, QStringLiteral("N")));
    EXPECT_EQ(Memo(report, QStringLiteral("N"))->Memo(), QStringList({QStringLiteral("a"), QStringLiteral("b")}));
}

TEST_F(XMLSerializerTest, TwoFormatsGoToANestedElementAndBack)
{
    auto report = CertificateLike(1);
    TfrxMemoView *memo = Memo(*report, QStringLiteral("Memo1"));
    for (const char *format : {"%2.2f", "dd.mm.yyyy"})
        qobject_cast<TfrxFormat *>(memo->Formats()->Add())->SetFormatStr(QLatin1String(format));
    const QByteArray bytes = Save(report.get());
    EXPECT_NE(bytes.indexOf("<Formats>"), -1) << bytes.constData();

    TfrxReport loaded;
    EXPECT_TRUE(Load(&loaded, bytes).isEmpty());
    const TfrxCollection *formats = Memo(loaded, QStringLiteral("Memo1"))->Formats();
    ASSERT_EQ(formats->Count(), 2);
    EXPECT_EQ(qobject_cast<TfrxFormat *>(formats->Item(1))->FormatStr(), QStringLiteral("dd.mm.yyyy"));
    EXPECT_EQ(Save(&loaded), bytes);
}

TEST_F(XMLSerializerTest, ComponentStringsRoundTripAndRefuseUnknownClasses)
{
    auto report = CertificateLike(2);
    TfrxMemoView *memo = Memo(*report, QStringLiteral("Memo2"));
    memo->SetFlowTo(Memo(*report, QStringLiteral("Memo1")));
    TfrxXMLSerializer writer;
    const QString text = writer.WriteComponentStr(memo);
    EXPECT_TRUE(text.startsWith(QLatin1String("TfrxMemoView ")));

    auto *page = report->FindObject(QStringLiteral("Page1"));
    TfrxXMLSerializer reader;
    reader.SetOwner(report.get());
    auto *copy = qobject_cast<TfrxMemoView *>(reader.ReadComponentStr(page, text));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Text(), memo->Text());
    EXPECT_EQ(copy->FlowTo(), Memo(*report, QStringLiteral("Memo1")));
    EXPECT_EQ(writer.ObjToXML(copy), writer.ObjToXML(memo));

    EXPECT_EQ(reader.ReadComponentStr(page, QStringLiteral("  ")), nullptr);
    EXPECT_EQ(reader.ReadComponentStr(page, QStringLiteral("TfrxNoSuch Left=\"1\"")), nullptr);
    EXPECT_EQ(reader.Errors(), QStringList{QStringLiteral("Cannot find class TfrxNoSuch")});
}

TEST_F(XMLSerializerTest, PicturesAreStoredAsPropDataAndDamagedRecordsNeverFailALoad)
{
    auto report = CertificateLike(0);
    auto *view = new TfrxPictureView(report->FindObject(QStringLiteral("Page1")));
    view->SetName(QStringLiteral("Picture1"));
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    view->SetPicture(image);
    const QByteArray bytes = Save(report.get());
    EXPECT_NE(bytes.indexOf(" Picture.PropData=\"0444617461"), -1) << bytes.constData();

    TfrxReport loaded;
    EXPECT_TRUE(Load(&loaded, bytes).isEmpty());
    auto *copy = qobject_cast<TfrxPictureView *>(loaded.FindObject(QStringLiteral("Picture1")));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Picture().size(), QSize(3, 2));
    EXPECT_EQ(copy->Picture().pixel(2, 1), qRgb(10, 200, 30));
    EXPECT_EQ(Save(&loaded), bytes);

    // Truncated, an unknown graphic class, a length beyond the end, a tag that is not binary,
    // no hexadecimal at all.
    for (const char *damaged : {"04446174610A", "04446174610A0A0000000954476966496D616765", "04446174610AFFFFFF7F",
                                "0444617461020100", "zz"}) {
        TfrxReport other;
        const QString element =
            QStringLiteral("<TfrxPictureView Name=\"P\" Picture.PropData=\"%1\" Left=\"5\"/>").arg(QLatin1String(damaged));
        EXPECT_TRUE(Load(&other, Template(element)).isEmpty()) << damaged;
        auto *picture = qobject_cast<TfrxPictureView *>(other.FindObject(QStringLiteral("P")));
        ASSERT_NE(picture, nullptr);
        EXPECT_TRUE(picture->Picture().isNull());
        EXPECT_DOUBLE_EQ(picture->Left(), 5);
    }
}

// An inherited report writes only what differs from the parent template's object.
TEST_F(XMLSerializerTest, AgainstAnAncestorOnlyDifferencesAreWritten)
{
    QLocale::setDefault(QLocale::c());
    auto parent = CertificateLike(2);
    auto child = CertificateLike(2);
    TfrxMemoView *ancestor = Memo(*parent, QStringLiteral("Memo2"));
    ancestor->SetFlowTo(Memo(*parent, QStringLiteral("Memo1")));
    TfrxMemoView *memo = Memo(*child, QStringLiteral("Memo2"));
    memo->SetLeft(memo->Left() + 1e-7);
    memo->SetHAlign(zorTextAlign::haRight);
    memo->Font()->SetName(QStringLiteral("Tahoma"));

    TfrxXMLSerializer serializer;
    EXPECT_EQ(serializer.ObjToXML(memo, {}, ancestor),
              QStringLiteral(" FlowTo=\"nil\" Font.Name=\"Tahoma\" HAlign=\"haRight\""));

    memo->SetAncestor(true);
    serializer.SetOnGetAncestor([&](const QString &name) { return parent->FindObject(name); });
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    serializer.SetStream(&buffer);
    serializer.WriteRootComponent(child.get());
    EXPECT_NE(buffer.data().indexOf("<inherited Name=\"Memo2\" FlowTo=\"nil\" Font.Name=\"Tahoma\" HAlign=\"haRight\"/>"), -1)
        << buffer.data().constData();
    EXPECT_NE(buffer.data().indexOf("<TfrxMemoView Name=\"Memo1\"/>"), -1);
}

TEST_F(XMLSerializerTest, CopyTreeReplacesTheChildrenWithCopiesInAnotherReport)
{
    auto source = CertificateLike(3);
    Memo(*source, QStringLiteral("Memo3"))->SetFlowTo(Memo(*source, QStringLiteral("Memo1")));
    auto target = CertificateLike(5);
    auto *from = source->FindObject(QStringLiteral("Page1"));
    auto *to = target->FindObject(QStringLiteral("Page1"));
    Memo(*target, QStringLiteral("Memo1"))->SetHAlign(zorTextAlign::haBlock);

    for (bool withDefaults : {false, true}) {
        EXPECT_TRUE(TfrxXMLSerializer::CopyTree(from, to, withDefaults).isEmpty());
        ASSERT_EQ(to->Objects().size(), 3);
        TfrxXMLSerializer serializer;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(serializer.ObjToXML(to->Objects()[i]), serializer.ObjToXML(from->Objects()[i]));
        EXPECT_EQ(Memo(*target, QStringLiteral("Memo3"))->FlowTo(), Memo(*target, QStringLiteral("Memo1")));
        EXPECT_EQ(Memo(*target, QStringLiteral("Memo4")), nullptr);
    }
}

TEST_F(XMLSerializerTest, OldFormatTextsAreDecodedFromTheirUtf8Bytes)
{
    TfrxReportPage page;
    TfrxMemoView memo(&page);
    const QString bytes = QString::fromLatin1(QStringLiteral("Иванов").toUtf8());
    for (const char *name : {"u", "Text"}) {
        TfrxXMLSerializer serializer;
        serializer.SetOldFormat(true);
        serializer.XMLToObj(QStringLiteral("%1=\"%2\"").arg(QLatin1String(name), bytes), &memo);
        EXPECT_EQ(memo.Memo(), QStringList{QStringLiteral("Иванов")}) << name;
        serializer.XMLToObj(QStringLiteral("x=\"%1\"").arg(bytes), &memo);
        EXPECT_EQ(memo.Memo(), QStringList{bytes});
    }
}

TEST_F(XMLSerializerTest, CustomDataGoesToTheHostNotToTheTree)
{
    auto report = CertificateLike(1);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TfrxXMLSerializer writer(&buffer);
    writer.SetOnSaveCustomData([](TfrxXMLItem *item) { item->SetProp(QStringLiteral("Host"), QStringLiteral("1")); });
    writer.WriteRootComponent(report.get());

    TfrxReport loaded;
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    TfrxXMLSerializer reader(&buffer);
    QString host;
    reader.SetOnGetCustomData([&](TfrxXMLItem *item) { host = item->Prop(QStringLiteral("Host")); });
    reader.ReadRootComponent(&loaded);
    EXPECT_TRUE(reader.Errors().isEmpty());
    EXPECT_EQ(host, QStringLiteral("1"));
    EXPECT_EQ(loaded.Objects().size(), 2);
}

TEST_F(XMLSerializerTest, WrongRootOrSyntaxErrorNeverCrashes)
{
    TfrxReport report;
    EXPECT_EQ(Load(&report, QByteArrayLiteral("<?xml version=\"1.0\"?><TfrxMemoView/>")),
              QStringList{QStringLiteral("Cannot find class TfrxMemoView")});
    EXPECT_THROW(Load(&report, QByteArrayLiteral("<?xml version=\"1.0\"?><TfrxReport><TfrxRepo")), std::exception);
}

}  // namespace
