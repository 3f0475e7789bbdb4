#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>
#include <unistd.h>

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool MakeClip(const QString& path, double seconds, const QString& size, const QStringList& extra)
{
    const QString duration = QString::number(seconds);
    QStringList arguments = {
        "-v", "error", "-nostdin", "-y",
        "-f", "lavfi", "-i",       "testsrc=size=" + size + ":rate=25:duration=" + duration,
        "-f", "lavfi", "-i",       "sine=frequency=440:duration=" + duration};
    arguments << extra << path;
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(QStringLiteral("ffmpeg"), arguments);
    if (ffmpeg.waitForFinished(120000) && ffmpeg.exitStatus() == QProcess::NormalExit &&
        ffmpeg.exitCode() == 0)
        return true;
    std::fprintf(stderr, "ffmpeg failed on %s: %s\n", qPrintable(path),
                 ffmpeg.readAll().constData());
    return false;
}

int RunUnprivileged(const QString& program, const QStringList& arguments, const QString& folder,
                    QByteArray* output)
{
    QString command = program;
    QStringList prefix;
    if (::geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            return -1;
        // Where nobody can reach it: the build folder may lie under root's home.
        command = QDir(folder).filePath(QStringLiteral(".") + QFileInfo(program).fileName());
        QFile::remove(command);
        if (!QFile::copy(program, command))
            return -1;
        QFile::setPermissions(command, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                           QFile::ExeOther);
        prefix = {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                  QStringLiteral("--clear-groups"), command};
        command = setpriv;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command, prefix + arguments);
    const bool ended = process.waitForFinished(60000);
    if (output)
        *output = process.readAll();
    if (!ended || process.exitStatus() != QProcess::NormalExit)
        return -2; // hung or crashed: a failure, not a reason to skip
    return process.exitCode();
}
