#include "TfrxReportModule.h"

#include "TfrxBand.h"
#include "TfrxBands.h"
#include "TfrxBrushFill.h"
#include "TfrxCollection.h"
#include "TfrxCollectionItem.h"
#include "TfrxCustomDBDataSet.h"
#include "TfrxCustomLineView.h"
#include "TfrxCustomMemoView.h"
#include "TfrxDataBand.h"
#include "TfrxDataPage.h"
#include "TfrxDialogPage.h"
#include "TfrxFont.h"
#include "TfrxFormat.h"
#include "TfrxFrame.h"
#include "TfrxFrameLine.h"
#include "TfrxGlassFill.h"
#include "TfrxGradientFill.h"
#include "TfrxHighlight.h"
#include "TfrxHyperlink.h"
#include "TfrxLineView.h"
#include "TfrxMemoView.h"
#include "TfrxPictureView.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "TfrxShapeView.h"
#include "TfrxStyleItem.h"
#include "TfrxStyles.h"
#include "TfrxSubreport.h"
#include "TfrxSysMemoView.h"
#include "TfrxUserDataSet.h"
#include "zorTextAlign.h"
#include "zorTypes.h"

#include "TfsClassVariable.h"
#include "TfsObjectRegistry.h"
#include "TfsRuntimeError.h"
#include "TfsScript.h"
#include "TfsVariant.h"

#include <QMetaEnum>

namespace {

// Classes that scripts know only by name, with their ancestors.
const char16_t *const kNameOnly[][2] = {
    {u"TObject", u""},          {u"TPersistent", u"TObject"}, {u"TComponent", u"TPersistent"},
    {u"TCollectionItem", u"TPersistent"}, {u"TCollection", u"TPersistent"}, {u"TFont", u"TPersistent"},
    {u"TfrxPersistent", u"TPersistent"},
};

// The report classes; each one's ancestor is its base class in the host, so a script finds the
// members of every ancestor.
const QMetaObject *const kClasses[] = {
    &TfrxCollection::staticMetaObject,     &TfrxCollectionItem::staticMetaObject,
    &TfrxFont::staticMetaObject,           &TfrxFrameLine::staticMetaObject,
    &TfrxFrame::staticMetaObject,          &TfrxHyperlink::staticMetaObject,
    &TfrxFormat::staticMetaObject,         &TfrxHighlight::staticMetaObject,
    &TfrxCustomFill::staticMetaObject,     &TfrxBrushFill::staticMetaObject,
    &TfrxGradientFill::staticMetaObject,   &TfrxGlassFill::staticMetaObject,
    &TfrxEngineOptions::staticMetaObject,  &TfrxPreviewOptions::staticMetaObject,
    &TfrxPrintOptions::staticMetaObject,   &TfrxReportOptions::staticMetaObject,
    &TfrxComponent::staticMetaObject,      &TfrxReportComponent::staticMetaObject,
    &TfrxDialogComponent::staticMetaObject, &TfrxDataSet::staticMetaObject,
    &TfrxUserDataSet::staticMetaObject,    &TfrxCustomDBDataSet::staticMetaObject,
    &TfrxView::staticMetaObject,           &TfrxShapeView::staticMetaObject,
    &TfrxStretcheable::staticMetaObject,   &TfrxCustomMemoView::staticMetaObject,
    &TfrxMemoView::staticMetaObject,       &TfrxSysMemoView::staticMetaObject,
    &TfrxCustomLineView::staticMetaObject, &TfrxLineView::staticMetaObject,
    &TfrxPictureView::staticMetaObject,    &TfrxSubreport::staticMetaObject,
    &TfrxBand::staticMetaObject,           &TfrxChild::staticMetaObject,
    &TfrxReportTitle::staticMetaObject,    &TfrxReportSummary::staticMetaObject,
    &TfrxPageHeader::staticMetaObject,     &TfrxPageFooter::staticMetaObject,
    &TfrxHeader::staticMetaObject,         &TfrxFooter::staticMetaObject,
    &TfrxGroupHeader::staticMetaObject,    &TfrxGroupFooter::staticMetaObject,
    &TfrxColumnHeader::staticMetaObject,   &TfrxColumnFooter::staticMetaObject,
    &TfrxOverlay::staticMetaObject,        &TfrxDataBand::staticMetaObject,
    &TfrxMasterData::staticMetaObject,     &TfrxDetailData::staticMetaObject,
    &TfrxSubdetailData::staticMetaObject,  &TfrxDataBand4::staticMetaObject,
    &TfrxDataBand5::staticMetaObject,      &TfrxDataBand6::staticMetaObject,
    &TfrxPage::staticMetaObject,           &TfrxReportPage::staticMetaObject,
    &TfrxDialogPage::staticMetaObject,     &TfrxDataPage::staticMetaObject,
    &TfrxStyleItem::staticMetaObject,      &TfrxStyles::staticMetaObject,
    &TfrxReport::staticMetaObject,
};

QString ancestorOf(const QMetaObject *meta)
{
    const QMetaObject *super = meta->superClass();
    if (!super || super == &QObject::staticMetaObject)
        return QStringLiteral("TObject");
    return QString::fromLatin1(super->className());
}

struct UnitConst
{
    const char16_t *name;
    double value;
};

// Colours of the platform's palette, 0x00BBGGRR.
constexpr std::pair<const char16_t *, int> kColors[] = {
    {u"clBlack", 0x000000},  {u"clMaroon", 0x000080}, {u"clGreen", 0x008000},   {u"clOlive", 0x008080},
    {u"clNavy", 0x800000},   {u"clPurple", 0x800080}, {u"clTeal", 0x808000},    {u"clGray", 0x808080},
    {u"clSilver", 0xC0C0C0}, {u"clRed", 0x0000FF},    {u"clLime", 0x00FF00},    {u"clYellow", 0x00FFFF},
    {u"clBlue", 0xFF0000},   {u"clFuchsia", 0xFF00FF}, {u"clAqua", 0xFFFF00},   {u"clWhite", 0xFFFFFF},
    {u"clNone", 0x1FFFFFFF}, {u"clTransparent", zor::clTransparent},
    {u"crHand", 1},          {u"crZoom", 2},          {u"crFormat", 3},
    {u"fsBold", 1},          {u"fsItalic", 2},        {u"fsUnderline", 4},      {u"fsStrikeOut", 8},
};

// Every enumeration and set of a namespace's meta-object data, with the values the host uses.
void addEnumerations(TfsScript &script, const QMetaObject &meta)
{
    for (int i = 0; i < meta.enumeratorCount(); ++i) {
        const QMetaEnum e = meta.enumerator(i);
        const QString typeName = QString::fromLatin1(e.name());
        script.Add(std::make_unique<TfsCustomVariable>(TfsCustomVariable::ikType, typeName, fvtEnum, typeName));
        for (int k = 0; k < e.keyCount(); ++k)
            script.AddConst(QString::fromLatin1(e.key(k)), typeName, TfsValue(e.value(k)));
    }
}

template <class T> T *as(QObject *obj)
{
    T *t = qobject_cast<T *>(obj);
    if (!t)
        throw TfsRuntimeError(QStringLiteral("Invalid class typecast"), QStringLiteral("EInvalidCast"));
    return t;
}

TfsValue objectValue(QObject *obj)
{
    return TfsValue::MakeObject(TfsObjectRegistry::Handle(obj));
}

// Members the property tables do not hold.
void addMembers(TfsScript &script)
{
    const auto cls = [&script](const char *name) {
        return dynamic_cast<TfsClassVariable *>(script.Find(QString::fromLatin1(name)));
    };
    TfsClassVariable *component = cls("TfrxComponent");
    component->AddMethod(
        QStringLiteral("function FindObject(s: String): TfrxComponent"),
        [](QObject *obj, std::span<TfsValue> a) { return objectValue(as<TfrxComponent>(obj)->FindObject(a[0].ToString())); },
        script);
    component->AddMethod(QStringLiteral("procedure SetBounds(ALeft, ATop, AWidth, AHeight: Extended)"),
                         [](QObject *obj, std::span<TfsValue> a) {
                             as<TfrxComponent>(obj)->SetBounds(a[0].ToDouble(), a[1].ToDouble(), a[2].ToDouble(),
                                                               a[3].ToDouble());
                             return TfsValue::MakeNull();
                         },
                         script);
    component->AddProperty(QStringLiteral("Parent"), QStringLiteral("TfrxComponent"), script,
                           [](QObject *obj) { return objectValue(as<TfrxComponent>(obj)->Parent()); });
    component->AddProperty(QStringLiteral("Page"), QStringLiteral("TfrxPage"), script,
                           [](QObject *obj) { return objectValue(as<TfrxComponent>(obj)->GetPage()); });
    component->AddProperty(QStringLiteral("AbsLeft"), QStringLiteral("Extended"), script,
                           [](QObject *obj) { return TfsValue(as<TfrxComponent>(obj)->AbsLeft()); });
    component->AddProperty(QStringLiteral("AbsTop"), QStringLiteral("Extended"), script,
                           [](QObject *obj) { return TfsValue(as<TfrxComponent>(obj)->AbsTop()); });
    cls("TfrxStretcheable")
        ->AddMethod(QStringLiteral("function CalcHeight: Extended"),
                    [](QObject *obj, std::span<TfsValue>) { return TfsValue(as<TfrxStretcheable>(obj)->CalcHeight()); },
                    script);
    TfsClassVariable *memo = cls("TfrxCustomMemoView");
    memo->AddMethod(QStringLiteral("function CalcWidth: Extended"),
                    [](QObject *obj, std::span<TfsValue>) { return TfsValue(as<TfrxCustomMemoView>(obj)->CalcWidth()); },
                    script);
    memo->AddProperty(
        QStringLiteral("Text"), QStringLiteral("String"), script,
        [](QObject *obj) { return TfsValue(as<TfrxCustomMemoView>(obj)->Text()); },
        [](QObject *obj, const TfsValue &v) { as<TfrxCustomMemoView>(obj)->SetText(v.ToString()); });
    memo->AddProperty(QStringLiteral("Value"), QStringLiteral("Variant"), script,
                      [](QObject *obj) { return fsVariantToValue(as<TfrxCustomMemoView>(obj)->Value()); });
    TfsClassVariable *report = cls("TfrxReport");
    report->AddMethod(QStringLiteral("function Calc(const Expr: String): Variant"),
                      [](QObject *obj, std::span<TfsValue> a) {
                          TfrxReport *r = as<TfrxReport>(obj);
                          try {
                              return fsVariantToValue(r->Calc(a[0].ToString()));
                          } catch (const std::runtime_error &e) {
                              throw TfsRuntimeError(QString::fromUtf8(e.what()));
                          }
                      },
                      script);
    // A template's script never loads, shows or prepares its own report: that would free the
    // objects the running script is using.
    for (const char *syntax : {"function LoadFromFile(const FileName: String): Boolean", "procedure ShowReport"})
        report->AddMethod(QString::fromLatin1(syntax),
                          [](QObject *, std::span<TfsValue>) -> TfsValue {
                              throw TfsRuntimeError(QStringLiteral("A report cannot be loaded or shown from its own script"));
                          },
                          script);
    report->AddProperty(
        QStringLiteral("Terminated"), QStringLiteral("Boolean"), script,
        [](QObject *obj) { return TfsValue(as<TfrxReport>(obj)->Terminated()); },
        [](QObject *obj, const TfsValue &v) { as<TfrxReport>(obj)->SetTerminated(v.ToBool()); });
}

} // namespace

void TfrxReportModule::Register(TfsScript &script)
{
    const UnitConst units[] = {{u"fr01cm", zor::fr01cm}, {u"fr1cm", zor::fr1cm},       {u"fr01in", zor::fr01in},
                               {u"fr1in", zor::fr1in},   {u"fr1CharX", zor::fr1CharX}, {u"fr1CharY", zor::fr1CharY}};
    for (const UnitConst &u : units)
        script.AddConst(QString::fromUtf16(u.name), QStringLiteral("Extended"), TfsValue(u.value));
    for (const auto &[name, value] : kColors)
        script.AddConst(QString::fromUtf16(name), QStringLiteral("Integer"), TfsValue(value));
    addEnumerations(script, zor::staticMetaObject);
    addEnumerations(script, zorTextAlign::staticMetaObject);
    for (const auto &[name, ancestor] : kNameOnly)
        script.AddClass(QString::fromUtf16(name), QString::fromUtf16(ancestor), nullptr);
    for (const QMetaObject *meta : kClasses)
        script.AddClass(QString::fromLatin1(meta->className()), ancestorOf(meta), meta);
    addMembers(script);
}
