#pragma once

#include <QString>

#include <exception>

// The one exception of the script engine's run phase: a message, the position of the statement that
// raised it ("line:column", filled in when the error leaves that statement) and its class name as the
// script's except block sees it.
class TfsRuntimeError : public std::exception
{
public:
    explicit TfsRuntimeError(QString message, QString className = QStringLiteral("Exception"))
        : FMessage(std::move(message)), FClassName(std::move(className))
    {
    }

    const QString &Message() const { return FMessage; }
    const QString &Pos() const { return FPos; }
    void SetPos(const QString &pos) { FPos = pos; }
    const QString &ClassName() const { return FClassName; }
    const char *what() const noexcept override { return "script run-time error"; }

private:
    QString FMessage;
    QString FClassName;
    QString FPos;
};
