#pragma once

// The band kinds other than data bands. Each class is its property table over TfrxBand: the
// kinds differ in what they publish and in how the engine places them.

#include "TfrxBand.h"

class TfrxChild : public TfrxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ AllowSplit WRITE SetAllowSplit)
    Q_PROPERTY(TfrxChild *Child READ Child WRITE SetChild)
    Q_PROPERTY(bool KeepChild READ KeepChild WRITE SetKeepChild)
    Q_PROPERTY(bool PrintChildIfInvisible READ PrintChildIfInvisible WRITE SetPrintChildIfInvisible)
    Q_PROPERTY(bool StartNewPage READ StartNewPage WRITE SetStartNewPage)
    Q_PROPERTY(bool Stretched READ Stretched WRITE SetStretched)

public:
    explicit TfrxChild(QObject *owner = nullptr);
};

class TfrxReportTitle : public TfrxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ AllowSplit WRITE SetAllowSplit)
    Q_PROPERTY(TfrxChild *Child READ Child WRITE SetChild)
    Q_PROPERTY(bool KeepChild READ KeepChild WRITE SetKeepChild)
    Q_PROPERTY(bool PrintChildIfInvisible READ PrintChildIfInvisible WRITE SetPrintChildIfInvisible)
    Q_PROPERTY(bool StartNewPage READ StartNewPage WRITE SetStartNewPage)
    Q_PROPERTY(bool Stretched READ Stretched WRITE SetStretched)

public:
    explicit TfrxReportTitle(QObject *owner = nullptr);
};

class TfrxReportSummary : public TfrxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ AllowSplit WRITE SetAllowSplit)
    Q_PROPERTY(TfrxChild *Child READ Child WRITE SetChild)
    Q_PROPERTY(bool KeepChild READ KeepChild WRITE SetKeepChild)
    Q_PROPERTY(bool PrintChildIfInvisible READ PrintChildIfInvisible WRITE SetPrintChildIfInvisible)
    Q_PROPERTY(bool StartNewPage READ StartNewPage WRITE SetStartNewPage)
    Q_PROPERTY(bool Stretched READ Stretched WRITE SetStretched)

public:
    explicit TfrxReportSummary(QObject *owner = nullptr);
};

class TfrxPageHeader : public TfrxBand
{
    Q_OBJECT
    Q_PROPERTY(TfrxChild *Child READ Child WRITE SetChild)
    Q_PROPERTY(bool PrintChildIfInvisible READ PrintChildIfInvisible WRITE SetPrintChildIfInvisible)
    Q_PROPERTY(bool PrintOnFirstPage READ PrintOnFirstPage WRITE SetPrintOnFirstPage)
    Q_PROPERTY(bool Stretched READ Stretched WRITE SetStretched)
    Q_CLASSINFO("Default.PrintOnFirstPage", "True")

public:
    explicit TfrxPageHeader(QObject *owner = nullptr);
    bool PrintOnFirstPage() const { return FPrintOnFirstPage; }
    void SetPrintOnFirstPage(bool value) { FPrintOnFirstPage = value; }

private:
    bool FPrintOnFirstPage = true;
};

class TfrxPageFooter : public TfrxBand
{
    Q_OBJECT
    Q_PROPERTY(bool PrintOnFirstPage READ PrintOnFirstPage WRITE SetPrintOnFirstPage)
    Q_PROPERTY(bool PrintOnLastPage READ PrintOnLastPage WRITE SetPrintOnLastPage)
    Q_CLASSINFO("Default.PrintOnFirstPage", "True")
    Q_CLASSINFO("Default.PrintOnLastPage", "True")

public:
    explicit TfrxPageFooter(QObject *owner = nullptr);
    bool PrintOnFirstPage() const { return FPrintOnFirstPage; }
    void SetPrintOnFirstPage(bool value) { FPrintOnFirstPage = value; }
    bool PrintOnLastPage() const { return FPrintOnLastPage; }
    void SetPrintOnLastPage(bool value) { FPrintOnLastPage = value; }

private:
    bool FPrintOnFirstPage = true;
    bool FPrintOnLastPage = true;
};

class TfrxHeader : public TfrxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ AllowSplit WRITE SetAllowSplit)
    Q_PROPERTY(TfrxChild *Child READ Child WRITE SetChild)
    Q_PROPERTY(bool KeepChild READ KeepChild WRITE SetKeepChild)
    Q_PROPERTY(bool PrintChildIfInvisible READ PrintChildIfInvisible WRITE SetPrintChildIfInvisible)
    Q_PROPERTY(bool ReprintOnNewPage READ ReprintOnNewPage WRITE SetReprintOnNewPage)
    Q_PROPERTY(bool StartNewPage READ StartNewPage WRITE SetStartNewPage)
    Q_PROPERTY(bool Stretched READ Stretched WRITE SetStretched)

public:
    explicit TfrxHeader(QObject *owner = nullptr);
};

class TfrxFooter : public TfrxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ AllowSplit WRITE SetAllowSplit)
    Q_PROPERTY(TfrxChild *Child READ Child WRITE SetChild)
    Q_PROPERTY(bool KeepChild READ KeepChild WRITE SetKeepChild)
    Q_PROPERTY(bool PrintChildIfInvisible READ PrintChildIfInvisible WRITE SetPrintChildIfInvisible)
    Q_PROPERTY(bool Stretched READ Stretched WRITE SetStretched)

public:
    explicit TfrxFooter(QObject *owner = nullptr);
};

class TfrxGroupHeader : public TfrxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ AllowSplit WRITE SetAllowSplit)
    Q_PROPERTY(TfrxChild *Child READ Child WRITE SetChild)
    Q_PROPERTY(QString Condition READ Condition WRITE SetCondition)
    Q_PROPERTY(bool DrillDown READ DrillDown WRITE SetDrillDown)
    Q_PROPERTY(bool ExpandDrillDown READ ExpandDrillDown WRITE SetExpandDrillDown)
    Q_PROPERTY(bool KeepChild READ KeepChild WRITE SetKeepChild)
    Q_PROPERTY(bool KeepTogether READ KeepTogether WRITE SetKeepTogether)
    Q_PROPERTY(bool ReprintOnNewPage READ ReprintOnNewPage WRITE SetReprintOnNewPage)
    Q_PROPERTY(QString OutlineText READ OutlineText WRITE SetOutlineText)
    Q_PROPERTY(bool PrintChildIfInvisible READ PrintChildIfInvisible WRITE SetPrintChildIfInvisible)
    Q_PROPERTY(bool ResetPageNumbers READ ResetPageNumbers WRITE SetResetPageNumbers)
    Q_PROPERTY(bool ShowFooterIfDrillDown READ ShowFooterIfDrillDown WRITE SetShowFooterIfDrillDown)
    Q_PROPERTY(bool ShowChildIfDrillDown READ ShowChildIfDrillDown WRITE SetShowChildIfDrillDown)
    Q_PROPERTY(bool StartNewPage READ StartNewPage WRITE SetStartNewPage)
    Q_PROPERTY(bool Stretched READ Stretched WRITE SetStretched)
    Q_PROPERTY(QString DrillName READ DrillName WRITE SetDrillName)
    Q_CLASSINFO("Default.DrillDown", "False")
    Q_CLASSINFO("Default.ExpandDrillDown", "False")
    Q_CLASSINFO("Default.ShowFooterIfDrillDown", "False")
    Q_CLASSINFO("Default.ShowChildIfDrillDown", "False")

public:
    explicit TfrxGroupHeader(QObject *owner = nullptr);
    QString Condition() const { return FCondition; }
    void SetCondition(const QString &value) { FCondition = value; }
    bool DrillDown() const { return FDrillDown; }
    void SetDrillDown(bool value) { FDrillDown = value; }
    bool ExpandDrillDown() const { return FExpandDrillDown; }
    void SetExpandDrillDown(bool value) { FExpandDrillDown = value; }
    bool ShowFooterIfDrillDown() const { return FShowFooterIfDrillDown; }
    void SetShowFooterIfDrillDown(bool value) { FShowFooterIfDrillDown = value; }
    bool ShowChildIfDrillDown() const { return FShowChildIfDrillDown; }
    void SetShowChildIfDrillDown(bool value) { FShowChildIfDrillDown = value; }
    QString DrillName() const { return FDrillName; }
    void SetDrillName(const QString &value) { FDrillName = value; }
    QString Diff(const TfrxComponent *other) const override;

private:
    QString FCondition;
    bool FDrillDown = false;
    bool FExpandDrillDown = false;
    bool FShowFooterIfDrillDown = false;
    bool FShowChildIfDrillDown = false;
    QString FDrillName;
};

class TfrxGroupFooter : public TfrxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ AllowSplit WRITE SetAllowSplit)
    Q_PROPERTY(TfrxChild *Child READ Child WRITE SetChild)
    Q_PROPERTY(bool HideIfSingleDataRecord READ HideIfSingleDataRecord WRITE SetHideIfSingleDataRecord)
    Q_PROPERTY(bool KeepChild READ KeepChild WRITE SetKeepChild)
    Q_PROPERTY(bool PrintChildIfInvisible READ PrintChildIfInvisible WRITE SetPrintChildIfInvisible)
    Q_PROPERTY(bool Stretched READ Stretched WRITE SetStretched)
    Q_CLASSINFO("Default.HideIfSingleDataRecord", "False")

public:
    explicit TfrxGroupFooter(QObject *owner = nullptr);
    bool HideIfSingleDataRecord() const { return FHideIfSingleDataRecord; }
    void SetHideIfSingleDataRecord(bool value) { FHideIfSingleDataRecord = value; }

private:
    bool FHideIfSingleDataRecord = false;
};

class TfrxColumnHeader : public TfrxBand
{
    Q_OBJECT
    Q_PROPERTY(TfrxChild *Child READ Child WRITE SetChild)
    Q_PROPERTY(bool Stretched READ Stretched WRITE SetStretched)

public:
    explicit TfrxColumnHeader(QObject *owner = nullptr);
};

class TfrxColumnFooter : public TfrxBand
{
    Q_OBJECT

public:
    explicit TfrxColumnFooter(QObject *owner = nullptr);
};

class TfrxOverlay : public TfrxBand
{
    Q_OBJECT
    Q_PROPERTY(bool PrintOnTop READ PrintOnTop WRITE SetPrintOnTop)
    Q_CLASSINFO("Default.PrintOnTop", "False")

public:
    explicit TfrxOverlay(QObject *owner = nullptr);
    bool PrintOnTop() const { return FPrintOnTop; }
    void SetPrintOnTop(bool value) { FPrintOnTop = value; }

private:
    bool FPrintOnTop = false;
};

// The temporary band the engine builds for objects placed straight on a page.
class TfrxNullBand : public TfrxBand
{
    Q_OBJECT

public:
    explicit TfrxNullBand(QObject *owner = nullptr);
};
