#include "zorTypes.h"

#include <cmath>
#include <limits>

namespace zor {

bool FloatDiff(double a, double b)
{
    return std::fabs(a - b) > 0.0001;
}

double Round8(double value)
{
    return std::nearbyint(value * 1e8) / 1e8;
}

int Nearest(double value)
{
    // Device coordinates far beyond any surface are clamped so that the conversion stays defined.
    constexpr double limit = 1e9;
    if (std::isnan(value))
        return 0;
    if (value > limit)
        return int(limit);
    if (value < -limit)
        return -int(limit);
    return int(std::nearbyint(value));
}

int MulDiv(int k, int d, int n)
{
    if (n == 0)
        return 0;
    return Nearest(double(qint64(k) * d) / n);
}

QColor ToQColor(int color)
{
    if (color == clTransparent)
        return {};
    const auto c = quint32(color);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QString BoolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString FloatText(double value)
{
    return QString::number(value, 'g', 15);
}

QString EscapeAttr(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (QChar ch : value) {
        switch (ch.unicode()) {
        case 0:
        case 10:
        case 13:
        case '"':
        case '&':
        case '<':
        case '>':
            out += QStringLiteral("&#%1;").arg(ch.unicode());
            break;
        default:
            out += ch;
        }
    }
    return out;
}

}  // namespace zor
