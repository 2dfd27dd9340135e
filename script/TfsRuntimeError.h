#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// The one exception of the script engine's run phase: a message, the position of the statement that
// raised it ("line:column", filled in when the error leaves that statement) and its class name as the
// script's except block sees it.
class TfsRuntimeError : public std::exception
{
public:
    explicit TfsRuntimeError(QString message, QString className = QStringLiteral("Exception"))
        : FMessage(std::move(message)), FClassName(std::move(className)), FWhat(FMessage.toUtf8())
    {
    }

    // A failed allocation, or a string or array above the size limit: it ends the script, and no
    // except block of the script catches it (the handler would run short of memory too).
    static TfsRuntimeError OutOfMemory()
    {
        return TfsRuntimeError(QStringLiteral("Out of memory"), QStringLiteral("EOutOfMemory"));
    }
    bool Catchable() const { return FClassName != u"EOutOfMemory"; }

    const QString &Message() const { return FMessage; }
    const QString &Pos() const { return FPos; }
    void SetPos(const QString &pos) { FPos = pos; }
    const QString &ClassName() const { return FClassName; }
    // The message, for hosts that catch every standard exception.
    const char *what() const noexcept override { return FWhat.constData(); }

private:
    QString FMessage;
    QString FClassName;
    QString FPos;
    QByteArray FWhat;
};
