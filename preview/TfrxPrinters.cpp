#include "TfrxPrinters.h"

#include "TfrxPrinter.h"
#include "TfrxVirtualPrinter.h"
#include "zorPrinterTexts.h"

#include <QPrinterInfo>

TfrxPrinters::TfrxPrinters() { FillPrinters(); }

TfrxPrinters::~TfrxPrinters() = default;

TfrxPrinters *zorPrinters()
{
    static TfrxPrinters printers;
    return &printers;
}

void TfrxPrinters::Clear()
{
    FPrinterList.clear();
    FPrinters.clear();
    FPrinterIndex = -1;
    FHasPhysicalPrinters = false;
}

void TfrxPrinters::FillPrinters()
{
    Clear();
    for (const QString &name : QPrinterInfo::availablePrinterNames()) {
        FPrinterList.push_back(std::make_unique<TfrxPrinter>(name, QString()));
        FPrinters << name;
    }
    FHasPhysicalPrinters = !FPrinterList.empty();
    if (!FHasPhysicalPrinters) {
        const QString name = zorPrinterText("prVirtual");
        FPrinterList.push_back(std::make_unique<TfrxVirtualPrinter>(name, QString()));
        FPrinters << name;
    }
    setPrinterIndex(-1);
}

int TfrxPrinters::defaultIndex() const
{
    if (!FHasPhysicalPrinters)
        return 0;
    const int index = IndexOf(QPrinterInfo::defaultPrinterName().section(u',', 0, 0));
    return index >= 0 ? index : 0;
}

void TfrxPrinters::setPrinterIndex(int index)
{
    if (index == -1)
        index = defaultIndex();
    if (index < 0 || index >= int(FPrinterList.size()))
        return;
    FPrinterIndex = index;
    FPrinterList[size_t(index)]->Init();
}

TfrxCustomPrinter *TfrxPrinters::Printer() const { return Items(FPrinterIndex); }

TfrxCustomPrinter *TfrxPrinters::Items(int index) const
{
    return index >= 0 && index < int(FPrinterList.size()) ? FPrinterList[size_t(index)].get() : nullptr;
}

int TfrxPrinters::IndexOf(const QString &name) const
{
    for (qsizetype i = 0; i < FPrinters.size(); ++i)
        if (FPrinters[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}
