#include "TaskListCommands.h"

#include "TMainFormUi.h"
#include "TaskLogDialog.h"
#include "engine/TaskModel.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QTreeView>

TaskListCommands::TaskListCommands(QObject* parent, const TMainFormUi& ui,
                                   std::function<void()> clearOutputPanel)
    : QObject(parent), m_ui(ui), m_clearOutputPanel(std::move(clearOutputPanel)),
      m_viewport(ui.ltvTask->viewport()), m_rows(ui.taskModel),
      m_editing(m_rows, ui.ltvTask->selectionModel())
{
    // The header's own floor would stop a shrink above ours, and the two would disagree.
    m_ui.ltvTask->header()->setMinimumSectionSize(TaskColumnWidths::MinimumWidth);
    m_ui.ltvTask->installEventFilter(this);
    m_viewport->installEventFilter(this);
    connect(m_ui.ltvTask, &QTreeView::customContextMenuRequested, this,
            [this](QPoint at) { m_ui.ppmTask->popup(m_ui.ltvTask->viewport()->mapToGlobal(at)); });
    connect(m_ui.ppmTask, &QMenu::aboutToShow, this, [this] { ppmTaskPopup(); });
}

void TaskListCommands::tbtnRemoveClick()
{
    m_editing.RemoveSelected();
    m_clearOutputPanel();
    if (m_rows.rowCount() == 0)
        DisableListCommands();
}

void TaskListCommands::tbtnClearClick()
{
    m_editing.Clear();
    m_clearOutputPanel();
    DisableListCommands();
}

void TaskListCommands::ltvTaskDblClick(const QModelIndex& cell)
{
    if (cell.column() == TaskModel::StatusColumn &&
        m_rows.task(cell.row()).state == TaskState::Failed)
        showLog(cell.row());
    else if (m_editing.currentTask() >= 0)
        emit playSelectedTask();
}

void TaskListCommands::mniShowLogClick()
{
    showLog(m_editing.currentTask());
}

void TaskListCommands::showLog(int row)
{
    if (row < 0 || row >= m_rows.rowCount())
        return;
    const TaskRecord& task = m_rows.task(row);
    (new TaskLogDialog(task.inputPath, m_rows.log(row), m_ui.ltvTask->window()))->show();
}

void TaskListCommands::mniConvertAgainClick()
{
    if (!locked())
        m_editing.ConvertAgain();
}

void TaskListCommands::mniResetFailedClick()
{
    if (!locked())
        m_editing.ResetFailed();
}

bool TaskListCommands::locked() const
{
    // A run disables the list: it writes the statuses itself.
    return !m_ui.ltvTask->isEnabled();
}

void TaskListCommands::tbtnUpClick()
{
    m_editing.MoveUp();
}

void TaskListCommands::tbtnDownClick()
{
    m_editing.MoveDown();
}

void TaskListCommands::ppmTaskPopup()
{
    const bool selected = m_editing.currentTask() >= 0;
    bool resettable = false;
    for (int row = 0; row < m_rows.rowCount() && !resettable; ++row) {
        const TaskState state = m_rows.task(row).state;
        resettable = state == TaskState::Failed || state == TaskState::Stopped;
    }
    m_ui.mniOpen->setEnabled(selected);
    m_ui.mniShowLog->setEnabled(selected);
    m_ui.mniConvertAgain->setEnabled(selected && !locked());
    m_ui.mniResetFailed->setEnabled(resettable && !locked());
    m_ui.mniRemove->setEnabled(selected);
    m_ui.mniClear->setEnabled(m_rows.rowCount() > 0);
    m_ui.mniAddFiles->setEnabled(true);
    m_ui.mniAddDir->setEnabled(true);
}

void TaskListCommands::ltvTaskResize()
{
    TaskColumnWidths::Widths widths;
    for (int column = 0; column < int(widths.size()); ++column)
        widths[column] = m_ui.ltvTask->columnWidth(column);
    const TaskColumnWidths::Widths resized = m_widths.resized(m_ui.ltvTask->width(), widths);
    for (int column = 0; column < int(resized.size()); ++column) {
        if (resized[column] != widths[column])
            m_ui.ltvTask->setColumnWidth(column, resized[column]);
    }
}

void TaskListCommands::DisableListCommands()
{
    for (QToolButton* button : m_ui.listCommands())
        button->setEnabled(false);
}

void TaskListCommands::popupAtCurrent()
{
    const QRect row = m_ui.ltvTask->visualRect(m_ui.ltvTask->currentIndex());
    const QPoint at = row.isValid() ? row.bottomLeft() : QPoint(0, 0);
    m_ui.ppmTask->popup(m_ui.ltvTask->viewport()->mapToGlobal(at));
}

bool TaskListCommands::eventFilter(QObject* watched, QEvent* event)
{
    // Events also come while the list is being destroyed: compare pointers, call nothing.
    if (event->type() == QEvent::Resize && watched == m_ui.ltvTask) {
        ltvTaskResize();
    } else if (event->type() == QEvent::KeyPress && watched == m_ui.ltvTask) {
        // The keyboard's own ways to the popup menu, shown at the current task.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Menu ||
            (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            popupAtCurrent();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease && watched == m_viewport) {
        // The view reports clicks on rows only. Off the rows it clears the selection as it
        // handles this release, after this filter: the news must wait until it has.
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton &&
            !m_ui.ltvTask->indexAt(release->position().toPoint()).isValid())
            QMetaObject::invokeMethod(
                this, [this] { emit emptyAreaClicked(); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}
