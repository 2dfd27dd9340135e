#pragma once

#include <QIcon>

// The small pictures of the data tree's entries, drawn here at 16 pixels and at twice that for
// scaled screens: a table for a data set, a lettered badge for each kind of field, variable,
// function, class and class member, a folder for a category.
enum class TfrxDataTreeIcon {
    DataSet,
    NumericField,
    StringField,
    BooleanField,
    DateTimeField,
    Category,
    Variable,
    Function,
    Class,
    Property,
    Event,
    Method,
};

QIcon zorDataTreeIcon(TfrxDataTreeIcon kind);
