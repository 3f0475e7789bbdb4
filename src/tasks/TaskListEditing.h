#pragma once

class QItemSelectionModel;
class TaskRows;

// The edits of the task list that need no window: removing, clearing and moving rows, with the
// list's selection. A row counts as selected when its caption cell is.
class TaskListEditing final
{
public:
    TaskListEditing(TaskRows& rows, QItemSelectionModel* selection);

    bool isSelected(int row) const;
    // The current task: the first selected row, -1 when none is selected.
    int currentTask() const;

    // Deletes every selected row, walking from the last row to the first.
    void RemoveSelected();
    void Clear();

    // Every selected task goes back to Added, to be converted again by the next run.
    void ConvertAgain();
    // Every failed or stopped task goes back to Added.
    void ResetFailed();

    // Each selected row below row 0 changes places with the row above it and the selection goes
    // with it. The walk runs from the top down, so a block of selected rows moves up as a block,
    // and a block that starts at row 0 collapses onto row 0.
    void MoveUp();
    // The mirror image: from the bottom up, each selected row above the last one moves down.
    void MoveDown();

private:
    void exchange(int row, int other);
    void select(int row, bool selected);

    TaskRows& m_rows;
    QItemSelectionModel* m_selection;
};
