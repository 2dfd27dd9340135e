#include "TfrxColorButton.h"

#include "TfrxResources.h"
#include "zorTypes.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QWidgetAction>

namespace {

// The palette of the menu, four rows of four, as 0x00BBGGRR values.
const int standardColors[] = {
    0x000000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000080, 0x0000FF, 0x008080, 0x00FFFF,
    0x008000, 0x00FF00, 0x808000, 0xFFFF00, 0x800000, 0xFF0000, 0x800080, 0xFF00FF,
};

QIcon Swatch(int color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.setBrush(zor::ToQColor(color));
    painter.drawRect(1, 1, 13, 13);
    return QIcon(pixmap);
}

} // namespace

TfrxColorButton::TfrxColorButton(const QIcon &icon, const QString &hint, int color, QWidget *parent)
    : QToolButton(parent), FBaseIcon(icon), FColor(color)
{
    setToolTip(hint);
    setPopupMode(QToolButton::MenuButtonPopup);
    auto *menu = new QMenu(this);
    auto *grid = new QWidget(menu);
    auto *layout = new QGridLayout(grid);
    layout->setSpacing(2);
    layout->setContentsMargins(4, 4, 4, 4);
    for (int i = 0; i < int(std::size(standardColors)); ++i) {
        auto *button = new QToolButton(grid);
        button->setIcon(Swatch(standardColors[i]));
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, [this, menu, i] {
            menu->close();
            Choose(standardColors[i]);
        });
        layout->addWidget(button, i / 4, i % 4);
    }
    auto *gridAction = new QWidgetAction(menu);
    gridAction->setDefaultWidget(grid);
    menu->addAction(gridAction);
    menu->addAction(zorResources().Get(QStringLiteral("dsNoColor")), this, [this] { Choose(zor::clTransparent); });
    menu->addAction(zorResources().Get(QStringLiteral("dsColorOth")), this, &TfrxColorButton::ChooseOther);
    setMenu(menu);
    connect(this, &QToolButton::clicked, this, [this] { emit ColorChosen(FColor); });
    UpdateIcon();
}

void TfrxColorButton::SetColor(int color)
{
    FColor = color;
    UpdateIcon();
}

void TfrxColorButton::Choose(int color)
{
    SetColor(color);
    emit ColorChosen(color);
}

void TfrxColorButton::ChooseOther()
{
    const QColor chosen = QColorDialog::getColor(zor::ToQColor(FColor), this);
    if (chosen.isValid())
        Choose(zor::FromQColor(chosen));
}

void TfrxColorButton::UpdateIcon()
{
    QPixmap pixmap = FBaseIcon.pixmap(16, 16);
    if (pixmap.isNull()) {
        pixmap = QPixmap(16, 16);
        pixmap.fill(Qt::transparent);
    }
    QPainter painter(&pixmap);
    const QColor color = zor::ToQColor(FColor);
    if (color.isValid())
        painter.fillRect(1, 13, 14, 3, color);
    else
        painter.drawRect(1, 13, 13, 2);
    setIcon(QIcon(pixmap));
}
