#include "TfrxObjectInspector.h"

#include "TfrxComponent.h"
#include "TfrxCustomDesigner.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxError.h"
#include "TfrxInspectorGrid.h"
#include "TfrxPropertyEditor.h"
#include "TfrxPropertyList.h"
#include "TfrxResources.h"

#include <QComboBox>
#include <QLabel>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>

#include <functional>

namespace {

constexpr int defaultDescriptionHeight = 65;
constexpr int minimumPosition = 10;

QString Text(const char *key)
{
    return zorResources().Get(QLatin1StringView(key));
}

// Report classes that stand for a class the property descriptions are written for.
QString DescribedClass(const QObject *object)
{
    const QLatin1StringView name(object->metaObject()->className());
    return name == QLatin1StringView("TfrxFont") ? QStringLiteral("TFont") : QString(name);
}

// The string table's description of a property: for its class when there is one, else general.
QString DescriptionOf(const TfrxPropertyEditor &editor)
{
    const QString general = QStringLiteral("prop") + editor.GetName();
    if (editor.Component() != nullptr) {
        const QString specific = general + QLatin1Char('.') + DescribedClass(editor.Component());
        const QString text = zorResources().Get(specific);
        if (text != specific)
            return text;
    }
    const QString text = zorResources().Get(general);
    return text != general ? text : QString();
}

} // namespace

struct TfrxObjectInspector::Private
{
    Private(TfrxObjectInspector &inspector, TfrxCustomDesigner &designer) : q(inspector), Designer(designer)
    {
    }

    void Rebuild();
    void ShowTab(int index);
    void FillObjectBox();
    void ShowDescription(const TfrxPropertyItem *item);
    void Change(TfrxPropertyItem *item, const std::function<bool(TfrxPropertyEditor &)> &change);

    TfrxObjectInspector &q;
    TfrxCustomDesigner &Designer;
    QComboBox *ObjectBox = new QComboBox;
    QTabBar *Tabs = new QTabBar;
    QSplitter *Splitter = new QSplitter(Qt::Vertical);
    TfrxInspectorGrid *Grid = new TfrxInspectorGrid;
    QLabel *Description = new QLabel;
    QList<TfrxComponent *> Objects;
    QList<TfrxComponent *> Selected;
    std::unique_ptr<TfrxPropertyList> Properties;
    std::unique_ptr<TfrxPropertyList> Events;
    int UpdateLocks = 0;
    bool UpdatePending = false;
};

TfrxObjectInspector::TfrxObjectInspector(TfrxCustomDesigner &designer, QWidget *parent)
    : QWidget(parent), d(std::make_unique<Private>(*this, designer))
{
    setWindowTitle(zorGet(2000));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(d->ObjectBox);
    layout->addWidget(d->Tabs);
    layout->addWidget(d->Splitter, 1);
    d->Tabs->addTab(Text("oiProp"));
    d->Tabs->addTab(Text("oiEvent"));
    d->Tabs->setExpanding(false);
    d->Tabs->setDrawBase(false);
    d->Description->setWordWrap(true);
    d->Description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    d->Description->setTextFormat(Qt::RichText);
    d->Description->setFrameShape(QFrame::StyledPanel);
    d->Description->setMargin(3);
    d->Description->setMinimumHeight(minimumPosition);
    d->Splitter->addWidget(d->Grid);
    d->Splitter->addWidget(d->Description);
    d->Splitter->setStretchFactor(0, 1);
    d->Splitter->setChildrenCollapsible(false);
    SetSplitter1Pos(defaultDescriptionHeight);

    connect(d->ObjectBox, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < d->Objects.size())
            emit ObjectChosen(d->Objects.at(index));
    });
    connect(d->Tabs, &QTabBar::currentChanged, this, [this](int index) { d->ShowTab(index); });
    connect(d->Grid, &TfrxInspectorGrid::CurrentChanged, this,
            [this](TfrxPropertyItem *item) { d->ShowDescription(item); });
    connect(d->Grid, &TfrxInspectorGrid::ValueEntered, this,
            [this](TfrxPropertyItem *item, const QString &text) {
                d->Change(item, [&text](TfrxPropertyEditor &editor) {
                    editor.SetValue(text);
                    return false;
                });
            });
    connect(d->Grid, &TfrxInspectorGrid::EditRequested, this, [this](TfrxPropertyItem *item) {
        d->Change(item, [](TfrxPropertyEditor &editor) { return editor.Edit(); });
    });
}

TfrxObjectInspector::~TfrxObjectInspector() = default;

void TfrxObjectInspector::SetObjects(const QList<TfrxComponent *> &objects)
{
    d->Objects = objects;
    d->FillObjectBox();
}

void TfrxObjectInspector::SetSelectedObjects(const QList<TfrxComponent *> &objects)
{
    d->Selected = objects;
    d->Rebuild();
}

void TfrxObjectInspector::UpdateProperties()
{
    d->Rebuild();
}

void TfrxObjectInspector::CommitEdit()
{
    d->Grid->CommitEdit();
}

void TfrxObjectInspector::DisableUpdate()
{
    ++d->UpdateLocks;
}

void TfrxObjectInspector::EnableUpdate()
{
    if (d->UpdateLocks > 0 && --d->UpdateLocks == 0 && d->UpdatePending)
        d->Rebuild();
}

void TfrxObjectInspector::SetItemIndex(int index)
{
    d->Grid->SetItemIndex(index);
}

void TfrxObjectInspector::SetEventsVisible(bool visible)
{
    if (!visible)
        d->Tabs->setCurrentIndex(0);
    d->Tabs->setTabVisible(1, visible);
}

int TfrxObjectInspector::SplitterPos() const
{
    return d->Grid->SplitterPos();
}

void TfrxObjectInspector::SetSplitterPos(int value)
{
    d->Grid->SetSplitterPos(value);
}

int TfrxObjectInspector::Splitter1Pos() const
{
    return d->Description->height();
}

void TfrxObjectInspector::SetSplitter1Pos(int value)
{
    const int height = value < minimumPosition ? defaultDescriptionHeight : value;
    const int total = std::max(d->Splitter->height(), height + 100);
    d->Splitter->setSizes({total - height, height});
}

// ---- Private ----------------------------------------------------------------------------------

void TfrxObjectInspector::Private::Rebuild()
{
    if (UpdateLocks > 0) {
        UpdatePending = true;
        return;
    }
    UpdatePending = false;
    QList<QObject *> objects;
    objects.reserve(Selected.size());
    for (TfrxComponent *object : std::as_const(Selected))
        objects.append(object);
    // The old lists live until the grid has taken the new one, which it matches by path.
    std::unique_ptr<TfrxPropertyList> properties = TfrxPropertyList::Build(Designer, objects);
    std::unique_ptr<TfrxPropertyList> events = properties->TakeEvents();
    Grid->SetList(Tabs->currentIndex() == 1 ? events.get() : properties.get());
    Properties = std::move(properties);
    Events = std::move(events);
    FillObjectBox();
}

void TfrxObjectInspector::Private::ShowTab(int index)
{
    Grid->CommitEdit();
    Grid->SetList(index == 1 ? Events.get() : Properties.get());
}

void TfrxObjectInspector::Private::FillObjectBox()
{
    const QSignalBlocker blocker(ObjectBox);
    QStringList entries;
    for (const TfrxComponent *object : std::as_const(Objects))
        entries.append(object->Name() + QStringLiteral(": ") +
                       QLatin1StringView(object->metaObject()->className()));
    bool same = entries.size() == ObjectBox->count();
    for (int i = 0; same && i < entries.size(); ++i)
        same = ObjectBox->itemText(i) == entries.at(i);
    if (!same) {
        ObjectBox->clear();
        ObjectBox->addItems(entries);
    }
    ObjectBox->setCurrentIndex(Selected.size() == 1 ? int(Objects.indexOf(Selected.first())) : -1);
}

void TfrxObjectInspector::Private::ShowDescription(const TfrxPropertyItem *item)
{
    if (item == nullptr) {
        Description->clear();
        return;
    }
    Description->setText(
        QStringLiteral("<b>%1</b><br>%2")
            .arg(item->Editor()->GetName().toHtmlEscaped(), DescriptionOf(*item->Editor()).toHtmlEscaped()));
}

// Runs one change of a property: a value that is refused shows its message and the old value
// comes back; anything written, even by a change that failed part way, is one undo step.
void TfrxObjectInspector::Private::Change(TfrxPropertyItem *item,
                                          const std::function<bool(TfrxPropertyEditor &)> &change)
{
    TfrxPropertyEditor &editor = *item->Editor();
    editor.ResetWritten();
    QString error;
    bool changed = false;
    q.DisableUpdate();
    try {
        changed = change(editor);
    } catch (const TfrxError &e) {
        error = e.Message();
    } catch (const std::exception &e) {
        error = QString::fromLocal8Bit(e.what());
    }
    changed = changed || editor.Written();
    q.EnableUpdate();
    if (!error.isEmpty())
        TfrxDesignerDialogs::Current().ShowError(&q, error);
    if (changed)
        Designer.SetModified(true);
    Rebuild();
}
