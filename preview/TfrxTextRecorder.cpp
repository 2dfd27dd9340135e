#include "TfrxTextRecorder.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

class TfrxTextRecorder::Engine final : public QPaintEngine
{
public:
    Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & QPaintEngine::DirtyTransform)
            FTransform = state.transform();
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPath(const QPainterPath &path) override
    {
        if (FCapturing)
            FCaptured |= FTransform.mapRect(path.boundingRect());
    }
    // The base class turns the text into outlines and fills them: their bounds are the run's.
    void drawTextItem(const QPointF &p, const QTextItem &textItem) override
    {
        FCapturing = true;
        FCaptured = QRectF();
        QPaintEngine::drawTextItem(p, textItem);
        FCapturing = false;
        FRuns.append(FCaptured.isNull() ? QRectF(FTransform.map(p), QSizeF(0, 0)) : FCaptured);
    }

    QList<QRectF> FRuns;

private:
    QTransform FTransform;
    bool FCapturing = false;
    QRectF FCaptured;
};

TfrxTextRecorder::TfrxTextRecorder(QSize size) : FSize(size), FEngine(std::make_unique<Engine>()) {}

TfrxTextRecorder::~TfrxTextRecorder() = default;

QPaintEngine *TfrxTextRecorder::paintEngine() const { return FEngine.get(); }

QList<QRectF> TfrxTextRecorder::TakeTextBounds() { return std::exchange(FEngine->FRuns, {}); }

int TfrxTextRecorder::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return FSize.width();
    case PdmHeight:
        return FSize.height();
    case PdmWidthMM:
        return qRound(FSize.width() * 25.4 / 96);
    case PdmHeightMM:
        return qRound(FSize.height() * 25.4 / 96);
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDepth:
        return 32;
    case PdmNumColors:
        return 0x7fffffff;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}
