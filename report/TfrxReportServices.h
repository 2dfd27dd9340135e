#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TfrxCustomEngine;
class TfrxCustomPreviewPages;
class TfrxCustomProgress;
class TfrxReport;
class TfsScript;

// What a report does through libraries above the object model: the engine library makes the
// engine and the prepared-pages store, the window libraries show the preview, print and design.
// Each library fills its part once at start (zorRegisterEngine, zorRegisterPreview, ...); a report
// whose part is missing says so through its error handler instead of pretending to succeed.
struct TfrxReportServices {
    struct EngineParts {
        std::unique_ptr<TfrxCustomPreviewPages> PreviewPages;
        std::unique_ptr<TfrxCustomEngine> Engine;
    };
    std::function<EngineParts(TfrxReport &report)> CreateEngine;
    // Shows the report's prepared pages in the preview window. With prepareFirst the window opens
    // at once and the report is prepared from inside its event loop. Returns when a modal window
    // has closed; an exception of the preparation is raised again only after the loop returned.
    std::function<void(TfrxReport &report, bool prepareFirst)> ShowPreview;
    // Prints the prepared pages by the report's print options; false when nothing was printed.
    std::function<bool(TfrxReport &report)> Print;
    // Opens the designer on the report.
    std::function<void(TfrxReport &report, bool modal)> Design;
    // Adds the report's objects, classes and functions to its script before it is compiled.
    std::function<void(TfrxReport &report, TfsScript &script)> BindScript;
    // After the template was reloaded around a preparation, points the script's object items at
    // the reloaded objects of the same names (or at none), so that nothing reaches a freed object.
    std::function<void(TfrxReport &report, TfsScript &script)> RebindScript;
    // Creates and shows a non-modal progress window (a message line and "Cancel", no bar) for the
    // report; its Cancel sets the report's Terminated. None while no window library is linked.
    std::function<std::unique_ptr<TfrxCustomProgress>(TfrxReport &report)> CreateProgress;
    // Asks the operator for the password of a template that has one; false when cancelled.
    std::function<bool(TfrxReport &report, QString &password)> AskPassword;
    // Shows an error text in a message box captioned "Error".
    std::function<void(const QString &text)> ShowError;
    // The string table's text of a key; the object model sits below the string table.
    std::function<QString(const QString &key)> GetText;

    // The string table's text of key, or englishText while no string table is linked.
    static QString Text(const QString &key, const QString &englishText);

    // A string-table text filled with values: the k-th %d or %s takes the k-th value, %% gives %,
    // any other % sequence stays as it is; missing values leave their marks, extra values are
    // ignored. Texts of the string table are never handed to printf, so a translation cannot
    // break a call.
    static QString FillText(const QString &pattern, const QStringList &values);

    // The process-wide services, filled by the libraries linked into the program.
    static TfrxReportServices &Instance();
};
