#include "TfrxDragOperation.h"

#include "TfrxComponent.h"

using namespace zor;

void TfrxDragOperation::Finish()
{
    for (TfrxComponent *object : Changing())
        RoundBounds(object);
}

void TfrxDragOperation::RoundBounds(TfrxComponent *object)
{
    object->SetBounds(Round8(object->Left()), Round8(object->Top()), Round8(object->Width()),
                      Round8(object->Height()));
}

QList<TfrxComponent *> TfrxDragOperation::WithContents(const QList<TfrxComponent *> &objects)
{
    QList<TfrxComponent *> all;
    for (TfrxComponent *object : objects) {
        all.append(object);
        all += object->GetAllObjects();
    }
    return all;
}
