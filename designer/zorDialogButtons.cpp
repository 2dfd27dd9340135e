#include "zorDialogButtons.h"

#include "TfrxResources.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

QDialogButtonBox *zorOkCancelButtons(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(dialog);
    QPushButton *ok = buttons->addButton(zorGet(1), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkB"));
    ok->setDefault(true);
    buttons->addButton(zorGet(2), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("CancelB"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
