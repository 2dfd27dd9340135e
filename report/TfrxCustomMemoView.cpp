#include "TfrxCustomMemoView.h"

#include "TfrxCollection.h"
#include "TfrxCustomFill.h"
#include "TfrxDataSet.h"
#include "TfrxDrawText.h"
#include "TfrxFont.h"
#include "TfrxFormat.h"
#include "TfrxFrame.h"
#include "TfrxHighlight.h"
#include "TfrxReport.h"
#include "TfrxStyleItem.h"
#include "TfrxStyles.h"
#include "zorBrackets.h"
#include "zorDraw_p.h"
#include "zorFormat.h"

#include <QHash>
#include <QPainter>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cmath>

using namespace zor;

namespace {

const QString kCrLf = QStringLiteral("\r\n");
// The area in which a text is measured when its width follows the text.
const QRect kMeasureArea(0, 0, 10000, 10000);

// A value that is not text and equals 0.
bool IsNumericZero(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QString || value.metaType().id() == QMetaType::Bool)
        return false;
    const std::optional<double> v = VariantToFloat(value);
    return v && *v == 0;
}

// A condition's value counts as true: a true Boolean, a non-zero number or the text "True".
bool IsTrue(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QString)
        return value.toString().trimmed().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    if (value.metaType().id() == QMetaType::Bool)
        return value.toBool();
    const std::optional<double> v = VariantToFloat(value);
    return v && *v != 0;
}

} // namespace

TfrxCustomMemoView::TfrxCustomMemoView(QObject *owner)
    : TfrxStretcheable(owner),
      FFormats(new TfrxCollection([](TfrxCollection *) { return new TfrxFormat; }, this)),
      FHighlights(new TfrxCollection([](TfrxCollection *) { return new TfrxHighlight; }, this))
{
    // The text object writes its own difference text and its nested format and highlight lists.
    SetComponentStyle((ComponentStyle() & ~TfrxComponentStyle(csDefaultDiff)) | csHandlesNestedProperties);
}

TfrxCustomMemoView::~TfrxCustomMemoView() = default;

QString TfrxCustomMemoView::Text() const
{
    QString s;
    for (const QString &line : FMemo)
        s += line + kCrLf;
    return s;
}

void TfrxCustomMemoView::SetText(const QString &value)
{
    FMemo = TfrxWideStrings::splitLines(value);
}

namespace {

// The code page of a font charset; the default charset and unknown ones use the system's.
QByteArray CodePage(int charset)
{
    static const QHash<int, QByteArray> pages = {
        {0, "windows-1252"},   {161, "windows-1253"}, {162, "windows-1254"}, {163, "windows-1258"},
        {177, "windows-1255"}, {178, "windows-1256"}, {186, "windows-1257"}, {204, "windows-1251"},
        {238, "windows-1250"}, {222, "windows-874"},  {128, "Shift_JIS"},    {129, "windows-949"},
        {134, "GBK"},          {136, "Big5"},
    };
    return pages.value(charset, QByteArrayLiteral("windows-1251"));
}

} // namespace

QByteArray TfrxCustomMemoView::AnsiText() const
{
    QStringEncoder encoder(CodePage(Font()->Charset()).constData());
    return encoder.isValid() ? QByteArray(encoder.encode(Text())) : Text().toLatin1();
}

void TfrxCustomMemoView::SetAnsiText(const QByteArray &value)
{
    QStringDecoder decoder(CodePage(Font()->Charset()).constData());
    SetText(decoder.isValid() ? QString(decoder.decode(value)) : QString::fromLatin1(value));
}

TfrxWideStrings TfrxCustomMemoView::Lines() const
{
    TfrxWideStrings lines;
    for (const QString &line : FMemo)
        lines.append(line);
    return lines;
}

void TfrxCustomMemoView::SetFlowTo(TfrxCustomMemoView *value)
{
    // An object cannot flow into itself.
    FFlowTo = value != this ? value : nullptr;
}

void TfrxCustomMemoView::SetStyle(const QString &value)
{
    FStyle = value;
    if (TfrxReport *report = GetReport())
        ApplyStyle(report->Styles()->Find(value));
}

TfrxFormat *TfrxCustomMemoView::DisplayFormat() const
{
    if (FFormats->Count() == 0)
        FFormats->Add();
    return static_cast<TfrxFormat *>(FFormats->Item(0));
}

void TfrxCustomMemoView::SetDisplayFormat(TfrxFormat *value)
{
    if (value != nullptr)
        DisplayFormat()->Assign(value);
}

TfrxHighlight *TfrxCustomMemoView::Highlight() const
{
    if (FHighlights->Count() == 0)
        FHighlights->Add();
    return static_cast<TfrxHighlight *>(FHighlights->Item(0));
}

void TfrxCustomMemoView::SetHighlight(TfrxHighlight *value)
{
    if (value != nullptr)
        Highlight()->Assign(value);
}

// ---- output cycle ----

void TfrxCustomMemoView::BeforePrint()
{
    TfrxStretcheable::BeforePrint();
    if (!IsDataField())
        FTempMemo = Text();
}

void TfrxCustomMemoView::GetData()
{
    TfrxStretcheable::GetData();
    if (FFormats->Count() == 0)
        FFormats->Add();
    if (IsDataField()) {
        TfrxDataSet *ds = DataSet();
        if (ds->IsBlobField(DataField())) {
            SetText(ds->GetValue(DataField()).toString());
        } else {
            FValue = ds->GetValue(DataField());
            SetText(DisplayFormat()->Kind() != fkText ? FormatData(FValue) : ds->GetDisplayText(DataField()));
        }
        if (FHideZeros && IsNumericZero(FValue))
            FMemo.clear();
    } else if (FAllowExpressions) {
        ExpandExpressions();
    }
    TfrxReport *report = GetReport();
    if (report != nullptr)
        report->SetLocalValue(FValue);
    ApplyHighlights();
    if (FSuppressRepeated) {
        const QString text = Text();
        if (FLastValue.isValid() && FLastValue.toString() == text)
            FMemo.clear();
        else
            FLastValue = text;
    }
    if (FFlowTo != nullptr) {
        InitPart();
        DrawPart();
        FFlowTo->SetText(FPartMemo);
        // The rest is already expanded.
        FFlowTo->SetAllowExpressions(false);
    }
}

void TfrxCustomMemoView::AfterPrint()
{
    if (!IsDataField())
        SetText(FTempMemo);
    if (FHighlightActivated)
        RestoreAppearance();
    TfrxStretcheable::AfterPrint();
}

// expansion -> the text scanned from the start; each delimited expression is replaced by its
// formatted value, which is not scanned again; the k-th expression takes the k-th format, later
// ones the last format.
void TfrxCustomMemoView::ExpandExpressions()
{
    const qsizetype comma = FExpressionDelimiters.indexOf(QLatin1Char(','));
    if (comma < 0)
        return;
    const QString open = FExpressionDelimiters.left(comma).left(255);
    const QString close = FExpressionDelimiters.mid(comma + 1).left(255);
    if (open.isEmpty() || close.isEmpty())
        return;
    QString s = Text();
    if (!s.contains(open))
        return;
    qsizetype pos = 0;
    qsizetype k = 0;
    while (true) {
        qsizetype i = s.indexOf(open, pos);
        if (i < 0)
            break;
        qsizetype j = i;
        QString expression;
        // An opening delimiter without its closing one leaves the rest as plain text.
        if (!zorGetBrackedVariableW(s, open, close, i, j, expression))
            break;
        s.remove(i, j - i + 1);
        const QString value = CalcAndFormat(expression, static_cast<TfrxFormat *>(FFormats->Item(k)));
        s.insert(i, value);
        pos = i + value.size();
        if (k < FFormats->Count() - 1)
            ++k;
    }
    SetText(s);
}

QString TfrxCustomMemoView::CalcAndFormat(const QString &expression, const TfrxFormat *format)
{
    QString expr = expression;
    TfrxFormat inlineFormat;
    const qsizetype hash = expr.indexOf(QStringLiteral(" #"));
    // A ")" after " #" means a call with such a text argument, not an in-line format.
    if (hash >= 0 && !expr.mid(hash + 2).contains(QLatin1Char(')'))) {
        TfrxFormat::ParseInline(expr.mid(hash + 2), inlineFormat);
        format = &inlineFormat;
        expr.truncate(hash);
    }
    static const QHash<QString, QString> placeholders = {
        {QStringLiteral("TOTALPAGES#"), QStringLiteral("[TotalPages#]")},
        {QStringLiteral("COPYNAME#"), QStringLiteral("[CopyName#]")},
    };
    const auto placeholder = placeholders.constFind(expr.trimmed().toUpper());
    TfrxReport *report = GetReport();
    if (placeholder != placeholders.constEnd())
        FValue = placeholder.value();
    else if (expr.trimmed().isEmpty() || report == nullptr)
        FValue = QVariant();
    else
        FValue = report->Calc(expr);
    if (FHideZeros && IsNumericZero(FValue))
        return {};
    return FormatData(FValue, format);
}

QString TfrxCustomMemoView::FormatData(const QVariant &value, const TfrxFormat *format) const
{
    if (format == nullptr)
        format = DisplayFormat();
    return format->FormatData(value);
}

void TfrxCustomMemoView::ApplyHighlights()
{
    TfrxReport *report = GetReport();
    if (report == nullptr)
        return;
    for (TfrxCollectionItem *item : FHighlights->Items()) {
        auto *h = static_cast<TfrxHighlight *>(item);
        if (h->Condition().trimmed().isEmpty() || !IsTrue(report->Calc(h->Condition())))
            continue;
        SaveAppearance();
        ApplyHighlight(h);
        FHighlightActivated = true;
        return;
    }
}

void TfrxCustomMemoView::SaveAppearance()
{
    FTempFill.reset(zorCreateFill(FillType()));
    FTempFill->Assign(Fill());
    FTempFont = std::make_unique<TfrxFont>();
    FTempFont->Assign(Font());
    FTempFrame = std::make_unique<TfrxFrame>();
    FTempFrame->Assign(Frame());
    FTempVisible = Visible();
    FTempParentFont = ParentFont();
}

void TfrxCustomMemoView::RestoreAppearance()
{
    SetFill(FTempFill.get());
    SetFont(FTempFont.get());
    SetParentFont(FTempParentFont);
    SetFrame(FTempFrame.get());
    SetVisible(FTempVisible);
    FTempFill.reset();
    FTempFont.reset();
    FTempFrame.reset();
    FHighlightActivated = false;
}

void TfrxCustomMemoView::ApplyHighlight(const TfrxHighlight *highlight)
{
    if (highlight == nullptr)
        return;
    if (highlight->ApplyFont())
        SetFont(highlight->Font());
    if (highlight->ApplyFill())
        SetFill(highlight->Fill());
    if (highlight->ApplyFrame())
        SetFrame(highlight->Frame());
    SetVisible(highlight->Visible());
}

void TfrxCustomMemoView::ApplyPreviewHighlight()
{
    if (FHighlights->Count() > 0 && Highlight()->Active())
        ApplyHighlight(Highlight());
}

void TfrxCustomMemoView::ApplyStyle(const TfrxStyleItem *style)
{
    if (style == nullptr)
        return;
    SetColor(style->Color());
    SetFont(style->Font());
    SetParentFont(false);
    SetFrame(style->Frame());
}

// ---- layout ----

TfrxDrawText &TfrxCustomMemoView::Engine() const
{
    TfrxReport *report = GetReport();
    return report != nullptr ? report->DrawText() : TfrxDrawText::Global();
}

TfrxTextFont TfrxCustomMemoView::TextFont() const
{
    const TfrxFont *f = Font();
    TfrxTextFont font;
    font.Name = f->Name();
    font.Size = f->Size();
    font.Style = f->Style().toInt();
    font.Color = quint32(f->Color());
    font.Charset = f->Charset();
    return font;
}

void TfrxCustomMemoView::PrepareEngine(TfrxDrawText &engine) const
{
    engine.SetUseDefaultCharset(FUseDefaultCharset);
    engine.SetFont(TextFont());
    engine.SetOptions(FWordWrap, FAllowHTMLTags, NormalRotation(), FWysiwyg, FClipped, FWordBreak,
                      FRTLReading);
    engine.SetGaps(FParagraphGap, FCharSpacing, FLineSpacing);
}

QRect TfrxCustomMemoView::CalcTextRect(int x, int y, int x1, int y1, double scaleX, double scaleY) const
{
    const double w = Frame()->Width();
    const TfrxFrameTypes typ = Frame()->Typ();
    const int left = x + (typ.testFlag(ftLeft) ? Nearest((scaleX * w - 1) / 2) : 0) + Nearest(scaleX * FGapX);
    const int top = y + (typ.testFlag(ftTop) ? Nearest((scaleY * w - 1) / 2) : 0) + Nearest(scaleY * FGapY);
    const int right =
        x1 - (typ.testFlag(ftRight) ? Nearest(scaleX * w / 2) : 0) - Nearest(scaleX * FGapX) + 1;
    const int bottom =
        y1 - (typ.testFlag(ftBottom) ? Nearest(scaleY * w / 2) : 0) - Nearest(scaleY * FGapY) + 1;
    return QRect(left, top, right - left, bottom - top);
}

void TfrxCustomMemoView::BeginDraw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
                                   double offsetY)
{
    // The layout works from the rectangle at scale 1, the drawing in the device rectangle.
    TfrxStretcheable::BeginDraw(canvas, 1, 1, 0, 0);
    FUnscaledRect = CalcTextRect(FX, FY, FX1, FY1, 1, 1);
    TfrxStretcheable::BeginDraw(canvas, scaleX, scaleY, offsetX, offsetY);
    FTextRect = CalcTextRect(FX, FY, FX1, FY1, scaleX, scaleY);
}

double TfrxCustomMemoView::AdjustCalcHeight() const
{
    const double w = Frame()->Width();
    const TfrxFrameTypes typ = Frame()->Typ();
    return 2 * FGapY + (typ.testFlag(ftTop) ? (w - 1) / 2 : 0) + (typ.testFlag(ftBottom) ? w / 2 : 0) +
           (Frame()->DropShadow() ? Frame()->ShadowWidth() : 0);
}

double TfrxCustomMemoView::AdjustCalcWidth() const
{
    const double w = Frame()->Width();
    const TfrxFrameTypes typ = Frame()->Typ();
    return 2 * FGapX + (typ.testFlag(ftLeft) ? (w - 1) / 2 : 0) + (typ.testFlag(ftRight) ? w / 2 : 0) +
           (Frame()->DropShadow() ? Frame()->ShadowWidth() : 0);
}

double TfrxCustomMemoView::CalcHeight()
{
    TfrxDrawText::Locker lock;
    TfrxDrawText &engine = Engine();
    PrepareEngine(engine);
    QRect area = kMeasureArea;
    if (!FAutoWidth) {
        BeginDraw(nullptr, 1, 1, 0, 0);
        area = FUnscaledRect;
    }
    engine.SetDimensions(1, 1, 1, area, area);
    engine.SetText(Lines());
    return std::max(0, Nearest(engine.CalcHeight() + AdjustCalcHeight()));
}

double TfrxCustomMemoView::MeasureWidth()
{
    TfrxDrawText::Locker lock;
    TfrxDrawText &engine = Engine();
    PrepareEngine(engine);
    engine.SetDimensions(1, 1, 1, kMeasureArea, kMeasureArea);
    engine.SetText(Lines());
    return engine.CalcWidth() + AdjustCalcWidth();
}

double TfrxCustomMemoView::CalcWidth()
{
    return std::max(0, Nearest(MeasureWidth()));
}

void TfrxCustomMemoView::ApplyAutoWidth()
{
    const double width = MeasureWidth();
    const double change = width - Width();
    if (FHAlign == haRight)
        SetLeft(Left() - change);
    else if (FHAlign == haCenter)
        SetLeft(Left() - change / 2);
    SetWidth(width);
    if (Parent() != nullptr)
        Parent()->AlignChildren();
}

void TfrxCustomMemoView::InitPart()
{
    FPartMemo = Text();
    FFirstParaBreak = false;
    FLastParaBreak = false;
}

double TfrxCustomMemoView::DrawPart()
{
    SetText(FPartMemo);
    TfrxDrawText::Locker lock;
    TfrxDrawText &engine = Engine();
    PrepareEngine(engine);
    BeginDraw(nullptr, 1, 1, 0, 0);
    engine.SetDimensions(1, 1, 1, FUnscaledRect, FUnscaledRect);
    engine.SetText(Lines());
    bool paraBreak = false;
    FPartMemo = engine.GetOutBoundsText(paraBreak);
    SetText(engine.GetInBoundsText());
    FLastParaBreak = paraBreak;
    const double unused = engine.UnusedSpace();
    return unused == 0 ? Height() : unused;
}

QString TfrxCustomMemoView::WrapText(bool wrapWords)
{
    if (!wrapWords)
        return FAllowHTMLTags ? TfrxDrawText::DeleteTags(Text()) : Text();
    TfrxDrawText::Locker lock;
    TfrxDrawText &engine = Engine();
    PrepareEngine(engine);
    BeginDraw(nullptr, 1, 1, 0, 0);
    engine.SetDimensions(1, 1, 1, FUnscaledRect, FUnscaledRect);
    engine.SetText(Lines());
    return engine.GetWrappedText();
}

// ---- drawing ----

void TfrxCustomMemoView::ExtractMacros()
{
    if (!FAllowExpressions || IsDesigning())
        return;
    QString s = Text();
    if (!s.contains(QLatin1Char('[')))
        return;
    const QVariant copyName = TfrxReport::GlobalVariable(QStringLiteral("CopyName"));
    const QString copy = copyName.isValid() ? VariantText(copyName) + QString::number(FCopyNo) : QString();
    s.replace(QStringLiteral("[TOTALPAGES#]"), QString::number(FTotalPages), Qt::CaseInsensitive);
    s.replace(QStringLiteral("[COPYNAME#]"), copy, Qt::CaseInsensitive);
    SetText(s);
}

QString TfrxCustomMemoView::GetComponentText() const
{
    QString s = Text();
    const QString macro = QStringLiteral("[TOTALPAGES]");
    const qsizetype at = s.indexOf(macro, 0, Qt::CaseInsensitive);
    if (at >= 0)
        s.replace(at, macro.size(), QString::number(FTotalPages));
    return s;
}

QString TfrxCustomMemoView::DesignFieldText() const
{
    return QLatin1Char('[') + DataSet()->UserName() + QStringLiteral(".\"") + DataField() +
           QStringLiteral("\"]");
}

void TfrxCustomMemoView::Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    ExtractMacros();
    const QStringList text = FMemo;
    const bool showField = IsDesigning() && IsDataField();
    if (showField)
        FMemo = {DesignFieldText()};
    if (!IsPrinting())
        FPrintScale = 1;
    {
        TfrxDrawText::Locker lock;
        if (FAutoWidth && !IsDesigning())
            ApplyAutoWidth();
        TfrxStretcheable::Draw(canvas, scaleX, scaleY, offsetX, offsetY);
    }
    if (showField)
        FMemo = text;
}

void TfrxCustomMemoView::DrawContent()
{
    if (FCanvas == nullptr)
        return;
    TfrxDrawText::Locker lock;
    TfrxDrawText &engine = Engine();
    PrepareEngine(engine);
    engine.SetDimensions(FScaleX, FScaleY, FPrintScale, FUnscaledRect, FTextRect);
    engine.SetText(Lines());
    engine.SetParaBreaks(FFirstParaBreak, FLastParaBreak);
    if (FUnderlines && NormalRotation() == 0)
        DrawUnderlines(engine);
    engine.DrawText(FCanvas, FHAlign, FVAlign);
}

void TfrxCustomMemoView::DrawUnderlines(const TfrxDrawText &engine)
{
    // A line pitch that is not positive would never leave the rectangle.
    const double pitch = engine.LineHeight() * FScaleY;
    if (!(pitch > 0) || !std::isfinite(pitch))
        return;
    draw::Aliased aliased(FCanvas);
    QPen pen(ToQColor(Frame()->Color()));
    pen.setWidth(FFrameWidth);
    FCanvas->setPen(pen);
    double y = FY + (FGapY - FLineSpacing + 1) * FScaleY + pitch;
    // At most one rule per device row.
    for (int rows = 0; y < FY1 && rows <= FDY; y += pitch, ++rows) {
        const int yy = Nearest(y);
        FCanvas->drawLine(FX, yy, FX1, yy);
    }
}

// ---- storage ----

QString TfrxCustomMemoView::Diff(const TfrxComponent *other) const
{
    QString s = TfrxStretcheable::Diff(other);
    const auto *o = qobject_cast<const TfrxCustomMemoView *>(other);
    if (o == nullptr)
        return s;
    const auto attr = [&s](const char *name, const QString &value) {
        s += QLatin1Char(' ') + QLatin1String(name) + QStringLiteral("=\"") + value + QLatin1Char('"');
    };
    if (FAutoWidth != o->FAutoWidth)
        attr("AutoWidth", BoolText(FAutoWidth));
    if (FloatDiff(FCharSpacing, o->FCharSpacing))
        attr("CharSpacing", FloatText(FCharSpacing));
    if (FloatDiff(FGapX, o->FGapX))
        attr("GapX", FloatText(FGapX));
    if (FloatDiff(FGapY, o->FGapY))
        attr("GapY", FloatText(FGapY));
    if (FHAlign != o->FHAlign)
        attr("HAlign", QString::number(FHAlign));
    if (FloatDiff(FLineSpacing, o->FLineSpacing))
        attr("LineSpacing", FloatText(FLineSpacing));
    if (FUseDefaultCharset != o->FUseDefaultCharset)
        attr("UseDefaultCharset", BoolText(FUseDefaultCharset));
    attr("u", EscapeAttr(FMemo.join(kCrLf)));
    if (FloatDiff(FParagraphGap, o->FParagraphGap))
        attr("ParagraphGap", FloatText(FParagraphGap));
    if (FRotation != o->FRotation)
        attr("Rotation", QString::number(FRotation));
    if (FRTLReading != o->FRTLReading)
        attr("RTLReading", BoolText(FRTLReading));
    if (FUnderlines != o->FUnderlines)
        attr("Underlines", BoolText(FUnderlines));
    if (FVAlign != o->FVAlign)
        attr("VAlign", QString::number(FVAlign));
    if (FWordWrap != o->FWordWrap)
        attr("WordWrap", BoolText(FWordWrap));
    if (FFormats->Count() == 1) {
        const auto *f = static_cast<const TfrxFormat *>(FFormats->Item(0));
        const TfrxFormat defaults;
        const TfrxFormat *of =
            o->FFormats->Count() > 0 ? static_cast<const TfrxFormat *>(o->FFormats->Item(0)) : &defaults;
        if (f->Kind() != of->Kind())
            attr("DisplayFormat.Kind", QString::number(f->Kind()));
        if (f->DecimalSeparator() != of->DecimalSeparator())
            attr("DisplayFormat.DecimalSeparator", EscapeAttr(f->DecimalSeparator()));
        if (f->ThousandSeparator() != of->ThousandSeparator())
            attr("DisplayFormat.ThousandSeparator", EscapeAttr(f->ThousandSeparator()));
        if (f->FormatStr() != of->FormatStr())
            attr("DisplayFormat.FormatStr", EscapeAttr(f->FormatStr()));
    }
    if (FFirstParaBreak)
        attr("FirstParaBreak", BoolText(true));
    if (FLastParaBreak)
        attr("LastParaBreak", BoolText(true));
    return s;
}

QString TfrxCustomMemoView::GetDescription() const
{
    return QStringLiteral("Text object");
}

bool TfrxCustomMemoView::IsPropertyStored(const char *name) const
{
    if (qstrcmp(name, "DisplayFormat") == 0)
        return FFormats->Count() == 1;
    if (qstrcmp(name, "Highlight") == 0)
        return FHighlights->Count() == 1 &&
               !static_cast<const TfrxHighlight *>(FHighlights->Item(0))->Condition().trimmed().isEmpty();
    return TfrxStretcheable::IsPropertyStored(name);
}

void TfrxCustomMemoView::Assign(const TfrxPersistent *source)
{
    TfrxStretcheable::Assign(source);
    const auto *m = qobject_cast<const TfrxCustomMemoView *>(source);
    if (m == nullptr || m == this)
        return;
    for (const auto &[from, to] :
         {std::pair{m->FFormats, FFormats}, std::pair{m->FHighlights, FHighlights}}) {
        to->Clear();
        for (const TfrxCollectionItem *item : from->Items())
            to->Add()->Assign(item);
    }
}

QStringList TfrxCustomMemoView::NestedPropertiesToWrite() const
{
    QStringList names;
    if (FFormats->Count() > 1)
        names.append(QStringLiteral("Formats"));
    if (FHighlights->Count() > 1)
        names.append(QStringLiteral("Highlights"));
    return names;
}

TfrxCollection *TfrxCustomMemoView::NestedCollection(const QString &name) const
{
    static const QHash<QString, TfrxCollection *TfrxCustomMemoView::*> collections = {
        {QStringLiteral("Formats"), &TfrxCustomMemoView::FFormats},
        {QStringLiteral("Highlights"), &TfrxCustomMemoView::FHighlights},
    };
    const auto it = collections.constFind(name);
    return it == collections.constEnd() ? nullptr : this->*(it.value());
}
