#pragma once

#include <QString>
#include <QStringList>

// Where the inputs of a folder, a drop or the command line come from.

// Full paths of the files directly inside the folder whose names match one extension,
// ignoring letter case; no hidden files, no subfolders; sorted by name ignoring case.
// A missing or unreadable folder gives nothing.
QStringList FolderInputs(const QString& folder, const QStringList& extensions);

// The paths a command line names: when the first argument's extension is ".tmp" (any
// case), the non-empty lines of that UTF-8 file (none if it cannot be read), otherwise the
// arguments themselves.
QStringList CommandLinePaths(const QStringList& arguments);
