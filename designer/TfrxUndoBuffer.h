#pragma once

#include <QByteArray>
#include <QList>

class TfrxPictureStore;
class TfrxReport;

// The designer's undo history as whole snapshots of the report in the template format, pictures
// referred to by index into the designer's picture store. The last undo entry always equals the
// report as it is; the first one is the state after loading.
class TfrxUndoBuffer
{
public:
    explicit TfrxUndoBuffer(TfrxPictureStore &pictures) : FPictures(pictures) {}

    // Appends a snapshot of the report as it is now and empties the redo list.
    void AddUndo(TfrxReport &report);
    // Moves the last entry (the state now) to the redo list and loads the report from the entry
    // before it; false, changing nothing, when there is nothing to undo.
    bool Undo(TfrxReport &report);
    // Loads the report from the last redo entry and makes it the last undo entry again.
    bool Redo(TfrxReport &report);
    int UndoCount() const { return int(FUndo.size()); }
    int RedoCount() const { return int(FRedo.size()); }
    void Clear();

    // The report as a snapshot, and the report loaded from one (its file name and the host's
    // handlers stay; a password once accepted is not asked again).
    QByteArray Snapshot(TfrxReport &report) const;
    void Restore(TfrxReport &report, const QByteArray &snapshot) const;

private:
    TfrxPictureStore &FPictures;
    QList<QByteArray> FUndo;
    QList<QByteArray> FRedo;
};
