#include "TfrxDataTree.h"

#include "TfrxCustomDesigner.h"
#include "TfrxDataSet.h"
#include "TfrxDataSetItem.h"
#include "TfrxDataTreeDrag.h"
#include "TfrxReport.h"
#include "TfrxReportDataSets.h"
#include "TfrxResources.h"
#include "TfrxScriptDescription.h"
#include "TfrxVariables.h"
#include "zorDataTreeIcons.h"

#include <QCheckBox>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QSet>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <functional>
#include <optional>

namespace {

enum Tab { DataTab, VariablesTab, FunctionsTab, ClassesTab };

// What an entry carries besides its caption.
constexpr int insertionRole = Qt::UserRole;
constexpr int hintRole = Qt::UserRole + 1;
constexpr int fieldRole = Qt::UserRole + 2; // the field's name, on data field entries

QString text(const char *key)
{
    return zorResources().Get(QLatin1StringView(key));
}

// Data set nodes the operator collapsed stay collapsed after a refresh, for the rest of the run.
QSet<QString> &collapsedDataSets()
{
    static QSet<QString> names;
    return names;
}

// A tree whose drag carries the dragged entry (see TfrxDataTreeDrag).
class EntryTree : public QTreeWidget
{
public:
    explicit EntryTree(QWidget *parent) : QTreeWidget(parent)
    {
        setHeaderHidden(true);
        setDragEnabled(true);
        setDragDropMode(QAbstractItemView::DragOnly);
    }

    // What dragging an entry carries; the tree knows the boxes that go with it.
    std::function<TfrxDataTreeDrag(const QTreeWidgetItem &)> DragOf;

protected:
    QStringList mimeTypes() const override { return {QStringLiteral("text/plain")}; }
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override
    {
        if (items.isEmpty() || !DragOf)
            return nullptr;
        return DragOf(*items.first()).ToMimeData();
    }
};

QTreeWidgetItem *addEntry(QTreeWidgetItem *parent, const QString &caption, TfrxDataTreeIcon icon,
                          const QString &insertion = {})
{
    auto *item = new QTreeWidgetItem(parent, {caption});
    item->setIcon(0, zorDataTreeIcon(icon));
    item->setData(0, insertionRole, insertion);
    // Only entries that insert something can be dragged.
    if (insertion.isEmpty())
        item->setFlags(item->flags() & ~Qt::ItemIsDragEnabled);
    return item;
}

QTreeWidgetItem *addRoot(QTreeWidget *tree, const QString &caption, TfrxDataTreeIcon icon)
{
    auto *item = addEntry(tree->invisibleRootItem(), caption, icon);
    item->setExpanded(true);
    return item;
}

TfrxDataTreeIcon fieldIcon(zor::TfrxFieldType type)
{
    constexpr TfrxDataTreeIcon icons[] = {TfrxDataTreeIcon::NumericField, TfrxDataTreeIcon::StringField,
                                          TfrxDataTreeIcon::BooleanField, TfrxDataTreeIcon::DateTimeField};
    return icons[std::clamp(int(type), 0, int(std::size(icons)) - 1)];
}

// A data set that cannot list its fields is shown without them.
QStringList fieldsOf(const TfrxDataSet &dataSet)
{
    try {
        return dataSet.GetFieldList();
    } catch (const std::exception &) {
        return {};
    }
}

QString fieldText(const QString &alias, const QString &field)
{
    return QStringLiteral("<%1.\"%2\">").arg(alias, field);
}

QString variableText(const QString &name)
{
    return u'<' + name + u'>';
}

void sortIgnoringCase(QStringList &names)
{
    names.sort(Qt::CaseInsensitive);
}

} // namespace

struct TfrxDataTree::Private
{
    explicit Private(TfrxCustomDesigner &designer) : Designer(designer) {}

    TfrxCustomDesigner &Designer;
    QTabWidget *Tabs = nullptr;
    EntryTree *Trees[4] = {};
    QCheckBox *SortByName = nullptr;
    QCheckBox *CreateField = nullptr;
    QCheckBox *CreateCaption = nullptr;
    QLabel *Hint = nullptr;
    bool FunctionsFilled = false;
    bool ClassesFilled = false;
    std::optional<TfrxScriptDescription> Description;

    QWidget *DataPage(QWidget *parent);
    QList<TfrxDataSet *> ReportDataSets() const;
    void FillData();
    void FillVariables();
    void FillFunctions();
    void FillClasses();
    void FillMembers(QTreeWidgetItem *classItem);
    void TabShown(int index);
    const TfrxScriptDescription &Script();
    TfrxDataTreeDrag DragOf(const QTreeWidgetItem &item) const;
};

QWidget *TfrxDataTree::Private::DataPage(QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    SortByName = new QCheckBox(zorGet(6004), page);
    SortByName->setObjectName(QStringLiteral("SortByNameCB"));
    CreateField = new QCheckBox(zorGet(2104), page);
    CreateField->setObjectName(QStringLiteral("CreateFieldCB"));
    CreateField->setChecked(true);
    CreateCaption = new QCheckBox(zorGet(2105), page);
    CreateCaption->setObjectName(QStringLiteral("CreateCaptionCB"));
    layout->addWidget(SortByName);
    layout->addWidget(Trees[DataTab], 1);
    layout->addWidget(CreateField);
    layout->addWidget(CreateCaption);
    return page;
}

QList<TfrxDataSet *> TfrxDataTree::Private::ReportDataSets() const
{
    QList<TfrxDataSet *> sets;
    const TfrxReportDataSets *list = Designer.Report().DataSets();
    for (qsizetype i = 0; i < list->Count(); ++i)
        if (TfrxDataSet *dataSet = list->Items(i)->DataSet())
            sets.append(dataSet);
    return sets;
}

void TfrxDataTree::Private::FillData()
{
    QTreeWidget *tree = Trees[DataTab];
    const QSignalBlocker blocker(tree);
    tree->clear();
    QList<TfrxDataSet *> sets = ReportDataSets();
    if (sets.isEmpty()) {
        for (const QString &line : {text("dtNoData"), QString(), text("dtNoData1")})
            new QTreeWidgetItem(tree, {line});
        return;
    }
    const bool sorted = SortByName->isChecked();
    if (sorted)
        std::sort(sets.begin(), sets.end(), [](const TfrxDataSet *a, const TfrxDataSet *b) {
            return QString::compare(a->UserName(), b->UserName(), Qt::CaseInsensitive) < 0;
        });
    QTreeWidgetItem *root = addRoot(tree, text("dtData"), TfrxDataTreeIcon::Category);
    for (const TfrxDataSet *dataSet : std::as_const(sets)) {
        const QString alias = Designer.Report().GetAlias(dataSet);
        QTreeWidgetItem *node = addEntry(root, alias, TfrxDataTreeIcon::DataSet);
        QStringList fields = fieldsOf(*dataSet);
        if (sorted)
            sortIgnoringCase(fields);
        for (const QString &field : std::as_const(fields))
            addEntry(node, field, fieldIcon(dataSet->GetFieldType(field)), fieldText(alias, field))
                ->setData(0, fieldRole, field);
        node->setExpanded(!collapsedDataSets().contains(alias));
    }
}

void TfrxDataTree::Private::FillVariables()
{
    QTreeWidget *tree = Trees[VariablesTab];
    tree->clear();
    const TfrxReport &report = Designer.Report();
    const TfrxVariables *variables = report.Variables();
    QTreeWidgetItem *root = addRoot(tree, text("dtVar"), TfrxDataTreeIcon::Category);
    const auto addVariables = [](QTreeWidgetItem *parent, const QStringList &names) {
        for (const QString &name : names)
            addEntry(parent, name, TfrxDataTreeIcon::Variable, variableText(name));
    };
    // Variables before the first category heading belong to no category.
    addVariables(root, variables->GetVariablesList(QString()));
    for (const QString &category : variables->GetCategoriesList()) {
        QTreeWidgetItem *node = addEntry(root, category, TfrxDataTreeIcon::Category);
        addVariables(node, variables->GetVariablesList(category));
        node->setExpanded(true);
    }
    QTreeWidgetItem *system = addRoot(tree, text("dtSysVar"), TfrxDataTreeIcon::Category);
    addVariables(system, report.SysVariables());
}

const TfrxScriptDescription &TfrxDataTree::Private::Script()
{
    if (!Description)
        Description = TfrxScriptDescription::OfReport(Designer.Report());
    return *Description;
}

void TfrxDataTree::Private::FillFunctions()
{
    QTreeWidget *tree = Trees[FunctionsTab];
    for (const TfrxScriptDescription::Category &category : Script().Categories) {
        QTreeWidgetItem *node =
            addEntry(tree->invisibleRootItem(), zorResources().Get(category.Key), TfrxDataTreeIcon::Category);
        for (const TfrxScriptDescription::Function &function : category.Functions) {
            QTreeWidgetItem *item =
                addEntry(node, function.Declaration, TfrxDataTreeIcon::Function, function.InsertionText());
            item->setData(0, hintRole,
                          QStringLiteral("<b>%1</b><br>%2")
                              .arg(function.Declaration.toHtmlEscaped(),
                                   zorResources().Get(function.DescriptionKey).toHtmlEscaped()));
        }
    }
    FunctionsFilled = true;
}

void TfrxDataTree::Private::FillClasses()
{
    QTreeWidget *tree = Trees[ClassesTab];
    for (const TfrxScriptDescription::Class &c : Script().Classes) {
        QTreeWidgetItem *item = addEntry(tree->invisibleRootItem(), c.Name, TfrxDataTreeIcon::Class);
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    ClassesFilled = true;
}

// A class shows its members when it is first expanded.
void TfrxDataTree::Private::FillMembers(QTreeWidgetItem *classItem)
{
    if (classItem->parent() != nullptr || classItem->childCount() > 0)
        return;
    constexpr TfrxDataTreeIcon icons[] = {TfrxDataTreeIcon::Property, TfrxDataTreeIcon::Event,
                                          TfrxDataTreeIcon::Method};
    const QList<TfrxScriptDescription::Class> &classes = Script().Classes;
    const auto found = std::find_if(classes.begin(), classes.end(),
                                    [classItem](const auto &c) { return c.Name == classItem->text(0); });
    if (found == classes.end())
        return;
    for (const TfrxScriptDescription::Member &member : found->Members)
        addEntry(classItem, member.Text, icons[member.MemberKind]);
    classItem->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void TfrxDataTree::Private::TabShown(int index)
{
    if (index == FunctionsTab && !FunctionsFilled)
        FillFunctions();
    if (index == ClassesTab && !ClassesFilled)
        FillClasses();
    Hint->setVisible(index == FunctionsTab);
}

TfrxDataTreeDrag TfrxDataTree::Private::DragOf(const QTreeWidgetItem &item) const
{
    return {item.data(0, insertionRole).toString(), item.data(0, fieldRole).toString(),
            CreateField->isChecked(), CreateCaption->isChecked()};
}

TfrxDataTree::TfrxDataTree(TfrxCustomDesigner &designer, QWidget *parent)
    : QWidget(parent), d(std::make_unique<Private>(designer))
{
    setWindowTitle(zorGet(2100));
    d->Tabs = new QTabWidget(this);
    d->Tabs->setObjectName(QStringLiteral("Tabs"));
    const char *names[] = {"DataTree", "VariablesTree", "FunctionsTree", "ClassesTree"};
    for (int i = 0; i < 4; ++i) {
        d->Trees[i] = new EntryTree(this);
        d->Trees[i]->setObjectName(QLatin1StringView(names[i]));
        d->Trees[i]->DragOf = [this](const QTreeWidgetItem &item) { return d->DragOf(item); };
        connect(d->Trees[i], &QTreeWidget::itemDoubleClicked, this, [this, i](QTreeWidgetItem *item) {
            if (i == DataTab && d->ReportDataSets().isEmpty())
                emit DataRequested();
            emit Activated(item->data(0, insertionRole).toString());
        });
    }
    d->Tabs->addTab(d->DataPage(this), zorGet(2101));
    d->Tabs->addTab(d->Trees[VariablesTab], zorGet(2102));
    d->Tabs->addTab(d->Trees[FunctionsTab], zorGet(2103));
    d->Tabs->addTab(d->Trees[ClassesTab], zorGet(2106));
    d->Hint = new QLabel(this);
    d->Hint->setObjectName(QStringLiteral("HintPanel"));
    d->Hint->setWordWrap(true);
    d->Hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    d->Hint->setFrameShape(QFrame::StyledPanel);
    d->Hint->setMinimumHeight(std::max(60, 4 * fontMetrics().lineSpacing()));
    d->Hint->setMargin(4);
    d->Hint->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(d->Tabs, 1);
    layout->addWidget(d->Hint);

    connect(d->Tabs, &QTabWidget::currentChanged, this, [this](int index) { d->TabShown(index); });
    connect(d->SortByName, &QCheckBox::toggled, this, [this] { d->FillData(); });
    // Only data set nodes (the root's children) are remembered.
    connect(d->Trees[DataTab], &QTreeWidget::itemCollapsed, this, [](QTreeWidgetItem *item) {
        if (item->parent() != nullptr)
            collapsedDataSets().insert(item->text(0));
    });
    connect(d->Trees[DataTab], &QTreeWidget::itemExpanded, this,
            [](QTreeWidgetItem *item) { collapsedDataSets().remove(item->text(0)); });
    connect(d->Trees[ClassesTab], &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem *item) { d->FillMembers(item); });
    connect(d->Trees[FunctionsTab], &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        d->Hint->setText(item != nullptr ? item->data(0, hintRole).toString() : QString());
    });
    UpdateItems();
}

TfrxDataTree::~TfrxDataTree() = default;

void TfrxDataTree::UpdateItems()
{
    d->FillData();
    d->FillVariables();
}

QString TfrxDataTree::InsertionText() const
{
    const QTreeWidgetItem *item = d->Trees[d->Tabs->currentIndex()]->currentItem();
    return item != nullptr ? item->data(0, insertionRole).toString() : QString();
}

bool TfrxDataTree::CreateField() const
{
    return d->CreateField->isChecked();
}

bool TfrxDataTree::CreateCaption() const
{
    return d->CreateCaption->isChecked();
}

int TfrxDataTree::ScrollPosition() const
{
    return d->Trees[d->Tabs->currentIndex()]->verticalScrollBar()->value();
}

void TfrxDataTree::SetScrollPosition(int value)
{
    d->Trees[d->Tabs->currentIndex()]->verticalScrollBar()->setValue(value);
}
