#include "HelpViewer.h"

#include <QDir>
#include <QFileInfo>

QString HelpTarget(const QString& programFolder, bool chmViewerExists)
{
    const QDir folder(programFolder);
    const QString chm = folder.filePath(QStringLiteral("Framewright.chm"));
    if (chmViewerExists)
        return chm;
    const QString html = folder.filePath(QStringLiteral("help/index.html"));
    return QFileInfo(html).isFile() ? html : chm;
}
