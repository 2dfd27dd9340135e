#pragma once

#include "TfrxCustomPrinter.h"

// The printer that stands in when none is installed, so that preview, page set-up and text
// measurement still work: 600 dpi, every standard paper, 5 mm margins. It prints nothing.
class TfrxVirtualPrinter final : public TfrxCustomPrinter
{
public:
    using TfrxCustomPrinter::TfrxCustomPrinter;

    void Init() override;
    void Abort() override {}
    bool BeginDoc() override { return false; }
    bool BeginPage() override { return false; }
    bool BeginRAWDoc() override { return false; }
    bool EndDoc() override { return true; }
    void EndPage() override {}
    bool EndRAWDoc() override { return false; }
    bool WriteRAWDoc(const QByteArray &) override { return false; }
    void SetViewParams(int paperSize, double paperWidth, double paperHeight,
                       zor::TPrinterOrientation orientation) override;
    void SetPrintParams(int paperSize, double paperWidth, double paperHeight, zor::TPrinterOrientation orientation,
                        int bin, int duplex, int copies) override;
    bool PropertiesDlg() override { return false; }
};
