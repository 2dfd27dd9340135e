#include "TfrxPictureEditorForm.h"

#include "TfrxDesignerDialogs.h"
#include "TfrxPictureView.h"
#include "TfrxResources.h"
#include "TfrxSampleView.h"
#include "zorDialogKit.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

QString Text(const char *key)
{
    return zorResources().Get(QLatin1String(key));
}

// The folder of the last picture loaded, for the next file dialog.
QString &LastFolder()
{
    static QString folder;
    return folder;
}

// The picture at its size, or smaller to fit, centred.
void PaintFitted(QPainter &painter, const QRect &area, const QImage &picture)
{
    if (picture.isNull())
        return;
    const QRect room = area.adjusted(4, 4, -4, -4);
    QSize size = picture.size();
    if (size.width() > room.width() || size.height() > room.height())
        size.scale(room.size(), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), size);
    target.moveCenter(room.center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
}

} // namespace

struct TfrxPictureEditorForm::Private
{
    explicit Private(TfrxPictureEditorForm *form) : q(form) {}

    TfrxPictureEditorForm *q;
    TfrxPictureView Work;
    TfrxSampleView *View = nullptr;
    QPushButton *Copy = nullptr;
    QPushButton *Paste = nullptr;
    QPushButton *Clear = nullptr;
    QStatusBar *Status = nullptr;

    QPushButton *AddButton(QLayout *layout, const char *name, const char *caption);
    void Load();
    void Changed();
    void UpdatePaste();
};

QPushButton *TfrxPictureEditorForm::Private::AddButton(QLayout *layout, const char *name, const char *caption)
{
    auto *button = new QPushButton(Text(caption), q);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}

// A file that holds no picture this program can show leaves the picture as it was.
void TfrxPictureEditorForm::Private::Load()
{
    const QString name = TfrxDesignerDialogs::Current().OpenFileName(q, LastFolder(), FileFilter());
    if (name.isEmpty())
        return;
    LastFolder() = QFileInfo(name).absolutePath();
    TfrxPictureView loaded;
    if (!loaded.LoadFromFile(name)) {
        TfrxDesignerDialogs::Current().ShowError(q, Text("erInvalidImg") + u'\n' + name);
        return;
    }
    Work.LoadPictureData(loaded.PictureData());
    Changed();
}

void TfrxPictureEditorForm::Private::Changed()
{
    const QImage picture = Work.Picture();
    Copy->setEnabled(!picture.isNull());
    Clear->setEnabled(!picture.isNull());
    Status->showMessage(picture.isNull()
                            ? Text("piEmpty")
                            : QStringLiteral("%1 × %2").arg(picture.width()).arg(picture.height()));
    View->update();
}

void TfrxPictureEditorForm::Private::UpdatePaste()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    Paste->setEnabled(data != nullptr && data->hasImage());
}

TfrxPictureEditorForm::TfrxPictureEditorForm(const TfrxPictureView &view, QWidget *parent)
    : QDialog(parent), d(std::make_unique<Private>(this))
{
    setWindowTitle(Text("4000"));
    d->Work.LoadPictureData(view.PictureData());

    auto *buttons = new QHBoxLayout;
    connect(d->AddButton(buttons, "LoadB", "4001"), &QPushButton::clicked, this, [this] { d->Load(); });
    d->Copy = d->AddButton(buttons, "CopyB", "4002");
    connect(d->Copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setImage(d->Work.Picture()); });
    d->Paste = d->AddButton(buttons, "PasteB", "4003");
    connect(d->Paste, &QPushButton::clicked, this, [this] {
        const QImage pasted = QGuiApplication::clipboard()->image();
        if (pasted.isNull())
            return;
        d->Work.SetPicture(pasted);
        d->Changed();
    });
    d->Clear = d->AddButton(buttons, "ClearB", "4004");
    connect(d->Clear, &QPushButton::clicked, this, [this] {
        d->Work.SetPicture({});
        d->Changed();
    });
    buttons->addStretch();

    d->View = new TfrxSampleView(
        [this](QPainter &painter, const QRect &area) { PaintFitted(painter, area, Picture()); },
        QSize(360, 260), this);
    d->View->setObjectName(QStringLiteral("Picture"));
    d->Status = new QStatusBar(this);
    d->Status->setObjectName(QStringLiteral("Status"));
    d->Status->setSizeGripEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(d->View, 1);
    layout->addWidget(d->Status);
    layout->addWidget(zorOkCancelButtons(this));
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { d->UpdatePaste(); });
    d->UpdatePaste();
    d->Changed();
}

TfrxPictureEditorForm::~TfrxPictureEditorForm() = default;

QImage TfrxPictureEditorForm::Picture() const
{
    return d->Work.Picture();
}

QByteArray TfrxPictureEditorForm::PictureData() const
{
    return d->Work.PictureData();
}

void TfrxPictureEditorForm::ApplyTo(TfrxPictureView &view) const
{
    if (d->Work.Picture().isNull())
        view.SetPicture({});
    else
        view.LoadPictureData(d->Work.PictureData());
}

QString TfrxPictureEditorForm::FileFilter()
{
    return Text("ftPictures") + QStringLiteral(" (*.png *.jpg *.jpeg *.bmp *.ico);;") + Text("ftAllFiles") +
           QStringLiteral(" (*)");
}
