#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

class TfrxReport;

// A picture the preview can show under one report's pages, at its true size: the pre-printed blank
// the pages are printed on. It is never exported, and printed only on a test print on plain paper
// that asks for it. The host program names it once; the preview of that report offers a switch.
struct TfrxPreviewBackdrop
{
    QImage Picture;
    // Where the picture lies on the paper, in millimetres from the paper's top-left corner.
    QRectF RectMm;
    // The report file it belongs to; other reports show no backdrop.
    QString FileName;
    // The preview's switch that shows it, and the one that prints it with the pages.
    QString Caption;
    QString PrintCaption;

    bool IsNull() const { return Picture.isNull(); }
    bool AppliesTo(const TfrxReport &report) const;

    static const TfrxPreviewBackdrop &Current();
    static void SetCurrent(const TfrxPreviewBackdrop &backdrop);
};
