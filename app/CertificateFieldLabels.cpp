#include "CertificateFieldLabels.h"

#include <QHash>

namespace CertificateFieldLabels {

namespace {

// Three objects print the day, the month and the year of one date.
void addDate(QHash<QString, QString> &labels, const QStringList &names, const QString &date)
{
    static const QStringList parts = {QStringLiteral("день"), QStringLiteral("месяц"), QStringLiteral("год")};
    for (int i = 0; i < 3; ++i)
        labels.insert(names[i], date + QStringLiteral(": ") + parts[i]);
}

// A column of the hours table: one object per row, rows 1 to 10, then the total.
void addColumn(QHash<QString, QString> &labels, int firstMemo, const QString &column)
{
    for (int row = 1; row <= 10; ++row)
        labels.insert(QStringLiteral("Memo%1").arg(firstMemo + row - 1),
                      column + QStringLiteral(", строка %1").arg(row));
    labels.insert(QStringLiteral("Memo%1").arg(firstMemo + 10), column + QStringLiteral(", «Итого»"));
}

QHash<QString, QString> makeLabels()
{
    QHash<QString, QString> labels = {
        {QStringLiteral("Memo1"), QStringLiteral("Наименование организации, 1-я строка")},
        {QStringLiteral("Memo2"), QStringLiteral("Наименование организации, 2-я строка")},
        {QStringLiteral("Memo3"), QStringLiteral("Наименование населенного пункта")},
        {QStringLiteral("Memo4"), QStringLiteral("Серия")},
        {QStringLiteral("Memo5"), QStringLiteral("Ф.И.О. обучающегося")},
        {QStringLiteral("Memo12"), QStringLiteral("Программа обучения")},
        {QStringLiteral("Memo27"), QStringLiteral("Ф.И.О. руководителя")},
        {QStringLiteral("Memo39"), QStringLiteral("Категория в строке 5 таблицы")},
        {QStringLiteral("Memo40"), QStringLiteral("Категория в строке 6 таблицы")},
        {QStringLiteral("Memo41"), QStringLiteral("Категория в строке 7 таблицы")},
        {QStringLiteral("Memo42"), QStringLiteral("Трансмиссия")},
        {QStringLiteral("Memo_prot"), QStringLiteral("Номер протокола")},
        {QStringLiteral("Memo_cat"), QStringLiteral("Категория")},
        {QStringLiteral("Memo_kval"), QStringLiteral("Присвоена квалификация")},
    };
    addDate(labels, {QStringLiteral("Memo6"), QStringLiteral("Memo7"), QStringLiteral("Memo8")},
            QStringLiteral("Начало обучения"));
    addDate(labels, {QStringLiteral("Memo9"), QStringLiteral("Memo10"), QStringLiteral("Memo11")},
            QStringLiteral("Окончание обучения"));
    addDate(labels, {QStringLiteral("Memo24"), QStringLiteral("Memo25"), QStringLiteral("Memo26")},
            QStringLiteral("Дата выдачи"));
    addDate(labels, {QStringLiteral("Memo_day"), QStringLiteral("Memo_month"), QStringLiteral("Memo_year")},
            QStringLiteral("Дата протокола"));
    addColumn(labels, 13, QStringLiteral("Кол-во часов"));
    addColumn(labels, 28, QStringLiteral("Оценка"));
    return labels;
}

} // namespace

QString label(const QString &objectName)
{
    static const QHash<QString, QString> labels = makeLabels();
    return labels.value(objectName, objectName);
}

} // namespace CertificateFieldLabels
