#include "TfrxPrintDialog.h"

#include "TfrxCustomPrinter.h"
#include "TfrxPrinters.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "zorPrinterTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace zor;

namespace {

constexpr int defaultSheet = TfrxCustomPrinter::customPaper; // "Default" in the sheet list
constexpr int a4 = 9;

QString text(const char *key) { return zorPrinterText(key); }

QIcon icon(const char *name) { return QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name))); }

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

TfrxPrintDialog::TfrxPrintDialog(TfrxReport &report, int duplexMode, int currentPage, QWidget *parent)
    : QDialog(parent), FReport(report), FCurrentPage(currentPage)
{
    setObjectName(QStringLiteral("TfrxPrintDialog"));
    zorInitPreviewIcons();
    setWindowTitle(text("200"));
    buildControls();
    TfrxPrinters *printers = zorPrinters();
    OldIndex = printers->PrinterIndex();
    PrintersCB->setCurrentIndex(OldIndex);
    printerChosen(OldIndex);
    connect(PrintersCB, &QComboBox::currentIndexChanged, this, &TfrxPrintDialog::printerChosen);
    readOptions(duplexMode);
}

TfrxPrintDialog::~TfrxPrintDialog() = default;

void TfrxPrintDialog::buildControls()
{
    auto *printerGroup = named(new QGroupBox(text("201"), this), "PrinterGroup");
    PrintersCB = named(new QComboBox(printerGroup), "PrintersCB");
    for (const QString &name : zorPrinters()->Printers())
        PrintersCB->addItem(icon("printer"), name);
    PrintersCB->setMinimumContentsLength(24);
    WhereL1 = named(new QLabel(printerGroup), "WhereL1");
    PropButton = named(new QPushButton(text("209"), printerGroup), "PropButton");
    FileCB = named(new QCheckBox(text("210"), printerGroup), "FileCB");
    auto *printerLayout = new QGridLayout(printerGroup);
    printerLayout->addWidget(new QLabel(text("212"), printerGroup), 0, 0);
    printerLayout->addWidget(PrintersCB, 0, 1);
    printerLayout->addWidget(PropButton, 0, 2);
    printerLayout->addWidget(new QLabel(text("208"), printerGroup), 1, 0);
    printerLayout->addWidget(WhereL1, 1, 1);
    printerLayout->addWidget(FileCB, 1, 2);
    printerLayout->setColumnStretch(1, 1);

    auto *pagesGroup = named(new QGroupBox(text("202"), this), "PagesGroup");
    AllRB = named(new QRadioButton(text("3"), pagesGroup), "AllRB");
    CurPageRB = named(new QRadioButton(text("4"), pagesGroup), "CurPageRB");
    PageNumbersRB = named(new QRadioButton(text("5"), pagesGroup), "PageNumbersRB");
    PageNumbersE = named(new QLineEdit(pagesGroup), "PageNumbersE");
    DescrL = named(new QLabel(text("9"), pagesGroup), "DescrL");
    DescrL->setWordWrap(true);
    DescrL->setMinimumWidth(220);
    // The grid gives a wrapped label the height of its widest layout; keep room for the lines
    // a long translation needs at the narrowest.
    DescrL->setMinimumHeight(DescrL->heightForWidth(DescrL->minimumWidth()));
    AllRB->setChecked(true);
    auto *pagesLayout = new QGridLayout(pagesGroup);
    pagesLayout->addWidget(AllRB, 0, 0, 1, 2);
    pagesLayout->addWidget(CurPageRB, 1, 0, 1, 2);
    pagesLayout->addWidget(PageNumbersRB, 2, 0);
    pagesLayout->addWidget(PageNumbersE, 2, 1);
    pagesLayout->addWidget(DescrL, 3, 0, 1, 2);
    pagesLayout->setRowStretch(4, 1);
    connect(PageNumbersE, &QLineEdit::textEdited, this, [this] { PageNumbersRB->setChecked(true); });
    connect(PageNumbersRB, &QRadioButton::clicked, this, [this] { PageNumbersE->setFocus(); });

    auto *copiesGroup = named(new QGroupBox(text("205"), this), "CopiesGroup");
    CopiesE = named(new QSpinBox(copiesGroup), "CopiesE");
    CopiesE->setRange(1, 1000);
    CollateCB = named(new QCheckBox(text("204"), copiesGroup), "CollateCB");
    CollateCB->setChecked(true);
    CollateImage = named(new QLabel(copiesGroup), "CollateImage");
    auto *copiesLayout = new QGridLayout(copiesGroup);
    copiesLayout->addWidget(new QLabel(text("203"), copiesGroup), 0, 0);
    copiesLayout->addWidget(CopiesE, 0, 1);
    copiesLayout->addWidget(CollateImage, 1, 0);
    copiesLayout->addWidget(CollateCB, 1, 1);
    copiesLayout->setRowStretch(2, 1);
    connect(CollateCB, &QCheckBox::toggled, this, &TfrxPrintDialog::showCollation);

    auto *modeGroup = named(new QGroupBox(text("213"), this), "ModeGroup");
    PrintModeCB = named(new QComboBox(modeGroup), "PrintModeCB");
    PrintModeCB->setIconSize(QSize(24, 24));
    const char *modes[][2] = {{"pmDefault", "mode-default"}, {"pmSplit", "mode-split"},
                              {"pmJoin", "mode-join"}, {"pmScale", "mode-scale"}};
    for (const auto &mode : modes)
        PrintModeCB->addItem(icon(mode[1]), text(mode[0]));
    PagPageSizeCB = named(new QComboBox(modeGroup), "PagPageSizeCB");
    PagPageSizeCB->setMinimumContentsLength(16);
    auto *modeLayout = new QFormLayout(modeGroup);
    modeLayout->addRow(PrintModeCB);
    modeLayout->addRow(text("214"), PagPageSizeCB);
    connect(PrintModeCB, &QComboBox::currentIndexChanged, this, &TfrxPrintDialog::modeChosen);

    auto *otherGroup = named(new QGroupBox(text("207"), this), "OtherGroup");
    PrintPagesCB = named(new QComboBox(otherGroup), "PrintPagesCB");
    PrintPagesCB->addItems({text("ppAll"), text("ppOdd"), text("ppEven")});
    DuplexCB = named(new QComboBox(otherGroup), "DuplexCB");
    DuplexCB->addItems({text("dupDefault"), text("dupVert"), text("dupHorz"), text("dupSimpl")});
    OrderCB = named(new QComboBox(otherGroup), "OrderCB");
    OrderCB->addItems({text("poDirect"), text("poReverse")});
    auto *otherLayout = new QFormLayout(otherGroup);
    otherLayout->addRow(text("206"), PrintPagesCB);
    otherLayout->addRow(text("216"), DuplexCB);
    otherLayout->addRow(text("211"), OrderCB);

    OkB = named(new QPushButton(text("1"), this), "OkB");
    CancelB = named(new QPushButton(text("2"), this), "CancelB");
    OkB->setDefault(true);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(OkB, QDialogButtonBox::AcceptRole);
    buttons->addButton(CancelB, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrxPrintDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrxPrintDialog::reject);
    connect(PropButton, &QPushButton::clicked, this, &TfrxPrintDialog::properties);

    auto *layout = new QGridLayout(this);
    layout->addWidget(printerGroup, 0, 0, 1, 2);
    layout->addWidget(pagesGroup, 1, 0);
    layout->addWidget(copiesGroup, 1, 1);
    layout->addWidget(modeGroup, 2, 0);
    layout->addWidget(otherGroup, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    showCollation();
}

void TfrxPrintDialog::readOptions(int duplexMode)
{
    const TfrxPrintOptions &options = *FReport.PrintOptions();
    CopiesE->setValue(std::clamp(options.Copies, 1, 1000));
    CollateCB->setChecked(options.Collate);
    PageNumbersE->setText(options.PageNumbers);
    if (!options.PageNumbers.isEmpty())
        PageNumbersRB->setChecked(true);
    PrintPagesCB->setCurrentIndex(int(options.PrintPages));
    OrderCB->setCurrentIndex(options.Reverse ? 1 : 0);
    PrintModeCB->setCurrentIndex(int(options.PrintMode));
    modeChosen(int(options.PrintMode));
    FDuplexMode = std::clamp(duplexMode, 0, 3);
    DuplexCB->setCurrentIndex(FDuplexMode);
    if (options.PrintMode != pmDefault)
        selectSheet(options.PrintOnSheet);
}

void TfrxPrintDialog::printerChosen(int index)
{
    const int noted = PagPageSizeCB->currentData().toInt();
    TfrxPrinters *printers = zorPrinters();
    printers->setPrinterIndex(index);
    WhereL1->setText(printers->Printer()->Port());
    fillSheets();
    selectSheet(noted);
}

void TfrxPrintDialog::fillSheets()
{
    PagPageSizeCB->clear();
    PagPageSizeCB->addItem(text("pgDefault"), defaultSheet);
    for (const TfrxPrinterItem &paper : zorPrinters()->Printer()->Papers())
        if (paper.number != TfrxCustomPrinter::customPaper)
            PagPageSizeCB->addItem(paper.name, paper.number);
}

// A paper the printer does not have shows as "Default".
void TfrxPrintDialog::selectSheet(int paper)
{
    const int index = PagPageSizeCB->findData(paper);
    PagPageSizeCB->setCurrentIndex(index > 0 ? index : 0);
}

void TfrxPrintDialog::modeChosen(int index)
{
    const bool sheetMode = index != int(pmDefault);
    PagPageSizeCB->setEnabled(sheetMode);
    if (!sheetMode)
        PagPageSizeCB->setCurrentIndex(0);
    else if (PagPageSizeCB->currentIndex() <= 0)
        selectSheet(a4);
}

void TfrxPrintDialog::properties()
{
    TfrxCustomPrinter *printer = zorPrinters()->Printer();
    if (!printer->Initialized() || !printer->PropertiesDlg() || printer->Duplex() == TfrxCustomPrinter::none)
        return;
    // The platform's codes (1 simplex, 2 vertical, 3 horizontal) as the report's duplex modes.
    const int code = printer->Duplex();
    const int mode = code == 1 ? int(dmSimplex) : code - 1;
    if (mode > 0) {
        FDuplexMode = mode;
        DuplexCB->setCurrentIndex(mode);
    }
}

void TfrxPrintDialog::showCollation()
{
    CollateImage->setPixmap(icon(CollateCB->isChecked() ? "collate" : "uncollate").pixmap(48, 32));
}

bool TfrxPrintDialog::choosePrintFile()
{
    QFileDialog dialog(this, text("507"));
    dialog.setObjectName(QStringLiteral("FileDlg"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(text("510").section(u'|', 0, 0));
    FFileDlg = &dialog;
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    FFileDlg = nullptr;
    if (!chosen)
        return false;
    const QFileInfo file(dialog.selectedFiles().constFirst());
    FPrintFile = file.dir().filePath(file.completeBaseName() + QStringLiteral(".prn"));
    return true;
}

void TfrxPrintDialog::accept()
{
    if (CopiesE->cleanText().isEmpty()) {
        QMessageBox::warning(this, text("mbError"), text("203"));
        CopiesE->setFocus();
        return;
    }
    if (FileCB->isChecked() && !choosePrintFile()) {
        reject();
        return;
    }
    writeOptions();
    QDialog::accept();
}

void TfrxPrintDialog::writeOptions()
{
    TfrxPrintOptions &options = *FReport.PrintOptions();
    options.Copies = CopiesE->value();
    options.Collate = CollateCB->isChecked();
    if (AllRB->isChecked())
        options.PageNumbers.clear();
    else if (CurPageRB->isChecked())
        options.PageNumbers = QString::number(FCurrentPage);
    else
        options.PageNumbers = PageNumbersE->text();
    options.PrintPages = TfrxPrintPages(PrintPagesCB->currentIndex());
    FDuplexMode = DuplexCB->currentIndex();
    options.Reverse = OrderCB->currentIndex() == 1;
    options.PrintMode = TfrxPrintMode(PrintModeCB->currentIndex());
    options.PrintOnSheet = PagPageSizeCB->currentData().toInt();
    options.PrnOutFileName = FileCB->isChecked() ? FPrintFile : QString();
}

// Cancelling leaves the printer that was current and forgets its own dialog's choices.
void TfrxPrintDialog::reject()
{
    TfrxPrinters *printers = zorPrinters();
    if (TfrxCustomPrinter *printer = printers->Printer())
        printer->ResetJobChoices();
    printers->setPrinterIndex(OldIndex);
    QDialog::reject();
}
