#include "TfrxCustomPrinter.h"

#include "zorPrinterTexts.h"

namespace {

int indexOfNumber(const QList<TfrxPrinterItem> &items, int number)
{
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i].number == number)
            return int(i);
    return -1;
}

int numberOfName(const QList<TfrxPrinterItem> &items, const QString &name)
{
    for (const TfrxPrinterItem &item : items)
        if (item.name == name)
            return item.number;
    return items.isEmpty() ? -1 : items.front().number;
}

} // namespace

TfrxCustomPrinter::TfrxCustomPrinter(const QString &name, const QString &port) : FName(name), FPort(port)
{
    resetLists();
}

TfrxCustomPrinter::~TfrxCustomPrinter() = default;

void TfrxCustomPrinter::resetLists()
{
    FBins = {{zorPrinterText("prDefault"), defaultBin}};
    FPapers = {{zorPrinterText("prCustom"), customPaper}};
}

int TfrxCustomPrinter::BinIndex(int bin) const { return indexOfNumber(FBins, bin); }
int TfrxCustomPrinter::PaperIndex(int paper) const { return indexOfNumber(FPapers, paper); }
int TfrxCustomPrinter::BinNameToNumber(const QString &name) const { return numberOfName(FBins, name); }
int TfrxCustomPrinter::PaperNameToNumber(const QString &name) const { return numberOfName(FPapers, name); }
