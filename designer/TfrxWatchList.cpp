#include "TfrxWatchList.h"

#include "TfrxEvaluateForm.h"
#include "zorDebuggerIcons.h"
#include "zorDialogKit.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int expressionRole = Qt::UserRole;

} // namespace

TfrxWatchList::TfrxWatchList(QWidget *parent) : QWidget(parent), FList(new QListWidget(this))
{
    setObjectName(QStringLiteral("WatchList"));
    FList->setObjectName(QStringLiteral("WatchItems"));
    auto *bar = new QToolBar(this);
    auto *title = new QLabel(zorText("5900"), bar);
    title->setContentsMargins(4, 0, 8, 0);
    bar->addWidget(title);
    bar->setIconSize(QSize(16, 16));
    bar->addAction(zorDebuggerIcon("addWatch"), zorText("5901"), this, &TfrxWatchList::AddWatch);
    bar->addAction(zorDebuggerIcon("editWatch"), zorText("5903"), this,
                   [this] { EditWatch(FList->currentItem()); });
    bar->addAction(zorDebuggerIcon("deleteWatch"), zorText("5902"), this, &TfrxWatchList::DeleteWatch);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(FList, 1);
    connect(FList, &QListWidget::itemDoubleClicked, this, &TfrxWatchList::EditWatch);
    connect(FList, &QListWidget::itemChanged, this, [this] { Refresh(); });
}

QStringList TfrxWatchList::Expressions() const
{
    QStringList expressions;
    for (int i = 0; i < FList->count(); ++i)
        expressions.append(FList->item(i)->data(expressionRole).toString());
    return expressions;
}

void TfrxWatchList::SetExpressions(const QStringList &expressions)
{
    const QSignalBlocker blocker(FList);
    FList->clear();
    for (const QString &expression : expressions)
        NewItem(expression);
    Refresh();
}

void TfrxWatchList::SetEvaluator(Evaluator evaluate)
{
    FEvaluate = std::move(evaluate);
    Refresh();
}

QStringList TfrxWatchList::Texts() const
{
    QStringList texts;
    for (int i = 0; i < FList->count(); ++i)
        texts.append(FList->item(i)->text());
    return texts;
}

void TfrxWatchList::Refresh()
{
    const QSignalBlocker blocker(FList);
    for (int i = 0; i < FList->count(); ++i) {
        QListWidgetItem *item = FList->item(i);
        const QString expression = item->data(expressionRole).toString();
        QString value;
        if (item->checkState() != Qt::Checked)
            value = zorText("dsWatchDisabled");
        else
            value = FEvaluate ? FEvaluate(expression) : zorText("dsNotAccessible");
        item->setText(expression + QStringLiteral(": ") + value);
    }
}

QListWidgetItem *TfrxWatchList::NewItem(const QString &expression, bool checked)
{
    auto *item = new QListWidgetItem(FList);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    item->setData(expressionRole, expression);
    return item;
}

QString TfrxWatchList::AskExpression(const QString &expression)
{
    TfrxEvaluateForm form(this, expression);
    return form.exec() == QDialog::Accepted ? form.Expression().trimmed() : QString();
}

void TfrxWatchList::AddWatch()
{
    const QString expression = AskExpression(QString());
    if (expression.isEmpty())
        return;
    {
        const QSignalBlocker blocker(FList);
        FList->setCurrentItem(NewItem(expression));
    }
    Refresh();
    emit Changed();
}

void TfrxWatchList::EditWatch(QListWidgetItem *item)
{
    if (item == nullptr)
        return;
    const QString expression = AskExpression(item->data(expressionRole).toString());
    if (expression.isEmpty())
        return;
    {
        const QSignalBlocker blocker(FList);
        item->setData(expressionRole, expression);
    }
    Refresh();
    emit Changed();
}

void TfrxWatchList::DeleteWatch()
{
    delete FList->currentItem();
    emit Changed();
}
