#pragma once

// Plugs the XML template format into the report component, so that TfrxReport's LoadFromFile,
// LoadFromStream, SaveToFile and SaveToStream work. Call once before the first load or save.
void zorRegisterTemplateFormat();
