#include "TfrxDesignerDialogs.h"

#include "TfrxResources.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

TfrxDesignerDialogs *current = nullptr;

} // namespace

TfrxDesignerDialogs::Answer TfrxDesignerDialogs::Ask(QWidget *parent, const QString &question)
{
    const auto button = QMessageBox::question(parent, zorResources().Get(QStringLiteral("mbConfirm")), question,
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return button == QMessageBox::Yes ? Yes : button == QMessageBox::No ? No : Cancel;
}

bool TfrxDesignerDialogs::Confirm(QWidget *parent, const QString &question)
{
    return QMessageBox::question(parent, zorResources().Get(QStringLiteral("mbConfirm")), question) ==
           QMessageBox::Yes;
}

void TfrxDesignerDialogs::ShowError(QWidget *parent, const QString &text)
{
    QMessageBox::critical(parent, zorResources().Get(QStringLiteral("mbError")), text);
}

QString TfrxDesignerDialogs::OpenFileName(QWidget *parent, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

QString TfrxDesignerDialogs::SaveFileName(QWidget *parent, const QString &folder, const QString &filter,
                                          const QString &defaultSuffix)
{
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                    : QString();
}

TfrxDesignerDialogs &TfrxDesignerDialogs::Current()
{
    static TfrxDesignerDialogs standard;
    return current != nullptr ? *current : standard;
}

void TfrxDesignerDialogs::SetCurrent(TfrxDesignerDialogs *dialogs)
{
    current = dialogs;
}
