#include "EncoderProcess.h"

#include "platform/WindowsCommandLine.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>

EncoderProcess::EncoderProcess(QObject* parent) : QObject(parent) {}

EncoderProcess::~EncoderProcess()
{
    stop();
}

bool EncoderProcess::start(const QString& program, const QString& commandLine)
{
    stop();
    if (program.isEmpty())
        return false;
    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    // The encoder reads nothing; a closed input keeps it from waiting on ours.
    m_process->setStandardInputFile(QProcess::nullDevice());
    // An absolute path, so that a bare name is never looked up on PATH.
    m_process->setProgram(QFileInfo(program).absoluteFilePath());
    m_process->setArguments(SplitCommandLine(commandLine));
    m_process->start(QIODevice::ReadOnly);
    if (!m_process->waitForStarted(-1)) {
        m_process.reset();
        return false;
    }
    return true;
}

QByteArray EncoderProcess::read(int maxBytes, int timeoutMs)
{
    if (!m_process || maxBytes <= 0)
        return {};
    const QDeadlineTimer deadline =
        timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(timeoutMs);
    while (m_process->bytesAvailable() == 0) {
        // A finished QProcess has already drained its pipe into its buffer.
        if (m_process->state() == QProcess::NotRunning)
            return {};
        if (deadline.hasExpired())
            return {};
        if (!m_process->waitForReadyRead(int(deadline.remainingTime())) &&
            m_process->state() != QProcess::NotRunning && !deadline.hasExpired()) {
            // The output closed while the process runs on: nothing more can arrive.
            m_process->waitForFinished(int(deadline.remainingTime()));
        }
    }
    return m_process->read(maxBytes);
}

bool EncoderProcess::atEnd() const
{
    return !m_process ||
           (m_process->state() == QProcess::NotRunning && m_process->bytesAvailable() == 0);
}

bool EncoderProcess::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

void EncoderProcess::stop()
{
    if (!m_process)
        return;
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(-1);
    }
    m_process.reset();
}
