#include "TfrxOptionsEditor.h"

#include "TfrxColorSwatch.h"
#include "TfrxReportServices.h"
#include "TfrxResources.h"
#include "TfrxXMLSerializer.h"
#include "zorTypes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>
#include <iterator>
#include <optional>

namespace {

using Settings = TfrxDesignerSettings;

QString text(const char *key)
{
    return zorResources().Get(QLatin1StringView(key));
}

// Controls are named after their setting ("ShowGrid" and "CB"), so tests find them by it.
QString nameOf(const char *name, const char *suffix)
{
    return QLatin1StringView(name) + QLatin1StringView(suffix);
}

// The grid sizes; the first three form the units group, their index being the units.
struct GridField
{
    const char *name;
    const char *caption;
    const char *unit;
    double Settings::*field;
    Settings::Range range;
};

const GridField gridFields[] = {
    {"Grid1", "3018", "3013", &Settings::Grid1, Settings::CmGridRange},
    {"Grid2", "3019", "3014", &Settings::Grid2, Settings::InchGridRange},
    {"Grid3", "3020", "3015", &Settings::Grid3, Settings::PixelGridRange},
    {"Grid4", "3004", "3016", &Settings::Grid4, Settings::PixelGridRange},
};
constexpr int unitsGridCount = 3;
constexpr int gridCount = int(std::size(gridFields));

enum class Group { Grid, Other, Fonts, Colors };

struct CheckField
{
    const char *name;
    const char *caption;
    bool Settings::*field;
    Group group;
};

const CheckField checkFields[] = {
    {"ShowGrid", "3021", &Settings::ShowGrid, Group::Grid},
    {"GridAlign", "3022", &Settings::GridAlign, Group::Grid},
    {"EditAfterInsert", "3023", &Settings::EditAfterInsert, Group::Other},
    {"ShowBandCaptions", "3032", &Settings::ShowBandCaptions, Group::Other},
    {"DropFields", "3029", &Settings::DropFields, Group::Other},
    {"ShowStartup", "3030", &Settings::ShowStartup, Group::Other},
    {"FreeBands", "3028", &Settings::FreeBands, Group::Other},
    {"UseObjectFont", "3024", &Settings::UseObjectFont, Group::Fonts},
    {"GridLCD", "3027", &Settings::GridLCD, Group::Colors},
};
constexpr int checkCount = int(std::size(checkFields));

struct FontField
{
    const char *name;
    const char *caption;
    const char *sizeCaption;
    QString Settings::*family;
    int Settings::*size;
};

const FontField fontFields[] = {
    {"ScriptFont", "3007", "3009", &Settings::ScriptFontName, &Settings::ScriptFontSize},
    {"MemoFont", "3008", "3010", &Settings::MemoFontName, &Settings::MemoFontSize},
};
constexpr int fontCount = int(std::size(fontFields));
constexpr int offeredFontSizes[] = {8, 9, 10, 11, 12, 14};

struct ColorField
{
    const char *name;
    const char *caption;
    QColor Settings::*field;
};

const ColorField colorFields[] = {
    {"WorkspaceColor", "3025", &Settings::WorkspaceColor},
    {"ToolsColor", "3026", &Settings::ToolsColor},
};
constexpr int swatchCount = int(std::size(colorFields));

QLabel *label(const char *caption, QWidget *parent)
{
    return new QLabel(text(caption), parent);
}

// A caption without its trailing colon, to name a field inside a sentence.
QString fieldName(const char *caption)
{
    QString name = text(caption);
    if (name.endsWith(u':'))
        name.chop(1);
    return name;
}

QComboBox *fontNameBox(const QString &current, QWidget *parent)
{
    // A font of another machine that is not installed here is kept and offered as it is.
    QStringList families = QFontDatabase::families();
    if (!families.contains(current))
        families.append(current);
    families.sort(Qt::CaseInsensitive);
    auto *box = new QComboBox(parent);
    box->addItems(families);
    box->setCurrentText(current);
    box->setMinimumContentsLength(16);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

QComboBox *fontSizeBox(int current, QWidget *parent)
{
    QList<int> sizes(std::begin(offeredFontSizes), std::end(offeredFontSizes));
    if (!sizes.contains(current))
        sizes.append(current);
    std::sort(sizes.begin(), sizes.end());
    auto *box = new QComboBox(parent);
    for (int size : sizes)
        box->addItem(QString::number(size), size);
    box->setCurrentIndex(int(sizes.indexOf(current)));
    return box;
}

} // namespace

struct TfrxOptionsEditor::Private
{
    TfrxOptionsEditor *q;
    TfrxDesignerSettings original;
    bool unitsEnabled;
    bool restore = false;
    QRadioButton *unitButtons[unitsGridCount] = {};
    QLineEdit *gridEdits[gridCount] = {};
    QCheckBox *checks[checkCount] = {};
    QComboBox *fontNames[fontCount] = {};
    QComboBox *fontSizes[fontCount] = {};
    TfrxColorSwatch *swatches[swatchCount] = {};
    QSpinBox *bandsGap = nullptr;

    QGroupBox *gridGroup();
    QGroupBox *otherGroup();
    QGroupBox *fontsGroup();
    QGroupBox *colorsGroup();
    QWidget *gridCaption(int index, QGroupBox *box);
    void addChecks(QGroupBox *box, QGridLayout *layout, Group group);

    std::optional<double> typedGrid(int index) const;
    bool gridApplies(int index) const { return index >= unitsGridCount || unitsEnabled; }
    void apply(TfrxDesignerSettings &s) const;
    bool confirm();
};

void TfrxOptionsEditor::Private::addChecks(QGroupBox *box, QGridLayout *layout, Group group)
{
    for (int i = 0; i < checkCount; ++i) {
        if (checkFields[i].group != group)
            continue;
        checks[i] = new QCheckBox(text(checkFields[i].caption), box);
        checks[i]->setObjectName(nameOf(checkFields[i].name, "CB"));
        checks[i]->setChecked(original.*checkFields[i].field);
        layout->addWidget(checks[i], layout->rowCount(), 0, 1, -1);
    }
}

// A units button for the first three grid sizes, a plain label for the dialog form's.
QWidget *TfrxOptionsEditor::Private::gridCaption(int index, QGroupBox *box)
{
    const GridField &f = gridFields[index];
    if (index >= unitsGridCount) {
        QLabel *caption = label(f.caption, box);
        caption->setObjectName(nameOf(f.name, "L"));
        return caption;
    }
    unitButtons[index] = new QRadioButton(text(f.caption), box);
    unitButtons[index]->setObjectName(nameOf(f.name, "RB"));
    unitButtons[index]->setChecked(original.Units == index);
    return unitButtons[index];
}

// Type | Size: the caption, the grid size and its unit, by row.
QGroupBox *TfrxOptionsEditor::Private::gridGroup()
{
    auto *box = new QGroupBox(text("3001"), q);
    auto *layout = new QGridLayout(box);
    layout->addWidget(label("3002", box), 0, 0);
    layout->addWidget(label("3003", box), 0, 1, 1, 2);
    for (int i = 0; i < gridCount; ++i) {
        gridEdits[i] = new QLineEdit(zor::FloatText(original.*gridFields[i].field), box);
        gridEdits[i]->setObjectName(nameOf(gridFields[i].name, "E"));
        const QList<QWidget *> row{gridCaption(i, box), gridEdits[i], label(gridFields[i].unit, box)};
        for (int column = 0; column < row.size(); ++column) {
            row[column]->setEnabled(gridApplies(i));
            layout->addWidget(row[column], i + 1, column);
        }
    }
    layout->setColumnStretch(1, 1);
    addChecks(box, layout, Group::Grid);
    return box;
}

QGroupBox *TfrxOptionsEditor::Private::otherGroup()
{
    auto *box = new QGroupBox(text("3005"), q);
    auto *layout = new QGridLayout(box);
    addChecks(box, layout, Group::Other);
    bandsGap = new QSpinBox(box);
    bandsGap->setObjectName(QStringLiteral("BandsGapE"));
    const TfrxDesignerSettings::Range gaps = TfrxDesignerSettings::BandsGapRange;
    bandsGap->setRange(int(gaps.Min), int(gaps.Max));
    bandsGap->setValue(original.BandsGap);
    const int row = layout->rowCount();
    layout->addWidget(label("3012", box), row, 0);
    layout->addWidget(bandsGap, row, 1);
    layout->addWidget(label("3017", box), row, 2);
    layout->setColumnStretch(1, 1);
    return box;
}

// Code window and memo editor, each a font name and a size.
QGroupBox *TfrxOptionsEditor::Private::fontsGroup()
{
    auto *box = new QGroupBox(text("3006"), q);
    auto *layout = new QGridLayout(box);
    for (int i = 0; i < fontCount; ++i) {
        const FontField &f = fontFields[i];
        fontNames[i] = fontNameBox(original.*f.family, box);
        fontNames[i]->setObjectName(nameOf(f.name, "NameCB"));
        fontSizes[i] = fontSizeBox(original.*f.size, box);
        fontSizes[i]->setObjectName(nameOf(f.name, "SizeCB"));
        layout->addWidget(label(f.caption, box), 2 * i, 0, 1, -1);
        layout->addWidget(fontNames[i], 2 * i + 1, 0);
        layout->addWidget(label(f.sizeCaption, box), 2 * i + 1, 1);
        layout->addWidget(fontSizes[i], 2 * i + 1, 2);
    }
    layout->setColumnStretch(0, 1);
    addChecks(box, layout, Group::Fonts);
    return box;
}

QGroupBox *TfrxOptionsEditor::Private::colorsGroup()
{
    auto *box = new QGroupBox(text("3011"), q);
    auto *layout = new QGridLayout(box);
    for (int i = 0; i < swatchCount; ++i) {
        const ColorField &f = colorFields[i];
        swatches[i] = new TfrxColorSwatch(original.*f.field, text(f.caption), box);
        swatches[i]->setObjectName(nameOf(f.name, "B"));
        layout->addWidget(label(f.caption, box), i, 0);
        layout->addWidget(swatches[i], i, 1);
    }
    layout->setColumnStretch(0, 1);
    addChecks(box, layout, Group::Colors);
    return box;
}

// Grid sizes are typed in either decimal form; none when the text is not a usable size.
std::optional<double> TfrxOptionsEditor::Private::typedGrid(int index) const
{
    double value = 0;
    if (!TfrxXMLSerializer::StrToFloat(gridEdits[index]->text(), value) ||
        !gridFields[index].range.Contains(value))
        return std::nullopt;
    return value;
}

// The dialog's values over the settings it was opened with; a grid size that is not usable keeps
// the old value.
void TfrxOptionsEditor::Private::apply(TfrxDesignerSettings &s) const
{
    for (int i = 0; i < gridCount; ++i)
        if (gridApplies(i))
            s.*gridFields[i].field = typedGrid(i).value_or(s.*gridFields[i].field);
    for (int i = 0; i < unitsGridCount; ++i)
        if (unitsEnabled && unitButtons[i]->isChecked())
            s.Units = TfrxDesignerUnits(i);
    for (int i = 0; i < checkCount; ++i)
        s.*checkFields[i].field = checks[i]->isChecked();
    for (int i = 0; i < fontCount; ++i) {
        s.*fontFields[i].family = fontNames[i]->currentText();
        s.*fontFields[i].size = fontSizes[i]->currentData().toInt();
    }
    for (int i = 0; i < swatchCount; ++i)
        s.*colorFields[i].field = swatches[i]->Color();
    s.BandsGap = bandsGap->value();
}

// The first grid size that is not usable is named to the operator, who stays in the dialog to
// correct it.
bool TfrxOptionsEditor::Private::confirm()
{
    for (int i = 0; i < gridCount; ++i) {
        if (!gridApplies(i) || typedGrid(i))
            continue;
        const GridField &f = gridFields[i];
        const QString message = TfrxReportServices::FillText(text("dsInvalidGridSize"),
                                                             {gridEdits[i]->text(), fieldName(f.caption),
                                                              zor::FloatText(f.range.Min),
                                                              zor::FloatText(f.range.Max), text(f.unit)});
        QMessageBox::warning(q, text("mbError"), message);
        gridEdits[i]->setFocus();
        gridEdits[i]->selectAll();
        return false;
    }
    return true;
}

TfrxOptionsEditor::TfrxOptionsEditor(const TfrxDesignerSettings &settings, bool unitsEnabled,
                                     bool showStartupVisible, QWidget *parent)
    : QDialog(parent), d(new Private{this, settings, unitsEnabled})
{
    setObjectName(QStringLiteral("TfrxOptionsEditor"));
    setWindowTitle(text("3000"));
    QGroupBox *grid = d->gridGroup();
    QGroupBox *other = d->otherGroup();
    QGroupBox *fonts = d->fontsGroup();
    QGroupBox *colors = d->colorsGroup();
    findChild<QCheckBox *>(QStringLiteral("ShowStartupCB"))->setVisible(showStartupVisible);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *restore = buttons->addButton(text("3031"), QDialogButtonBox::ResetRole);
    restore->setObjectName(QStringLiteral("RestoreB"));
    QPushButton *ok = buttons->addButton(text("1"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkB"));
    ok->setDefault(true);
    buttons->addButton(text("2"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("CancelB"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrxOptionsEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrxOptionsEditor::reject);
    connect(restore, &QPushButton::clicked, this, &TfrxOptionsEditor::restoreDefaults);

    // Groups side by side share their height; their rows stay at the top.
    for (QGroupBox *group : {grid, other, fonts, colors}) {
        auto *rows = static_cast<QGridLayout *>(group->layout());
        rows->setRowStretch(rows->rowCount(), 1);
    }
    auto *layout = new QGridLayout(this);
    layout->addWidget(grid, 0, 0);
    layout->addWidget(fonts, 0, 1);
    layout->addWidget(colors, 1, 0);
    layout->addWidget(other, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TfrxOptionsEditor::~TfrxOptionsEditor() = default;

TfrxDesignerSettings TfrxOptionsEditor::Settings() const
{
    TfrxDesignerSettings s = d->original;
    d->apply(s);
    return s;
}

bool TfrxOptionsEditor::RestoreDefaults() const
{
    return d->restore;
}

void TfrxOptionsEditor::accept()
{
    if (d->confirm())
        QDialog::accept();
}

void TfrxOptionsEditor::restoreDefaults()
{
    if (!d->confirm())
        return;
    d->restore = true;
    QDialog::accept();
}

// Compiled here rather than with the library's other meta-object code, so that this dialog links on
// its own.
#include "moc_TfrxOptionsEditor.cpp"
