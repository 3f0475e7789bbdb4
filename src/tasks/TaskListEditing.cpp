#include "TaskListEditing.h"

#include "engine/TaskModel.h"
#include "engine/TaskRows.h"

#include <QItemSelectionModel>

TaskListEditing::TaskListEditing(TaskRows& rows, QItemSelectionModel* selection)
    : m_rows(rows), m_selection(selection)
{}

bool TaskListEditing::isSelected(int row) const
{
    return m_selection->isSelected(m_rows.model()->index(row, 0));
}

int TaskListEditing::currentTask() const
{
    // From the selection's ranges, not row by row: asked after every file read, with
    // thousands of rows.
    int first = -1;
    for (const QItemSelectionRange& range : m_selection->selection()) {
        if (range.isValid() && range.left() <= 0 && range.right() >= 0 &&
            (first < 0 || range.top() < first))
            first = range.top();
    }
    return first < m_rows.rowCount() ? first : -1;
}

void TaskListEditing::RemoveSelected()
{
    for (int row = m_rows.rowCount() - 1; row >= 0; --row) {
        if (isSelected(row))
            m_rows.model()->removeRow(row);
    }
}

void TaskListEditing::Clear()
{
    m_rows.model()->removeRows(0, m_rows.rowCount());
}

void TaskListEditing::ConvertAgain()
{
    for (int row = 0; row < m_rows.rowCount(); ++row) {
        if (isSelected(row))
            m_rows.resetTask(row);
    }
}

void TaskListEditing::ResetFailed()
{
    for (int row = 0; row < m_rows.rowCount(); ++row) {
        const TaskState state = m_rows.task(row).state;
        if (state == TaskState::Failed || state == TaskState::Stopped)
            m_rows.resetTask(row);
    }
}

void TaskListEditing::MoveUp()
{
    if (currentTask() < 0)
        return;
    for (int row = 1; row < m_rows.rowCount(); ++row) {
        if (!isSelected(row))
            continue;
        exchange(row, row - 1);
        select(row - 1, true);
        select(row, false);
    }
}

void TaskListEditing::MoveDown()
{
    if (currentTask() < 0)
        return;
    for (int row = m_rows.rowCount() - 2; row >= 0; --row) {
        if (!isSelected(row))
            continue;
        exchange(row, row + 1);
        select(row + 1, true);
        select(row, false);
    }
}

void TaskListEditing::exchange(int row, int other)
{
    // The whole record travels, status and failure reason included.
    m_rows.model()->exchange(row, other);
}

void TaskListEditing::select(int row, bool selected)
{
    const auto command = selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect;
    m_selection->select(m_rows.model()->index(row, 0), command | QItemSelectionModel::Rows);
}
