#include "TfrxPageEditorForm.h"

#include "TfrxCustomDesigner.h"
#include "TfrxCustomPrinter.h"
#include "TfrxLengthEdit.h"
#include "TfrxPrinterItemBox.h"
#include "TfrxProperties.h"
#include "TfrxPropertyChecks.h"
#include "TfrxReportPage.h"
#include "TfrxSubreport.h"
#include "TfrxXMLSerializer.h"
#include "zorDialogKit.h"
#include "zorPaper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <iterator>
#include <optional>

using namespace zor;

namespace {

// The unit captions by TfrxDesignerUnits.
const char *const unitKeys[] = {"uCm", "uInch", "uPix", "uChar"};

struct MarginField
{
    const char *property;
    const char *caption;
    bool vertical;
};

const MarginField marginFields[] = {
    {"LeftMargin", "2706", false},
    {"TopMargin", "2707", true},
    {"RightMargin", "2708", false},
    {"BottomMargin", "2709", true},
};
constexpr int marginCount = int(std::size(marginFields));

const TfrxPropertyChecks::Field pageChecks[] = {
    {"PrintOnPreviousPage", "2718"}, {"MirrorMargins", "2719"},     {"EndlessHeight", "2722"},
    {"EndlessWidth", "2721"},        {"LargeDesignHeight", "2720"},
};

// Duplex modes in the order of TfrxDuplexMode.
const char *const duplexKeys[] = {"dupDefault", "dupVert", "dupHorz", "dupSimpl"};

// The values of the dialog once they are all known to be usable; lengths in millimetres.
struct PageValues
{
    TPrinterOrientation orientation;
    int paper;
    double width, height;
    double margins[marginCount];
    int bin, binOtherPages;
    int columns;
    double columnWidth;
    QStringList columnPositions;
    TfrxDuplexMode duplex;
};

} // namespace

struct TfrxPageEditorForm::Private
{
    Private(TfrxPageEditorForm *form, TfrxReportPage &edited, TfrxCustomPrinter &offered,
            TfrxDesignerUnits shown)
        : q(form), page(edited), printer(offered), units(shown)
    {
    }

    TfrxPageEditorForm *q;
    TfrxReportPage &page;
    TfrxCustomPrinter &printer;
    TfrxDesignerUnits units;
    TfrxPrinterItemBox *paperCB = nullptr;
    TfrxLengthEdit *widthE = nullptr;
    TfrxLengthEdit *heightE = nullptr;
    QRadioButton *portraitRB = nullptr;
    QRadioButton *landscapeRB = nullptr;
    TfrxLengthEdit *marginE[marginCount] = {};
    TfrxPrinterItemBox *binCB = nullptr;
    TfrxPrinterItemBox *binOtherCB = nullptr;
    QSpinBox *columnsE = nullptr;
    TfrxLengthEdit *columnWidthE = nullptr;
    QPlainTextEdit *positionsM = nullptr;
    // The positions as stored (millimetres) and as shown, so that an untouched list stays exact.
    QStringList positionsMm;
    QString positionsShown;
    QComboBox *duplexCB = nullptr;
    std::unique_ptr<TfrxPropertyChecks> checks;

    QWidget *paperTab();
    QWidget *optionsTab();
    QGroupBox *sizeGroup();
    QGroupBox *orientationGroup();
    QGroupBox *marginsGroup();
    QGroupBox *sourceGroup();
    QGroupBox *columnsGroup();
    QGroupBox *generalGroup();
    TfrxLengthEdit *lengthEdit(const QString &name, bool vertical, double mm, QWidget *parent) const;
    void addRow(QGridLayout *layout, const char *caption, QWidget *field, bool withUnit) const;

    TPrinterOrientation orientation() const { return landscapeRB->isChecked() ? poLandscape : poPortrait; }
    void paperChosen();
    void orientationChosen();
    void columnsChosen();
    void showPositions(const QStringList &mm);
    std::optional<double> length(TfrxLengthEdit *edit, const QString &caption, bool positive) const;
    std::optional<QStringList> positions() const;
    std::optional<PageValues> values() const;
    static void write(TfrxReportPage &target, const PageValues &v);
};

TfrxLengthEdit *TfrxPageEditorForm::Private::lengthEdit(const QString &name, bool vertical, double mm,
                                                        QWidget *parent) const
{
    auto *edit = new TfrxLengthEdit(units, vertical, parent);
    edit->setObjectName(name);
    edit->SetMillimetres(mm);
    edit->setMaximumWidth(edit->fontMetrics().averageCharWidth() * 14);
    return edit;
}

// caption | field | unit
void TfrxPageEditorForm::Private::addRow(QGridLayout *layout, const char *caption, QWidget *field,
                                         bool withUnit) const
{
    const int row = layout->rowCount();
    auto *label = new QLabel(zorText(caption), field->parentWidget());
    label->setBuddy(field);
    layout->addWidget(label, row, 0);
    layout->addWidget(field, row, 1);
    if (withUnit)
        layout->addWidget(new QLabel(zorText(unitKeys[units]), field->parentWidget()), row, 2);
}

QGroupBox *TfrxPageEditorForm::Private::sizeGroup()
{
    auto *box = new QGroupBox(zorText("2704"), q);
    paperCB = new TfrxPrinterItemBox(printer.Papers(), box);
    paperCB->setObjectName(QStringLiteral("PaperCB"));
    paperCB->setMinimumContentsLength(22);
    paperCB->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    paperCB->SetNumber(page.PaperSize());
    widthE = lengthEdit(QStringLiteral("WidthE"), false, page.PaperWidth(), box);
    heightE = lengthEdit(QStringLiteral("HeightE"), true, page.PaperHeight(), box);
    auto *layout = new QGridLayout(box);
    layout->addWidget(paperCB, 0, 0, 1, 3);
    addRow(layout, "2702", widthE, true);
    addRow(layout, "2703", heightE, true);
    layout->setColumnStretch(1, 1);
    return box;
}

QGroupBox *TfrxPageEditorForm::Private::orientationGroup()
{
    auto *box = new QGroupBox(zorText("2705"), q);
    portraitRB = new QRadioButton(zorText("2714"), box);
    portraitRB->setObjectName(QStringLiteral("PortraitRB"));
    landscapeRB = new QRadioButton(zorText("2715"), box);
    landscapeRB->setObjectName(QStringLiteral("LandscapeRB"));
    (page.Orientation() == poLandscape ? landscapeRB : portraitRB)->setChecked(true);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(portraitRB);
    layout->addWidget(landscapeRB);
    layout->addStretch();
    return box;
}

QGroupBox *TfrxPageEditorForm::Private::marginsGroup()
{
    auto *box = new QGroupBox(zorText("2710"), q);
    auto *layout = new QGridLayout(box);
    for (int i = 0; i < marginCount; ++i) {
        const MarginField &f = marginFields[i];
        const QString property = QLatin1String(f.property);
        marginE[i] =
            lengthEdit(property + u'E', f.vertical, TfrxProperties::Read(&page, property).toDouble(), box);
        addRow(layout, f.caption, marginE[i], true);
    }
    layout->setColumnStretch(1, 1);
    return box;
}

QGroupBox *TfrxPageEditorForm::Private::sourceGroup()
{
    auto *box = new QGroupBox(zorText("2711"), q);
    binCB = new TfrxPrinterItemBox(printer.Bins(), box);
    binCB->setObjectName(QStringLiteral("BinCB"));
    binCB->SetNumber(page.Bin());
    binOtherCB = new TfrxPrinterItemBox(printer.Bins(), box);
    binOtherCB->setObjectName(QStringLiteral("BinOtherPagesCB"));
    binOtherCB->SetNumber(page.BinOtherPages());
    auto *layout = new QGridLayout(box);
    addRow(layout, "2712", binCB, false);
    addRow(layout, "2713", binOtherCB, false);
    layout->setColumnStretch(1, 1);
    return box;
}

// Size and orientation side by side, margins and paper sources side by side.
QWidget *TfrxPageEditorForm::Private::paperTab()
{
    auto *tab = new QWidget(q);
    auto *layout = new QGridLayout(tab);
    layout->addWidget(sizeGroup(), 0, 0);
    layout->addWidget(orientationGroup(), 0, 1);
    layout->addWidget(marginsGroup(), 1, 0);
    layout->addWidget(sourceGroup(), 1, 1);
    layout->setRowStretch(2, 1);
    return tab;
}

QGroupBox *TfrxPageEditorForm::Private::columnsGroup()
{
    auto *box = new QGroupBox(zorText("2723"), q);
    columnsE = new QSpinBox(box);
    columnsE->setObjectName(QStringLiteral("ColumnsE"));
    columnsE->setRange(0, TfrxReportPage::MaxColumns);
    columnsE->setValue(page.Columns());
    columnWidthE = lengthEdit(QStringLiteral("ColumnWidthE"), false, page.ColumnWidth(), box);
    positionsM = new QPlainTextEdit(box);
    positionsM->setObjectName(QStringLiteral("PositionsM"));
    positionsM->setTabChangesFocus(true);
    positionsM->setFixedHeight(positionsM->fontMetrics().lineSpacing() * 5);
    showPositions(page.ColumnPositions());
    auto *layout = new QGridLayout(box);
    addRow(layout, "2724", columnsE, false);
    addRow(layout, "2725", columnWidthE, true);
    addRow(layout, "2726", positionsM, true);
    layout->setColumnStretch(1, 1);
    return box;
}

QGroupBox *TfrxPageEditorForm::Private::generalGroup()
{
    auto *box = new QGroupBox(zorText("2727"), q);
    auto *layout = new QGridLayout(box);
    checks = std::make_unique<TfrxPropertyChecks>(&page, pageChecks, box);
    for (QCheckBox *check : checks->Boxes())
        layout->addWidget(check, layout->rowCount(), 0, 1, 2);
    duplexCB = new QComboBox(box);
    duplexCB->setObjectName(QStringLiteral("DuplexCB"));
    for (const char *key : duplexKeys)
        duplexCB->addItem(zorText(key));
    duplexCB->setCurrentIndex(int(page.Duplex()));
    addRow(layout, "2717", duplexCB, false);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(layout->rowCount(), 1);
    return box;
}

QWidget *TfrxPageEditorForm::Private::optionsTab()
{
    auto *tab = new QWidget(q);
    auto *layout = new QHBoxLayout(tab);
    layout->addWidget(columnsGroup(), 1);
    layout->addWidget(generalGroup(), 1);
    return tab;
}

// The size of a paper chosen, from the paper table, or else as the printer reports it.
void TfrxPageEditorForm::Private::paperChosen()
{
    const int paper = paperCB->Number();
    if (paper == TfrxCustomPrinter::customPaper)
        return;
    double width = 0;
    double height = 0;
    if (!zorGetPaperDimensions(paper, width, height)) {
        if (!printer.Initialized())
            return;
        printer.SetViewParams(paper, 0, 0, poPortrait);
        width = printer.PaperWidth();
        height = printer.PaperHeight();
    }
    if ((orientation() == poLandscape) != (width > height))
        std::swap(width, height);
    widthE->SetMillimetres(width);
    heightE->SetMillimetres(height);
}

// The paper turns with the orientation: width and height change places.
void TfrxPageEditorForm::Private::orientationChosen()
{
    const std::optional<double> width = widthE->Millimetres();
    const std::optional<double> height = heightE->Millimetres();
    if (!width || !height || (orientation() == poLandscape) == (*width > *height))
        return;
    widthE->SetMillimetres(*height);
    heightE->SetMillimetres(*width);
}

// A new number of columns shares the printable width out equally (0 counts as 1).
void TfrxPageEditorForm::Private::columnsChosen()
{
    const std::optional<double> width = widthE->Millimetres();
    const std::optional<double> left = marginE[0]->Millimetres();
    const std::optional<double> right = marginE[2]->Millimetres();
    if (!width || !left || !right)
        return;
    const int count = columnsE->value();
    const double columnWidth = (*width - *left - *right) / std::max(count, 1);
    columnWidthE->SetMillimetres(columnWidth);
    QStringList mm;
    for (int i = 0; i < count; ++i)
        mm.append(FloatText(i * columnWidth));
    showPositions(mm);
}

void TfrxPageEditorForm::Private::showPositions(const QStringList &mm)
{
    positionsMm = mm;
    QStringList shown;
    for (const QString &text : mm) {
        double value = 0;
        TfrxXMLSerializer::StrToFloat(text, value);
        shown.append(UnitsText(MmToUnits(value, units)));
    }
    positionsShown = shown.join(u'\n');
    positionsM->setPlainText(positionsShown);
}

// A length typed into a field; a text that is not a usable length is named to the operator.
std::optional<double> TfrxPageEditorForm::Private::length(TfrxLengthEdit *edit, const QString &caption,
                                                          bool positive) const
{
    const std::optional<double> mm = edit->Millimetres();
    if (mm && (!positive || *mm > 0))
        return mm;
    zorRefuseValue(edit, zorText("dsInvalidValue", {edit->text(), caption}));
    return std::nullopt;
}

// One position per line, in the designer's units; empty lines are skipped.
std::optional<QStringList> TfrxPageEditorForm::Private::positions() const
{
    const QString typed = positionsM->toPlainText();
    if (typed == positionsShown)
        return positionsMm;
    QStringList mm;
    TfrxLengthEdit reader(units, false);
    for (const QString &line : typed.split(u'\n', Qt::SkipEmptyParts)) {
        reader.setText(line.trimmed());
        const std::optional<double> value = reader.Millimetres();
        if (!value) {
            zorRefuseValue(positionsM, zorText("dsInvalidValue", {line, zorText("2726")}));
            return std::nullopt;
        }
        mm.append(FloatText(*value));
    }
    return mm;
}

std::optional<PageValues> TfrxPageEditorForm::Private::values() const
{
    PageValues v{};
    v.orientation = orientation();
    v.paper = paperCB->Number();
    const std::optional<double> width = length(widthE, zorText("2702"), true);
    const std::optional<double> height = width ? length(heightE, zorText("2703"), true) : std::nullopt;
    if (!height)
        return std::nullopt;
    v.width = *width;
    v.height = *height;
    for (int i = 0; i < marginCount; ++i) {
        const std::optional<double> margin = length(marginE[i], zorText(marginFields[i].caption), false);
        if (!margin)
            return std::nullopt;
        v.margins[i] = *margin;
    }
    const std::optional<double> columnWidth = length(columnWidthE, zorText("2725"), false);
    const std::optional<QStringList> columnPositions = columnWidth ? positions() : std::nullopt;
    if (!columnPositions)
        return std::nullopt;
    v.columns = columnsE->value();
    v.columnWidth = *columnWidth;
    v.columnPositions = *columnPositions;
    v.bin = binCB->Number();
    v.binOtherPages = binOtherCB->Number();
    v.duplex = TfrxDuplexMode(duplexCB->currentIndex());
    return v;
}

// The orientation first, since turning the paper turns the margins; then every value as given.
void TfrxPageEditorForm::Private::write(TfrxReportPage &target, const PageValues &v)
{
    target.SetOrientation(v.orientation);
    target.SetSizeAndDimensions(v.paper, v.width, v.height);
    for (int i = 0; i < marginCount; ++i)
        TfrxProperties::Write(&target, QString::fromLatin1(marginFields[i].property), v.margins[i]);
    target.SetColumns(v.columns);
    target.SetColumnWidth(v.columnWidth);
    target.SetColumnPositions(v.columnPositions);
    target.SetBin(v.bin);
    target.SetBinOtherPages(v.binOtherPages);
    target.SetDuplex(v.duplex);
}

TfrxPageEditorForm::TfrxPageEditorForm(TfrxCustomDesigner &designer, TfrxReportPage &page,
                                       TfrxCustomPrinter &printer, QWidget *parent)
    : QDialog(parent), d(std::make_unique<Private>(this, page, printer, designer.Units()))
{
    setObjectName(QStringLiteral("TfrxPageEditorForm"));
    setWindowTitle(zorText("2700"));
    auto *tabs = new QTabWidget(this);
    tabs->addTab(d->paperTab(), zorText("2701"));
    tabs->addTab(d->optionsTab(), zorText("2716"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(zorOkCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(d->paperCB, &QComboBox::activated, this, [this] { d->paperChosen(); });
    connect(d->landscapeRB, &QRadioButton::toggled, this, [this] { d->orientationChosen(); });
    for (TfrxLengthEdit *size : {d->widthE, d->heightE})
        connect(size, &QLineEdit::textEdited, this,
                [this] { d->paperCB->Choose(TfrxCustomPrinter::customPaper); });
    connect(d->columnsE, &QSpinBox::valueChanged, this, [this] { d->columnsChosen(); });
}

TfrxPageEditorForm::~TfrxPageEditorForm() = default;

void TfrxPageEditorForm::accept()
{
    const std::optional<PageValues> values = d->values();
    if (!values)
        return;
    Private::write(d->page, *values);
    d->checks->Write(&d->page);
    for (TfrxComponent *object : d->page.GetAllObjects())
        if (auto *subreport = qobject_cast<TfrxSubreport *>(object))
            if (TfrxReportPage *subPage = subreport->Page()) {
                Private::write(*subPage, *values);
                d->checks->Write(subPage);
            }
    QDialog::accept();
}
