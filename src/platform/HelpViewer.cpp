#include "HelpViewer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {
bool answersDefaultFor(const QString& program, const QString& mimeType,
                       const QDeadlineTimer& deadline)
{
    QProcess query;
    query.setStandardInputFile(QProcess::nullDevice());
    query.start(program, {QStringLiteral("query"), QStringLiteral("default"), mimeType},
                QIODevice::ReadOnly);
    if (!query.waitForStarted(int(deadline.remainingTime())))
        return false;
    if (!query.waitForFinished(int(deadline.remainingTime()))) {
        query.kill();
        query.waitForFinished(-1);
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}
} // namespace

bool ChmViewerExists(const QString& xdgMime, int timeoutMs)
{
    // Looked up first, so that a desktop without xdg-utils costs no failed process start.
    const QString program =
        xdgMime.contains(QLatin1Char('/')) ? xdgMime : QStandardPaths::findExecutable(xdgMime);
    if (program.isEmpty() || !QFileInfo(program).isExecutable())
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    for (const QString& type :
         {QStringLiteral("application/vnd.ms-htmlhelp"), QStringLiteral("application/x-chm")}) {
        if (deadline.hasExpired())
            return false;
        if (answersDefaultFor(program, type, deadline))
            return true;
    }
    return false;
}

QString HelpTarget(const QString& programFolder, bool chmViewerExists)
{
    const QDir folder(programFolder);
    const QString chm = folder.filePath(QStringLiteral("Framewright.chm"));
    if (chmViewerExists)
        return chm;
    const QString html = folder.filePath(QStringLiteral("help/index.html"));
    return QFileInfo(html).isFile() ? html : chm;
}
