#include "TfrxFillEditorForm.h"

#include "TfrxBrushFill.h"
#include "TfrxColorPicker.h"
#include "TfrxGlassFill.h"
#include "TfrxGradientFill.h"
#include "TfrxResources.h"
#include "TfrxSampleView.h"
#include "zorDialogKit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QMetaEnum>
#include <QPainter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>

using namespace zor;

namespace {

QString Text(const char *key)
{
    return zorResources().Get(QLatin1String(key));
}

// A box of the values of an enumeration, captioned by the string table under their identifiers.
template <class Enum> QComboBox *EnumBox(const char *name, Enum current, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    const QMetaEnum values = QMetaEnum::fromType<Enum>();
    for (int i = 0; i < values.keyCount(); ++i)
        box->addItem(zorResources().Get(QLatin1String(values.key(i))), values.value(i));
    box->setCurrentIndex(box->findData(int(current)));
    return box;
}

TfrxColorPicker *ColorField(const char *name, int color, bool allowNone, QWidget *parent)
{
    auto *picker = new TfrxColorPicker(color, allowNone, parent);
    picker->setObjectName(QLatin1String(name));
    return picker;
}

} // namespace

struct TfrxFillEditorForm::Private
{
    explicit Private(TfrxFillEditorForm *form) : q(form) {}

    TfrxFillEditorForm *q;
    TfrxBrushFill Brush;
    TfrxGradientFill Gradient;
    TfrxGlassFill Glass;
    QTabWidget *Pages = nullptr;
    TfrxSampleView *Sample = nullptr;

    // The fill of each page, in the order of the fill types.
    TfrxCustomFill *PageFill(int page)
    {
        const std::array<TfrxCustomFill *, 3> fills{&Brush, &Gradient, &Glass};
        return fills.at(page);
    }
    QWidget *CreateBrushPage();
    QWidget *CreateGradientPage();
    QWidget *CreateGlassPage();
    // Keeps a value the operator set and shows it in the sample.
    template <class Fill, class Value> auto Setter(Fill &fill, void (Fill::*set)(Value))
    {
        return [this, &fill, set](Value value) {
            (fill.*set)(value);
            Sample->update();
        };
    }
    template <class Fill, class Enum> void Connect(QComboBox *box, Fill &fill, void (Fill::*set)(Enum))
    {
        connect(box, &QComboBox::activated, q, [this, box, &fill, set] {
            (fill.*set)(Enum(box->currentData().toInt()));
            Sample->update();
        });
    }
};

QWidget *TfrxFillEditorForm::Private::CreateBrushPage()
{
    auto *page = new QWidget(Pages);
    auto *back = ColorField("BackColor", Brush.BackColor(), true, page);
    auto *fore = ColorField("ForeColor", Brush.ForeColor(), false, page);
    auto *style = EnumBox("BrushStyle", Brush.Style(), page);
    connect(back, &TfrxColorPicker::ColorChosen, q, Setter(Brush, &TfrxBrushFill::SetBackColor));
    connect(fore, &TfrxColorPicker::ColorChosen, q, Setter(Brush, &TfrxBrushFill::SetForeColor));
    Connect(style, Brush, &TfrxBrushFill::SetStyle);
    auto *form = new QFormLayout(page);
    form->addRow(Text("6104"), back);
    form->addRow(Text("6105"), fore);
    form->addRow(Text("6106"), style);
    return page;
}

QWidget *TfrxFillEditorForm::Private::CreateGradientPage()
{
    auto *page = new QWidget(Pages);
    auto *start = ColorField("StartColor", Gradient.StartColor(), false, page);
    auto *end = ColorField("EndColor", Gradient.EndColor(), false, page);
    auto *style = EnumBox("GradientStyle", Gradient.GradientStyle(), page);
    connect(start, &TfrxColorPicker::ColorChosen, q, Setter(Gradient, &TfrxGradientFill::SetStartColor));
    connect(end, &TfrxColorPicker::ColorChosen, q, Setter(Gradient, &TfrxGradientFill::SetEndColor));
    Connect(style, Gradient, &TfrxGradientFill::SetGradientStyle);
    auto *form = new QFormLayout(page);
    form->addRow(Text("6107"), start);
    form->addRow(Text("6108"), end);
    form->addRow(Text("6109"), style);
    return page;
}

QWidget *TfrxFillEditorForm::Private::CreateGlassPage()
{
    auto *page = new QWidget(Pages);
    auto *color = ColorField("GlassColor", Glass.Color(), true, page);
    auto *blend = new QDoubleSpinBox(page);
    blend->setObjectName(QStringLiteral("Blend"));
    blend->setRange(0, 1);
    blend->setDecimals(2);
    blend->setSingleStep(0.05);
    blend->setValue(Glass.Blend());
    auto *orientation = EnumBox("Orientation", Glass.Orientation(), page);
    auto *hatch = new QCheckBox(Text("6113"), page);
    hatch->setObjectName(QStringLiteral("Hatch"));
    hatch->setChecked(Glass.Hatch());
    connect(color, &TfrxColorPicker::ColorChosen, q, Setter(Glass, &TfrxGlassFill::SetColor));
    connect(blend, &QDoubleSpinBox::valueChanged, q, Setter(Glass, &TfrxGlassFill::SetBlend));
    Connect(orientation, Glass, &TfrxGlassFill::SetOrientation);
    connect(hatch, &QCheckBox::toggled, q, Setter(Glass, &TfrxGlassFill::SetHatch));
    auto *form = new QFormLayout(page);
    form->addRow(Text("6110"), color);
    form->addRow(Text("6111"), blend);
    form->addRow(Text("6112"), orientation);
    form->addRow(QString(), hatch);
    return page;
}

TfrxFillEditorForm::TfrxFillEditorForm(const TfrxCustomFill *fill, QWidget *parent)
    : QDialog(parent), d(std::make_unique<Private>(this))
{
    setWindowTitle(Text("6100"));
    const int type = fill != nullptr ? int(fill->FillType()) : int(ftBrush);
    if (fill != nullptr)
        d->PageFill(type)->Assign(fill);
    d->Pages = new QTabWidget(this);
    d->Pages->setObjectName(QStringLiteral("Pages"));
    d->Pages->addTab(d->CreateBrushPage(), Text("6101"));
    d->Pages->addTab(d->CreateGradientPage(), Text("6102"));
    d->Pages->addTab(d->CreateGlassPage(), Text("6103"));
    d->Pages->setCurrentIndex(type);
    d->Sample = new TfrxSampleView(
        [this](QPainter &painter, const QRect &area) {
            const QRect box = area.adjusted(12, 10, -12, -10);
            d->PageFill(d->Pages->currentIndex())
                ->Draw(&painter, box.left(), box.top(), box.right() + 1, box.bottom() + 1, 1, 1);
        },
        QSize(240, 70), this);
    d->Sample->setObjectName(QStringLiteral("Sample"));
    connect(d->Pages, &QTabWidget::currentChanged, d->Sample, qOverload<>(&QWidget::update));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(d->Pages);
    layout->addWidget(d->Sample, 1);
    layout->addWidget(zorOkCancelButtons(this));
}

TfrxFillEditorForm::~TfrxFillEditorForm() = default;

std::unique_ptr<TfrxCustomFill> TfrxFillEditorForm::Fill() const
{
    const auto type = TfrxFillType(d->Pages->currentIndex());
    std::unique_ptr<TfrxCustomFill> fill(zorCreateFill(type));
    fill->Assign(d->PageFill(type));
    return fill;
}
