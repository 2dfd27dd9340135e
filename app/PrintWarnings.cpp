#include "PrintWarnings.h"

#include "CertificateFieldLabels.h"
#include "TemplateFields.h"
#include "TfrxCustomMemoView.h"
#include "TfrxCustomPrinter.h"
#include "TfrxPrinters.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"

#include <QLocale>

namespace PrintWarnings {

namespace {

// Measurements round to whole report units; less than that is no overflow.
constexpr double tolerance = 1;
// Places are stored in report units; a field that meets a margin to a hundredth is inside.
constexpr double marginTolerance = 0.01; // mm

// A text fits on one line, or wraps within the object's height. One line a little taller than
// its object still prints whole, as the template's single-line objects are. A text the template
// computes is known only once prepared, so it is not judged here.
bool fits(TfrxCustomMemoView &memo)
{
    const bool computed = memo.AllowExpressions() && memo.Text().contains(u'[');
    if (computed || memo.Text().trimmed().isEmpty() || memo.CalcWidth() <= memo.Width() + tolerance)
        return true;
    return memo.WordWrap() && memo.CalcHeight() <= memo.Height() + tolerance;
}

// The edges of the paper over which a place reaches into the unprintable margins.
QStringList edgesInMargin(const QRectF &placeMm, const QSizeF &paperMm, const TfrxCustomPrinter &printer)
{
    const QLocale locale;
    // A printer that prints to the paper's edge has only the edge to warn about.
    const auto edge = [&](const char *side, double margin) {
        return margin > 0 ? QStringLiteral("%1 %2 мм").arg(QString::fromUtf8(side), locale.toString(margin))
                          : QStringLiteral("за краем листа %1").arg(QString::fromUtf8(side));
    };
    QStringList edges;
    const QRectF printable =
        QRectF(QPointF(printer.LeftMargin(), printer.TopMargin()),
               QPointF(paperMm.width() - printer.RightMargin(), paperMm.height() - printer.BottomMargin()))
            .adjusted(-marginTolerance, -marginTolerance, marginTolerance, marginTolerance);
    if (placeMm.left() < printable.left())
        edges << edge("слева", printer.LeftMargin());
    if (placeMm.top() < printable.top())
        edges << edge("сверху", printer.TopMargin());
    if (placeMm.right() > printable.right())
        edges << edge("справа", printer.RightMargin());
    if (placeMm.bottom() > printable.bottom())
        edges << edge("снизу", printer.BottomMargin());
    return edges;
}

} // namespace

QStringList find(const TemplatePage &page, TfrxCustomPrinter *printer)
{
    if (printer != nullptr)
        printer->SetViewParams(page.PaperSize, page.PaperMm.width(), page.PaperMm.height(), page.Orientation);
    QStringList warnings;
    for (const TemplateField &field : page.Fields) {
        const QString label = QStringLiteral("«%1»").arg(CertificateFieldLabels::label(field.Name));
        if (!fits(*field.Memo))
            warnings << label + QStringLiteral(
                                    ": текст не помещается в поле и будет обрезан или перенесён за его "
                                    "границы.");
        if (printer == nullptr || !printer->Initialized())
            continue;
        if (const QStringList edges = edgesInMargin(field.PaperMm, page.PaperMm, *printer); !edges.isEmpty())
            warnings << label + QStringLiteral(
                                    ": поле заходит в непечатаемое поле принтера «%1» (%2) и напечатается "
                                    "не полностью.")
                                    .arg(printer->Name(), edges.join(QStringLiteral(", ")));
    }
    return warnings;
}

TfrxCustomPrinter *printerOf(const TfrxReport &report)
{
    TfrxPrinters *printers = zorPrinters();
    if (!printers->HasPhysicalPrinters())
        return nullptr;
    const int named = printers->IndexOf(report.PrintOptions()->Printer);
    TfrxCustomPrinter *printer = named >= 0 ? printers->Items(named) : printers->Printer();
    printer->Init();
    return printer;
}

} // namespace PrintWarnings
