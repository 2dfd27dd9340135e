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

#include "TfrxEngineScriptObject.h"
#include "TfrxGlobalVariablesObject.h"
#include "TfrxOutlineScriptObject.h"
#include "TfrxVariables.h"

#include "TfsClassVariable.h"
#include "TfsFileAccess.h"
#include "TfsListObject.h"
#include "TfsObjectRegistry.h"
#include "TfsRuntimeError.h"
#include "TfsScript.h"
#include "TfsStringsObject.h"
#include "TfsVariant.h"

#include <QMetaEnum>

namespace {

// Classes that scripts know only by name, with their ancestors (the platform classes come with every
// script).
const char16_t *const kNameOnly[][2] = {
    {u"TfrxPersistent", u"TPersistent"},
    {u"TJPEGImage", u"TGraphic"},
    {u"TPngImage", u"TGraphic"},
    {u"TfrxDialogControl", u"TfrxReportComponent"},
    {u"TfrxDMPMemoView", u"TfrxCustomMemoView"},
    {u"TfrxDMPLineView", u"TfrxCustomLineView"},
    {u"TfrxDMPCommand", u"TfrxView"},
    {u"TfrxDMPPage", u"TfrxReportPage"},
    {u"TfrxVariable", u"TCollectionItem"},
    {u"TfrxArray", u"TCollection"},
    {u"TfrxCustomEngine", u"TPersistent"},
    {u"TfrxCustomOutline", u"TPersistent"},
};

// Classes whose objects stand in for parts of the report that are no objects of the host.
struct Stand
{
    const char16_t *name;
    const char16_t *ancestor;
    const QMetaObject *meta;
};
const Stand kStandIns[] = {
    {u"TWideStrings", u"TPersistent", &TfsStringsObject::staticMetaObject},
    {u"TfrxEngine", u"TfrxCustomEngine", &TfrxEngineScriptObject::staticMetaObject},
    {u"TfrxOutline", u"TfrxCustomOutline", &TfrxOutlineScriptObject::staticMetaObject},
    {u"TfrxGlobalVariables", u"TObject", &TfrxGlobalVariablesObject::staticMetaObject},
};

// The report classes; each one's ancestor is its base class in the host, so a script finds the
// members of every ancestor.
const QMetaObject *const kClasses[] = {
    &TfrxCollection::staticMetaObject,
    &TfrxCollectionItem::staticMetaObject,
    &TfrxFont::staticMetaObject,
    &TfrxFrameLine::staticMetaObject,
    &TfrxFrame::staticMetaObject,
    &TfrxHyperlink::staticMetaObject,
    &TfrxFormat::staticMetaObject,
    &TfrxHighlight::staticMetaObject,
    &TfrxCustomFill::staticMetaObject,
    &TfrxBrushFill::staticMetaObject,
    &TfrxGradientFill::staticMetaObject,
    &TfrxGlassFill::staticMetaObject,
    &TfrxEngineOptions::staticMetaObject,
    &TfrxPreviewOptions::staticMetaObject,
    &TfrxPrintOptions::staticMetaObject,
    &TfrxReportOptions::staticMetaObject,
    &TfrxComponent::staticMetaObject,
    &TfrxReportComponent::staticMetaObject,
    &TfrxDialogComponent::staticMetaObject,
    &TfrxDataSet::staticMetaObject,
    &TfrxUserDataSet::staticMetaObject,
    &TfrxCustomDBDataSet::staticMetaObject,
    &TfrxView::staticMetaObject,
    &TfrxShapeView::staticMetaObject,
    &TfrxStretcheable::staticMetaObject,
    &TfrxCustomMemoView::staticMetaObject,
    &TfrxMemoView::staticMetaObject,
    &TfrxSysMemoView::staticMetaObject,
    &TfrxCustomLineView::staticMetaObject,
    &TfrxLineView::staticMetaObject,
    &TfrxPictureView::staticMetaObject,
    &TfrxSubreport::staticMetaObject,
    &TfrxBand::staticMetaObject,
    &TfrxChild::staticMetaObject,
    &TfrxReportTitle::staticMetaObject,
    &TfrxReportSummary::staticMetaObject,
    &TfrxPageHeader::staticMetaObject,
    &TfrxPageFooter::staticMetaObject,
    &TfrxHeader::staticMetaObject,
    &TfrxFooter::staticMetaObject,
    &TfrxGroupHeader::staticMetaObject,
    &TfrxGroupFooter::staticMetaObject,
    &TfrxColumnHeader::staticMetaObject,
    &TfrxColumnFooter::staticMetaObject,
    &TfrxOverlay::staticMetaObject,
    &TfrxDataBand::staticMetaObject,
    &TfrxMasterData::staticMetaObject,
    &TfrxDetailData::staticMetaObject,
    &TfrxSubdetailData::staticMetaObject,
    &TfrxDataBand4::staticMetaObject,
    &TfrxDataBand5::staticMetaObject,
    &TfrxDataBand6::staticMetaObject,
    &TfrxPage::staticMetaObject,
    &TfrxReportPage::staticMetaObject,
    &TfrxDialogPage::staticMetaObject,
    &TfrxDataPage::staticMetaObject,
    &TfrxStyleItem::staticMetaObject,
    &TfrxStyles::staticMetaObject,
    &TfrxVariables::staticMetaObject,
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

// The stand-in of type T that a host object keeps as its child, made on first use.
template <class T, class Make> T *childOf(QObject *owner, const QString &name, Make make)
{
    if (T *existing = owner->findChild<T *>(name, Qt::FindDirectChildrenOnly))
        return existing;
    T *made = make();
    made->setParent(owner);
    made->setObjectName(name);
    return made;
}

// A text object's Lines: a line list that reads and writes the object's text.
void addLineMembers(TfsScript &script, TfsClassVariable *memo)
{
    auto *wide = dynamic_cast<TfsClassVariable *>(script.Find(QStringLiteral("TWideStrings")));
    TfsStringsObject::AddMembers(*wide, script);
    wide->AddConstructor(
        QStringLiteral("constructor Create"),
        [](std::span<TfsValue>) -> QObject * { return new TfsStringsObject; }, script);
    memo->AddProperty(QStringLiteral("Lines"), QStringLiteral("TWideStrings"), script, [](QObject *obj) {
        TfrxCustomMemoView *m = as<TfrxCustomMemoView>(obj);
        return objectValue(childOf<TfsStringsObject>(m, QStringLiteral("Lines"), [m] {
            return new TfsStringsObject([m] { return TfsStringsObject::SplitLines(m->Text()); },
                                        [m](const QStringList &lines) {
                                            QString text;
                                            for (const QString &line : lines)
                                                text += line + QStringLiteral("\r\n");
                                            m->SetText(text);
                                        });
        }));
    });
    memo->AddProperty(
        QStringLiteral("AnsiText"), QStringLiteral("String"), script,
        [](QObject *obj) { return TfsValue(QString::fromLatin1(as<TfrxCustomMemoView>(obj)->AnsiText())); },
        [](QObject *obj, const TfsValue &v) {
            as<TfrxCustomMemoView>(obj)->SetAnsiText(v.ToString().toLatin1());
        });
}

// Objects and AllObjects of a component: lists that follow the component's children.
void addComponentLists(TfsScript &script, TfsClassVariable *component)
{
    const auto property = [&](const char *name, QList<TfrxComponent *> (*read)(const TfrxComponent &)) {
        const QString n = QString::fromLatin1(name);
        component->AddProperty(n, QStringLiteral("TList"), script, [n, read](QObject *obj) {
            TfrxComponent *c = as<TfrxComponent>(obj);
            return objectValue(childOf<TfsListObject>(c, n, [c, read] {
                return new TfsListObject([c, read] {
                    QList<QObject *> items;
                    for (TfrxComponent *child : read(*c))
                        items.append(child);
                    return items;
                });
            }));
        });
    };
    property("Objects", [](const TfrxComponent &c) { return c.Objects(); });
    property("AllObjects", [](const TfrxComponent &c) { return c.GetAllObjects(); });
}

TfsValue fieldValue(QObject *obj, std::span<TfsValue> a,
                    TfsValue (*read)(const TfrxDataSet &, const QString &))
{
    return read(*as<TfrxDataSet>(obj), a[0].ToString());
}

void addDataSetMembers(TfsScript &script, TfsClassVariable *dataSet)
{
    using Step = void (TfrxDataSet::*)();
    const std::pair<const char *, Step> steps[] = {{"procedure Open", &TfrxDataSet::Open},
                                                   {"procedure Close", &TfrxDataSet::Close},
                                                   {"procedure First", &TfrxDataSet::First},
                                                   {"procedure Next", &TfrxDataSet::Next},
                                                   {"procedure Prior", &TfrxDataSet::Prior}};
    for (const auto &[syntax, step] : steps)
        dataSet->AddMethod(
            QString::fromLatin1(syntax),
            [step = step](QObject *obj, std::span<TfsValue>) {
                (as<TfrxDataSet>(obj)->*step)();
                return TfsValue::MakeNull();
            },
            script);
    dataSet->AddMethod(
        QStringLiteral("function Eof: Boolean"),
        [](QObject *obj, std::span<TfsValue>) { return TfsValue(as<TfrxDataSet>(obj)->Eof()); }, script);
    dataSet->AddMethod(
        QStringLiteral("function FieldsCount: Integer"),
        [](QObject *obj, std::span<TfsValue>) { return TfsValue(as<TfrxDataSet>(obj)->FieldsCount()); },
        script);
    dataSet->AddMethod(
        QStringLiteral("function RecordCount: Integer"),
        [](QObject *obj, std::span<TfsValue>) { return TfsValue(as<TfrxDataSet>(obj)->RecordCount()); },
        script);
    dataSet->AddMethod(
        QStringLiteral("function HasField(const fName: String): Boolean"),
        [](QObject *obj, std::span<TfsValue> a) {
            return TfsValue(as<TfrxDataSet>(obj)->HasField(a[0].ToString()));
        },
        script);
    dataSet->AddMethod(
        QStringLiteral("function IsBlobField(const fName: String): Boolean"),
        [](QObject *obj, std::span<TfsValue> a) {
            return TfsValue(as<TfrxDataSet>(obj)->IsBlobField(a[0].ToString()));
        },
        script);
    dataSet->AddMethod(
        QStringLiteral("procedure GetFieldList(List: TStrings)"),
        [](QObject *obj, std::span<TfsValue> a) {
            TfrxDataSet *d = as<TfrxDataSet>(obj);
            as<TfsStringsObject>(TfsObjectRegistry::Object(a[0].IsNull() ? 0 : a[0].ToInt64()))
                ->SetLines(d->GetFieldList());
            return TfsValue::MakeNull();
        },
        script);
    dataSet->AddProperty(QStringLiteral("RecNo"), QStringLiteral("Integer"), script,
                         [](QObject *obj) { return TfsValue(as<TfrxDataSet>(obj)->RecNo()); });
    const std::tuple<const char *, const char *, TfsValue (*)(const TfrxDataSet &, const QString &)>
        fields[] = {
            {"DisplayText", "String",
             [](const TfrxDataSet &d, const QString &f) { return TfsValue(d.GetDisplayText(f)); }},
            {"DisplayWidth", "Integer",
             [](const TfrxDataSet &d, const QString &f) { return TfsValue(d.GetDisplayWidth(f)); }},
            {"FieldType", "Integer",
             [](const TfrxDataSet &d, const QString &f) { return TfsValue(int(d.GetFieldType(f))); }},
            {"Value", "Variant",
             [](const TfrxDataSet &d, const QString &f) { return fsVariantToValue(d.GetValue(f)); }},
        };
    for (const auto &[name, type, read] : fields)
        dataSet->AddIndexProperty(
            QString::fromLatin1(name), QStringLiteral("String"), QString::fromLatin1(type), script,
            [read = read](QObject *obj, std::span<TfsValue> a) { return fieldValue(obj, a, read); });
}

// Style files, component streams: a script reaches neither (pictures are read through fsScriptReadPath).
[[noreturn]] TfsValue refuseFiles(QObject *, std::span<TfsValue>)
{
    throw TfsRuntimeError(QStringLiteral("Scripts have no access to files"), QStringLiteral("EFOpenError"));
}

void addStylesMembers(TfsScript &script, TfsClassVariable *styles)
{
    styles->AddConstructor(
        QStringLiteral("constructor Create(AReport: TfrxReport)"),
        [](std::span<TfsValue> a) -> QObject * {
            TfrxReport *owner = nullptr;
            if (!a[0].IsNull() && a[0].ToInt64() != 0)
                owner = as<TfrxReport>(TfsObjectRegistry::Object(a[0].ToInt64()));
            return new TfrxStyles(owner);
        },
        script);
    styles->AddMethod(
        QStringLiteral("function Add: TfrxStyleItem"),
        [](QObject *obj, std::span<TfsValue>) { return objectValue(as<TfrxStyles>(obj)->Add()); }, script);
    styles->AddMethod(
        QStringLiteral("function Find(const Name: String): TfrxStyleItem"),
        [](QObject *obj, std::span<TfsValue> a) {
            return objectValue(as<TfrxStyles>(obj)->Find(a[0].ToString()));
        },
        script);
    styles->AddMethod(
        QStringLiteral("procedure Apply"),
        [](QObject *obj, std::span<TfsValue>) {
            as<TfrxStyles>(obj)->Apply();
            return TfsValue::MakeNull();
        },
        script);
    styles->AddMethod(
        QStringLiteral("procedure GetList(List: TStrings)"),
        [](QObject *obj, std::span<TfsValue> a) {
            TfrxStyles *s = as<TfrxStyles>(obj);
            as<TfsStringsObject>(TfsObjectRegistry::Object(a[0].IsNull() ? 0 : a[0].ToInt64()))
                ->SetLines(s->GetList());
            return TfsValue::MakeNull();
        },
        script);
    styles->AddIndexProperty(
        QStringLiteral("Items"), QStringLiteral("Integer"), QStringLiteral("TfrxStyleItem"), script,
        [](QObject *obj, std::span<TfsValue> a) {
            TfrxStyles *s = as<TfrxStyles>(obj);
            const int64_t i = a[0].ToInt64();
            if (i < 0 || i >= s->Count())
                throw TfsRuntimeError(QStringLiteral("List index out of bounds (%1)").arg(i),
                                      QStringLiteral("EListError"));
            return objectValue(s->Items(qsizetype(i)));
        });
    for (const char *syntax :
         {"procedure LoadFromFile(const FileName: String)", "procedure SaveToFile(const FileName: String)"})
        styles->AddMethod(QString::fromLatin1(syntax), refuseFiles, script);
}

// Report.Variables['Name']: the stored value of a report variable; writing adds it when absent.
void addVariablesMembers(TfsScript &script, TfsClassVariable *variables)
{
    variables->AddDefaultProperty(
        QStringLiteral("Variables"), QStringLiteral("String"), QStringLiteral("Variant"), script,
        [](QObject *obj, std::span<TfsValue> a) {
            return fsVariantToValue(as<TfrxVariables>(obj)->Variable(a[0].ToString()));
        },
        [](QObject *obj, std::span<TfsValue> a, const TfsValue &v) {
            as<TfrxVariables>(obj)->SetVariable(a[0].ToString(), fsValueToVariant(v));
        });
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
    addLineMembers(script, memo);
    addStylesMembers(script, cls("TfrxStyles"));
    component->AddMethod(
        QStringLiteral("procedure SaveToStream(Stream: TStream; SaveChildren: Boolean = True)"), refuseFiles,
        script);
    cls("TfrxPictureView")
        ->AddMethod(
            QStringLiteral("procedure LoadFromFile(filename: String)"),
            [&script](QObject *obj, std::span<TfsValue> a) {
                if (!as<TfrxPictureView>(obj)->LoadFromFile(fsScriptReadPath(script, a[0].ToString())))
                    throw TfsRuntimeError(QStringLiteral("Cannot load the picture \"%1\"").arg(a[0].ToString()),
                                          QStringLiteral("EInvalidGraphic"));
                return TfsValue::MakeNull();
            },
            script);
    cls("TfrxView")
        ->AddProperty(
            QStringLiteral("TagStr"), QStringLiteral("String"), script,
            [](QObject *obj) { return TfsValue(as<TfrxView>(obj)->TagStr()); },
            [](QObject *obj, const TfsValue &v) { as<TfrxView>(obj)->SetTagStr(v.ToString()); });
    cls("TfrxEngineOptions")
        ->AddProperty(
            QStringLiteral("DestroyForms"), QStringLiteral("Boolean"), script,
            [](QObject *obj) { return TfsValue(as<TfrxEngineOptions>(obj)->DestroyForms); },
            [](QObject *obj, const TfsValue &v) { as<TfrxEngineOptions>(obj)->DestroyForms = v.ToBool(); });
    addComponentLists(script, component);
    addDataSetMembers(script, cls("TfrxDataSet"));
    addVariablesMembers(script, cls("TfrxVariables"));
    TfrxEngineScriptObject::AddMembers(*cls("TfrxCustomEngine"), script);
    TfrxOutlineScriptObject::AddMembers(*cls("TfrxCustomOutline"), script);
    TfrxGlobalVariablesObject::AddMembers(*cls("TfrxGlobalVariables"), script);
    TfsClassVariable *report = cls("TfrxReport");
    report->AddProperty(QStringLiteral("Variables"), QStringLiteral("TfrxVariables"), script,
                        [](QObject *obj) { return objectValue(as<TfrxReport>(obj)->Variables()); });
    report->AddProperty(QStringLiteral("Styles"), QStringLiteral("TfrxStyles"), script,
                        [](QObject *obj) { return objectValue(as<TfrxReport>(obj)->Styles()); });
    report->AddMethod(
        QStringLiteral("function GetDataset(const Alias: String): TfrxDataset"),
        [](QObject *obj, std::span<TfsValue> a) {
            return objectValue(as<TfrxReport>(obj)->GetDataset(a[0].ToString()));
        },
        script);
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

// The totals as plain functions, for the lists of functions; a report's own script registers the
// macro forms over them, which are the ones that compute.
void addTotals(TfsScript &script)
{
    const auto refuse = [](std::span<TfsValue>) -> TfsValue {
        throw TfsRuntimeError(QStringLiteral("Aggregates are only available in a report"));
    };
    for (const char *name : {"SUM", "AVG", "MIN", "MAX"})
        script.AddMethod(
            QStringLiteral("function %1(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant")
                .arg(QLatin1String(name)),
            refuse, QStringLiteral("ctAggregate"));
    script.AddMethod(QStringLiteral("function COUNT(Band: Variant = 0; Flags: Integer = 0): Variant"), refuse,
                     QStringLiteral("ctAggregate"));
}

} // namespace

void TfrxReportModule::Register(TfsScript &script)
{
    addTotals(script);
    const UnitConst units[] = {{u"fr01cm", zor::fr01cm}, {u"fr1cm", zor::fr1cm},       {u"fr01in", zor::fr01in},
                               {u"fr1in", zor::fr1in},   {u"fr1CharX", zor::fr1CharX}, {u"fr1CharY", zor::fr1CharY}};
    for (const UnitConst &u : units)
        script.AddConst(QString::fromUtf16(u.name), QStringLiteral("Extended"), TfsValue(u.value));
    for (const auto &[name, value] : kColors)
        script.AddConst(QString::fromUtf16(name), QStringLiteral("Integer"), TfsValue(value));
    addEnumerations(script, zor::staticMetaObject);
    addEnumerations(script, zorTextAlign::staticMetaObject);
    // Dot-matrix text styles have no host type here; scripts still know their names.
    script.AddEnumSet(
        QStringLiteral("TfrxDMPFontStyles"),
        QStringLiteral("fsxBold, fsxItalic, fsxUnderline, fsxSuperScript, fsxSubScript, fsxCondensed, "
                       "fsxWide, fsx12cpi, fsx15cpi"));
    for (const auto &[name, ancestor] : kNameOnly)
        script.AddClass(QString::fromUtf16(name), QString::fromUtf16(ancestor), nullptr);
    for (const QMetaObject *meta : kClasses)
        script.AddClass(QString::fromLatin1(meta->className()), ancestorOf(meta), meta);
    for (const Stand &s : kStandIns)
        script.AddClass(QString::fromUtf16(s.name), QString::fromUtf16(s.ancestor), s.meta);
    addMembers(script);
}
