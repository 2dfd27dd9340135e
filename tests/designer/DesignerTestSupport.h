#pragma once

// Reports for the designer's tests: the certificate's template as the program ships it, and small
// pages built in code.

#include "TfrxReport.h"

#include <QString>

#include <memory>

class TfrxBand;
class TfrxMemoView;
class TfrxReportPage;

namespace designertest {

// The shipped certificate template, loaded through the template format, objects marked designed.
std::unique_ptr<TfrxReport> LoadCertificate();
// A report with its data page and one empty A4 page "Page1".
std::unique_ptr<TfrxReport> EmptyReport();
TfrxReportPage *FirstPage(const TfrxReport &report);
TfrxMemoView *AddMemo(TfrxComponent *parent, const QString &name, double left, double top, double width = 100,
                      double height = 20);
// The template text of a report, as a file would hold it.
QByteArray TemplateText(TfrxReport &report);

} // namespace designertest
