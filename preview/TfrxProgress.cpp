#include "TfrxProgress.h"

#include "zorPrinterTexts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrxProgress::TfrxProgress(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    FLabel = new QLabel(this);
    FLabel->setMinimumWidth(260);
    FLabel->setAlignment(Qt::AlignCenter);
    FCancel = new QPushButton(zorPrinterText("2"), this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FLabel);
    layout->addWidget(FCancel, 0, Qt::AlignHCenter);
    connect(FCancel, &QPushButton::clicked, this, &TfrxProgress::reject);
}

void TfrxProgress::SetMessage(const QString &text) { FLabel->setText(text); }

QString TfrxProgress::Message() const { return FLabel->text(); }

// Escape and the Cancel button ask the operation to stop; the operation closes the window.
void TfrxProgress::reject()
{
    FCancelled = true;
    emit CancelPressed();
}
