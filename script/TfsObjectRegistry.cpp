#include "TfsObjectRegistry.h"

#include "TfsRuntimeError.h"

#include <QHash>
#include <QObject>
#include <QPointer>

namespace {

struct Registry
{
    QHash<int64_t, QPointer<QObject>> objects;
    QHash<const QObject *, int64_t> handles;
    int64_t next = 1;
};

Registry &registry()
{
    static Registry r;
    return r;
}

} // namespace

int64_t TfsObjectRegistry::Handle(QObject *obj)
{
    if (!obj)
        return 0;
    Registry &r = registry();
    // A freed object's address can come back for a new object: its old handle stays dead.
    if (const auto it = r.handles.constFind(obj); it != r.handles.cend() && r.objects.value(*it) == obj)
        return *it;
    const int64_t h = r.next++;
    r.objects.insert(h, obj);
    r.handles.insert(obj, h);
    QObject::connect(obj, &QObject::destroyed, obj, [h](QObject *gone) {
        Registry &reg = registry();
        reg.objects.remove(h);
        if (reg.handles.value(gone) == h)
            reg.handles.remove(gone);
    });
    return h;
}

QObject *TfsObjectRegistry::Find(int64_t handle)
{
    return registry().objects.value(handle).data();
}

QObject *TfsObjectRegistry::Object(int64_t handle)
{
    if (handle == 0)
        throw TfsRuntimeError(QStringLiteral("Access to a nil object"), QStringLiteral("EAccessViolation"));
    QObject *obj = Find(handle);
    if (!obj)
        throw TfsRuntimeError(QStringLiteral("Invalid object reference"), QStringLiteral("EAccessViolation"));
    return obj;
}

void TfsObjectRegistry::Forget(int64_t handle)
{
    Registry &r = registry();
    if (QObject *obj = r.objects.take(handle).data())
        r.handles.remove(obj);
}
