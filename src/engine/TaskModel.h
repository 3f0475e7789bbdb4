#pragma once

#include "engine/TaskFields.h"
#include "engine/TaskRecord.h"

#include <QAbstractTableModel>
#include <QList>

class TaskLogs;

// The task list: one TaskRecord per row, shown in the columns TaskFields gives, of which the
// view shows the first four. Each column is a field of the record; the Status column's tooltip
// is the task's failure reason. Rows move, leave and arrive with their whole record.
class TaskModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        InputColumn,
        LengthColumn,
        SizeColumn,
        StatusColumn,
        NewNameColumn,
        NewExtColumn,
        SourceStartColumn,
        SourceEndColumn,
        ClipLengthColumn,
        StartTimeColumn,
        EndTimeColumn,
        ColumnCount = TaskColumnCount
    };
    static constexpr int VisibleColumns = StatusColumn + 1;
    // Changes to what the list does not show (the outcome) are told with this role, those to
    // the progress of a conversion under way alone with ProgressRole.
    static constexpr int RecordRole = Qt::UserRole;
    static constexpr int ProgressRole = Qt::UserRole + 1;

    explicit TaskModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

    // The record of a row; rows out of range give an empty record.
    const TaskRecord& task(int row) const;
    // Replaces the row's record; the view hears of the columns given (all by default), which
    // must be the ones whose texts changed.
    void setTask(int row, const TaskRecord& task, int firstColumn = 0,
                 int lastColumn = ColumnCount - 1, const QList<int>& roles = {});
    // Appends the record; returns its row.
    int append(const TaskRecord& task);
    // Appends the records as one insertion, however many there are.
    void append(const QList<TaskRecord>& tasks);
    const QList<TaskRecord>& tasks() const { return m_tasks; }
    // The two rows change places, each with its whole record.
    void exchange(int row, int other);
    // Whether a converting task's Status cell shows its progress ("Converting 42%"), as it does
    // when several tasks convert at once; the record's state keeps its word either way.
    void setProgressShown(bool shown) { m_progressShown = shown; }
    // Where the tasks' encoder messages are kept; none keeps them in the records.
    void setLogs(TaskLogs* logs) { m_logs = logs; }
    TaskLogs* logs() const { return m_logs; }

    // The text a column shows for a record.
    static QString text(const TaskRecord& task, int column);
    // Sets the field a column shows from its text.
    static void setText(TaskRecord& task, int column, const QString& text);

private:
    bool validRow(int row) const { return row >= 0 && row < m_tasks.size(); }

    QList<TaskRecord> m_tasks;
    bool m_progressShown = false;
    TaskLogs* m_logs = nullptr;
};
