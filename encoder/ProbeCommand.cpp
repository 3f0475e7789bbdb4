#include "ProbeCommand.h"

#include "ChildGuard.h"
#include "ProbeReport.h"
#include "StandardOutput.h"

#include <QFile>
#include <QProcess>

int ProbeCommand::run(const QByteArray& input)
{
    constexpr int Status = 1;

    QProcess ffprobe;
    ChildGuard::attach(ffprobe);
    ffprobe.setStandardInputFile(QProcess::nullDevice());
    ffprobe.start(QStringLiteral("ffprobe"),
                  {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-print_format"),
                   QStringLiteral("json"), QStringLiteral("-show_format"),
                   QStringLiteral("-show_streams"), QFile::decodeName(input)});
    if (!ffprobe.waitForFinished(-1) && ffprobe.error() == QProcess::FailedToStart) {
        StandardOutput::write("ffprobe could not be started: " + ffprobe.errorString().toUtf8() +
                              "\n");
        return Status;
    }

    const QByteArray report =
        ffprobe.exitStatus() == QProcess::NormalExit && ffprobe.exitCode() == 0
            ? ProbeReport::fromJson(ffprobe.readAllStandardOutput(), input)
            : QByteArray();
    if (!report.isEmpty()) {
        StandardOutput::write(report);
        return Status;
    }
    QByteArray complaint = ffprobe.readAllStandardError();
    if (complaint.isEmpty())
        complaint = input + ": cannot be read\n";
    StandardOutput::write(complaint);
    return Status;
}
