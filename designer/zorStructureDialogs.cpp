// Entry points of the dialogs of bands, variables, pages and report options (not built yet).
#include "zorEditorDialogs.h"

bool zorEditDataBand(TfrxCustomDesigner &, TfrxDataBand *) { return false; }
bool zorEditGroup(TfrxCustomDesigner &, TfrxGroupHeader *) { return false; }
bool zorEditVariables(TfrxCustomDesigner &) { return false; }
bool zorEditReportData(TfrxCustomDesigner &) { return false; }
bool zorEditReportOptions(TfrxCustomDesigner &) { return false; }
bool zorEditPage(TfrxCustomDesigner &, TfrxReportPage *) { return false; }
