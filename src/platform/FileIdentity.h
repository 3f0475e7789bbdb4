#pragma once

#include <QString>

// True when something is at the path, a dangling symbolic link included: writing there would
// replace it or write through it.
bool PathTaken(const QString& path);

// What tells a file apart from every other: its device and inode, as a text; empty when nothing
// is at the path.
QString FileKey(const QString& path);

// The path as an absolute text without "./", "../" or doubled separators.
QString CleanedPath(const QString& path);

// Creates an empty file at the path in one step that fails when anything is there already, a
// dangling symbolic link included: of two programs making the same name, one alone succeeds.
// Gives the new file's key; empty when the path was taken (`taken` is then set) or when the
// file cannot be made.
QString CreateNewFile(const QString& path, bool* taken = nullptr);

// Removes the file at the path when it is still the empty file with that key, as CreateNewFile
// left it; anything else there, written into or put in its place, stays. True when removed.
bool RemoveUntouchedFile(const QString& path, const QString& key);
