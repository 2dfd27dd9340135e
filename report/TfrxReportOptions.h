#pragma once

#include "TfrxPersistent.h"
#include "zorTypes.h"

#include <QStringList>

// How preparation runs: null handling, passes, the memory budget of prepared pages and how errors
// reach the user.
class TfrxEngineOptions : public TfrxPersistent
{
    Q_OBJECT
    Q_PROPERTY(bool ConvertNulls MEMBER ConvertNulls)
    Q_PROPERTY(bool DoublePass MEMBER DoublePass)
    Q_PROPERTY(int MaxMemSize MEMBER MaxMemSize)
    Q_PROPERTY(bool PrintIfEmpty MEMBER PrintIfEmpty)
    Q_PROPERTY(bool SilentMode READ SilentMode WRITE SetSilentMode STORED false)
    Q_PROPERTY(zor::TfrxSilentMode NewSilentMode MEMBER NewSilentMode)
    Q_PROPERTY(QString TempDir MEMBER TempDir)
    Q_PROPERTY(bool UseFileCache MEMBER UseFileCache)
    Q_PROPERTY(bool IgnoreDevByZero MEMBER IgnoreDevByZero)
    Q_CLASSINFO("Default.ConvertNulls", "True")
    Q_CLASSINFO("Default.DoublePass", "False")
    Q_CLASSINFO("Default.MaxMemSize", "10")
    Q_CLASSINFO("Default.PrintIfEmpty", "True")
    Q_CLASSINFO("Default.NewSilentMode", "simMessageBoxes")
    Q_CLASSINFO("Default.UseFileCache", "False")
    Q_CLASSINFO("Default.IgnoreDevByZero", "False")

public:
    explicit TfrxEngineOptions(QObject *parent = nullptr);

    bool ConvertNulls = true;
    bool DoublePass = false;
    int MaxMemSize = 10; // megabytes of prepared pages kept in memory
    bool PrintIfEmpty = true;
    zor::TfrxSilentMode NewSilentMode = zor::simMessageBoxes;
    QString TempDir;
    bool UseFileCache = false;
    bool IgnoreDevByZero = false;
    bool EnableThreadSafe = false;
    bool UseGlobalDataSetList = true;
    bool DestroyForms = true;

    // The two-state view of NewSilentMode kept for older templates.
    bool SilentMode() const { return NewSilentMode == zor::simSilent; }
    void SetSilentMode(bool value) { NewSilentMode = value ? zor::simSilent : zor::simMessageBoxes; }

    void Assign(const TfrxPersistent *source) override;
    // What clearing a report resets; the rest is the host's choice and survives.
    void Clear();
};

// How the preview window looks and behaves.
class TfrxPreviewOptions : public TfrxPersistent
{
    Q_OBJECT
    Q_PROPERTY(bool AllowEdit MEMBER AllowEdit)
    Q_PROPERTY(zor::TfrxPreviewButtons Buttons MEMBER Buttons)
    Q_PROPERTY(bool DoubleBuffered MEMBER DoubleBuffered)
    Q_PROPERTY(bool Maximized MEMBER Maximized)
    Q_PROPERTY(bool MDIChild MEMBER MDIChild)
    Q_PROPERTY(bool Modal MEMBER Modal)
    Q_PROPERTY(bool OutlineExpand MEMBER OutlineExpand)
    Q_PROPERTY(bool OutlineVisible MEMBER OutlineVisible)
    Q_PROPERTY(int OutlineWidth MEMBER OutlineWidth)
    Q_PROPERTY(int PagesInCache MEMBER PagesInCache)
    Q_PROPERTY(bool ThumbnailVisible MEMBER ThumbnailVisible)
    Q_PROPERTY(bool ShowCaptions MEMBER ShowCaptions)
    Q_PROPERTY(double Zoom MEMBER Zoom)
    Q_PROPERTY(zor::TfrxZoomMode ZoomMode MEMBER ZoomMode)
    Q_PROPERTY(bool PictureCacheInFile MEMBER PictureCacheInFile)
    Q_CLASSINFO("Default.AllowEdit", "True")
    Q_CLASSINFO("Default.Buttons", "4095")
    Q_CLASSINFO("Default.DoubleBuffered", "True")
    Q_CLASSINFO("Default.Maximized", "True")
    Q_CLASSINFO("Default.MDIChild", "False")
    Q_CLASSINFO("Default.Modal", "True")
    Q_CLASSINFO("Default.OutlineExpand", "True")
    Q_CLASSINFO("Default.OutlineVisible", "False")
    Q_CLASSINFO("Default.OutlineWidth", "120")
    Q_CLASSINFO("Default.PagesInCache", "50")
    Q_CLASSINFO("Default.ThumbnailVisible", "False")
    Q_CLASSINFO("Default.ShowCaptions", "False")
    Q_CLASSINFO("Default.ZoomMode", "zmDefault")
    Q_CLASSINFO("Default.PictureCacheInFile", "False")

public:
    explicit TfrxPreviewOptions(QObject *parent = nullptr);

    static constexpr zor::TfrxPreviewButtons DefaultButtons{0xFFF};

    bool AllowEdit = true;
    zor::TfrxPreviewButtons Buttons = DefaultButtons;
    bool DoubleBuffered = true;
    bool Maximized = true;
    bool MDIChild = false;
    bool Modal = true;
    bool OutlineExpand = true;
    bool OutlineVisible = false;
    int OutlineWidth = 120;
    int PagesInCache = 50;
    bool ThumbnailVisible = false;
    bool ShowCaptions = false;
    double Zoom = 1;
    zor::TfrxZoomMode ZoomMode = zor::zmDefault;
    bool PictureCacheInFile = false;

    // Resets the outline, page cache and thumbnail values.
    void Clear();
};

// What and how to print: the printer, pages, copies and the sheet modes.
class TfrxPrintOptions : public TfrxPersistent
{
    Q_OBJECT
    Q_PROPERTY(int Copies MEMBER Copies)
    Q_PROPERTY(bool Collate MEMBER Collate)
    Q_PROPERTY(QString PageNumbers MEMBER PageNumbers)
    Q_PROPERTY(QString Printer MEMBER Printer)
    Q_PROPERTY(zor::TfrxPrintMode PrintMode MEMBER PrintMode)
    Q_PROPERTY(int PrintOnSheet MEMBER PrintOnSheet)
    Q_PROPERTY(zor::TfrxPrintPages PrintPages MEMBER PrintPages)
    Q_PROPERTY(bool Reverse MEMBER Reverse)
    Q_PROPERTY(bool ShowDialog MEMBER ShowDialog)
    Q_PROPERTY(bool SwapPageSize MEMBER SwapPageSize STORED false)
    Q_CLASSINFO("Default.Copies", "1")
    Q_CLASSINFO("Default.Collate", "True")
    Q_CLASSINFO("Default.Printer", "Default")
    Q_CLASSINFO("Default.PrintMode", "pmDefault")
    Q_CLASSINFO("Default.PrintOnSheet", "0")
    Q_CLASSINFO("Default.PrintPages", "ppAll")
    Q_CLASSINFO("Default.Reverse", "False")
    Q_CLASSINFO("Default.ShowDialog", "True")

public:
    explicit TfrxPrintOptions(QObject *parent = nullptr);

    int Copies = 1;
    bool Collate = true;
    QString PageNumbers;   // empty: all pages
    QString Printer;       // the string table's "Default": the system's default printer
    zor::TfrxPrintMode PrintMode = zor::pmDefault;
    int PrintOnSheet = 0;
    zor::TfrxPrintPages PrintPages = zor::ppAll;
    bool Reverse = false;
    bool ShowDialog = true;
    bool SwapPageSize = false;
    int PagesOnSheet = 0;
    int SplicingLine = 3;
    zor::TfrxDuplexMode Duplex = zor::dmNone;
    // Where "Print to file" writes for one print; empty prints to the printer.
    QString PrnOutFileName;

    void Assign(const TfrxPersistent *source) override;
    // Back to the values of a new report.
    void Clear();
};

// Who made the template and what it is; the password guards opening it.
class TfrxReportOptions : public TfrxPersistent
{
    Q_OBJECT
    Q_PROPERTY(QString Author MEMBER Author)
    Q_PROPERTY(bool Compressed MEMBER Compressed)
    Q_PROPERTY(QString ConnectionName MEMBER ConnectionName)
    Q_PROPERTY(double CreateDate MEMBER CreateDate)
    Q_PROPERTY(QStringList Description MEMBER Description)
    Q_PROPERTY(QString InitString MEMBER InitString)
    Q_PROPERTY(QString Name MEMBER Name)
    Q_PROPERTY(double LastChange MEMBER LastChange)
    Q_PROPERTY(QString Password MEMBER Password)
    Q_PROPERTY(QString VersionBuild MEMBER VersionBuild)
    Q_PROPERTY(QString VersionMajor MEMBER VersionMajor)
    Q_PROPERTY(QString VersionMinor MEMBER VersionMinor)
    Q_PROPERTY(QString VersionRelease MEMBER VersionRelease)
    Q_CLASSINFO("Default.Compressed", "False")

public:
    explicit TfrxReportOptions(QObject *parent = nullptr);

    QString Author;
    bool Compressed = false; // no compressor is registered, so it changes nothing
    QString ConnectionName;
    double CreateDate = 0;   // date-time: days since 1899-12-30
    QStringList Description;
    QString InitString;
    QString Name;
    double LastChange = 0;
    QString Password;
    QString VersionBuild, VersionMajor, VersionMinor, VersionRelease;

    // Resets Compressed, the description and both dates (to now).
    void Clear();
    // The current moment as a date-time value.
    static double Now();
};
