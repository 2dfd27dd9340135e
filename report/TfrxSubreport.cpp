#include "TfrxSubreport.h"

#include "TfrxFont.h"
#include "TfrxFrame.h"
#include "TfrxReportPage.h"

#include <QPainter>

using namespace zor;

TfrxSubreport::TfrxSubreport(QObject *owner) : TfrxView(owner)
{
    SetComponentStyle(ComponentStyle() & ~TfrxComponentStyle(csPreviewVisible));
    Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    Font()->SetName(QStringLiteral("Tahoma"));
    Font()->SetSize(8);
    SetColor(clSilver);
}

TfrxSubreport::~TfrxSubreport()
{
    if (FPage != nullptr)
        FPage->SetSubReport(nullptr);
}

QString TfrxSubreport::GetDescription() const
{
    return QStringLiteral("Subreport object");
}

TfrxReportPage *TfrxSubreport::Page() const
{
    return FPage;
}

void TfrxSubreport::SetPage(TfrxReportPage *value)
{
    if (FPage != nullptr && FPage != value)
        FPage->SetSubReport(nullptr);
    FPage = value;
    if (FPage != nullptr)
        FPage->SetSubReport(this);
}

void TfrxSubreport::DrawContent()
{
    FCanvas->save();
    QFont font = Font()->ToQFont();
    font.setPixelSize(std::max(1, Nearest(std::abs(Font()->Height()) * FScaleY)));
    FCanvas->setFont(font);
    FCanvas->setPen(ToQColor(Font()->Color()));
    FCanvas->drawText(QRect(FX + 2, FY + 2, FDX, FDY), Qt::AlignLeft | Qt::AlignTop, Name());
    FCanvas->restore();
}
