#include "TfrxExprEditorForm.h"

#include "TfrxCustomDesigner.h"
#include "TfrxDataTree.h"
#include "TfrxReport.h"
#include "zorDialogKit.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

const QString section = QStringLiteral("Form5.TfrxExprEditorForm/");
const char *const placeKeys[] = {"Left", "Top", "Width", "Height"};

// Where the tree was scrolled when the editor last closed, for this run only.
int &rememberedScroll()
{
    static int position = 0;
    return position;
}

} // namespace

TfrxExprEditorForm::TfrxExprEditorForm(TfrxCustomDesigner &designer, QWidget *parent)
    : QDialog(parent), FDesigner(designer)
{
    setWindowTitle(zorText("4400"));
    auto *editPane = new QWidget(this);
    auto *editLayout = new QVBoxLayout(editPane);
    editLayout->setContentsMargins(0, 0, 0, 0);
    FEdit = new QPlainTextEdit(editPane);
    FEdit->setObjectName(QStringLiteral("ExprMemo"));
    auto *caption = new QLabel(zorText("4401"), editPane);
    caption->setBuddy(FEdit);
    editLayout->addWidget(caption);
    editLayout->addWidget(FEdit, 1);

    FTree = new TfrxDataTree(designer, this);
    FTree->setObjectName(QStringLiteral("DataTree"));
    connect(FTree, &TfrxDataTree::Activated, this, &TfrxExprEditorForm::InsertAtCaret);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(editPane);
    splitter->addWidget(FTree);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setChildrenCollapsible(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(zorOkCancelButtons(this));
    zorAcceptOnCtrlEnter(this);
    resize(640, 420);
    RestorePlace();
    FTree->SetScrollPosition(rememberedScroll());
    FEdit->setFocus();
}

QString TfrxExprEditorForm::Expression() const
{
    return FEdit->toPlainText();
}

void TfrxExprEditorForm::SetExpression(const QString &text)
{
    FEdit->setPlainText(text);
    FEdit->moveCursor(QTextCursor::End);
}

void TfrxExprEditorForm::InsertAtCaret(const QString &text)
{
    if (text.isEmpty())
        return;
    FEdit->insertPlainText(text);
    FEdit->setFocus();
}

void TfrxExprEditorForm::done(int result)
{
    rememberedScroll() = FTree->ScrollPosition();
    SavePlace();
    QDialog::done(result);
}

// A stored place is taken only when it lies on a screen of this session.
void TfrxExprEditorForm::RestorePlace()
{
    const std::unique_ptr<QSettings> store = FDesigner.Report().GetIniFile();
    if (!store || !store->contains(section + QLatin1StringView(placeKeys[0])))
        return;
    int values[4];
    for (int i = 0; i < 4; ++i)
        values[i] = store->value(section + QLatin1StringView(placeKeys[i])).toInt();
    const QRect place(values[0], values[1], values[2], values[3]);
    if (place.width() < minimumSizeHint().width() || place.height() < minimumSizeHint().height())
        return;
    if (QGuiApplication::screenAt(place.center()) == nullptr)
        return;
    setGeometry(place);
}

void TfrxExprEditorForm::SavePlace() const
{
    const std::unique_ptr<QSettings> store = FDesigner.Report().GetIniFile();
    if (!store)
        return;
    const QRect place = geometry();
    const int values[] = {place.x(), place.y(), place.width(), place.height()};
    for (int i = 0; i < 4; ++i)
        store->setValue(section + QLatin1StringView(placeKeys[i]), values[i]);
}
