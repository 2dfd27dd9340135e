#include "TfrxUndoBuffer.h"

#include "TfrxReport.h"
#include "zorTemplateFormat.h"

#include <QBuffer>

void TfrxUndoBuffer::AddUndo(TfrxReport &report)
{
    FUndo.append(Snapshot(report));
    FRedo.clear();
}

bool TfrxUndoBuffer::Undo(TfrxReport &report)
{
    if (FUndo.size() < 2)
        return false;
    FRedo.append(FUndo.takeLast());
    Restore(report, FUndo.constLast());
    return true;
}

bool TfrxUndoBuffer::Redo(TfrxReport &report)
{
    if (FRedo.isEmpty())
        return false;
    FUndo.append(FRedo.takeLast());
    Restore(report, FUndo.constLast());
    return true;
}

void TfrxUndoBuffer::Clear()
{
    FUndo.clear();
    FRedo.clear();
}

QByteArray TfrxUndoBuffer::Snapshot(TfrxReport &report) const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    zorWriteTemplate(&report, &buffer, &FPictures);
    return buffer.data();
}

void TfrxUndoBuffer::Restore(TfrxReport &report, const QByteArray &snapshot) const
{
    QByteArray data = snapshot;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    report.Clear();
    zorReadTemplate(&report, &buffer, &FPictures);
    report.CheckDataPage();
}
