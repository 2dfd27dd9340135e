#pragma once

#include <QHash>
#include <QPointer>
#include <QString>

class TfrxComponent;

// The aliases under which prepared pages name the objects of the source pages: each alias stands
// for one source object, known by its source name ("Page" + source page index + "." + name).
class TfrxDictionary
{
public:
    void Clear();
    void Add(const QString &alias, const QString &sourceName, TfrxComponent *source);
    // A new alias: base followed by the first free number.
    QString CreateUniqueName(const QString &base) const;
    bool Contains(const QString &alias) const { return FNames.contains(alias); }
    TfrxComponent *GetObject(const QString &alias) const;
    QString GetSourceName(const QString &alias) const;
    // The aliases in creation order.
    const QStringList &Aliases() const { return FOrder; }

private:
    struct Entry
    {
        QString SourceName;
        QPointer<TfrxComponent> Source;
    };
    QHash<QString, Entry> FNames;
    QStringList FOrder;
    mutable QHash<QString, int> FLastNumber; // per base, the number CreateUniqueName gave last
};
