#include "TfrxReportOptions.h"

#include <QDateTime>

using namespace zor;

namespace {

template <class T>
const T *sameClass(const TfrxPersistent *source, const T *target)
{
    const auto *other = qobject_cast<const T *>(source);
    return other != target ? other : nullptr;
}

}  // namespace

TfrxEngineOptions::TfrxEngineOptions(QObject *parent) : TfrxPersistent(parent) {}

void TfrxEngineOptions::Assign(const TfrxPersistent *source)
{
    TfrxPersistent::Assign(source);
    if (const auto *other = sameClass(source, this)) {
        EnableThreadSafe = other->EnableThreadSafe;
        UseGlobalDataSetList = other->UseGlobalDataSetList;
        DestroyForms = other->DestroyForms;
    }
}

void TfrxEngineOptions::Clear()
{
    ConvertNulls = true;
    IgnoreDevByZero = false;
    DoublePass = false;
}

TfrxPreviewOptions::TfrxPreviewOptions(QObject *parent) : TfrxPersistent(parent) {}

void TfrxPreviewOptions::Clear()
{
    OutlineExpand = true;
    OutlineVisible = false;
    OutlineWidth = 120;
    PagesInCache = 50;
    ThumbnailVisible = false;
}

// "Default" is the string table's text for the system's default printer; the object model sits
// below the string table, so the English text stands here and printing compares against both.
TfrxPrintOptions::TfrxPrintOptions(QObject *parent)
    : TfrxPersistent(parent), Printer(QStringLiteral("Default"))
{
}

void TfrxPrintOptions::Assign(const TfrxPersistent *source)
{
    TfrxPersistent::Assign(source);
    if (const auto *other = sameClass(source, this)) {
        PagesOnSheet = other->PagesOnSheet;
        SplicingLine = other->SplicingLine;
        Duplex = other->Duplex;
        PrnOutFileName = other->PrnOutFileName;
    }
}

void TfrxPrintOptions::Clear()
{
    const TfrxPrintOptions fresh;
    Assign(&fresh);
    SwapPageSize = false;
}

TfrxReportOptions::TfrxReportOptions(QObject *parent) : TfrxPersistent(parent)
{
    CreateDate = LastChange = Now();
}

void TfrxReportOptions::Clear()
{
    Compressed = false;
    Description.clear();
    CreateDate = LastChange = Now();
}

double TfrxReportOptions::Now()
{
    // Whole days by the calendar, so a change of daylight-saving time does not shift the value.
    const QDateTime now = QDateTime::currentDateTime();
    return static_cast<double>(QDate(1899, 12, 30).daysTo(now.date()))
           + now.time().msecsSinceStartOfDay() / 86400000.0;
}
