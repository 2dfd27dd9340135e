#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Texts of the printing layer come from the library's string table.
QString zorPrinterText(const char *key);

// Fills a string-table text with values: the k-th %d or %s takes the k-th value, %% gives %, any
// other % sequence stays as it is; missing values leave their marks, extra values are ignored.
// Texts of the string table are never handed to printf, so a translated text cannot break a call.
QString zorFillText(const QString &pattern, const QStringList &values);

// Makes the pictures of the preview and the print dialog available as ":/icons/<name>.png".
void zorInitPreviewIcons();

// Shows a printing error to the operator (a message box); tests and callers without windows may
// route it elsewhere. Passing an empty handler restores the message box.
void zorReportPrinterError(const QString &message);
void zorSetPrinterErrorHandler(std::function<void(const QString &)> handler);
