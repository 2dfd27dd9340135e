#pragma once

#include <QString>

class TfrxReport;

// Writes the report's prepared pages (prepared first when there are none) to a vector PDF: one PDF
// page per prepared page, of the page's paper size, with its texts selectable. The file is
// replaced only once it is complete. False with the reason in `error` when nothing was written.
bool zorExportPdf(TfrxReport &report, const QString &fileName, QString &error);
