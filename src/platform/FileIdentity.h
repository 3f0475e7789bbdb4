#pragma once

#include <QString>

// True when both paths lead to one file, however they are spelt: through a symbolic link, a
// hard link, "./" or "../", a doubled separator. Paths of files that do not exist are compared
// as cleaned absolute texts, letter case included.
bool SameFile(const QString& first, const QString& second);

// True when something is at the path, a dangling symbolic link included: writing there would
// replace it or write through it.
bool PathTaken(const QString& path);

// What tells a file apart from every other: its device and inode, as a text; empty when nothing
// is at the path.
QString FileKey(const QString& path);

// The path as an absolute text without "./", "../" or doubled separators.
QString CleanedPath(const QString& path);
