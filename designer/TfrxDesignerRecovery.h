#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// A recovery copy of the template being designed: while it is modified, the designer writes the
// report to the user's data folder every minute, so that a crash loses at most a minute of work.
// The next opening of the same template offers the copy back; a normal save or close removes it.
class TfrxDesignerRecovery : public QObject
{
    Q_OBJECT

public:
    // snapshot gives the report as a template text.
    TfrxDesignerRecovery(std::function<QByteArray()> snapshot, QObject *parent = nullptr);
    ~TfrxDesignerRecovery() override;

    // The template whose copy is kept; an untitled report keeps none.
    void SetFileName(const QString &fileName);
    // Writing starts with the first change and stops when the template is saved.
    void SetModified(bool modified);
    void SetInterval(int milliseconds) { FTimer.setInterval(milliseconds); }

    // A copy an earlier session left for the template; empty when there is none.
    QString PendingCopy() const;
    QDateTime PendingTime() const;
    // Writes the copy now (also what the timer does); false when it could not be written.
    bool WriteNow();
    // Removes the copy.
    void Discard();

    // Where the copy of a template lies.
    static QString CopyFileName(const QString &templateFileName);

private:
    std::function<QByteArray()> FSnapshot;
    QString FFileName;
    QTimer FTimer;
};
