#pragma once

#include <QWidget>

class QCheckBox;
class QListWidget;
class QPushButton;
class QToolButton;
class TfrxCollection;
class TfrxColorButton;
class TfrxCustomDesigner;
class TfrxCustomMemoView;
class TfrxHighlight;
class TfrxHighlightSample;

// The conditional highlights of a text object: the list of conditions, each edited through the
// expression editor, and for the chosen one the frame, fill and font it applies and whether the
// object stays visible, with a sample. It works on a copy that Store hands to the object.
class TfrxHighlightEditor : public QWidget
{
    Q_OBJECT

public:
    TfrxHighlightEditor(TfrxCustomDesigner &designer, const TfrxCustomMemoView &memo,
                        QWidget *parent = nullptr);
    ~TfrxHighlightEditor() override;

    // The list replaces the object's highlights; an empty list leaves one empty highlight, which
    // every text object has.
    void Store(TfrxCustomMemoView &memo) const;

private:
    TfrxHighlight *Current() const;
    void Add();
    void Edit();
    void Delete();
    void Move(int step);
    void EditFrame();
    void EditFill();
    void EditFont();
    void ShowCurrent();
    void FillList(int selected);
    void ApplySwitches();

    TfrxCustomDesigner &FDesigner;
    TfrxCollection *FHighlights;
    QListWidget *FConditions;
    QPushButton *FEditButton;
    QPushButton *FDeleteButton;
    QToolButton *FUpButton;
    QToolButton *FDownButton;
    QCheckBox *FApplyFrame;
    QCheckBox *FApplyFill;
    QCheckBox *FApplyFont;
    QCheckBox *FVisible;
    QPushButton *FFrameButton;
    QPushButton *FFillButton;
    QPushButton *FFontButton;
    TfrxColorButton *FFontColor;
    TfrxHighlightSample *FSample;
};
