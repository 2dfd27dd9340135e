#pragma once

#include "TfrxCustomPreview.h"
#include "zorTypes.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QRectF>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QSplitter;
class QTreeWidget;
class TfrxCustomPreviewPages;
class TfrxPreviewWorkspace;
class TfrxReport;
class TfrxView;
class QUrl;

// The preview control: the prepared pages of a report laid out top to bottom (side by side when
// they fit), zoomed and scrolled, with thumbnails and an outline at the side, text search,
// printing, saving and loading of prepared reports, and live display while the report prepares.
class TfrxPreview : public QWidget, public TfrxCustomPreview
{
    Q_OBJECT

public:
    explicit TfrxPreview(QWidget *parent = nullptr);
    ~TfrxPreview() override;

    // Attaches the control to the report (it follows the report's preparations from then on),
    // takes the report's preview options, lays the pages out and shows page 1.
    void Init(TfrxReport *report);
    TfrxReport *Report() const { return FReport; }
    TfrxCustomPreviewPages *PreviewPages() const;
    TfrxPreviewWorkspace *Workspace() const { return FWorkspace; }
    TfrxPreviewWorkspace *Thumbnail() const { return FThumbnail; }
    QTreeWidget *Outline() const { return FOutline; }

    int PageCount() const;
    int PageNo() const { return FPageNo; }
    // Clamped to 1 .. the page count.
    void SetPageNo(int pageNo);
    void First() { SetPageNo(1); }
    void Prior() { SetPageNo(FPageNo - 1); }
    void Next() { SetPageNo(FPageNo + 1); }
    void Last() { SetPageNo(PageCount()); }
    // Goes to a page with a position (report pixels below the page's top margin) at the top.
    void SetPosition(int pageNo, int top);

    double Zoom() const { return FZoom; }
    // Kept within 25 % .. 800 %; the zoom mode becomes zmDefault.
    void SetZoom(double zoom);
    zor::TfrxZoomMode ZoomMode() const { return FZoomMode; }
    void SetZoomMode(zor::TfrxZoomMode mode);
    void ZoomIn() { SetZoom(FZoom + 0.25); }
    void ZoomOut() { SetZoom(FZoom - 0.25); }
    // Ctrl with the wheel: 10 % a notch, never below 30 %.
    void WheelZoom(int notches);

    // The operations refused while the report prepares or prints; each returns whether it did
    // its work.
    bool Print();
    bool SaveToFile();
    bool SaveToFile(const QString &fileName);
    bool LoadFromFile();
    bool LoadFromFile(const QString &fileName);
    bool PageSetupDlg();

    // The search dialog, then the search; "Text not found" when nothing is found.
    void Find();
    void FindNext();
    bool FindText(const QString &text, bool fromTop, bool caseSensitive);
    void FindTextClear();
    bool AllowF3() const { return FAllowF3; }

    // Stops the preparation.
    void Cancel();
    void Lock();
    void Unlock();
    // Lays out the pages by the zoom mode; nothing while locked or without pages.
    void UpdatePages();

    // A picture under the pages (the blank they are printed on), shown when visible and printed
    // with them when printed; placed in millimetres from the paper's corner.
    void SetBackdrop(const QImage &picture, const QRectF &rectMm);
    bool BackdropVisible() const;
    void SetBackdropVisible(bool value);
    bool BackdropPrinted() const { return FBackdropPrinted; }
    void SetBackdropPrinted(bool value) { FBackdropPrinted = value; }

    bool OutlineVisible() const;
    void SetOutlineVisible(bool value);
    bool ThumbnailVisible() const;
    void SetThumbnailVisible(bool value);

    // The view under a point of a page (report pixels from the page's corner); none when none.
    TfrxView *ViewAt(int pageIndex, QPointF point);
    // Follows the hyperlink of a view: a web or mail address opens at once, any other value only
    // once the operator has confirmed it; page numbers and anchors go to their page.
    void FollowHyperlink(TfrxView *view);
    // A click on a page at a point in report pixels from its corner: the report's preview-click
    // handling for the view there (a report it marks modified is prepared again), then the
    // view's hyperlink for a single click of the left button.
    void ClickAt(int pageIndex, QPointF point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                 bool doubleClick);
    // The view the mouse is over now; none when it is over no view.
    TfrxView *ViewUnderMouse() const;
    // Opens addresses with the system's default handler; tests replace it.
    static void SetUrlOpener(std::function<bool(const QUrl &)> opener);

    // Preparation with the preview showing: the control is cleared when it starts, pages join
    // the layout as they are made (every page while there are few, later every Tick-th page),
    // and the layout, scroll range and outline are rebuilt when it ends.
    void InternalOnProgressStart() override;
    void InternalOnProgress(int pageIndex) override;
    void InternalOnProgressStop() override;
    bool Running() const { return FRunning; }
    // Keeps the control running from before the preparation starts until after it has returned
    // (the window that runs it holds it), so that nothing takes the pages while the report
    // finishes; releasing it ends the run as the progress stop does.
    void HoldRunning(bool hold);
    // Pages between updates of the page count while many pages are prepared: 50 when the second
    // page came within 4 ms of the first, 5 when it took more than 9 ms, else 20.
    int Tick() const { return FTick; }
    // Lays the pages out again, rebuilds the outline and shows the current page.
    void Rebuild();
    // Preparing or printing: the operations that change the pages are refused.
    bool Busy() const { return FRunning || FPrinting; }

signals:
    void PageChanged(int pageNo);
    void ZoomChanged(double zoom);
    // A text for the status line's second panel.
    void Message(const QString &text);
    // Preparation started or ended.
    void RunningChanged(bool running);
    // A page (from 0) was prepared; finalPass is false in the first pass of a double-pass report.
    void PreparationProgress(int pageIndex, bool finalPass);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void pageScrolled();
    void layoutThumbnails();
    void buildOutline();
    void showMessagePanel(const QString &text);
    void hideMessagePanel();
    void showNotFound();
    void mouseOverPage(int index, QPointF point);
    void setViewUnderMouse(TfrxView *view);
    void followLink(zor::TfrxHyperlinkKind kind, const QString &value);

    TfrxReport *FReport = nullptr;
    TfrxPreviewWorkspace *FWorkspace;
    TfrxPreviewWorkspace *FThumbnail;
    QTreeWidget *FOutline;
    QSplitter *FSplitter;
    QWidget *FMessagePanel;
    QLabel *FMessageLabel;
    int FPageNo = 1;
    double FZoom = 1;
    zor::TfrxZoomMode FZoomMode = zor::zmDefault;
    bool FRunning = false;
    bool FPrinting = false;
    bool FLoaded = false; // the pages came from a file, not from the report's template
    int FLocked = 0;
    bool FAllowF3 = false;
    bool FScrolling = false;
    int FLastHitPage = -1;
    int FLastHit = -1;
    QPointer<TfrxView> FViewUnderMouse;
    bool FHeld = false;
    int FTick = 50;
    QElapsedTimer FFirstPageTime;
    QImage FBackdrop;
    QRectF FBackdropMm;
    bool FBackdropPrinted = false;
};
