#pragma once

#include <QString>

// True when both paths lead to one file, however they are spelt: through a symbolic link, a
// hard link, "./" or "../", a doubled separator. Paths of files that do not exist are compared
// as cleaned absolute texts, letter case included.
bool SameFile(const QString& first, const QString& second);

// True when something is at the path, a dangling symbolic link included: writing there would
// replace it or write through it.
bool PathTaken(const QString& path);
