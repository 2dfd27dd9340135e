#pragma once

#include "CalibrationSheet.h"

#include <QDialog>

class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QPushButton;
class TOperatorDialogs;

// "Настройка принтера": the installed printers, the correction of the chosen one (offsets and
// scale, stored as soon as they change) and the calibration sheet printed on it.
class TPrinterSetupDialog : public QDialog
{
    Q_OBJECT

public:
    TPrinterSetupDialog(const CalibrationSheet &sheet, TOperatorDialogs &dialogs, QWidget *parent = nullptr);

    QListWidget *PrinterList() const { return FPrinters; }
    QDoubleSpinBox *OffsetXBox() const { return FOffsetX; }
    QDoubleSpinBox *OffsetYBox() const { return FOffsetY; }
    QDoubleSpinBox *ScaleBox() const { return FScale; }
    QPushButton *PrintSheetButton() const { return FPrintSheet; }
    QPushButton *ResetButton() const { return FReset; }
    QString CurrentPrinter() const;

private:
    QWidget *createEditors();
    void printerChosen();
    void store();
    void reset();
    void printSheet();

    const CalibrationSheet &FSheet;
    TOperatorDialogs &FDialogs;
    QListWidget *FPrinters;
    QDoubleSpinBox *FOffsetX = nullptr;
    QDoubleSpinBox *FOffsetY = nullptr;
    QDoubleSpinBox *FScale = nullptr;
    QLabel *FMargins = nullptr;
    QLabel *FStatus = nullptr;
    QPushButton *FPrintSheet = nullptr;
    QPushButton *FReset = nullptr;
    bool FLoading = false;
};
