#pragma once

#include <QDialog>

class QPushButton;

// The warnings found before printing, with the choice to print all the same ("Печатать всё
// равно", accepted) or to go back to the form and correct it (rejected, also by Escape).
class TPrintWarningsDialog : public QDialog
{
    Q_OBJECT

public:
    TPrintWarningsDialog(const QStringList &warnings, QWidget *parent = nullptr);

    QStringList Warnings() const { return FWarnings; }
    QPushButton *PrintButton() const { return FPrint; }
    QPushButton *BackButton() const { return FBack; }

private:
    QStringList FWarnings;
    QPushButton *FPrint;
    QPushButton *FBack;
};
