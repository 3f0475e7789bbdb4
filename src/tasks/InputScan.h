#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// Where the inputs of a folder, a drop or the command line come from.

// What Add Folder finds directly inside a folder among the entries whose names match one
// extension, letter case ignored, hidden ones left out, from one reading of the folder: the
// regular files (links to them too), sorted by name ignoring case; the FIFOs, devices and
// sockets, which cannot be converted; and the names that are no valid text, escaped. All as
// full paths. A missing or unreadable folder gives nothing.
struct FolderScan
{
    QStringList inputs;
    QStringList special;
    QStringList unreadable;
};
FolderScan ScanFolder(const QString& folder, const QStringList& extensions);

// Full paths of the files directly inside the folder whose names match one extension,
// ignoring letter case; no hidden files, no subfolders; sorted by name ignoring case.
// A missing or unreadable folder gives nothing.
QStringList FolderInputs(const QString& folder, const QStringList& extensions);

// Full paths of the entries directly inside the folder whose names match one extension but
// that are no regular files: FIFOs, devices, sockets. They cannot be converted; the user is
// told of them.
QStringList FolderSpecialEntries(const QString& folder, const QStringList& extensions);

// Whether the path names something that exists but is neither a regular file nor a folder.
bool IsSpecialFile(const QString& path);

// The entries directly inside the folder whose names match one extension but are no valid
// text in the system's encoding, so that they cannot be opened by name: each as its full path
// with the bad bytes escaped, in name order.
QStringList UnreadableFolderNames(const QString& folder, const QStringList& extensions);

// Why a path the user named did not become a task.
enum class Refusal {
    NoSuchFile,
    NotRegularFile, // a FIFO, a device or a socket
    NotSupported,   // a file of a type the program does not convert
    NameNotText,    // the name is no valid text: the path is given escaped
    ListUnreadable, // a list file that cannot be read
};
struct RefusedInput
{
    QString path;
    Refusal why;
    bool operator==(const RefusedInput& other) const
    {
        return path == other.path && why == other.why;
    }
};

// The paths a command line names: when the first argument's extension is ".tmp" (any
// case), the non-empty lines of that UTF-8 file (none if it cannot be read), otherwise the
// arguments themselves. A file manager may pass "file://" addresses or names relative to the
// folder it started the program in: both come back as absolute local paths. Lines of the list
// that are not valid UTF-8 are left out and refused, escaped. A list that is no regular file (a
// FIFO, a device, a socket) is never waited on: nothing is read from it and it is refused by
// its absolute path, as is a list that cannot be read.
QStringList CommandLinePaths(const QStringList& arguments,
                             const QString& currentFolder = QDir::currentPath(),
                             QList<RefusedInput>* refused = nullptr);
// Whether the command line's paths come from a list file named first.
bool NamesListFile(const QStringList& arguments);

// An argument as an absolute local path.
QString AbsoluteArgument(const QString& argument, const QString& currentFolder);
