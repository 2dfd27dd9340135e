// zorreport built without the printing layer (a build of a few folders only) says so.
#include "PrintCommands.h"

#include <cstdio>
#include <cstring>

bool zorIsPrintCommand(const char *command)
{
    return std::strcmp(command, "print") == 0 || std::strcmp(command, "printers") == 0;
}

int zorRunPrintCommand(int, char **)
{
    std::fputs("This zorreport was built without printing (the preview folder)\n", stderr);
    return 1;
}
