#pragma once

// Fills the report library's process-wide registries once: the template format, the engine, the
// script bindings, the preview and printing windows, and the designer. Calling it again changes
// nothing.
void registerReportLibrary();
