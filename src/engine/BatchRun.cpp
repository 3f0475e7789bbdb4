#include "BatchRun.h"

#include "base/PathText.h"
#include "engine/BatchRules.h"
#include "engine/EncoderCommand.h"
#include "engine/TaskRows.h"
#include "engine/TaskStatus.h"

#include <QTimer>

namespace {
constexpr int StatusField = 2; // the sub-item that holds Status

QString failureText(int exitCode, bool crashed, const QString& lastLines)
{
    QString text = crashed ? QStringLiteral("The encoder crashed.")
                           : QStringLiteral("The encoder ended with status %1.").arg(exitCode);
    if (!lastLines.isEmpty())
        text += QLatin1Char('\n') + lastLines;
    return text;
}
} // namespace

BatchRun::BatchRun(TaskRows& rows, const QString& encoderPath, QObject* parent)
    : QObject(parent), m_rows(rows), m_encoderPath(encoderPath), m_decoder(QStringDecoder::Utf8)
{
    connect(&m_encoder, &EncoderProcess::outputArrived, this, &BatchRun::read);
    connect(&m_encoder, &EncoderProcess::finished, this, &BatchRun::taskFinished);
    connect(&m_encoder, &EncoderProcess::failedToStart, this, [this](const QString& reason) {
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
    m_cur = 0;
    ltvItemData task;
    m_rows.ReadTask(m_index, TaskRows::WholeRecord, task);
    m_clip = task.ClipLengthSec;
    setStatus(TaskStatus::Converting);
    emit convertingFile(FileNamePart(task.InputFile));
    const QString output = m_namer.OutputPath(m_index, task, m_settings.outputFolder,
                                              m_settings.outputExt, m_settings.renameExisting);
    m_reads = 0;
    m_tail.clear();
    m_decoder.resetState();
    m_active = true;
    if (!m_encoder.launch(
            m_encoderPath,
            ConversionCommandLine(task.InputFile, TaskArguments(m_arguments, task), output)))
        cannotStart(QStringLiteral("Error On CreatePipe()"), QStringLiteral("no encoder is set"));
}

void BatchRun::read(const QByteArray& bytes)
{
    const QString text = m_decoder(bytes);
    emit outputRead(text);
    m_tail.add(text);
    // The first two reads carry the encoder's banner, never a position.
    if (m_reads >= 2) {
        if (const std::optional<double> seconds = ProgressSeconds(text);
            seconds && *seconds > m_cur)
            m_cur = *seconds;
        if (m_clip != 0) {
            if (const std::optional<int> position = BarPosition(m_cur / m_clip * 100))
                m_currentBar = *position;
        }
        if (m_total != 0) {
            if (const std::optional<int> position = BarPosition((m_done + m_cur) / m_total * 100))
                m_totalBar = *position;
        }
        emit progressShown(m_currentBar, m_totalBar);
    }
    ++m_reads;
}

void BatchRun::taskFinished(int exitCode, bool crashed)
{
    m_active = false;
    if (m_state == StopRequested) {
        m_stoppedTask = true;
        endStopped();
        return;
    }
    m_done += m_clip;
    if (crashed || exitCode != 0) {
        ++m_failed;
        setStatus(TaskStatus::Failed, failureText(exitCode, crashed, m_tail.text()));
    } else {
        setStatus(TaskStatus::Complete);
    }
    const bool last = m_index + 1 >= m_rows.rowCount();
    if (!last) {
        m_currentBar = 0;
        emit progressShown(m_currentBar, m_totalBar);
    }
    StopEncoder();
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
    setStatus(TaskStatus::Failed, QStringLiteral("The encoder could not be started: ") + reason);
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
        setStatus(TaskStatus::Stopped);
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
        setStatus(TaskStatus::Stopped);
    m_active = false;
    m_state = Idle;
    ++m_generation;
}

void BatchRun::StopEncoder()
{
    m_encoder.stop();
}

void BatchRun::setStatus(const char* word, const QString& toolTip)
{
    ltvItemData record;
    record.Status = QLatin1String(word);
    m_rows.WriteTask(m_index, StatusField, record);
    m_rows.setSubItemToolTip(m_index, StatusField, toolTip);
}
