#pragma once

// Fills the report's preview, print, progress-window, password-window and error-box services with
// this library's windows. Call it once at start, after the string table is loaded.
void zorRegisterPreview();
