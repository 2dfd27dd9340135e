#pragma once

#include <QDialog>

#include <memory>

class TfrxCustomDesigner;
class TfrxCustomPrinter;
class TfrxReportPage;

// "Page Options" of a report page: the paper and its orientation, margins and paper sources from
// the printer's lists, columns, duplex and the page's flags. Lengths are shown and read in the
// designer's units and stored in millimetres. OK applies the values to the page and to the page of
// every subreport on it; a value that is not a number keeps the dialog open and changes nothing.
class TfrxPageEditorForm : public QDialog
{
    Q_OBJECT

public:
    // printer: the printer whose papers and sources are offered.
    TfrxPageEditorForm(TfrxCustomDesigner &designer, TfrxReportPage &page, TfrxCustomPrinter &printer,
                       QWidget *parent = nullptr);
    ~TfrxPageEditorForm() override;

    void accept() override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
