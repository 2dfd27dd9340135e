#pragma once

#include <QPointF>
#include <QString>
#include <QTransform>

// How one printer is fitted to the pre-printed blank: every printer shifts and scales the paper a
// little, each its own way. The correction belongs to the workstation's printer, not to a
// template, so it lives in the user's settings and is applied to every page printed on that
// printer, never to the preview or to exported files.
//
// Kept in the per-user settings file "Tervane/Printers.conf" (QSettings, organisation "Tervane",
// application "Printers"): one section per printer name with the keys OffsetX and OffsetY
// (millimetres, positive to the right and down) and Scale (per cent). A printer without a
// section prints unchanged.
struct TfrxPrinterCalibration
{
    static constexpr double maxOffset = 20; // mm, either way
    static constexpr double minScale = 95;  // per cent
    static constexpr double maxScale = 105;

    double OffsetX = 0;
    double OffsetY = 0;
    // About the paper's top-left corner, so that the offsets are read off near that corner.
    double Scale = 100;

    bool operator==(const TfrxPrinterCalibration &) const = default;
    bool IsIdentity() const { return *this == TfrxPrinterCalibration{}; }
    // Within the limits, the offsets to 0.1 mm and the scale to 0.1 %; what is not a number is 0
    // (offsets) or 100 (scale).
    TfrxPrinterCalibration Bounded() const;
    // Maps device pixels measured from the paper's top-left corner to the corrected ones.
    QTransform DeviceTransform(QPointF dpi) const;

    // The correction stored for a printer; the identity when none is.
    static TfrxPrinterCalibration Load(const QString &printer);
    // Stores it (an identity removes the printer's section); false when the settings cannot be
    // written.
    static bool Save(const QString &printer, const TfrxPrinterCalibration &calibration);
};
