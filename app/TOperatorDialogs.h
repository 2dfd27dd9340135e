#pragma once

#include <QString>

class QWidget;

// Everything the certificate window asks of the operator outside its own controls: message
// boxes and file choices. The program uses TWidgetDialogs; tests answer with their own.
class TOperatorDialogs
{
public:
    virtual ~TOperatorDialogs() = default;

    // A plain message box with an OK button.
    virtual void message(QWidget *parent, const QString &text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool confirm(QWidget *parent, const QString &text) = 0;
    // The chosen file, or an empty text when the operator cancels.
    virtual QString openFileName(QWidget *parent, const QString &folder) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &folder) = 0;
};

class TWidgetDialogs final : public TOperatorDialogs
{
public:
    void message(QWidget *parent, const QString &text) override;
    bool confirm(QWidget *parent, const QString &text) override;
    QString openFileName(QWidget *parent, const QString &folder) override;
    QString saveFileName(QWidget *parent, const QString &folder) override;
};
