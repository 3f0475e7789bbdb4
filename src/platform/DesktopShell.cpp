#include "DesktopShell.h"

#include <QDesktopServices>
#include <QUrl>

void OpenWithShell(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
