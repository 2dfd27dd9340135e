#pragma once

#include <QList>
#include <QString>

#include <optional>

// Where the certificate program's files live: the print template "shablon.ze3" in one of three
// places (the user's own copy, beside the program, the shipped read-only copy under
// share/zelta), and the folder the certificate dialogs start in.
class DataLocations
{
public:
    enum class Place { UserData, BesideProgram, Shipped };
    struct Location
    {
        Place place;
        QString path;
    };

    static const QString templateFileName;

    // The places of a program in `programFolder`, first first: the user's data folder, the
    // program's own folder (a build folder or a folder holding everything), then
    // <programFolder>/../share/zelta (the installed layout).
    explicit DataLocations(const QString &programFolder);

    QList<Location> templateCandidates() const;
    // The first candidate that exists and can be read.
    std::optional<Location> findTemplate() const;
    // Where the designer writes a template read from `found`: the same file when that is the
    // user's own or a writable file beside the program; the user's data folder otherwise, so the
    // shipped template stays as it was installed.
    QString designTarget(const Location &found) const;
    // The message when no place holds a template: it names every place looked in.
    QString notFoundMessage() const;

    // The user's own template (empty when the system gives no data folder).
    static QString userTemplatePath();
    // Where "Открыть" and "Сохранить как..." start before a certificate was opened.
    static QString documentsFolder();

private:
    QString FProgramFolder;
};
