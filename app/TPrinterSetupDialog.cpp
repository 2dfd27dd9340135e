#include "TPrinterSetupDialog.h"

#include "TOperatorDialogs.h"
#include "TfrxCustomPrinter.h"
#include "TfrxPrinterCalibration.h"
#include "TfrxPrinters.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox *valueBox(double low, double high, const QString &suffix)
{
    auto *box = new QDoubleSpinBox;
    box->setRange(low, high);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setSuffix(suffix);
    box->setAccelerated(true);
    return box;
}

QString marginsText(const TfrxCustomPrinter &printer)
{
    const QLocale locale;
    return QStringLiteral("Непечатаемые поля: слева %1, сверху %2, справа %3, снизу %4 мм")
        .arg(locale.toString(printer.LeftMargin()), locale.toString(printer.TopMargin()),
             locale.toString(printer.RightMargin()), locale.toString(printer.BottomMargin()));
}

} // namespace

TPrinterSetupDialog::TPrinterSetupDialog(const CalibrationSheet &sheet, TOperatorDialogs &dialogs,
                                         QWidget *parent)
    : QDialog(parent), FSheet(sheet), FDialogs(dialogs), FPrinters(new QListWidget)
{
    setWindowTitle(QStringLiteral("Настройка принтера"));
    FPrinters->setMinimumWidth(180);
    const TfrxPrinters &printers = *zorPrinters();
    if (printers.HasPhysicalPrinters())
        FPrinters->addItems(printers.Printers());

    auto *help = new QLabel(QStringLiteral(
        "Сдвиг и масштаб применяются к каждой странице, напечатанной на выбранном принтере; шаблон, "
        "просмотр и PDF не меняются. Сдвиг вправо и вниз — положительный, масштаб считается от левого "
        "верхнего угла листа. Напечатайте лист настройки, приложите его к бланку и посмотрите на просвет."));
    help->setWordWrap(true);
    FStatus = new QLabel;
    FStatus->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *columns = new QHBoxLayout;
    columns->addWidget(FPrinters);
    columns->addWidget(createEditors(), 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(help);
    layout->addWidget(FStatus);
    layout->addWidget(buttons);

    connect(FPrinters, &QListWidget::currentRowChanged, this, &TPrinterSetupDialog::printerChosen);
    const int current = printers.HasPhysicalPrinters() ? printers.PrinterIndex() : -1;
    FPrinters->setCurrentRow(std::max(current, 0));
    printerChosen();
    resize(sizeHint().expandedTo(QSize(620, 320)));
}

QWidget *TPrinterSetupDialog::createEditors()
{
    auto *editors = new QWidget;
    auto *form = new QFormLayout(editors);
    FOffsetX = valueBox(-TfrxPrinterCalibration::maxOffset, TfrxPrinterCalibration::maxOffset,
                        QStringLiteral(" мм"));
    FOffsetY = valueBox(-TfrxPrinterCalibration::maxOffset, TfrxPrinterCalibration::maxOffset,
                        QStringLiteral(" мм"));
    FScale =
        valueBox(TfrxPrinterCalibration::minScale, TfrxPrinterCalibration::maxScale, QStringLiteral(" %"));
    FOffsetX->setObjectName(QStringLiteral("OffsetX"));
    FOffsetY->setObjectName(QStringLiteral("OffsetY"));
    FScale->setObjectName(QStringLiteral("Scale"));
    form->addRow(QStringLiteral("Сдвиг вправо:"), FOffsetX);
    form->addRow(QStringLiteral("Сдвиг вниз:"), FOffsetY);
    form->addRow(QStringLiteral("Масштаб:"), FScale);
    FMargins = new QLabel;
    FMargins->setWordWrap(true);
    form->addRow(FMargins);
    FPrintSheet = new QPushButton(QStringLiteral("Печать листа настройки"));
    FReset = new QPushButton(QStringLiteral("Сбросить"));
    auto *row = new QHBoxLayout;
    row->addWidget(FPrintSheet);
    row->addWidget(FReset);
    row->addStretch(1);
    form->addRow(row);
    for (QDoubleSpinBox *box : {FOffsetX, FOffsetY, FScale})
        connect(box, &QDoubleSpinBox::valueChanged, this, &TPrinterSetupDialog::store);
    connect(FPrintSheet, &QPushButton::clicked, this, &TPrinterSetupDialog::printSheet);
    connect(FReset, &QPushButton::clicked, this, &TPrinterSetupDialog::reset);
    return editors;
}

QString TPrinterSetupDialog::CurrentPrinter() const
{
    const QListWidgetItem *item = FPrinters->currentItem();
    return item != nullptr ? item->text() : QString();
}

void TPrinterSetupDialog::printerChosen()
{
    const QString printer = CurrentPrinter();
    for (QWidget *editor : std::initializer_list<QWidget *>{FOffsetX, FOffsetY, FScale, FPrintSheet, FReset})
        editor->setEnabled(!printer.isEmpty());
    FStatus->setText(printer.isEmpty() ? QStringLiteral("Принтеры не установлены.") : QString());
    if (printer.isEmpty())
        return;
    const QScopedValueRollback loading(FLoading, true);
    const TfrxPrinterCalibration calibration = TfrxPrinterCalibration::Load(printer);
    FOffsetX->setValue(calibration.OffsetX);
    FOffsetY->setValue(calibration.OffsetY);
    FScale->setValue(calibration.Scale);
    // The margins of the blank's paper, which the printer reports once set to it.
    const TfrxPrinters &printers = *zorPrinters();
    TfrxCustomPrinter *item = printers.Items(printers.IndexOf(printer));
    if (item != nullptr)
        item->Init();
    const TemplatePage &page = FSheet.Page();
    if (item != nullptr && item->Initialized())
        item->SetViewParams(page.PaperSize, page.PaperMm.width(), page.PaperMm.height(), page.Orientation);
    FMargins->setText(item != nullptr && item->Initialized() ? marginsText(*item) : QString());
}

void TPrinterSetupDialog::store()
{
    if (FLoading || CurrentPrinter().isEmpty())
        return;
    if (!TfrxPrinterCalibration::Save(CurrentPrinter(),
                                      {FOffsetX->value(), FOffsetY->value(), FScale->value()}))
        FStatus->setText(
            QStringLiteral("Не удалось сохранить настройку: файл настроек недоступен для записи."));
}

void TPrinterSetupDialog::reset()
{
    FOffsetX->setValue(0);
    FOffsetY->setValue(0);
    FScale->setValue(100);
}

void TPrinterSetupDialog::printSheet()
{
    const QString printer = CurrentPrinter();
    QString error;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = FSheet.Print(printer, error);
    QGuiApplication::restoreOverrideCursor();
    if (!printed) {
        FDialogs.message(this, error);
        return;
    }
    FStatus->setText(QStringLiteral("Лист настройки отправлен на принтер «%1».").arg(printer));
}
