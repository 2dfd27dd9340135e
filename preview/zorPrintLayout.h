#pragma once

#include <QSizeF>
#include <QStringList>

// Page selection and sheet arithmetic of printing.

// Fills `list` with the page numbers that a range text names, as texts, in the order written:
// "1,3-5", "2-" (to the last page), blanks ignored; an empty text gives an empty list (all pages).
// A range a-b adds only the pages that exist (max(a, 1) .. min(b, total)); a single number beyond
// the report stays in the list and is skipped when printing. Returns false, with an empty list,
// when a piece is not an integer (",5", "-5", "x").
bool zorParsePageNumbers(const QString &text, QStringList &list, int total);

// How many sheets of `sheet` size a page of `page` size needs across and down (a split page).
// Each count is the truncated quotient, one more when the rest is at least 11 mm, else the
// rounded quotient. `turned` tells that the sheet turned by 90 degrees needs fewer sheets.
struct TfrxSheetCount
{
    int across = 1;
    int down = 1;
    bool turned = false;
};
TfrxSheetCount zorSplitPage(QSizeF page, QSizeF sheet);

// How many whole pages of `page` size fit on one `sheet` across and down (joined pages): the
// truncated quotients, allowing about 1 mm, at least one each; `turned` tells that the turned
// sheet holds more.
TfrxSheetCount zorJoinPages(QSizeF page, QSizeF sheet);
