#pragma once

// Fills the report's preview, print and error-box services with this library's windows. Call it
// once at start, after the string table is loaded.
void zorRegisterPreview();
