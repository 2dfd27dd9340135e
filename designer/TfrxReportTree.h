#pragma once

#include <QHash>
#include <QList>
#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;
class TfrxComponent;
class TfrxReport;

// The report's pages and their objects as a tree. Choosing an object asks the designer to show it
// (its page, then the object alone selected); the tree follows the designer's selection.
class TfrxReportTree : public QWidget
{
    Q_OBJECT

public:
    explicit TfrxReportTree(TfrxReport &report, QWidget *parent = nullptr);

    // Builds the tree again from the report.
    void UpdateItems();
    // Marks the selected objects, without asking for anything.
    void SetSelected(const QList<TfrxComponent *> &selection);

signals:
    void ObjectChosen(TfrxComponent *object);

private:
    void AddChildren(QTreeWidgetItem *parent, const TfrxComponent *object);

    TfrxReport &FReport;
    QTreeWidget *FTree;
    QHash<const TfrxComponent *, QTreeWidgetItem *> FItems;
    bool FFollowing = false;
};
