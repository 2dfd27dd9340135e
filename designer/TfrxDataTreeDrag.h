#pragma once

#include <QString>

#include <optional>

class QMimeData;

// What a drag from the data tree carries: the entry's insertion text, the field's name when the
// entry is a data field, and the "Create field" and "Create caption" boxes as they stood when the
// drag began. The text also travels as plain text, for editors that know nothing of the tree.
struct TfrxDataTreeDrag
{
    QString Text;
    QString Field; // empty unless the entry is a data field
    bool CreateField = true;
    bool CreateCaption = false;

    bool IsDataField() const { return !Field.isEmpty(); }
    // Whether dropping it onto a page makes a text object: a data field needs one of the boxes.
    bool MakesObjects() const { return !Text.isEmpty() && (!IsDataField() || CreateField || CreateCaption); }

    QMimeData *ToMimeData() const;
    // The entry of a drag that began in the data tree; none for anything else.
    static std::optional<TfrxDataTreeDrag> FromMimeData(const QMimeData *data);
};
