#include "CertificateRecord.h"
#include "zorCodePage.h"
#include "TIniFile.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

const QDate today(2026, 12, 10);

CertificateRecord sample()
{
    CertificateRecord record = CertificateRecord::blank(today);
    for (int i = 0; i < CertificateRecord::textCount; ++i)
        record.texts[i] = QStringLiteral("Поле %1").arg(i + 1);
    record.dates = {QDate(2015, 5, 5), QDate(2015, 9, 17), QDate(2015, 9, 20), QDate(2015, 9, 18)};
    record.hours = {QStringLiteral("72"), QStringLiteral("0"), QStringLiteral("12,5")};
    for (int i = 3; i < CertificateRecord::rowCount; ++i)
        record.hours[i] = QStringLiteral("1");
    record.total = QStringLiteral("91,5");
    record.marks = {0, 1, 2, -1, 0, 0, 0, 0, 0, 5};
    record.gearbox = 1;
    return record;
}

void expectSame(const CertificateRecord &a, const CertificateRecord &b)
{
    EXPECT_EQ(a.texts, b.texts);
    EXPECT_EQ(a.dates, b.dates);
    EXPECT_EQ(a.hours, b.hours);
    EXPECT_EQ(a.total, b.total);
    EXPECT_EQ(a.marks, b.marks);
    EXPECT_EQ(a.gearbox, b.gearbox);
}

TEST(CertificateFile, WritesSectionsAndKeysInOrder)
{
    TIniFile ini;
    sample().writeTo(ini);
    const QString text = ini.text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Слева]\r\nedit_1=Поле 1\r\nedit_2=Поле 2\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("edit_10=Поле 10\r\ndate1=05.05.2015\r\ndate2=17.09.2015\r\n"
                                             "date3=20.09.2015\r\ndate4=18.09.2015\r\n[Таблица]\r\nedt_1=72\r\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("edt_10=1\r\nedt_11=91,5\r\ncmb_1=0\r\ncmb_2=1\r\ncmb_3=2\r\ncmb_4=-1\r\n"
                                             "cmb_5=0\r\ncmb_6=0\r\ncmb_7=0\r\ncmb_8=0\r\ncmb_9=0\r\ncmb_10=5\r\n"
                                             "cmb_kpp=1\r\n")));
}

TEST(CertificateFile, ReadsBackWhatItWrote)
{
    TIniFile ini;
    sample().writeTo(ini);
    const TIniFile reread = TIniFile::fromBytes(zorToSingleByte(ini.text()));
    expectSame(CertificateRecord::readFrom(reread, today), sample());
}

TEST(CertificateFile, MissingValuesTakeTheReadingDefaults)
{
    const TIniFile ini = TIniFile::fromBytes(
        zorToSingleByte(QStringLiteral("[Слева]\r\nedit_5=  Иванов  \r\ndate1=\r\ndate2=31.02.2015\r\n"
                                           "date3=5/5/15\r\n")));
    const CertificateRecord record = CertificateRecord::readFrom(ini, today);
    EXPECT_EQ(record.texts[0], QStringLiteral("Ошибка при чтении!"));
    EXPECT_EQ(record.texts[4], QStringLiteral("Иванов")) << "leading and trailing blanks are lost";
    EXPECT_EQ(record.dates, (std::array<QDate, 4>{today, today, today, today}));
    for (const QString &cell : record.hours)
        EXPECT_EQ(cell, QStringLiteral("Ошибка при чтении!"));
    EXPECT_EQ(record.total, QStringLiteral("Ошибка!"));
    for (int mark : record.marks)
        EXPECT_EQ(mark, -1);
    EXPECT_EQ(record.gearbox, -1);
}

TEST(CertificateFile, ReadsDatesInTheFileFormFirstThenTheLocaleShortForm)
{
    EXPECT_EQ(CertificateRecord::parseDate(QStringLiteral("05.05.2015")), QDate(2015, 5, 5));
    EXPECT_EQ(CertificateRecord::parseDate(QStringLiteral("17.09.2015")), QDate(2015, 9, 17));
    EXPECT_FALSE(CertificateRecord::parseDate(QStringLiteral("никогда")).isValid());
    EXPECT_EQ(CertificateRecord::dateText(QDate(2021, 1, 2)), QStringLiteral("02.01.2021"));
}

} // namespace
