#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

class QListWidget;
class QListWidgetItem;

// The debugger's watches: expressions, each with a check box, shown with their values while a
// script runs. Add, Edit (also a double click) and Delete edit the list.
class TfrxWatchList : public QWidget
{
    Q_OBJECT

public:
    // The value of an expression as text; none while no script runs.
    using Evaluator = std::function<QString(const QString &expression)>;

    explicit TfrxWatchList(QWidget *parent = nullptr);

    QStringList Expressions() const;
    void SetExpressions(const QStringList &expressions);
    void SetEvaluator(Evaluator evaluate);
    // Shows every watch again: its value, ": disabled", or "not accessible" without a script.
    void Refresh();
    // The texts shown, one per watch.
    QStringList Texts() const;

signals:
    void Changed();

private:
    void AddWatch();
    void EditWatch(QListWidgetItem *item);
    void DeleteWatch();
    QListWidgetItem *NewItem(const QString &expression, bool checked = true);
    QString AskExpression(const QString &expression);

    QListWidget *FList;
    Evaluator FEvaluate;
};
