#pragma once

#include "TfrxCustomPrinter.h"

#include <memory>

class QPrinter;

// An installed printer, reached through Qt Print Support (CUPS on Linux). Paper numbers are the
// platform's standard numbers, which Qt's page sizes know as their Windows ids; paper sources are
// numbered likewise (Qt's source + 1).
class TfrxPrinter final : public TfrxCustomPrinter
{
public:
    TfrxPrinter(const QString &name, const QString &port);
    ~TfrxPrinter() override;

    void Init() override;
    void Abort() override;
    bool BeginDoc() override;
    bool BeginPage() override;
    bool BeginRAWDoc() override;
    bool EndDoc() override;
    void EndPage() override;
    bool EndRAWDoc() override;
    bool WriteRAWDoc(const QByteArray &buffer) override;
    void SetViewParams(int paperSize, double paperWidth, double paperHeight,
                       zor::TPrinterOrientation orientation) override;
    void SetPrintParams(int paperSize, double paperWidth, double paperHeight, zor::TPrinterOrientation orientation,
                        int bin, int duplex, int copies) override;
    bool PropertiesDlg() override;
    void ResetJobChoices() override;
    QPainter *Canvas() const override;
    QPoint PhysicalOffset() const override;

    // The Qt printer behind it, for the print dialog.
    QPrinter *device() const;

private:
    bool UpdateDeviceCaps();
    bool nextSheet();
    void readLists();

    struct Job;
    std::unique_ptr<QPrinter> FDevice;
    std::unique_ptr<Job> FJob;
};
