#pragma once

#include <QList>

// The standard paper sizes by their platform numbers (1 Letter, 8 A3, 9 A4, 11 A5, ...), in
// tenths of a millimetre, portrait. Number 256 is a custom size and is not in the table.
struct TfrxPaperSize
{
    int number;
    int width;
    int height;
};

const QList<TfrxPaperSize> &zorPaperTable();

// The paper's size in millimetres, portrait; false when the number is not in the table.
bool zorGetPaperDimensions(int number, double &width, double &height);
