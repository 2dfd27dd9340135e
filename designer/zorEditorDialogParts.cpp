#include "zorEditorDialogParts.h"

#include "TfrxResources.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

QString zorText(const char *key)
{
    return zorResources().Get(QLatin1StringView(key));
}

QDialogButtonBox *zorOkCancelButtons(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(dialog);
    QPushButton *ok = buttons->addButton(zorText("1"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkB"));
    ok->setDefault(true);
    buttons->addButton(zorText("2"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("CancelB"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void zorAcceptOnCtrlEnter(QDialog *dialog)
{
    // Both the main Return key and the keypad's Enter.
    for (const QKeyCombination key : {Qt::CTRL | Qt::Key_Return, Qt::CTRL | Qt::Key_Enter}) {
        auto *shortcut = new QShortcut(QKeySequence(key), dialog);
        QObject::connect(shortcut, &QShortcut::activated, dialog, &QDialog::accept);
    }
}

QToolButton *zorExpressionButton(const QString &name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(QStringLiteral("..."));
    button->setToolTip(zorText("4400"));
    return button;
}
