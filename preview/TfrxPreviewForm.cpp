#include "TfrxPreviewForm.h"

#include "TfrxCustomPreviewPages.h"
#include "TfrxPreview.h"
#include "TfrxPreviewBackdrop.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "zorPdfExport.h"
#include "zorPrinterTexts.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QStatusBar>
#include <QTimer>
#include <QSettings>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

using namespace zor;

namespace {

constexpr int prepareDelayMs = 50;
const double zoomSteps[] = {0.25, 0.5, 0.75, 1, 1.5, 2};

QString text(const char *key) { return zorPrinterText(key); }

// Whether the blank shows under the pages, in the report's settings store.
const QString backdropKey = QStringLiteral("Preview/Backdrop");

QString zoomText(double zoom) { return QString::number(std::lround(zoom * 100)) + u'%'; }

} // namespace

TfrxPreviewForm::TfrxPreviewForm(TfrxReport &report, QWidget *parent) : QDialog(parent), FReport(report)
{
    setObjectName(QStringLiteral("TfrxPreviewForm"));
    zorInitPreviewIcons();
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    const QString name = report.ReportOptions()->Name;
    setWindowTitle(name.isEmpty() ? text("100") : name);
    setMinimumSize(640, 420);
    resize(1000, 720);

    FPreview = new TfrxPreview(this);
    FToolBar = new QToolBar(this);
    FToolBar->setObjectName(QStringLiteral("ToolBar"));
    FToolBar->setIconSize(QSize(24, 24));
    FStatusBar = new QStatusBar(this);
    FStatusBar->setSizeGripEnabled(true);
    FPagePanel = new QLabel(FStatusBar);
    FPagePanel->setObjectName(QStringLiteral("PagePanel"));
    FPagePanel->setMinimumWidth(160);
    FMessagePanel = new QLabel(FStatusBar);
    FMessagePanel->setObjectName(QStringLiteral("MessagePanel"));
    FStatusBar->addWidget(FPagePanel);
    FStatusBar->addWidget(FMessagePanel, 1);
    buildToolBar();
    buildBackdropButton();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FToolBar);
    layout->addWidget(FPreview, 1);
    layout->addWidget(FStatusBar);

    connect(FPreview, &TfrxPreview::PageChanged, this, &TfrxPreviewForm::pageChanged);
    connect(FPreview, &TfrxPreview::ZoomChanged, this, &TfrxPreviewForm::zoomChanged);
    connect(FPreview, &TfrxPreview::Message, FMessagePanel, &QLabel::setText);
    connect(FPreview, &TfrxPreview::RunningChanged, this, [this](bool running) {
        setRunningLook(running || FPreparing);
    });
    connect(FPreview, &TfrxPreview::PreparationProgress, this, &TfrxPreviewForm::showProgress);
    FPreview->Init(&report);
    applyButtons();
    pageChanged(FPreview->PageNo());
    FPreview->setFocus();
}

// The child widgets outlive this part of the window while they are torn down; what they report
// then (the zoom box reports a choice when it loses the focus) must not reach a half-gone window.
TfrxPreviewForm::~TfrxPreviewForm()
{
    for (QObject *sender : std::initializer_list<QObject *>{FPreview, FZoomCB, FZoomCB->lineEdit(), FPageE})
        sender->disconnect(this);
}

QAction *TfrxPreviewForm::addButton(const QString &name, const char *icon, const char *caption, const char *hint)
{
    QAction *action =
        FToolBar->addAction(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(icon))), text(caption));
    action->setObjectName(name);
    action->setToolTip(text(hint));
    action->setStatusTip(text(hint));
    return action;
}

void TfrxPreviewForm::buildToolBar()
{
    connect(addButton(QStringLiteral("PrintB"), "print", "101", "119"), &QAction::triggered, FPreview,
            &TfrxPreview::Print);
    connect(addButton(QStringLiteral("OpenB"), "open", "102", "120"), &QAction::triggered, FPreview,
            qOverload<>(&TfrxPreview::LoadFromFile));
    QAction *save = addButton(QStringLiteral("SaveB"), "save", "103", "121");
    FSaveMenu = new QMenu(this);
    save->setMenu(FSaveMenu);
    connect(save, &QAction::triggered, FPreview, qOverload<>(&TfrxPreview::SaveToFile));
    connect(addButton(QStringLiteral("PdfB"), "pdf", "150", "151"), &QAction::triggered, this,
            &TfrxPreviewForm::ExportPdf);
    FToolBar->addSeparator()->setObjectName(QStringLiteral("Sep1"));
    connect(addButton(QStringLiteral("FindB"), "find", "105", "123"), &QAction::triggered, FPreview,
            &TfrxPreview::Find);
    FToolBar->addSeparator()->setObjectName(QStringLiteral("Sep2"));
    connect(addButton(QStringLiteral("ZoomInB"), "zoom-in", "106", "106"), &QAction::triggered, FPreview,
            &TfrxPreview::ZoomIn);
    FZoomCB = new QComboBox(FToolBar);
    FZoomCB->setObjectName(QStringLiteral("ZoomCB"));
    FZoomCB->setEditable(true);
    FZoomCB->setInsertPolicy(QComboBox::NoInsert);
    FZoomCB->setToolTip(text("124"));
    for (double step : zoomSteps)
        FZoomCB->addItem(zoomText(step));
    FZoomCB->addItem(text("zmPageWidth"));
    FZoomCB->addItem(text("zmWholePage"));
    FZoomCB->setMinimumContentsLength(10);
    FToolBar->addWidget(FZoomCB)->setObjectName(QStringLiteral("ZoomCBAction"));
    connect(FZoomCB, &QComboBox::activated, this, &TfrxPreviewForm::zoomChosen);
    connect(FZoomCB->lineEdit(), &QLineEdit::returnPressed, this, &TfrxPreviewForm::zoomTyped);
    connect(addButton(QStringLiteral("ZoomOutB"), "zoom-out", "107", "107"), &QAction::triggered, FPreview,
            &TfrxPreview::ZoomOut);
    connect(addButton(QStringLiteral("FullScreenB"), "fullscreen", "108", "137"), &QAction::triggered, this,
            [this] { SetFullScreen(!FFullScreen); });
    FToolBar->addSeparator()->setObjectName(QStringLiteral("Sep3"));
    QAction *outline = addButton(QStringLiteral("OutlineB"), "outline", "110", "128");
    outline->setCheckable(true);
    connect(outline, &QAction::toggled, FPreview, &TfrxPreview::SetOutlineVisible);
    QAction *thumbnails = addButton(QStringLiteral("ThumbB"), "thumbnails", "111", "129");
    thumbnails->setCheckable(true);
    connect(thumbnails, &QAction::toggled, FPreview, &TfrxPreview::SetThumbnailVisible);
    connect(addButton(QStringLiteral("PageSettingsB"), "page-setup", "109", "136"), &QAction::triggered, FPreview,
            &TfrxPreview::PageSetupDlg);
    addButton(QStringLiteral("DesignerB"), "edit", "112", "130");
    FToolBar->addSeparator()->setObjectName(QStringLiteral("Sep4"));
    connect(addButton(QStringLiteral("FirstB"), "first", "113", "131"), &QAction::triggered, FPreview,
            &TfrxPreview::First);
    connect(addButton(QStringLiteral("PriorB"), "prior", "114", "132"), &QAction::triggered, FPreview,
            &TfrxPreview::Prior);
    FPageE = new QLineEdit(FToolBar);
    FPageE->setObjectName(QStringLiteral("PageE"));
    FPageE->setToolTip(text("117"));
    FPageE->setAlignment(Qt::AlignCenter);
    FPageE->setFixedWidth(FPageE->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    FToolBar->addWidget(FPageE)->setObjectName(QStringLiteral("PageEAction"));
    connect(FPageE, &QLineEdit::returnPressed, this, &TfrxPreviewForm::pageTyped);
    FOfNL = new QLabel(FToolBar);
    FOfNL->setObjectName(QStringLiteral("OfNL"));
    FOfNL->setContentsMargins(4, 0, 4, 0);
    FToolBar->addWidget(FOfNL)->setObjectName(QStringLiteral("OfNLAction"));
    connect(addButton(QStringLiteral("NextB"), "next", "115", "133"), &QAction::triggered, FPreview,
            &TfrxPreview::Next);
    connect(addButton(QStringLiteral("LastB"), "last", "116", "134"), &QAction::triggered, FPreview,
            &TfrxPreview::Last);
    FToolBar->addSeparator()->setObjectName(QStringLiteral("Sep5"));
    FCloseButton = new QToolButton(FToolBar);
    FCloseButton->setObjectName(QStringLiteral("CloseB"));
    FCloseButton->setIcon(QIcon(QStringLiteral(":/icons/close.png")));
    FCloseButton->setText(text("clClose"));
    FCloseButton->setToolTip(text("135"));
    FCloseButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    FToolBar->addWidget(FCloseButton)->setObjectName(QStringLiteral("CloseBAction"));
    connect(FCloseButton, &QToolButton::clicked, this, &TfrxPreviewForm::closeClicked);
}

// The blank under the pages: off until the operator turns it on, then on in every later preview
// of the report; printing it too lasts for this window only, so that no real blank is printed
// over by mistake.
void TfrxPreviewForm::buildBackdropButton()
{
    const TfrxPreviewBackdrop &backdrop = TfrxPreviewBackdrop::Current();
    if (!backdrop.AppliesTo(FReport))
        return;
    FPreview->SetBackdrop(backdrop.Picture, backdrop.RectMm);
    FBackdropButton = new QToolButton(FToolBar);
    FBackdropButton->setObjectName(QStringLiteral("BackdropB"));
    FBackdropButton->setText(backdrop.Caption);
    FBackdropButton->setToolTip(backdrop.Caption);
    FBackdropButton->setIcon(QIcon(QPixmap::fromImage(
        backdrop.Picture.scaled(QSize(24, 24), Qt::KeepAspectRatio, Qt::SmoothTransformation))));
    FBackdropButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    FBackdropButton->setCheckable(true);
    FBackdropButton->setPopupMode(QToolButton::MenuButtonPopup);
    auto *menu = new QMenu(FBackdropButton);
    FPrintBackdrop = menu->addAction(backdrop.PrintCaption);
    FPrintBackdrop->setCheckable(true);
    FBackdropButton->setMenu(menu);
    FToolBar->insertWidget(Button(QStringLiteral("Sep3")), FBackdropButton)
        ->setObjectName(QStringLiteral("BackdropBAction"));
    const std::unique_ptr<QSettings> settings = FReport.GetIniFile();
    FBackdropButton->setChecked(settings != nullptr && settings->value(backdropKey, false).toBool());
    FPreview->SetBackdropVisible(FBackdropButton->isChecked());
    connect(FBackdropButton, &QToolButton::toggled, this, &TfrxPreviewForm::showBackdrop);
    connect(FPrintBackdrop, &QAction::toggled, FPreview, &TfrxPreview::SetBackdropPrinted);
}

void TfrxPreviewForm::showBackdrop(bool visible)
{
    FPreview->SetBackdropVisible(visible);
    if (const std::unique_ptr<QSettings> settings = FReport.GetIniFile())
        settings->setValue(backdropKey, visible);
}

QAction *TfrxPreviewForm::Button(const QString &name) const { return FToolBar->findChild<QAction *>(name); }

// Shows the buttons the options ask for; a separator goes with the group after it.
void TfrxPreviewForm::applyButtons()
{
    const TfrxPreviewOptions &options = *FReport.PreviewOptions();
    const TfrxPreviewButtons b = options.Buttons;
    const bool zoom = b.testFlag(pbZoom);
    const struct
    {
        const char *name;
        bool visible;
    } rules[] = {
        {"PrintB", b.testFlag(pbPrint)},
        {"OpenB", b.testFlag(pbLoad)},
        {"SaveB", b.testFlag(pbSave) || b.testFlag(pbExport)},
        {"PdfB", b.testFlag(pbExport)},
        {"Sep1", b.testFlag(pbFind)},
        {"FindB", b.testFlag(pbFind)},
        {"Sep2", zoom},
        {"ZoomInB", zoom},
        {"ZoomCBAction", zoom},
        {"ZoomOutB", zoom},
        {"FullScreenB", zoom && !b.testFlag(pbNoFullScreen)},
        {"Sep3", b.testFlag(pbOutline) || b.testFlag(pbPageSetup) || b.testFlag(pbEdit)},
        {"OutlineB", b.testFlag(pbOutline)},
        {"ThumbB", b.testFlag(pbOutline)},
        {"PageSettingsB", b.testFlag(pbPageSetup)},
        {"DesignerB", b.testFlag(pbEdit)},
        {"Sep4", b.testFlag(pbNavigator)},
        {"FirstB", b.testFlag(pbNavigator)},
        {"PriorB", b.testFlag(pbNavigator)},
        {"PageEAction", b.testFlag(pbNavigator)},
        {"OfNLAction", b.testFlag(pbNavigator)},
        {"NextB", b.testFlag(pbNavigator)},
        {"LastB", b.testFlag(pbNavigator)},
        {"Sep5", !b.testFlag(pbNoClose)},
        {"CloseBAction", !b.testFlag(pbNoClose)},
    };
    for (const auto &rule : rules)
        if (QAction *action = Button(QLatin1String(rule.name)))
            action->setVisible(rule.visible);
    // Editing a prepared page needs the designer, which this window does not open.
    Button(QStringLiteral("DesignerB"))->setEnabled(false);
    Button(QStringLiteral("OutlineB"))->setChecked(options.OutlineVisible);
    Button(QStringLiteral("ThumbB"))->setChecked(options.ThumbnailVisible);
    FToolBar->setToolButtonStyle(options.ShowCaptions ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);

    FSaveMenu->clear();
    if (b.testFlag(pbSave))
        connect(FSaveMenu->addAction(text("clZI3files") + QStringLiteral("...")), &QAction::triggered, FPreview,
                qOverload<>(&TfrxPreview::SaveToFile));
    if (b.testFlag(pbExport)) {
        if (b.testFlag(pbSave))
            FSaveMenu->addSeparator();
        connect(FSaveMenu->addAction(text("151") + QStringLiteral("...")), &QAction::triggered, this,
                &TfrxPreviewForm::ExportPdf);
    }
}

QString TfrxPreviewForm::StatusText(int panel) const
{
    return panel == 0 ? FPagePanel->text() : FMessagePanel->text();
}

void TfrxPreviewForm::pageChanged(int pageNo)
{
    const int count = FPreview->PageCount();
    FPagePanel->setText(zorFillText(text("clPageOf"), {QString::number(count == 0 ? 0 : pageNo),
                                                        QString::number(count)}));
    FPageE->setText(QString::number(pageNo));
    FOfNL->setText(zorFillText(text("clOf"), {QString::number(count)}));
}

void TfrxPreviewForm::zoomChanged(double zoom)
{
    FZoomCB->setEditText(zoomText(zoom));
    pageChanged(FPreview->PageNo());
}

void TfrxPreviewForm::zoomChosen(int index)
{
    if (index < int(std::size(zoomSteps)))
        FPreview->SetZoom(zoomSteps[index]);
    else
        FPreview->SetZoomMode(index == int(std::size(zoomSteps)) ? zmPageWidth : zmWholePage);
    zoomChanged(FPreview->Zoom());
}

// A typed zoom is a percentage; anything that is not a number is ignored.
void TfrxPreviewForm::zoomTyped()
{
    QString typed = FZoomCB->currentText();
    typed.remove(u'%');
    typed.remove(u' ');
    bool ok = false;
    double percent = QLocale().toDouble(typed, &ok);
    if (!ok)
        percent = QLocale::c().toDouble(typed, &ok);
    if (ok)
        FPreview->SetZoom(percent / 100);
    zoomChanged(FPreview->Zoom());
}

void TfrxPreviewForm::pageTyped()
{
    bool ok = false;
    const int page = FPageE->text().trimmed().toInt(&ok);
    if (ok)
        FPreview->SetPageNo(page);
    else
        pageChanged(FPreview->PageNo());
}

bool TfrxPreviewForm::Preparing() const { return FPreparing || FPreview->Running(); }

void TfrxPreviewForm::closeClicked()
{
    if (Preparing())
        FReport.SetTerminated(true);
    else
        reject();
}

void TfrxPreviewForm::PrepareOnShow() { FPrepareOnShow = true; }

void TfrxPreviewForm::PrepareLater() { QTimer::singleShot(prepareDelayMs, this, &TfrxPreviewForm::prepare); }

void TfrxPreviewForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!FPrepareOnShow)
        return;
    FPrepareOnShow = false;
    PrepareLater();
}

void TfrxPreviewForm::setRunningLook(bool running)
{
    FCloseButton->setText(text(running ? "clCancel" : "clClose"));
    for (const char *name : {"PrintB", "OpenB", "SaveB", "PdfB", "PageSettingsB"})
        Button(QLatin1String(name))->setEnabled(!running);
    if (!running) {
        FMessagePanel->clear();
        pageChanged(FPreview->PageNo());
    }
}

// The second panel says which page is being prepared; in the first pass of a double-pass report
// the first panel counts the pages of that pass instead of the pages shown.
void TfrxPreviewForm::showProgress(int pageIndex, bool finalPass)
{
    const QString number = QString::number(pageIndex + 1);
    FMessagePanel->setText(zorFillText(text(finalPass ? "prRunning" : "prRunningFirst"), {number}));
    if (!finalPass)
        FPagePanel->setText(text("clFirstPass") + number);
}

// Runs inside the window's event loop. An error of the preparation never passes through Qt's
// loop: it is kept and the window closes; whoever opened the window raises it again.
void TfrxPreviewForm::prepare()
{
    // A window closed before its preparation began is on its way out (and may be deleted while
    // the preparation services events): it prepares nothing.
    if (Preparing() || !isVisible())
        return;
    FPreparing = true;
    FPreview->HoldRunning(true);
    setRunningLook(true);
    bool failed = false;
    try {
        FReport.PrepareReport(false);
        failed = !FReport.Errors().isEmpty();
    } catch (...) {
        FPreparationError = std::current_exception();
        failed = true;
    }
    FPreparing = false;
    FPreview->HoldRunning(false);
    setRunningLook(false);
    if (failed) {
        if (FReport.PreviewPages() != nullptr)
            FReport.PreviewPages()->Clear();
        QDialog::reject();
    }
}

bool TfrxPreviewForm::ExportPdf()
{
    if (FPreview->Busy())
        return false;
    const QString name = QFileDialog::getSaveFileName(this, text("151"), QString(), QStringLiteral("PDF (*.pdf)"));
    if (name.isEmpty())
        return false;
    QString error;
    if (zorExportPdf(FReport, name, error))
        return true;
    zorReportPrinterError(error);
    return false;
}

void TfrxPreviewForm::SetFullScreen(bool value)
{
    if (value == FFullScreen)
        return;
    FFullScreen = value;
    FToolBar->setVisible(!value);
    FStatusBar->setVisible(!value);
    if (value) {
        FStateBeforeFullScreen = windowState();
        setWindowState(windowState() | Qt::WindowFullScreen);
    } else {
        setWindowState(FStateBeforeFullScreen);
    }
}

// Escape is the Close button; closing waits while the report prepares or prints.
void TfrxPreviewForm::reject()
{
    if (FPreparing || FPreview->Busy())
        return;
    QDialog::reject();
}

void TfrxPreviewForm::done(int result)
{
    QDialog::done(result);
    if (const auto &handler = FReport.OnClosePreview())
        handler(FReport);
}

void TfrxPreviewForm::closeEvent(QCloseEvent *event)
{
    if (FPreparing || FPreview->Busy()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrxPreviewForm::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (!FReport.PreviewOptions()->Buttons.testFlag(pbNoClose))
            closeClicked();
        break;
    case Qt::Key_F11:
        SetFullScreen(!FFullScreen);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        break; // Enter belongs to the zoom and page boxes, never to a default button
    default:
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
}

// The right-click menu repeats the visible buttons up to the second separator.
void TfrxPreviewForm::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    int separators = 0;
    for (QAction *action : FToolBar->actions()) {
        if (action->isSeparator() && ++separators == 2)
            break;
        if (!action->isSeparator() && action->isVisible())
            menu.addAction(action->icon(), action->toolTip(), action, &QAction::trigger);
    }
    menu.exec(event->globalPos());
}
