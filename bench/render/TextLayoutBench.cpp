// Layout and drawing of text objects: a page of short certificate texts and a long paragraph.
#include "TfrxDrawText.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

const TfrxTextFont kFont{QStringLiteral("Times New Roman"), 11, 0, 0, 1};

QString shortText(int i)
{
    static const QStringList texts{QStringLiteral("Иванов"),
                                   QStringLiteral("Иван Иванович"),
                                   QStringLiteral("12"),
                                   QStringLiteral("марта"),
                                   QStringLiteral("2026"),
                                   QStringLiteral("АБВ 123456"),
                                   QStringLiteral("категории «B»"),
                                   QStringLiteral("водитель транспортных средств"),
                                   QStringLiteral("отлично"),
                                   QStringLiteral("72"),
                                   QStringLiteral("Автошкола «Вираж», г. Тверь"),
                                   QStringLiteral("Петров П. П.")};
    return texts.at(i % texts.size());
}

QString paragraph()
{
    QString text;
    while (text.size() < 2000)
        text += QStringLiteral("Обучение вождению транспортных средств категории B проводится по программе "
                               "профессиональной подготовки водителей. ");
    return text.left(2000);
}

void layoutObject(TfrxDrawText &engine, const QString &text, const QRect &rect, double scale)
{
    engine.SetFont(kFont);
    engine.SetOptions(true, false, 0, true, true, false, false);
    engine.SetGaps(0, 0, 2);
    const QRect device(int(rect.x() * scale), int(rect.y() * scale), int(rect.width() * scale),
                       int(rect.height() * scale));
    engine.SetDimensions(scale, scale, 1, rect, device);
    engine.SetText(text);
}

// Objects of a certificate page (794 × 559 pixels at zoom 1): short texts in narrow rectangles.
void BM_ShortObjects(benchmark::State &state)
{
    const int count = int(state.range(0));
    const double scale = double(state.range(1)) / 100;
    QImage page(int(794 * scale), int(559 * scale), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    TfrxDrawText engine;
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) {
            TfrxDrawText::Locker lock;
            const QRect rect(20 + (i % 4) * 190, 20 + (i / 4) % 26 * 20, 180, 19);
            layoutObject(engine, shortText(i), rect, scale);
            engine.DrawText(&painter, i % 3 == 0 ? haCenter : haLeft, vaCenter);
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ShortObjects)->Args({48, 100})->Args({300, 100})->Args({48, 200})->Unit(benchmark::kMicrosecond);

void BM_ParagraphLayout(benchmark::State &state)
{
    const QString text = paragraph();
    TfrxDrawText engine;
    for (auto _ : state) {
        TfrxDrawText::Locker lock;
        layoutObject(engine, text, QRect(0, 0, 300, 600), 1);
        benchmark::DoNotOptimize(engine.CalcHeight());
    }
}
BENCHMARK(BM_ParagraphLayout)->Unit(benchmark::kMicrosecond);

void BM_ParagraphDraw(benchmark::State &state)
{
    const QString text = paragraph();
    QImage image(320, 620, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TfrxDrawText engine;
    for (auto _ : state) {
        TfrxDrawText::Locker lock;
        layoutObject(engine, text, QRect(0, 0, 300, 600), 1);
        engine.DrawText(&painter, haBlock, vaTop);
    }
}
BENCHMARK(BM_ParagraphDraw)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
