#pragma once

#include <QString>

class TfsScript;

// Files named by scripts. A script comes with a template that may come from anywhere, so it reaches
// only regular files inside its script's base folder (the template's folder), by relative names
// without "..", and only for reading.

// A name that cannot name a file inside a folder: empty, absolute, with a drive, or with "..".
bool fsIsUnsafeFileName(const QString &name);

// The path of a file the script may read; a run-time error (EFOpenError) for a script without a base
// folder, an unsafe name, or a name that is no regular file inside the folder.
QString fsScriptReadPath(const TfsScript &script, const QString &name);

// Always the run-time error for writing: scripts never write files.
[[noreturn]] void fsRefuseFileWrite();
