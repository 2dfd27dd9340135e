#pragma once

#include "zorTypes.h"

#include <QRectF>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QSplitter;
class QTimer;
class QTreeWidget;
class TfrxCustomPreviewPages;
class TfrxPreviewWorkspace;
class TfrxReport;
class TfrxView;
class QUrl;

// The preview control: the prepared pages of a report laid out top to bottom (side by side when
// they fit), zoomed and scrolled, with thumbnails and an outline at the side, text search,
// printing, saving and loading of prepared reports, and live display while the report prepares.
class TfrxPreview : public QWidget
{
    Q_OBJECT

public:
    explicit TfrxPreview(QWidget *parent = nullptr);
    ~TfrxPreview() override;

    // Takes the report's preview options, lays the pages out and shows page 1.
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

    bool OutlineVisible() const;
    void SetOutlineVisible(bool value);
    bool ThumbnailVisible() const;
    void SetThumbnailVisible(bool value);

    // The view under a point of a page (report pixels from the page's corner); none when none.
    TfrxView *ViewAt(int pageIndex, QPointF point);
    // Follows the hyperlink of a view: a web or mail address opens at once, any other value only
    // once the operator has confirmed it; page numbers and anchors go to their page.
    void FollowHyperlink(TfrxView *view);
    // Opens addresses with the system's default handler; tests replace it.
    static void SetUrlOpener(std::function<bool(const QUrl &)> opener);

    // Preparation with the preview showing: pages appear as they are made.
    void SetRunning(bool running);
    bool Running() const { return FRunning; }
    // Preparing or printing: the operations that change the pages are refused.
    bool Busy() const { return FRunning || FPrinting; }

signals:
    void PageChanged(int pageNo);
    void ZoomChanged(double zoom);
    // A text for the status line's second panel.
    void Message(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void pageScrolled();
    void refreshWhileRunning();
    void layoutThumbnails();
    void buildOutline();
    void showMessagePanel(const QString &text);
    void hideMessagePanel();
    void showNotFound();
    void mouseOverPage(int index, QPointF point);

    TfrxReport *FReport = nullptr;
    TfrxPreviewWorkspace *FWorkspace;
    TfrxPreviewWorkspace *FThumbnail;
    QTreeWidget *FOutline;
    QSplitter *FSplitter;
    QWidget *FMessagePanel;
    QLabel *FMessageLabel;
    QTimer *FLiveTimer;
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
    int FLiveCount = 0;
};
