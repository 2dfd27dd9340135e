#pragma once

#include "CertificateRecord.h"

#include <QDate>

// A certificate filled in as an operator would: every required field, a "0" hours cell, marks
// including the total's, and dates in May and September 2015.
inline CertificateRecord sampleCertificate(const QString &student = QStringLiteral("Иванов Иван"))
{
    CertificateRecord r = CertificateRecord::blank(QDate(2015, 9, 20));
    r.texts = {QStringLiteral("АНО «Автошкола»"), QString(), QStringLiteral("г. Рига"), QStringLiteral("АБ"),
               student, QStringLiteral("категории «B»"), QStringLiteral("водитель"),
               QStringLiteral("B"), QStringLiteral("Петров П.П."), QStringLiteral("17")};
    r.dates[0] = QDate(2015, 5, 5);
    r.dates[1] = QDate(2015, 9, 17);
    r.hours = {QStringLiteral("72"), QStringLiteral("0"), QStringLiteral("12,5")};
    for (int i = 3; i < CertificateRecord::rowCount; ++i)
        r.hours[i] = QStringLiteral("1");
    r.total = QStringLiteral("91,5");
    r.marks = {0, 1, 2, -1, 0, 0, 0, 0, 0, 5};
    r.gearbox = 0;
    return r;
}
