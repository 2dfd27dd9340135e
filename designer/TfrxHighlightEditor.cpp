#include "TfrxHighlightEditor.h"

#include "TfrxCollection.h"
#include "TfrxColorButton.h"
#include "TfrxCustomDesigner.h"
#include "TfrxCustomFill.h"
#include "TfrxCustomMemoView.h"
#include "TfrxFont.h"
#include "TfrxFrame.h"
#include "TfrxHighlight.h"
#include "TfrxHighlightSample.h"
#include "zorDesignerIcons.h"
#include "zorDialogKit.h"
#include "zorEditorDialogs.h"
#include "zorFontDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace zor;

namespace {

// What a new condition starts from.
const QString newCondition = QStringLiteral("Value = 0");

QPushButton *button(const char *caption, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(zorText(caption), parent);
    b->setObjectName(QLatin1StringView(name));
    return b;
}

QCheckBox *checkBox(const char *caption, const char *name, QWidget *parent)
{
    auto *box = new QCheckBox(zorText(caption), parent);
    box->setObjectName(QLatin1StringView(name));
    return box;
}

QPushButton *ellipsis(const char *name, QWidget *parent)
{
    auto *b = new QPushButton(QStringLiteral("..."), parent);
    b->setObjectName(QLatin1StringView(name));
    b->setMaximumWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("...")) * 3);
    return b;
}

QToolButton *arrow(QStyle::StandardPixmap picture, const char *name, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1StringView(name));
    b->setIcon(parent->style()->standardIcon(picture));
    return b;
}

// A single highlight with an empty condition is what every text object has: no highlight at all.
bool holdsNone(const TfrxCollection &highlights)
{
    return highlights.Count() == 1 &&
           static_cast<const TfrxHighlight *>(highlights.Item(0))->Condition().trimmed().isEmpty();
}

} // namespace

TfrxHighlightEditor::TfrxHighlightEditor(TfrxCustomDesigner &designer, const TfrxCustomMemoView &memo,
                                         QWidget *parent)
    : QWidget(parent), FDesigner(designer),
      FHighlights(new TfrxCollection([](TfrxCollection *) { return new TfrxHighlight; }, this))
{
    for (const TfrxCollectionItem *item : memo.Highlights()->Items())
        FHighlights->Add()->Assign(item);
    if (holdsNone(*FHighlights))
        FHighlights->Clear();

    FConditions = new QListWidget(this);
    FConditions->setObjectName(QStringLiteral("ConditionsLB"));
    QPushButton *addButton = button("4602", "AddB", this);
    FEditButton = button("4604", "EditB", this);
    FDeleteButton = button("4603", "DeleteB", this);
    FUpButton = arrow(QStyle::SP_ArrowUp, "UpB", this);
    FDownButton = arrow(QStyle::SP_ArrowDown, "DownB", this);

    auto *conditions = new QGroupBox(zorText("4601"), this);
    auto *buttons = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{addButton, FEditButton, FDeleteButton})
        buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(FUpButton);
    buttons->addWidget(FDownButton);
    auto *conditionsLayout = new QVBoxLayout(conditions);
    conditionsLayout->addWidget(FConditions, 1);
    conditionsLayout->addLayout(buttons);

    auto *style = new QGroupBox(zorText("4605"), this);
    FApplyFrame = checkBox("4606", "FrameCB", style);
    FApplyFill = checkBox("4607", "FillCB", style);
    FApplyFont = checkBox("4608", "FontCB", style);
    FVisible = checkBox("4609", "VisibleCB", style);
    FFrameButton = ellipsis("FrameB", style);
    FFillButton = ellipsis("FillB", style);
    FFontButton = ellipsis("FontB", style);
    FFontColor = new TfrxColorButton(zorDesignerIcon("fontColor"), zorText("4608"), clRed, style);
    FFontColor->setObjectName(QStringLiteral("FontColorB"));
    FSample = new TfrxHighlightSample(memo, style);
    FSample->setObjectName(QStringLiteral("Sample"));
    auto *styleGrid = new QGridLayout(style);
    styleGrid->addWidget(FApplyFrame, 0, 0);
    styleGrid->addWidget(FFrameButton, 0, 1);
    styleGrid->addWidget(FApplyFill, 1, 0);
    styleGrid->addWidget(FFillButton, 1, 1);
    styleGrid->addWidget(FApplyFont, 2, 0);
    styleGrid->addWidget(FFontButton, 2, 1);
    styleGrid->addWidget(FFontColor, 2, 2);
    styleGrid->addWidget(FVisible, 3, 0);
    styleGrid->addWidget(FSample, 4, 0, 1, 4);
    styleGrid->setColumnStretch(3, 1);
    styleGrid->setRowStretch(5, 1);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(conditions, 1);
    layout->addWidget(style, 1);

    connect(addButton, &QPushButton::clicked, this, &TfrxHighlightEditor::Add);
    connect(FEditButton, &QPushButton::clicked, this, &TfrxHighlightEditor::Edit);
    connect(FConditions, &QListWidget::itemDoubleClicked, this, &TfrxHighlightEditor::Edit);
    connect(FDeleteButton, &QPushButton::clicked, this, &TfrxHighlightEditor::Delete);
    connect(FUpButton, &QToolButton::clicked, this, [this] { Move(-1); });
    connect(FDownButton, &QToolButton::clicked, this, [this] { Move(1); });
    connect(FConditions, &QListWidget::currentRowChanged, this, &TfrxHighlightEditor::ShowCurrent);
    for (QCheckBox *box : {FApplyFrame, FApplyFill, FApplyFont, FVisible})
        connect(box, &QCheckBox::toggled, this, &TfrxHighlightEditor::ApplySwitches);
    connect(FFrameButton, &QPushButton::clicked, this, &TfrxHighlightEditor::EditFrame);
    connect(FFillButton, &QPushButton::clicked, this, &TfrxHighlightEditor::EditFill);
    connect(FFontButton, &QPushButton::clicked, this, &TfrxHighlightEditor::EditFont);
    connect(FFontColor, &TfrxColorButton::ColorChosen, this, [this](int color) {
        if (TfrxHighlight *h = Current()) {
            h->Font()->SetColor(color);
            FSample->update();
        }
    });
    FillList(0);
}

TfrxHighlightEditor::~TfrxHighlightEditor() = default;

void TfrxHighlightEditor::Store(TfrxCustomMemoView &memo) const
{
    TfrxCollection *target = memo.Highlights();
    target->Clear();
    for (const TfrxCollectionItem *item : FHighlights->Items())
        target->Add()->Assign(item);
    if (target->Count() == 0)
        target->Add();
}

TfrxHighlight *TfrxHighlightEditor::Current() const
{
    return static_cast<TfrxHighlight *>(FHighlights->Item(FConditions->currentRow()));
}

void TfrxHighlightEditor::Add()
{
    const QString condition = FDesigner.InsertExpression(newCondition);
    if (condition.isEmpty())
        return;
    static_cast<TfrxHighlight *>(FHighlights->Add())->SetCondition(condition);
    FillList(int(FHighlights->Count()) - 1);
}

void TfrxHighlightEditor::Edit()
{
    TfrxHighlight *h = Current();
    if (h == nullptr)
        return;
    const QString condition = FDesigner.InsertExpression(h->Condition());
    if (condition.isEmpty())
        return;
    h->SetCondition(condition);
    FillList(FConditions->currentRow());
}

// The successor of the deleted condition is chosen, or the new last one.
void TfrxHighlightEditor::Delete()
{
    const int row = FConditions->currentRow();
    if (row < 0)
        return;
    FHighlights->Delete(row);
    FillList(std::min(row, int(FHighlights->Count()) - 1));
}

void TfrxHighlightEditor::Move(int step)
{
    const int row = FConditions->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= FHighlights->Count())
        return;
    FHighlights->Move(row, target);
    FillList(target);
}

void TfrxHighlightEditor::EditFrame()
{
    TfrxHighlight *h = Current();
    TfrxFrame frame;
    frame.Assign(h->Frame());
    if (zorEditFrame(this, frame)) {
        h->SetFrame(&frame);
        FSample->update();
    }
}

void TfrxHighlightEditor::EditFill()
{
    TfrxHighlight *h = Current();
    if (const std::unique_ptr<TfrxCustomFill> fill = zorEditFill(this, h->Fill())) {
        h->SetFill(fill.get());
        FSample->update();
    }
}

void TfrxHighlightEditor::EditFont()
{
    zorChooseFont(*Current()->Font(), this, zorText("4608"));
    FSample->update();
}

void TfrxHighlightEditor::FillList(int selected)
{
    FConditions->clear();
    for (const TfrxCollectionItem *item : FHighlights->Items())
        FConditions->addItem(static_cast<const TfrxHighlight *>(item)->Condition());
    FConditions->setCurrentRow(selected);
    ShowCurrent();
}

// The switches and buttons show the chosen highlight; without one they are off.
void TfrxHighlightEditor::ShowCurrent()
{
    const TfrxHighlight *h = Current();
    const bool chosen = h != nullptr;
    const std::pair<QCheckBox *, bool> switches[] = {{FApplyFrame, chosen && h->ApplyFrame()},
                                                     {FApplyFill, chosen && h->ApplyFill()},
                                                     {FApplyFont, chosen && h->ApplyFont()},
                                                     {FVisible, chosen && h->Visible()}};
    for (const auto &[box, on] : switches) {
        const QSignalBlocker blocker(box);
        box->setChecked(on);
        box->setEnabled(chosen);
    }
    if (chosen)
        FFontColor->SetColor(h->Font()->Color());
    for (QWidget *w : std::initializer_list<QWidget *>{FEditButton, FDeleteButton, FUpButton, FDownButton})
        w->setEnabled(chosen);
    FFrameButton->setEnabled(chosen && h->ApplyFrame());
    FFillButton->setEnabled(chosen && h->ApplyFill());
    FFontButton->setEnabled(chosen && h->ApplyFont());
    FFontColor->setEnabled(chosen && h->ApplyFont());
    FSample->SetHighlight(h);
}

void TfrxHighlightEditor::ApplySwitches()
{
    TfrxHighlight *h = Current();
    if (h == nullptr)
        return;
    h->SetApplyFrame(FApplyFrame->isChecked());
    h->SetApplyFill(FApplyFill->isChecked());
    h->SetApplyFont(FApplyFont->isChecked());
    h->SetVisible(FVisible->isChecked());
    ShowCurrent();
}
