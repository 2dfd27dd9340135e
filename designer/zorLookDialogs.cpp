// Entry points of the frame, fill, picture and style dialogs (not built yet).
#include "zorEditorDialogs.h"

#include "TfrxCustomFill.h"

bool zorEditFrame(QWidget *, TfrxFrame &) { return false; }
std::unique_ptr<TfrxCustomFill> zorEditFill(QWidget *, const TfrxCustomFill *) { return nullptr; }
bool zorEditPicture(TfrxCustomDesigner &, TfrxPictureView *) { return false; }
bool zorEditStyles(TfrxCustomDesigner &) { return false; }
