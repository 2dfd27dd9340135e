#pragma once

#include "TfrxCustomMemoView.h"

#include <QPointer>
#include <QTextEdit>

// The editor that opens over a text object to change its text where it stands: the object's
// font at the workspace's zoom on the object's colour (white when it has none). It grows down as
// lines are added. Escape discards the text; leaving the editor keeps it.
class TfrxInplaceMemo : public QTextEdit
{
    Q_OBJECT

public:
    explicit TfrxInplaceMemo(QWidget *parent = nullptr);

    // Covers rect (widget pixels) with the object's text, all of it selected.
    void Open(TfrxCustomMemoView *memo, const QRect &rect, double scale);
    // Hides the editor without a word: the workspace closes it itself.
    void Close();
    TfrxCustomMemoView *Memo() const { return FMemo; }
    // Whether the text differs from the object's.
    bool Changed() const;
    // Whether the editor grew beyond the object it covers.
    bool Grew() const { return size() != FOpenSize; }

signals:
    // Escape (apply false) or the focus went elsewhere (apply true).
    void Finished(bool apply);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void FitToText();

    QPointer<TfrxCustomMemoView> FMemo;
    QSize FOpenSize;
    bool FFinished = false;
};
