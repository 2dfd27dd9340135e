#include "TfrxReportPropertyEditors.h"

#include "TfrxBand.h"
#include "TfrxBands.h"
#include "TfrxColorProperty.h"
#include "TfrxCustomMemoView.h"
#include "TfrxDataBand.h"
#include "TfrxDataPage.h"
#include "TfrxEventProperty.h"
#include "TfrxFont.h"
#include "TfrxFontProperty.h"
#include "TfrxHighlight.h"
#include "TfrxHyperlink.h"
#include "TfrxIdentProperty.h"
#include "TfrxMemoView.h"
#include "TfrxPictureView.h"
#include "TfrxPropertyEditorCollection.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "TfrxSubreport.h"
#include "TfrxView.h"

namespace {

// Editors of a whole property type.
struct TypeEditor
{
    const char *PropertyType;
    TfrxPropertyEditorClass EditorClass;
    const char *PropertyName;
};
const TypeEditor typeEditors[] = {
    {"Boolean", &zorEditorClass<TfrxBooleanProperty>, ""},
    {"TfrxFrame", &zorEditorClass<TfrxFrameProperty>, ""},
    {"TfrxCustomFill", &zorEditorClass<TfrxFillProperty>, ""},
    {"TPicture", &zorEditorClass<TfrxPictureProperty>, ""},
    {"TfrxDataSet", &zorEditorClass<TfrxDataSetProperty>, ""},
    {"TStrings", &zorEditorClass<TfrxStringsProperty>, ""},
    {"TBrushStyle", &zorEditorClass<TfrxBrushProperty>, ""},
    {"TfrxFrameStyle", &zorEditorClass<TfrxFrameStyleProperty>, ""},
    {"TComponentName", &zorEditorClass<TfrxNameProperty>, "Name"},
    {"TColor", &zorEditorClass<TfrxColorProperty>, ""},
    {"TfrxFont", &zorEditorClass<TfrxFontProperty>, ""},
    {"TFontCharset", &zorEditorClass<TfrxFontCharsetProperty>, ""},
    {"TModalResult", &zorEditorClass<TfrxModalResultProperty>, ""},
    {"TShortCut", &zorEditorClass<TfrxShortCutProperty>, ""},
    {"TCursor", &zorEditorClass<TfrxCursorProperty>, ""},
    {"TDateTime", &zorEditorClass<TfrxDateTimeProperty>, ""},
    {"TDate", &zorEditorClass<TfrxDateTimeProperty>, ""},
    {"TTime", &zorEditorClass<TfrxDateTimeProperty>, ""},
};

// Editors of properties by their class (and every class descending from it) and name.
struct ClassEditor
{
    const QMetaObject *ComponentClass;
    const char *PropertyNames;
    TfrxPropertyEditorClass EditorClass;
};
const ClassEditor classEditors[] = {
    {&TfrxComponent::staticMetaObject, "Left;Width", &zorEditorClass<TfrxLocSizeXProperty>},
    {&TfrxDataBand::staticMetaObject, "ColumnWidth;ColumnGap", &zorEditorClass<TfrxLocSizeXProperty>},
    {&QObject::staticMetaObject, "NextCrossGap;AddWidth", &zorEditorClass<TfrxLocSizeXProperty>},
    {&TfrxComponent::staticMetaObject, "Top;Height", &zorEditorClass<TfrxLocSizeYProperty>},
    {&QObject::staticMetaObject, "AddHeight", &zorEditorClass<TfrxLocSizeYProperty>},
    {&TfrxReportPage::staticMetaObject, "PaperWidth;LeftMargin;RightMargin",
     &zorEditorClass<TfrxPaperXProperty>},
    {&TfrxReportPage::staticMetaObject, "PaperHeight;TopMargin;BottomMargin",
     &zorEditorClass<TfrxPaperYProperty>},
    {&TfrxReportPage::staticMetaObject, "PaperSize", &zorEditorClass<TfrxPaperProperty>},
    {&TfrxPrintOptions::staticMetaObject, "PrintOnSheet", &zorEditorClass<TfrxPaperProperty>},
    {&TfrxView::staticMetaObject, "DataField", &zorEditorClass<TfrxDataFieldProperty>},
    {&TfrxCustomMemoView::staticMetaObject, "Memo", &zorEditorClass<TfrxMemoProperty>},
    {&TfrxMemoView::staticMetaObject, "DisplayFormat", &zorEditorClass<TfrxDisplayFormatProperty>},
    {&TfrxMemoView::staticMetaObject, "Style", &zorEditorClass<TfrxStyleProperty>},
    {&TfrxPrintOptions::staticMetaObject, "Printer", &zorEditorClass<TfrxPrinterProperty>},
    {&TfrxFont::staticMetaObject, "Name", &zorEditorClass<TfrxFontNameProperty>},
    {&TfrxFont::staticMetaObject, "Charset", &zorEditorClass<TfrxFontCharsetProperty>},
    {&TfrxGroupHeader::staticMetaObject, "Condition", &zorEditorClass<TfrxExpressionProperty>},
    {&TfrxHighlight::staticMetaObject, "Condition", &zorEditorClass<TfrxExpressionProperty>},
    {&TfrxDataBand::staticMetaObject, "Filter", &zorEditorClass<TfrxExpressionProperty>},
    {&TfrxHyperlink::staticMetaObject, "Expression", &zorEditorClass<TfrxExpressionProperty>},
    {&TfrxComponent::staticMetaObject, "OutlineText", &zorEditorClass<TfrxExpressionProperty>},
};

// Properties the operator has no business changing in the inspector.
struct Hidden
{
    const QMetaObject *ComponentClass;
    const char *PropertyNames;
};
const Hidden hiddenProperties[] = {
    {&TfrxReport::staticMetaObject, "DefaultLanguage;IniFile;Name;Preview;ScriptLanguage;ScriptText;Tag;"
                                    "Variables;DataSetName;DotMatrixReport;"
                                    "OldStyleProgress;ShowProgress;StoreInDFM;ParentReport"},
    {&TfrxEngineOptions::staticMetaObject,
     "NewSilentMode;MaxMemSize;PrintIfEmpty;SilentMode;TempDir;UseFileCache"},
    {&TfrxPreviewOptions::staticMetaObject,
     "AllowEdit;Buttons;DoubleBuffered;Maximized;MDIChild;Modal;ShowCaptions;Zoom;ZoomMode"},
    {&TfrxReportOptions::staticMetaObject, "CreateDate;LastChange;Compressed;Password"},
    {&TfrxReportPage::staticMetaObject,
     "Bin;BinOtherPages;ColumnWidth;ColumnPositions;DataSetName;HGuides;VGuides"},
    {&TfrxReportComponent::staticMetaObject, "GroupIndex"},
    {&TfrxView::staticMetaObject, "DataSetName;BrushStyle;URL"},
    {&TfrxBand::staticMetaObject, "Vertical"},
    {&TfrxDataBand::staticMetaObject, "DataSetName"},
    {&TfrxGroupHeader::staticMetaObject, "DrillName"},
    {&TfrxFont::staticMetaObject, "Height;Pitch"},
    {&TfrxHighlight::staticMetaObject, "Active"},
    {&TfrxPictureView::staticMetaObject, "ImageIndex"},
    {&TfrxSubreport::staticMetaObject, "Page"},
    {&TfrxDataPage::staticMetaObject, "Left;Tag;Top;Visible"},
    {&TfrxCustomMemoView::staticMetaObject, "FirstParaBreak;LastParaBreak"},
};

} // namespace

void zorRegisterPropertyEditors()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    TfrxPropertyEditorCollection &editors = zorPropertyEditors();
    for (const TypeEditor &e : typeEditors)
        editors.Register(QLatin1StringView(e.PropertyType), nullptr, e.EditorClass,
                         QLatin1StringView(e.PropertyName));
    for (const ClassEditor &e : classEditors) {
        for (const QString &name : QString::fromLatin1(e.PropertyNames).split(QLatin1Char(';')))
            editors.Register(QString(), e.ComponentClass, e.EditorClass, name);
    }
    editors.RegisterEventEditor(&zorEditorClass<TfrxEventProperty>);
    for (const Hidden &h : hiddenProperties)
        zorHideProperties(h.ComponentClass, QLatin1StringView(h.PropertyNames));
}
