#pragma once

#include <QString>

#include <exception>

// The one exception type of the script engine's compile phase: a message and, where known, the
// source position as "line:column" text.
class TfsError : public std::exception
{
public:
    explicit TfsError(QString message, QString pos = {}) : FMessage(std::move(message)), FPos(std::move(pos))
    {
    }

    const QString &Message() const { return FMessage; }
    const QString &Pos() const { return FPos; }
    const char *what() const noexcept override { return "script compile error"; }

private:
    QString FMessage;
    QString FPos;
};
