#include "TestFiles.h"

#include <QFile>
#include <QProcess>

#include <cstdio>

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
