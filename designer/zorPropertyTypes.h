#pragma once

#include <QMetaProperty>
#include <QString>

// The type names by which property editors are registered. Report classes declare their
// properties with Qt's types (a colour is an int, a text list a QStringList, a script event the
// name of a procedure in a QString), so the inspector names each property's type as the report
// library knows it: "Boolean", "Integer", "Extended", "String", "TColor", "TStrings", "TPicture",
// an enumeration's or a set's own name ("TfrxFrameStyle"), a sub-object's class name ("TfrxFont"),
// and the event types ("TfrxNotifyEvent", "TfrxMouseEvent", ...) for texts named "On...".
QString zorPropertyTypeName(const QMetaProperty &property);
// Whether a type name is a script event type: it begins with "tfrx" and ends with "event",
// without regard to case.
bool zorIsEventType(const QString &typeName);
