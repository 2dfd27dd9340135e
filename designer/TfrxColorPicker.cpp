#include "TfrxColorPicker.h"

#include "TfrxResources.h"
#include "zorTypes.h"

#include <QColorDialog>
#include <QEvent>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QWidgetAction>

#include <iterator>

namespace {

// The sixteen basic colours, four rows of four, as 0x00BBGGRR values.
const int basicColors[] = {
    0x000000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000080, 0x0000FF, 0x008080, 0x00FFFF,
    0x008000, 0x00FF00, 0x808000, 0xFFFF00, 0x800000, 0xFF0000, 0x800080, 0xFF00FF,
};

// Wide enough to read as a colour sample rather than an icon.
constexpr QSize swatchSize(40, 14);

QPixmap Swatch(int color, QSize size, qreal ratio, const QPalette &palette)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    const QColor fill = zor::ToQColor(color);
    pixmap.fill(fill.isValid() ? fill : palette.color(QPalette::Base));
    QPainter painter(&pixmap);
    const QRectF edge = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawRect(edge);
    if (!fill.isValid())
        painter.drawLine(edge.bottomLeft(), edge.topRight());
    return pixmap;
}

} // namespace

TfrxColorPicker::TfrxColorPicker(int color, bool allowNone, QWidget *parent)
    : QToolButton(parent), FColor(color)
{
    setPopupMode(QToolButton::InstantPopup);
    setIconSize(swatchSize);
    auto *menu = new QMenu(this);
    auto *grid = new QWidget(menu);
    auto *layout = new QGridLayout(grid);
    layout->setSpacing(2);
    layout->setContentsMargins(4, 4, 4, 4);
    for (int i = 0; i < int(std::size(basicColors)); ++i) {
        auto *button = new QToolButton(grid);
        button->setIcon(Swatch(basicColors[i], QSize(14, 14), devicePixelRatioF(), palette()));
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, [this, menu, i] {
            menu->close();
            Choose(basicColors[i]);
        });
        layout->addWidget(button, i / 4, i % 4);
    }
    auto *gridAction = new QWidgetAction(menu);
    gridAction->setDefaultWidget(grid);
    menu->addAction(gridAction);
    if (allowNone)
        menu->addAction(zorResources().Get(QStringLiteral("dsNoColor")), this,
                        [this] { Choose(zor::clTransparent); });
    menu->addAction(zorResources().Get(QStringLiteral("dsColorOth")), this, &TfrxColorPicker::ChooseOther);
    setMenu(menu);
    UpdateSwatch();
}

void TfrxColorPicker::SetColor(int color)
{
    FColor = color;
    UpdateSwatch();
}

void TfrxColorPicker::changeEvent(QEvent *event)
{
    QToolButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        UpdateSwatch();
}

void TfrxColorPicker::Choose(int color)
{
    SetColor(color);
    emit ColorChosen(color);
}

void TfrxColorPicker::ChooseOther()
{
    const QColor current = zor::ToQColor(FColor);
    const QColor chosen = QColorDialog::getColor(current.isValid() ? current : Qt::white, this);
    if (chosen.isValid())
        Choose(zor::FromQColor(chosen));
}

void TfrxColorPicker::UpdateSwatch()
{
    setIcon(Swatch(FColor, swatchSize, devicePixelRatioF(), palette()));
}
