#pragma once
// Alignment of text inside a text object's rectangle. Shared by the layout engine and the text
// object's published properties, so the enumerations carry meta-object information.
#include <QObject>

namespace zorTextAlign {
Q_NAMESPACE

enum TfrxHAlign { haLeft = 0, haRight = 1, haCenter = 2, haBlock = 3 };
Q_ENUM_NS(TfrxHAlign)

enum TfrxVAlign { vaTop = 0, vaBottom = 1, vaCenter = 2 };
Q_ENUM_NS(TfrxVAlign)
} // namespace zorTextAlign

using zorTextAlign::haBlock;
using zorTextAlign::haCenter;
using zorTextAlign::haLeft;
using zorTextAlign::haRight;
using zorTextAlign::TfrxHAlign;
using zorTextAlign::TfrxVAlign;
using zorTextAlign::vaBottom;
using zorTextAlign::vaCenter;
using zorTextAlign::vaTop;
