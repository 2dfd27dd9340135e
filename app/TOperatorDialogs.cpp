#include "TOperatorDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

void TWidgetDialogs::message(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QApplication::applicationDisplayName(), text);
}

bool TWidgetDialogs::confirm(QWidget *parent, const QString &text)
{
    return QMessageBox::question(parent, QApplication::applicationDisplayName(), text) == QMessageBox::Yes;
}

QString TWidgetDialogs::openFileName(QWidget *parent, const QString &folder)
{
    return QFileDialog::getOpenFileName(parent, QString(), folder);
}

QString TWidgetDialogs::saveFileName(QWidget *parent, const QString &folder)
{
    QFileDialog dialog(parent, QString(), folder,
                       QStringLiteral("файл свидетельства о профессии водителя (*.vod)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("vod"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
