#include "TfrxStyleEditorForm.h"

#include "TfrxColorPicker.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxError.h"
#include "TfrxFont.h"
#include "TfrxFrame.h"
#include "TfrxMemoView.h"
#include "TfrxReportServices.h"
#include "TfrxResources.h"
#include "TfrxSampleView.h"
#include "TfrxStyleFile.h"
#include "TfrxStyleItem.h"
#include "TfrxStyles.h"
#include "zorDialogKit.h"
#include "zorEditorDialogs.h"
#include "zorFontDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

using namespace zor;

namespace {

QString Text(const char *key)
{
    return zorResources().Get(QLatin1String(key));
}

constexpr int AnsiCharset = 0;

// The folder of the last style file loaded or saved, for the next file dialog.
QString &LastFolder()
{
    static QString folder;
    return folder;
}

} // namespace

void zorCopyStyles(const TfrxStyles &source, TfrxStyles &target)
{
    target.Clear();
    target.SetName(source.Name());
    for (qsizetype i = 0; i < source.Count(); ++i)
        target.Add()->Assign(source.Items(i));
}

struct TfrxStyleEditorForm::Private
{
    explicit Private(TfrxStyleEditorForm *form) : q(form) {}

    TfrxStyleEditorForm *q;
    TfrxStyles Styles{nullptr};
    QListWidget *List = nullptr;
    TfrxColorPicker *Color = nullptr;
    TfrxColorPicker *FontColor = nullptr;
    QCheckBox *DefaultCharset = nullptr;
    TfrxSampleView *Sample = nullptr;
    // The controls of the chosen style, disabled while there is none.
    QList<QWidget *> StyleControls;

    QPushButton *AddButton(QLayout *layout, const char *name, const char *caption);
    QLayout *CreateButtons();
    TfrxStyleItem *Current() const { return Styles.Items(List->currentRow()); }

    void ShowStyles(int current);
    void ShowCurrent();
    void Rename(QListWidgetItem *item);
    void Add();
    void Delete();
    void ChooseFont();
    void EditFrame();
    void Load();
    void Save();
    void PaintSample(QPainter &painter, const QRect &area) const;
};

QPushButton *TfrxStyleEditorForm::Private::AddButton(QLayout *layout, const char *name, const char *caption)
{
    auto *button = new QPushButton(Text(caption), q);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}

QLayout *TfrxStyleEditorForm::Private::CreateButtons()
{
    auto *buttons = new QVBoxLayout;
    connect(AddButton(buttons, "AddB", "5104"), &QPushButton::clicked, q, [this] { Add(); });
    QPushButton *remove = AddButton(buttons, "DeleteB", "5105");
    connect(remove, &QPushButton::clicked, q, [this] { Delete(); });
    QPushButton *rename = AddButton(buttons, "EditB", "5106");
    connect(rename, &QPushButton::clicked, q, [this] { List->editItem(List->currentItem()); });
    buttons->addSpacing(12);

    const auto addPicker = [&](const char *name, const char *caption, bool allowNone) {
        auto *picker = new TfrxColorPicker(clTransparent, allowNone, q);
        picker->setObjectName(QLatin1String(name));
        picker->setText(Text(caption));
        picker->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        picker->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        buttons->addWidget(picker);
        return picker;
    };
    Color = addPicker("ColorB", "5101", true);
    connect(Color, &TfrxColorPicker::ColorChosen, q, [this](int color) {
        Current()->SetColor(color);
        Sample->update();
    });
    FontColor = addPicker("FontColorB", "2327", false);
    connect(FontColor, &TfrxColorPicker::ColorChosen, q, [this](int color) {
        Current()->Font()->SetColor(color);
        Sample->update();
    });
    QPushButton *font = AddButton(buttons, "FontB", "5102");
    connect(font, &QPushButton::clicked, q, [this] { ChooseFont(); });
    QPushButton *frame = AddButton(buttons, "FrameB", "5103");
    connect(frame, &QPushButton::clicked, q, [this] { EditFrame(); });
    DefaultCharset = new QCheckBox(Text("5109"), q);
    DefaultCharset->setObjectName(QStringLiteral("CharsetCB"));
    buttons->addWidget(DefaultCharset);
    // Unchecked means the ordinary Western charset; the text itself is Unicode either way.
    connect(DefaultCharset, &QCheckBox::toggled, q,
            [this](bool on) { Current()->Font()->SetCharset(on ? TfrxFont::DefaultCharset : AnsiCharset); });
    StyleControls = {remove, rename, Color, FontColor, font, frame, DefaultCharset};
    buttons->addSpacing(12);

    connect(AddButton(buttons, "LoadB", "5107"), &QPushButton::clicked, q, [this] { Load(); });
    connect(AddButton(buttons, "SaveB", "5108"), &QPushButton::clicked, q, [this] { Save(); });
    buttons->addStretch();
    return buttons;
}

void TfrxStyleEditorForm::Private::ShowStyles(int current)
{
    const QSignalBlocker blocker(List);
    List->clear();
    for (const QString &name : Styles.GetList()) {
        auto *item = new QListWidgetItem(name, List);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    List->setCurrentRow(std::min(current, int(List->count()) - 1));
    ShowCurrent();
}

void TfrxStyleEditorForm::Private::ShowCurrent()
{
    const TfrxStyleItem *style = Current();
    for (QWidget *control : StyleControls)
        control->setEnabled(style != nullptr);
    if (style != nullptr) {
        Color->SetColor(style->Color());
        FontColor->SetColor(style->Font()->Color());
        const QSignalBlocker blocker(DefaultCharset);
        DefaultCharset->setChecked(style->Font()->Charset() == TfrxFont::DefaultCharset);
    }
    Sample->update();
}

// A name another style has (in any case) or an empty one is refused; the old name comes back.
void TfrxStyleEditorForm::Private::Rename(QListWidgetItem *item)
{
    TfrxStyleItem *style = Styles.Items(List->row(item));
    const QString name = item->text().trimmed();
    if (style == nullptr || name == style->Name())
        return;
    try {
        if (name.isEmpty())
            throw TfrxError(QStringLiteral("prInvProp"), Text("prInvProp"));
        style->SetName(name);
    } catch (const TfrxError &error) {
        TfrxDesignerDialogs::Current().ShowError(q, zorResources().Get(error.Key()));
    }
    const QSignalBlocker blocker(List);
    item->setText(style->Name());
}

void TfrxStyleEditorForm::Private::Add()
{
    Styles.Add()->CreateUniqueName();
    ShowStyles(int(Styles.Count()) - 1);
    List->editItem(List->currentItem());
}

void TfrxStyleEditorForm::Private::Delete()
{
    const int row = List->currentRow();
    if (row < 0)
        return;
    Styles.Delete(row);
    ShowStyles(row);
}

void TfrxStyleEditorForm::Private::ChooseFont()
{
    if (zorChooseFont(*Current()->Font(), q, Text("5102").remove(u'.')))
        Sample->update();
}

void TfrxStyleEditorForm::Private::EditFrame()
{
    if (zorEditFrame(q, *Current()->Frame()))
        Sample->update();
}

// A file that is no style file changes nothing.
void TfrxStyleEditorForm::Private::Load()
{
    const QString name = TfrxDesignerDialogs::Current().OpenFileName(q, LastFolder(), FileFilter());
    if (name.isEmpty())
        return;
    LastFolder() = QFileInfo(name).absolutePath();
    TfrxStyles loaded(nullptr);
    if (!TfrxStyleFile::Load(loaded, name)) {
        TfrxDesignerDialogs::Current().ShowError(q, Text("dsCantLoad") + u'\n' + name);
        return;
    }
    zorCopyStyles(loaded, Styles);
    ShowStyles(0);
}

void TfrxStyleEditorForm::Private::Save()
{
    QString name =
        TfrxDesignerDialogs::Current().SaveFileName(q, LastFolder(), FileFilter(), QStringLiteral("fs3"));
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().compare(QLatin1String("fs3"), Qt::CaseInsensitive) != 0)
        name += QStringLiteral(".fs3");
    LastFolder() = QFileInfo(name).absolutePath();
    if (!TfrxStyleFile::Save(Styles, name)) {
        TfrxDesignerDialogs::Current().ShowError(
            q, TfrxReportServices::FillText(Text("dsCantSaveStyles"), {QFileInfo(name).absoluteFilePath()}));
    }
}

// The sample is a text object with the style, drawn as it prints.
void TfrxStyleEditorForm::Private::PaintSample(QPainter &painter, const QRect &area) const
{
    const TfrxStyleItem *style = Current();
    if (style == nullptr)
        return;
    TfrxMemoView memo;
    memo.SetParentFont(false);
    memo.Font()->Assign(style->Font());
    memo.Frame()->Assign(style->Frame());
    memo.SetColor(style->Color());
    memo.SetHAlign(zorTextAlign::haCenter);
    memo.SetVAlign(zorTextAlign::vaCenter);
    memo.SetText(Text("dsStyleSample"));
    const QRect box = area.adjusted(12, 8, -12, -8);
    memo.SetBounds(0, 0, box.width(), box.height());
    memo.Draw(&painter, 1, 1, box.left(), box.top());
}

TfrxStyleEditorForm::TfrxStyleEditorForm(const TfrxStyles &styles, QWidget *parent)
    : QDialog(parent), d(std::make_unique<Private>(this))
{
    setWindowTitle(Text("5100"));
    zorCopyStyles(styles, d->Styles);
    d->List = new QListWidget(this);
    d->List->setObjectName(QStringLiteral("StyleList"));
    d->List->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    d->Sample =
        new TfrxSampleView([this](QPainter &painter, const QRect &area) { d->PaintSample(painter, area); },
                           QSize(280, 64), this);
    d->Sample->setObjectName(QStringLiteral("Sample"));
    d->Sample->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto *top = new QHBoxLayout;
    top->addWidget(d->List, 1);
    top->addLayout(d->CreateButtons());
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(d->Sample);
    layout->addWidget(zorOkCancelButtons(this));
    connect(d->List, &QListWidget::currentRowChanged, this, [this] { d->ShowCurrent(); });
    connect(d->List, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) { d->Rename(item); });
    d->ShowStyles(0);
}

TfrxStyleEditorForm::~TfrxStyleEditorForm() = default;

const TfrxStyles &TfrxStyleEditorForm::Styles() const
{
    return d->Styles;
}

QString TfrxStyleEditorForm::FileFilter()
{
    return Text("dsStyleFile") + QStringLiteral(" (*.fs3)");
}
