#pragma once

#include "engine/TaskRows.h"
#include "tasks/TaskColumnWidths.h"
#include "tasks/TaskListEditing.h"

#include <QModelIndex>
#include <QObject>

#include <functional>

struct TMainFormUi;

// The window side of editing the task list: Remove, Clear, Open, Move Up and Move Down, Convert
// Again and Reset Failed, a task's log, the popup menu's state, and the columns that keep their
// shares as the list changes width.
class TaskListCommands final : public QObject
{
    Q_OBJECT
public:
    // clearOutputPanel empties the Output panel once the tasks it may show are gone.
    TaskListCommands(QObject* parent, const TMainFormUi& ui,
                     std::function<void()> clearOutputPanel);

    void tbtnRemoveClick();
    void tbtnClearClick();
    // Open, and a double-click on a row: the preview plays the current task. A double-click
    // on a failed task's Status shows its log instead, which tells why it failed.
    void ltvTaskDblClick(const QModelIndex& cell = {});
    void mniShowLogClick();
    // Both leave the list alone while it is locked for a run.
    void mniConvertAgainClick();
    void mniResetFailedClick();
    void tbtnUpClick();
    void tbtnDownClick();
    void ppmTaskPopup();
    // The popup menu by the Menu key or Shift+F10: at the current task, or the list's corner.
    void popupAtCurrent();
    void ltvTaskResize();

    const TaskColumnWidths& columnWidths() const { return m_widths; }

signals:
    // Open: the preview is to play the current task. Whoever owns the preview connects it.
    void playSelectedTask();
    // A left click in the list off every row; a click on a row is the view's own clicked().
    void emptyAreaClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DisableListCommands();
    void showLog(int row);
    bool locked() const;

    const TMainFormUi& m_ui;
    std::function<void()> m_clearOutputPanel;
    QObject* m_viewport;
    TaskRows m_rows;
    TaskListEditing m_editing;
    TaskColumnWidths m_widths;
};
