#include "ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

void OpenInShell(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
