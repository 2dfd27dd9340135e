#include "TfrxColorSwatch.h"

#include <QColorDialog>
#include <QPainter>

namespace {

// Wide enough to read as a colour sample rather than an icon.
constexpr QSize swatchSize(48, 16);

} // namespace

TfrxColorSwatch::TfrxColorSwatch(const QColor &color, const QString &caption, QWidget *parent)
    : QToolButton(parent), FColor(color), FCaption(caption)
{
    setToolTip(caption);
    setIconSize(swatchSize);
    setAutoRaise(false);
    paintSwatch();
    connect(this, &QToolButton::clicked, this, &TfrxColorSwatch::choose);
}

void TfrxColorSwatch::SetColor(const QColor &color)
{
    FColor = color;
    paintSwatch();
}

void TfrxColorSwatch::choose()
{
    const QColor shown = FColor.isValid() ? FColor : palette().color(QPalette::Base);
    const QColor chosen = QColorDialog::getColor(shown, this, FCaption);
    if (chosen.isValid())
        SetColor(chosen);
}

void TfrxColorSwatch::paintSwatch()
{
    QPixmap pixmap(swatchSize * devicePixelRatioF());
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    pixmap.fill(FColor.isValid() ? FColor : palette().color(QPalette::Base));
    QPainter painter(&pixmap);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(QRectF(QPointF(0, 0), QSizeF(swatchSize)).adjusted(0, 0, -1, -1));
    painter.end();
    setIcon(QIcon(pixmap));
}

// Compiled here rather than with the library's other meta-object code, so that the swatch links on
// its own.
#include "moc_TfrxColorSwatch.cpp"
