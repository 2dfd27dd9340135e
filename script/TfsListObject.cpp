#include "TfsListObject.h"

#include "TfsClassVariable.h"
#include "TfsObjectRegistry.h"
#include "TfsRuntimeError.h"

namespace {

TfsListObject *list(QObject *obj)
{
    auto *l = qobject_cast<TfsListObject *>(obj);
    if (!l)
        throw TfsRuntimeError(QStringLiteral("Invalid class typecast"), QStringLiteral("EInvalidCast"));
    return l;
}

} // namespace

TfsListObject::TfsListObject(Reader read, QObject *parent) : QObject(parent), FRead(std::move(read)) {}

void TfsListObject::AddMembers(TfsClassVariable &cls, const TfsScript &scope)
{
    cls.AddProperty(QStringLiteral("Count"), QStringLiteral("Integer"), scope,
                    [](QObject *obj) { return TfsValue(int(list(obj)->Items().size())); });
    cls.AddDefaultProperty(QStringLiteral("Items"), QStringLiteral("Integer"), QStringLiteral("TObject"),
                           scope, [](QObject *obj, std::span<TfsValue> a) {
                               const QList<QObject *> items = list(obj)->Items();
                               const int64_t i = a[0].ToInt64();
                               if (i < 0 || i >= items.size())
                                   throw TfsRuntimeError(
                                       QStringLiteral("List index out of bounds (%1)").arg(i),
                                       QStringLiteral("EListError"));
                               return TfsValue::MakeObject(TfsObjectRegistry::Handle(items[qsizetype(i)]));
                           });
}
