#include "TaskModel.h"

#include "engine/TaskStatus.h"

#include <utility>

namespace {
using Field = QString TaskRecord::*;

// The text field each column shows; the Status column shows the state's word instead.
constexpr Field fields[TaskModel::ColumnCount] = {
    &TaskRecord::inputPath,   &TaskRecord::length,
    &TaskRecord::size,        nullptr,
    &TaskRecord::newName,     &TaskRecord::newExt,
    &TaskRecord::sourceStart, &TaskRecord::sourceEnd,
    &TaskRecord::clipLength,  &TaskRecord::startTime,
    &TaskRecord::endTime,
};
} // namespace

TaskModel::TaskModel(QObject* parent) : QAbstractTableModel(parent) {}

int TaskModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_tasks.size());
}

int TaskModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString TaskModel::text(const TaskRecord& task, int column)
{
    if (column == StatusColumn)
        return TaskStatus::word(task.state);
    return column >= 0 && column < ColumnCount ? task.*fields[column] : QString();
}

void TaskModel::setText(TaskRecord& task, int column, const QString& text)
{
    if (column == StatusColumn)
        task.state = TaskStatus::state(text);
    else if (column >= 0 && column < ColumnCount)
        task.*fields[column] = text;
}

QVariant TaskModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !validRow(index.row()))
        return {};
    const TaskRecord& task = m_tasks.at(index.row());
    if (role == Qt::DisplayRole && index.column() == StatusColumn && m_progressShown &&
        task.state == TaskState::Converting)
        return QStringLiteral("%1 %2%").arg(text(task, StatusColumn)).arg(task.progress);
    if (role == Qt::DisplayRole)
        return text(task, index.column());
    if (role == Qt::ToolTipRole && index.column() == StatusColumn && !task.failureReason.isEmpty())
        return task.failureReason;
    return {};
}

QVariant TaskModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case InputColumn:
        return QStringLiteral("Input File");
    case LengthColumn:
        return QStringLiteral("Length");
    case SizeColumn:
        return QStringLiteral("Size");
    case StatusColumn:
        return QStringLiteral("Status");
    default:
        return QString();
    }
}

bool TaskModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count <= 0 || row < 0 || row + count > m_tasks.size())
        return false;
    beginRemoveRows({}, row, row + count - 1);
    m_tasks.remove(row, count);
    endRemoveRows();
    return true;
}

const TaskRecord& TaskModel::task(int row) const
{
    static const TaskRecord none;
    return validRow(row) ? m_tasks.at(row) : none;
}

void TaskModel::setTask(int row, const TaskRecord& task, int firstColumn, int lastColumn,
                        const QList<int>& roles)
{
    if (!validRow(row))
        return;
    m_tasks[row] = task;
    emit dataChanged(index(row, firstColumn), index(row, lastColumn), roles);
}

int TaskModel::append(const TaskRecord& task)
{
    const int row = int(m_tasks.size());
    beginInsertRows({}, row, row);
    m_tasks.append(task);
    endInsertRows();
    return row;
}

void TaskModel::append(const QList<TaskRecord>& tasks)
{
    if (tasks.isEmpty())
        return;
    const int row = int(m_tasks.size());
    beginInsertRows({}, row, row + int(tasks.size()) - 1);
    m_tasks.append(tasks);
    endInsertRows();
}

void TaskModel::exchange(int row, int other)
{
    if (!validRow(row) || !validRow(other) || row == other)
        return;
    std::swap(m_tasks[row], m_tasks[other]);
    emit dataChanged(index(std::min(row, other), 0), index(std::max(row, other), ColumnCount - 1));
}
