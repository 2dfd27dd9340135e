#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

// The words of a PDF with their boxes in points from the page's top-left corner, as poppler's
// pdftotext reads them.
struct PdfWord
{
    QString text; // NFKC-normalised (Qt's PDF may use ligatures)
    QRectF box;
};

struct PdfPage
{
    QSizeF size; // points
    QList<PdfWord> words;
};

QList<PdfPage> readPdfText(const QString &pdfFile);
