#include "TfsClassesModule.h"

#include "TfsClassVariable.h"
#include "TfsListObject.h"
#include "TfsRuntimeError.h"
#include "TfsScript.h"
#include "TfsStringsObject.h"

namespace {

// Class names with their ancestors, module by module in the order they are registered.
constexpr const char16_t *kClasses[][2] = {
    // classes
    {u"TObject", u""},
    {u"TPersistent", u"TObject"},
    {u"TCollectionItem", u"TPersistent"},
    {u"TCollection", u"TPersistent"},
    {u"TList", u"TObject"},
    {u"TStrings", u"TPersistent"},
    {u"TStringList", u"TStrings"},
    {u"TStream", u"TObject"},
    {u"TFileStream", u"TStream"},
    {u"TMemoryStream", u"TStream"},
    {u"TComponent", u"TPersistent"},
    {u"TfsXMLItem", u"TPersistent"},
    {u"TfsXMLDocument", u"TPersistent"},
    // graphics
    {u"TFont", u"TPersistent"},
    {u"TPen", u"TPersistent"},
    {u"TBrush", u"TPersistent"},
    {u"TCanvas", u"TPersistent"},
    {u"TGraphic", u"TPersistent"},
    {u"TPicture", u"TPersistent"},
    {u"TMetafile", u"TGraphic"},
    {u"TMetafileCanvas", u"TCanvas"},
    {u"TBitmap", u"TGraphic"},
    // forms
    {u"TControl", u"TComponent"},
    {u"TWinControl", u"TControl"},
    {u"TCustomControl", u"TWinControl"},
    {u"TGraphicControl", u"TControl"},
    {u"TGroupBox", u"TWinControl"},
    {u"TLabel", u"TGraphicControl"},
    {u"TEdit", u"TWinControl"},
    {u"TMemo", u"TWinControl"},
    {u"TCustomComboBox", u"TWinControl"},
    {u"TComboBox", u"TCustomComboBox"},
    {u"TButton", u"TWinControl"},
    {u"TCheckBox", u"TWinControl"},
    {u"TRadioButton", u"TWinControl"},
    {u"TCustomListBox", u"TWinControl"},
    {u"TListBox", u"TCustomListBox"},
    {u"TControlScrollBar", u"TPersistent"},
    {u"TScrollingWinControl", u"TWinControl"},
    {u"TScrollBox", u"TScrollingWinControl"},
    {u"TCustomForm", u"TScrollingWinControl"},
    {u"TForm", u"TCustomForm"},
    {u"TDataModule", u"TComponent"},
    {u"TApplication", u"TComponent"},
    {u"TfsNotifyEvent", u"TObject"},
    {u"TfsMouseEvent", u"TObject"},
    {u"TfsMouseMoveEvent", u"TObject"},
    {u"TfsKeyEvent", u"TObject"},
    {u"TfsKeyPressEvent", u"TObject"},
    {u"TfsCloseEvent", u"TObject"},
    {u"TfsCloseQueryEvent", u"TObject"},
    {u"TfsCanResizeEvent", u"TObject"},
    // dialogs
    {u"TCommonDialog", u"TComponent"},
    {u"TOpenDialog", u"TCommonDialog"},
    {u"TSaveDialog", u"TOpenDialog"},
    {u"TColorDialog", u"TCommonDialog"},
    {u"TFontDialog", u"TCommonDialog"},
    {u"TPrintDialog", u"TCommonDialog"},
    {u"TPrinterSetupDialog", u"TCommonDialog"},
    // settings files: names only, so scripts cannot read or write files through them
    {u"TCustomIniFile", u"TObject"},
    {u"TMemIniFile", u"TCustomIniFile"},
    {u"TIniFile", u"TCustomIniFile"},
};

} // namespace

void TfsClassesModule::Register(TfsScript &script)
{
    for (const auto &[name, ancestor] : kClasses) {
        const QString n = QString::fromUtf16(name);
        const QMetaObject *meta = n == u"TStringList" ? &TfsStringsObject::staticMetaObject
                                  : n == u"TList"     ? &TfsListObject::staticMetaObject
                                                      : nullptr;
        script.AddClass(n, QString::fromUtf16(ancestor), meta);
    }
    const auto cls = [&script](const char *name) {
        return dynamic_cast<TfsClassVariable *>(script.Find(QString::fromLatin1(name)));
    };
    // Free releases only what the script made itself; the handle then reaches nothing.
    TfsScript *owner = &script;
    cls("TObject")->AddMethod(
        QStringLiteral("procedure Free"),
        [owner](QObject *obj, std::span<TfsValue>) {
            if (!owner->MainProg()->FreeObject(obj))
                throw TfsRuntimeError(QStringLiteral("Only objects the script created can be freed"),
                                      QStringLiteral("EInvalidOperation"));
            return TfsValue::MakeNull();
        },
        script);
    TfsStringsObject::AddMembers(*cls("TStrings"), script);
    TfsListObject::AddMembers(*cls("TList"), script);
    cls("TStringList")
        ->AddConstructor(
            QStringLiteral("constructor Create"),
            [](std::span<TfsValue>) -> QObject * { return new TfsStringsObject; }, script);
}
