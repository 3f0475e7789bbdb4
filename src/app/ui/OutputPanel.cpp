#include "OutputPanel.h"

#include "BalloonTip.h"
#include "TMainFormUi.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/ValueListEditor.h"
#include "tasks/OutputOptions.h"
#include "tasks/TaskListEditing.h"

#include <QEvent>
#include <QItemSelectionModel>
#include <QStyle>
#include <QTreeView>

namespace {
const QString kNewFilename = QStringLiteral("New Filename");
const QString kStartTime = QStringLiteral("Start Time");
const QString kEndTime = QStringLiteral("End Time");
} // namespace

OutputPanel::OutputPanel(QObject* parent, const TMainFormUi& ui, Hooks hooks)
    : QObject(parent), m_ui(ui), m_hooks(std::move(hooks))
{
    grid()->viewport()->installEventFilter(this);
    connect(grid(), &ValueListEditor::clicked, this, [this] { vleOutputClick(); });
    // Keys, removals, moves and Clear change the current task without a click: the panel
    // follows. A rewritten row is looked at once the change is complete: a move rewrites two
    // rows before the selection moves with them.
    const auto follow = [this] { followCurrentTask(); };
    connect(m_ui.ltvTask->selectionModel(), &QItemSelectionModel::selectionChanged, this, follow);
    connect(m_ui.taskModel, &QAbstractItemModel::rowsRemoved, this, follow);
    connect(m_ui.taskModel, &QAbstractItemModel::modelReset, this, follow);
    connect(m_ui.taskModel, &QAbstractItemModel::dataChanged, this, [this] {
        if (m_followPending)
            return;
        m_followPending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_followPending = false;
                followCurrentTask();
            },
            Qt::QueuedConnection);
    });
}

void OutputPanel::followCurrentTask()
{
    const int row = currentTask();
    const QString path = row < 0 ? QString() : TaskRows(m_ui.taskModel).caption(row);
    if (path != m_shownPath)
        ltvTaskClick();
}

ValueListEditor* OutputPanel::grid() const
{
    return m_ui.panels->grid(ParameterPanels::Output);
}

int OutputPanel::currentTask() const
{
    TaskRows rows(m_ui.taskModel);
    return TaskListEditing(rows, m_ui.ltvTask->selectionModel()).currentTask();
}

void OutputPanel::show(const OutputOptions& values)
{
    m_ui.panels->SetPanelValue(ParameterPanels::Output, kNewFilename, values.newFilename);
    m_ui.panels->SetPanelValue(ParameterPanels::Output, kStartTime, values.startTime);
    m_ui.panels->SetPanelValue(ParameterPanels::Output, kEndTime, values.endTime);
}

void OutputPanel::ltvTaskClick()
{
    const int row = currentTask();
    if (row < 0) {
        clearValues();
        return;
    }
    // An edit still open in the panel belongs to the task it was typed for.
    grid()->commitOpenEditor();
    ltvItemData task;
    TaskRows(m_ui.taskModel).ReadTask(row, TaskRows::WholeRecord, task);
    m_shownPath = task.InputFile;
    OutputOptions shown = OutputOptions::Shown(task, m_hooks.outputExt());
    // A task still being read cannot check its times yet: it shows those the user typed.
    if (const OutputOptions* held = m_hooks.held ? m_hooks.held(task.InputFile) : nullptr) {
        shown.startTime = held->startTime;
        shown.endTime = held->endTime;
    }
    show(shown);
    if (m_tip)
        m_tip->takeDown();
}

void OutputPanel::clearValues()
{
    m_shownPath.clear();
    show({});
}

void OutputPanel::vleOutputValidate()
{
    // Into the task the panel shows, wherever the list's selection has gone meanwhile.
    const int row = m_shownPath.isEmpty() ? -1 : TaskRows(m_ui.taskModel).indexOf(m_shownPath);
    if (row < 0)
        return; // typed with no task to take it: it stays in the panel only
    const ValueListEditor* output = grid();
    const OutputOptions typed{output->value(kNewFilename), output->value(kStartTime),
                              output->value(kEndTime)};
    TaskRows rows(m_ui.taskModel);
    const QString refused = typed.storeInto(rows, row);
    if (m_hooks.stored)
        m_hooks.stored(rows.caption(row), typed);
    if (!refused.isEmpty())
        showTip(QStringLiteral("Time refused:"), refused);
}

void OutputPanel::showTip(const QString& title, const QString& text)
{
    if (!m_tip)
        m_tip = new BalloonTip(grid()->viewport());
    m_tip->ShowBalloonTip(grid()->style()->standardIcon(QStyle::SP_MessageBoxInformation), title,
                          text);
}

bool OutputPanel::vleOutputMouseDown()
{
    // The panels repaint on every press of a grid already; only the empty panel needs more.
    if (!grid()->value(kNewFilename).isEmpty())
        return false;
    showTip(QStringLiteral("Tip:"), QStringLiteral("Please select a file in Task List."));
    return true;
}

void OutputPanel::vleOutputClick()
{
    m_ui.panels->repaintGrids();
}

bool OutputPanel::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    // A double-click would open the editor as well.
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
        return vleOutputMouseDown();
    return QObject::eventFilter(watched, event);
}
