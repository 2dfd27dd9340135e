#pragma once

#include <QList>

class TfrxComponent;

// The commands of the alignment palette, in the order of their string-table keys (2308 onwards).
enum TfrxAlignCommand {
    acAlignLeft,
    acAlignMiddle,
    acAlignRight,
    acAlignTop,
    acAlignCenter,
    acAlignBottom,
    acSpaceHorz,
    acSpaceVert,
    acCenterHorz,
    acCenterVert,
    acSameWidth,
    acSameHeight
};

// Applies a palette command to the selection, whose first object is the reference. Objects
// restricted from moving (the size commands: from sizing) are left alone; the aligning commands
// need two selected objects, the spacing ones three. Returns whether anything changed, so that the
// designer records an undo step only then.
bool zorAlignObjects(TfrxAlignCommand command, const QList<TfrxComponent *> &selection);
