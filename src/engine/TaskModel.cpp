#include "TaskModel.h"

#include <array>
#include <utility>

namespace {
// The field each column shows, in the order of TaskFields.
constexpr auto columnFields = [] {
    std::array<const TaskField*, TaskModel::ColumnCount> fields{};
    int column = 0;
    for (const TaskField& field : TaskFields) {
        if (field.column)
            fields[column++] = &field;
    }
    return fields;
}();
// The columns other code names by their names.
static_assert(columnFields[TaskModel::InputColumn]->text == &TaskRecord::inputPath);
static_assert(columnFields[TaskModel::StatusColumn]->text == nullptr);
static_assert(columnFields[TaskModel::EndTimeColumn]->text == &TaskRecord::endTime);

const TaskField* fieldOf(int column)
{
    return column >= 0 && column < TaskModel::ColumnCount ? columnFields[column] : nullptr;
}
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
    const TaskField* field = fieldOf(column);
    return field ? TaskFieldText(task, *field) : QString();
}

void TaskModel::setText(TaskRecord& task, int column, const QString& text)
{
    if (const TaskField* field = fieldOf(column))
        SetTaskFieldText(task, *field, text);
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
    const TaskField* field = fieldOf(section);
    return field ? QString::fromLatin1(field->header) : QString();
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
