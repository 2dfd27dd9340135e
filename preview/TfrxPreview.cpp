#include "TfrxPreview.h"

#include "TfrxCustomEngine.h"
#include "TfrxCustomPreviewPages.h"
#include "TfrxError.h"
#include "TfrxPageSettingsForm.h"
#include "TfrxOutline.h"
#include "TfrxPreviewPages.h"
#include "TfrxPreviewWorkspace.h"
#include "TfrxPrintRun.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "TfrxSearchDialog.h"
#include "TfrxTextFinder.h"
#include "TfrxHyperlink.h"
#include "TfrxView.h"
#include "zorPrinterTexts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QToolTip>
#include <QUrl>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

using namespace zor;

namespace {

constexpr double minZoom = 0.25;
constexpr double maxZoom = 8;
constexpr double thumbnailZoom = 0.1;
constexpr int room = 26;

std::function<bool(const QUrl &)> &urlOpener()
{
    static std::function<bool(const QUrl &)> opener = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    return opener;
}

double clampZoom(double zoom) { return std::isfinite(zoom) ? std::clamp(zoom, minZoom, maxZoom) : 1.0; }

QString preparedReportFilter()
{
    return zorPrinterText("clZI3files") + QStringLiteral(" (*.zi3)");
}

} // namespace

TfrxPreview::TfrxPreview(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TfrxPreview"));
    FWorkspace = new TfrxPreviewWorkspace(false, this);
    FThumbnail = new TfrxPreviewWorkspace(true, this);
    FOutline = new QTreeWidget(this);
    FOutline->setObjectName(QStringLiteral("Outline"));
    FOutline->setHeaderHidden(true);
    FOutline->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FOutline, &QTreeWidget::customContextMenuRequested, this, [this](QPoint at) {
        QMenu menu(this);
        menu.addAction(zorPrinterText("601"), FOutline, &QTreeWidget::collapseAll);
        menu.addAction(zorPrinterText("600"), FOutline, &QTreeWidget::expandAll);
        menu.exec(FOutline->viewport()->mapToGlobal(at));
    });
    connect(FOutline, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        SetPosition(item->data(0, Qt::UserRole).toInt() + 1, item->data(0, Qt::UserRole + 1).toInt());
    });
    FOutline->hide();
    FThumbnail->hide();

    FSplitter = new QSplitter(Qt::Horizontal, this);
    auto *side = new QWidget(FSplitter);
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(FOutline);
    sideLayout->addWidget(FThumbnail);
    side->hide();
    FSplitter->addWidget(side);
    FSplitter->addWidget(FWorkspace);
    FSplitter->setStretchFactor(1, 1);
    FSplitter->setCollapsible(1, false);

    // The message panel shows what a long file operation is doing.
    FMessagePanel = new QWidget(this);
    FMessagePanel->setObjectName(QStringLiteral("MessagePanel"));
    FMessageLabel = new QLabel(FMessagePanel);
    auto *cancel = new QPushButton(zorPrinterText("clCancel"), FMessagePanel);
    connect(cancel, &QPushButton::clicked, this, &TfrxPreview::Cancel);
    auto *panelLayout = new QHBoxLayout(FMessagePanel);
    panelLayout->addWidget(FMessageLabel, 1);
    panelLayout->addWidget(cancel);
    FMessagePanel->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FMessagePanel);
    layout->addWidget(FSplitter, 1);

    connect(FWorkspace, &TfrxPreviewWorkspace::PageScrolled, this, &TfrxPreview::pageScrolled);
    connect(FWorkspace, &TfrxPreviewWorkspace::PageClicked, this, [this](int index) {
        FPageNo = index + 1;
        FWorkspace->SetActivePage(index);
        emit PageChanged(FPageNo);
    });
    connect(FWorkspace, &TfrxPreviewWorkspace::ZoomWheel, this, &TfrxPreview::WheelZoom);
    // Rows and fitted zooms follow the area's size.
    connect(FWorkspace, &TfrxPreviewWorkspace::Resized, this, [this] {
        if (FReport != nullptr)
            UpdatePages();
    });
    connect(FThumbnail, &TfrxPreviewWorkspace::PageClicked, this, [this](int index) { SetPageNo(index + 1); });
    connect(FWorkspace, &TfrxPreviewWorkspace::PageMouseMove, this, &TfrxPreview::mouseOverPage);
    connect(FWorkspace, &TfrxPreviewWorkspace::PageMouseClick, this, &TfrxPreview::ClickAt);
    setFocusProxy(FWorkspace);
    setMinimumSize(320, 240);
}

TfrxPreview::~TfrxPreview()
{
    if (FReport != nullptr && FReport->Preview() == this)
        FReport->SetPreview(nullptr);
}

TfrxCustomPreviewPages *TfrxPreview::PreviewPages() const
{
    return FReport != nullptr ? FReport->PreviewPages() : nullptr;
}

int TfrxPreview::PageCount() const
{
    const TfrxCustomPreviewPages *pages = PreviewPages();
    return pages != nullptr ? pages->GetCount() : 0;
}

void TfrxPreview::Init(TfrxReport *report)
{
    if (FReport != nullptr && FReport != report && FReport->Preview() == this)
        FReport->SetPreview(nullptr);
    FReport = report;
    report->SetPreview(this);
    FWorkspace->SetPreviewPages(PreviewPages());
    FThumbnail->SetPreviewPages(PreviewPages());
    const TfrxPreviewOptions &options = *report->PreviewOptions();
    FZoom = clampZoom(options.Zoom);
    FZoomMode = options.ZoomMode;
    SetOutlineVisible(options.OutlineVisible);
    SetThumbnailVisible(options.ThumbnailVisible);
    FSplitter->setSizes({options.OutlineWidth, std::max(1, width() - options.OutlineWidth)});
    FPageNo = 1;
    UpdatePages();
    buildOutline();
    SetPageNo(1);
}

namespace {

// An outline read from a file may nest without end; deeper entries are not shown.
constexpr int maxOutlineDepth = 64;

// outline -> entry*, each entry a text, a page and a top with its own entries below it
void addOutlineEntries(TfrxOutline &outline, QTreeWidgetItem *parent, QTreeWidget *tree, int depth = 0)
{
    if (depth >= maxOutlineDepth)
        return;
    for (int i = 0, count = outline.Count(); i < count; ++i) {
        QString text;
        int page = 0;
        int top = 0;
        outline.GetItem(i, text, page, top);
        auto *item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, text);
        item->setData(0, Qt::UserRole, page);
        item->setData(0, Qt::UserRole + 1, top);
        outline.LevelDown(i);
        addOutlineEntries(outline, item, tree, depth + 1);
        outline.LevelUp();
    }
}

} // namespace

void TfrxPreview::buildOutline()
{
    FOutline->clear();
    auto *store = dynamic_cast<TfrxPreviewPages *>(PreviewPages());
    if (store == nullptr)
        return;
    TfrxOutline &outline = store->Outline();
    if (outline.Root() == nullptr)
        return;
    outline.LevelRoot();
    addOutlineEntries(outline, nullptr, FOutline);
    outline.LevelRoot();
    if (FReport->PreviewOptions()->OutlineExpand)
        FOutline->expandAll();
}

void TfrxPreview::SetPageNo(int pageNo)
{
    FPageNo = std::clamp(pageNo, 1, std::max(1, PageCount()));
    FScrolling = true;
    FWorkspace->ScrollToPage(FPageNo - 1);
    FScrolling = false;
    FWorkspace->SetActivePage(FPageNo - 1);
    FThumbnail->SetActivePage(FPageNo - 1);
    emit PageChanged(FPageNo);
}

void TfrxPreview::SetPosition(int pageNo, int top)
{
    SetPageNo(pageNo);
    TfrxCustomPreviewPages *pages = PreviewPages();
    const TfrxReportPage *page = pages != nullptr ? pages->GetPage(FPageNo - 1) : nullptr;
    const double margin = page != nullptr ? page->TopMargin() * fr01cm : 0;
    FScrolling = true;
    FWorkspace->ScrollToPage(FPageNo - 1, int(std::nearbyint((margin + top) * FZoom)));
    FScrolling = false;
}

// After a scroll the current page is the one the top of the view has reached.
void TfrxPreview::pageScrolled()
{
    if (FScrolling || FWorkspace->PageList().Count() == 0)
        return;
    const int page = FWorkspace->PageList().FindCurrentPage(FWorkspace->Offset().y()) + 1;
    if (page == FPageNo)
        return;
    FPageNo = page;
    FWorkspace->SetActivePage(page - 1);
    FThumbnail->SetActivePage(page - 1);
    emit PageChanged(FPageNo);
}

void TfrxPreview::SetZoom(double zoom)
{
    FZoom = clampZoom(zoom);
    FZoomMode = zmDefault;
    UpdatePages();
    SetPageNo(FPageNo);
}

void TfrxPreview::SetZoomMode(TfrxZoomMode mode)
{
    FZoomMode = mode;
    UpdatePages();
    SetPageNo(FPageNo);
}

void TfrxPreview::WheelZoom(int notches)
{
    SetZoom(std::max(0.3, FZoom + 0.1 * notches));
}

void TfrxPreview::UpdatePages()
{
    TfrxCustomPreviewPages *pages = PreviewPages();
    if (FLocked > 0 || pages == nullptr || pages->GetCount() == 0) {
        FWorkspace->Layout(FZoom);
        emit ZoomChanged(FZoom);
        return;
    }
    QSize size = pages->GetPageSize(FPageNo - 1);
    if (size.width() <= 0 || size.height() <= 0)
        size = QSize(794, 1123);
    const QSize client = FWorkspace->viewport()->size();
    const double usable = FWorkspace->UsableWidth();
    if (FZoomMode == zmWholePage) {
        const bool byHeight = double(size.height()) / std::max(1, client.height()) >=
                              double(size.width()) / std::max(1, client.width());
        FZoom = byHeight ? double(FWorkspace->height() - room) / size.height() : usable / size.width();
    } else if (FZoomMode == zmPageWidth) {
        FZoom = usable / size.width();
    }
    FZoom = clampZoom(FZoom);
    FWorkspace->Layout(FZoom);
    if (!FRunning)
        layoutThumbnails();
    emit ZoomChanged(FZoom);
}

void TfrxPreview::layoutThumbnails()
{
    if (FThumbnail->isVisible())
        FThumbnail->Layout(thumbnailZoom);
}

bool TfrxPreview::OutlineVisible() const { return !FOutline->isHidden(); }

void TfrxPreview::SetOutlineVisible(bool value)
{
    FOutline->setVisible(value);
    FSplitter->widget(0)->setVisible(value || ThumbnailVisible());
}

bool TfrxPreview::ThumbnailVisible() const { return !FThumbnail->isHidden(); }

void TfrxPreview::SetThumbnailVisible(bool value)
{
    FThumbnail->setVisible(value);
    FSplitter->widget(0)->setVisible(value || OutlineVisible());
    if (value)
        layoutThumbnails();
}

void TfrxPreview::Lock()
{
    ++FLocked;
    FWorkspace->SetDisableUpdate(true);
}

void TfrxPreview::Unlock()
{
    FLocked = std::max(0, FLocked - 1);
    if (FLocked > 0)
        return;
    FWorkspace->SetDisableUpdate(false);
    UpdatePages();
}

void TfrxPreview::InternalOnProgressStart()
{
    FRunning = true;
    FindTextClear();
    FOutline->clear();
    FPageNo = 1;
    FTick = 50;
    UpdatePages();
    emit RunningChanged(true);
    emit PageChanged(FPageNo);
}

namespace {

// While this many pages are prepared, each joins the layout at once.
constexpr int eagerPages = 50;

int tickAfter(qint64 secondPageMs)
{
    if (secondPageMs <= 4)
        return 50;
    return secondPageMs > 9 ? 5 : 20;
}

} // namespace

void TfrxPreview::InternalOnProgress(int pageIndex)
{
    const bool finalPass = FReport == nullptr || FReport->Engine() == nullptr || FReport->Engine()->FinalPass();
    if (finalPass) {
        if (pageIndex == 0) {
            FFirstPageTime.start();
            UpdatePages();
            SetPageNo(1);
        } else if (pageIndex == 1) {
            FTick = tickAfter(FFirstPageTime.elapsed());
        }
        if (pageIndex > 0 && (pageIndex < eagerPages || pageIndex % FTick == 0)) {
            FWorkspace->AppendPages();
            emit PageChanged(FPageNo);
        }
    }
    emit PreparationProgress(pageIndex, finalPass);
}

void TfrxPreview::InternalOnProgressStop()
{
    if (FHeld) {
        Rebuild();
        return;
    }
    FRunning = false;
    Rebuild();
    emit RunningChanged(false);
}

void TfrxPreview::HoldRunning(bool hold)
{
    FHeld = hold;
    if (hold) {
        FRunning = true;
        emit RunningChanged(true);
    } else {
        InternalOnProgressStop();
    }
}

void TfrxPreview::Rebuild()
{
    UpdatePages();
    buildOutline();
    SetPageNo(FPageNo);
}

void TfrxPreview::SetBackdrop(const QImage &picture, const QRectF &rectMm)
{
    FBackdrop = picture;
    FBackdropMm = rectMm;
    FWorkspace->SetBackdrop(picture, rectMm);
}

bool TfrxPreview::BackdropVisible() const { return FWorkspace->BackdropVisible(); }

void TfrxPreview::SetBackdropVisible(bool value) { FWorkspace->SetBackdropVisible(value); }

void TfrxPreview::Cancel()
{
    if (FReport != nullptr && Busy())
        FReport->SetTerminated(true);
}

bool TfrxPreview::Print()
{
    TfrxCustomPreviewPages *pages = PreviewPages();
    if (Busy() || pages == nullptr || pages->GetCount() == 0)
        return false;
    pages->SetCurPage(FPageNo - 1);
    FPrinting = true;
    Lock();
    TfrxPrintRun run(*FReport, *pages);
    run.SetCurrentPage(FPageNo);
    if (FBackdropPrinted)
        run.SetBackdrop(FBackdrop, FBackdropMm);
    const bool printed = run.Print();
    FPrinting = false;
    Unlock();
    return printed;
}

bool TfrxPreview::SaveToFile()
{
    if (Busy() || PreviewPages() == nullptr)
        return false;
    const QString name = QFileDialog::getSaveFileName(this, QString(), QString(), preparedReportFilter());
    return !name.isEmpty() && SaveToFile(name);
}

bool TfrxPreview::SaveToFile(const QString &fileName)
{
    TfrxCustomPreviewPages *pages = PreviewPages();
    if (Busy() || pages == nullptr)
        return false;
    QString name = fileName;
    if (QFileInfo(name).suffix().compare(QStringLiteral("zi3"), Qt::CaseInsensitive) != 0)
        name += QStringLiteral(".zi3");
    showMessagePanel(zorPrinterText("clSaving"));
    bool saved = false;
    try {
        saved = pages->SaveToFile(name);
    } catch (const TfrxError &error) {
        zorReportPrinterError(error.Message());
    }
    hideMessagePanel();
    return saved;
}

bool TfrxPreview::LoadFromFile()
{
    if (Busy() || PreviewPages() == nullptr)
        return false;
    const QString name = QFileDialog::getOpenFileName(this, QString(), QString(), preparedReportFilter());
    return !name.isEmpty() && LoadFromFile(name);
}

bool TfrxPreview::LoadFromFile(const QString &fileName)
{
    TfrxCustomPreviewPages *pages = PreviewPages();
    if (Busy() || pages == nullptr)
        return false;
    showMessagePanel(zorPrinterText("clLoading"));
    bool loaded = false;
    try {
        loaded = pages->LoadFromFile(fileName, true);
    } catch (const TfrxError &error) {
        zorReportPrinterError(error.Message());
    }
    hideMessagePanel();
    // What the file held that could not be read is shown, not dropped without a word.
    if (loaded && !FReport->Errors().isEmpty())
        FReport->ReportErrors();
    FLoaded = loaded;
    FindTextClear();
    FPageNo = 1;
    UpdatePages();
    buildOutline();
    SetPageNo(1);
    return loaded;
}

bool TfrxPreview::PageSetupDlg()
{
    TfrxCustomPreviewPages *pages = PreviewPages();
    if (Busy() || pages == nullptr || pages->GetCount() == 0)
        return false;
    // Pages loaded from a file have no template to prepare again: they are changed one by one.
    TfrxPageSettingsForm form(*FReport, FPageNo - 1, this, !FLoaded);
    if (form.exec() != QDialog::Accepted)
        return false;
    if (form.ApplyToAll() && !FLoaded) {
        FReport->PrepareReport();
        FPageNo = 1;
    }
    UpdatePages();
    SetPageNo(FPageNo);
    return true;
}

void TfrxPreview::showMessagePanel(const QString &text)
{
    FMessageLabel->setText(text);
    FMessagePanel->show();
    emit Message(text);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrxPreview::hideMessagePanel()
{
    FMessagePanel->hide();
    emit Message(QString());
}

void TfrxPreview::Find()
{
    TfrxSearchDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!FindText(dialog.Text(), dialog.FromTop(), dialog.CaseSensitive()))
        showNotFound();
}

void TfrxPreview::FindNext()
{
    if (!FindText(TfrxSearchDialog::LastText(), false, TfrxSearchDialog::LastCaseSensitive()))
        showNotFound();
}

void TfrxPreview::showNotFound()
{
    QMessageBox::information(this, zorPrinterText("mbInfo"), zorPrinterText("clStrNotFound"));
}

bool TfrxPreview::FindText(const QString &text, bool fromTop, bool caseSensitive)
{
    TfrxCustomPreviewPages *pages = PreviewPages();
    if (pages == nullptr || text.isEmpty())
        return false;
    const int count = pages->GetCount();
    if (fromTop || FLastHitPage >= count)
        FindTextClear();
    const int start = fromTop ? 0 : FPageNo - 1;
    for (int page = start; page < count; ++page) {
        const QList<TfrxTextRun> runs = TfrxTextFinder::PageRuns(*pages, page);
        const int after = page == FLastHitPage ? FLastHit : -1;
        const int hit = TfrxTextFinder::Find(runs, text, caseSensitive, after);
        if (hit < 0)
            continue;
        FLastHitPage = page;
        FLastHit = hit;
        FAllowF3 = true;
        if (page + 1 != FPageNo)
            SetPageNo(page + 1);
        FWorkspace->SetFound(page, runs.at(hit).Bounds);
        FWorkspace->EnsureVisible(FWorkspace->FoundRectOnScreen());
        return true;
    }
    return false;
}

void TfrxPreview::FindTextClear()
{
    FLastHitPage = -1;
    FLastHit = -1;
    FAllowF3 = false;
    FWorkspace->SetFound(-1, QRectF());
}

void TfrxPreview::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const TfrxPreviewButtons buttons =
        FReport != nullptr ? FReport->PreviewOptions()->Buttons : TfrxPreviewButtons();
    QScrollBar *vertical = FWorkspace->verticalScrollBar();
    QScrollBar *horizontal = FWorkspace->horizontalScrollBar();
    switch (event->key()) {
    case Qt::Key_Up:
        vertical->setValue(vertical->value() - TfrxPreviewWorkspace::SmallChange);
        break;
    case Qt::Key_Down:
        vertical->setValue(vertical->value() + TfrxPreviewWorkspace::SmallChange);
        break;
    case Qt::Key_Left:
        horizontal->setValue(horizontal->value() - TfrxPreviewWorkspace::SmallChange);
        break;
    case Qt::Key_Right:
        horizontal->setValue(horizontal->value() + TfrxPreviewWorkspace::SmallChange);
        break;
    case Qt::Key_PageUp:
        if (ctrl)
            Prior();
        else
            vertical->setValue(vertical->value() - TfrxPreviewWorkspace::LargeChange);
        break;
    case Qt::Key_PageDown:
        if (ctrl)
            Next();
        else
            vertical->setValue(vertical->value() + TfrxPreviewWorkspace::LargeChange);
        break;
    case Qt::Key_Home:
        First();
        break;
    case Qt::Key_End:
        Last();
        break;
    case Qt::Key_F3:
        if (buttons.testFlag(pbFind) && FAllowF3)
            FindNext();
        break;
    case Qt::Key_P:
        if (ctrl && buttons.testFlag(pbPrint))
            Print();
        break;
    case Qt::Key_S:
        if (ctrl && buttons.testFlag(pbSave))
            SaveToFile();
        break;
    case Qt::Key_F:
        if (ctrl && buttons.testFlag(pbFind))
            Find();
        break;
    case Qt::Key_O:
        if (ctrl && buttons.testFlag(pbLoad))
            LoadFromFile();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TfrxPreview::SetUrlOpener(std::function<bool(const QUrl &)> opener) { urlOpener() = std::move(opener); }

TfrxView *TfrxPreview::ViewAt(int pageIndex, QPointF point)
{
    TfrxCustomPreviewPages *pages = PreviewPages();
    return pages != nullptr ? pages->ObjectOver(pageIndex, point) : nullptr;
}

void TfrxPreview::mouseOverPage(int index, QPointF point)
{
    TfrxView *view = ViewAt(index, point);
    setViewUnderMouse(view);
    const QString link = view != nullptr && view->Hyperlink() != nullptr ? view->Hyperlink()->Value() : QString();
    if (link.isEmpty())
        FWorkspace->viewport()->unsetCursor();
    else
        FWorkspace->viewport()->setCursor(Qt::PointingHandCursor);
    emit Message(link);
    if (view != nullptr && !view->Hint().isEmpty())
        QToolTip::showText(QCursor::pos(), view->Hint(), FWorkspace);
    if (view != nullptr && FReport != nullptr)
        if (const auto &handler = FReport->OnMouseOverObject())
            handler(view);
}

namespace {

// The shift state that script events and host handlers receive: one byte of flags.
int shiftState(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool doubleClick)
{
    static const struct {
        Qt::KeyboardModifier modifier;
        int flag;
    } keys[] = {{Qt::ShiftModifier, 1}, {Qt::AltModifier, 2}, {Qt::ControlModifier, 4}};
    int shift = 0;
    for (const auto &key : keys)
        if (modifiers.testFlag(key.modifier))
            shift |= key.flag;
    static const QHash<Qt::MouseButton, int> buttons{{Qt::LeftButton, 8}, {Qt::RightButton, 16}, {Qt::MiddleButton, 32}};
    shift |= buttons.value(button, 0);
    return doubleClick ? shift | 64 : shift;
}

// 0 left, 1 right, 2 middle.
int buttonNumber(Qt::MouseButton button)
{
    return button == Qt::RightButton ? 1 : button == Qt::MiddleButton ? 2 : 0;
}

} // namespace

// Script events run on the window's side of the event loop: an error of one is shown, never
// passed through Qt's loop.
void TfrxPreview::setViewUnderMouse(TfrxView *view)
{
    if (view == FViewUnderMouse || FReport == nullptr)
        return;
    bool refresh = false;
    try {
        if (FViewUnderMouse != nullptr)
            FReport->DoMouseLeave(FViewUnderMouse, refresh);
        FViewUnderMouse = view;
        if (view != nullptr)
            FReport->DoMouseEnter(view, refresh);
    } catch (const std::exception &error) {
        FViewUnderMouse = view;
        zorReportPrinterError(QString::fromUtf8(error.what()));
    }
    if (refresh)
        FWorkspace->viewport()->update();
}

TfrxView *TfrxPreview::ViewUnderMouse() const { return FViewUnderMouse; }

void TfrxPreview::ClickAt(int pageIndex, QPointF point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                          bool doubleClick)
{
    TfrxView *view = ViewAt(pageIndex, point);
    if (view == nullptr || FReport == nullptr)
        return;
    // Preparing again frees the view; what the click follows is taken first.
    const TfrxHyperlink *link = view->Hyperlink();
    const TfrxHyperlinkKind kind = link != nullptr ? link->Kind() : hkURL;
    const QString value = link != nullptr ? link->Value() : QString();
    bool modified = false;
    try {
        FReport->DoPreviewClick(view, buttonNumber(button), shiftState(button, modifiers, doubleClick), modified,
                                doubleClick);
    } catch (const std::exception &error) {
        zorReportPrinterError(QString::fromUtf8(error.what()));
        return;
    }
    if (modified && !Busy()) {
        FViewUnderMouse = nullptr;
        FReport->PrepareReport();
        Rebuild();
    }
    if (button == Qt::LeftButton && !doubleClick)
        followLink(kind, value);
}

void TfrxPreview::FollowHyperlink(TfrxView *view)
{
    const TfrxHyperlink *link = view != nullptr ? view->Hyperlink() : nullptr;
    if (link != nullptr)
        followLink(link->Kind(), link->Value());
}

void TfrxPreview::followLink(TfrxHyperlinkKind kind, const QString &value)
{
    if (value.isEmpty() || Busy())
        return;
    switch (kind) {
    case hkURL: {
        const QUrl url = QUrl::fromUserInput(value);
        const QString scheme = url.scheme().toLower();
        const bool safe = scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                          scheme == QLatin1String("mailto");
        if (safe || QMessageBox::question(this, zorPrinterText("mbConfirm"), value) == QMessageBox::Yes)
            urlOpener()(url);
        break;
    }
    case hkPageNumber:
        SetPageNo(value.toInt());
        break;
    case hkAnchor:
        if (auto *store = dynamic_cast<TfrxPreviewPages *>(PreviewPages()))
            SetPageNo(store->GetAnchorPage(value));
        break;
    default:
        break; // detail reports and script links are not part of this program's templates
    }
}
