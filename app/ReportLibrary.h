#pragma once

// Fills the report library's process-wide registries once: the template format, the engine, the
// script bindings, the preview and printing windows, and the designer. Calling it again changes
// nothing.
void registerReportLibrary();

class TOperatorDialogs;

// Puts the Russian texts (the language file "russian.frc") over the report library's string table,
// so that the preview, the print dialog and the designer speak Russian like the certificate
// window. A language file that cannot be read leaves the English texts and is reported once.
void loadRussianTexts(TOperatorDialogs &dialogs);
