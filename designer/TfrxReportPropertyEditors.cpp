#include "TfrxReportPropertyEditors.h"

#include "TfrxBrushFill.h"
#include "TfrxCustomDesigner.h"
#include "TfrxCustomMemoView.h"
#include "TfrxCustomPrinter.h"
#include "TfrxDataSet.h"
#include "TfrxDataSetItem.h"
#include "TfrxFormat.h"
#include "TfrxFrame.h"
#include "TfrxPictureView.h"
#include "TfrxPrinters.h"
#include "TfrxProperties.h"
#include "TfrxReport.h"
#include "TfrxReportDataSets.h"
#include "TfrxResources.h"
#include "TfrxStyles.h"
#include "zorEditorDialogs.h"

#include <QApplication>
#include <QMetaEnum>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <cmath>

namespace {

// The square left of a sample's text.
QRect SampleRect(const QRect &rect)
{
    const int side = rect.height() - 4;
    return {rect.left() + 2, rect.top() + 2, side, side};
}

void DrawSampleText(QPainter &painter, const QRect &rect, const QString &text)
{
    painter.drawText(rect.adjusted(rect.height() + 2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
}

void DrawCheckBox(QPainter &painter, const QRect &rect, bool checked)
{
    QStyleOptionButton option;
    option.rect = SampleRect(rect);
    option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
    QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter);
}

void DrawBrushSample(QPainter &painter, const QRect &rect, int style)
{
    TfrxBrushFill fill;
    fill.SetStyle(zor::TBrushStyle(style));
    fill.SetBackColor(style == zor::bsClear ? zor::clTransparent : zor::clWhite);
    fill.SetForeColor(zor::clBlack);
    const QRect sample = SampleRect(rect);
    fill.Draw(&painter, sample.left(), sample.top(), sample.right(), sample.bottom(), 1, 1);
    painter.drawRect(sample.adjusted(0, 0, -1, -1));
}

// A frame line of the style across the sample's middle, as the frame itself draws it.
void DrawFrameStyleSample(QPainter &painter, const QRect &rect, int style)
{
    TfrxFrame frame;
    frame.SetStyle(zor::TfrxFrameStyle(style));
    frame.SetTyp(zor::ftTop);
    frame.SetWidth(style == zor::fsDouble ? 3 : 1);
    const int middle = rect.center().y();
    frame.Draw(&painter, rect.left() + 2, middle, rect.left() + 2 * rect.height(), middle + 4, 1, 1);
}

int EnumValue(const QMetaProperty &property, const QString &key)
{
    return property.enumerator().keyToValue(key.toLatin1().constData());
}

// The objects edited as text objects, for the dialogs that edit one.
TfrxCustomMemoView *FirstMemo(const TfrxPropertyEditor &editor)
{
    return qobject_cast<TfrxCustomMemoView *>(editor.Component());
}

// A converted coordinate that overflowed is refused like a typed "inf".
double Finite(double value)
{
    if (!std::isfinite(value))
        TfrxPropertyEditor::RaiseInvalid();
    return value;
}

QString Typed(const QString &typeName)
{
    return QLatin1Char('(') + typeName + QLatin1Char(')');
}

} // namespace

// ---- Owner-drawn enumerations -----------------------------------------------------------------

TfrxPropertyAttributes TfrxBooleanProperty::GetAttributes() const
{
    return paValueList | paMultiSelect | paOwnerDraw;
}

void TfrxBooleanProperty::OnDrawLBItem(QPainter &painter, const QRect &rect, int index, bool)
{
    DrawCheckBox(painter, rect, index == 1);
    DrawSampleText(painter, rect, Values.value(index));
}

void TfrxBooleanProperty::OnDrawItem(QPainter &painter, const QRect &rect)
{
    DrawCheckBox(painter, rect, GetVariantValue().toBool());
    DrawSampleText(painter, rect, GetValue());
}

int TfrxBooleanProperty::GetExtraLBSize() const
{
    return ItemHeight + 2;
}

TfrxPropertyAttributes TfrxBrushProperty::GetAttributes() const
{
    return paValueList | paMultiSelect | paOwnerDraw;
}

void TfrxBrushProperty::OnDrawLBItem(QPainter &painter, const QRect &rect, int index, bool)
{
    DrawBrushSample(painter, rect, EnumValue(Property(), Values.value(index)));
    DrawSampleText(painter, rect, Values.value(index));
}

void TfrxBrushProperty::OnDrawItem(QPainter &painter, const QRect &rect)
{
    DrawBrushSample(painter, rect, GetOrdValue());
    DrawSampleText(painter, rect, GetValue());
}

int TfrxBrushProperty::GetExtraLBSize() const
{
    return ItemHeight + 2;
}

TfrxPropertyAttributes TfrxFrameStyleProperty::GetAttributes() const
{
    return paValueList | paMultiSelect | paOwnerDraw;
}

void TfrxFrameStyleProperty::OnDrawLBItem(QPainter &painter, const QRect &rect, int index, bool)
{
    DrawFrameStyleSample(painter, rect, EnumValue(Property(), Values.value(index)));
    painter.drawText(rect.adjusted(2 * rect.height() + 6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     Values.value(index));
}

void TfrxFrameStyleProperty::OnDrawItem(QPainter &painter, const QRect &rect)
{
    DrawFrameStyleSample(painter, rect, GetOrdValue());
    painter.drawText(rect.adjusted(2 * rect.height() + 6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     GetValue());
}

int TfrxFrameStyleProperty::GetExtraLBSize() const
{
    return 2 * ItemHeight + 6;
}

// ---- Dialog editors of sub-objects ------------------------------------------------------------

TfrxPropertyAttributes TfrxFrameProperty::GetAttributes() const
{
    return paDialog | paMultiSelect | paSubProperties | paReadOnly;
}

bool TfrxFrameProperty::Edit()
{
    const auto *current = qobject_cast<const TfrxFrame *>(GetObjectValue());
    if (current == nullptr)
        return false;
    TfrxFrame frame;
    frame.Assign(current);
    if (zorEditFrame(Designer().DialogParent(), frame))
        SetVariantValue(QVariant::fromValue(&frame));
    return false;
}

TfrxPropertyAttributes TfrxFillProperty::GetAttributes() const
{
    return paDialog | paMultiSelect | paSubProperties | paReadOnly;
}

bool TfrxFillProperty::Edit()
{
    const auto *current = qobject_cast<const TfrxCustomFill *>(GetObjectValue());
    if (std::unique_ptr<TfrxCustomFill> fill = zorEditFill(Designer().DialogParent(), current))
        SetVariantValue(QVariant::fromValue(fill.get()));
    return false;
}

TfrxPropertyAttributes TfrxDisplayFormatProperty::GetAttributes() const
{
    return paDialog | paMultiSelect | paSubProperties | paReadOnly;
}

bool TfrxDisplayFormatProperty::Edit()
{
    TfrxCustomMemoView *memo = FirstMemo(*this);
    if (memo == nullptr || !zorEditDisplayFormat(Designer(), memo))
        return false;
    // The other selected objects take the format the first one got.
    TfrxFormat format;
    format.Assign(qobject_cast<const TfrxFormat *>(GetObjectValue()));
    SetVariantValue(QVariant::fromValue(&format));
    return true;
}

// ---- Pictures, lines and texts ----------------------------------------------------------------

TfrxPropertyAttributes TfrxPictureProperty::GetAttributes() const
{
    return paDialog | paMultiSelect | paReadOnly;
}

QString TfrxPictureProperty::GetValue() const
{
    return GetVariantValue().value<QImage>().isNull() ? Typed(zorResources().Get(QStringLiteral("piEmpty")))
                                                      : Typed(QStringLiteral("TPicture"));
}

bool TfrxPictureProperty::Edit()
{
    // The picture editor works on a picture object; any picture property is edited through one.
    TfrxPictureView view;
    view.SetPicture(GetVariantValue().value<QImage>());
    if (zorEditPicture(Designer(), &view))
        SetVariantValue(view.Picture());
    return false;
}

TfrxPropertyAttributes TfrxStringsProperty::GetAttributes() const
{
    return paDialog | paMultiSelect | paReadOnly;
}

QString TfrxStringsProperty::GetValue() const
{
    return Typed(QStringLiteral("TStrings"));
}

bool TfrxStringsProperty::Edit()
{
    QStringList lines = GetVariantValue().toStringList();
    if (zorEditLines(Designer().DialogParent(), lines))
        SetVariantValue(lines);
    return false;
}

TfrxPropertyAttributes TfrxMemoProperty::GetAttributes() const
{
    return paDialog | paReadOnly;
}

QString TfrxMemoProperty::GetValue() const
{
    return GetVariantValue().toStringList().join(QLatin1Char(' '));
}

bool TfrxMemoProperty::Edit()
{
    TfrxCustomMemoView *memo = FirstMemo(*this);
    return memo != nullptr && zorEditMemo(Designer(), memo);
}

// ---- Data sets, fields, styles, printers, expressions -----------------------------------------

QList<QObject *> TfrxDataSetProperty::Candidates() const
{
    QList<QObject *> dataSets;
    const TfrxReportDataSets *listed = Designer().Report().DataSets();
    for (qsizetype i = 0; i < listed->Count(); ++i) {
        if (TfrxDataSet *dataSet = listed->Items(i)->DataSet())
            dataSets.append(dataSet);
    }
    return dataSets;
}

QString TfrxDataSetProperty::NameOf(const QObject *object) const
{
    const auto *dataSet = qobject_cast<const TfrxDataSet *>(object);
    return dataSet != nullptr ? dataSet->UserName() : QString();
}

TfrxPropertyAttributes TfrxListedStringProperty::GetAttributes() const
{
    return paValueList | paMultiSelect;
}

void TfrxListedStringProperty::GetValues()
{
    Values = List();
}

QStringList TfrxDataFieldProperty::List() const
{
    const auto *dataSet =
        qobject_cast<const TfrxDataSet *>(TfrxProperties::Read(Component(), u"DataSet").value<QObject *>());
    return dataSet != nullptr ? dataSet->GetFieldList() : QStringList();
}

TfrxPropertyAttributes TfrxStyleProperty::GetAttributes() const
{
    return paValueList | paSortList | paMultiSelect;
}

QStringList TfrxStyleProperty::List() const
{
    return Designer().Report().Styles()->GetList();
}

QStringList TfrxPrinterProperty::List() const
{
    return QStringList{QStringLiteral("Default")} + zorPrinters()->Printers();
}

TfrxPropertyAttributes TfrxExpressionProperty::GetAttributes() const
{
    return paDialog | paMultiSelect;
}

bool TfrxExpressionProperty::Edit()
{
    const QString expression = Designer().InsertExpression(GetValue());
    if (!expression.isEmpty())
        SetStrValue(expression);
    return false;
}

// ---- Papers -----------------------------------------------------------------------------------

TfrxPropertyAttributes TfrxPaperProperty::GetAttributes() const
{
    return paValueList | paMultiSelect;
}

QString TfrxPaperProperty::GetValue() const
{
    const int number = GetOrdValue();
    for (const TfrxPrinterItem &paper : zorPrinters()->Printer()->Papers()) {
        if (paper.number == number)
            return paper.name;
    }
    return QString::number(number);
}

void TfrxPaperProperty::GetValues()
{
    Values.clear();
    for (const TfrxPrinterItem &paper : zorPrinters()->Printer()->Papers())
        Values.append(paper.name);
}

void TfrxPaperProperty::SetValue(const QString &value)
{
    const QString text = value.trimmed();
    for (const TfrxPrinterItem &paper : zorPrinters()->Printer()->Papers()) {
        if (paper.name.compare(text, Qt::CaseInsensitive) == 0) {
            SetOrdValue(paper.number);
            return;
        }
    }
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok)
        RaiseInvalid();
    SetOrdValue(number);
}

// ---- Units ------------------------------------------------------------------------------------

QString TfrxLocSizeXProperty::GetValue() const
{
    const double pixelsPerUnit = zor::UnitsToPixels(1, Designer().Units(), Vertical());
    return zor::UnitsText(GetFloatValue() / pixelsPerUnit);
}

void TfrxLocSizeXProperty::SetValue(const QString &value)
{
    SetFloatValue(Finite(zor::UnitsToPixels(ParseFloat(value), Designer().Units(), Vertical())));
}

QString TfrxPaperXProperty::GetValue() const
{
    return zor::UnitsText(zor::MmToUnits(GetFloatValue(), Designer().Units(), Vertical()));
}

void TfrxPaperXProperty::SetValue(const QString &value)
{
    SetFloatValue(Finite(zor::UnitsToMm(ParseFloat(value), Designer().Units(), Vertical())));
}
