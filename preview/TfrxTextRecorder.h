#pragma once

#include <QList>
#include <QPaintDevice>
#include <QRectF>

#include <memory>

class QPaintEngine;

// A drawing surface that draws nothing and keeps, in drawing order, the device bounds of every
// text output made on it (one per run of text). It stands for a screen of 96 pixels per inch.
class TfrxTextRecorder : public QPaintDevice
{
public:
    explicit TfrxTextRecorder(QSize size);
    ~TfrxTextRecorder() override;

    QPaintEngine *paintEngine() const override;
    // The bounds recorded since the last call, in drawing order.
    QList<QRectF> TakeTextBounds();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    QSize FSize;
    std::unique_ptr<Engine> FEngine;
};
