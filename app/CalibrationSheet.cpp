#include "CalibrationSheet.h"

#include "CertificateFieldLabels.h"
#include "TfrxCustomPrinter.h"
#include "TfrxPrinterCalibration.h"
#include "TfrxPrinters.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QScopeGuard>

#include <cmath>

namespace {

constexpr double mmPerInch = 25.4;
constexpr double hairline = 0.1;  // mm: thin enough to see both the line and the blank's line
constexpr double scaleOffset = 8; // mm from the paper's edges to the scales' base lines
// The blank's picture covers the whole paper; each of its two pages has a printed frame this far
// inside the paper's edges and the fold between them.
constexpr double frameInset = 12.0 / 908 * 210;

// Fonts take whole pixels, so letters are drawn in tenths of a millimetre.
constexpr double tenth = 0.1;

QFont sheetFont(double heightMm)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(int(std::lround(heightMm / tenth)));
    return font;
}

void drawText(QPainter &painter, const QRectF &rectMm, int flags, const QString &text, double heightMm)
{
    painter.save();
    painter.scale(tenth, tenth);
    const QFont font = sheetFont(heightMm);
    painter.setFont(font);
    const QRectF rect(rectMm.topLeft() / tenth, rectMm.size() / tenth);
    const QString shown =
        flags & Qt::TextWordWrap ? text : QFontMetricsF(font).elidedText(text, Qt::ElideRight, rect.width());
    painter.drawText(rect, flags, shown);
    painter.restore();
}

QPen pen(const QColor &colour, double width = hairline)
{
    return QPen(colour, width, Qt::SolidLine, Qt::FlatCap);
}

QString tenths(double value)
{
    return QLocale().toString(value, 'f', 1);
}

} // namespace

CalibrationSheet::CalibrationSheet(TemplatePage page) : FPage(std::move(page)) {}

void CalibrationSheet::Paint(QPainter &painter, const QString &printerName) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paintBlankFrame(painter);
    paintFields(painter);
    paintScales(painter);
    paintInstruction(painter, printerName);
    painter.restore();
}

void CalibrationSheet::paintBlankFrame(QPainter &painter) const
{
    const QSizeF paper = FPage.PaperMm;
    const double half = paper.width() / 2;
    painter.setPen(pen(QColor(0x30, 0x50, 0x90)));
    painter.setBrush(Qt::NoBrush);
    for (int side = 0; side < 2; ++side)
        painter.drawRect(QRectF(side * half + frameInset, frameInset, half - 2 * frameInset,
                                paper.height() - 2 * frameInset));
    painter.setPen(QPen(QColor(0x30, 0x50, 0x90), hairline, Qt::DashLine));
    painter.drawLine(QPointF(half, 0), QPointF(half, paper.height()));
}

// Each field's box with its name in small letters inside, so that a box is found on the blank.
void CalibrationSheet::paintFields(QPainter &painter) const
{
    for (const TemplateField &field : FPage.Fields) {
        painter.setPen(pen(Qt::black));
        painter.drawRect(field.PaperMm);
        painter.setPen(QColor(0x70, 0x70, 0x70));
        const QRectF inside = field.PaperMm.adjusted(0.4, 0.2, -0.4, 0);
        drawText(painter, inside, Qt::AlignLeft | Qt::AlignTop, CertificateFieldLabels::label(field.Name),
                 1.6);
    }
}

// Scales along the top and the left edge, in millimetres from the paper's corner: a tick every
// millimetre, longer every 5, numbered every 10.
void CalibrationSheet::paintScales(QPainter &painter) const
{
    const QSizeF paper = FPage.PaperMm;
    painter.setPen(pen(Qt::black));
    const auto tick = [](int mm) { return mm % 10 == 0 ? 3.0 : mm % 5 == 0 ? 2.0 : 1.0; };
    painter.drawLine(QPointF(scaleOffset, scaleOffset), QPointF(paper.width() - scaleOffset, scaleOffset));
    for (int x = int(scaleOffset); x <= paper.width() - scaleOffset; ++x) {
        painter.drawLine(QPointF(x, scaleOffset), QPointF(x, scaleOffset - tick(x)));
        if (x % 10 == 0)
            drawText(painter, QRectF(x - 5, scaleOffset + 0.3, 10, 2.5), Qt::AlignHCenter | Qt::AlignTop,
                     QString::number(x), 1.8);
    }
    painter.drawLine(QPointF(scaleOffset, scaleOffset), QPointF(scaleOffset, paper.height() - scaleOffset));
    for (int y = int(scaleOffset); y <= paper.height() - scaleOffset; ++y) {
        painter.drawLine(QPointF(scaleOffset, y), QPointF(scaleOffset - tick(y), y));
        if (y % 10 == 0 && y > scaleOffset + 5) // the corner is numbered by the top scale
            drawText(painter, QRectF(scaleOffset + 0.5, y - 1.25, 6, 2.5), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::number(y), 1.8);
    }
}

void CalibrationSheet::paintInstruction(QPainter &painter, const QString &printerName) const
{
    const TfrxPrinterCalibration calibration = TfrxPrinterCalibration::Load(printerName);
    const QString text =
        QStringLiteral("Лист настройки принтера «%1»: сдвиг вправо %2 мм, вниз %3 мм, масштаб %4 %.\n"
                       "Приложите лист к бланку, совместив края, и посмотрите на просвет. На сколько рамки "
                       "полей смещены относительно линий бланка, прочтите по шкале и внесите в «Настройке "
                       "принтера»: вправо и вниз — положительные числа. Масштаб считается от левого верхнего "
                       "угла листа.")
            .arg(printerName, tenths(calibration.OffsetX), tenths(calibration.OffsetY),
                 tenths(calibration.Scale));
    const QSizeF paper = FPage.PaperMm;
    const QRectF area(paper.width() / 2 + frameInset + 2, paper.height() - frameInset - 14,
                      paper.width() / 2 - 2 * frameInset - 4, 13);
    painter.setPen(Qt::black);
    drawText(painter, area, Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, text, 2.2);
}

bool CalibrationSheet::Print(const QString &printerName, QString &error) const
{
    TfrxPrinters *printers = zorPrinters();
    const int index = printers->IndexOf(printerName);
    if (!printers->HasPhysicalPrinters() || index < 0) {
        error = QStringLiteral("Принтер «%1» не найден.").arg(printerName);
        return false;
    }
    // The sheet must not change which printer the program prints on.
    const int before = printers->PrinterIndex();
    const auto restore = qScopeGuard([printers, before] { printers->setPrinterIndex(before); });
    printers->setPrinterIndex(index);
    TfrxCustomPrinter *printer = printers->Printer();
    printer->SetPrintParams(FPage.PaperSize, FPage.PaperMm.width(), FPage.PaperMm.height(), FPage.Orientation,
                            TfrxCustomPrinter::defaultBin, 0, 1);
    printer->setTitle(QStringLiteral("Лист настройки принтера"));
    if (!printer->Initialized() || !printer->BeginDoc() || !printer->BeginPage()) {
        printer->Abort();
        error = QStringLiteral("Принтер «%1» не может печатать.").arg(printerName);
        return false;
    }
    QPainter &painter = *printer->Canvas();
    painter.save();
    // The canvas starts at the printable area's corner; the sheet is measured from the paper's.
    painter.translate(-printer->PhysicalOffset());
    painter.scale(printer->DPI().x() / mmPerInch, printer->DPI().y() / mmPerInch);
    Paint(painter, printerName);
    painter.restore();
    printer->EndPage();
    if (!printer->EndDoc()) {
        error = QStringLiteral("Принтер «%1» не принял лист настройки.").arg(printerName);
        return false;
    }
    return true;
}
