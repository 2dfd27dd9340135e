#pragma once

#include "TfrxCustomProgress.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The small window shown while a long operation runs: a message line and a Cancel button. The
// operation polls Cancelled between its steps and keeps the window alive by servicing events.
class TfrxProgress : public QDialog, public TfrxCustomProgress
{
    Q_OBJECT

public:
    explicit TfrxProgress(QWidget *parent = nullptr);

    void SetMessage(const QString &text) override;
    QString Message() const;
    bool Cancelled() const override { return FCancelled; }
    QPushButton *CancelButton() const { return FCancel; }

signals:
    void CancelPressed();

protected:
    void reject() override;

private:
    QLabel *FLabel;
    QPushButton *FCancel;
    bool FCancelled = false;
};
