#include "TaskRows.h"

#include "engine/CaptionIndex.h"
#include "engine/TaskLogs.h"
#include "engine/TaskModel.h"
#include "engine/TimeText.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {
// A field ReadTask and WriteTask copy, and the list's column for it.
struct CopiedField
{
    const TaskField* field;
    int column;
};

// The fields the working copy holds, in the order of TaskFields: the caption first, then the
// Fields. A mode's field is the one after it, which makes CaptionOnly the caption.
constexpr auto copiedFields = [] {
    std::array<CopiedField, TaskCopyCount> copied{};
    int next = 0;
    int column = 0;
    for (const TaskField& field : TaskFields) {
        if (field.copy)
            copied[next++] = {&field, field.column ? column : -1};
        if (field.column)
            ++column;
    }
    return copied;
}();
static_assert(TaskRows::CaptionOnly == -1 && TaskRows::FieldCount + 1 == TaskCopyCount);
// A row is rows of texts, one to a column: a field the run reads has a column, hidden if the
// view need not show it, so that a change of it is told as a change of that column.
static_assert([] {
    for (const CopiedField& copied : copiedFields) {
        if (copied.column < 0)
            return false;
    }
    return true;
}());

constexpr const CopiedField& copiedField(int mode)
{
    return copiedFields[mode + 1];
}
// The Fields other code names by their names.
static_assert(copiedField(TaskRows::CaptionOnly).column == TaskModel::InputColumn);
static_assert(copiedField(TaskRows::Length).field->copy == &ltvItemData::Length);
static_assert(copiedField(TaskRows::Status).column == TaskModel::StatusColumn);
static_assert(copiedField(TaskRows::ClipLength).field->copy == &ltvItemData::ClipLength);
static_assert(copiedField(TaskRows::EndTime).field->copy == &ltvItemData::EndTime);

bool copiedMode(int mode)
{
    return mode >= TaskRows::CaptionOnly && mode < TaskRows::FieldCount;
}

void readField(const TaskRecord& task, const TaskField& field, ltvItemData& record)
{
    record.*field.copy = TaskFieldText(task, field);
    if (field.seconds)
        record.*field.seconds = TextToSeconds(record.*field.copy);
}

// The record with every text the working copy holds taken from it.
TaskRecord withCopy(TaskRecord task, const ltvItemData& record)
{
    for (const CopiedField& copied : copiedFields)
        SetTaskFieldText(task, *copied.field, record.*copied.field->copy);
    return task;
}
} // namespace

TaskRows::TaskRows(TaskModel* model) : m_model(model) {}

void TaskRows::ReadTask(int row, int mode, ltvItemData& record) const
{
    if (!validRow(row))
        return;
    const TaskRecord& task = m_model->task(row);
    if (mode == WholeRecord) {
        for (const CopiedField& copied : copiedFields)
            readField(task, *copied.field, record);
    } else if (copiedMode(mode)) {
        readField(task, *copiedField(mode).field, record);
    }
}

void TaskRows::WriteTask(int row, int mode, const ltvItemData& record)
{
    if (!validRow(row))
        return;
    if (mode == WholeRecord) {
        m_model->setTask(row, withCopy(m_model->task(row), record));
    } else {
        // Its column only: a change of the caption column would have its lookup rebuilt.
        WriteTask(row, {mode}, record);
    }
}

void TaskRows::WriteTask(int row, std::initializer_list<int> modes, const ltvItemData& record)
{
    if (!validRow(row))
        return;
    TaskRecord task = m_model->task(row);
    int first = TaskModel::ColumnCount;
    int last = -1;
    for (const int mode : modes) {
        if (!copiedMode(mode))
            continue;
        const CopiedField& copied = copiedField(mode);
        SetTaskFieldText(task, *copied.field, record.*copied.field->copy);
        first = std::min(first, copied.column);
        last = std::max(last, copied.column);
    }
    // The columns between are told too: the view and the kept list ask no more.
    if (last >= 0)
        m_model->setTask(row, task, first, last);
}

int TaskRows::appendTask(const QString& path)
{
    ltvItemData record;
    record.InputFile = path;
    return appendTask(record);
}

int TaskRows::appendTask(const ltvItemData& record)
{
    return m_model->append(withCopy(TaskRecord(), record));
}

void TaskRows::appendTasks(const QList<ltvItemData>& records)
{
    QList<TaskRecord> tasks;
    tasks.reserve(records.size());
    for (const ltvItemData& record : records)
        tasks.append(withCopy(TaskRecord(), record));
    m_model->append(tasks);
}

void TaskRows::setState(int row, TaskState state, const QString& failureReason)
{
    if (!validRow(row))
        return;
    TaskRecord task = m_model->task(row);
    task.state = state;
    task.failureReason = failureReason;
    m_model->setTask(row, task, TaskModel::StatusColumn, TaskModel::StatusColumn);
}

void TaskRows::setProgress(int row, int percent)
{
    if (!validRow(row) || m_model->task(row).progress == percent)
        return;
    TaskRecord task = m_model->task(row);
    task.progress = percent;
    m_model->setTask(row, task, TaskModel::StatusColumn, TaskModel::StatusColumn,
                     {TaskModel::ProgressRole});
}

void TaskRows::setOutcome(int row, const QString& outputPath, const QString& encoderOutput)
{
    if (!validRow(row))
        return;
    TaskRecord task = m_model->task(row);
    task.outputPath = outputPath;
    task.encoderOutput = encoderOutput;
    if (TaskLogs* logs = m_model->logs(); logs && encoderOutput.isEmpty()) {
        logs->remove(std::exchange(task.logName, {}));
    } else if (logs) {
        // Kept in the record when the file cannot be written: shown, if not kept, either way.
        if (const QString name = logs->keep(task.logName, encoderOutput); !name.isEmpty()) {
            task.logName = name;
            task.encoderOutput.clear();
        }
    }
    m_model->setTask(row, task, TaskModel::StatusColumn, TaskModel::StatusColumn,
                     {TaskModel::RecordRole});
}

void TaskRows::resetTask(int row)
{
    if (!validRow(row))
        return;
    TaskRecord task = m_model->task(row);
    task.state = TaskState::Added;
    task.failureReason.clear();
    task.outputPath.clear();
    task.encoderOutput.clear();
    if (TaskLogs* logs = m_model->logs())
        logs->remove(std::exchange(task.logName, {}));
    task.progress = 0;
    m_model->setTask(row, task, TaskModel::StatusColumn, TaskModel::StatusColumn);
}

QString TaskRows::log(int row) const
{
    const TaskRecord& record = task(row);
    const TaskLogs* logs = m_model->logs();
    return record.encoderOutput.isEmpty() && logs ? logs->read(record.logName)
                                                  : record.encoderOutput;
}

const TaskRecord& TaskRows::task(int row) const
{
    return m_model->task(row);
}

QString TaskRows::failureReason(int row) const
{
    return validRow(row) ? m_model->task(row).failureReason : QString();
}

int TaskRows::rowCount() const
{
    return m_model->rowCount();
}

int TaskRows::indexOf(const QString& path) const
{
    return CaptionIndex::of(m_model)->row(path);
}

QString TaskRows::caption(int row) const
{
    return validRow(row) ? m_model->task(row).inputPath : QString();
}

bool TaskRows::validRow(int row) const
{
    return row >= 0 && row < m_model->rowCount();
}
