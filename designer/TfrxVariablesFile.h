#pragma once

#include <QString>

class TfrxVariables;

// The variables file (".fd3"): an XML document of the library's dialect whose root "variables"
// holds one "item" per variable, its attributes the variable's stored properties (Name, Value).
// Category headings are variables whose names begin with a space, as in the report.
class TfrxVariablesFile
{
public:
    // Replaces the variables by the file's. On failure they stay as they were and error holds the
    // system's reason (empty for a readable file that is not a variables file).
    static bool Load(const QString &fileName, TfrxVariables &variables, QString &error);
    // Writes through a temporary file renamed over fileName, so a failed save leaves the old file
    // whole; error says why it failed.
    static bool Save(const QString &fileName, const TfrxVariables &variables, QString &error);
};
