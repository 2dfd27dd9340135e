#include "zorDataTreeIcons.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace {

// A badge: a rounded square of a colour with a letter on it.
struct Badge
{
    TfrxDataTreeIcon kind;
    QChar letter;
    QRgb color;
};

const Badge badges[] = {
    {TfrxDataTreeIcon::NumericField, u'#', 0x2F6DB5}, {TfrxDataTreeIcon::StringField, u'A', 0x3C8D40},
    {TfrxDataTreeIcon::BooleanField, u'B', 0xC7791B}, {TfrxDataTreeIcon::DateTimeField, u'D', 0x7E4FA8},
    {TfrxDataTreeIcon::Variable, u'x', 0x1D8A8A},     {TfrxDataTreeIcon::Function, u'f', 0xA83A32},
    {TfrxDataTreeIcon::Class, u'C', 0x4D5B6B},        {TfrxDataTreeIcon::Property, u'P', 0x2F6DB5},
    {TfrxDataTreeIcon::Event, u'E', 0xC7791B},        {TfrxDataTreeIcon::Method, u'M', 0xA83A32},
};

QPixmap badgePixmap(const Badge &badge, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(size * 0.06, size * 0.06, size * 0.88, size * 0.88);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(badge.color));
    p.drawRoundedRect(box, size * 0.18, size * 0.18);
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPixelSize(int(size * 0.72));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, QString(badge.letter));
    return pixmap;
}

// A data set: a small table with a header row.
QPixmap tablePixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const double unit = size / 16.0;
    const QRectF table(1.5 * unit, 2.5 * unit, 13 * unit, 11 * unit);
    p.fillRect(table, Qt::white);
    p.fillRect(QRectF(table.left(), table.top(), table.width(), 3 * unit), QColor(0x2F6DB5));
    p.setPen(QPen(QColor(0x2F4F7A), unit));
    p.drawRect(table);
    for (int row = 1; row <= 2; ++row)
        p.drawLine(QPointF(table.left(), table.top() + (3 + row * 2.7) * unit),
                   QPointF(table.right(), table.top() + (3 + row * 2.7) * unit));
    p.drawLine(QPointF(table.center().x(), table.top()), QPointF(table.center().x(), table.bottom()));
    return pixmap;
}

QIcon makeIcon(TfrxDataTreeIcon kind)
{
    if (kind == TfrxDataTreeIcon::Category)
        return QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    QIcon icon;
    for (const int size : {16, 32}) {
        if (kind == TfrxDataTreeIcon::DataSet) {
            icon.addPixmap(tablePixmap(size));
            continue;
        }
        for (const Badge &badge : badges)
            if (badge.kind == kind)
                icon.addPixmap(badgePixmap(badge, size));
    }
    return icon;
}

} // namespace

QIcon zorDataTreeIcon(TfrxDataTreeIcon kind)
{
    static QHash<int, QIcon> made;
    auto found = made.find(int(kind));
    if (found == made.end())
        found = made.insert(int(kind), makeIcon(kind));
    return *found;
}
