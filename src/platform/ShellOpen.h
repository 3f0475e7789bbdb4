#pragma once

#include <QString>

// Opens a folder or file with the desktop's default application for it (a file manager for a
// folder, a browser for a page). Whether that worked is not told.
void OpenInShell(const QString& path);
