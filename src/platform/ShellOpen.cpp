#include "ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

bool OpenInShell(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
