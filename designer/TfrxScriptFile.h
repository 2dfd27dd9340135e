#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

// Script files opened and saved from the code tab. Scripts written on this system are UTF-8;
// older ones come in the 8-bit code page of the operator's language (Windows-1251 for Russian),
// which is what a file that is not valid UTF-8 is taken to be.
class TfrxScriptFile
{
public:
    // The lines of a file; false when it cannot be read.
    static bool Read(const QString &fileName, QStringList &lines);
    // Writes the lines as UTF-8 without a byte-order mark; false when the file cannot be written.
    static bool Write(const QString &fileName, const QStringList &lines);
    // The text of file bytes: UTF-8 (with or without a byte-order mark), else the locale's code page.
    static QString Decode(const QByteArray &bytes);
    // The 8-bit code page of a locale's language, such as "windows-1251".
    static QByteArray LegacyCodePage(const QLocale &locale);
};
