#pragma once

#include "zorTypes.h"

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QString>

class QPainter;

// A paper or a paper source of a printer: its name and its platform number.
struct TfrxPrinterItem
{
    QString name;
    int number;

    bool operator==(const TfrxPrinterItem &) const = default;
};

// One printer model over the platform's printing service: papers and sources, resolution, paper
// size and unprintable margins in millimetres, and the print job operations.
class TfrxCustomPrinter
{
public:
    static constexpr int defaultBin = 7;    // "Default" source
    static constexpr int customPaper = 256; // a size given in millimetres
    static constexpr int none = -1;

    TfrxCustomPrinter(const QString &name, const QString &port);
    virtual ~TfrxCustomPrinter();
    TfrxCustomPrinter(const TfrxCustomPrinter &) = delete;
    TfrxCustomPrinter &operator=(const TfrxCustomPrinter &) = delete;

    virtual void Init() = 0;
    virtual void Abort() = 0;
    // The job operations report failure instead of leaving the caller to print into nothing.
    virtual bool BeginDoc() = 0;
    virtual bool BeginPage() = 0;
    virtual bool BeginRAWDoc() = 0;
    virtual bool EndDoc() = 0;
    virtual void EndPage() = 0;
    virtual bool EndRAWDoc() = 0;
    virtual bool WriteRAWDoc(const QByteArray &buffer) = 0;
    virtual void SetViewParams(int paperSize, double paperWidth, double paperHeight,
                               zor::TPrinterOrientation orientation) = 0;
    virtual void SetPrintParams(int paperSize, double paperWidth, double paperHeight,
                                zor::TPrinterOrientation orientation, int bin, int duplex, int copies) = 0;
    virtual bool PropertiesDlg() = 0;
    // Forgets the source and duplex mode chosen in the printer's own dialog.
    virtual void ResetJobChoices()
    {
        FBin = none;
        FDuplex = none;
    }
    // The drawing surface of the open job, with its origin at the printable area's corner;
    // nothing outside a job.
    virtual QPainter *Canvas() const { return nullptr; }
    // Where the printable area begins on the paper, in device pixels (the unprintable margins
    // before rounding to millimetres).
    virtual QPoint PhysicalOffset() const { return {}; }

    // Position of the entry with that number, -1 when absent.
    int BinIndex(int bin) const;
    int PaperIndex(int paper) const;
    // Number of the entry with that name, or of the first entry ("Default" 7, "Custom" 256).
    int BinNameToNumber(const QString &name) const;
    int PaperNameToNumber(const QString &name) const;

    QString Name() const { return FName; }
    QString Port() const { return FPort; }
    QString Title() const { return FTitle; }
    void setTitle(const QString &title) { FTitle = title; }
    QString FileName() const { return FFileName; }
    void setFileName(const QString &fileName) { FFileName = fileName; }
    const QList<TfrxPrinterItem> &Bins() const { return FBins; }
    const QList<TfrxPrinterItem> &Papers() const { return FPapers; }
    int Bin() const { return FBin; }
    int Duplex() const { return FDuplex; }
    int DefBin() const { return FDefBin; }
    int DefDuplex() const { return FDefDuplex; }
    int DefPaper() const { return FDefPaper; }
    double DefPaperWidth() const { return FDefPaperWidth; }
    double DefPaperHeight() const { return FDefPaperHeight; }
    zor::TPrinterOrientation DefOrientation() const { return FDefOrientation; }
    zor::TPrinterOrientation Orientation() const { return FOrientation; }
    QPointF DPI() const { return FDPI; }
    int Paper() const { return FPaper; }
    double PaperWidth() const { return FPaperWidth; }
    double PaperHeight() const { return FPaperHeight; }
    double LeftMargin() const { return FLeftMargin; }
    double TopMargin() const { return FTopMargin; }
    double RightMargin() const { return FRightMargin; }
    double BottomMargin() const { return FBottomMargin; }
    bool Initialized() const { return FInitialized; }
    bool Printing() const { return FPrinting; }

protected:
    // Starts the lists with their fixed first entries, "Default" and "Custom".
    void resetLists();

    QString FName;
    QString FPort;
    QString FTitle;
    QString FFileName;
    QList<TfrxPrinterItem> FBins;
    QList<TfrxPrinterItem> FPapers;
    int FBin = none;
    int FDuplex = none;
    int FDefBin = defaultBin;
    int FDefDuplex = 1;
    int FDefPaper = 9;
    double FDefPaperWidth = 210;
    double FDefPaperHeight = 297;
    zor::TPrinterOrientation FDefOrientation = zor::poPortrait;
    zor::TPrinterOrientation FOrientation = zor::poPortrait;
    QPointF FDPI;
    int FPaper = 9;
    double FPaperWidth = 210;
    double FPaperHeight = 297;
    double FLeftMargin = 0;
    double FTopMargin = 0;
    double FRightMargin = 0;
    double FBottomMargin = 0;
    bool FInitialized = false;
    bool FPrinting = false;
};
