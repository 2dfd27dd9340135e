#include "TfrxPreviewBackdrop.h"

#include "TfrxReport.h"

#include <QFileInfo>

namespace {

TfrxPreviewBackdrop &current()
{
    static TfrxPreviewBackdrop backdrop;
    return backdrop;
}

} // namespace

bool TfrxPreviewBackdrop::AppliesTo(const TfrxReport &report) const
{
    return !IsNull() && !report.FileName().isEmpty() &&
           QFileInfo(report.FileName()).absoluteFilePath() == QFileInfo(FileName).absoluteFilePath();
}

const TfrxPreviewBackdrop &TfrxPreviewBackdrop::Current()
{
    return current();
}

void TfrxPreviewBackdrop::SetCurrent(const TfrxPreviewBackdrop &backdrop)
{
    current() = backdrop;
}
