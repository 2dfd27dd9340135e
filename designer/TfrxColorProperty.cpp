#include "TfrxColorProperty.h"

#include "TfrxCustomDesigner.h"
#include "zorTypes.h"

#include <QApplication>
#include <QColorDialog>
#include <QPainter>
#include <QPalette>

namespace {

// System colours are stored as the platform's code: this bit plus the colour's index.
constexpr quint32 systemColor = 0xFF000000;

constexpr int SystemColor(int index)
{
    return int(systemColor | quint32(index));
}

constexpr TfrxIdent colors[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clTransparent", zor::clTransparent},
    {"clNone", zor::clTransparent},
    {"clScrollBar", SystemColor(0)},
    {"clBackground", SystemColor(1)},
    {"clActiveCaption", SystemColor(2)},
    {"clInactiveCaption", SystemColor(3)},
    {"clMenu", SystemColor(4)},
    {"clWindow", SystemColor(5)},
    {"clWindowFrame", SystemColor(6)},
    {"clMenuText", SystemColor(7)},
    {"clWindowText", SystemColor(8)},
    {"clCaptionText", SystemColor(9)},
    {"clActiveBorder", SystemColor(10)},
    {"clInactiveBorder", SystemColor(11)},
    {"clAppWorkSpace", SystemColor(12)},
    {"clHighlight", SystemColor(13)},
    {"clHighlightText", SystemColor(14)},
    {"clBtnFace", SystemColor(15)},
    {"clBtnShadow", SystemColor(16)},
    {"clGrayText", SystemColor(17)},
    {"clBtnText", SystemColor(18)},
    {"clInactiveCaptionText", SystemColor(19)},
    {"clBtnHighlight", SystemColor(20)},
    {"cl3DDkShadow", SystemColor(21)},
    {"cl3DLight", SystemColor(22)},
    {"clInfoText", SystemColor(23)},
    {"clInfoBk", SystemColor(24)},
};

// The palette role that stands for each system colour, by its index.
constexpr QPalette::ColorRole systemRoles[] = {
    QPalette::Mid,
    QPalette::Window,
    QPalette::Highlight,
    QPalette::Midlight,
    QPalette::Window,
    QPalette::Base,
    QPalette::Shadow,
    QPalette::WindowText,
    QPalette::Text,
    QPalette::HighlightedText,
    QPalette::Window,
    QPalette::Window,
    QPalette::Dark,
    QPalette::Highlight,
    QPalette::HighlightedText,
    QPalette::Button,
    QPalette::Dark,
    QPalette::PlaceholderText,
    QPalette::ButtonText,
    QPalette::WindowText,
    QPalette::Light,
    QPalette::Shadow,
    QPalette::Midlight,
    QPalette::ToolTipText,
    QPalette::ToolTipBase,
};

} // namespace

TfrxPropertyAttributes TfrxColorProperty::GetAttributes() const
{
    return paValueList | paMultiSelect | paOwnerDraw;
}

std::span<const TfrxIdent> TfrxColorProperty::Idents() const
{
    return colors;
}

QString TfrxColorProperty::NumberText(int value) const
{
    return QStringLiteral("$%1").arg(quint32(value), 8, 16, QLatin1Char('0')).toUpper();
}

QColor TfrxColorProperty::ScreenColor(int value)
{
    const auto code = quint32(value);
    if ((code & systemColor) == systemColor) {
        const quint32 index = code & 0xFF;
        return index < std::size(systemRoles) ? QApplication::palette().color(systemRoles[index]) : QColor();
    }
    return zor::ToQColor(value);
}

bool TfrxColorProperty::ValueOfName(const QString &name, int &value)
{
    for (const TfrxIdent &ident : colors) {
        if (name.compare(QLatin1StringView(ident.Name), Qt::CaseInsensitive) == 0) {
            value = ident.Value;
            return true;
        }
    }
    return false;
}

bool TfrxColorProperty::Edit()
{
    const QColor chosen = QColorDialog::getColor(ScreenColor(GetOrdValue()), Designer().DialogParent());
    if (chosen.isValid())
        SetOrdValue(zor::FromQColor(chosen));
    return false;
}

void TfrxColorProperty::DrawSwatch(QPainter &painter, const QRect &rect, int value, const QString &text) const
{
    const int side = rect.height() - 4;
    const QRect swatch(rect.left() + 2, rect.top() + 2, side, side);
    const QColor color = ScreenColor(value);
    painter.save();
    painter.setPen(painter.pen().color());
    painter.setBrush(color.isValid() ? QBrush(color) : QBrush(Qt::white, Qt::DiagCrossPattern));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    painter.restore();
    painter.drawText(rect.adjusted(side + 6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
}

void TfrxColorProperty::OnDrawLBItem(QPainter &painter, const QRect &rect, int index, bool)
{
    int value = 0;
    if (ValueOfName(Values.value(index), value))
        DrawSwatch(painter, rect, value, Values.value(index));
}

void TfrxColorProperty::OnDrawItem(QPainter &painter, const QRect &rect)
{
    DrawSwatch(painter, rect, GetOrdValue(), GetValue());
}

int TfrxColorProperty::GetExtraLBSize() const
{
    return ItemHeight + 2;
}
