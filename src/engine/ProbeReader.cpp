#include "ProbeReader.h"

#include "platform/ProcessTies.h"

#include <QProcess>

#include <utility>

const QByteArray ProbeReader::ReportEnd = QByteArrayLiteral("--end of report--\n");

ProbeReader::ProbeReader(const QString& encoderPath, int limitMs, bool background,
                         QObject* parent)
    : QObject(parent), m_encoderPath(encoderPath), m_background(background)
{
    m_limit.setSingleShot(true);
    m_limit.setInterval(limitMs);
    connect(&m_limit, &QTimer::timeout, this, &ProbeReader::lost);
}

ProbeReader::~ProbeReader()
{
    stop();
}

bool ProbeReader::launch()
{
    m_process = new QProcess(this);
    m_process->setStandardErrorFile(QProcess::nullDevice());
    connect(m_process, &QProcess::readyReadStandardOutput, this, &ProbeReader::take);
    connect(m_process, &QProcess::finished, this, &ProbeReader::lost);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        const QString reason = m_process->errorString();
        endProcess();
        emit failedToStart(reason);
        tell(QByteArray());
    });
    // It reads and writes nothing but its report: killed outright when the program dies.
    StartTied(*m_process, m_encoderPath, {QStringLiteral("-probe-list")}, QIODevice::ReadWrite,
              WhenProgramDies::Kill, m_background);
    return m_process != nullptr;
}

void ProbeReader::read(const QString& path)
{
    m_path = path;
    if (!m_process && !launch())
        return; // told already
    m_limit.start();
    m_process->write(path.toUtf8() + '\n');
    // Written now, not on the event loop's next turn: one wake-up fewer for each file.
    m_process->waitForBytesWritten(0);
}

void ProbeReader::take()
{
    m_output += m_process->readAllStandardOutput();
    // The report ends with a line break, so its end marker is always a line of its own.
    const qsizetype end = m_output.indexOf('\n' + ReportEnd);
    if (end < 0 || !busy())
        return;
    const QByteArray report = m_output.left(end + 1);
    m_output.remove(0, end + 1 + ReportEnd.size());
    tell(report);
}

void ProbeReader::lost()
{
    // Died on the file, or stuck on it: the file cannot be read, the next one gets a new reader.
    endProcess();
    tell(QByteArray());
}

void ProbeReader::tell(const QByteArray& report)
{
    if (!busy())
        return;
    m_limit.stop();
    const QString path = std::exchange(m_path, QString());
    emit reported(path, report);
}

void ProbeReader::stop()
{
    endProcess();
    m_limit.stop();
    m_path.clear();
}

void ProbeReader::endProcess()
{
    m_output.clear();
    if (!m_process)
        return;
    // Inside one of the process's own signals, perhaps: it goes once they have returned.
    QProcess* process = std::exchange(m_process, nullptr);
    process->disconnect(this);
    process->kill();
    process->waitForFinished(1000);
    process->deleteLater();
}
