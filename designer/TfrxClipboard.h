#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TfrxComponent;
class TfrxPage;

// Report objects as text on the system clipboard: the marker line "#ZE3 clipboard#", then one
// element per copied band or view with its name and attributes, placed relative to the
// selection's top-left corner. Pictures travel whole, so any designer can paste them.
class TfrxClipboard
{
public:
    static const QString &Marker();
    // The text of the selected bands and views, in the page's order; a selected band brings its
    // objects unless some of them are selected too. Empty when nothing can be copied.
    static QString CopyText(const QList<TfrxComponent *> &selection);
    static bool CanPaste(const QString &text);

    struct PasteResult {
        // The objects placed, in the order read; those lying directly on the page.
        QList<TfrxComponent *> Placed;
        QList<TfrxComponent *> OnPage;
        // Objects left out: a second page header, a class that does not fit the page, ...
        int Dropped = 0;
        // A text that cannot be read (nothing is pasted then), or classes that are not known.
        QStringList Errors;
    };
    // Reads the objects and places them on the page: bands on the page, other objects into the
    // last pasted band that holds their top, else on the page; names kept unless taken. A
    // subreport keeps its page only when that page is in this report and free, else it gets a new
    // one. The objects come marked as designed.
    static PasteResult Paste(const QString &text, TfrxPage *page);
};
