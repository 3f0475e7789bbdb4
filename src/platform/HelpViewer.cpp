#include "HelpViewer.h"

#include <QDir>
#include <QFileInfo>

QString HelpPages(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("help/index.html"));
}

QString HelpTarget(const QString& programFolder, bool chmViewerExists)
{
    const QDir folder(programFolder);
    const QString chm = folder.filePath(QStringLiteral("Framewright.chm"));
    if (chmViewerExists)
        return chm;
    const QString html = HelpPages(programFolder);
    return QFileInfo(html).isFile() ? html : chm;
}
