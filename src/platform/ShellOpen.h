#pragma once

#include <QString>

// Opens a folder or file with the desktop's default application for it (a file manager for a
// folder, a browser for a page). False when the desktop has no launcher for it; true says only
// that one was started.
bool OpenInShell(const QString& path);
