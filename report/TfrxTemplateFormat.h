#pragma once

#include <QStringList>

#include <functional>

class QIODevice;
class TfrxReport;

// How a report reaches the template file format. The format lives in a library above the object
// model, so it plugs itself in here (zorRegisterTemplateFormat) instead of being linked from below.
struct TfrxTemplateFormat {
    // Reads a template from stream into an empty report; returns the problems met while reading.
    // May raise for input that ends the reading.
    std::function<QStringList(TfrxReport *report, QIODevice *stream)> Read;
    // Writes the report with its children, without default values, to stream.
    std::function<void(TfrxReport *report, QIODevice *stream)> Write;

    static void Register(TfrxTemplateFormat format);
    // The registered format; none before a format library has registered itself.
    static const TfrxTemplateFormat *Registered();
};
