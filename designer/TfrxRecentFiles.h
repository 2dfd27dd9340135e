#pragma once

#include <QString>
#include <QStringList>

// The designer's recent files: at most Limit names, oldest first. An empty name is never added.
class TfrxRecentFiles
{
public:
    static constexpr int Limit = 8;

    // Removes an earlier entry of the same name, appends it, and drops the oldest beyond Limit.
    static void Add(QStringList &names, const QString &name);
    // The form kept in the settings store: one double-quoted entry per name ("" inside a name
    // doubles it), separated by commas, so a name with a comma comes back whole.
    static QString Join(const QStringList &names);
    // Reads that form and also the plain comma-separated form of older stores.
    static QStringList Split(const QString &text);
};
