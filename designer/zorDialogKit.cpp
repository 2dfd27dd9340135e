#include "zorDialogKit.h"

#include "TfrxDataSet.h"
#include "TfrxDataSetItem.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxReport.h"
#include "TfrxReportDataSets.h"
#include "TfrxReportServices.h"
#include "TfrxResources.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QStringList>

#include <algorithm>

QString zorText(const char *key)
{
    return zorResources().Get(QLatin1String(key));
}

QString zorText(const char *key, const QStringList &values)
{
    return TfrxReportServices::FillText(zorText(key), values);
}

QString zorFilterText(const char *key)
{
    return zorText(key).section(u'|', 0, 0);
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

void zorRefuseValue(QWidget *field, const QString &message)
{
    TfrxDesignerDialogs::Current().ShowError(field->window(), message);
    field->setFocus();
}

QStringList zorReportDataSetNames(const TfrxReport &report)
{
    TfrxReportDataSets *dataSets = report.DataSets();
    QStringList names;
    for (qsizetype i = 0; i < dataSets->Count(); ++i)
        if (const TfrxDataSet *dataSet = dataSets->Items(i)->DataSet())
            names.append(dataSet->UserName());
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.localeAwareCompare(b) < 0; });
    return names;
}
