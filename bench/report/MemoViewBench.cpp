// Laying out and drawing text objects: a long paragraph in a narrow object, and the certificate's
// page of 48 text objects with the operator's values.

#include "TfrxFont.h"
#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

constexpr double kMargin = 37.7953; // 10 mm

struct Placed
{
    const char *Name;
    double Left, Top, Width, Height;
    int FontHeight;
    bool Italic, Bold;
    const char *Text;
};

// The layout of the certificate's template, relative to the top-left margin corner.
const Placed kPage[] = {
    {"Memo1", 3.78, 33.02, 328.82, 26.46, 11, true, false, "Автошкола \"Ромашка\""},
    {"Memo2", 3.78, 58.47, 328.82, 15.12, 11, true, false, "общество с ограниченной ответственностью"},
    {"Memo3", 34.02, 85.93, 283.46, 15.12, 11, true, false, "г. Москва"},
    {"Memo4", 45.35, 200.31, 49.13, 15.12, 13, false, true, "77 АА"},
    {"Memo5", 11.34, 262.57, 321.26, 15.12, 13, true, false, "Иванов Иван Иванович"},
    {"Memo6", 15.12, 305.36, 22.68, 15.12, 11, true, false, "05"},
    {"Memo7", 41.57, 305.36, 64.25, 15.12, 11, true, false, "мая"},
    {"Memo8", 113.39, 305.36, 49.13, 15.12, 11, true, false, "2015"},
    {"Memo9", 181.42, 305.36, 22.68, 15.12, 11, true, false, "17"},
    {"Memo10", 210.43, 305.36, 68.03, 15.12, 11, true, false, "сентября"},
    {"Memo11", 279.69, 305.36, 52.91, 15.12, 11, true, false, "2015"},
    {"Memo12", 7.56, 364.75, 332.60, 15.12, 11, true, false, "подготовки водителей транспортных средств"},
    {"Memo24", 139.84, 429.09, 22.68, 15.12, 11, false, false, "20"},
    {"Memo25", 166.30, 429.09, 64.25, 15.12, 11, false, false, "сентября"},
    {"Memo26", 264.57, 429.09, 45.35, 15.12, 11, false, false, "2015"},
    {"Memo27", 219.21, 457.54, 117.17, 15.12, 11, false, false, "Петров П. П."},
    {"Memo39", 440.31, 246.67, 30.24, 15.12, 11, false, false, "B"},
    {"Memo40", 483.78, 286.46, 26.46, 15.12, 11, false, false, "B"},
    {"Memo41", 536.69, 313.92, 26.46, 15.12, 11, false, false, "B"},
    {"Memo42", 385.51, 326.93, 147.40, 15.12, 11, false, false, "механической"},
    {"Memo_kval", 132.28, 396.85, 188.98, 15.12, 11, true, false, "водитель категории B"},
    {"Memo_cat", 85.04, 411.97, 147.40, 15.12, 11, true, false, "B"},
    {"Memo_prot", 578.27, 7.56, 158.74, 15.12, 11, true, false, "123"},
    {"Memo_day", 410.08, 21.68, 22.68, 15.12, 11, true, false, "18"},
    {"Memo_month", 434.27, 21.68, 64.25, 15.12, 11, true, false, "сентября"},
    {"Memo_year", 510.24, 21.68, 56.69, 15.12, 11, true, false, "2015"},
};
const double kRowTops[] = {105.83, 132.28, 154.96, 183.69, 241.89, 279.69,
                           321.64, 366.61, 396.85, 418.53, 434.65};
const double kMarkLefts[] = {645.30, 645.30, 646.30, 644.30, 643.30, 643.30,
                             643.30, 646.30, 646.30, 644.30, 644.30};

TfrxMemoView *AddMemo(TfrxReportPage *page, const QString &name, double left, double top, double width,
                      double height, int fontHeight, bool italic, bool bold, const QString &text)
{
    auto *memo = new TfrxMemoView(page);
    memo->SetParent(page);
    memo->SetName(name);
    memo->SetBounds(kMargin + left, kMargin + top, width, height);
    memo->Font()->SetName(QStringLiteral("Times New Roman"));
    memo->Font()->SetHeight(-fontHeight);
    memo->Font()->SetCharset(204);
    memo->Font()->SetStyle((italic ? zor::TFontStyles(zor::fsItalic) : zor::TFontStyles()) |
                           (bold ? zor::TFontStyles(zor::fsBold) : zor::TFontStyles()));
    memo->SetParentFont(false);
    memo->SetHAlign(name == QLatin1String("Memo_prot") ? haLeft : haCenter);
    memo->SetText(text);
    return memo;
}

void BuildCertificate(TfrxReport &report)
{
    auto *page = new TfrxReportPage(&report);
    page->SetParent(&report);
    for (const Placed &p : kPage)
        AddMemo(page, QString::fromLatin1(p.Name), p.Left, p.Top, p.Width, p.Height, p.FontHeight, p.Italic,
                p.Bold, QString::fromUtf8(p.Text));
    for (int row = 0; row < 11; ++row) {
        AddMemo(page, QStringLiteral("Memo%1").arg(13 + row), 604.72, kRowTops[row], 37.80, 15.12, 11, false,
                false, QString::number(10 + row * 7));
        AddMemo(page, QStringLiteral("Memo%1").arg(28 + row), kMarkLefts[row], kRowTops[row], 68.03, 15.12,
                11, false, false, row == 10 ? QStringLiteral("X") : QStringLiteral("хорошо"));
    }
}

void BM_Paragraph2000(benchmark::State &state)
{
    QString text;
    while (text.size() < 2000)
        text += QStringLiteral("Текст свидетельства о профессии водителя переносится по словам. ");
    text.truncate(2000);
    TfrxMemoView memo;
    memo.SetBounds(0, 0, 300, 2000);
    memo.SetText(text);
    memo.SetHAlign(haBlock);
    QImage image(320, 2000, QImage::Format_RGB32);
    QPainter painter(&image);
    for (auto _ : state) {
        image.fill(Qt::white);
        memo.Draw(&painter, 1, 1, 0, 0);
        benchmark::DoNotOptimize(memo.CalcHeight());
    }
}
BENCHMARK(BM_Paragraph2000)->Unit(benchmark::kMillisecond);

void BM_CertificatePage(benchmark::State &state)
{
    TfrxReport report;
    BuildCertificate(report);
    QImage image(794, 559, QImage::Format_RGB32);
    QPainter painter(&image);
    int objects = 0;
    for (auto _ : state) {
        image.fill(Qt::white);
        objects = 0;
        for (TfrxComponent *c : report.GetAllObjects()) {
            if (auto *memo = qobject_cast<TfrxMemoView *>(c)) {
                memo->Draw(&painter, 1, 1, 0, 0);
                ++objects;
            }
        }
    }
    state.counters["objects"] = objects;
}
BENCHMARK(BM_CertificatePage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Text layout needs the font system of a GUI application; no window is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
