#include "TfrxPageSettingsForm.h"

#include "TfrxCustomPreviewPages.h"
#include "TfrxCustomPrinter.h"
#include "TfrxPrinters.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxVirtualPrinter.h"
#include "zorPrinterTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

using namespace zor;

namespace {

QString text(const char *key)
{
    return zorPrinterText(key);
}

} // namespace

TfrxPageSettingsForm::TfrxPageSettingsForm(TfrxReport &report, int pageIndex, QWidget *parent,
                                           bool templatePages)
    : QDialog(parent), FReport(report), FPageIndex(pageIndex), FTemplatePages(templatePages)
{
    setObjectName(QStringLiteral("TfrxPageSettingsForm"));
    zorInitPreviewIcons();
    setWindowTitle(text("400"));
    if (const std::unique_ptr<QSettings> settings = report.GetIniFile())
        if (settings->value(QStringLiteral("Form5.TfrxDesignerForm/Units")).toInt() == 1)
            FUnit = 25.4;

    auto *paperGroup = new QGroupBox(text("401"), this);
    PaperCB = new QComboBox(paperGroup);
    PaperCB->setObjectName(QStringLiteral("PaperCB"));
    PaperCB->setMinimumContentsLength(20);
    for (const TfrxPrinterItem &paper : paperPrinter()->Papers())
        PaperCB->addItem(paper.name, paper.number);
    WidthE = lengthBox("WidthE");
    HeightE = lengthBox("HeightE");
    auto *paperLayout = new QFormLayout(paperGroup);
    paperLayout->addRow(text("404"), PaperCB);
    paperLayout->addRow(text("402"), WidthE);
    paperLayout->addRow(text("403"), HeightE);

    auto *orientationGroup = new QGroupBox(text("405"), this);
    PortraitRB = new QRadioButton(text("411"), orientationGroup);
    PortraitRB->setObjectName(QStringLiteral("PortraitRB"));
    PortraitRB->setIcon(QIcon(QStringLiteral(":/icons/mode-default.png")));
    LandscapeRB = new QRadioButton(text("412"), orientationGroup);
    LandscapeRB->setObjectName(QStringLiteral("LandscapeRB"));
    QPixmap turned = QIcon(QStringLiteral(":/icons/mode-default.png")).pixmap(24, 24);
    LandscapeRB->setIcon(turned.transformed(QTransform().rotate(90)));
    auto *orientationLayout = new QVBoxLayout(orientationGroup);
    orientationLayout->addWidget(PortraitRB);
    orientationLayout->addWidget(LandscapeRB);

    auto *marginsGroup = new QGroupBox(text("410"), this);
    LeftE = lengthBox("LeftE");
    TopE = lengthBox("TopE");
    RightE = lengthBox("RightE");
    BottomE = lengthBox("BottomE");
    auto *marginsLayout = new QFormLayout(marginsGroup);
    marginsLayout->addRow(text("406"), LeftE);
    marginsLayout->addRow(text("407"), TopE);
    marginsLayout->addRow(text("408"), RightE);
    marginsLayout->addRow(text("409"), BottomE);

    CurrentRB = new QRadioButton(text("413"), this);
    CurrentRB->setObjectName(QStringLiteral("CurrentRB"));
    AllRB = new QRadioButton(text("414"), this);
    AllRB->setObjectName(QStringLiteral("AllRB"));
    CurrentRB->setChecked(true);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(text("1"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(text("2"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrxPageSettingsForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrxPageSettingsForm::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(paperGroup, 0, 0);
    layout->addWidget(orientationGroup, 0, 1);
    layout->addWidget(marginsGroup, 1, 0);
    auto *apply = new QVBoxLayout;
    apply->addWidget(CurrentRB);
    apply->addWidget(AllRB);
    apply->addStretch();
    layout->addLayout(apply, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (TfrxCustomPreviewPages *pages = report.PreviewPages())
        if (const TfrxReportPage *page = pages->GetPage(pageIndex))
            readPage(*page);
    connect(PaperCB, &QComboBox::currentIndexChanged, this, &TfrxPageSettingsForm::paperChosen);
    connect(PortraitRB, &QRadioButton::toggled, this, &TfrxPageSettingsForm::paperChosen);
    connect(WidthE, &QDoubleSpinBox::valueChanged, this, &TfrxPageSettingsForm::sizeTyped);
    connect(HeightE, &QDoubleSpinBox::valueChanged, this, &TfrxPageSettingsForm::sizeTyped);
}

TfrxPageSettingsForm::~TfrxPageSettingsForm() = default;

TfrxCustomPrinter *TfrxPageSettingsForm::paperPrinter()
{
    TfrxCustomPrinter *printer = zorPrinters()->Printer();
    if (printer->Initialized())
        return printer;
    if (FStandIn == nullptr) {
        FStandIn = std::make_unique<TfrxVirtualPrinter>(printer->Name(), QString());
        FStandIn->Init();
    }
    return FStandIn.get();
}

QDoubleSpinBox *TfrxPageSettingsForm::lengthBox(const char *name)
{
    auto *box = new QDoubleSpinBox(this);
    box->setObjectName(QLatin1String(name));
    box->setDecimals(2);
    box->setRange(0, 10000 / FUnit);
    box->setSuffix(u' ' + zorPrinterText(Inches() ? "uInch" : "uCm"));
    return box;
}

bool TfrxPageSettingsForm::ApplyToAll() const
{
    return AllRB->isChecked();
}

void TfrxPageSettingsForm::readPage(const TfrxReportPage &page)
{
    FUpdating = true;
    const int index = PaperCB->findData(page.PaperSize());
    PaperCB->setCurrentIndex(index >= 0 ? index : 0);
    WidthE->setValue(page.PaperWidth() / FUnit);
    HeightE->setValue(page.PaperHeight() / FUnit);
    (page.Orientation() == poLandscape ? LandscapeRB : PortraitRB)->setChecked(true);
    LeftE->setValue(page.LeftMargin() / FUnit);
    TopE->setValue(page.TopMargin() / FUnit);
    RightE->setValue(page.RightMargin() / FUnit);
    BottomE->setValue(page.BottomMargin() / FUnit);
    FUpdating = false;
}

// A paper or orientation chosen shows the paper's size as the printer reports it.
void TfrxPageSettingsForm::paperChosen()
{
    if (FUpdating)
        return;
    TfrxCustomPrinter *printer = paperPrinter();
    const int paper = PaperCB->currentData().toInt();
    const TPrinterOrientation orientation = LandscapeRB->isChecked() ? poLandscape : poPortrait;
    double width = WidthE->value() * FUnit;
    double height = HeightE->value() * FUnit;
    if (paper == TfrxCustomPrinter::customPaper && (width > height) != (orientation == poLandscape))
        std::swap(width, height);
    printer->SetViewParams(paper, width, height, orientation);
    FUpdating = true;
    WidthE->setValue(printer->PaperWidth() / FUnit);
    HeightE->setValue(printer->PaperHeight() / FUnit);
    FUpdating = false;
}

void TfrxPageSettingsForm::sizeTyped()
{
    if (FUpdating)
        return;
    FUpdating = true;
    PaperCB->setCurrentIndex(PaperCB->findData(TfrxCustomPrinter::customPaper));
    FUpdating = false;
}

void TfrxPageSettingsForm::writePage(TfrxReportPage &page) const
{
    page.SetOrientation(LandscapeRB->isChecked() ? poLandscape : poPortrait);
    page.SetSizeAndDimensions(PaperCB->currentData().toInt(), WidthE->value() * FUnit,
                              HeightE->value() * FUnit);
    page.SetLeftMargin(LeftE->value() * FUnit);
    page.SetTopMargin(TopE->value() * FUnit);
    page.SetRightMargin(RightE->value() * FUnit);
    page.SetBottomMargin(BottomE->value() * FUnit);
}

void TfrxPageSettingsForm::accept()
{
    TfrxCustomPreviewPages *pages = FReport.PreviewPages();
    if (ApplyToAll() && FTemplatePages) {
        for (TfrxComponent *object : FReport.Objects())
            if (auto *page = qobject_cast<TfrxReportPage *>(object))
                writePage(*page);
    } else if (pages != nullptr) {
        const int from = ApplyToAll() ? 0 : FPageIndex;
        const int to = ApplyToAll() ? pages->GetCount() - 1 : FPageIndex;
        // Each page is written back: a change to the cached copy alone would be lost when the
        // page leaves the cache, and a saved prepared report would not keep it.
        for (int i = from; i <= to; ++i) {
            if (TfrxReportPage *page = pages->GetPage(i)) {
                writePage(*page);
                pages->ModifyPage(i, page);
            }
        }
    }
    QDialog::accept();
}
