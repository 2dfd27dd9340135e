#pragma once

#include <QDialog>

#include <exception>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;
class TfrxPreview;
class TfrxReport;

// The preview window: the preview control under a toolbar of the buttons the report's preview
// options ask for, with a status line. It can prepare the report itself once it is on screen, so
// that the pages fill in while the operator already sees the window.
class TfrxPreviewForm : public QDialog
{
    Q_OBJECT

public:
    explicit TfrxPreviewForm(TfrxReport &report, QWidget *parent = nullptr);
    ~TfrxPreviewForm() override;

    TfrxPreview *Preview() const { return FPreview; }
    TfrxReport &Report() const { return FReport; }
    QToolBar *ToolBar() const { return FToolBar; }
    // The Close button (it reads "Cancel" while the report prepares).
    QToolButton *CloseButton() const { return FCloseButton; }
    QComboBox *ZoomBox() const { return FZoomCB; }
    QLineEdit *PageBox() const { return FPageE; }
    QString StatusText(int panel) const;
    // The toolbar button of an action name ("PrintB", "FindB", ...); none when absent.
    QAction *Button(const QString &name) const;
    // The switch of the blank under the pages, with its menu item that prints the blank too; none
    // when the report has no backdrop.
    QToolButton *BackdropButton() const { return FBackdropButton; }
    QAction *PrintBackdropAction() const { return FPrintBackdrop; }

    // Prepares the report 50 ms after the window has appeared, inside its event loop.
    void PrepareOnShow();
    // Prepares the report 50 ms from now, inside the running event loop.
    void PrepareLater();
    // The report prepares: the Close button cancels and the window stays open.
    bool Preparing() const;
    // An exception of that preparation, raised again by whoever ran the window.
    std::exception_ptr PreparationError() const { return FPreparationError; }
    bool FullScreen() const { return FFullScreen; }
    void SetFullScreen(bool value);
    // Exports the pages to a PDF file chosen by the operator.
    bool ExportPdf();

    void reject() override;
    // Closing tells the report's host (OnClosePreview).
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void buildToolBar();
    void buildBackdropButton();
    void showBackdrop(bool visible);
    QAction *addButton(const QString &name, const char *icon, const char *caption, const char *hint);
    void applyButtons();
    void prepare();
    void pageChanged(int pageNo);
    void zoomChanged(double zoom);
    void zoomChosen(int index);
    void zoomTyped();
    void pageTyped();
    void closeClicked();
    void setRunningLook(bool running);
    void showProgress(int pageIndex, bool finalPass);

    TfrxReport &FReport;
    TfrxPreview *FPreview;
    QToolBar *FToolBar;
    QStatusBar *FStatusBar;
    QLabel *FPagePanel;
    QLabel *FMessagePanel;
    QComboBox *FZoomCB = nullptr;
    QLineEdit *FPageE = nullptr;
    QLabel *FOfNL = nullptr;
    QToolButton *FCloseButton = nullptr;
    QMenu *FSaveMenu = nullptr;
    QToolButton *FBackdropButton = nullptr;
    QAction *FPrintBackdrop = nullptr;
    bool FPrepareOnShow = false;
    bool FPreparing = false;
    bool FFullScreen = false;
    Qt::WindowStates FStateBeforeFullScreen;
    std::exception_ptr FPreparationError;
};
