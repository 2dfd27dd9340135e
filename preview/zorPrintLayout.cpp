#include "zorPrintLayout.h"

#include <QRegularExpression>

#include <cmath>
#include <optional>

namespace {

std::optional<int> integer(const QString &piece)
{
    bool ok = false;
    const int value = piece.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The sheets needed along one direction.
int sheetsAlong(double big, double small)
{
    if (small <= 0)
        return 1;
    const int n = int(big / small);
    if (std::abs(n * small - big) >= 11)
        return n + 1;
    return std::max(1, int(std::nearbyint(big / small)));
}

int pagesAlong(double page, double sheet)
{
    constexpr double tolerance = 1.0; // mm
    if (page <= 0)
        return 1;
    return std::max(1, int((sheet + tolerance) / page));
}

} // namespace

bool zorParsePageNumbers(const QString &text, QStringList &list, int total)
{
    list.clear();
    static const QRegularExpression blanks(QStringLiteral("\\s"));
    QString range = text;
    range.remove(blanks);
    if (range.isEmpty())
        return true;
    if (range.endsWith(u'-'))
        range += QString::number(total);
    QStringList pages;
    for (const QString &item : range.split(u',')) {
        const qsizetype dash = item.indexOf(u'-');
        const std::optional<int> first = integer(dash < 0 ? item : item.left(dash));
        const std::optional<int> last = dash < 0 ? first : integer(item.mid(dash + 1));
        if (!first || !last)
            return false;
        if (dash < 0) {
            pages << QString::number(*first);
            continue;
        }
        for (int page = std::max(*first, 1); page <= std::min(*last, total); ++page)
            pages << QString::number(page);
    }
    list = pages;
    return true;
}

TfrxSheetCount zorSplitPage(QSizeF page, QSizeF sheet)
{
    const TfrxSheetCount plain{sheetsAlong(page.width(), sheet.width()), sheetsAlong(page.height(), sheet.height()),
                               false};
    const TfrxSheetCount turned{sheetsAlong(page.width(), sheet.height()),
                                sheetsAlong(page.height(), sheet.width()), true};
    return turned.across * turned.down < plain.across * plain.down ? turned : plain;
}

TfrxSheetCount zorJoinPages(QSizeF page, QSizeF sheet)
{
    const TfrxSheetCount plain{pagesAlong(page.width(), sheet.width()), pagesAlong(page.height(), sheet.height()),
                               false};
    const TfrxSheetCount turned{pagesAlong(page.width(), sheet.height()), pagesAlong(page.height(), sheet.width()),
                                true};
    return turned.across * turned.down > plain.across * plain.down ? turned : plain;
}
