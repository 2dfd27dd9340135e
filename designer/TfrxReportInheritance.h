#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class TfrxReport;

// Changes what a report inherits from. Inheriting turns a report into one whose objects come from
// a base template (marked as ancestors) with the report's own objects laid over them; detaching
// keeps every object and makes it the report's own. The designer reloads the report afterwards.
class TfrxReportInheritance
{
public:
    // What becomes of the report's objects (other than pages, which merge with the base's pages of
    // the same name) whose names the base template already uses.
    enum class Duplicates { Ask, Delete, Rename, Cancel };
    // Asked with the names when the mode is Ask; answers Delete, Rename or Cancel.
    using AskDuplicates = std::function<Duplicates(const QStringList &names)>;

    // Makes the report inherit from templateFile, named relative to the report's folder. False,
    // with the report unchanged, when templateFile is the report's own file or cannot be read, or
    // the operator cancelled. The base's script is appended to the report's as line comments.
    static bool Inherit(TfrxReport &report, const QString &templateFile, Duplicates mode,
                        const AskDuplicates &ask = {});
    // The report keeps all its objects as its own and forgets its base template.
    static void Detach(TfrxReport &report);
};
