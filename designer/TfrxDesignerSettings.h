#pragma once

#include "zorDesignerUnits.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>

class QSettings;

// The designer's preferences and window layout, kept between sessions in the report's settings
// store (section "Form5.TfrxDesignerForm" and its neighbours). Values read from the store are
// checked: a grid step, a scale, a font size or a gap that is not a positive finite number (or
// out of its range) takes its default, so nothing unusable ever reaches the workspace.
struct TfrxDesignerSettings
{
    // The values a number may take. Anything outside (0, negative, NaN, a huge value from a
    // damaged store) would break snapping, band stacking or drawing, so it is refused.
    struct Range
    {
        double Min;
        double Max;
        // False for NaN too.
        constexpr bool Contains(double value) const { return value >= Min && value <= Max; }
    };
    static constexpr Range ScaleRange{0.01, 20};
    // Grid steps in their own units: centimetres, inches, and pixels (Grid3 and Grid4).
    static constexpr Range CmGridRange{0.01, 25};
    static constexpr Range InchGridRange{0.01, 10};
    static constexpr Range PixelGridRange{0.1, 1000};
    static constexpr Range FontSizeRange{5, 72};
    static constexpr Range BandsGapRange{0, 100};

    double Scale = 1;
    bool ShowGrid = true;
    bool GridAlign = true;
    bool ShowRulers = true;
    bool ShowGuides = true;
    // Grid steps: centimetres, inches, pixels, dialog pages.
    double Grid1 = 0.1;
    double Grid2 = 0.1;
    double Grid3 = 4;
    double Grid4 = 4;
    TfrxDesignerUnits Units = duCM;
    QString ScriptFontName = QStringLiteral("Courier New");
    int ScriptFontSize = 10;
    QString MemoFontName = QStringLiteral("Arial");
    int MemoFontSize = 10;
    bool UseObjectFont = true;
    QColor WorkspaceColor; // invalid: the system window colour
    QColor ToolsColor;     // invalid: the system window colour
    bool GridLCD = false;
    bool EditAfterInsert = false;
    bool LocalizedOI = false;
    QStringList RecentFiles; // oldest first
    bool FreeBands = false;
    int BandsGap = 4;
    bool ShowBandCaptions = true;
    bool DropFields = true;
    bool ShowStartup = true;
    QStringList WatchList;
    // The object inspector's splitters ("Form5.TfrxObjectInspector"); 0: not stored yet.
    int InspectorSplitPos = 0;
    int InspectorSplit1Pos = 65;
    // The window's geometry and its dock and toolbar layout, in the window framework's own form;
    // empty: the built-in layout.
    QByteArray WindowGeometry;
    QByteArray WindowState;
    bool Maximized = true;

    // The built-in default layout: what a first start, "Restore defaults" and an unreadable store
    // give (the text editor opens after inserting, the window is maximised).
    static TfrxDesignerSettings Defaults();
    // Reads the store. When it holds no Scale, its WorkspaceColor is 0, or reading fails, the
    // built-in defaults are returned and *usedDefaults is set.
    static TfrxDesignerSettings Read(QSettings &store, bool *usedDefaults = nullptr);
    // Writes every value: colours as the platform's 0x00BBGGRR numbers (one that follows the
    // system as the platform's code of the system window colour), floats with a decimal point,
    // the recent files one quoted entry per name, the window layout as hexadecimal text.
    void Write(QSettings &store) const;

    bool operator==(const TfrxDesignerSettings &) const = default;

    // The grid step of the units, in report pixels; on a character grid the cell's width, or its
    // height when vertical.
    double GridStep(TfrxDesignerUnits units, bool vertical = false) const;
};
