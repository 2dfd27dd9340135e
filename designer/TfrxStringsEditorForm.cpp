#include "TfrxStringsEditorForm.h"

#include "zorDialogKit.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TfrxStringsEditorForm::TfrxStringsEditorForm(const QStringList &lines, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(zorText("4800"));
    FText = new QPlainTextEdit(this);
    FText->setObjectName(QStringLiteral("LinesMemo"));
    FText->setLineWrapMode(QPlainTextEdit::NoWrap);
    FText->setPlainText(lines.join(u'\n'));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FText, 1);
    layout->addWidget(zorOkCancelButtons(this));
    zorAcceptOnCtrlEnter(this);
    resize(420, 300);
}

QStringList TfrxStringsEditorForm::Lines() const
{
    QString text = FText->toPlainText();
    if (text.isEmpty())
        return {};
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}
