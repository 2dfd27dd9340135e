#pragma once

#include <QString>

#include <functional>

// Texts of the printing layer come from the library's string table.
QString zorPrinterText(const char *key);

// Shows a printing error to the operator (a message box); tests and callers without windows may
// route it elsewhere. Passing an empty handler restores the message box.
void zorReportPrinterError(const QString &message);
void zorSetPrinterErrorHandler(std::function<void(const QString &)> handler);
