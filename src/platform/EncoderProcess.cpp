#include "EncoderProcess.h"

#include "platform/ProcessTies.h"
#include "platform/WindowsCommandLine.h"

#include <QProcess>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <utility>

EncoderProcess::EncoderProcess(QObject* parent) : QObject(parent) {}

EncoderProcess::~EncoderProcess()
{
    stop();
    // The program is closing: what is winding down gets the rest of its grace to remove its
    // unfinished output, and nothing is left running behind us.
    for (const WindingDown& ending : std::exchange(m_windingDown, {})) {
        ending.process->disconnect(this);
        if (!ending.process->waitForFinished(
                int(std::max<qint64>(0, ending.grace.remainingTime())))) {
            ending.process->kill();
            ending.process->waitForFinished(-1);
        }
    }
}

bool EncoderProcess::launch(const QString& program, const QString& commandLine)
{
    stop();
    m_error.clear();
    if (program.isEmpty()) {
        m_error = QStringLiteral("no program");
        return false;
    }
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    // The encoder reads nothing; a closed input keeps it from waiting on ours.
    m_process->setStandardInputFile(QProcess::nullDevice());
    connect(m_process, &QProcess::readyRead, this, &EncoderProcess::drain);
    connect(m_process, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus status) {
                drain(); // what was buffered before the end still comes as reads
                if (!m_process)
                    return; // stopped by a receiver
                release();
                emit finished(exitCode, status == QProcess::CrashExit);
            });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart || !m_process)
            return;
        m_error = m_process->errorString();
        release();
        emit failedToStart(m_error);
    });
    // Ended with us even when we die without running a destructor: asked, not killed, so that
    // the encoder removes its unfinished output on the way.
    StartTied(*m_process, program, SplitCommandLine(commandLine), QIODevice::ReadOnly,
              WhenProgramDies::Terminate, m_background);
    return true;
}

void EncoderProcess::drain()
{
    const QScopedValueRollback<bool> delivering(m_delivering, true);
    // A receiver may stop the encoder in the middle; then nothing more is delivered.
    while (m_process && m_process->bytesAvailable() > 0)
        emit outputArrived(m_process->read(ReadSize));
}

void EncoderProcess::release()
{
    // We are inside one of the process's own signals: it goes once they have returned.
    m_process->disconnect(this);
    m_process->deleteLater();
    m_process = nullptr;
}

bool EncoderProcess::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

qint64 EncoderProcess::processId() const
{
    return m_process ? m_process->processId() : 0;
}

void EncoderProcess::stop()
{
    if (!m_process)
        return;
    QProcess* process = std::exchange(m_process, nullptr);
    process->disconnect(this);
    if (process->state() == QProcess::NotRunning) {
        if (m_delivering)
            process->deleteLater();
        else
            delete process;
        return;
    }
    // Asked first, so that it can remove its unfinished output and take its own child down;
    // killed when it is still at it after the grace. Nobody waits: it goes once it has ended.
    process->terminate();
    m_windingDown.push_back({process, QDeadlineTimer(StopGraceMs)});
    QTimer::singleShot(StopGraceMs, Qt::PreciseTimer, process, [process] { process->kill(); });
    connect(process, &QProcess::stateChanged, this, [this, process](QProcess::ProcessState state) {
        if (state == QProcess::NotRunning)
            settle(process);
    });
}

void EncoderProcess::stopAndDeleteLater()
{
    stop();
    m_deleteWhenSettled = true;
    if (m_windingDown.empty())
        deleteLater();
}

void EncoderProcess::settle(QProcess* process)
{
    // Inside its own signal: it goes once that has returned.
    process->disconnect(this);
    process->deleteLater();
    m_windingDown.erase(
        std::find_if(m_windingDown.begin(), m_windingDown.end(),
                     [process](const WindingDown& ending) { return ending.process == process; }));
    if (m_deleteWhenSettled && m_windingDown.empty())
        deleteLater();
}
