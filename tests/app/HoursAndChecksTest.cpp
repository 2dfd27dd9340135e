#include "CertificateChecks.h"
#include "CertificateRecord.h"
#include "HoursTable.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const QLocale russian(QLocale::Russian, QLocale::Russia);
const QLocale english(QLocale::English, QLocale::UnitedStates);

TEST(HoursTable, FormatsWithOneDecimalAtMost)
{
    const struct
    {
        double value;
        const char *expected;
    } cases[] = {
        {12.25, "12,3"}, {7.0, "7"},     {3.45, "3,5"}, {1.15, "1,2"}, // halves go up, as their digits show
        {2.5, "2,5"},    {0.04, "0"},    {-0.04, "0"},  {-2.25, "-2,3"}, {1e6, "1000000"},
        {0.95, "1"},     {123.96, "124"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(HoursTable::formatShort(c.value, russian), QString::fromLatin1(c.expected)) << c.value;
    EXPECT_EQ(HoursTable::formatShort(12.25, english), QStringLiteral("12.3"));
    EXPECT_EQ(HoursTable::formatGeneral(12.5, russian), QStringLiteral("12,5"));
    EXPECT_EQ(HoursTable::formatGeneral(0.1 + 0.2, russian), QStringLiteral("0,3"));
}

TEST(HoursTable, ParsesFiniteNumbersOfTheLocaleOnly)
{
    EXPECT_EQ(HoursTable::parse(QStringLiteral("2,5"), russian), 2.5);
    EXPECT_EQ(HoursTable::parse(QStringLiteral("-3"), russian), -3.0);
    EXPECT_EQ(HoursTable::parse(QStringLiteral("2.5"), english), 2.5);
    for (const char *bad : {"", "abc", "2.5", "1 000", "inf", "nan", "1e999", "Ошибка при чтении!"})
        EXPECT_FALSE(HoursTable::parse(QString::fromUtf8(bad), russian).has_value()) << bad;
}

TEST(HoursTable, NormalisesEveryCellAndTotals)
{
    HoursTable::Cells cells{QStringLiteral("2,5"), QStringLiteral("3,45"), QString()};
    for (int i = 3; i < HoursTable::rowCount; ++i)
        cells[i] = QStringLiteral("0");
    const HoursTable::Outcome outcome = HoursTable::normalise(cells, russian);
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(cells[0], QStringLiteral("2,5"));
    EXPECT_EQ(cells[1], QStringLiteral("3,5"));
    EXPECT_EQ(cells[2], QStringLiteral("0"));
    EXPECT_DOUBLE_EQ(outcome.sum, 6.0);
}

TEST(HoursTable, StopsAtTheFirstCellThatIsNoNumber)
{
    HoursTable::Cells cells;
    cells.fill(QStringLiteral("1,25"));
    cells[2] = QStringLiteral("abc");
    const HoursTable::Outcome outcome = HoursTable::normalise(cells, russian);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failedText, QStringLiteral("abc"));
    EXPECT_EQ(cells[0], QStringLiteral("1,3"));
    EXPECT_EQ(cells[1], QStringLiteral("1,3"));
    EXPECT_EQ(cells[3], QStringLiteral("1,25")) << "cells after the faulty one stay as typed";
    EXPECT_EQ(HoursTable::conversionError(outcome.failedText), QStringLiteral("'abc' is not a valid floating point value"));
}

TEST(CertificateChecks, ReportTheFirstProblemInTheirOrder)
{
    const QDate day(2015, 5, 5);
    CertificateRecord record = CertificateRecord::blank(day);
    // Each step fills what the check before it asked for; the next message must follow.
    const std::vector<std::pair<std::function<void()>, QString>> steps{
        {[] {}, QStringLiteral("Введите наименование организации!")},
        {[&] { record.texts[0] = QStringLiteral("Автошкола"); }, QStringLiteral("Введите наименование населенного пункта!")},
        {[&] { record.texts[2] = QStringLiteral(" "); }, QStringLiteral("Введите серию свидетельства!")},
        {[&] { record.texts[3] = QStringLiteral("АБ"); }, QStringLiteral("Введите ФИО обучающегося!")},
        {[&] { record.texts[4] = QStringLiteral("Иванов"); }, QStringLiteral("Введите название образовательной программы!")},
        {[&] { record.texts[5] = QStringLiteral("категории B"); }, QStringLiteral("Введите присвоенную квалификацию!")},
        {[&] { record.texts[6] = QStringLiteral("водитель"); }, QStringLiteral("Даты начала и окончания обучения совпадают!")},
        {[&] { record.dates[1] = day.addMonths(4); }, QStringLiteral("Введите категорию ТС!")},
        {[&] { record.texts[7] = QStringLiteral("B"); }, QStringLiteral("Введите ФИО руководителя образовательной организации!")},
        {[&] { record.texts[8] = QStringLiteral("Петров"); }, QStringLiteral("Введите номер протокола!")},
        {[&] { record.texts[9] = QStringLiteral("12"); }, QString()},
    };
    for (const auto &[fill, message] : steps) {
        fill();
        EXPECT_EQ(CertificateChecks::firstProblem(record), message);
    }
    // Neither the second organisation line nor the order of the dates is checked.
    EXPECT_TRUE(record.texts[1].isEmpty());
    record.dates[1] = day.addDays(-1);
    EXPECT_EQ(CertificateChecks::firstProblem(record), QString());
}

} // namespace
