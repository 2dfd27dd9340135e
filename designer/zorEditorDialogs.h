#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QWidget;
class TfrxCustomDesigner;
class TfrxCustomFill;
class TfrxCustomMemoView;
class TfrxDataBand;
class TfrxFrame;
class TfrxGroupHeader;
class TfrxHyperlink;
class TfrxPictureView;
class TfrxReportPage;

// The editor dialogs of report objects, one entry each. Every dialog is modal, works on a copy and
// changes the object only when it is closed with OK; each returns whether it did (the caller then
// records the undo step). Captions come from the string table.

// The text editor: pages "Text", "Format" and "Highlight".
bool zorEditMemo(TfrxCustomDesigner &designer, TfrxCustomMemoView *memo);
// The display format editor alone (the "Display Format..." menu item and the inspector).
bool zorEditDisplayFormat(TfrxCustomDesigner &designer, TfrxCustomMemoView *memo);
// The system-text and aggregate editor of system text objects.
bool zorEditSysMemo(TfrxCustomDesigner &designer, TfrxCustomMemoView *memo);
// The aggregate part alone ("Insert Aggregate"): the text to insert, or empty when cancelled.
QString zorEditAggregate(TfrxCustomDesigner &designer);
// The expression editor on a text: the edited text, or empty when cancelled.
QString zorEditExpression(TfrxCustomDesigner &designer, const QString &text);
bool zorEditHyperlink(TfrxCustomDesigner &designer, TfrxHyperlink *hyperlink);
// A plain editor of text lines (string list properties).
bool zorEditLines(QWidget *parent, QStringList &lines);

bool zorEditDataBand(TfrxCustomDesigner &designer, TfrxDataBand *band);
bool zorEditGroup(TfrxCustomDesigner &designer, TfrxGroupHeader *band);
// The report's variables, data sets, options and styles.
bool zorEditVariables(TfrxCustomDesigner &designer);
bool zorEditReportData(TfrxCustomDesigner &designer);
bool zorEditReportOptions(TfrxCustomDesigner &designer);
bool zorEditStyles(TfrxCustomDesigner &designer);
// The page options of a report page (and of the pages of its subreports).
bool zorEditPage(TfrxCustomDesigner &designer, TfrxReportPage *page);

// The frame editor on a frame given to it (the caller copies the result where it belongs).
bool zorEditFrame(QWidget *parent, TfrxFrame &frame);
// The fill editor: a new fill of the kind chosen, or none when cancelled.
std::unique_ptr<TfrxCustomFill> zorEditFill(QWidget *parent, const TfrxCustomFill *fill);
// The picture editor; an accepted picture also goes into the designer's picture store.
bool zorEditPicture(TfrxCustomDesigner &designer, TfrxPictureView *view);
