#pragma once

#include <QFrame>

#include <functional>

// The sample of a dialog: a sunken panel on which the dialog draws what its values look like.
class TfrxSampleView : public QFrame
{
    Q_OBJECT

public:
    using Painter = std::function<void(QPainter &painter, const QRect &area)>;
    TfrxSampleView(Painter paint, QSize minimum, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Painter FPaint;
};
