#pragma once

#include <QDialog>

#include <memory>

class TfrxCustomFill;

// The fill editor: the pages Brush (background and foreground colour, brush style), Gradient
// (start and end colour, style) and Glass (colour, blend, orientation, hatch), with a sample. The
// page shown when the dialog closes decides the kind of fill.
class TfrxFillEditorForm : public QDialog
{
    Q_OBJECT

public:
    // Opens on the page of the given fill, with its values; the other pages start from defaults.
    explicit TfrxFillEditorForm(const TfrxCustomFill *fill, QWidget *parent = nullptr);
    ~TfrxFillEditorForm() override;

    // A new fill of the kind of the page shown, with that page's values.
    std::unique_ptr<TfrxCustomFill> Fill() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
