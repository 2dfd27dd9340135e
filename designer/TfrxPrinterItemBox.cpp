#include "TfrxPrinterItemBox.h"

#include "TfrxCustomPrinter.h"

TfrxPrinterItemBox::TfrxPrinterItemBox(const QList<TfrxPrinterItem> &items, QWidget *parent)
    : QComboBox(parent)
{
    for (const TfrxPrinterItem &item : items)
        addItem(item.name, item.number);
    setMaxVisibleItems(20);
    // Any entry the operator picks, even the one shown, replaces a kept number.
    connect(this, &QComboBox::activated, this, [this] { FKept = none; });
}

void TfrxPrinterItemBox::SetNumber(int number)
{
    const int index = findData(number);
    setCurrentIndex(index >= 0 ? index : 0);
    FKept = index >= 0 ? none : number;
}

int TfrxPrinterItemBox::Number() const
{
    return FKept != none ? FKept : currentData().toInt();
}

void TfrxPrinterItemBox::Choose(int number)
{
    FKept = none;
    const int index = findData(number);
    if (index >= 0)
        setCurrentIndex(index);
}
