#include "TfrxInplaceMemo.h"

#include "TfrxCustomMemoView.h"
#include "TfrxFont.h"

#include <QKeyEvent>

#include <cmath>

using namespace zor;

TfrxInplaceMemo::TfrxInplaceMemo(QWidget *parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    setFrameShape(QFrame::Box);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    document()->setDocumentMargin(1);
    connect(this, &QTextEdit::textChanged, this, &TfrxInplaceMemo::FitToText);
}

void TfrxInplaceMemo::Open(TfrxCustomMemoView *memo, const QRect &rect, double scale)
{
    FMemo = memo;
    FFinished = false;
    QFont font = memo->Font()->ToQFont();
    font.setPixelSize(std::max(1, int(std::nearbyint(font.pixelSize() * scale))));
    setFont(font);
    const int colour = memo->Color();
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, colour == clTransparent ? QColor(Qt::white) : ToQColor(colour));
    palette.setColor(QPalette::Text, ToQColor(memo->Font()->Color()));
    setPalette(palette);
    setGeometry(rect);
    setPlainText(memo->Memo().join(QLatin1Char('\n')));
    // A text longer than its object opens grown already; only what the operator adds counts.
    FOpenSize = size();
    selectAll();
    show();
    setFocus(Qt::OtherFocusReason);
}

void TfrxInplaceMemo::Close()
{
    // Hiding takes the focus away, which must not finish the editing a second time.
    FFinished = true;
    hide();
}

bool TfrxInplaceMemo::Changed() const
{
    return FMemo != nullptr && toPlainText() != FMemo->Memo().join(QLatin1Char('\n'));
}

void TfrxInplaceMemo::FitToText()
{
    const int needed = int(std::ceil(document()->size().height())) + 2 * frameWidth();
    if (needed > height())
        resize(width(), needed);
}

void TfrxInplaceMemo::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        FFinished = true;
        emit Finished(false);
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void TfrxInplaceMemo::focusOutEvent(QFocusEvent *event)
{
    QTextEdit::focusOutEvent(event);
    if (!FFinished && !isHidden()) {
        FFinished = true;
        emit Finished(true);
    }
}
