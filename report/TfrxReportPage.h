#pragma once

#include "TfrxPage.h"

#include <QImage>
#include <QPointer>
#include <QStringList>

class QPainter;
class TfrxBand;
class TfrxDataSet;
class TfrxFrame;
class TfrxPictureView;
class TfrxSubreport;

// A printable page: paper in millimetres, orientation, margins, columns, bins, duplex, the
// background picture and frame, and the flags the preparation engine reads. Width and Height
// follow the paper size in report units.
class TfrxReportPage : public TfrxPage
{
    Q_OBJECT
    Q_PROPERTY(zor::TPrinterOrientation Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(double PaperWidth READ PaperWidth WRITE SetPaperWidth)
    Q_PROPERTY(double PaperHeight READ PaperHeight WRITE SetPaperHeight)
    Q_PROPERTY(int PaperSize READ PaperSize WRITE SetPaperSize)
    Q_PROPERTY(double LeftMargin READ LeftMargin WRITE SetLeftMargin)
    Q_PROPERTY(double RightMargin READ RightMargin WRITE SetRightMargin)
    Q_PROPERTY(double TopMargin READ TopMargin WRITE SetTopMargin)
    Q_PROPERTY(double BottomMargin READ BottomMargin WRITE SetBottomMargin)
    Q_PROPERTY(bool MirrorMargins READ MirrorMargins WRITE SetMirrorMargins)
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    Q_PROPERTY(double ColumnWidth READ ColumnWidth WRITE SetColumnWidth)
    Q_PROPERTY(QStringList ColumnPositions READ ColumnPositions WRITE SetColumnPositions)
    Q_PROPERTY(int Bin READ Bin WRITE SetBin)
    Q_PROPERTY(int BinOtherPages READ BinOtherPages WRITE SetBinOtherPages)
    Q_PROPERTY(QImage BackPicture READ BackPicture WRITE SetBackPicture STORED false)
    Q_PROPERTY(bool BackPictureVisible READ BackPictureVisible WRITE SetBackPictureVisible)
    Q_PROPERTY(bool BackPicturePrintable READ BackPicturePrintable WRITE SetBackPicturePrintable)
    Q_PROPERTY(int PageCount READ PageCount WRITE SetPageCount)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TfrxDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataSetName READ DataSetName WRITE SetDataSetName)
    Q_PROPERTY(zor::TfrxDuplexMode Duplex READ Duplex WRITE SetDuplex)
    Q_PROPERTY(TfrxFrame *Frame READ Frame WRITE SetFrame)
    Q_PROPERTY(bool EndlessHeight READ EndlessHeight WRITE SetEndlessHeight)
    Q_PROPERTY(bool EndlessWidth READ EndlessWidth WRITE SetEndlessWidth)
    Q_PROPERTY(bool LargeDesignHeight READ LargeDesignHeight WRITE SetLargeDesignHeight)
    Q_PROPERTY(QString OutlineText READ OutlineText WRITE SetOutlineText)
    Q_PROPERTY(bool PrintIfEmpty READ PrintIfEmpty WRITE SetPrintIfEmpty)
    Q_PROPERTY(bool PrintOnPreviousPage READ PrintOnPreviousPage WRITE SetPrintOnPreviousPage)
    Q_PROPERTY(bool ResetPageNumbers READ ResetPageNumbers WRITE SetResetPageNumbers)
    Q_PROPERTY(bool TitleBeforeHeader READ TitleBeforeHeader WRITE SetTitleBeforeHeader)
    Q_PROPERTY(QStringList HGuides READ HGuides WRITE SetHGuides)
    Q_PROPERTY(QStringList VGuides READ VGuides WRITE SetVGuides)
    Q_PROPERTY(QString OnAfterPrint READ OnAfterPrint WRITE SetOnAfterPrint)
    Q_PROPERTY(QString OnBeforePrint READ OnBeforePrint WRITE SetOnBeforePrint)
    Q_PROPERTY(QString OnManualBuild READ OnManualBuild WRITE SetOnManualBuild)
    Q_CLASSINFO("Default.Orientation", "poPortrait")
    Q_CLASSINFO("Default.MirrorMargins", "False")
    Q_CLASSINFO("Default.Columns", "0")
    Q_CLASSINFO("Default.Bin", "7")
    Q_CLASSINFO("Default.BinOtherPages", "7")
    Q_CLASSINFO("Default.BackPictureVisible", "True")
    Q_CLASSINFO("Default.BackPicturePrintable", "True")
    Q_CLASSINFO("Default.PageCount", "1")
    Q_CLASSINFO("Default.Color", "536870911")
    Q_CLASSINFO("Default.Duplex", "dmNone")
    Q_CLASSINFO("Default.EndlessHeight", "False")
    Q_CLASSINFO("Default.EndlessWidth", "False")
    Q_CLASSINFO("Default.LargeDesignHeight", "False")
    Q_CLASSINFO("Default.PrintIfEmpty", "True")
    Q_CLASSINFO("Default.PrintOnPreviousPage", "False")
    Q_CLASSINFO("Default.ResetPageNumbers", "False")
    Q_CLASSINFO("Default.TitleBeforeHeader", "True")
    Q_MOC_INCLUDE("TfrxDataSet.h")
    Q_MOC_INCLUDE("TfrxFrame.h")

public:
    // Columns beyond this are refused (a template cannot ask for unbounded lists).
    static constexpr int MaxColumns = 1000;

    explicit TfrxReportPage(QObject *owner = nullptr);
    ~TfrxReportPage() override;
    QString GetDescription() const override;

    zor::TPrinterOrientation Orientation() const { return FOrientation; }
    // A different orientation exchanges the paper sizes and turns the margins with the paper.
    void SetOrientation(zor::TPrinterOrientation value);
    double PaperWidth() const { return FPaperWidth; }
    void SetPaperWidth(double value);
    double PaperHeight() const { return FPaperHeight; }
    void SetPaperHeight(double value);
    int PaperSize() const { return FPaperSize; }
    // Takes the size from the paper table (exchanged in landscape) for a known number below 256.
    void SetPaperSize(int value);
    void SetSizeAndDimensions(int size, double width, double height);
    void UpdateDimensions();
    // Margins 10 mm and the default paper (A4 portrait) for a page the designer creates.
    void SetDefaults();

    double LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(double value) { FLeftMargin = value; }
    double RightMargin() const { return FRightMargin; }
    void SetRightMargin(double value) { FRightMargin = value; }
    double TopMargin() const { return FTopMargin; }
    void SetTopMargin(double value) { FTopMargin = value; }
    double BottomMargin() const { return FBottomMargin; }
    void SetBottomMargin(double value) { FBottomMargin = value; }
    bool MirrorMargins() const { return FMirrorMargins; }
    void SetMirrorMargins(bool value) { FMirrorMargins = value; }

    int Columns() const { return FColumns; }
    void SetColumns(int value);
    double ColumnWidth() const { return FColumnWidth; }
    void SetColumnWidth(double value) { FColumnWidth = value; }
    QStringList ColumnPositions() const { return FColumnPositions; }
    void SetColumnPositions(const QStringList &value) { FColumnPositions = value; }
    int Bin() const { return FBin; }
    void SetBin(int value) { FBin = value; }
    int BinOtherPages() const { return FBinOtherPages; }
    void SetBinOtherPages(int value) { FBinOtherPages = value; }

    QImage BackPicture() const;
    void SetBackPicture(const QImage &value);
    TfrxPictureView *BackPictureView() const { return FBackPicture; }
    bool BackPictureVisible() const { return FBackPictureVisible; }
    void SetBackPictureVisible(bool value) { FBackPictureVisible = value; }
    bool BackPicturePrintable() const { return FBackPicturePrintable; }
    void SetBackPicturePrintable(bool value) { FBackPicturePrintable = value; }
    int PageCount() const { return FPageCount; }
    // Values below 1 are ignored.
    void SetPageCount(int value);
    int Color() const;
    void SetColor(int value);
    TfrxFrame *Frame() const;
    void SetFrame(TfrxFrame *value);

    TfrxDataSet *DataSet() const;
    void SetDataSet(TfrxDataSet *value);
    QString DataSetName() const;
    void SetDataSetName(const QString &value);
    zor::TfrxDuplexMode Duplex() const { return FDuplex; }
    void SetDuplex(zor::TfrxDuplexMode value) { FDuplex = value; }
    bool EndlessHeight() const { return FEndlessHeight; }
    void SetEndlessHeight(bool value) { FEndlessHeight = value; }
    bool EndlessWidth() const { return FEndlessWidth; }
    void SetEndlessWidth(bool value) { FEndlessWidth = value; }
    bool LargeDesignHeight() const { return FLargeDesignHeight; }
    void SetLargeDesignHeight(bool value) { FLargeDesignHeight = value; }
    QString OutlineText() const { return FOutlineText; }
    void SetOutlineText(const QString &value) { FOutlineText = value; }
    bool PrintIfEmpty() const { return FPrintIfEmpty; }
    void SetPrintIfEmpty(bool value) { FPrintIfEmpty = value; }
    bool PrintOnPreviousPage() const { return FPrintOnPreviousPage; }
    void SetPrintOnPreviousPage(bool value) { FPrintOnPreviousPage = value; }
    bool ResetPageNumbers() const { return FResetPageNumbers; }
    void SetResetPageNumbers(bool value) { FResetPageNumbers = value; }
    bool TitleBeforeHeader() const { return FTitleBeforeHeader; }
    void SetTitleBeforeHeader(bool value) { FTitleBeforeHeader = value; }
    QStringList HGuides() const { return FHGuides; }
    void SetHGuides(const QStringList &value) { FHGuides = value; }
    QStringList VGuides() const { return FVGuides; }
    void SetVGuides(const QStringList &value) { FVGuides = value; }
    void ClearGuides();
    QString OnAfterPrint() const { return FOnAfterPrint; }
    void SetOnAfterPrint(const QString &value) { FOnAfterPrint = value; }
    QString OnBeforePrint() const { return FOnBeforePrint; }
    void SetOnBeforePrint(const QString &value) { FOnBeforePrint = value; }
    QString OnManualBuild() const { return FOnManualBuild; }
    void SetOnManualBuild(const QString &value) { FOnManualBuild = value; }

    TfrxSubreport *SubReport() const;
    void SetSubReport(TfrxSubreport *value);
    bool IsSubReport() const { return SubReport() != nullptr; }
    // The first child band of the class or a class derived from it.
    TfrxBand *FindBand(const QMetaObject *bandClass) const;
    // The width of a horizontal band on this page: the printable width from the band's left, or
    // a column's width on a page of columns for the bands that print per column.
    double BandWidth(const TfrxBand *band) const;

    // Draws the background colour, picture and frame inside the margins.
    void Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX, double offsetY);
    void AlignChildren() override;

    // Engine lists.
    QList<TfrxBand *> SubBands;
    QList<TfrxBand *> VSubBands;

private:
    zor::TPrinterOrientation FOrientation = zor::poPortrait;
    double FPaperWidth = 210;
    double FPaperHeight = 297;
    int FPaperSize = 9;
    double FLeftMargin = 0, FRightMargin = 0, FTopMargin = 0, FBottomMargin = 0;
    bool FMirrorMargins = false;
    int FColumns = 0;
    double FColumnWidth = 0;
    QStringList FColumnPositions;
    int FBin = 7;
    int FBinOtherPages = 7;
    TfrxPictureView *FBackPicture;
    bool FBackPictureVisible = true;
    bool FBackPicturePrintable = true;
    int FPageCount = 1;
    QPointer<TfrxDataSet> FDataSet;
    QString FDataSetName;
    zor::TfrxDuplexMode FDuplex = zor::dmNone;
    bool FEndlessHeight = false;
    bool FEndlessWidth = false;
    bool FLargeDesignHeight = false;
    QString FOutlineText;
    bool FPrintIfEmpty = true;
    bool FPrintOnPreviousPage = false;
    bool FResetPageNumbers = false;
    bool FTitleBeforeHeader = true;
    QStringList FHGuides, FVGuides;
    QString FOnAfterPrint, FOnBeforePrint, FOnManualBuild;
    QPointer<TfrxSubreport> FSubReport;
};
