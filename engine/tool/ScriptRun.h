#pragma once

#include <QStringList>

// zorreport run FILE [--language NAME] [--print VARIABLE]...: compiles and runs a script file and
// prints the text form of the named global variables, one a line. Returns the exit status: 0 when
// the script ran to its end, 1 when it failed while running, 2 when it did not run at all (a
// compile error, an unknown language or variable, a file that cannot be read).
int zorRunScript(const QStringList &args);
