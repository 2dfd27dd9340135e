#pragma once

#include <QStringList>

#include <memory>
#include <vector>

class TfrxCustomPrinter;

// The installed printers with a current one. When none is installed a virtual printer takes their
// place, so that preview and page set-up still work. One instance per process (zorPrinters).
class TfrxPrinters
{
public:
    TfrxPrinters();
    ~TfrxPrinters();
    TfrxPrinters(const TfrxPrinters &) = delete;
    TfrxPrinters &operator=(const TfrxPrinters &) = delete;

    // The current printer, initialised; never none.
    TfrxCustomPrinter *Printer() const;
    // None for an index outside the list.
    TfrxCustomPrinter *Items(int index) const;
    // Position of the printer with that name, compared without regard to case; -1 when absent.
    int IndexOf(const QString &name) const;
    int PrinterIndex() const { return FPrinterIndex; }
    // -1 selects the system's default printer; any index initialises the printer it selects.
    void setPrinterIndex(int index);
    QStringList Printers() const { return FPrinters; }
    bool HasPhysicalPrinters() const { return FHasPhysicalPrinters; }

    void Clear();
    // Enumerates the installed printers anew and selects the default one.
    void FillPrinters();

private:
    int defaultIndex() const;

    std::vector<std::unique_ptr<TfrxCustomPrinter>> FPrinterList;
    QStringList FPrinters;
    int FPrinterIndex = -1;
    bool FHasPhysicalPrinters = false;
};

TfrxPrinters *zorPrinters();
