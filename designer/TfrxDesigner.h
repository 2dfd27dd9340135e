#pragma once

#include "zorTypes.h"

#include <QFlags>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QRectF>
#include <QString>

#include <functional>

class TfrxComponent;
class TfrxReport;

// What a host program may forbid in the designer, in the order the settings store them.
enum TfrxDesignerRestriction {
    drDontInsertObject = 0x0001,
    drDontDeletePage = 0x0002,
    drDontCreatePage = 0x0004,
    drDontChangePageOptions = 0x0008,
    drDontCreateReport = 0x0010,
    drDontLoadReport = 0x0020,
    drDontSaveReport = 0x0040,
    drDontPreviewReport = 0x0080,
    drDontEditVariables = 0x0100,
    drDontChangeReportOptions = 0x0200,
    drDontEditReportData = 0x0400,
    drDontShowRecentFiles = 0x0800,
    drDontEditReportScript = 0x1000,
    drDontEditInternalDatasets = 0x2000,
};
Q_DECLARE_FLAGS(TfrxDesignerRestrictions, TfrxDesignerRestriction)
Q_DECLARE_OPERATORS_FOR_FLAGS(TfrxDesignerRestrictions)

// A picture drawn under one template's pages while it is designed, never saved and never printed:
// the pre-printed blank that the template's fields must meet.
struct TfrxDesignerBackdrop {
    QImage Picture;
    // Where the picture lies on the paper, in millimetres from the paper's top-left corner.
    QRectF RectMm;
    // The template it belongs to; other files opened in the same designer show no backdrop.
    QString FileName;
    // The caption of its switch in the View menu.
    QString Caption;
    bool IsNull() const { return Picture.isNull(); }
};

// The optional component a host program places once: while it exists it gives the designer its
// restrictions, the defaults of new reports, the folders of the file dialogs and the host's hooks.
// Without one every operation is allowed and new reports take the library's defaults.
class TfrxDesigner : public QObject
{
    Q_OBJECT

public:
    explicit TfrxDesigner(QObject *owner = nullptr);
    ~TfrxDesigner() override;

    // The component placed last that is still alive; none when the host placed none.
    static TfrxDesigner *Instance();
    // Whether an operation is allowed: no component, or its restriction is not set.
    static bool CheckOp(TfrxDesignerRestriction restriction);

    TfrxDesignerRestrictions Restrictions;

    // Defaults of new reports and pages.
    QString DefaultScriptLanguage = QStringLiteral("PascalScript");
    QFont DefaultFont = QFont(QStringLiteral("Arial"), 10);
    double DefaultLeftMargin = 10;
    double DefaultRightMargin = 10;
    double DefaultTopMargin = 10;
    double DefaultBottomMargin = 10;
    int DefaultPaperSize = 9;
    zor::TPrinterOrientation DefaultOrientation = zor::poPortrait;
    bool MemoParentFont = false;
    bool RTLLanguage = false;
    bool Gradient = false;
    int GradientStart = 0;
    int GradientEnd = 0;

    // File dialogs and templates.
    QString OpenDir;
    QString SaveDir;
    QString TemplatesExt = QStringLiteral("ze3");
    QString TemplateDir;
    bool Standalone = false;
    // Ask to save a modified template when the designer closes.
    bool CloseQuery = true;

    // Host hooks; each returns true when it did the work itself.
    std::function<bool(TfrxReport &report)> OnLoadReport;
    std::function<bool(TfrxReport &report, const QString &fileName)> OnLoadRecentReport;
    std::function<bool(TfrxReport &report, bool saveAs)> OnSaveReport;
    std::function<void()> OnShow;
    std::function<void(TfrxComponent *object)> OnInsertObject;
    std::function<void()> OnShowStartupScreen;

    // The picture under the pages of one template (the certificate program's blank).
    TfrxDesignerBackdrop Backdrop;
};
