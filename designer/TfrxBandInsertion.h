#pragma once

#include <QString>

class TfrxBand;
class TfrxPage;
struct QMetaObject;

// The band menu: the index of each band class (report title 0, report summary 1, page header 2,
// page footer 3, header 4, footer 5, master data 6, detail data 7, subdetail data 8, data levels 4
// to 6 as 9 to 11, group header 12, group footer 13, child 14, column header 15, column footer 16,
// overlay 17); the vertical-band submenu adds 100. None for an index out of the list.
const QMetaObject *zorBandClass(int index);

// Where new bands go and how high they are.
struct TfrxBandPlacement {
    double BandHeight = 0;       // one band height (wide, for a vertical band), in report pixels
    bool FreeBandsPlacement = false;
    double BandHeader = 0;       // the caption strip above a band
    double GridY = 1;            // rounding step under free placement
};

// Creates the band of the menu index on the page with a unique name: a horizontal band at Top
// 10000, so that the band layout puts it after the other middle bands, or, with free placement,
// below the lowest band (its bottom plus the band header plus 4 pixels, rounded to the grid).
TfrxBand *zorInsertBand(TfrxPage *page, int index, const TfrxBandPlacement &placement);
