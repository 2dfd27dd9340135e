#include "TfrxReportTree.h"

#include "TfrxComponent.h"
#include "TfrxReport.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// An object's line: its name and, after a colon, its kind.
QString Caption(const TfrxComponent *object)
{
    const QString kind = QString::fromLatin1(object->metaObject()->className()).mid(4);
    return object->Name().isEmpty() ? kind : object->Name() + QStringLiteral(": ") + kind;
}

} // namespace

TfrxReportTree::TfrxReportTree(TfrxReport &report, QWidget *parent)
    : QWidget(parent), FReport(report), FTree(new QTreeWidget(this))
{
    FTree->setHeaderHidden(true);
    FTree->setUniformRowHeights(true);
    FTree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FTree);
    connect(FTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        if (FFollowing)
            return;
        const auto *object = static_cast<const TfrxComponent *>(item->data(0, Qt::UserRole).value<const void *>());
        if (object != nullptr)
            emit ObjectChosen(const_cast<TfrxComponent *>(object));
    });
}

void TfrxReportTree::UpdateItems()
{
    FTree->clear();
    FItems.clear();
    auto *root = new QTreeWidgetItem(FTree, {Caption(&FReport)});
    root->setData(0, Qt::UserRole, QVariant::fromValue<const void *>(nullptr));
    AddChildren(root, &FReport);
    FTree->expandAll();
}

void TfrxReportTree::AddChildren(QTreeWidgetItem *parent, const TfrxComponent *object)
{
    for (const TfrxComponent *child : object->Objects()) {
        auto *item = new QTreeWidgetItem(parent, {Caption(child)});
        item->setData(0, Qt::UserRole, QVariant::fromValue<const void *>(child));
        FItems.insert(child, item);
        AddChildren(item, child);
    }
}

void TfrxReportTree::SetSelected(const QList<TfrxComponent *> &selection)
{
    FFollowing = true;
    FTree->clearSelection();
    for (const TfrxComponent *object : selection) {
        if (QTreeWidgetItem *item = FItems.value(object)) {
            item->setSelected(true);
            FTree->scrollToItem(item);
        }
    }
    FFollowing = false;
}
