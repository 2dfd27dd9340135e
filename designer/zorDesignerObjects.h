#pragma once

class TfrxComponent;
class TfrxReport;
class TfrxReportPage;
class TfrxSubreport;
struct QMetaObject;

// Marks an object and everything below it as being designed, or no longer: designed text objects
// show their raw text, bands draw their fill, and restricted objects keep their place.
void zorSetDesigning(TfrxComponent *root, bool designing);

// A new object of the class under parent, with its palette variant (flags), marked as designed and
// given a unique name; a subreport gets a page of its own. None for a class that is not a report
// object.
TfrxComponent *zorCreateDesignObject(const QMetaObject *componentClass, int flags, TfrxComponent *parent);

// A new report page with the designer's defaults, uniquely named, at the end of the report.
TfrxReportPage *zorAddReportPage(TfrxReport *report);
// Gives the subreport a new page of its own.
void zorAddSubreportPage(TfrxSubreport *subreport);
