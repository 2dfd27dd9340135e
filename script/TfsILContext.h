#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// What a compilation needs from the script it compiles, and where it reports to: the settings that
// shape parsing, the host's unit provider, and the last compile error.
struct TfsILContext
{
    // Folders searched for included units; the empty entry stands for BaseFolder.
    QStringList IncludePath{QString()};
    // The folder of the template that holds the script.
    QString BaseFolder;
    // Character codes 128-255 are identifier characters.
    bool ExtendedCharset = false;
    // Supplies the text of an included unit; when set, no file is searched.
    std::function<void(const QString &unitName, QString &text)> OnGetUnit;

    QString ErrorMsg;
    QString ErrorPos;  // "line:column"
    QString ErrorUnit; // included unit the error is in; empty for the main text
};
