#include "TfrxBandEditors.h"

#include "TfrxBands.h"
#include "TfrxCustomDesigner.h"
#include "TfrxDataBand.h"
#include "zorEditorDialogs.h"

namespace {

constexpr int ResetPageNumbersTag = 3;

TfrxMenuSwitch StretchSwitch()
{
    return zorHorizontalOnly(
        zorFlagSwitch<TfrxBand>("mvStretch", 10, &TfrxBand::Stretched, &TfrxBand::SetStretched));
}

} // namespace

QList<TfrxMenuSwitch> TfrxBandEditor::BandSwitches() const
{
    if (Designer().SelectedObjects().size() > 1)
        return {};
    const QMetaObject *pageHeader = &TfrxPageHeader::staticMetaObject;
    const QMetaObject *pageFooter = &TfrxPageFooter::staticMetaObject;
    const QMetaObject *columnHeader = &TfrxColumnHeader::staticMetaObject;
    const QMetaObject *columnFooter = &TfrxColumnFooter::staticMetaObject;
    return {
        StretchSwitch(),
        zorHorizontalOnly(zorFlagSwitch<TfrxBand>("bvSplit", 11, &TfrxBand::AllowSplit,
                                                  &TfrxBand::SetAllowSplit,
                                                  {pageHeader, pageFooter, columnHeader, columnFooter})),
        zorHorizontalOnly(zorFlagSwitch<TfrxBand>("bvKeepChild", 12, &TfrxBand::KeepChild,
                                                  &TfrxBand::SetKeepChild, {pageHeader, columnHeader})),
        zorFlagSwitch<TfrxBand>("bvPrintChild", 13, &TfrxBand::PrintChildIfInvisible,
                                &TfrxBand::SetPrintChildIfInvisible),
        zorFlagSwitch<TfrxBand>("bvStartPage", 14, &TfrxBand::StartNewPage, &TfrxBand::SetStartNewPage,
                                {pageHeader, pageFooter, &TfrxFooter::staticMetaObject,
                                 &TfrxGroupFooter::staticMetaObject, columnHeader, columnFooter}),
    };
}

// ---- data bands ----

bool TfrxDataBandEditor::Edit()
{
    return zorEditDataBand(Designer(), qobject_cast<TfrxDataBand *>(Component()));
}

QList<TfrxMenuSwitch> TfrxDataBandEditor::Switches() const
{
    using Data = TfrxDataBand;
    return BandSwitches() +
           QList<TfrxMenuSwitch>{
               zorFlagSwitch<Data>("bvPrintIfEmpty", 0, &Data::PrintIfDetailEmpty,
                                   &Data::SetPrintIfDetailEmpty),
               zorFlagSwitch<Data>("bvFooterAfterEach", 1, &Data::FooterAfterEach, &Data::SetFooterAfterEach),
               zorHorizontalOnly(
                   zorFlagSwitch<Data>("bvKeepDetail", 2, &Data::KeepTogether, &Data::SetKeepTogether)),
               zorHorizontalOnly(
                   zorFlagSwitch<Data>("bvKeepFooter", 3, &Data::KeepFooter, &Data::SetKeepFooter)),
               zorHorizontalOnly(
                   zorFlagSwitch<Data>("bvKeepHeader", 4, &Data::KeepHeader, &Data::SetKeepHeader)),
           };
}

// ---- headers and footers ----

QList<TfrxMenuSwitch> TfrxHeaderEditor::Switches() const
{
    return BandSwitches() + QList<TfrxMenuSwitch>{zorFlagSwitch<TfrxHeader>(
                                "bvReprint", 0, &TfrxBand::ReprintOnNewPage, &TfrxBand::SetReprintOnNewPage)};
}

QList<TfrxMenuSwitch> TfrxPageHeaderEditor::Switches() const
{
    using Header = TfrxPageHeader;
    return BandSwitches() + QList<TfrxMenuSwitch>{zorFlagSwitch<Header>(
                                "bvOnFirst", 0, &Header::PrintOnFirstPage, &Header::SetPrintOnFirstPage)};
}

QList<TfrxMenuSwitch> TfrxPageFooterEditor::Switches() const
{
    using Footer = TfrxPageFooter;
    return {
        zorFlagSwitch<Footer>("bvOnFirst", 0, &Footer::PrintOnFirstPage, &Footer::SetPrintOnFirstPage),
        zorFlagSwitch<Footer>("bvOnLast", 1, &Footer::PrintOnLastPage, &Footer::SetPrintOnLastPage),
    };
}

QList<TfrxMenuSwitch> TfrxColumnHeaderEditor::Switches() const
{
    return {StretchSwitch()};
}

// ---- group headers ----

bool TfrxGroupHeaderEditor::Edit()
{
    return zorEditGroup(Designer(), qobject_cast<TfrxGroupHeader *>(Component()));
}

QList<TfrxMenuSwitch> TfrxGroupHeaderEditor::Switches() const
{
    using Group = TfrxGroupHeader;
    return BandSwitches() +
           QList<TfrxMenuSwitch>{
               zorFlagSwitch<Group>("bvKeepGroup", 0, &TfrxBand::KeepTogether, &TfrxBand::SetKeepTogether),
               zorFlagSwitch<Group>("bvReprint", 1, &TfrxBand::ReprintOnNewPage,
                                    &TfrxBand::SetReprintOnNewPage),
               zorFlagSwitch<Group>("bvDrillDown", 2, &Group::DrillDown, &Group::SetDrillDown),
               zorFlagSwitch<Group>("bvResetPageNo", ResetPageNumbersTag, &TfrxBand::ResetPageNumbers,
                                    &TfrxBand::SetResetPageNumbers),
           };
}

bool TfrxGroupHeaderEditor::Execute(int tag, bool checked)
{
    bool changed = TfrxBandEditor::Execute(tag, checked);
    auto *band = qobject_cast<TfrxBand *>(Component());
    if (tag == ResetPageNumbersTag && checked && !band->Restrictions().testFlag(zor::rfDontModify) &&
        !band->StartNewPage()) {
        band->SetStartNewPage(true);
        changed = true;
    }
    return changed;
}
