#pragma once

#include <QIcon>

// The designer's button pictures, our own drawings kept as PNG files in the designer's resources
// (resources/icons/designer, drawn by its generator); a 32-pixel "@2x" twin of each serves scaled
// screens. An unknown name gives an empty icon.
//
// Names: standard toolbar "new", "open", "save", "preview", "newPage", "newDialog", "deletePage",
// "pageSettings", "cut", "copy", "paste", "undo", "redo", "group", "ungroup", "delete",
// "bringToFront", "sendToBack", "selectAll", "options"; text toolbar "bold", "italic", "underline",
// "font", "fontColor", "highlight", "rotation", "textLeft", "textCenter", "textRight", "textBlock",
// "textTop", "textMiddle", "textBottom"; frame toolbar "frameTop", "frameBottom", "frameLeft",
// "frameRight", "frameAll", "frameNone", "frameEditor", "fillColor", "fillEditor", "frameColor",
// "frameStyle"; alignment palette "showGrid", "alignToGrid", "fitToGrid", "alignLeft", "alignMiddle",
// "alignRight", "alignTop", "alignCenter", "alignBottom", "spaceHorz", "spaceVert", "centerHorz",
// "centerVert", "sameWidth", "sameHeight"; object toolbar "selectTool", "handTool", "zoomTool",
// "editTextTool", "copyFormatTool", "insertBand", "obText", "obPicture", "obSubRep", "obSysText",
// "obCatDraw", "obCatOther", "obLine", "obDiagLine", "obArrowEnd", "obArrowStart", "obArrowBoth",
// "obRect", "obRoundRect", "obEllipse", "obTrian", "obDiamond"; the window "designer".
QIcon zorDesignerIcon(const char *name);
