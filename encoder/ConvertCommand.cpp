#include "ConvertCommand.h"

#include "ChildGuard.h"
#include "ProgressLine.h"
#include "StandardOutput.h"

#include <QFile>

namespace {

constexpr int ProgressPeriodMs = 500;
constexpr int CannotStartStatus = 127;

} // namespace

ConvertCommand::ConvertCommand(const QByteArrayList& arguments, QObject* parent)
    : QObject(parent), m_arguments(ffmpegArguments(arguments))
{
    ChildGuard::attach(m_ffmpeg);
    m_ffmpeg.setStandardInputFile(QProcess::nullDevice());
    connect(&m_ffmpeg, &QProcess::readyReadStandardError, this, &ConvertCommand::readMessages);
    connect(&m_ffmpeg, &QProcess::readyReadStandardOutput, this, &ConvertCommand::readProgress);
    connect(&m_ffmpeg, &QProcess::finished, this, &ConvertCommand::ffmpegFinished);
    connect(&m_ffmpeg, &QProcess::errorOccurred, this, &ConvertCommand::ffmpegFailed);

    // ffmpeg reports only while it makes progress; a slow encoder start or a long
    // flush at the end would otherwise leave the window without a text for too long.
    m_heartbeat.setInterval(ProgressPeriodMs / 5);
    connect(&m_heartbeat, &QTimer::timeout, this, &ConvertCommand::tick);
}

QStringList ConvertCommand::ffmpegArguments(const QByteArrayList& arguments)
{
    // -progress reports about every half second (ffmpeg's default period); asking for
    // that period explicitly would only add a notice to the messages.
    QStringList list{QStringLiteral("-nostdin"), QStringLiteral("-hide_banner"),
                     QStringLiteral("-nostats"), QStringLiteral("-progress"),
                     QStringLiteral("pipe:1")};
    for (const QByteArray& argument : arguments)
        list << QFile::decodeName(argument);
    return list;
}

void ConvertCommand::start()
{
    m_sinceProgress.start();
    m_heartbeat.start();
    m_ffmpeg.start(QStringLiteral("ffmpeg"), m_arguments);
}

void ConvertCommand::readMessages()
{
    const QByteArray lines = m_messages.feed(m_ffmpeg.readAllStandardError());
    if (!lines.isEmpty())
        StandardOutput::write(lines);
}

void ConvertCommand::readProgress()
{
    if (m_progress.feed(m_ffmpeg.readAllStandardOutput()))
        writeProgress();
}

void ConvertCommand::tick()
{
    if (m_sinceProgress.elapsed() >= ProgressPeriodMs - ProgressPeriodMs / 5)
        writeProgress();
}

void ConvertCommand::writeProgress()
{
    StandardOutput::write(ProgressLine::text(m_progress.position()));
    m_sinceProgress.restart();
}

void ConvertCommand::ffmpegFinished(int exitCode, QProcess::ExitStatus status)
{
    m_heartbeat.stop();
    readMessages();
    const QByteArray rest = m_messages.flush();
    if (!rest.isEmpty())
        StandardOutput::write(rest);
    const bool reported = m_progress.feed(m_ffmpeg.readAllStandardOutput());
    if (m_progress.finish() || reported)
        writeProgress();
    if (status != QProcess::NormalExit) {
        StandardOutput::write("ffmpeg ended abnormally\n");
        emit finished(1);
        return;
    }
    emit finished(exitCode);
}

void ConvertCommand::ffmpegFailed(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart)
        return; // crashes arrive through finished()
    m_heartbeat.stop();
    StandardOutput::write("ffmpeg could not be started: " + m_ffmpeg.errorString().toUtf8() + "\n");
    emit finished(CannotStartStatus);
}
