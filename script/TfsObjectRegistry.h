#pragma once

#include <cstdint>

class QObject;

// Host objects as scripts see them: an integer handle per live object. A handle never points at
// freed memory: the object of a handle whose object is gone, or of a handle never given out, is a
// run-time error, as is nil (handle 0).
class TfsObjectRegistry
{
public:
    // The handle of obj (0 for none); the same object keeps its handle while it lives.
    static int64_t Handle(QObject *obj);
    // The live object of a handle; throws TfsRuntimeError for nil, unknown and dead handles.
    static QObject *Object(int64_t handle);
    // The live object of a handle, or null.
    static QObject *Find(int64_t handle);
    // The handle no longer reaches its object (the script freed it).
    static void Forget(int64_t handle);
};
