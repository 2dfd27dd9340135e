#include "TfrxFrameEditorForm.h"

#include "TfrxColorPicker.h"
#include "TfrxFrame.h"
#include "TfrxFrameLine.h"
#include "TfrxResources.h"
#include "TfrxSampleView.h"
#include "zorDesignerIcons.h"
#include "zorDialogKit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLocale>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

using namespace zor;

namespace {

QString Text(const char *key)
{
    return zorResources().Get(QLatin1String(key));
}

// The line switches, in the order of their buttons.
struct SideButton
{
    const char *Name;
    const char *Icon;
    const char *Hint;
    TfrxFrameType Side;
    TfrxFrameLine *(TfrxFrame::*Line)() const;
};

const SideButton sideButtons[] = {
    {"TopLine", "frameTop", "2338", ftTop, &TfrxFrame::TopLine},
    {"BottomLine", "frameBottom", "2339", ftBottom, &TfrxFrame::BottomLine},
    {"LeftLine", "frameLeft", "2340", ftLeft, &TfrxFrame::LeftLine},
    {"RightLine", "frameRight", "2341", ftRight, &TfrxFrame::RightLine},
};

const TfrxFrameTypes allSides = ftLeft | ftRight | ftTop | ftBottom;

const double offeredWidths[] = {0.1, 0.5, 1, 1.5, 2, 3, 4, 5};

// A line of the style, drawn by the frame itself so that it looks as it prints.
QIcon StyleSample(TfrxFrameStyle style, QSize size, qreal ratio)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    TfrxFrame frame;
    frame.SetTyp(ftTop);
    frame.SetStyle(style);
    frame.SetWidth(style == fsDouble ? 1 : 2);
    const int y = size.height() / 2;
    frame.Draw(&painter, 2, y, size.width() - 2, y + 1, 1, 1);
    return QIcon(pixmap);
}

} // namespace

struct TfrxFrameEditorForm::Private
{
    explicit Private(TfrxFrameEditorForm *form) : q(form) {}

    TfrxFrameEditorForm *q;
    TfrxFrame Frame;
    QList<QToolButton *> SideSwitches;
    QComboBox *Style = nullptr;
    TfrxColorPicker *Color = nullptr;
    QComboBox *Width = nullptr;
    QGroupBox *Shadow = nullptr;
    QDoubleSpinBox *ShadowWidth = nullptr;
    TfrxColorPicker *ShadowColor = nullptr;
    TfrxSampleView *Sample = nullptr;

    QWidget *CreateLinesBox();
    QWidget *CreateLineBox();
    QWidget *CreateShadowBox();
    void PaintSample(QPainter &painter, const QRect &area) const;

    void SetSides(TfrxFrameTypes sides);
    QList<TfrxFrameLine *> ChosenLines() const;
    // Applies a change to the chosen lines, or to the frame as a whole.
    template <class Value>
    void ApplyToLines(void (TfrxFrame::*frameSetter)(Value), void (TfrxFrameLine::*lineSetter)(Value),
                      Value value);
    void ShowLineValues();
    void SelectWidth(double width);
    void Changed() const { Sample->update(); }
};

QWidget *TfrxFrameEditorForm::Private::CreateLinesBox()
{
    auto *box = new QGroupBox(Text("5201"), q);
    auto *buttons = new QHBoxLayout;
    const auto addButton = [&](const char *name, const char *icon, const char *hint) {
        auto *button = new QToolButton(box);
        button->setObjectName(QLatin1String(name));
        button->setIcon(zorDesignerIcon(icon));
        button->setToolTip(Text(hint));
        button->setAutoRaise(true);
        buttons->addWidget(button);
        return button;
    };
    connect(addButton("AllLines", "frameAll", "2342"), &QToolButton::clicked, q,
            [this] { SetSides(allSides); });
    connect(addButton("NoLines", "frameNone", "2343"), &QToolButton::clicked, q, [this] { SetSides({}); });
    for (const SideButton &side : sideButtons) {
        QToolButton *button = addButton(side.Name, side.Icon, side.Hint);
        button->setCheckable(true);
        button->setChecked(Frame.Typ().testFlag(side.Side));
        connect(button, &QToolButton::toggled, q, [this, s = side.Side](bool on) {
            TfrxFrameTypes sides = Frame.Typ();
            sides.setFlag(s, on);
            SetSides(sides);
        });
        SideSwitches.append(button);
    }
    buttons->addStretch();
    Sample = new TfrxSampleView([this](QPainter &painter, const QRect &area) { PaintSample(painter, area); },
                                QSize(180, 120), box);
    Sample->setObjectName(QStringLiteral("Sample"));
    auto *layout = new QVBoxLayout(box);
    layout->addLayout(buttons);
    layout->addWidget(Sample, 1);
    return box;
}

QWidget *TfrxFrameEditorForm::Private::CreateLineBox()
{
    auto *box = new QGroupBox(Text("5202"), q);
    Style = new QComboBox(box);
    Style->setObjectName(QStringLiteral("LineStyle"));
    Style->setIconSize(QSize(64, 12));
    for (int style = fsSolid; style <= fsSquare; ++style)
        Style->addItem(StyleSample(TfrxFrameStyle(style), Style->iconSize(), q->devicePixelRatioF()),
                       QString(), style);
    Color = new TfrxColorPicker(clBlack, true, box);
    Color->setObjectName(QStringLiteral("LineColor"));
    Width = new QComboBox(box);
    Width->setObjectName(QStringLiteral("LineWidth"));
    for (double width : offeredWidths)
        Width->addItem(QLocale().toString(width), width);
    ShowLineValues();

    connect(Style, &QComboBox::activated, q, [this] {
        ApplyToLines(&TfrxFrame::SetStyle, &TfrxFrameLine::SetStyle,
                     TfrxFrameStyle(Style->currentData().toInt()));
    });
    connect(Color, &TfrxColorPicker::ColorChosen, q,
            [this](int color) { ApplyToLines(&TfrxFrame::SetColor, &TfrxFrameLine::SetColor, color); });
    connect(Width, &QComboBox::activated, q, [this] {
        ApplyToLines(&TfrxFrame::SetWidth, &TfrxFrameLine::SetWidth, Width->currentData().toDouble());
    });

    auto *form = new QFormLayout(box);
    form->addRow(Text("5211"), Style);
    form->addRow(Text("5214"), Color);
    form->addRow(Text("5215"), Width);
    return box;
}

QWidget *TfrxFrameEditorForm::Private::CreateShadowBox()
{
    Shadow = new QGroupBox(Text("5203"), q);
    Shadow->setObjectName(QStringLiteral("Shadow"));
    Shadow->setCheckable(true);
    Shadow->setChecked(Frame.DropShadow());
    ShadowWidth = new QDoubleSpinBox(Shadow);
    ShadowWidth->setObjectName(QStringLiteral("ShadowWidth"));
    ShadowWidth->setDecimals(1);
    ShadowWidth->setSingleStep(1);
    // A template may hold a wider shadow than the box offers; it stays unless the box is used.
    const double width = std::isfinite(Frame.ShadowWidth()) ? Frame.ShadowWidth() : 4;
    ShadowWidth->setRange(std::min(0.5, width), std::max(20.0, width));
    ShadowWidth->setValue(width);
    ShadowColor = new TfrxColorPicker(Frame.ShadowColor(), false, Shadow);
    ShadowColor->setObjectName(QStringLiteral("ShadowColor"));

    connect(Shadow, &QGroupBox::toggled, q, [this](bool on) {
        Frame.SetDropShadow(on);
        Changed();
    });
    connect(ShadowWidth, &QDoubleSpinBox::valueChanged, q, [this](double value) {
        Frame.SetShadowWidth(value);
        Changed();
    });
    connect(ShadowColor, &TfrxColorPicker::ColorChosen, q, [this](int color) {
        Frame.SetShadowColor(color);
        Changed();
    });

    auto *form = new QFormLayout(Shadow);
    form->addRow(Text("5216"), ShadowWidth);
    form->addRow(Text("5214"), ShadowColor);
    return Shadow;
}

// The frame around a box with a faint outline, so that lines switched off still show where they
// would be.
void TfrxFrameEditorForm::Private::PaintSample(QPainter &painter, const QRect &area) const
{
    const QRect box = area.adjusted(24, 20, -24, -20);
    painter.setPen(QPen(q->palette().color(QPalette::Mid), 1, Qt::DotLine));
    painter.drawRect(box);
    const int shadow = Frame.DropShadow() ? int(std::lround(std::min(Frame.ShadowWidth(), 20.0))) : 0;
    Frame.Draw(&painter, box.left(), box.top(), box.right() + 1 - shadow, box.bottom() + 1 - shadow, 1, 1);
}

void TfrxFrameEditorForm::Private::SetSides(TfrxFrameTypes sides)
{
    Frame.SetTyp(sides);
    for (int i = 0; i < SideSwitches.size(); ++i) {
        const QSignalBlocker blocker(SideSwitches[i]);
        SideSwitches[i]->setChecked(sides.testFlag(sideButtons[i].Side));
    }
    ShowLineValues();
    Changed();
}

QList<TfrxFrameLine *> TfrxFrameEditorForm::Private::ChosenLines() const
{
    QList<TfrxFrameLine *> lines;
    if (Frame.Typ() == allSides)
        return lines;
    for (const SideButton &side : sideButtons) {
        if (Frame.Typ().testFlag(side.Side))
            lines.append((Frame.*side.Line)());
    }
    return lines;
}

template <class Value>
void TfrxFrameEditorForm::Private::ApplyToLines(void (TfrxFrame::*frameSetter)(Value),
                                                void (TfrxFrameLine::*lineSetter)(Value), Value value)
{
    const QList<TfrxFrameLine *> lines = ChosenLines();
    if (lines.isEmpty())
        (Frame.*frameSetter)(value);
    for (TfrxFrameLine *line : lines)
        (line->*lineSetter)(value);
    Changed();
}

void TfrxFrameEditorForm::Private::ShowLineValues()
{
    const QList<TfrxFrameLine *> lines = ChosenLines();
    const TfrxFrameLine *line = lines.value(0);
    Style->setCurrentIndex(Style->findData(int(line != nullptr ? line->Style() : Frame.Style())));
    Color->SetColor(line != nullptr ? line->Color() : Frame.Color());
    SelectWidth(line != nullptr ? line->Width() : Frame.Width());
}

// A width the list does not offer (read from a template) is added in its place.
void TfrxFrameEditorForm::Private::SelectWidth(double width)
{
    int index = 0;
    while (index < Width->count() && Width->itemData(index).toDouble() < width)
        ++index;
    if (index == Width->count() || std::abs(Width->itemData(index).toDouble() - width) > 1e-9)
        Width->insertItem(index, QLocale().toString(width), width);
    Width->setCurrentIndex(index);
}

TfrxFrameEditorForm::TfrxFrameEditorForm(const TfrxFrame &frame, QWidget *parent)
    : QDialog(parent), d(std::make_unique<Private>(this))
{
    d->Frame.Assign(&frame);
    setWindowTitle(Text("5200"));
    auto *side = new QVBoxLayout;
    side->addWidget(d->CreateLineBox());
    side->addWidget(d->CreateShadowBox());
    side->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(d->CreateLinesBox(), 1);
    top->addLayout(side);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(zorOkCancelButtons(this));
}

TfrxFrameEditorForm::~TfrxFrameEditorForm() = default;

const TfrxFrame &TfrxFrameEditorForm::Frame() const
{
    return d->Frame;
}
