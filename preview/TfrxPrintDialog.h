#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TfrxReport;

// The modal window before printing: printer, pages, copies and collation, print mode with its
// sheet, odd/even pages, duplex, order and print to file. It shows the report's print options and
// writes the choices back on OK; the print run restores them afterwards.
class TfrxPrintDialog : public QDialog
{
    Q_OBJECT

public:
    // duplexMode: the report's duplex mode (0 default .. 3 simplex); currentPage: the page the
    // preview shows, from 1.
    TfrxPrintDialog(TfrxReport &report, int duplexMode, int currentPage, QWidget *parent = nullptr);
    ~TfrxPrintDialog() override;

    int DuplexMode() const { return FDuplexMode; }
    // The save dialog of "Print to file" while it is open; none otherwise.
    QFileDialog *FileDialog() const { return FFileDlg; }

    void accept() override;
    void reject() override;

private:
    void buildControls();
    void readOptions(int duplexMode);
    void writeOptions();
    void printerChosen(int index);
    void modeChosen(int index);
    void fillSheets();
    void selectSheet(int paper);
    void properties();
    void showCollation();
    bool choosePrintFile();

    TfrxReport &FReport;
    int FCurrentPage;
    int FDuplexMode = 0;
    int OldIndex = -1;
    QString FPrintFile;

    QComboBox *PrintersCB = nullptr;
    QLabel *WhereL1 = nullptr;
    QPushButton *PropButton = nullptr;
    QCheckBox *FileCB = nullptr;
    QRadioButton *AllRB = nullptr;
    QRadioButton *CurPageRB = nullptr;
    QRadioButton *PageNumbersRB = nullptr;
    QLineEdit *PageNumbersE = nullptr;
    QLabel *DescrL = nullptr;
    QSpinBox *CopiesE = nullptr;
    QCheckBox *CollateCB = nullptr;
    QLabel *CollateImage = nullptr;
    QComboBox *PrintModeCB = nullptr;
    QComboBox *PagPageSizeCB = nullptr;
    QComboBox *PrintPagesCB = nullptr;
    QComboBox *DuplexCB = nullptr;
    QComboBox *OrderCB = nullptr;
    QPushButton *OkB = nullptr;
    QPushButton *CancelB = nullptr;
    QFileDialog *FFileDlg = nullptr;
};
