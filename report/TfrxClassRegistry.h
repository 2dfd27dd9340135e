#pragma once

#include <QHash>
#include <QStringList>

#include <functional>

class QObject;
struct QMetaObject;

// The process-wide map from class names to factories through which templates create objects.
// The report object model's own classes are registered when the registry is first used; other
// libraries add theirs with Register<T>() at start-up.
class TfrxClassRegistry
{
public:
    using Factory = std::function<QObject *(QObject *owner)>;

    static TfrxClassRegistry &Instance();

    void Register(const QMetaObject *metaObject, Factory factory);
    template <typename T>
    void Register()
    {
        Register(&T::staticMetaObject, [](QObject *owner) -> QObject * { return new T(owner); });
    }

    // A new object of the named class (exact class name), or none for an unknown name.
    QObject *Create(const QString &className, QObject *owner = nullptr) const;
    const QMetaObject *Find(const QString &className) const;
    // All registered class names, sorted.
    QStringList ClassNames() const;

private:
    TfrxClassRegistry();

    struct Entry {
        const QMetaObject *MetaObject;
        Factory Create;
    };
    QHash<QString, Entry> FClasses;
};
