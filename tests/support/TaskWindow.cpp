#include "TaskWindow.h"

#include "FakeEncoder.h"
#include "app/ui/TMainForm.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/ValueListEditor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

TaskWindow::TaskWindow(int tasks)
    : fixture({}, [](const QString& folder) { WriteFakeProgramFolder(folder); }),
      form(*fixture.form), ui(form.ui()), output(form.grid(ParameterPanels::Output))
{
    form.show();
    for (int task = 0; task < tasks; ++task) {
        const QString path = QStringLiteral("/m/t%1.avi").arg(task);
        fixture.chooseFiles = [path](QWidget*, const QString&) { return QStringList{path}; };
        ui.tbtnAddFile->click();
    }
    // The rows come at once, their files are read afterwards; the tests want them read.
    QElapsedTimer clock;
    clock.start();
    while (form.reading() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

QStringList TaskWindow::names() const
{
    QStringList result;
    for (int row = 0; row < form.rows().rowCount(); ++row)
        result << QFileInfo(form.rows().caption(row)).completeBaseName();
    return result;
}

ltvItemData TaskWindow::task(int row) const
{
    ltvItemData result;
    form.rows().ReadTask(row, TaskRows::WholeRecord, result);
    return result;
}

QStringList TaskWindow::shown() const
{
    return {output->value(QStringLiteral("New Filename")),
            output->value(QStringLiteral("Start Time")), output->value(QStringLiteral("End Time"))};
}

void TaskWindow::select(const QList<int>& rows) const
{
    ui.ltvTask->clearSelection();
    for (int row : rows)
        ui.ltvTask->selectionModel()->select(
            ui.taskModel->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QPoint TaskWindow::rowCentre(int row) const
{
    return ui.ltvTask->visualRect(ui.taskModel->index(row, 0)).center();
}

void TaskWindow::clickRow(int row) const
{
    QTest::mouseClick(ui.ltvTask->viewport(), Qt::LeftButton, {}, rowCentre(row));
}

QPoint TaskWindow::cellCentre(const QString& key) const
{
    return output->visualRect(output->model()->index(output->rowOf(key), 1)).center();
}

QLineEdit* TaskWindow::editor(const QString& key) const
{
    return qobject_cast<QLineEdit*>(
        output->indexWidget(output->model()->index(output->rowOf(key), 1)));
}

bool TaskWindow::listCommandsEnabled() const
{
    return ListCommandsEnabled(ui);
}

bool ListCommandsEnabled(const TMainFormUi& ui)
{
    for (QToolButton* button :
         {ui.tbtnUp, ui.tbtnDown, ui.tbtnRemove, ui.tbtnClear, ui.tbtnStart}) {
        if (!button->isEnabled())
            return false;
    }
    return true;
}

bool TaskWindow::typeInto(const QString& key, const QString& text)
{
    output->setFocus();
    output->setCurrentCell(output->rowOf(key), 1);
    QLineEdit* open = editor(key);
    if (!open)
        return false;
    open->selectAll();
    QTest::keyClick(open, Qt::Key_Delete);
    QTest::keyClicks(open, text);
    return true;
}
