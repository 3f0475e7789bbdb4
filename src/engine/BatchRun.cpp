#include "BatchRun.h"

#include "base/PathText.h"
#include "engine/BatchRules.h"
#include "engine/EncoderCommand.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "engine/TaskStatus.h"
#include "platform/FileIdentity.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <utility>

BatchRun::BatchRun(TaskRows& rows, const QString& encoderPath, QObject* parent)
    : QObject(parent), m_rows(rows), m_encoderPath(encoderPath)
{
    // Files are read while a run converts when it starts before their reading ends.
    if (TaskModel* model = m_rows.model())
        connect(model, &TaskModel::dataChanged, this,
                [this](const QModelIndex& from, const QModelIndex& to, const QList<int>& roles) {
                    if (m_state == Idle || roles == QList<int>{TaskModel::ProgressRole} ||
                        from.column() > TaskModel::ClipLengthColumn ||
                        to.column() < TaskModel::ClipLengthColumn)
                        return;
                    for (int row = from.row(); row <= to.row(); ++row)
                        lengthRead(row);
                });
    // A task appended while the run converts joins it, as a watched folder's next file does.
    if (TaskModel* model = m_rows.model())
        connect(model, &TaskModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
            if (m_state != Converting || first != int(m_lengths.size()))
                return;
            for (int row = first; row <= last; ++row) {
                m_namer.remember(m_rows.caption(row));
                count(row);
            }
            later(&BatchRun::fill);
        });
}

void BatchRun::count(int row)
{
    if (m_settings.skipCompleted && m_rows.task(row).state == TaskState::Complete) {
        m_lengths.push_back(-1);
        return;
    }
    ltvItemData task;
    m_rows.ReadTask(row, TaskRows::ClipLength, task);
    // A file that could not be read has no length: it adds nothing.
    m_lengths.push_back(std::max(0.0, task.ClipLengthSec));
    m_total += m_lengths.back();
    ++m_tasks;
}

BatchRun::~BatchRun() = default;

void BatchRun::later(void (BatchRun::*step)())
{
    // Tasks start from the event loop, so that the window handles what is pending first.
    const quint64 generation = m_generation;
    QTimer::singleShot(0, this, [this, step, generation] {
        if (generation == m_generation && m_state != Idle)
            (this->*step)();
    });
}

int BatchRun::tasksAtOnce() const
{
    return std::max(1, m_settings.tasksAtOnce);
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
    m_lengths.clear();
    m_tasks = 0;
    emit clockRunning(true);
    QStringList inputs;
    for (int row = 0; row < m_rows.rowCount(); ++row) {
        inputs << m_rows.caption(row);
        count(row);
    }
    m_namer = OutputNamer(inputs);
    m_arguments = arguments;
    m_next = 0;
    m_failed = 0;
    m_stopped.clear();
    while (int(m_slots.size()) < tasksAtOnce()) {
        m_slots.push_back(std::make_unique<Slot>());
        Slot& slot = *m_slots.back();
        connect(&slot.job, &ConversionJob::outputRead, this, [this, &slot](const QString& text) {
            if (&slot == firstActive())
                emit outputRead(text);
        });
        connect(&slot.job, &ConversionJob::advanced, this, &BatchRun::advanced);
        connect(&slot.job, &ConversionJob::finished, this,
                [this, &slot](const QString& reason) { taskFinished(slot, reason); });
        connect(&slot.job, &ConversionJob::failedToStart, this, [this, &slot](const QString& why) {
            cannotStart(slot, QStringLiteral("Error on CreateProcess()"), why);
        });
    }
    if (TaskModel* model = m_rows.model())
        model->setProgressShown(tasksAtOnce() > 1);
    later(&BatchRun::fill);
}

void BatchRun::fill()
{
    if (m_state != Converting)
        return;
    for (int s = 0; s < tasksAtOnce() && m_state == Converting; ++s) {
        Slot& slot = *m_slots[s];
        while (slot.row < 0) {
            while (m_next < m_rows.rowCount() && m_settings.skipCompleted &&
                   m_rows.task(m_next).state == TaskState::Complete)
                ++m_next;
            if (m_next >= m_rows.rowCount())
                break;
            if (!startTask(slot, m_next++))
                return;
        }
    }
    if (m_state == Converting && !anyActive())
        complete();
}

bool BatchRun::startTask(Slot& slot, int row)
{
    ltvItemData task;
    m_rows.ReadTask(row, TaskRows::WholeRecord, task);
    // Moved or deleted since it was added: a plain reason rather than the encoder's complaint.
    if (!QFileInfo::exists(task.InputFile)) {
        refuse(row, QStringLiteral("The file no longer exists"));
        return true;
    }
    // A name from a kept list may have been edited to lead elsewhere; nothing is written, or
    // even claimed, outside the folder the user chose.
    const QString named =
        WithBackslash(m_settings.outputFolder) + task.NewFileName + m_settings.outputExt;
    if (!InOutputFolder(named, m_settings.outputFolder)) {
        refuse(row, QStringLiteral("The output \"%1\" is not in the output folder \"%2\"")
                        .arg(named, m_settings.outputFolder));
        return true;
    }
    slot.row = row;
    slot.clip = m_lengths[row];
    m_rows.setProgress(row, 0);
    m_rows.setState(row, TaskState::Converting);
    emit taskStarted(row);
    showConverting();
    slot.output = m_namer.OutputPath(row, task, m_settings.outputFolder, m_settings.outputExt,
                                     m_settings.renameExisting, &slot.claim);
    if (slot.job.start(
            m_encoderPath,
            ConversionCommandLine(task.InputFile, TaskArguments(m_arguments, task), slot.output)))
        return true;
    cannotStart(slot, QStringLiteral("Error On CreatePipe()"), QStringLiteral("no encoder is set"));
    return false;
}

void BatchRun::refuse(int row, const QString& reason)
{
    m_done += std::max(0.0, m_lengths[row]);
    ++m_failed;
    m_rows.setOutcome(row, QString(), QString());
    end(row, TaskState::Failed, reason);
}

void BatchRun::end(int row, TaskState state, const QString& reason)
{
    m_rows.setState(row, state, reason);
    emit taskEnded(row, state, m_rows.task(row).outputPath, reason);
}

void BatchRun::releaseClaim(Slot& slot)
{
    RemoveUntouchedFile(slot.output, std::exchange(slot.claim, QString()));
}

bool BatchRun::anyActive() const
{
    return firstActive() != nullptr;
}

const BatchRun::Slot* BatchRun::firstActive() const
{
    const Slot* first = nullptr;
    for (const auto& slot : m_slots) {
        if (slot->row >= 0 && (!first || slot->row < first->row))
            first = slot.get();
    }
    return first;
}

QList<int> BatchRun::convertingRows() const
{
    QList<int> rows;
    for (const auto& slot : m_slots) {
        if (slot->row >= 0)
            rows << slot->row;
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void BatchRun::lengthRead(int row)
{
    if (m_state == Idle || row < 0 || row >= int(m_lengths.size()) || m_lengths[row] < 0)
        return;
    ltvItemData task;
    m_rows.ReadTask(row, TaskRows::ClipLength, task);
    const double length = std::max(0.0, task.ClipLengthSec);
    const double change = length - std::exchange(m_lengths[row], length);
    m_total += change;
    for (const auto& slot : m_slots) {
        if (slot->row == row) {
            slot->clip = length;
            return;
        }
    }
    if (row < m_next) // its task has ended already
        m_done += change;
}

void BatchRun::showConverting()
{
    QStringList names;
    for (const int row : convertingRows())
        names << FileNamePart(m_rows.caption(row));
    if (!names.isEmpty())
        emit convertingFile(names.join(QStringLiteral(", ")));
}

void BatchRun::advanced()
{
    double clips = 0;
    double positions = 0;
    for (const auto& slot : m_slots) {
        if (slot->row < 0)
            continue;
        const double position = slot->job.position();
        clips += slot->clip;
        positions += position;
        if (slot->clip != 0) {
            if (const std::optional<int> percent = BarPosition(position / slot->clip * 100))
                m_rows.setProgress(slot->row, *percent);
        }
    }
    // The current bar sums the tasks under way: with one at a time, that task's progress.
    if (clips != 0) {
        if (const std::optional<int> percent = BarPosition(positions / clips * 100))
            m_currentBar = *percent;
    }
    if (m_total != 0) {
        if (const std::optional<int> percent = BarPosition((m_done + positions) / m_total * 100))
            m_totalBar = *percent;
    }
    emit progressShown(m_currentBar, m_totalBar);
}

void BatchRun::taskFinished(Slot& slot, const QString& failureReason)
{
    const int row = slot.row;
    slot.row = -1;
    if (m_state != Converting)
        return; // Stop has already told the task's end
    m_done += slot.clip;
    m_rows.setOutcome(row, failureReason.isEmpty() ? slot.output : QString(), slot.job.log());
    m_namer.written(slot.output);
    if (!failureReason.isEmpty()) {
        releaseClaim(slot);
        ++m_failed;
        end(row, TaskState::Failed, failureReason);
    } else {
        end(row, TaskState::Complete);
    }
    const bool more = m_next < m_rows.rowCount();
    if (!more && !anyActive()) {
        complete();
        return;
    }
    m_currentBar = 0;
    if (anyActive())
        advanced();
    else
        emit progressShown(m_currentBar, m_totalBar);
    showConverting();
    if (more)
        later(&BatchRun::fill);
}

void BatchRun::cannotStart(Slot& slot, const QString& message, const QString& reason)
{
    const int row = slot.row;
    slot.row = -1;
    releaseClaim(slot);
    const QList<int> stopped = stopJobs();
    emit clockRunning(false);
    for (const int other : stopped)
        end(other, TaskState::Stopped);
    end(row, TaskState::Failed, QStringLiteral("The encoder could not be started: ") + reason);
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
    for (const int row : std::as_const(m_stopped))
        end(row, TaskState::Stopped);
    BatchOutcome outcome;
    outcome.kind = BatchOutcome::Stopped;
    outcome.caption = QStringLiteral("Cancel");
    outcome.text = QStringLiteral("The Coversion is canceled.");
    finishRun(outcome);
}

void BatchRun::complete()
{
    emit clockRunning(false);
    finishRun(CompletedOutcome(m_failed, m_tasks, m_settings));
}

void BatchRun::finishRun(BatchOutcome outcome)
{
    outcome.tasks = m_tasks;
    outcome.failed = m_failed;
    m_state = Idle;
    emit ended(outcome);
}

void BatchRun::Stop()
{
    if (m_state != Converting)
        return;
    m_state = StopRequested;
    m_stopped = stopJobs();
    later(&BatchRun::endStopped);
}

void BatchRun::abandon()
{
    if (m_state == Idle)
        return;
    const QList<int> stopped = stopJobs();
    emit clockRunning(false);
    for (const int row : stopped)
        end(row, TaskState::Stopped);
    m_state = Idle;
    ++m_generation;
}

QList<int> BatchRun::stopJobs()
{
    QList<int> stopped;
    // Each is asked to end and let go of at once; it cleans up in its own time.
    for (const auto& slot : m_slots) {
        slot->job.stop();
        if (slot->row >= 0) {
            m_rows.setOutcome(slot->row, QString(), slot->job.log());
            releaseClaim(*slot);
            stopped << slot->row;
        }
        slot->row = -1;
    }
    return stopped;
}
