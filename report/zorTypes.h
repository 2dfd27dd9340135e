#pragma once

#include <QObject>
#include <QColor>

// Enumerations, sets and unit constants shared by the report object model. They live in one
// namespace with Qt's meta-object data so that properties of every report class can be read and
// written by the identifiers of their values ("haCenter", "poLandscape", ...).
namespace zor {
Q_NAMESPACE

// Report units are screen pixels at 96 per inch.
inline constexpr double fr01cm = 3.77953;
inline constexpr double fr1cm = 37.7953;
inline constexpr double fr01in = 9.6;
inline constexpr int fr1in = 96;
inline constexpr double fr1CharX = 9.6;
inline constexpr int fr1CharY = 17;

// Colours are 0x00BBGGRR values; this one means "no colour".
inline constexpr int clTransparent = 0x1FFFFFFF;
inline constexpr int clBlack = 0;
inline constexpr int clWhite = 16777215;
inline constexpr int clGray = 8421504;
inline constexpr int clSilver = 12632256;
inline constexpr int clRed = 255;

enum TfrxAlign { baNone, baLeft, baRight, baCenter, baWidth, baBottom, baClient };
Q_ENUM_NS(TfrxAlign)

enum TfrxShiftMode { smDontShift, smAlways, smWhenOverlapped };
Q_ENUM_NS(TfrxShiftMode)

enum TfrxStretchMode { smDontStretch, smActualHeight, smMaxHeight };
Q_ENUM_NS(TfrxStretchMode)

enum TfrxRestriction { rfDontModify = 1, rfDontSize = 2, rfDontMove = 4, rfDontDelete = 8, rfDontEdit = 16 };
Q_DECLARE_FLAGS(TfrxRestrictions, TfrxRestriction)
Q_FLAG_NS(TfrxRestrictions)

enum TfrxComponentStyleFlag {
    csContainer = 1,
    csPreviewVisible = 2,
    csDefaultDiff = 4,
    csHandlesNestedProperties = 8
};
Q_DECLARE_FLAGS(TfrxComponentStyle, TfrxComponentStyleFlag)
Q_FLAG_NS(TfrxComponentStyle)

enum TfrxFrameStyle { fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble, fsAltDot, fsSquare };
Q_ENUM_NS(TfrxFrameStyle)

enum TfrxFrameType { ftLeft = 1, ftRight = 2, ftTop = 4, ftBottom = 8 };
Q_DECLARE_FLAGS(TfrxFrameTypes, TfrxFrameType)
Q_FLAG_NS(TfrxFrameTypes)

enum TfrxFillType { ftBrush, ftGradient, ftGlass };
Q_ENUM_NS(TfrxFillType)

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
Q_ENUM_NS(TBrushStyle)

enum TfrxGradientStyle { gsHorizontal, gsVertical, gsElliptic, gsRectangle, gsVertCenter, gsHorizCenter };
Q_ENUM_NS(TfrxGradientStyle)

enum TfrxFillOrientation { foVertical, foHorizontal, foVerticalMirror, foHorizontalMirror };
Q_ENUM_NS(TfrxFillOrientation)

enum TfrxVisibilityType { vsPreview = 1, vsExport = 2, vsPrint = 4 };
Q_DECLARE_FLAGS(TfrxVisibilityTypes, TfrxVisibilityType)
Q_FLAG_NS(TfrxVisibilityTypes)

enum TfrxHyperlinkKind { hkURL, hkAnchor, hkPageNumber, hkDetailReport, hkDetailPage, hkCustom };
Q_ENUM_NS(TfrxHyperlinkKind)

enum TfrxShapeKind { skRectangle, skRoundRectangle, skEllipse, skTriangle, skDiamond, skDiagonal1, skDiagonal2 };
Q_ENUM_NS(TfrxShapeKind)

enum TfrxPrintOnType { ptFirstPage = 1, ptLastPage = 2, ptOddPages = 4, ptEvenPages = 8, ptRepeatedBand = 16 };
Q_DECLARE_FLAGS(TfrxPrintOnTypes, TfrxPrintOnType)
Q_FLAG_NS(TfrxPrintOnTypes)

enum TPrinterOrientation { poPortrait, poLandscape };
Q_ENUM_NS(TPrinterOrientation)

enum TfrxDuplexMode { dmNone, dmVertical, dmHorizontal, dmSimplex };
Q_ENUM_NS(TfrxDuplexMode)

enum TfrxRangeBegin { rbFirst, rbCurrent };
Q_ENUM_NS(TfrxRangeBegin)

enum TfrxRangeEnd { reLast, reCurrent, reCount };
Q_ENUM_NS(TfrxRangeEnd)

enum TfrxFieldType { fftNumeric, fftString, fftBoolean, fftDateTime };
Q_ENUM_NS(TfrxFieldType)

enum TfrxFormatKind { fkText, fkNumeric, fkDateTime, fkBoolean };
Q_ENUM_NS(TfrxFormatKind)

enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_FLAG_NS(TFontStyles)

enum TFontPitch { fpDefault, fpVariable, fpFixed };
Q_ENUM_NS(TFontPitch)

enum TFontQuality {
    fqDefault,
    fqDraft,
    fqProof,
    fqNonAntialiased,
    fqAntialiased,
    fqClearType,
    fqClearTypeNatural
};
Q_ENUM_NS(TFontQuality)

// How the report's common error handler reports: a message box, nothing, or an exception to the caller.
enum TfrxSilentMode { simMessageBoxes, simSilent, simReThrow };
Q_ENUM_NS(TfrxSilentMode)

enum TfrxPreviewButton {
    pbPrint = 0x1, pbLoad = 0x2, pbSave = 0x4, pbExport = 0x8, pbZoom = 0x10, pbFind = 0x20,
    pbOutline = 0x40, pbPageSetup = 0x80, pbTools = 0x100, pbEdit = 0x200, pbNavigator = 0x400,
    pbExportQuick = 0x800, pbNoClose = 0x1000, pbNoFullScreen = 0x2000, pbNoEmail = 0x4000
};
Q_DECLARE_FLAGS(TfrxPreviewButtons, TfrxPreviewButton)
Q_FLAG_NS(TfrxPreviewButtons)

enum TfrxZoomMode { zmDefault, zmWholePage, zmPageWidth, zmManyPages };
Q_ENUM_NS(TfrxZoomMode)

enum TfrxPrintMode { pmDefault, pmSplit, pmJoin, pmScale };
Q_ENUM_NS(TfrxPrintMode)

enum TfrxPrintPages { ppAll, ppOdd, ppEven };
Q_ENUM_NS(TfrxPrintPages)

// Two coordinates are the same when they differ by at most 0.0001.
bool FloatDiff(double a, double b);
// A value rounded to 8 decimal places.
double Round8(double value);
// The nearest integer, halves to the even neighbour; out-of-range values are clamped.
int Nearest(double value);
// (k * d) / n rounded to the nearest integer; 0 when n is 0.
int MulDiv(int k, int d, int n);
// A colour value as a Qt colour; clTransparent gives an invalid colour.
QColor ToQColor(int color);
// A Qt colour as a colour value (0x00BBGGRR); an invalid colour gives clTransparent.
int FromQColor(const QColor &color);
// The text form used by the difference texts: "True" or "False".
QString BoolText(bool value);
// A float as the library writes it: up to 15 significant digits, no trailing zeros, the
// decimal separator of the user's locale.
QString FloatText(double value);
// Escapes an attribute value for the XML dialect of the library's files.
QString EscapeAttr(const QString &value);

}  // namespace zor

Q_DECLARE_OPERATORS_FOR_FLAGS(zor::TfrxRestrictions)
Q_DECLARE_OPERATORS_FOR_FLAGS(zor::TfrxComponentStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(zor::TfrxFrameTypes)
Q_DECLARE_OPERATORS_FOR_FLAGS(zor::TfrxVisibilityTypes)
Q_DECLARE_OPERATORS_FOR_FLAGS(zor::TfrxPrintOnTypes)
Q_DECLARE_OPERATORS_FOR_FLAGS(zor::TFontStyles)
Q_DECLARE_OPERATORS_FOR_FLAGS(zor::TfrxPreviewButtons)
