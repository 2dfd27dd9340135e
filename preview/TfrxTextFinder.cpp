#include "TfrxTextFinder.h"

#include "TfrxCustomMemoView.h"
#include "TfrxCustomPreviewPages.h"
#include "TfrxDrawText.h"
#include "TfrxHTMLTagsList.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxTextRecorder.h"
#include "zorTypes.h"

#include <QPainter>

namespace {

// The texts that drawing the object's laid-out lines outputs: each non-empty line is cut where
// the formatting changes.
QStringList outputTexts(const TfrxDrawText &engine)
{
    QStringList texts;
    const TfrxWideStrings &lines = engine.Lines();
    const TfrxHTMLTagsList &tags = engine.Tags();
    for (int i = 0; i < lines.count(); ++i) {
        const QString &line = lines.at(i);
        if (line.isEmpty() || i >= tags.count() || tags.at(i).size() < line.size())
            continue;
        qsizetype from = 0;
        for (qsizetype k = 1; k <= line.size(); ++k) {
            if (k == line.size() || !tags.at(i).at(k).Default) {
                texts << line.mid(from, k - from);
                from = k;
            }
        }
    }
    return texts;
}

} // namespace

QList<TfrxTextRun> TfrxTextFinder::PageRuns(TfrxCustomPreviewPages &pages, int index)
{
    QList<TfrxTextRun> runs;
    TfrxReportPage *page = pages.GetPage(index);
    if (page == nullptr)
        return runs;
    TfrxTextRecorder surface(QSize(int(page->Width()) + 1, int(page->Height()) + 1));
    QPainter painter(&surface);
    const double offsetX = page->LeftMargin() * zor::fr01cm;
    const double offsetY = page->TopMargin() * zor::fr01cm;
    for (TfrxComponent *object : page->GetAllObjects()) {
        auto *memo = qobject_cast<TfrxCustomMemoView *>(object);
        if (memo == nullptr || !memo->Visible())
            continue;
        TfrxDrawText::Locker lock;
        memo->Draw(&painter, 1, 1, offsetX, offsetY);
        const QList<QRectF> bounds = surface.TakeTextBounds();
        if (bounds.isEmpty())
            continue;
        TfrxReport *report = memo->GetReport();
        const QStringList texts = outputTexts(report != nullptr ? report->DrawText() : TfrxDrawText::Global());
        if (texts.size() == bounds.size()) {
            for (qsizetype k = 0; k < texts.size(); ++k)
                runs.append({texts.at(k), bounds.at(k)});
            continue;
        }
        // Outputs that cannot be told apart count as one output of the whole object.
        QRectF all;
        for (const QRectF &rect : bounds)
            all |= rect;
        runs.append({texts.join(u' '), all});
    }
    return runs;
}

int TfrxTextFinder::Find(const QList<TfrxTextRun> &runs, const QString &text, bool caseSensitive, int after)
{
    if (text.isEmpty())
        return -1;
    const QString wanted = caseSensitive ? text : text.toUpper();
    for (qsizetype k = std::max(0, after + 1); k < runs.size(); ++k) {
        const QString &candidate = runs.at(k).Text;
        if ((caseSensitive ? candidate : candidate.toUpper()).contains(wanted))
            return int(k);
    }
    return -1;
}
