#pragma once

#include <QDialog>

#include <memory>

class TfrxFrame;

// The frame editor: which of the four lines are drawn, the style, colour and width of the chosen
// lines, and the drop shadow with its size and colour, with a sample. It edits a copy of the frame
// given; Frame() is the result.
//
// The chosen lines are those switched on; with none or all four on, the style, colour and width
// are the frame's own, which sets every line.
class TfrxFrameEditorForm : public QDialog
{
    Q_OBJECT

public:
    explicit TfrxFrameEditorForm(const TfrxFrame &frame, QWidget *parent = nullptr);
    ~TfrxFrameEditorForm() override;

    const TfrxFrame &Frame() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
