#pragma once

// A tiny file system of its own, mounted for a test: a full disk and a read-only folder even for
// root, who may write anywhere else. Mounting needs root; tests skip themselves elsewhere.

#include <QProcess>
#include <QString>
#include <QStringList>

class TinyFileSystem
{
public:
    explicit TinyFileSystem(const QString &path, int kilobytes = 16) : FPath(path)
    {
        FMounted = QProcess::execute(QStringLiteral("mount"),
                                     {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                      QStringLiteral("size=%1k").arg(kilobytes), QStringLiteral("tmpfs"), path}) == 0;
    }
    ~TinyFileSystem()
    {
        if (FMounted)
            QProcess::execute(QStringLiteral("umount"), {FPath});
    }
    TinyFileSystem(const TinyFileSystem &) = delete;
    TinyFileSystem &operator=(const TinyFileSystem &) = delete;

    bool mounted() const { return FMounted; }
    bool makeReadOnly() const
    {
        return QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,ro"), FPath}) == 0;
    }

private:
    QString FPath;
    bool FMounted = false;
};
