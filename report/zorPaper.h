#pragma once

// The paper table: the size in millimetres (portrait) of a standard paper number; false for a
// number the table does not have. 256 is a custom size and never in the table.
bool zorGetPaperDimensions(int number, double &width, double &height);

#include <QList>

// The numbers of the papers in the table, in increasing order.
QList<int> zorPaperNumbers();
