#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The small window shown while a long operation runs: a message line and a Cancel button. The
// operation polls Terminated between its steps and keeps the window alive by servicing events.
class TfrxProgress : public QDialog
{
    Q_OBJECT

public:
    explicit TfrxProgress(QWidget *parent = nullptr);

    void SetMessage(const QString &text);
    QString Message() const;
    bool Terminated() const { return FTerminated; }
    QPushButton *CancelButton() const { return FCancel; }

signals:
    void Cancelled();

protected:
    void reject() override;

private:
    QLabel *FLabel;
    QPushButton *FCancel;
    bool FTerminated = false;
};
