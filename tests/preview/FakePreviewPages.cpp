#include "FakePreviewPages.h"

#include "TfrxError.h"
#include "TfrxFont.h"
#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxReportServices.h"
#include "zorTypes.h"

#include <QFile>
#include <QPainter>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTextStream>

#include <cmath>

FakePreviewPages::FakePreviewPages(TfrxReport *report) : TfrxCustomPreviewPages(report) {}

FakePreviewPages::~FakePreviewPages() = default;

TfrxReportPage *FakePreviewPages::AddPage(QSizeF paperMm, bool landscape, int paperSize)
{
    auto page = std::make_unique<TfrxReportPage>();
    page->SetOrientation(landscape ? zor::poLandscape : zor::poPortrait);
    page->SetSizeAndDimensions(paperSize, paperMm.width(), paperMm.height());
    page->SetLeftMargin(10);
    page->SetTopMargin(10);
    page->SetRightMargin(10);
    page->SetBottomMargin(10);
    FPages.push_back(std::move(page));
    return FPages.back().get();
}

TfrxMemoView *FakePreviewPages::AddText(TfrxReportPage *page, const QString &text, QRectF bounds, int pointSize)
{
    auto *memo = new TfrxMemoView(page);
    memo->SetParent(page);
    static int made = 0;
    memo->SetName(QStringLiteral("Text%1").arg(++made));
    memo->SetBounds(bounds.left(), bounds.top(), bounds.width(), bounds.height());
    memo->Font()->SetName(QStringLiteral("Arial"));
    memo->Font()->SetSize(pointSize);
    memo->SetText(text);
    return memo;
}

TfrxReportPage *FakePreviewPages::GetPage(int index)
{
    return index >= 0 && index < GetCount() ? FPages[size_t(index)].get() : nullptr;
}

QSize FakePreviewPages::GetPageSize(int index)
{
    const TfrxReportPage *page = GetPage(index);
    if (page == nullptr)
        return {};
    return QSize(int(std::nearbyint(page->PaperWidth() * zor::fr01cm)),
                 int(std::nearbyint(page->PaperHeight() * zor::fr01cm)));
}

void FakePreviewPages::DrawPage(int index, QPainter *canvas, double scaleX, double scaleY, double offsetX,
                                double offsetY)
{
    TfrxReportPage *page = GetPage(index);
    if (page == nullptr || canvas == nullptr)
        return;
    page->Draw(canvas, scaleX, scaleY, offsetX, offsetY);
    const double x = offsetX + page->LeftMargin() * zor::fr01cm * scaleX;
    const double y = offsetY + page->TopMargin() * zor::fr01cm * scaleY;
    for (TfrxComponent *object : page->GetAllObjects())
        if (auto *view = qobject_cast<TfrxView *>(object))
            view->Draw(canvas, scaleX, scaleY, x, y);
}

// The fake file is a line per page: the page's paper and its texts with their bounds.
void FakePreviewPages::SaveToStream(QIODevice *stream)
{
    QTextStream out(stream);
    for (const auto &page : FPages) {
        out << page->PaperWidth() << ' ' << page->PaperHeight();
        for (TfrxComponent *object : page->Objects())
            if (auto *memo = qobject_cast<TfrxMemoView *>(object))
                out << '\t' << memo->Left() << ' ' << memo->Top() << ' ' << memo->Width() << ' ' << memo->Height()
                    << ' ' << memo->Text().trimmed();
        out << '\n';
    }
}

void FakePreviewPages::LoadFromStream(QIODevice *stream, bool)
{
    Clear();
    QTextStream in(stream);
    while (!in.atEnd()) {
        const QStringList parts = in.readLine().split(u'\t');
        const QStringList paper = parts.value(0).split(u' ');
        TfrxReportPage *page = AddPage(QSizeF(paper.value(0).toDouble(), paper.value(1).toDouble()));
        for (qsizetype i = 1; i < parts.size(); ++i) {
            const QStringList memo = parts[i].split(u' ');
            AddText(page, memo.mid(4).join(u' '),
                    QRectF(memo.value(0).toDouble(), memo.value(1).toDouble(), memo.value(2).toDouble(),
                           memo.value(3).toDouble()));
        }
    }
}

bool FakePreviewPages::SaveToFile(const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    SaveToStream(&file);
    return file.commit();
}

bool FakePreviewPages::LoadFromFile(const QString &fileName, bool exceptionIfNotFound)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (exceptionIfNotFound)
            throw TfrxError(QString(), QStringLiteral("Cannot open file \"%1\"").arg(fileName));
        return false;
    }
    LoadFromStream(&file);
    return true;
}

// Reports progress the way the real store does: a start, each page added, a stop. A double-pass
// report is run twice, the pages of the first pass thrown away.
bool FakeEngine::Run()
{
    ++Runs;
    if (!FReport->PrepareScript())
        return false;
    FRunning = true;
    FReport->InternalOnProgressStart(TfrxReport::ptRunning);
    const auto stop = qScopeGuard([this] {
        FRunning = false;
        FFinalPass = true;
        FReport->InternalOnProgressStop(TfrxReport::ptRunning);
    });
    if (GetDoublePass()) {
        FFinalPass = false;
        if (!runPass())
            return false;
        FPages->Clear();
        FFinalPass = true;
    }
    const bool ok = runPass();
    FTotalPages = FPages->GetCount();
    return ok;
}

bool FakeEngine::runPass()
{
    int index = 0;
    for (TfrxComponent *object : FReport->Objects()) {
        auto *source = qobject_cast<TfrxReportPage *>(object);
        if (source == nullptr)
            continue;
        TfrxReportPage *page =
            FPages->AddPage(QSizeF(source->PaperWidth(), source->PaperHeight()),
                            source->Orientation() == zor::poLandscape, source->PaperSize());
        for (TfrxComponent *child : source->Objects()) {
            auto *memo = qobject_cast<TfrxMemoView *>(child);
            if (memo == nullptr)
                continue;
            if (memo->Text().contains(QStringLiteral("[bad]"))) {
                FReport->AddError(memo->Name() + QStringLiteral(": Undeclared identifier: 'bad'"));
                return false;
            }
            FakePreviewPages::AddText(page, memo->Text(), QRectF(memo->Left(), memo->Top(), memo->Width(),
                                                                 memo->Height()));
        }
        FReport->InternalOnProgress(TfrxReport::ptRunning, FPages->GetCount());
        if (FPages->OnPagePrepared)
            FPages->OnPagePrepared(index);
        ++index;
        if (FReport->Terminated())
            break;
    }
    return true;
}

void registerFakeEngine()
{
    TfrxReportServices::Instance().CreateEngine = [](TfrxReport &report) {
        auto pages = std::make_unique<FakePreviewPages>(&report);
        auto engine = std::make_unique<FakeEngine>(&report, pages.get());
        TfrxReportServices::EngineParts parts;
        parts.PreviewPages = std::move(pages);
        parts.Engine = std::move(engine);
        return parts;
    };
}
