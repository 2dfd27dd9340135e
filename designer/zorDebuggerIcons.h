#pragma once

#include <QIcon>

// The pictures of the code tab's debugger buttons, drawn in code at 16 and 32 pixels: "run",
// "traceInto", "terminate", "evaluate", "breakpoint", "runToCursor"; the watch list's "addWatch",
// "editWatch", "deleteWatch". An unknown name gives an
// empty icon.
QIcon zorDebuggerIcon(const char *name);
