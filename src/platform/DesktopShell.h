#pragma once

#include <QString>

// Opens a folder or file with the desktop's default handler.
void OpenWithShell(const QString& path);
