#include "OutputPanel.h"

#include "TMainFormUi.h"
#include "engine/TaskRows.h"
#include "profiles/ParameterPanels.h"
#include "profiles/ValueListEditor.h"

#include <QItemSelectionModel>
#include <QTreeView>

OutputPanel::OutputPanel(QObject* parent, const TMainFormUi& ui, OutputExtSource outputExt)
    : QObject(parent), m_ui(ui), m_outputExt(std::move(outputExt))
{}

int OutputPanel::currentTask() const
{
    const QModelIndexList selected = m_ui.ltvTask->selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex& index : selected) {
        if (first < 0 || index.row() < first)
            first = index.row();
    }
    return first;
}

void OutputPanel::ltvTaskClick()
{
    ValueListEditor* output = m_ui.panels->grid(ParameterPanels::Output);
    const int row = currentTask();
    ltvItemData task;
    if (row >= 0) {
        TaskRows(m_ui.taskModel).ReadTask(row, TaskRows::WholeRecord, task);
        task.NewFileName += m_outputExt();
    }
    output->setValue(QStringLiteral("New Filename"), row < 0 ? QString() : task.NewFileName);
    output->setValue(QStringLiteral("Start Time"), task.StartTime);
    output->setValue(QStringLiteral("End Time"), task.EndTime);
}
