#pragma once

#include <QList>
#include <QString>

#include <utility>

class TfrxReport;

// The --var NAME=VALUE options of zorreport: values for variables the template declares, given as
// plain texts, so that a template can be filled without editing it.
class VariableOptions
{
public:
    // Takes one NAME=VALUE; false for a text without "=" or with nothing before it.
    bool Add(const QString &text);
    bool IsEmpty() const { return FValues.isEmpty(); }
    // Sets the variables of a loaded template; false with the message when the template does not
    // declare one of them.
    bool Apply(TfrxReport &report, QString &error) const;

private:
    QList<std::pair<QString, QString>> FValues;
};
