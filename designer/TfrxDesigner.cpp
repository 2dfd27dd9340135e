#include "TfrxDesigner.h"

#include <QList>
#include <QPointer>

namespace {

// Components in the order they were placed; the last one alive is the designer's source.
QList<QPointer<TfrxDesigner>> &placed()
{
    static QList<QPointer<TfrxDesigner>> list;
    return list;
}

} // namespace

TfrxDesigner::TfrxDesigner(QObject *owner) : QObject(owner)
{
    placed().append(this);
}

TfrxDesigner::~TfrxDesigner()
{
    placed().removeAll(this);
}

TfrxDesigner *TfrxDesigner::Instance()
{
    placed().removeAll(nullptr);
    return placed().isEmpty() ? nullptr : placed().constLast().data();
}

bool TfrxDesigner::CheckOp(TfrxDesignerRestriction restriction)
{
    const TfrxDesigner *designer = Instance();
    return designer == nullptr || !designer->Restrictions.testFlag(restriction);
}
