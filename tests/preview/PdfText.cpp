#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>

QList<PdfPage> readPdfText(const QString &pdfFile)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfFile, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression page(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfPage> pages;
    qsizetype at = 0;
    for (auto p = page.globalMatch(html); p.hasNext();) {
        const auto match = p.next();
        pages.append({QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()), {}});
        at = match.capturedEnd();
        const qsizetype end = html.indexOf(QStringLiteral("</page>"), at);
        for (auto w = word.globalMatch(QStringView(html).mid(at, end - at)); w.hasNext();) {
            const auto m = w.next();
            const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
            const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
            pages.back().words.append({m.captured(5).normalized(QString::NormalizationForm_KC), QRectF(topLeft, bottomRight)});
        }
    }
    return pages;
}
