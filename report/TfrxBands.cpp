#include "TfrxBands.h"

TfrxChild::TfrxChild(QObject *owner) : TfrxBand(owner) {}
TfrxReportTitle::TfrxReportTitle(QObject *owner) : TfrxBand(owner) {}
TfrxReportSummary::TfrxReportSummary(QObject *owner) : TfrxBand(owner) {}
TfrxPageHeader::TfrxPageHeader(QObject *owner) : TfrxBand(owner) {}
TfrxPageFooter::TfrxPageFooter(QObject *owner) : TfrxBand(owner) {}
TfrxHeader::TfrxHeader(QObject *owner) : TfrxBand(owner) {}
TfrxFooter::TfrxFooter(QObject *owner) : TfrxBand(owner) {}
TfrxGroupHeader::TfrxGroupHeader(QObject *owner) : TfrxBand(owner) {}
TfrxGroupFooter::TfrxGroupFooter(QObject *owner) : TfrxBand(owner) {}
TfrxColumnHeader::TfrxColumnHeader(QObject *owner) : TfrxBand(owner) {}
TfrxColumnFooter::TfrxColumnFooter(QObject *owner) : TfrxBand(owner) {}
TfrxOverlay::TfrxOverlay(QObject *owner) : TfrxBand(owner) {}
TfrxNullBand::TfrxNullBand(QObject *owner) : TfrxBand(owner) {}

QString TfrxGroupHeader::Diff(const TfrxComponent *other) const
{
    QString s = TfrxBand::Diff(other);
    if (FDrillDown)
        s += QStringLiteral(" DrillName=\"%1\"").arg(zor::EscapeAttr(FDrillName));
    return s;
}
