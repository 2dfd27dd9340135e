#include "TfrxHighlightSample.h"

#include "TfrxHighlight.h"
#include "TfrxMemoView.h"

#include <QPainter>

namespace {

// What the sample says when the object has no text of its own.
const QString sampleText = QStringLiteral("AaBbCcYyZz");
constexpr int inset = 4;

} // namespace

TfrxHighlightSample::TfrxHighlightSample(const TfrxCustomMemoView &memo, QWidget *parent)
    : QWidget(parent), FMemo(memo)
{
    setMinimumHeight(48);
}

TfrxHighlightSample::~TfrxHighlightSample() = default;

void TfrxHighlightSample::SetHighlight(const TfrxHighlight *highlight)
{
    FHighlight = highlight;
    update();
}

QSize TfrxHighlightSample::sizeHint() const
{
    return {200, 60};
}

void TfrxHighlightSample::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    TfrxMemoView view;
    view.Assign(&FMemo);
    if (FMemo.Memo().join(QString()).trimmed().isEmpty())
        view.SetText(sampleText);
    view.SetBounds(inset, inset, width() - 2 * inset, height() - 2 * inset);
    if (FHighlight != nullptr)
        view.ApplyHighlight(FHighlight);
    if (view.Visible())
        view.Draw(&painter, 1, 1, 0, 0);
}
