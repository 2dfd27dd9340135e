#include "TPrintWarningsDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TPrintWarningsDialog::TPrintWarningsDialog(const QStringList &warnings, QWidget *parent)
    : QDialog(parent), FWarnings(warnings)
{
    setWindowTitle(QStringLiteral("Проверка перед печатью"));
    auto *icon = new QLabel;
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    auto *heading = new QLabel(QStringLiteral("Свидетельство напечатается не так, как заполнено:"));
    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(heading, 1);

    auto *list = new QListWidget;
    list->setWordWrap(true);
    list->setSpacing(3);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->addItems(warnings);

    auto *buttons = new QDialogButtonBox;
    FPrint = buttons->addButton(QStringLiteral("Печатать всё равно"), QDialogButtonBox::AcceptRole);
    FBack = buttons->addButton(QStringLiteral("Вернуться к форме"), QDialogButtonBox::RejectRole);
    FBack->setDefault(true);
    FBack->setFocus();
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
    resize(620, 300);
}
