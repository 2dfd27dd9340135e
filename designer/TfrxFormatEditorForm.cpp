#include "TfrxFormatEditorForm.h"

#include "TfrxFormatEditor.h"
#include "zorDialogKit.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

TfrxFormatEditorForm::TfrxFormatEditorForm(TfrxCustomMemoView &memo, QWidget *parent)
    : QDialog(parent), FMemo(memo)
{
    setWindowTitle(zorText("4500"));
    FEditor = new TfrxFormatEditor(memo, this);
    FEditor->setObjectName(QStringLiteral("FormatPage"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FEditor, 1);
    layout->addWidget(zorOkCancelButtons(this));
    resize(480, 360);
}

void TfrxFormatEditorForm::accept()
{
    FEditor->Store(FMemo);
    QDialog::accept();
}
