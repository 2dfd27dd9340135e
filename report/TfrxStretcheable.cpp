#include "TfrxStretcheable.h"

TfrxStretcheable::TfrxStretcheable(QObject *owner) : TfrxView(owner) {}
