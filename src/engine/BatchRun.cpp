#include "BatchRun.h"

#include "base/PathText.h"
#include "engine/BatchRules.h"
#include "engine/EncoderCommand.h"
#include "engine/TaskRows.h"
#include "engine/TaskStatus.h"

#include <QTimer>

BatchRun::BatchRun(TaskRows& rows, const QString& encoderPath, QObject* parent)
    : QObject(parent), m_rows(rows), m_encoderPath(encoderPath)
{
    connect(&m_job, &ConversionJob::outputRead, this, &BatchRun::outputRead);
    connect(&m_job, &ConversionJob::advanced, this, &BatchRun::advanced);
    connect(&m_job, &ConversionJob::finished, this, &BatchRun::taskFinished);
    connect(&m_job, &ConversionJob::failedToStart, this, [this](const QString& reason) {
        cannotStart(QStringLiteral("Error on CreateProcess()"), reason);
    });
}

void BatchRun::later(void (BatchRun::*step)())
{
    // Each task starts from the event loop, so that the window handles what is pending first.
    const quint64 generation = m_generation;
    QTimer::singleShot(0, this, [this, step, generation] {
        if (generation == m_generation && m_state != Idle)
            (this->*step)();
    });
}

void BatchRun::RunBatch(const QString& arguments, const BatchSettings& settings)
{
    if (m_state != Idle)
        return;
    m_settings = settings;
    ++m_generation;
    m_currentBar = 0;
    m_totalBar = 0;
    m_clock.reset();
    emit started();
    m_state = Converting;
    m_done = 0;
    m_total = 0;
    emit clockRunning(true);
    QStringList inputs;
    for (int row = 0; row < m_rows.rowCount(); ++row) {
        ltvItemData task;
        m_rows.ReadTask(row, TaskRows::WholeRecord, task);
        m_total += task.ClipLengthSec;
        inputs << task.InputFile;
    }
    m_namer = OutputNamer(inputs);
    m_arguments = arguments;
    m_index = 0;
    m_failed = 0;
    m_stoppedTask = false;
    later(&BatchRun::startTask);
}

void BatchRun::startTask()
{
    if (m_state == StopRequested) {
        endStopped();
        return;
    }
    if (m_index >= m_rows.rowCount()) {
        complete();
        return;
    }
    ltvItemData task;
    m_rows.ReadTask(m_index, TaskRows::WholeRecord, task);
    m_clip = task.ClipLengthSec;
    setStatus(TaskState::Converting);
    emit convertingFile(FileNamePart(task.InputFile));
    m_output = m_namer.OutputPath(m_index, task, m_settings.outputFolder, m_settings.outputExt,
                                  m_settings.renameExisting);
    m_active = true;
    if (!m_job.start(
            m_encoderPath,
            ConversionCommandLine(task.InputFile, TaskArguments(m_arguments, task), m_output)))
        cannotStart(QStringLiteral("Error On CreatePipe()"), QStringLiteral("no encoder is set"));
}

void BatchRun::advanced()
{
    const double position = m_job.position();
    if (m_clip != 0) {
        if (const std::optional<int> percent = BarPosition(position / m_clip * 100))
            m_currentBar = *percent;
    }
    if (m_total != 0) {
        if (const std::optional<int> percent = BarPosition((m_done + position) / m_total * 100))
            m_totalBar = *percent;
    }
    m_rows.setProgress(m_index, m_currentBar);
    emit progressShown(m_currentBar, m_totalBar);
}

void BatchRun::taskFinished(const QString& failureReason)
{
    m_active = false;
    if (m_state == StopRequested) {
        m_stoppedTask = true;
        endStopped();
        return;
    }
    m_done += m_clip;
    m_rows.setOutcome(m_index, failureReason.isEmpty() ? m_output : QString(), m_job.lastLines());
    m_namer.written(m_output);
    if (!failureReason.isEmpty()) {
        ++m_failed;
        setStatus(TaskState::Failed, failureReason);
    } else {
        setStatus(TaskState::Complete);
    }
    const bool last = m_index + 1 >= m_rows.rowCount();
    if (!last) {
        m_currentBar = 0;
        emit progressShown(m_currentBar, m_totalBar);
    }
    if (last) {
        complete();
    } else {
        ++m_index;
        later(&BatchRun::startTask);
    }
}

void BatchRun::cannotStart(const QString& message, const QString& reason)
{
    m_active = false;
    emit clockRunning(false);
    setStatus(TaskState::Failed, QStringLiteral("The encoder could not be started: ") + reason);
    BatchOutcome outcome;
    outcome.kind = BatchOutcome::CannotStart;
    outcome.caption = QStringLiteral("Framewright");
    outcome.text = message;
    finishRun(outcome);
}

void BatchRun::endStopped()
{
    emit clockRunning(false);
    // Stopped between two tasks, the next one never began: it keeps its status.
    if (m_stoppedTask)
        setStatus(TaskState::Stopped);
    BatchOutcome outcome;
    outcome.kind = BatchOutcome::Stopped;
    outcome.caption = QStringLiteral("Cancel");
    outcome.text = QStringLiteral("The Coversion is canceled.");
    finishRun(outcome);
}

void BatchRun::complete()
{
    emit clockRunning(false);
    BatchOutcome outcome;
    outcome.kind = BatchOutcome::Completed;
    outcome.caption = QStringLiteral("Complete");
    outcome.text = m_failed == 0
                       ? QStringLiteral("The coversion is completed successfully.")
                       : QStringLiteral("%1 of %2 files could not be converted; the Status "
                                        "column tells why when you point at it.")
                             .arg(m_failed)
                             .arg(m_rows.rowCount());
    // Leaving or switching off would hide the failures: the user hears of them first.
    outcome.action = m_failed > 0                 ? BatchOutcome::Report
                     : m_settings.turnOffWhenDone ? BatchOutcome::PowerOff
                     : m_settings.exitWhenDone    ? BatchOutcome::Exit
                                                  : BatchOutcome::Report;
    outcome.openFolder = m_settings.openFolderWhenDone;
    outcome.folder = m_settings.outputFolder;
    finishRun(outcome);
}

void BatchRun::finishRun(BatchOutcome outcome)
{
    outcome.tasks = m_rows.rowCount();
    outcome.failed = m_failed;
    m_state = Idle;
    emit ended(outcome);
}

void BatchRun::Stop()
{
    if (m_state != Converting)
        return;
    m_state = StopRequested;
    StopEncoder();
    m_stoppedTask = m_active;
    // Between two tasks nothing runs; the next task's start notices the request instead.
    if (m_active) {
        m_active = false;
        later(&BatchRun::endStopped);
    }
}

void BatchRun::abandon()
{
    if (m_state == Idle)
        return;
    StopEncoder();
    emit clockRunning(false);
    if (m_active || (m_state == StopRequested && m_stoppedTask))
        setStatus(TaskState::Stopped);
    m_active = false;
    m_state = Idle;
    ++m_generation;
}

void BatchRun::StopEncoder()
{
    m_job.stop();
}

void BatchRun::setStatus(TaskState state, const QString& failureReason)
{
    m_rows.setState(m_index, state, failureReason);
}
