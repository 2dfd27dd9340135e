#include "CertificateRecord.h"
#include "CertificateTemplateValues.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using CertificateTemplateValues::DatePart;
using CertificateTemplateValues::Monthstr;

std::map<QString, QString> valuesOf(const CertificateRecord &record)
{
    std::map<QString, QString> byName;
    for (const auto &[name, text] : CertificateTemplateValues::values(record))
        byName[name] = text;
    return byName;
}

TEST(CertificateTemplateValues, SplitsDatesIntoDayMonthAndYear)
{
    EXPECT_EQ(Monthstr(DatePart::day, QDate(2015, 5, 5)), QStringLiteral("05"));
    EXPECT_EQ(Monthstr(DatePart::day, QDate(2015, 9, 17)), QStringLiteral("17"));
    EXPECT_EQ(Monthstr(DatePart::month, QDate(2015, 5, 5)), QStringLiteral("мая"));
    EXPECT_EQ(Monthstr(DatePart::month, QDate(2021, 12, 1)), QStringLiteral("декабря"));
    EXPECT_EQ(Monthstr(DatePart::year, QDate(2021, 1, 1)), QStringLiteral("2021"));
}

TEST(CertificateTemplateValues, MapsEveryFieldOntoItsObject)
{
    CertificateRecord r = CertificateRecord::blank(QDate(2015, 9, 20));
    for (int i = 0; i < CertificateRecord::textCount; ++i)
        r.texts[i] = QStringLiteral("T%1").arg(i + 1);
    r.texts[7] = QStringLiteral("B");
    r.dates = {QDate(2015, 5, 5), QDate(2015, 9, 17), QDate(2015, 9, 20), QDate(2015, 9, 18)};
    r.hours = {QStringLiteral("72"), QStringLiteral("0"), QStringLiteral("12,5"), QStringLiteral("0,0")};
    r.total = QStringLiteral("0");
    r.marks = {0, 1, 2, -1, 0, 0, 0, 0, 0, 5};
    r.gearbox = 1;

    const auto ordered = CertificateTemplateValues::values(r);
    ASSERT_EQ(ordered.size(), 48);
    EXPECT_EQ(ordered.front().first, QStringLiteral("Memo1"));
    EXPECT_EQ(ordered.back().first, QStringLiteral("Memo_kval"));

    const auto v = valuesOf(r);
    const std::map<QString, QString> expected{
        {QStringLiteral("Memo1"), QStringLiteral("T1")},     {QStringLiteral("Memo5"), QStringLiteral("T5")},
        {QStringLiteral("Memo6"), QStringLiteral("05")},     {QStringLiteral("Memo7"), QStringLiteral("мая")},
        {QStringLiteral("Memo8"), QStringLiteral("2015")},   {QStringLiteral("Memo9"), QStringLiteral("17")},
        {QStringLiteral("Memo10"), QStringLiteral("сентября")}, {QStringLiteral("Memo12"), QStringLiteral("T6")},
        {QStringLiteral("Memo13"), QStringLiteral("72")},    {QStringLiteral("Memo14"), QStringLiteral("x")},
        {QStringLiteral("Memo15"), QStringLiteral("12,5")},  {QStringLiteral("Memo16"), QStringLiteral("0,0")},
        {QStringLiteral("Memo23"), QStringLiteral("0")},     {QStringLiteral("Memo24"), QStringLiteral("20")},
        {QStringLiteral("Memo27"), QStringLiteral("T9")},    {QStringLiteral("Memo_day"), QStringLiteral("18")},
        {QStringLiteral("Memo28"), QStringLiteral("Зачтено")}, {QStringLiteral("Memo30"), QStringLiteral("\u0425")},
        {QStringLiteral("Memo31"), QString()},               {QStringLiteral("Memo37"), QString()},
        {QStringLiteral("Memo38"), QStringLiteral("X")},     {QStringLiteral("Memo39"), QStringLiteral("B")},
        {QStringLiteral("Memo41"), QStringLiteral("B")},     {QStringLiteral("Memo42"), QStringLiteral("автоматической")},
        {QStringLiteral("Memo_prot"), QStringLiteral("T10")}, {QStringLiteral("Memo_cat"), QStringLiteral("B")},
        {QStringLiteral("Memo_kval"), QStringLiteral("T7")},
    };
    for (const auto &[name, text] : expected)
        EXPECT_EQ(v.at(name), text) << name.toStdString();
}

} // namespace
