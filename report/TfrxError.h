#pragma once

#include <QString>

#include <stdexcept>

// An error raised by the report object model: the string-table key of the message and its text.
class TfrxError : public std::runtime_error
{
public:
    TfrxError(const QString &key, const QString &message);

    const QString &Key() const { return FKey; }
    const QString &Message() const { return FMessage; }

private:
    QString FKey;
    QString FMessage;
};
