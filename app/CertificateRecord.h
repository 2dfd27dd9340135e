#pragma once

#include <QDate>
#include <QString>

#include <array>

class TIniFile;

// One certificate as the main window's controls hold it. Field names follow the controls
// (Edit_1 .. Edit_10, DateTimePicker1 .. 4, edt_1 .. edt_11, cmb_1 .. cmb_10, cmb_kpp); the same
// names in lower case are the keys of the certificate file.
struct CertificateRecord
{
    static constexpr int textCount = 10;
    static constexpr int dateCount = 4;
    static constexpr int rowCount = 10;
    static constexpr int noChoice = -1;

    std::array<QString, textCount> texts;    // Edit_1 .. Edit_10
    std::array<QDate, dateCount> dates;      // DateTimePicker1 .. DateTimePicker4
    std::array<QString, rowCount> hours;     // edt_1 .. edt_10
    QString total;                           // edt_11
    std::array<int, rowCount> marks{};       // cmb_1 .. cmb_10, item index or noChoice
    int gearbox = noChoice;                  // cmb_kpp

    // The state of a cleared form: empty texts, hours "0", no choices, every date the given day.
    static CertificateRecord blank(QDate today);

    // Reads the file's sections "Слева" and "Таблица"; missing or unreadable values take the
    // reading defaults ("Ошибка при чтении!", "Ошибка!", today, no choice).
    static CertificateRecord readFrom(const TIniFile &ini, QDate today);
    // Writes every key, in the file's order, into the two sections.
    void writeTo(TIniFile &ini) const;

    // The file stores dates as DD.MM.YYYY whatever the locale, and reads them in that form first,
    // then in the locale's short form; an empty or unreadable date gives nothing.
    static QString dateText(QDate date);
    static QDate parseDate(const QString &text);

    // Every text that goes into the file, for the check of characters the file cannot hold.
    QString allTexts() const;
};

namespace CertificateFile {
extern const QString leftSection;  // "Слева"
extern const QString tableSection; // "Таблица"
} // namespace CertificateFile
