#pragma once

// Registers the designer window as the report's designer, so that TfrxReport::DesignReport opens
// it, and fills the designer's registries (the insertable objects). Calling it again changes
// nothing.
void zorRegisterDesigner();
