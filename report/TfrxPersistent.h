#pragma once

#include <QObject>

// Base of every object whose published properties are stored and edited through the generic
// property walk: report objects and the sub-objects they own (fonts, frames, fills, ...).
class TfrxPersistent : public QObject
{
    Q_OBJECT
public:
    explicit TfrxPersistent(QObject *parent = nullptr);

    // Copies the published state of another object of a compatible class.
    virtual void Assign(const TfrxPersistent *source);
    // Whether a published property is to be stored for the object's current state. The walk
    // also honours the STORED attribute and the declared defaults; this hook covers conditions
    // that depend on other properties (a frame line's width equal to its frame's, ...).
    virtual bool IsPropertyStored(const char *name) const;
};
