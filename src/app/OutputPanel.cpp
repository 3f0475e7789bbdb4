#include "OutputPanel.h"

#include "BalloonTip.h"
#include "TMainFormUi.h"
#include "engine/TaskRows.h"
#include "profiles/ParameterPanels.h"
#include "profiles/ValueListEditor.h"
#include "tasks/OutputOptions.h"
#include "tasks/TaskListEditing.h"

#include <QEvent>
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
    ltvItemData task;
    TaskRows(m_ui.taskModel).ReadTask(row, TaskRows::WholeRecord, task);
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
    show({});
}

void OutputPanel::vleOutputValidate()
{
    const int row = currentTask();
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
