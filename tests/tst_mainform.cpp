#include "FakeEncoder.h"
#include "FormFixture.h"
#include "ModalWatcher.h"
#include "TaskWindow.h"
#include "TestFiles.h"
#include "TestTasks.h"
#include "app/ui/ErrorReport.h"
#include "app/ui/GettingStartedPanel.h"
#include "app/ui/ImageButton.h"
#include "app/ui/SplitterBar.h"
#include "app/ui/TMainForm.h"
#include "base/FwError.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "profiles/ui/TSettingForm.h"
#include "tasks/QueueKeeper.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

class TestMainForm final : public QObject
{
    Q_OBJECT

private slots:
    void captionFromPreferences_data()
    {
        QTest::addColumn<QByteArray>("preferences"); // "<none>" for no file
        QTest::addColumn<QString>("caption");
        QTest::newRow("no file") << QByteArray("<none>") << "Framewright V3.0";
        QTest::newRow("Version 3.5")
            << QByteArray("[Main]\r\nVersion=3.5\r\n") << "Framewright V3.5";
        QTest::newRow("other keys only")
            << QByteArray("[Main]\r\nProfile=2\r\n") << "Framewright V3.0";
    }
    void captionFromPreferences()
    {
        QFETCH(QByteArray, preferences);
        QFETCH(QString, caption);
        FormFixture fixture({}, [&](const QString& folder) {
            if (preferences != "<none>")
                WriteFile(folder + "Preferences.ini", preferences);
        });
        QCOMPARE(fixture.form->windowTitle(), caption);
        QCOMPARE(fixture.form->ui().edtOutputdir->text(), fixture.folder());
        QCOMPARE(fixture.form->EncoderPath(), fixture.folder() + "wmaspi.dll");
        QCOMPARE(fixture.form->helpFile(), fixture.folder() + "Framewright.chm");
        QFile file(fixture.folder() + "Preferences.ini");
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (preferences == "<none>")
            QCOMPARE(file.size(), 0); // created, empty
    }

    void preferencesFolderIsReportedNotFatal()
    {
        ModalWatcher watcher;
        FormFixture fixture({}, [](const QString& folder) {
            QDir(folder).mkdir(QStringLiteral("Preferences.ini"));
        });
        QCOMPARE(fixture.form->windowTitle(), QStringLiteral("Framewright V3.0"));
        QTRY_COMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].title, QStringLiteral("Framewright"));
        QVERIFY(watcher.seen[0].text.contains(QStringLiteral("Preferences.ini")));
        fixture.form->show();
        fixture.setting->btnOK->click();
        fixture.form->close(); // still closes; the file was named once, not at each step
        QTest::qWait(100);
        QCOMPARE(watcher.seen.size(), 1);
        QVERIFY(QFileInfo(fixture.folder() + "Preferences.ini").isDir());
        QVERIFY(!fixture.form->isVisible());
    }

    void startsWithDesignedState()
    {
        FormFixture fixture;
        const TMainFormUi& ui = fixture.form->ui();
        QVERIFY(ui.panbg->isVisibleTo(fixture.form.get()));
        QVERIFY(!ui.panBottomLeft->isVisibleTo(fixture.form.get()));
        QVERIFY(ui.imgStart->isVisibleTo(fixture.form.get()));
        QVERIFY(!ui.imgStop->isVisibleTo(fixture.form.get()));
        for (QToolButton* button :
             {ui.tbtnUp, ui.tbtnDown, ui.tbtnRemove, ui.tbtnClear, ui.tbtnStart})
            QVERIFY(!button->isEnabled());
        const int widths[4] = {260, 90, 80, 100};
        for (int column = 0; column < 4; ++column)
            QCOMPARE(ui.ltvTask->columnWidth(column), widths[column]);
        for (int column = 4; column < 11; ++column)
            QVERIFY(ui.ltvTask->isColumnHidden(column));
        QCOMPARE(ui.ltvTask->header()->length(), 530); // hidden columns take no room
    }

    void bottomStripFollowsWidth()
    {
        FormFixture fixture;
        TMainForm& form = *fixture.form;
        const TMainFormUi& ui = form.ui();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.resize(790, 505);
        QTRY_COMPARE(ui.panBottomCenter->width(), ui.panMain->width());
        QCOMPARE(ui.bbtnSetting->x(), ui.panMain->width() - 90);
        QCOMPARE(ui.imgStart->pos(), QPoint(592, 8));
        struct Shot
        {
            int cmb, edt, cur, total, setting, open, browse;
        };
        auto take = [&] {
            return Shot{ui.cmbProfile->width(), ui.edtOutputdir->width(), ui.pgbCurrent->width(),
                        ui.pgbTotal->width(),   ui.bbtnSetting->x(),      ui.bbtnOpen->x(),
                        ui.bbtnBrowser->x()};
        };
        const Shot before = take();
        form.resize(890, 505);
        QTRY_COMPARE(ui.panBottomCenter->width(), before.cmb + 83 + 90 + 100);
        const Shot after = take();
        QCOMPARE(after.cmb - before.cmb, 100);
        QCOMPARE(after.edt - before.edt, 100);
        QCOMPARE(after.cur - before.cur, 100);
        QCOMPARE(after.total - before.total, 100);
        QCOMPARE(after.setting - before.setting, 100);
        QCOMPARE(after.open - before.open, 100);
        QCOMPARE(after.browse - before.browse, 100);
        QCOMPARE(ui.imgStart->pos(), QPoint(692, 8)); // still 10 pixels from the right
        // "100%" fits beside its bar, short of the picture.
        for (const QLabel* percent : {ui.labCurProgress, ui.labTotalProgress}) {
            const int end = percent->x() + percent->fontMetrics().horizontalAdvance("100%");
            QVERIFY(end <= ui.panBottomLeft->width() && end < ui.imgStart->x());
        }

        // Widening the task area with the splitter bar never puts Start over the row.
        ui.panProfile->setFixedWidth(60);
        QTRY_VERIFY(ui.panMain->width() > 780);
        QTRY_VERIFY(ui.bbtnSetting->geometry().right() < ui.imgStart->x());
        QVERIFY(ui.bbtnOpen->geometry().right() < ui.imgStart->x());
    }

    // Made as small as it goes, the window keeps every control usable: no picture over another,
    // each field wide enough to read, the list and Start in view.
    void smallestWindowKeepsEveryControl()
    {
        FormFixture fixture;
        TMainForm& form = *fixture.form;
        const TMainFormUi& ui = form.ui();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.resize(400, 300);
        QTRY_COMPARE(form.size(), form.minimumSize());
        QTest::qWait(50); // the resize rules have run
        const QList<QWidget*> pictures{ui.ibtnAddFile, ui.ibtnAddDir, ui.ibtnRemove, ui.ibtnClear,
                                       ui.ibtnSetting, ui.ibtnAbout,  ui.ibtnHelp};
        const auto onForm = [&](const QWidget* widget) {
            return QRect(widget->mapTo(&form, QPoint(0, 0)), widget->size());
        };
        for (int i = 0; i < pictures.size(); ++i) {
            QVERIFY(form.rect().contains(onForm(pictures[i])));
            for (int j = i + 1; j < pictures.size(); ++j)
                QVERIFY2(!onForm(pictures[i]).intersects(onForm(pictures[j])),
                         qPrintable(pictures[i]->objectName() + " " + pictures[j]->objectName()));
        }
        for (const QWidget* field :
             {static_cast<QWidget*>(ui.edtOutputdir), static_cast<QWidget*>(ui.cmbProfile)}) {
            QVERIFY2(field->isVisible() && field->width() >= 120, qPrintable(field->objectName()));
            QVERIFY(form.rect().contains(onForm(field)));
        }
        QVERIFY(!onForm(ui.bbtnOpen).intersects(onForm(ui.imgStart)));
        QVERIFY(!onForm(ui.bbtnSetting).intersects(onForm(ui.imgStart)));
        QVERIFY(form.rect().contains(onForm(ui.imgStart)));
        QVERIFY(ui.ltvTask->height() >= 80);
    }

    void splitterDragMovesThePanel()
    {
        FormFixture fixture;
        TMainForm& form = *fixture.form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget* bar = form.ui().panSplitter;
        const int before = form.ui().panProfile->width();
        const QPointF at(-45, 5);
        QMouseEvent move(QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        QCOMPARE(form.ui().panProfile->width() - before, 50);
    }

    void listComesBackAtTheNextStart()
    {
        FormFixture fixture({}, [](const QString& folder) { WriteFakeProgramFolder(folder); });
        TMainForm& form = *fixture.form;
        // Files that exist: a task whose input has gone comes back failed.
        const QStringList files{fixture.folder() + "a.avi", fixture.folder() + " \"quoted\".avi",
                                fixture.folder() + "Größe.avi"};
        for (const QString& file : files)
            QVERIFY(WriteFile(file, "x"));
        fixture.chooseFiles = [files](QWidget*, const QString&) { return files; };
        form.show();
        form.ui().tbtnAddFile->click();
        QTRY_VERIFY(!form.reading());
        // Every field of a record comes back (the store's own table); here, that the window
        // restores its list, a failed task's log with it.
        TaskRows& rows = form.rows();
        rows.setOutcome(0, QString(), "Invalid data\n  found\n");
        rows.setState(0, TaskState::Failed, "exit code 1");
        const QList<TaskRecord> before = rows.model()->tasks();
        form.close();

        // The next start: the list comes back whole, and its files need no reading again.
        const QByteArray kept = ReadFile(fixture.folder() + "Queue.json");
        {
            TMainForm again(fixture.context);
            QVERIFY(!again.reading());
            QCOMPARE(again.rows().rowCount(), before.size());
            for (int row = 0; row < before.size(); ++row)
                QCOMPARE(RecordTexts(again.rows().task(row)), RecordTexts(before[row]));
            QVERIFY(ListCommandsEnabled(again.ui()));
            QVERIFY(!again.ui().panbg->isVisibleTo(&again));
            // The log is in a file of its own, read when asked for.
            QCOMPARE(again.rows().log(0), QStringLiteral("Invalid data\n  found\n"));
            QVERIFY(!kept.contains("Invalid data"));
        }
        QCOMPARE(ReadFile(fixture.folder() + "Queue.json"), kept); // nothing to write back

        // Files on the command line join the list after it; only they are read.
        AppContext context = fixture.context;
        context.arguments = {fixture.folder() + "late.avi"};
        QVERIFY(WriteFile(context.arguments[0], "x"));
        TMainForm third(context);
        QCOMPARE(third.ui().labReading->text(), QStringLiteral("Reading files: 0 of 1"));
        QCOMPARE(third.rows().rowCount(), before.size() + 1);
        QCOMPARE(third.rows().caption(before.size()), context.arguments[0]);
    }

    // As the program starts: the kept list is read while the window comes on screen, and the
    // files of the command line still join it after its tasks.
    void listIsReadWhileTheWindowShows()
    {
        FormFixture fixture({}, [](const QString& folder) {
            WriteFakeProgramFolder(folder);
            WriteFile(folder + "kept.avi", "x");
            WriteFile(folder + "late.avi", "x");
            WriteFile(folder + "Queue.json",
                      R"({"version":1,"tasks":[{"input":")" + folder.toUtf8() + R"(kept.avi"}]})");
        });
        fixture.form->close();
        AppContext context = fixture.context;
        context.restoreWhileShowing = true;
        context.arguments = {fixture.folder() + "late.avi"};
        TMainForm form(context);
        QCOMPARE(form.rows().rowCount(), 0); // the window first
        QTRY_COMPARE(form.rows().rowCount(), 2);
        QCOMPARE(form.rows().caption(0), fixture.folder() + "kept.avi");
        QCOMPARE(form.rows().caption(1), fixture.folder() + "late.avi");
    }

    // A list kept with its logs inside, as earlier versions kept it: the logs move to files, and
    // the files of no task are removed.
    void logsKeptInTheListMoveToFiles()
    {
        FormFixture fixture({}, [](const QString& folder) {
            WriteFakeProgramFolder(folder);
            WriteFile(folder + "a.avi", "x");
            QDir(folder).mkdir("Logs");
            WriteFile(folder + "Logs/0123456789abcdef.log", "nobody's");
            WriteFile(folder + "Queue.json",
                      R"({"version":1,"tasks":[{"input":")" + folder.toUtf8() +
                          R"(a.avi","length":"00:00:05.00","state":"failed",)"
                          R"("encoderOutput":"old log"}]})");
        });
        TaskRows& rows = fixture.form->rows();
        QCOMPARE(rows.rowCount(), 1);
        QCOMPARE(rows.task(0).encoderOutput, QString());
        QCOMPARE(rows.log(0), QStringLiteral("old log"));
        QCOMPARE(QDir(fixture.folder() + "Logs").entryList(QDir::Files),
                 QStringList{rows.task(0).logName});
    }

    // A kept list the window cannot take whole is told of once. Set aside, it is replaced by the
    // next save; with no name free beside it, it is never written over in that session.
    void unusableListIsToldOnce_data()
    {
        QTest::addColumn<QByteArray>("kept");
        QTest::addColumn<bool>("roomAside");
        QTest::addColumn<QString>("told");
        const QByteArray unreadable = "{\"tasks\": [{";
        const QByteArray tampered = R"({"version":1,"tasks":[{"input":"/v/a.avi"},)"
                                    R"({"input":"/v/b.avi","state":"done"}]})";
        QTest::newRow("unreadable") << unreadable << true << "the file was kept as";
        QTest::newRow("unreadable, no room aside") << unreadable << false << "nor moved aside";
        QTest::newRow("a task fails its check") << tampered << true << "They were kept as";
        QTest::newRow("a task fails its check, no room aside")
            << tampered << false << "could not be kept in a file of their own";
    }
    void unusableListIsToldOnce()
    {
        QFETCH(QByteArray, kept);
        QFETCH(bool, roomAside);
        QFETCH(QString, told);
        ModalWatcher watcher;
        FormFixture fixture({}, [&](const QString& folder) {
            WriteFakeProgramFolder(folder); // a task kept without its length is read again
            WriteFile(folder + "Queue.json", kept);
            for (int number = roomAside ? 100 : 1; number < 100; ++number)
                WriteFile(folder + "Queue.json.bad" + (number > 1 ? QString::number(number) : ""),
                          "somebody's list");
        });
        const QString path = fixture.folder() + "Queue.json";
        QTRY_COMPARE(watcher.seen.size(), 1);
        QVERIFY2(watcher.seen[0].text.contains(told), qPrintable(watcher.seen[0].text));
        if (roomAside)
            QVERIFY(watcher.seen[0].text.contains(path + ".bad\""));

        // A change, its timed save and the one as the window closes.
        fixture.form->rows().appendTask(fixture.folder() + "late.avi");
        QTest::qWait(QueueKeeper::Delay * 2);
        fixture.form->close();
        QCOMPARE(ReadFile(path).contains("late.avi"), roomAside);
        if (!roomAside)
            QCOMPARE(ReadFile(path), kept);
        QCOMPARE(watcher.seen.size(), 1);
    }

    void errorsInHandlersAreShown()
    {
        ModalWatcher watcher;
        const bool ok = Guarded(
            nullptr, [&] { throw FwError(QStringLiteral("Cannot write \"x\": disk full")); });
        QVERIFY(!ok);
        QTRY_COMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].title, QStringLiteral("Framewright"));
        QCOMPARE(watcher.seen[0].text, QStringLiteral("Cannot write \"x\": disk full"));
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
