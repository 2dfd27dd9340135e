#pragma once

#include <QString>

class QWidget;

// The designer's questions and file dialogs, in one place so that tests can answer them.
class TfrxDesignerDialogs
{
public:
    enum Answer { Yes, No, Cancel };

    virtual ~TfrxDesignerDialogs() = default;

    // Yes, No or Cancel to a question such as "Save changes to shablon.ze3?".
    virtual Answer Ask(QWidget *parent, const QString &question);
    // Yes or No.
    virtual bool Confirm(QWidget *parent, const QString &question);
    virtual void ShowError(QWidget *parent, const QString &text);
    // A file to open or to save under; empty when cancelled. filter is a Qt filter string.
    virtual QString OpenFileName(QWidget *parent, const QString &folder, const QString &filter);
    virtual QString SaveFileName(QWidget *parent, const QString &folder, const QString &filter,
                                 const QString &defaultSuffix);

    // The dialogs every designer uses; a test puts its own in place and takes it away again.
    static TfrxDesignerDialogs &Current();
    static void SetCurrent(TfrxDesignerDialogs *dialogs);
};
