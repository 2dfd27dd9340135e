#include "TfrxBand.h"

#include "TfrxBands.h"
#include "TfrxBrushFill.h"
#include "TfrxClassRegistry.h"
#include "TfrxDataBand.h"
#include "TfrxError.h"
#include "TfrxFillGaps.h"
#include "TfrxProperties.h"
#include "TfrxView.h"

using namespace zor;

TfrxBand::TfrxBand(QObject *owner)
    : TfrxReportComponent(owner), FFill(zorCreateFill(ftBrush, this)), FFillGap(new TfrxFillGaps(this))
{
}

QString TfrxBand::GetBandName() const
{
    QString name = QString::fromLatin1(metaObject()->className());
    name.remove(QLatin1String("Tfrx"));
    name.remove(QLatin1String("Band"));
    return name;
}

int TfrxBand::BandNumber() const
{
    static const QMetaObject *const kinds[] = {
        &TfrxReportTitle::staticMetaObject,  &TfrxReportSummary::staticMetaObject, &TfrxPageHeader::staticMetaObject,
        &TfrxPageFooter::staticMetaObject,   &TfrxHeader::staticMetaObject,        &TfrxFooter::staticMetaObject,
        &TfrxMasterData::staticMetaObject,   &TfrxDetailData::staticMetaObject,    &TfrxSubdetailData::staticMetaObject,
        &TfrxDataBand4::staticMetaObject,    &TfrxDataBand5::staticMetaObject,     &TfrxDataBand6::staticMetaObject,
        &TfrxGroupHeader::staticMetaObject,  &TfrxGroupFooter::staticMetaObject,   &TfrxChild::staticMetaObject,
        &TfrxColumnHeader::staticMetaObject, &TfrxColumnFooter::staticMetaObject,  &TfrxOverlay::staticMetaObject,
    };
    int number = -1;
    for (int i = 0; i < int(std::size(kinds)); ++i) {
        if (metaObject()->inherits(kinds[i]))
            number = i;
    }
    return number;
}

QString TfrxBand::GetDescription() const
{
    return QStringLiteral("Band object");
}

TfrxFillType TfrxBand::FillType() const
{
    return zorGetFillType(FFill);
}

void TfrxBand::SetFillType(TfrxFillType value)
{
    if (value == FillType())
        return;
    delete FFill;
    FFill = zorCreateFill(value, this);
}

void TfrxBand::SetFill(TfrxCustomFill *value)
{
    if (value == nullptr || value == FFill)
        return;
    SetFillType(zorGetFillType(value));
    FFill->Assign(value);
}

void TfrxBand::SetFillGap(TfrxFillGaps *value)
{
    if (value != nullptr)
        FFillGap->Assign(value);
}

TfrxChild *TfrxBand::Child() const
{
    return FChild;
}

void TfrxBand::SetChild(TfrxChild *value)
{
    for (const TfrxBand *b = value; b != nullptr; b = b->Child()) {
        if (b == this)
            throw TfrxError(QStringLiteral("clCirRefNotAllow"),
                            QStringLiteral("Circular child reference is not allowed"));
    }
    FChild = value;
}

TfrxView *TfrxBand::CreateFillMemo()
{
    const auto *brush = qobject_cast<const TfrxBrushFill *>(FFill);
    const bool plain = brush != nullptr && brush->BackColor() == clTransparent
        && brush->ForeColor() == clTransparent && brush->Style() == bsSolid;
    if (qobject_cast<TfrxNullBand *>(this) != nullptr || plain)
        return nullptr;
    if (FFillMemo == nullptr) {
        FFillMemo = qobject_cast<TfrxView *>(TfrxClassRegistry::Instance().Create(QStringLiteral("TfrxMemoView"), this));
        if (FFillMemo == nullptr)
            return nullptr;
    }
    TfrxProperties::Write(FFillMemo, u"FillType", QVariant::fromValue(FillType()));
    TfrxProperties::Write(FFillMemo, u"Fill", QVariant::fromValue<QObject *>(FFill));
    // The fill keeps all four gaps to the band's edges.
    FFillMemo->SetBounds(FFillGap->Left(), FFillGap->Top(), Width() - FFillGap->Left() - FFillGap->Right(),
                         Height() - FFillGap->Top() - FFillGap->Bottom());
    MoveToIndex(FFillMemo, 0);
    return FFillMemo;
}

void TfrxBand::Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    if (!IsDesigning())
        return;
    const int x = Nearest(offsetX + scaleX * AbsLeft()), y = Nearest(offsetY + scaleY * AbsTop());
    const int x1 = Nearest(offsetX + scaleX * (AbsLeft() + Width()));
    const int y1 = Nearest(offsetY + scaleY * (AbsTop() + Height()));
    FFill->Draw(canvas, x, y, x1, y1, scaleX, scaleY);
}
