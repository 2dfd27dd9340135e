#pragma once

#include <QComboBox>
#include <QList>

struct TfrxPrinterItem;

// The papers or the paper sources of a printer to choose from, each with its number. A number that
// the printer does not offer shows as the first entry ("Custom", "Default") but is kept until the
// operator picks an entry, so that a template made on another machine keeps its paper and tray
// when its options are only looked at.
class TfrxPrinterItemBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TfrxPrinterItemBox(const QList<TfrxPrinterItem> &items, QWidget *parent = nullptr);

    void SetNumber(int number);
    // The number kept or chosen.
    int Number() const;
    // Chooses the entry of a number for the operator (a typed paper size chooses "Custom").
    void Choose(int number);

private:
    static constexpr int none = -1;
    int FKept = none;
};
