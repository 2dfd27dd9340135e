#pragma once

// Makes every report bind its objects, classes and functions into its script before compiling it.
void zorRegisterScriptBindings();
