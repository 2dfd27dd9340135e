#pragma once

#include <QDialog>

#include <memory>

class QComboBox;
class QDoubleSpinBox;
class QRadioButton;
class TfrxCustomPrinter;
class TfrxReport;
class TfrxReportPage;

// "Page Settings" of the preview: paper size, width and height, orientation and margins of the
// current prepared page, applied to it or to every page. Lengths are shown in centimetres, or in
// inches when the designer is set to inches.
class TfrxPageSettingsForm : public QDialog
{
    Q_OBJECT

public:
    // pageIndex: the prepared page shown, from 0. templatePages: apply-to-all changes the
    // template's pages (the report is then prepared again) rather than the prepared pages.
    TfrxPageSettingsForm(TfrxReport &report, int pageIndex, QWidget *parent = nullptr,
                         bool templatePages = true);
    ~TfrxPageSettingsForm() override;

    bool ApplyToAll() const;
    bool Inches() const { return FUnit == 25.4; }

    void accept() override;

private:
    void readPage(const TfrxReportPage &page);
    void writePage(TfrxReportPage &page) const;
    void paperChosen();
    void sizeTyped();
    QDoubleSpinBox *lengthBox(const char *name);
    // The current printer, or a virtual one with every standard paper when it failed to
    // initialise, so that papers and sizes are never empty.
    TfrxCustomPrinter *paperPrinter();

    std::unique_ptr<TfrxCustomPrinter> FStandIn;

    TfrxReport &FReport;
    int FPageIndex;
    bool FTemplatePages;
    double FUnit = 10; // millimetres per unit shown
    bool FUpdating = false;
    QComboBox *PaperCB;
    QDoubleSpinBox *WidthE;
    QDoubleSpinBox *HeightE;
    QRadioButton *PortraitRB;
    QRadioButton *LandscapeRB;
    QDoubleSpinBox *LeftE;
    QDoubleSpinBox *TopE;
    QDoubleSpinBox *RightE;
    QDoubleSpinBox *BottomE;
    QRadioButton *CurrentRB;
    QRadioButton *AllRB;
};
