#include "TaskRows.h"

#include "engine/CaptionIndex.h"
#include "engine/TaskModel.h"
#include "engine/TimeText.h"

namespace {
using TextField = QString ltvItemData::*;
using NumberField = double ltvItemData::*;

// The working copy's text for each Field, in row order.
constexpr TextField fieldTexts[TaskRows::FieldCount] = {
    &ltvItemData::Length,      &ltvItemData::Size,       &ltvItemData::Status,
    &ltvItemData::NewFileName, &ltvItemData::NewFileExt, &ltvItemData::SourceStart,
    &ltvItemData::SourceEnd,   &ltvItemData::ClipLength, &ltvItemData::StartTime,
    &ltvItemData::EndTime,
};

// The number derived from each Field's text; null where the text is not a time.
constexpr NumberField fieldNumbers[TaskRows::FieldCount] = {
    &ltvItemData::LengthSec,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    &ltvItemData::SourceStartSec,
    &ltvItemData::SourceEndSec,
    &ltvItemData::ClipLengthSec,
    &ltvItemData::StartTimeSec,
    &ltvItemData::EndTimeSec,
};

// The column that shows a Field: the caption comes first.
constexpr int columnOf(int field)
{
    return field + 1;
}
static_assert(columnOf(TaskRows::Status) == TaskModel::StatusColumn);
static_assert(columnOf(TaskRows::EndTime) == TaskModel::EndTimeColumn);

void readField(const TaskRecord& task, int field, ltvItemData& record)
{
    record.*fieldTexts[field] = TaskModel::text(task, columnOf(field));
    if (fieldNumbers[field])
        record.*fieldNumbers[field] = TextToSeconds(record.*fieldTexts[field]);
}
} // namespace

TaskRows::TaskRows(TaskModel* model) : m_model(model) {}

void TaskRows::ReadTask(int row, int mode, ltvItemData& record) const
{
    if (!validRow(row))
        return;
    const TaskRecord& task = m_model->task(row);
    if (mode == WholeRecord) {
        record.InputFile = task.inputPath;
        for (int field = 0; field < FieldCount; ++field)
            readField(task, field, record);
    } else if (mode == CaptionOnly) {
        record.InputFile = task.inputPath;
    } else if (mode >= 0 && mode < FieldCount) {
        readField(task, mode, record);
    }
}

void TaskRows::WriteTask(int row, int mode, const ltvItemData& record)
{
    if (!validRow(row))
        return;
    TaskRecord task = m_model->task(row);
    if (mode == WholeRecord) {
        task.inputPath = record.InputFile;
        for (int field = 0; field < FieldCount; ++field)
            TaskModel::setText(task, columnOf(field), record.*fieldTexts[field]);
        m_model->setTask(row, task);
    } else if (mode == CaptionOnly) {
        task.inputPath = record.InputFile;
        m_model->setTask(row, task, TaskModel::InputColumn, TaskModel::InputColumn);
    } else if (mode >= 0 && mode < FieldCount) {
        // One column only: a change of the caption column would have its lookup rebuilt.
        TaskModel::setText(task, columnOf(mode), record.*fieldTexts[mode]);
        m_model->setTask(row, task, columnOf(mode), columnOf(mode));
    }
}

int TaskRows::appendTask(const QString& path)
{
    ltvItemData record;
    record.InputFile = path;
    return appendTask(record);
}

namespace {
TaskRecord recordOf(const ltvItemData& record)
{
    TaskRecord task;
    task.inputPath = record.InputFile;
    for (int field = 0; field < TaskRows::FieldCount; ++field)
        TaskModel::setText(task, columnOf(field), record.*fieldTexts[field]);
    return task;
}
} // namespace

int TaskRows::appendTask(const ltvItemData& record)
{
    return m_model->append(recordOf(record));
}

void TaskRows::appendTasks(const QList<ltvItemData>& records)
{
    QList<TaskRecord> tasks;
    tasks.reserve(records.size());
    for (const ltvItemData& record : records)
        tasks.append(recordOf(record));
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
    task.progress = 0;
    m_model->setTask(row, task, TaskModel::StatusColumn, TaskModel::StatusColumn);
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
