#include "TaskWindow.h"
#include "app/ui/BalloonTip.h"
#include "app/ui/OutputPanel.h"
#include "app/ui/TMainForm.h"
#include "engine/TaskRows.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/TSettingForm.h"
#include "profiles/ui/ValueCellDelegate.h"
#include "profiles/ui/ValueListEditor.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

namespace {
const QString kName = QStringLiteral("New Filename");
const QString kStart = QStringLiteral("Start Time");
const QString kEnd = QStringLiteral("End Time");

QStringList stored(const ltvItemData& task)
{
    return {task.NewFileName, task.NewFileExt, task.StartTime, task.EndTime, task.ClipLength};
}
} // namespace

class TestOutputPanel final : public QObject
{
    Q_OBJECT

private slots:
    void showsTheClickedTask()
    {
        TaskWindow window(1); // a single task added is loaded at once
        QCOMPARE(window.shown(), (QStringList{"t0.mp4", "00:00:00.0", "00:00:05.00"}));
        window.fixture.chooseFiles = [](QWidget*, const QString&) {
            return QStringList{"/m/noext"};
        };
        window.ui.tbtnAddFile->click();
        window.clickRow(1);
        // Shown before its file is read, the task is shown again once it is.
        QTRY_COMPARE(window.shown(), (QStringList{"noext.mp4", "00:00:00.0", "00:00:05.00"}));

        // A click off every row clears the selection and the panel.
        QTest::mouseClick(window.ui.ltvTask->viewport(), Qt::LeftButton, {},
                          QPoint(5, window.ui.ltvTask->viewport()->height() - 3));
        QCOMPARE(window.form.currentTask(), -1);
        QTRY_COMPARE(window.shown(), (QStringList{"", "", ""}));
    }

    // However the current task changes, the panel shows it, and an edit goes into the task
    // shown and only into it.
    void panelFollowsTheCurrentTask_data()
    {
        QTest::addColumn<int>("from");       // the row clicked first
        QTest::addColumn<QString>("change"); // a key on the list, or a command
        QTest::addColumn<QString>("shown");  // the task shown afterwards, "" for none
        QTest::newRow("Down") << 0 << "Down"
                              << "t1";
        QTest::newRow("Up") << 2 << "Up"
                            << "t1";
        QTest::newRow("End") << 0 << "End"
                             << "t3";
        QTest::newRow("Home") << 2 << "Home"
                              << "t0";
        QTest::newRow("Page Down") << 0 << "PgDown"
                                   << "t3";
        QTest::newRow("Shift+Up: the first selected row") << 2 << "Shift+Up"
                                                          << "t1";
        QTest::newRow("the shown row removed") << 1 << "Delete"
                                               << "";
        QTest::newRow("moved down") << 1 << "move down"
                                    << "t1";
        QTest::newRow("Clear") << 1 << "clear"
                               << "";
    }
    void panelFollowsTheCurrentTask()
    {
        QFETCH(int, from);
        QFETCH(QString, change);
        QFETCH(QString, shown);
        TaskWindow window(4);
        window.clickRow(from);
        window.ui.ltvTask->setFocus();
        if (change == "move down")
            window.ui.tbtnDown->click();
        else if (change == "clear")
            window.ui.tbtnClear->click();
        else
            QTest::keySequence(window.ui.ltvTask, QKeySequence::fromString(change));
        QTRY_COMPARE(window.shown().at(0), shown.isEmpty() ? QString() : shown + ".mp4");

        QVERIFY(window.typeInto(kStart, "00:00:02"));
        window.output->setCurrentCell(window.output->rowOf(kName), 1);
        for (int row = 0; row < window.form.rows().rowCount(); ++row) {
            const ltvItemData task = window.task(row);
            const bool edited = task.NewFileName == shown;
            QCOMPARE(task.StartTime, edited ? "00:00:02" : "00:00:00.0");
        }
    }

    void editsAreStoredInTheTask_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("stored"); // name, extension, start, end, clip length
        // clang-format off
        QTest::newRow("end 00:00:03") << kEnd << "00:00:03"
            << QStringList{"t0", ".mp4", "00:00:00", "00:00:03", "00:00:03"};
        QTest::newRow("start in letters") << kStart << "abc"
            << QStringList{"t0", ".mp4", "00:00:00", "00:00:05", "00:00:05"};
        QTest::newRow("name with extension") << kName << "movie.avi"
            << QStringList{"movie", ".avi", "00:00:00", "00:00:05", "00:00:05"};
        QTest::newRow("name in another folder") << kName << "sub/x"
            << QStringList{"t0", ".mp4", "00:00:00", "00:00:05", "00:00:05"};
        QTest::newRow("empty name") << kName << ""
            << QStringList{"t0", ".mp4", "00:00:00", "00:00:05", "00:00:05"};
        // clang-format on
    }
    void editsAreStoredInTheTask()
    {
        QFETCH(QString, key);
        QFETCH(QString, typed);
        QFETCH(QStringList, stored);
        TaskWindow window(2);
        window.clickRow(0);
        QSignalSpy edits(window.output, &ValueListEditor::valueEdited);
        QVERIFY(window.typeInto(key, typed));
        QCOMPARE(edits.count(), 0); // nothing is checked while the cell is being edited
        window.output->setCurrentCell(window.output->rowOf(key == kEnd ? kName : kEnd), 1);
        QCOMPARE(edits.count(), 1);
        QCOMPARE(::stored(window.task(0)), stored);
        QCOMPARE(window.output->value(key), typed); // the cell keeps what was typed
        QCOMPARE(::stored(window.task(1)).at(0), QStringLiteral("t1"));

        // Loading the task again shows what was stored, with the profile's extension.
        window.clickRow(0);
        QCOMPARE(window.shown(), (QStringList{stored.at(0) + ".mp4", stored.at(2), stored.at(3)}));
        QCOMPARE(edits.count(), 1);
    }

    void oneCheckPerEdit()
    {
        TaskWindow window(2);
        window.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window.form));
        QSignalSpy edits(window.output, &ValueListEditor::valueEdited);
        // Entering and leaving a cell without a change checks nothing.
        QVERIFY(window.typeInto(kStart, "00:00:00.0"));
        window.output->setCurrentCell(window.output->rowOf(kEnd), 1);
        QCOMPARE(edits.count(), 0);

        // An edit of task 0, then a click on task 1: the edit goes to task 0, once.
        QVERIFY(window.typeInto(kName, "first"));
        window.clickRow(1);
        QCOMPARE(edits.count(), 1);
        QCOMPARE(window.task(0).NewFileName, QStringLiteral("first"));
        QCOMPARE(window.task(1).NewFileName, QStringLiteral("t1"));
        QCOMPARE(window.shown().at(0), QStringLiteral("t1.mp4"));
        window.output->setFocus();
        window.ui.ltvTask->setFocus();
        QCOMPARE(edits.count(), 1);
    }

    void editWithoutATaskStaysInThePanel()
    {
        TaskWindow window(1);
        window.select({});
        QVERIFY(window.typeInto(kName, "orphan.mp4"));
        window.output->setCurrentCell(window.output->rowOf(kEnd), 1);
        QCOMPARE(window.task(0).NewFileName, QStringLiteral("t0"));
        QCOMPARE(window.output->value(kName), QStringLiteral("orphan.mp4"));
    }

    void emptyPanelGivesOneTipAndNoEditor()
    {
        TaskWindow window(0);
        QWidget* cells = window.output->viewport();
        QTest::mouseClick(cells, Qt::LeftButton, {}, window.cellCentre(kName));
        BalloonTip* tip = window.form.outputPanel()->balloonTip();
        QVERIFY(tip);
        QVERIFY(tip->isVisible());
        QCOMPARE(tip->title(), QStringLiteral("Tip:"));
        QCOMPARE(tip->text(), QStringLiteral("Please select a file in Task List."));
        QVERIFY(!window.editor(kName));
        QTest::mouseDClick(cells, Qt::LeftButton, {}, window.cellCentre(kStart));
        QVERIFY(!window.editor(kStart));
        QCOMPARE(cells->findChildren<BalloonTip*>().size(), 1);

        // Gone when the pointer leaves, back when it rests on the panel again.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(cells, &leave);
        QVERIFY(!tip->isVisible());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(cells, &enter);
        QTRY_VERIFY(tip->isVisible());

        // A loaded task takes it down for good, and the panel edits again.
        window.fixture.chooseFiles = [](QWidget*, const QString&) {
            return QStringList{"/m/a.avi"};
        };
        window.ui.tbtnAddFile->click();
        QCOMPARE(window.shown().at(0), QStringLiteral("a.mp4"));
        QVERIFY(!tip->isVisible());
        QVERIFY(!tip->isAttached());
        QTest::mouseClick(cells, Qt::LeftButton, {}, window.cellCentre(kEnd));
        QVERIFY(window.editor(kEnd));
        QVERIFY(!tip->isVisible());
        QCOMPARE(window.form.outputPanel()->balloonTip(), tip);
    }

    void currentValueCellIsNeverHighlighted()
    {
        TaskWindow window(1);
        window.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window.form));
        auto* delegate = static_cast<ValueCellDelegate*>(window.output->itemDelegate());
        const int row = window.output->rowOf(kStart);
        window.output->setFocus();
        window.output->setCurrentCell(row, 1);
        const QColor window_ = window.output->palette().color(QPalette::Base);
        QCOMPARE(delegate->look(window.output->model()->index(row, 1)).background, window_);
        QCOMPARE(delegate->look(window.output->model()->index(row, 0)).background,
                 ValueCellDelegate::focusedKeyColour());
        window.ui.ltvTask->setFocus();
        QCOMPARE(delegate->look(window.output->model()->index(row, 0)).background, window_);
        QCOMPARE(delegate->look(window.output->model()->index(row, 0)).text, QColor(Qt::black));
    }

    void setPanelValue()
    {
        TaskWindow window(0);
        ParameterPanels* panels = window.ui.panels;
        panels->SetPanelValue(ParameterPanels::Output, "new filename", "x.mp4");
        QCOMPARE(window.output->value(kName), QStringLiteral("x.mp4"));
        QCOMPARE(window.output->rowCount(), 3);
        ValueListEditor* advanced = window.form.grid(ParameterPanels::Advanced);
        const int rows = advanced->rowCount();
        panels->SetPanelValue(ParameterPanels::Advanced, "Threads", "2");
        QCOMPARE(advanced->rowCount(), rows + 1);
        QCOMPARE(advanced->value("threads"), QStringLiteral("2"));
        panels->SetPanelValue(4, "Threads", "3");
        panels->SetPanelValue(-1, "Threads", "3");
        QCOMPARE(advanced->value("Threads"), QStringLiteral("2"));
        // The Settings dialog has no Output panel.
        window.fixture.setting->panels->SetPanelValue(ParameterPanels::Output, kName, "y");
        QCOMPARE(window.output->value(kName), QStringLiteral("x.mp4"));
    }
};

QTEST_MAIN(TestOutputPanel)
#include "tst_outputpanel.moc"
