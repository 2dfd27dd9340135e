#include "TfrxVarEditorForm.h"

#include "TfrxCustomDesigner.h"
#include "TfrxDataTree.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxReport.h"
#include "TfrxVariable.h"
#include "TfrxVariables.h"
#include "TfrxVariablesCopy.h"
#include "TfrxVariablesFile.h"
#include "zorDialogKit.h"
#include "zorEditorDialogs.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString settingsSection = QStringLiteral("Form5.TfrxVarEditorForm/");
constexpr int defaultExpressionHeight = 76;
constexpr int defaultTreeWidth = 400;

// The stored name of an entry (a category with its leading space); none for the root.
QString storedName(const QTreeWidgetItem *item)
{
    return item != nullptr ? item->data(0, Qt::UserRole).toString() : QString();
}

bool isCategory(const QTreeWidgetItem *item)
{
    return storedName(item).startsWith(u' ');
}

} // namespace

struct TfrxVarEditorForm::Private
{
    Private(TfrxVarEditorForm *form, TfrxCustomDesigner &owner)
        : q(form), designer(owner), copy(*owner.Report().Variables())
    {
    }

    TfrxVarEditorForm *q;
    TfrxCustomDesigner &designer;
    TfrxVariablesCopy copy;
    LinesEditor linesEditor = zorEditLines;
    QTreeWidget *tree = nullptr;
    QPlainTextEdit *expression = nullptr;
    QSplitter *panels = nullptr;    // the tree panel | the data tree
    QSplitter *treePanel = nullptr; // the tree over the expression box
    // The variable whose value the expression box shows, and whether the operator changed it.
    QString shownVariable;
    bool expressionEdited = false;
    bool updating = false;

    QWidget *commandBar();
    QWidget *expressionPanel();
    void restoreLayout();
    void saveLayout() const;

    QTreeWidgetItem *root() const { return tree->topLevelItem(0); }
    void rebuild(const QString &select);
    void showValue(QTreeWidgetItem *item);
    void storeValue();
    QString targetCategory() const;
    void renamed(QTreeWidgetItem *item);
    void showError(const QString &text) const { TfrxDesignerDialogs::Current().ShowError(q, text); }

    void addCategory();
    void addVariable();
    void editName();
    void deleteEntry();
    void editList();
    void load();
    void save();
};

// The commands as a row of flat buttons, named after their captions' meaning for tests.
QWidget *TfrxVarEditorForm::Private::commandBar()
{
    struct Command
    {
        const char *name;
        const char *caption;
        void (Private::*run)();
    };
    static const Command commands[] = {
        {"CategoryB", "2901", &Private::addCategory},
        {"VariableB", "2902", &Private::addVariable},
        {"EditB", "2903", &Private::editName},
        {"DeleteB", "2904", &Private::deleteEntry},
        {"ListB", "2905", &Private::editList},
        {"LoadB", "2906", &Private::load},
        {"SaveB", "2907", &Private::save},
    };
    auto *bar = new QWidget(q);
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (const Command &command : commands) {
        auto *button = new QToolButton(bar);
        button->setObjectName(QLatin1String(command.name));
        button->setText(zorText(command.caption));
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, q, [this, run = command.run] { (this->*run)(); });
        layout->addWidget(button);
    }
    layout->addStretch();
    return bar;
}

QWidget *TfrxVarEditorForm::Private::expressionPanel()
{
    auto *panel = new QWidget(q);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    expression = new QPlainTextEdit(panel);
    expression->setObjectName(QStringLiteral("ExpressionM"));
    expression->setTabChangesFocus(true);
    auto *label = new QLabel(zorText("2908"), panel);
    label->setBuddy(expression);
    layout->addWidget(label);
    layout->addWidget(expression, 1);
    connect(expression, &QPlainTextEdit::textChanged, q, [this] {
        if (!updating)
            expressionEdited = true;
    });
    return panel;
}

void TfrxVarEditorForm::Private::restoreLayout()
{
    int expressionHeight = defaultExpressionHeight;
    int treeWidth = defaultTreeWidth;
    if (const std::unique_ptr<QSettings> settings = designer.Report().GetIniFile()) {
        expressionHeight =
            settings->value(settingsSection + QStringLiteral("Split1Pos"), expressionHeight).toInt();
        treeWidth = settings->value(settingsSection + QStringLiteral("Split2Pos"), treeWidth).toInt();
    }
    // A damaged store must not hide a panel.
    expressionHeight = std::clamp(expressionHeight, 40, 2000);
    treeWidth = std::clamp(treeWidth, 150, 3000);
    const int dataTreeWidth = 260;
    const int treeHeight = 300;
    treePanel->setSizes({treeHeight, expressionHeight});
    panels->setSizes({treeWidth, dataTreeWidth});
    q->resize(treeWidth + dataTreeWidth + 24, treeHeight + expressionHeight + 100);
}

void TfrxVarEditorForm::Private::saveLayout() const
{
    const std::unique_ptr<QSettings> settings = designer.Report().GetIniFile();
    if (!settings)
        return;
    settings->setValue(settingsSection + QStringLiteral("Split1Pos"), treePanel->sizes().value(1));
    settings->setValue(settingsSection + QStringLiteral("Split2Pos"), panels->sizes().value(0));
}

// The tree anew from the copy, fully expanded, with the entry of a stored name selected (the
// root when there is none).
void TfrxVarEditorForm::Private::rebuild(const QString &select)
{
    updating = true;
    tree->clear();
    const TfrxVariables &variables = copy.Variables();
    auto *top = new QTreeWidgetItem(tree, {zorText(variables.Count() > 0 ? "vaVar" : "vaNoVar")});
    QTreeWidgetItem *selected = top;
    QTreeWidgetItem *category = top;
    for (qsizetype i = 0; i < variables.Count(); ++i) {
        const TfrxVariable *variable = variables.Items(i);
        const QString name = variable->Name();
        QTreeWidgetItem *parent = variable->IsCategory() ? top : category;
        auto *item = new QTreeWidgetItem(parent, {variable->IsCategory() ? name.mid(1) : name});
        item->setData(0, Qt::UserRole, name);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        if (variable->IsCategory())
            category = item;
        if (name.compare(select, Qt::CaseInsensitive) == 0)
            selected = item;
    }
    tree->expandAll();
    updating = false;
    shownVariable.clear();
    tree->setCurrentItem(selected);
    showValue(selected);
}

// The expression box follows the selected variable; it is closed for the root and categories.
void TfrxVarEditorForm::Private::showValue(QTreeWidgetItem *item)
{
    const bool variable = item != nullptr && item != root() && !isCategory(item);
    updating = true;
    shownVariable = variable ? storedName(item) : QString();
    expression->setPlainText(variable ? copy.Variables().Variable(shownVariable).toString() : QString());
    expression->setEnabled(variable);
    expressionEdited = false;
    updating = false;
}

// A value the operator typed is kept as the variable's text (an expression when the report runs).
void TfrxVarEditorForm::Private::storeValue()
{
    if (!expressionEdited || shownVariable.isEmpty())
        return;
    copy.Variables().SetVariable(shownVariable, expression->toPlainText());
    expressionEdited = false;
}

// Where "Variable" adds: the selected category, the category of the selected variable, or, with
// the root or nothing selected, the last entry under the root when it is a category.
QString TfrxVarEditorForm::Private::targetCategory() const
{
    QTreeWidgetItem *item = tree->currentItem();
    if (item == nullptr || item == root())
        item = root()->child(root()->childCount() - 1);
    else if (!isCategory(item))
        item = item->parent();
    return isCategory(item) ? storedName(item).mid(1) : QString();
}

void TfrxVarEditorForm::Private::renamed(QTreeWidgetItem *item)
{
    const QString oldName = storedName(item);
    if (updating || oldName.isEmpty())
        return;
    const QString shownName = isCategory(item) ? oldName.mid(1) : oldName;
    if (item->text(0) == shownName)
        return;
    QString newName;
    const bool accepted = copy.Rename(oldName, item->text(0), newName);
    updating = true;
    item->setText(0, accepted ? (isCategory(item) ? newName.mid(1) : newName) : shownName);
    if (accepted)
        item->setData(0, Qt::UserRole, newName);
    updating = false;
    if (accepted && shownVariable == oldName)
        shownVariable = newName;
    if (!accepted)
        showError(zorText("vaDupName"));
}

void TfrxVarEditorForm::Private::addCategory()
{
    storeValue();
    rebuild(copy.AddCategory());
}

void TfrxVarEditorForm::Private::addVariable()
{
    if (copy.Variables().Count() == 0)
        return;
    storeValue();
    rebuild(copy.AddVariable(targetCategory()));
}

void TfrxVarEditorForm::Private::editName()
{
    QTreeWidgetItem *item = tree->currentItem();
    if (item != nullptr && item != root())
        tree->editItem(item);
}

void TfrxVarEditorForm::Private::deleteEntry()
{
    QTreeWidgetItem *item = tree->currentItem();
    if (item == nullptr || item == root())
        return;
    storeValue();
    copy.Delete(storedName(item));
    rebuild(QString());
}

void TfrxVarEditorForm::Private::editList()
{
    storeValue();
    QStringList lines = copy.Lines();
    if (!linesEditor || !linesEditor(q, lines))
        return;
    if (!copy.SetLines(lines)) {
        showError(zorText("vaDupName"));
        return;
    }
    rebuild(QString());
}

void TfrxVarEditorForm::Private::load()
{
    const QString fileName = TfrxDesignerDialogs::Current().OpenFileName(q, QString(), zorFilterText("2909"));
    if (fileName.isEmpty())
        return;
    QString error;
    if (!TfrxVariablesFile::Load(fileName, copy.Variables(), error)) {
        showError(QStringList({zorText("dsCantLoad"), fileName, error}).join(u'\n').trimmed());
        return;
    }
    rebuild(QString());
}

void TfrxVarEditorForm::Private::save()
{
    storeValue();
    const QString fileName = TfrxDesignerDialogs::Current().SaveFileName(q, QString(), zorFilterText("2910"),
                                                                         QStringLiteral("fd3"));
    if (fileName.isEmpty())
        return;
    QString error;
    if (!TfrxVariablesFile::Save(fileName, copy.Variables(), error))
        showError(zorText("dsCantSaveFile", {fileName}) + u'\n' + error);
}

TfrxVarEditorForm::TfrxVarEditorForm(TfrxCustomDesigner &designer, QWidget *parent)
    : QDialog(parent), d(std::make_unique<Private>(this, designer))
{
    setObjectName(QStringLiteral("TfrxVarEditorForm"));
    setWindowTitle(zorText("2900"));
    d->tree = new QTreeWidget(this);
    d->tree->setObjectName(QStringLiteral("VariablesTV"));
    d->tree->header()->hide();
    d->tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    d->tree->installEventFilter(this);
    d->treePanel = new QSplitter(Qt::Vertical, this);
    d->treePanel->addWidget(d->tree);
    d->treePanel->addWidget(d->expressionPanel());
    d->treePanel->setChildrenCollapsible(false);
    auto *dataTree = new TfrxDataTree(designer, this);
    dataTree->setObjectName(QStringLiteral("DataTree"));
    d->panels = new QSplitter(Qt::Horizontal, this);
    d->panels->addWidget(d->treePanel);
    d->panels->addWidget(dataTree);
    d->panels->setStretchFactor(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(d->commandBar());
    layout->addWidget(d->panels, 1);
    QDialogButtonBox *buttons = zorOkCancelButtons(this);
    // Enter belongs to the tree (renaming) and the expression box; OK is Ctrl+Enter.
    for (QAbstractButton *button : buttons->buttons()) {
        if (auto *push = qobject_cast<QPushButton *>(button)) {
            push->setAutoDefault(false);
            push->setDefault(false);
        }
    }
    layout->addWidget(buttons);
    for (const QKeySequence &keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &TfrxVarEditorForm::accept);

    d->restoreLayout();
    d->rebuild(QString());
    connect(d->tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current) {
        if (d->updating)
            return;
        d->storeValue();
        d->showValue(current);
    });
    connect(d->tree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item) { d->renamed(item); });
    connect(dataTree, &TfrxDataTree::Activated, this, [this](const QString &text) {
        if (d->expression->isEnabled())
            d->expression->insertPlainText(text);
    });
}

// The tree tells of a changed current item while it is destroyed, after the private part is gone.
TfrxVarEditorForm::~TfrxVarEditorForm()
{
    disconnect(d->tree, nullptr, this, nullptr);
}

void TfrxVarEditorForm::SetLinesEditor(LinesEditor editor)
{
    d->linesEditor = std::move(editor);
}

const TfrxVariables &TfrxVarEditorForm::Variables() const
{
    return d->copy.Variables();
}

// A value still being typed counts: it is stored before the copy replaces the report's variables.
void TfrxVarEditorForm::accept()
{
    d->storeValue();
    TfrxVariablesCopy::Copy(d->copy.Variables(), *d->designer.Report().Variables());
    QDialog::accept();
}

void TfrxVarEditorForm::done(int result)
{
    d->saveLayout();
    QDialog::done(result);
}

// Insert adds (a variable, or a category while there are none), Delete deletes, Enter and F2
// rename.
bool TfrxVarEditorForm::eventFilter(QObject *watched, QEvent *event)
{
    // A key the name editor did not take (Enter, which ends the edit) comes up to the tree too.
    if (watched != d->tree || event->type() != QEvent::KeyPress || !d->tree->hasFocus())
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return QDialog::eventFilter(watched, event);
    switch (key->key()) {
    case Qt::Key_Insert:
        d->copy.Variables().Count() > 0 ? d->addVariable() : d->addCategory();
        return true;
    case Qt::Key_Delete:
        d->deleteEntry();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        d->editName();
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}
