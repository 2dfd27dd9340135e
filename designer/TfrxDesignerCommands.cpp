#include "TfrxDesignerCommands.h"

#include "TfrxDesigner.h"
#include "TfrxResources.h"
#include "zorDebuggerIcons.h"
#include "zorDesignerIcons.h"

#include <QAction>
#include <QKeySequence>

namespace {

// The command table, in the order of TfrxDesignerCommand.
const TfrxCommandInfo commandTable[cmCommandCount] = {
    {"2418", nullptr, drDontCreateReport, nullptr, false, false},             // New...
    {"2419", nullptr, drDontCreateReport, "new", false, true},                // New Report
    {"2420", nullptr, drDontCreatePage, "newPage", false, true},              // New Page
    {"2421", nullptr, drDontCreatePage, "newDialog", false, true},            // New Dialog
    {"2413", nullptr, drDontDeletePage, "deletePage", false, true},           // Delete Page
    {"2422", "Ctrl+O", drDontLoadReport, "open", false, true},                // Open...
    {"2423", "Ctrl+S", drDontSaveReport, "save", false, true},                // Save
    {"2424", nullptr, drDontSaveReport, nullptr, false, true},                // Save As...
    {"2427", "Ctrl+P", drDontPreviewReport, "preview", false, true},          // Preview
    {"2426", nullptr, drDontChangePageOptions, "pageSettings", false, true},  // Page Settings...
    {"2428", "Alt+X", 0, nullptr, false, true},                               // Exit
    {"2405", "Ctrl+Z", 0, "undo", false, true},                               // Undo
    {"2406", nullptr, 0, "redo", false, true},                                // Redo
    {"2407", "Ctrl+X", 0, "cut", false, true},                                // Cut
    {"2408", "Ctrl+C", 0, "copy", false, true},                               // Copy
    {"2409", "Ctrl+V", 0, "paste", false, true},                              // Paste
    {"2412", nullptr, 0, "delete", false, true},                              // Delete
    {"2414", "Ctrl+A", 0, "selectAll", false, true},                          // Select All
    {"2410", nullptr, 0, "group", false, true},                               // Group
    {"2411", nullptr, 0, "ungroup", false, true},                             // Ungroup
    {"2415", nullptr, 0, nullptr, false, true},                               // Edit...
    {"2380", "Ctrl+F", 0, nullptr, false, true},                              // Find...
    {"2382", "Ctrl+R", 0, nullptr, false, true},                              // Replace...
    {"2381", "F3", 0, nullptr, false, true},                                  // Find Next
    {"2416", nullptr, 0, "bringToFront", false, true},                        // Bring to Front
    {"2417", nullptr, 0, "sendToBack", false, true},                          // Send to Back
    {"2384", nullptr, drDontEditReportData, nullptr, false, true},            // Data...
    {"2425", nullptr, drDontEditVariables, nullptr, false, true},             // Variables...
    {"2386", nullptr, drDontChangeReportOptions, nullptr, false, true},       // Styles...
    {"2385", nullptr, drDontChangeReportOptions, nullptr, false, true},       // Options... (report)
    {"2397", nullptr, 0, nullptr, true, true},                                // Rulers
    {"2398", nullptr, 0, nullptr, true, true},                                // Guides
    {"2399", nullptr, 0, nullptr, false, true},                               // Delete Guides
    {"2400", nullptr, 0, "options", false, true},                             // Options... (designer)
    {"2402", "F1", 0, nullptr, false, false},                                 // Help Contents...
    {"2403", nullptr, 0, nullptr, false, true},                               // About...
    {"2367", nullptr, 0, "showGrid", true, true},                             // Show Grid
    {"2368", nullptr, 0, "alignToGrid", true, true},                          // Align to Grid
    {"2369", nullptr, 0, "fitToGrid", false, true},                           // Fit to Grid
    {"dsBackdrop", nullptr, 0, nullptr, true, true},                          // the backdrop picture
    {"dsCode", "Ctrl+E", 0, nullptr, false, true},                            // show the code tab
    {"2394", "F11", 0, nullptr, true, true},                                  // Object Inspector
    {"2478", nullptr, 0, nullptr, false, true},                               // Add child band
    {"2396", nullptr, 0, nullptr, true, true},                                // Report Tree
    {"2395", nullptr, 0, nullptr, true, true},                                // Data Tree
    {"2300", nullptr, drDontEditReportScript, "open", false, true},           // Open Script File
    {"2301", nullptr, 0, "save", false, true},                                // Save Script to File
    {"2302", "F9", drDontPreviewReport, "run", false, true},                  // Run Script
    {"2303", "F7", drDontPreviewReport, "traceInto", false, true},            // Trace Into (also F8)
    {"2304", "Ctrl+F2", 0, "terminate", false, true},                         // Terminate Script
    {"2305", "Ctrl+F7", 0, "evaluate", false, true},                          // Evaluate
    {"2479", "F5", 0, "breakpoint", false, true},                             // Toggle Breakpoint
    {"dsRunToCursor", "F4", drDontPreviewReport, "runToCursor", false, true}, // Run to Cursor
};

} // namespace

TfrxDesignerCommands::TfrxDesignerCommands(QObject *parent) : QObject(parent)
{
    for (int i = 0; i < cmCommandCount; ++i) {
        const TfrxCommandInfo &info = commandTable[i];
        auto *action = new QAction(zorResources().Get(QLatin1String(info.Key)), this);
        if (info.Shortcut != nullptr)
            action->setShortcut(QKeySequence(QLatin1String(info.Shortcut)));
        if (info.Icon != nullptr) {
            const QIcon icon = zorDesignerIcon(info.Icon);
            action->setIcon(icon.isNull() ? zorDebuggerIcon(info.Icon) : icon);
        }
        action->setCheckable(info.Checkable);
        action->setEnabled(Allowed(TfrxDesignerCommand(i)));
        FActions[i] = action;
    }
}

void TfrxDesignerCommands::Retranslate()
{
    for (int i = 0; i < cmCommandCount; ++i)
        FActions[i]->setText(zorResources().Get(QLatin1String(commandTable[i].Key)));
}

const TfrxCommandInfo &TfrxDesignerCommands::Info(TfrxDesignerCommand command)
{
    return commandTable[command];
}

bool TfrxDesignerCommands::Allowed(TfrxDesignerCommand command)
{
    const TfrxCommandInfo &info = commandTable[command];
    return info.Available &&
           (info.Restriction == 0 || TfrxDesigner::CheckOp(TfrxDesignerRestriction(info.Restriction)));
}
