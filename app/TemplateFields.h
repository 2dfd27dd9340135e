#pragma once

#include "zorTypes.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

class TfrxCustomMemoView;
class TfrxReport;

// A text object of the print template with its place on the paper.
struct TemplateField
{
    QString Name;
    // Millimetres from the paper's top-left corner (the page's margins included).
    QRectF PaperMm;
    TfrxCustomMemoView *Memo = nullptr;
};

// The paper of the template's first page and the text objects on it.
struct TemplatePage
{
    int PaperSize = 0;
    QSizeF PaperMm; // as the page lies (a landscape page is wider than high)
    zor::TPrinterOrientation Orientation = zor::poPortrait;
    QList<TemplateField> Fields;

    // None when the report has no page to print.
    static std::optional<TemplatePage> of(const TfrxReport &report);
};
