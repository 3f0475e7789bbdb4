#include "ExampleProfile.h"
#include "FakeDesktop.h"
#include "FakeEncoder.h"
#include "FormFixture.h"
#include "ModalWatcher.h"
#include "SteppedEncoder.h"
#include "TestFiles.h"
#include "TestTasks.h"
#include "app/ui/BatchPanel.h"
#include "app/ui/ImageButton.h"
#include "app/ui/SplitterBar.h"
#include "app/ui/TMainForm.h"
#include "engine/TaskRows.h"
#include "profiles/ui/TSettingForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

namespace {
QList<QWidget*> lockedControls(const TMainFormUi& ui)
{
    return {ui.ibtnAddFile, ui.ibtnAddDir,  ui.ibtnRemove,   ui.ibtnClear,
            ui.ibtnSetting, ui.ltvTask,     ui.panSplitter,  ui.gpbProfile,
            ui.cmbProfile,  ui.bbtnSetting, ui.edtOutputdir, ui.bbtnBrowser};
}

// The window as it is between runs: settings row shown, controls enabled, Start offered.
bool idleLook(TMainForm& form)
{
    const TMainFormUi& ui = form.ui();
    for (QWidget* control : lockedControls(ui)) {
        if (!control->isEnabled())
            return false;
    }
    return ui.panBottomCenter->isVisibleTo(&form) && !ui.panBottomLeft->isVisibleTo(&form) &&
           ui.imgStart->isVisibleTo(&form) && !ui.imgStop->isVisibleTo(&form) &&
           !ui.timerTime->isActive();
}

bool messageBoxShown()
{
    const auto windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](QWidget* window) {
        return qobject_cast<QMessageBox*>(window) && window->isVisible();
    });
}

// A main window whose encoder is the stepped fake, with tasks of the given lengths and,
// unless told otherwise, a profile chosen.
struct Window
{
    explicit Window(const QList<double>& seconds = {60}, bool profile = true)
        : encoder(fixture.dir.path(), QStringLiteral("wmaspi.dll"))
    {
        for (int i = 0; i < seconds.size(); ++i) {
            const QString input = fixture.folder() + QChar('a' + i) + ".avi";
            WriteFile(input); // a run fails a task whose input has gone
            AppendTask(rows(), AddedTask(input, seconds[i]));
        }
        if (!profile)
            return;
        WriteExampleProfile(fixture.folder(), "Example");
        ui().cmbProfile->addItem("Example", "Example.cvp");
        ui().cmbProfile->setCurrentIndex(ui().cmbProfile->count() - 1);
        emit ui().cmbProfile->activated(ui().cmbProfile->currentIndex());
    }
    TMainForm& form() { return *fixture.form; }
    const TMainFormUi& ui() { return fixture.form->ui(); }
    TaskRows& rows() { return fixture.form->rows(); }
    BatchPanel& batch() { return fixture.form->batch(); }

    FormFixture fixture;
    SteppedEncoder encoder;
};
} // namespace

class TestBatchWindow final : public QObject
{
    Q_OBJECT

private slots:
    // clang-format off
    void startRefused_data()
    {
        QTest::addColumn<QString>("folder"); // the output folder typed; "" keeps the default
        QTest::addColumn<int>("tasks");
        QTest::addColumn<bool>("profile");
        QTest::addColumn<QString>("box");    // the caption of the box, "" for none
        QTest::newRow("output folder missing") << "missing" << 1 << true << "Output path does not exist";
        QTest::newRow("relative output folder") << "." << 1 << true << "Output path is not a full path";
        QTest::newRow("empty list") << "" << 0 << true << "";
        QTest::newRow("no profile") << "" << 1 << false << "Framewright";
    }
    // clang-format on
    void startRefused()
    {
        QFETCH(QString, folder);
        QFETCH(int, tasks);
        QFETCH(bool, profile);
        QFETCH(QString, box);
        ModalWatcher watcher;
        Window window(QList<double>(tasks, 60), profile);
        const TMainFormUi& ui = window.ui();
        window.form().show(); // shown first: showing restores the output folder
        if (folder == "missing")
            ui.edtOutputdir->setText(window.fixture.folder() + "missing");
        else if (!folder.isEmpty()) // a folder that exists where the tests run
            ui.edtOutputdir->setText(folder);
        window.batch().imgStartClick();
        if (tasks == 0)
            window.batch().tbtnStartClick();
        if (box.isEmpty()) {
            QVERIFY(!messageBoxShown());
        } else {
            QTRY_COMPARE(watcher.seen.size(), 1);
            QCOMPARE(watcher.seen[0].title, box);
            QCOMPARE(watcher.seen[0].icon, QMessageBox::Information);
            QTRY_COMPARE(window.form().focusWidget(),
                         profile ? static_cast<QWidget*>(ui.edtOutputdir) : ui.cmbProfile);
            QCOMPARE(StatusOf(window.rows(), 0), "OK");
        }
        if (folder == "missing")
            QCOMPARE(watcher.seen[0].text,
                     "The output path does not exist. Please specify another one.");
        QVERIFY(idleLook(window.form()));
        QCOMPARE(window.encoder.runs(), 0);
    }

    // With completed tasks skipped, a list of nothing but completed tasks has nothing to
    // convert: Start says so instead of reporting a conversion that converted nothing.
    void everyTaskCompleteAndSkipped()
    {
        ModalWatcher watcher;
        Window window({5, 5});
        window.encoder.endAtOnce(0);
        for (int row : {0, 1})
            window.rows().setState(row, TaskState::Complete);
        window.fixture.setting->chkSkipCompleted->setChecked(true);
        window.form().show();
        window.batch().imgStartClick();
        QTRY_COMPARE(watcher.seen.size(), 1);
        QVERIFY(watcher.seen[0].text.startsWith("Every task is already complete"));
        QTRY_VERIFY(idleLook(window.form()));
        QCOMPARE(window.encoder.runs(), 0);

        window.rows().setState(1, TaskState::Added); // one to convert: it alone converts
        window.batch().imgStartClick();
        QTRY_COMPARE(watcher.seen.size(), 2);
        QCOMPARE(watcher.seen[1].text, "The coversion is completed successfully.");
        QCOMPARE(window.encoder.runs(), 1);
    }

    void runLocksShowsProgressAndUnlocks()
    {
        ModalWatcher watcher;
        Window window({100, 100});
        WriteExampleProfile(window.fixture.folder(), "Example");
        const TMainFormUi& ui = window.ui();
        ui.cmbProfile->addItem("Example", "Example.cvp");
        ui.cmbProfile->setCurrentIndex(0);
        emit ui.cmbProfile->activated(0);
        window.batch().imgStartClick();
        QVERIFY(!ui.imgStart->isVisibleTo(&window.form()));
        QVERIFY(ui.imgStop->isVisibleTo(&window.form()));
        for (QWidget* control : lockedControls(ui))
            QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
        QVERIFY(ui.panBottomLeft->isVisibleTo(&window.form()));
        QVERIFY(!ui.panBottomCenter->isVisibleTo(&window.form()));
        QCOMPARE(ui.labElapsed->text(), "00:00:00"); // before the clock's first tick
        QVERIFY(ui.timerTime->isActive());
        QTRY_COMPARE(ui.labConvertingFile->text(), "a.avi");
        QTRY_COMPARE(window.encoder.runs(), 1);
        QCOMPARE(window.encoder.arguments(1).mid(3, 4),
                 (QStringList{"-vcodec", "mpeg4", "-s", "320x240"}));

        for (int tick = 0; tick < 10; ++tick)
            window.batch().timerTimeTimer();
        QCOMPARE(ui.labElapsed->text(), "00:00:10");
        QCOMPARE(ui.labRemaining->text(), "00:00:00");
        for (const QByteArray read : {"banner\n", "Input #0\n", "time=50.00 \n"}) {
            window.encoder.send(1, read);
            QTRY_COMPARE(ui.Memo1->toPlainText(), QString::fromLatin1(read));
        }
        QCOMPARE(ui.labTotalProgress->text(), "25%");
        QCOMPARE(ui.labCurProgress->text(), "50%");
        QCOMPARE(ui.pgbCurrent->value(), 50);
        for (int tick = 10; tick < 30; ++tick)
            window.batch().timerTimeTimer();
        QCOMPARE(ui.labElapsed->text(), "00:00:30");
        QCOMPARE(ui.labRemaining->text(), "00:01:30");

        window.encoder.exit(1, 0);
        QTRY_COMPARE(ui.labConvertingFile->text(), "b.avi");
        QCOMPARE(ui.labCurProgress->text(), "0%");
        QTRY_COMPARE(window.encoder.runs(), 2);
        watcher.setAnswer(QMessageBox::NoButton); // the box stays open over the window
        window.encoder.exit(2, 0);
        QTRY_COMPARE(watcher.seen.size(), 1);
        // It opens over the run as it ended, not as its last report left it.
        QCOMPARE(ui.labTotalProgress->text(), "100%");
        QCOMPARE(ui.labRemaining->text(), "00:00:00");
        QCOMPARE(ui.labConvertingFile->text(), QString());
        QVERIFY(ui.imgStart->isVisibleTo(&window.form()));
        QVERIFY(!ui.imgStop->isVisibleTo(&window.form()));
        watcher.setAnswer(QMessageBox::Ok); // seen again as it is answered
        QTRY_VERIFY(idleLook(window.form()));
        QCOMPARE(watcher.seen[0].title, "Complete");
        QCOMPARE(watcher.seen[0].text, "The coversion is completed successfully.");
        QCOMPARE(StatusOf(window.rows(), 1), "Complete");
    }

    void listFollowsTheWork_data()
    {
        QTest::addColumn<bool>("scrolledAway");
        QTest::newRow("follows") << false;
        QTest::newRow("the user looked elsewhere") << true;
    }
    void listFollowsTheWork()
    {
        QFETCH(bool, scrolledAway);
        ModalWatcher watcher;
        Window window(QList<double>(60, 10));
        window.form().resize(900, 600);
        window.form().show();
        QTreeView* list = window.ui().ltvTask;
        const auto inView = [&](int row) {
            return list->viewport()->rect().intersects(
                list->visualRect(list->model()->index(row, 0)));
        };
        QVERIFY(!inView(40));
        window.batch().imgStartClick();
        for (int run = 1; run <= 40; ++run) {
            QTRY_COMPARE(window.encoder.runs(), run);
            if (run == 30 && scrolledAway)
                list->verticalScrollBar()->setValue(0);
            window.encoder.exit(run, 0);
        }
        QTRY_COMPARE(window.encoder.runs(), 41);
        QCOMPARE(inView(40), !scrolledAway);
        QCOMPARE(inView(0), scrolledAway);
        window.batch().tbtnStopClick();
    }

    // clang-format off
    void completionActions_data()
    {
        QTest::addColumn<bool>("openDir");
        QTest::addColumn<bool>("exit");
        QTest::addColumn<bool>("turnOff");
        QTest::addColumn<bool>("box");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("powerOffs");
        QTest::addColumn<int>("status");         // every task's exit status
        QTest::addColumn<QString>("refusal");    // what the power-off answers
        QTest::newRow("report") << false << false << false << true << false << 0 << 0 << "";
        QTest::newRow("report, open folder") << true << false << false << true << false << 0 << 0 << "";
        QTest::newRow("exit") << true << true << false << false << true << 0 << 0 << "";
        QTest::newRow("turn off") << true << false << true << false << true << 1 << 0 << "";
        QTest::newRow("turn off before exit") << false << true << true << false << true << 1 << 0 << "";
        QTest::newRow("a failure keeps the window: exit") << false << true << false << true << false << 0 << 1 << "";
        QTest::newRow("a failure keeps the window: turn off") << false << false << true << true << false << 0 << 1 << "";
        QTest::newRow("power-off refused") << false << true << true << true << false << 1 << 0 << "Access denied";
    }
    // clang-format on
    void completionActions()
    {
        QFETCH(bool, openDir);
        QFETCH(bool, exit);
        QFETCH(bool, turnOff);
        QFETCH(bool, box);
        QFETCH(bool, closed);
        QFETCH(int, powerOffs);
        QFETCH(int, status);
        QFETCH(QString, refusal);
        ModalWatcher watcher;
        Window window({5, 5});
        window.encoder.endAtOnce(status);
        window.fixture.powerOffRefusal = refusal;
        window.fixture.setting->chkOpenDir->setChecked(openDir);
        window.fixture.setting->chkExit->setChecked(exit);
        window.fixture.setting->chkTurnoff->setChecked(turnOff);
        window.form().show();
        window.batch().imgStartClick();
        QTRY_COMPARE(StatusOf(window.rows(), 1), status == 0 ? "Complete" : "Failed");
        QTRY_VERIFY(idleLook(window.form()) || closed);
        QTRY_COMPARE(window.form().isVisible(), !closed);
        QCOMPARE(watcher.seen.size(), box ? 1 : 0);
        if (!refusal.isEmpty())
            QVERIFY(watcher.seen[0].text.contains(refusal));
        else if (status != 0)
            QVERIFY(watcher.seen[0].text.startsWith("2 of 2 files"));
        QCOMPARE(window.fixture.opened,
                 box && openDir ? QStringList{window.fixture.folder()} : QStringList());
        QCOMPARE(window.fixture.powerOffs, powerOffs);
    }

    void stopDuringTheLastTask()
    {
        ModalWatcher watcher;
        Window window({5, 5});
        window.fixture.setting->chkOpenDir->setChecked(true);
        window.batch().tbtnStopClick(); // no run: nothing happens
        QVERIFY(!messageBoxShown());
        window.form().show();
        window.batch().imgStartClick();
        QTRY_COMPARE(window.encoder.runs(), 1);
        window.encoder.exit(1, 0);
        QTRY_COMPARE(window.encoder.runs(), 2);
        window.batch().imgStopClick();
        QVERIFY(window.ui().imgStart->isVisible()); // at once, before the run has wound down
        QVERIFY(!window.ui().imgStop->isVisible());
        QTRY_VERIFY(ProcessGone(window.encoder.pid(2)));
        QTRY_COMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].title, "Cancel");
        QCOMPARE(watcher.seen[0].text, "The Coversion is canceled.");
        QCOMPARE(watcher.seen[0].icon, QMessageBox::Information);
        QTRY_VERIFY(idleLook(window.form()));
        QCOMPARE(StatusOf(window.rows(), 0), "Complete");
        QCOMPARE(StatusOf(window.rows(), 1), "Stop");
        QVERIFY(window.fixture.opened.isEmpty());
        QVERIFY(window.form().isVisible());
    }

    // clang-format off
    void closeDuringRun_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes stops and closes") << int(QMessageBox::Yes);
        QTest::newRow("No converts on") << int(QMessageBox::No);
        // The run ends while the question is open: the question goes, the window closes.
        QTest::newRow("left open") << int(QMessageBox::NoButton);
    }
    // clang-format on
    void closeDuringRun()
    {
        QFETCH(int, answer);
        ModalWatcher watcher{QMessageBox::StandardButton(answer)};
        Window window;
        window.form().show();
        window.batch().imgStartClick();
        QTRY_COMPARE(window.encoder.runs(), 1);
        QVERIFY(!window.form().close());
        QTRY_COMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].title, "Framewright");
        QCOMPARE(watcher.seen[0].text, "A conversion is running. Stop it and exit?");
        QCOMPARE(watcher.seen[0].icon, QMessageBox::Question);
        if (answer == QMessageBox::Yes) {
            QTRY_VERIFY(!window.form().isVisible());
            QTRY_VERIFY(ProcessGone(window.encoder.pid(1)));
            QCOMPARE(StatusOf(window.rows(), 0), "Stop");
            QCOMPARE(window.batch().run().state(), BatchRun::Idle);
        } else {
            QVERIFY(window.form().isVisible());
            QVERIFY(!ProcessGone(window.encoder.pid(1)));
            window.encoder.exit(1, 0);
            QTRY_COMPARE(StatusOf(window.rows(), 0), "Complete");
        }
        if (answer == QMessageBox::NoButton) {
            QTRY_VERIFY(!window.form().isVisible());
            QTRY_VERIFY(!messageBoxShown());
        }
        // No "Cancel" box after Yes, no final box after the question left open.
        QTRY_COMPARE(watcher.seen.size(), answer == QMessageBox::No ? 2 : 1);
    }

    // clang-format off
    void desktopDuringRun_data()
    {
        QTest::addColumn<QString>("end");    // how the run ends
        QTest::addColumn<bool>("active");    // the main window is the active window then
        QTest::addColumn<bool>("services");  // the login manager and notifications are there
        QTest::addColumn<QString>("notice"); // what the desktop is told, "" for nothing (its
                                             // texts for each outcome: tst_desktop)
        QTest::newRow("completed in the background") << "complete" << false << true << "2 files converted.";
        QTest::newRow("completed in sight") << "complete" << true << true << "";
        QTest::newRow("stopped in the background") << "stop" << false << true << "The conversion was stopped.";
        QTest::newRow("the window closes") << "close" << false << true << "";
        QTest::newRow("no desktop services") << "complete" << false << false << "";
    }
    // clang-format on
    void desktopDuringRun()
    {
        QFETCH(QString, end);
        QFETCH(bool, active);
        QFETCH(bool, services);
        QFETCH(QString, notice);
        ModalWatcher watcher{QMessageBox::Yes};
        FakeDesktop desktop;
        if (services) {
            desktop.offerLogin();
            desktop.offerNotices();
        }
        Window window({5, 5});
        window.fixture.systemBus = desktop.connect();
        window.fixture.sessionBus = desktop.connect();
        QWidget other; // another program's window
        window.form().show();
        QWidget* front = active ? static_cast<QWidget*>(&window.form()) : &other;
        front->show();
        front->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(front));
        window.batch().imgStartClick();
        QTRY_COMPARE(window.encoder.runs(), 1);
        QTRY_COMPARE(desktop.login.calls.size(), services ? 1 : 0);
        QVERIFY(!services || desktop.login.held(0));
        if (end == "stop") {
            window.batch().imgStopClick();
        } else if (end == "close") {
            window.form().close();
        } else {
            window.encoder.exit(1, 0);
            QTRY_COMPARE(window.encoder.runs(), 2);
            window.encoder.exit(2, 0);
        }
        QTRY_VERIFY(!services || !desktop.login.held(0));
        QTRY_VERIFY(!window.form().isVisible() || idleLook(window.form()));
        QTest::qWait(200); // a notice would be in by now
        QCOMPARE(desktop.notices.calls.size(), notice.isEmpty() ? 0 : 1);
        if (!notice.isEmpty())
            QCOMPARE(desktop.notices.calls[0],
                     (QVariantList{"Framewright", 0u, "framewright",
                                   end == "stop" ? "Conversion stopped" : "Conversion finished",
                                   notice, QStringList(), QVariantMap(), -1}));
    }

    void encoderCannotStart()
    {
        ModalWatcher watcher;
        FormFixture fixture; // no encoder in the program folder
        WriteExampleProfile(fixture.folder(), "Example");
        fixture.form->ui().cmbProfile->addItem("Example", "Example.cvp");
        fixture.form->ui().cmbProfile->setCurrentIndex(0);
        QVERIFY(WriteFile(fixture.folder() + "a.avi") && WriteFile(fixture.folder() + "b.avi"));
        AppendTask(fixture.form->rows(), AddedTask(fixture.folder() + "a.avi", 5));
        AppendTask(fixture.form->rows(), AddedTask(fixture.folder() + "b.avi", 5));
        fixture.form->batch().imgStartClick();
        QTRY_COMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].title, "Framewright");
        QCOMPARE(watcher.seen[0].text, "Error on CreateProcess()");
        QCOMPARE(watcher.seen[0].icon, QMessageBox::NoIcon);
        QTRY_VERIFY(idleLook(*fixture.form));
        QCOMPARE(StatusOf(fixture.form->rows(), 0), "Failed");
        QCOMPARE(StatusOf(fixture.form->rows(), 1), "OK");
    }

    void faultyProfileLeavesTheWindowUnlocked()
    {
        ModalWatcher watcher;
        Window window;
        WriteExampleProfile(window.fixture.folder(), "Short",
                            "[Main]\r\nType=mp4\r\nPara=1\r\n0=P\r\n[P]\r\nSort=2\r\ncmd=-ac\r\n"
                            "List=1\r\nCaption=Original,Mono,Stereo,\r\nValue=,1,\r\nIndex=2\r\n");
        window.ui().cmbProfile->addItem("Short", "Short.cvp");
        window.ui().cmbProfile->setCurrentIndex(1);
        emit window.ui().cmbProfile->activated(1);
        emit window.ui().imgStart->clicked();
        QTRY_COMPARE(watcher.seen.size(), 1);
        QVERIFY(watcher.seen[0].text.contains("has no value for \"Stereo\""));
        QVERIFY(idleLook(window.form()));
        QCOMPARE(window.encoder.runs(), 0);
    }
};

QTEST_MAIN(TestBatchWindow)
#include "tst_batchwindow.moc"
