#pragma once

#include <QList>

class TfrxBand;
class TfrxComponent;
class TfrxPage;

// How the designer stacks the bands of a page: the caption strip above each band, the gap
// between bands, the grid the tops are rounded to, and the extra gap that sets the top bands
// (page header, title, column header) and the bottom bands (page footer, summary, column footer)
// apart from the middle ones.
struct TfrxBandLayoutOptions
{
    double BandHeader = 0;
    double Gap = 4;
    double GridY = 1; // positive
    double ExtraGap = 0;
    // Bands stay where the operator put them; only their order is worked out.
    bool FreePlacement = false;
};

// Orders the horizontal bands of a page the way the report prints them and stacks them one below
// the other, and puts every view into the band under its top. Works on the page alone, without
// any widget.
class TfrxBandLayout
{
public:
    TfrxBandLayout(TfrxPage *page, const TfrxBandLayoutOptions &options);

    // The horizontal bands in their printed order: page header and title first (in the page's
    // order of the two), column header, the middle bands by their top, then column footer,
    // summary and page footer; every band followed directly by its chain of child bands.
    QList<TfrxBand *> OrderedBands() const;
    // Orders and (unless placement is free) stacks the bands; with attachObjects, every view of
    // the page or of a horizontal band goes into the band under its top, or onto the page.
    void Adjust(bool attachObjects);

    // Puts the bands of a list of objects first, keeping the relative order of the rest.
    static void PutBandsFirst(QList<TfrxComponent *> &objects);

private:
    void Stack(const QList<TfrxBand *> &bands) const;
    void AttachObjects(const QList<TfrxBand *> &bands) const;

    TfrxPage *FPage;
    TfrxBandLayoutOptions FOptions;
};
