#pragma once

// Plugs the preparation engine and the prepared-pages store into every report, so that
// TfrxReport::PrepareReport works. Call once at start, before the first report is prepared.
void zorRegisterEngine();
