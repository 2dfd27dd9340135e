#pragma once

#include <QList>

#include <span>

class QCheckBox;
class QObject;
class QWidget;

// Check boxes that show and set Boolean properties of a report object by property path
// ("KeepTogether", "EngineOptions.DoublePass"). Each box is named after the last part of its path
// followed by "CB", so that tests find it.
class TfrxPropertyChecks
{
public:
    struct Field
    {
        const char *path;
        const char *caption; // string-table key
    };

    TfrxPropertyChecks(QObject *object, std::span<const Field> fields, QWidget *parent);

    const QList<QCheckBox *> &Boxes() const { return FBoxes; }
    void Write(QObject *object) const;

private:
    std::span<const Field> FFields;
    QList<QCheckBox *> FBoxes;
};
