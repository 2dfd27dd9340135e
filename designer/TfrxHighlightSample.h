#pragma once

#include <QWidget>

#include <memory>

class TfrxCustomMemoView;
class TfrxHighlight;
class TfrxMemoView;

// The text object drawn as the report draws it with a highlight applied: what the highlight
// editor's sample shows. A highlight that hides the object leaves the sample empty.
class TfrxHighlightSample : public QWidget
{
    Q_OBJECT

public:
    TfrxHighlightSample(const TfrxCustomMemoView &memo, QWidget *parent = nullptr);
    ~TfrxHighlightSample() override;

    // None: the object as it is.
    void SetHighlight(const TfrxHighlight *highlight);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const TfrxCustomMemoView &FMemo;
    const TfrxHighlight *FHighlight = nullptr;
};
