#include "TfrxView.h"

#include "TfrxBrushFill.h"
#include "TfrxDataSet.h"
#include "TfrxFrame.h"
#include "TfrxGlassFill.h"
#include "TfrxGradientFill.h"
#include "TfrxHyperlink.h"
#include "TfrxReport.h"
#include "zorBrackets.h"

#include <QHash>
#include <QPainter>

using namespace zor;

TfrxView::TfrxView(QObject *owner)
    : TfrxReportComponent(owner), FFrame(new TfrxFrame(this)), FHyperlink(new TfrxHyperlink(this)),
      FFill(zorCreateFill(ftBrush, this))
{
    SetComponentStyle(ComponentStyle() | csDefaultDiff);
}

void TfrxView::SetFrame(TfrxFrame *value)
{
    FFrame->Assign(value);
}

void TfrxView::SetHyperlink(TfrxHyperlink *value)
{
    FHyperlink->Assign(value);
}

TfrxFillType TfrxView::FillType() const
{
    return zorGetFillType(FFill);
}

void TfrxView::SetFillType(TfrxFillType value)
{
    if (value == FillType())
        return;
    delete FFill;
    FFill = zorCreateFill(value, this);
    // A template leaves out a glass fill's colour when it is white, its stored default, while a
    // new glass fill starts grey; one being read starts from the stored default.
    if (auto *glass = qobject_cast<TfrxGlassFill *>(FFill); glass != nullptr && IsLoading())
        glass->SetColor(zor::clWhite);
}

void TfrxView::SetFill(TfrxCustomFill *value)
{
    if (value == nullptr || value == FFill)
        return;
    SetFillType(zorGetFillType(value));
    FFill->Assign(value);
}

int TfrxView::Color() const
{
    if (const auto *brush = qobject_cast<const TfrxBrushFill *>(FFill))
        return brush->BackColor();
    if (const auto *gradient = qobject_cast<const TfrxGradientFill *>(FFill))
        return gradient->MidColor();
    return clTransparent;
}

void TfrxView::SetColor(int value)
{
    if (auto *brush = qobject_cast<TfrxBrushFill *>(FFill))
        brush->SetBackColor(value);
}

TBrushStyle TfrxView::BrushStyle() const
{
    const auto *brush = qobject_cast<const TfrxBrushFill *>(FFill);
    return brush != nullptr ? brush->Style() : bsClear;
}

void TfrxView::SetBrushStyle(TBrushStyle value)
{
    if (auto *brush = qobject_cast<TfrxBrushFill *>(FFill))
        brush->SetStyle(value);
}

QString TfrxView::URL() const
{
    switch (FHyperlink->Kind()) {
    case hkPageNumber:
        return QLatin1Char('@') + FHyperlink->Value();
    case hkAnchor:
        return QLatin1Char('#') + FHyperlink->Value();
    default:
        return FHyperlink->Value();
    }
}

void TfrxView::SetURL(const QString &value)
{
    if (value.isEmpty())
        return;
    static const QHash<QChar, TfrxHyperlinkKind> prefixes = {
        {QLatin1Char('@'), hkPageNumber},
        {QLatin1Char('#'), hkAnchor},
    };
    const auto it = prefixes.constFind(value.at(0));
    if (it == prefixes.constEnd()) {
        FHyperlink->SetKind(hkURL);
        FHyperlink->SetValue(value);
        return;
    }
    FHyperlink->SetKind(it.value());
    FHyperlink->SetValue(value.mid(1, 255));
}

TfrxDataSet *TfrxView::DataSet() const
{
    return FDataSet;
}

void TfrxView::SetDataSet(TfrxDataSet *value)
{
    FDataSet = value;
    FDataSetName = value != nullptr ? value->UserName() : QString();
}

QString TfrxView::DataSetName() const
{
    return FDataSet != nullptr ? FDataSet->UserName() : FDataSetName;
}

void TfrxView::SetDataSetName(const QString &value)
{
    FDataSetName = value;
    FDataSet = FindDataSet(FDataSet, value);
}

bool TfrxView::IsDataField() const
{
    return FDataSet != nullptr && !FDataField.isEmpty();
}

void TfrxView::BeginDraw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    FCanvas = canvas;
    FScaleX = scaleX;
    FScaleY = scaleY;
    FOffsetX = offsetX;
    FOffsetY = offsetY;
    FX = Nearest(offsetX + scaleX * AbsLeft());
    FY = Nearest(offsetY + scaleY * AbsTop());
    FX1 = Nearest(offsetX + scaleX * (AbsLeft() + Width()));
    FY1 = Nearest(offsetY + scaleY * (AbsTop() + Height()));
    if (FFrame->DropShadow()) {
        FX1 -= Nearest(scaleX * FFrame->ShadowWidth());
        FY1 -= Nearest(scaleY * FFrame->ShadowWidth());
    }
    FDX = FX1 - FX;
    FDY = FY1 - FY;
    FFrameWidth = Nearest(scaleX * FFrame->Width());
}

void TfrxView::DrawBackground()
{
    // The background reaches under the middle of each drawn frame line.
    const double w = FFrame->Width();
    const TfrxFrameTypes typ = FFrame->Typ();
    const int x1 = typ.testFlag(ftLeft) ? FX - Nearest(w * FScaleX / 2) : FX;
    const int x2 = typ.testFlag(ftRight) ? FX1 + Nearest(w * FScaleX / 2) + Nearest(w * FScaleX) % 2 : FX1;
    const int y1 = typ.testFlag(ftTop) ? FY - Nearest(w * FScaleY / 2) : FY;
    const int y2 = typ.testFlag(ftBottom) ? FY1 + Nearest(w * FScaleY / 2) + Nearest(w * FScaleY) % 2 : FY1;
    FFill->Draw(FCanvas, x1, y1, x2, y2, FScaleX, FScaleY);
}

void TfrxView::DrawFrame()
{
    FFrame->Draw(FCanvas, FX, FY, FX1, FY1, FScaleX, FScaleY);
}

void TfrxView::Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    BeginDraw(canvas, scaleX, scaleY, offsetX, offsetY);
    DrawBackground();
    DrawContent();
    DrawFrame();
}

void TfrxView::BeforePrint()
{
    TfrxReportComponent::BeforePrint();
    FSavedTagStr = FTagStr;
    FSavedHyperlinkValue = FHyperlink->Value();
    if (TfrxReport *report = GetReport())
        report->SetCurObject(Name());
}

void TfrxView::GetData()
{
    if (FTagStr.contains(QLatin1Char('[')))
        FTagStr = ExpandVariables(FTagStr);
    if (FHyperlink->Value().contains(QLatin1Char('[')))
        FHyperlink->SetValue(ExpandVariables(FHyperlink->Value()));
    TfrxReport *report = GetReport();
    if (FHyperlink->Expression().isEmpty() || report == nullptr)
        return;
    const QVariant value = report->Calc(FHyperlink->Expression());
    FHyperlink->SetValue(value.metaType().id() == QMetaType::QString
                             ? TfrxHyperlink::QuoteForLanguage(value.toString(), report->ScriptLanguage())
                             : value.toString());
}

void TfrxView::AfterPrint()
{
    TfrxReportComponent::AfterPrint();
    FTagStr = FSavedTagStr;
    FHyperlink->SetValue(FSavedHyperlinkValue);
}

QString TfrxView::ExpandVariables(const QString &text) const
{
    TfrxReport *report = GetReport();
    QString s = text;
    const QString open = QStringLiteral("["), close = QStringLiteral("]");
    qsizetype pos = 0;
    while ((pos = s.indexOf(open, pos)) >= 0) {
        // The matching bracket: nested brackets count, quoted ones do not.
        qsizetype end = pos;
        QString expr;
        if (!zorGetBrackedVariableW(s, open, close, pos, end, expr))
            break;
        const QString value = report != nullptr ? report->Calc(expr).toString() : QString();
        s.replace(pos, end - pos + 1, value);
        pos += value.size();
    }
    return s;
}

QString TfrxView::Diff(const TfrxComponent *other) const
{
    QString s = TfrxReportComponent::Diff(other);
    const auto *o = qobject_cast<const TfrxView *>(other);
    if (o == nullptr)
        return s;
    const auto attr = [&s](const char *name, const QString &value) {
        s += QLatin1Char(' ') + QLatin1String(name) + QStringLiteral("=\"") + value + QLatin1Char('"');
    };
    if (FAlign != o->FAlign)
        attr("Align", QString::number(FAlign));
    s += FFrame->Diff(*o->FFrame, QStringLiteral("Frame"));
    if (FCursor != o->FCursor)
        attr("Cursor", QString::number(FCursor));
    if (FVisibility != o->FVisibility)
        attr("Visibility", QString::number(FVisibility.toInt()));
    if (FTagStr != o->FTagStr)
        attr("TagStr", EscapeAttr(FTagStr));
    if (FillType() != o->FillType())
        attr("FillType", QString::number(FillType()));
    s += FFill->Diff(o->FFill, QStringLiteral("Fill"));
    s += FHyperlink->Diff(*o->FHyperlink, QStringLiteral("Hyperlink"));
    return s;
}
