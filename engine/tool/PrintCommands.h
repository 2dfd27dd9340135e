#pragma once

// The commands of zorreport that reach the printers:
//   zorreport print TEMPLATE|PREPARED.zi3 [--printer NAME] [--copies N] [--pages RANGE]
//                   [--data ALIAS=FILE.csv]... [--var NAME=VALUE]...
//   zorreport printers
// They need the printing layer, which the other commands never use.

// Whether the command word is one of them.
bool zorIsPrintCommand(const char *command);
// Runs it: 0 when done, 1 (with the reason on standard error and nothing printed) otherwise.
int zorRunPrintCommand(int argc, char **argv);
