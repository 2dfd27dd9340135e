#pragma once

// Fills the report library's process-wide registries once: the template format, the engine, the
// script bindings, and the preview and printing windows. Calling it again changes nothing.
void registerReportLibrary();
