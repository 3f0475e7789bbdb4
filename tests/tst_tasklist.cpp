#include "TaskWindow.h"
#include "TestTasks.h"
#include "app/ui/ImageButton.h"
#include "app/ui/TMainForm.h"
#include "app/ui/TaskListCommands.h"
#include "app/ui/TaskLogDialog.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/ValueListEditor.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

class TestTaskList final : public QObject
{
    Q_OBJECT

private slots:
    void popupEntriesAndTheirState()
    {
        TaskWindow window(0);
        const QList<QAction*> entries = window.ui.ppmTask->actions();
        QStringList texts;
        for (const QAction* entry : entries)
            texts << (entry->isSeparator() ? "-" : entry->text());
        QCOMPARE(texts,
                 (QStringList{"Open", "Show Log", "-", "Add Files...", "Add Directorys...", "-",
                              "Convert Again", "Reset Failed", "-", "Remove", "Clear"}));

        const auto enabled = [&] {
            QStringList result;
            for (const QAction* entry : entries) {
                if (!entry->isSeparator() && entry->isEnabled())
                    result << entry->text();
            }
            return result;
        };
        // Opened with a right click over the list, as the user does.
        const auto open = [&] {
            const QPoint at(5, 5);
            QContextMenuEvent event(QContextMenuEvent::Mouse, at,
                                    window.ui.ltvTask->viewport()->mapToGlobal(at));
            QApplication::sendEvent(window.ui.ltvTask->viewport(), &event);
            const bool shown = window.ui.ppmTask->isVisible();
            window.ui.ppmTask->close();
            return shown;
        };
        QVERIFY(open());
        QCOMPARE(enabled(), (QStringList{"Add Files...", "Add Directorys..."}));

        window.fixture.chooseFiles = [](QWidget*, const QString&) {
            return QStringList{"/m/a.avi", "/m/b.avi"};
        };
        window.ui.mniAddFiles->trigger();
        QCOMPARE(window.names(), (QStringList{"b", "a"}));
        window.select({});
        QVERIFY(open());
        QCOMPARE(enabled(), (QStringList{"Add Files...", "Add Directorys...", "Clear"}));
        window.select({1});
        QVERIFY(open());
        QCOMPARE(enabled(), (QStringList{"Open", "Show Log", "Add Files...", "Add Directorys...",
                                         "Convert Again", "Remove", "Clear"}));
        window.form.rows().setState(0, TaskState::Stopped);
        QVERIFY(open());
        QVERIFY(window.ui.mniResetFailed->isEnabled());
    }

    void removeKeepsOtherRowsAndEmptiesThePanel_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::newRow("picture") << "picture";
        QTest::newRow("tool button") << "button";
        QTest::newRow("popup") << "popup";
        QTest::newRow("Delete key") << "key";
    }
    void removeKeepsOtherRowsAndEmptiesThePanel()
    {
        QFETCH(QString, trigger);
        TaskWindow window(5);
        const auto remove = [&] {
            if (trigger == "picture")
                emit window.ui.ibtnRemove->clicked();
            else if (trigger == "button")
                window.ui.tbtnRemove->click();
            else if (trigger == "popup")
                window.ui.mniRemove->trigger();
            else
                QTest::keyClick(window.ui.ltvTask, Qt::Key_Delete);
        };
        window.clickRow(1);
        QCOMPARE(window.shown().at(0), QStringLiteral("t1.mp4"));
        window.select({1, 3});
        remove();
        QCOMPARE(window.names(), (QStringList{"t0", "t2", "t4"}));
        QCOMPARE(window.shown(), (QStringList{"", "", ""}));
        QVERIFY(window.listCommandsEnabled());

        window.select({});
        window.output->setValue("New Filename", "left.mp4");
        remove(); // nothing selected: no row goes, the panel empties all the same
        QCOMPARE(window.names(), (QStringList{"t0", "t2", "t4"}));
        QCOMPARE(window.shown().at(0), QString());

        window.select({0, 1, 2});
        remove();
        QCOMPARE(window.names(), QStringList());
        QVERIFY(!window.ui.tbtnUp->isEnabled());
        QVERIFY(!window.ui.tbtnDown->isEnabled());
        QVERIFY(!window.ui.tbtnRemove->isEnabled());
        QVERIFY(!window.ui.tbtnClear->isEnabled());
        QVERIFY(!window.ui.tbtnStart->isEnabled());
        QVERIFY(window.watcher.seen.isEmpty());
    }

    void backspaceClearsAtOnce()
    {
        TaskWindow window(3);
        window.select({});
        window.ui.ltvTask->setFocus();
        QTest::keyClick(window.ui.ltvTask, Qt::Key_Backspace);
        QCOMPARE(window.form.rows().rowCount(), 0);
        QVERIFY(window.watcher.seen.isEmpty()); // no question asked
        QVERIFY(!window.ui.tbtnClear->isEnabled());
        QVERIFY(!window.ui.tbtnStart->isEnabled());
        QCOMPARE(window.shown(), (QStringList{"", "", ""}));
        // Other keys keep their ordinary meaning in the list.
        TaskWindow other(3);
        other.ui.ltvTask->setFocus();
        other.ui.ltvTask->setCurrentIndex(other.ui.taskModel->index(0, 0));
        QTest::keyClick(other.ui.ltvTask, Qt::Key_Down);
        QCOMPARE(other.ui.ltvTask->currentIndex().row(), 1);
        QCOMPARE(other.form.rows().rowCount(), 3);
    }

    void movesKeepThePanel()
    {
        TaskWindow window(4);
        window.clickRow(2);
        window.ui.tbtnUp->click();
        window.ui.tbtnUp->click();
        QCOMPARE(window.names(), (QStringList{"t2", "t0", "t1", "t3"}));
        QCOMPARE(window.form.currentTask(), 0);
        window.ui.tbtnDown->click();
        QCOMPARE(window.names(), (QStringList{"t0", "t2", "t1", "t3"}));
        QCOMPARE(window.form.currentTask(), 1);
        QCOMPARE(window.shown().at(0), QStringLiteral("t2.mp4"));
    }

    void openPlaysTheSelectedTask()
    {
        TaskWindow window(2);
        QSignalSpy play(window.form.taskList(), &TaskListCommands::playSelectedTask);
        window.select({});
        window.ui.mniOpen->trigger();
        QCOMPARE(play.count(), 0);
        window.select({1});
        window.ui.mniOpen->trigger();
        QCOMPARE(play.count(), 1);
        // A widget's double-click in Qt Test comes without the click before it.
        window.clickRow(0);
        QTest::mouseDClick(window.ui.ltvTask->viewport(), Qt::LeftButton, {}, window.rowCentre(0));
        QCOMPARE(play.count(), 2);
        QCOMPARE(window.form.currentTask(), 0);
    }

    void convertAgainResetFailedAndLogs()
    {
        TaskWindow window(4);
        TaskRows& rows = window.form.rows();
        rows.setOutcome(0, "/out/t0.mp4", "written");
        rows.setState(0, TaskState::Complete);
        rows.setOutcome(1, QString(), "Unknown encoder 'x'\nConversion failed!");
        rows.setState(1, TaskState::Failed, "exit code 1");
        rows.setState(2, TaskState::Stopped);
        const auto statuses = [&] {
            QStringList result;
            for (int row = 0; row < rows.rowCount(); ++row)
                result << StatusOf(rows, row);
            return result;
        };
        // Each open log as "title: text"; every one is closed once read.
        const auto openLogs = [&] {
            QStringList result;
            for (TaskLogDialog* log : window.form.findChildren<TaskLogDialog*>()) {
                if (log->isVisible() && log->text()->isReadOnly())
                    result << log->windowTitle() + ": " + log->text()->toPlainText();
                log->close();
            }
            return result;
        };
        window.select({1});
        window.ui.mniShowLog->trigger();
        QCOMPARE(openLogs(),
                 QStringList{"Log \u2013 t1.avi: Unknown encoder 'x'\nConversion failed!"});
        window.select({3});
        window.ui.mniShowLog->trigger();
        QCOMPARE(openLogs(),
                 QStringList{"Log \u2013 t3.avi: No encoder output was kept for this task."});

        // A double-click on a failed task's Status shows its log; elsewhere the preview plays.
        QSignalSpy play(window.form.taskList(), &TaskListCommands::playSelectedTask);
        const auto doubleClick = [&](int row, int column) {
            const QPoint at =
                window.ui.ltvTask->visualRect(window.ui.taskModel->index(row, column)).center();
            QTest::mouseClick(window.ui.ltvTask->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(window.ui.ltvTask->viewport(), Qt::LeftButton, {}, at);
        };
        doubleClick(0, TaskModel::StatusColumn);
        doubleClick(1, TaskModel::InputColumn);
        QCOMPARE(play.count(), 2);
        QCOMPARE(openLogs(), QStringList());
        doubleClick(1, TaskModel::StatusColumn);
        QCOMPARE(play.count(), 2);
        QCOMPARE(openLogs().size(), 1);

        // While a run has the list locked, the list is left as the run writes it.
        window.ui.ltvTask->setEnabled(false);
        window.select({0});
        window.ui.mniConvertAgain->trigger();
        window.ui.mniResetFailed->trigger();
        QCOMPARE(statuses(), (QStringList{"Complete", "Failed", "Stop", "OK"}));
        window.ui.ltvTask->setEnabled(true);

        window.select({0, 2});
        window.ui.mniConvertAgain->trigger();
        QCOMPARE(statuses(), (QStringList{"OK", "Failed", "OK", "OK"}));
        QCOMPARE(RecordTexts(rows.task(0)).mid(10), (QStringList{"", "", "", "", "OK", "0"}));
        rows.setState(3, TaskState::Stopped);
        window.ui.mniResetFailed->trigger();
        QCOMPARE(statuses(), (QStringList{"OK", "OK", "OK", "OK"}));
        QCOMPARE(RecordTexts(rows.task(1)).mid(10), (QStringList{"", "", "", "", "OK", "0"}));
    }

    void columnsShareAWidthChange()
    {
        FormFixture fixture;
        QTreeView* list = fixture.form->ui().ltvTask;
        const auto widths = [&] {
            return QList<int>{list->columnWidth(0), list->columnWidth(1), list->columnWidth(2),
                              list->columnWidth(3)};
        };
        const auto resizeTo = [&](int width) {
            const QSize old = list->size();
            list->resize(width, 300);
            QResizeEvent event(list->size(), old);
            QApplication::sendEvent(list, &event);
        };
        resizeTo(662);
        QCOMPARE(widths(), (QList<int>{309, 107, 95, 119}));
        resizeTo(663);
        QCOMPARE(widths(), (QList<int>{309, 107, 95, 119}));
        resizeTo(50);
        QCOMPARE(widths(), (QList<int>{20, 20, 20, 20}));

        // Growing the window reaches the list's columns too.
        TMainForm& form = *fixture.form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_COMPARE(fixture.form->taskList()->columnWidths().remembered(), list->width());
        const QList<int> before = widths();
        const int width = list->width();
        form.resize(form.width() + 100, form.height());
        QTRY_COMPARE(list->width(), width + 100);
        const QList<int> after = widths();
        QCOMPARE((QList<int>{after[0] - before[0], after[1] - before[1], after[2] - before[2],
                             after[3] - before[3]}),
                 (QList<int>{49, 17, 15, 19}));
    }
};

QTEST_MAIN(TestTaskList)
#include "tst_tasklist.moc"
