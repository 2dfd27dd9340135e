#pragma once

#include "TemplateFields.h"

#include <QString>

class QPainter;

// The sheet that fits a printer to the blank: on plain paper of the blank's size, thin frames of
// the blank's pages and of every field of the print template, a millimetre scale along the top
// and left edges, and how to use it. Held against a real blank in the light, it shows how far the
// printer misses each line; printed again after a correction, it shows the correction.
class CalibrationSheet
{
public:
    explicit CalibrationSheet(TemplatePage page);

    const TemplatePage &Page() const { return FPage; }
    // Draws the sheet in millimetres from the paper's top-left corner (the painter maps them).
    void Paint(QPainter &painter, const QString &printerName) const;
    // Prints it on the named printer through the printer layer, which applies the printer's
    // correction. False with the reason when nothing was printed.
    bool Print(const QString &printerName, QString &error) const;

private:
    void paintBlankFrame(QPainter &painter) const;
    void paintFields(QPainter &painter) const;
    void paintScales(QPainter &painter) const;
    void paintInstruction(QPainter &painter, const QString &printerName) const;

    TemplatePage FPage;
};
