#include "FakeEncoder.h"
#include "SteppedEncoder.h"
#include "TestFiles.h"
#include "TestTasks.h"
#include "engine/BatchRules.h"
#include "engine/BatchRun.h"
#include "engine/BatchSettings.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "engine/TaskStatus.h"
#include "engine/TimeText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
// A run over its own task list, with every report written down in order.
struct Harness
{
    explicit Harness(const QString& encoder) : run(rows, encoder)
    {
        QObject::connect(&run, &BatchRun::started, &run, [this] { events << "started"; });
        QObject::connect(&run, &BatchRun::clockRunning, &run,
                         [this](bool on) { events << (on ? "clock on" : "clock off"); });
        QObject::connect(&run, &BatchRun::convertingFile, &run,
                         [this](const QString& name) { events << "file " + name; });
        QObject::connect(&run, &BatchRun::outputRead, &run, [this](const QString& text) {
            events << "read " + text;
            ++reads;
        });
        QObject::connect(&run, &BatchRun::progressShown, &run, [this](int current, int total) {
            events << QStringLiteral("progress %1 %2").arg(current).arg(total);
        });
        QObject::connect(&run, &BatchRun::ended, &run, [this](const BatchOutcome& outcome) {
            events << "ended " + outcome.text;
            outcomes << outcome;
        });
        // A task's start and end as the run tells them, which the list must already show.
        QObject::connect(&run, &BatchRun::taskStarted, &run,
                         [this](int row) { status(row, TaskState::Converting); });
        QObject::connect(&run, &BatchRun::taskEnded, &run,
                         [this](int row, TaskState state, const QString& output,
                                const QString& reason) {
                             status(row, state);
                             ends << QStringList{TaskStatus::word(state), output, reason};
                         });
    }

    void status(int row, TaskState state)
    {
        events << QStringLiteral("status %1 %2").arg(row).arg(TaskStatus::word(state));
        if (rows.task(row).state != state)
            events << "the list shows " + StatusOf(rows, row);
    }

    TaskModel model;
    TaskRows rows{&model};
    BatchSettings settings{QString(), ".mp4"};
    BatchRun run;
    QStringList events;
    QList<QStringList> ends; // each task's end: its status, output and reason
    QList<BatchOutcome> outcomes;
    int reads = 0;
};

// Hands the run one piece and waits until it has been read.
bool readOne(Harness& harness, SteppedEncoder& encoder, int run, const QByteArray& bytes)
{
    const int before = harness.reads;
    encoder.send(run, bytes);
    return QTest::qWaitFor([&] { return harness.reads > before; });
}

QString lastProgress(const QStringList& events)
{
    for (auto it = events.crbegin(); it != events.crend(); ++it) {
        if (it->startsWith("progress "))
            return it->mid(9);
    }
    return {};
}
} // namespace

class TestBatchRun final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString& relative) const { return m_dir.filePath(relative); }

private slots:
    void init()
    {
        QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path()));
        // A task starts only while its input exists; the fake encoders never read it.
        for (const char* name : {"a.avi", "b.avi", "c.avi", "first.avi", "second.avi"})
            QVERIFY(WriteFile(path(name)));
    }

    // clang-format off
    void readsMoveTheBars_data()
    {
        QTest::addColumn<double>("clip");  // seconds of the task that runs
        QTest::addColumn<double>("other"); // seconds of a second task, 0 for none
        QTest::addColumn<QByteArrayList>("reads");
        QTest::addColumn<QStringList>("bars"); // "current total" after each read, "" if unmoved
        QTest::newRow("first two reads never move") << 60.0 << 0.0 << QByteArrayList{"time=30 ", "time=30 ", "time=30 "} << QStringList{"", "", "50 50"};
        QTest::newRow("position never goes back") << 60.0 << 0.0 << QByteArrayList{"a", "b", "time=30 ", "time=20 "} << QStringList{"", "", "50 50", "50 50"};
        QTest::newRow("read without time") << 60.0 << 0.0 << QByteArrayList{"a", "b", "time=30 ", "frame=9\n"} << QStringList{"", "", "50 50", "50 50"};
        QTest::newRow("no blank after the value") << 60.0 << 0.0 << QByteArrayList{"a", "b", "time=30"} << QStringList{"", "", "0 0"};
        QTest::newRow("value not a number") << 60.0 << 0.0 << QByteArrayList{"a", "b", "time=N/A "} << QStringList{"", "", "0 0"};
        QTest::newRow("time inside a line") << 60.0 << 0.0 << QByteArrayList{"a", "b", "fps=25 time=6.0 bitrate=1"} << QStringList{"", "", "10 10"};
        QTest::newRow("halves round to even") << 40.0 << 0.0 << QByteArrayList{"a", "b", "time=1 ", "time=3 "} << QStringList{"", "", "2 2", "8 8"};
        QTest::newRow("beyond the end") << 60.0 << 0.0 << QByteArrayList{"a", "b", "time=90 "} << QStringList{"", "", "100 100"};
        QTest::newRow("length 0 leaves current") << 0.0 << 60.0 << QByteArrayList{"a", "b", "time=30 "} << QStringList{"", "", "0 50"};
        QTest::newRow("total counts all tasks") << 60.0 << 60.0 << QByteArrayList{"a", "b", "time=30 "} << QStringList{"", "", "50 25"};
    }
    // clang-format on
    void readsMoveTheBars()
    {
        QFETCH(double, clip);
        QFETCH(double, other);
        QFETCH(QByteArrayList, reads);
        QFETCH(QStringList, bars);
        SteppedEncoder encoder(m_dir.path());
        Harness harness(encoder.program());
        harness.settings.outputFolder = m_dir.path();
        ltvItemData task = AddedTask(path("a.avi"), 60);
        task.ClipLength = SecondsToText(clip);
        AppendTask(harness.rows, task);
        if (other > 0)
            AppendTask(harness.rows, AddedTask(path("b.avi"), other));
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(encoder.runs(), 1);
        for (int i = 0; i < reads.size(); ++i) {
            const int before = int(harness.events.size());
            QVERIFY(readOne(harness, encoder, 1, reads[i]));
            QCOMPARE(harness.events[before], "read " + reads[i]);
            QCOMPARE(lastProgress(harness.events.mid(before)), bars[i]);
        }
        QCOMPARE(harness.run.state(), BatchRun::Converting);
    }

    void eventsInOrder()
    {
        SteppedEncoder encoder(m_dir.path());
        encoder.endAtOnce(0, "x");
        Harness harness(encoder.program());
        harness.settings.outputFolder = m_dir.path();
        AppendTask(harness.rows, AddedTask(path("a.avi"), 10));
        AppendTask(harness.rows, AddedTask(path("b.avi"), 10));
        harness.events.clear();
        harness.run.RunBatch(QString(), harness.settings);
        QCOMPARE(harness.run.state(), BatchRun::Converting);
        QTRY_COMPARE(harness.outcomes.size(), 1);
        const QStringList expected = {"started",
                                      "clock on",
                                      "status 0 Converting",
                                      "file a.avi",
                                      "read x",
                                      "status 0 Complete",
                                      "progress 0 0",
                                      "status 1 Converting",
                                      "file b.avi",
                                      "read x",
                                      "status 1 Complete",
                                      "clock off",
                                      "ended The coversion is completed successfully."};
        QCOMPARE(harness.events.join(" | "), expected.join(" | "));
        QCOMPARE(harness.outcomes[0].kind, BatchOutcome::Completed);
        QCOMPARE(harness.outcomes[0].caption, "Complete");
        QCOMPARE(harness.run.state(), BatchRun::Idle);
    }

    // clang-format off
    void outputPaths_data()
    {
        QTest::addColumn<QStringList>("existing"); // files, or "link>target" symbolic links
        QTest::addColumn<QStringList>("tasks");    // input|NewFileName|NewFileExt
        QTest::addColumn<QString>("folder");       // output folder as typed
        QTest::addColumn<bool>("rename");
        QTest::addColumn<QStringList>("outputs"); // "!reason": refused, no encoder started
        QTest::newRow("plain, separator added") << QStringList{"v/a.avi", "out/"} << QStringList{"v/a.avi|a|.mkv"} << "out" << false << QStringList{"out/a.mp4"};
        QTest::newRow("existing, rename: row number, profile's extension") << QStringList{"v/a.avi", "v/b.avi", "v/c.avi", "out/c.mp4"} << QStringList{"v/a.avi|a|.mp4", "v/b.avi|b|.mp4", "v/c.avi|c|.mkv"} << "out/" << true << QStringList{"out/a.mp4", "out/b.mp4", "out/c_3.mp4"};
        QTest::newRow("numbered name exists too") << QStringList{"v/a.avi", "out/a.mp4", "out/a_1.mp4", "out/a_1_2.mp4"} << QStringList{"v/a.avi|a|.mp4"} << "out" << true << QStringList{"out/a_1_3.mp4"};
        QTest::newRow("existing, overwrite") << QStringList{"v/a.avi", "out/a.mp4"} << QStringList{"v/a.avi|a|.mp4"} << "out" << false << QStringList{"out/a.mp4"};
        QTest::newRow("output is the input") << QStringList{"v/a.mp4"} << QStringList{"v/a.mp4|a|.mov"} << "v" << false << QStringList{"v/a_1.mp4"};
        QTest::newRow("input spelt with ./ and //") << QStringList{"v/a.mp4"} << QStringList{"v/a.mp4|a|.mov"} << "v/.//" << false << QStringList{"v/.//a_1.mp4"};
        QTest::newRow("input through a link") << QStringList{"v/a.mp4", "w>v"} << QStringList{"v/a.mp4|a|.mov"} << "w" << false << QStringList{"w/a_1.mp4"};
        QTest::newRow("numbered without own extension") << QStringList{"v/a.mp4"} << QStringList{"v/a.mp4|a|"} << "v" << false << QStringList{"v/a_1.mp4"};
        QTest::newRow("two tasks, one output") << QStringList{"v/a.avi", "v/a.mkv", "out/"} << QStringList{"v/a.avi|a|.mp4", "v/a.mkv|a|.mp4"} << "out" << false << QStringList{"out/a.mp4", "out/a_2.mp4"};
        QTest::newRow("a later task's input") << QStringList{"v/b.avi", "v/c.mp4"} << QStringList{"v/b.avi|c|.mp4", "v/c.mp4|c2|.mp4"} << "v" << false << QStringList{"v/c_1.mp4", "v/c2.mp4"};
        QTest::newRow("input gone: refused, the run goes on") << QStringList{"v/b.avi", "out/"} << QStringList{"v/gone.avi|a|.mp4", "v/b.avi|b|.mp4"} << "out" << true << QStringList{"!The file no longer exists", "out/b.mp4"};
        QTest::newRow("name leads out: refused, nothing claimed") << QStringList{"v/a.avi", "v/b.avi", "out/"} << QStringList{"v/a.avi|../a|.mp4", "v/b.avi|b|.mp4"} << "out" << true << QStringList{"!The output \"<dir>/out/../a.mp4\" is not in the output folder \"<dir>/out\"", "out/b.mp4"};
    }
    // clang-format on
    void outputPaths()
    {
        QFETCH(QStringList, existing);
        QFETCH(QStringList, tasks);
        QFETCH(QString, folder);
        QFETCH(bool, rename);
        QFETCH(QStringList, outputs);
        for (const QString& item : existing) {
            const QStringList link = item.split('>');
            QDir().mkpath(QFileInfo(path(link[0])).path());
            if (link.size() == 2)
                QVERIFY(QFile::link(path(link[1]), path(link[0])));
            else if (!item.endsWith('/'))
                QVERIFY(WriteFile(path(item), "keep"));
        }
        SteppedEncoder encoder(m_dir.path());
        encoder.endAtOnce(0);
        Harness harness(encoder.program());
        harness.settings.outputFolder = path(folder);
        harness.settings.renameExisting = rename;
        for (const QString& item : tasks) {
            const QStringList parts = item.split('|');
            ltvItemData task = AddedTask(path(parts[0]), 5, parts[2]);
            task.NewFileName = parts[1];
            AppendTask(harness.rows, task);
        }
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(harness.outcomes.size(), 1);
        int run = 0;
        for (int row = 0; row < tasks.size(); ++row) {
            if (outputs[row].startsWith('!')) {
                QCOMPARE(harness.rows.failureReason(row),
                         outputs[row].mid(1).replace("<dir>", m_dir.path()));
                continue;
            }
            const QStringList expected = {"-y", "-i", path(tasks[row].section('|', 0, 0)),
                                          m_dir.path() + '/' + outputs[row]};
            QCOMPARE(encoder.arguments(++run), expected);
        }
        QCOMPARE(encoder.runs(), run);
        QVERIFY(!QFileInfo::exists(path("a.mp4")));
        for (const QString& item : existing) {
            if (!item.contains('>') && !item.endsWith('/'))
                QCOMPARE(ReadFile(path(item)), QByteArray("keep"));
        }
    }

    // clang-format off
    void taskArguments_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("additions");
        QTest::newRow("whole source") << "00:00:00.0" << "00:01:00" << "";
        QTest::newRow("trimmed both ends") << "00:00:10" << "00:00:50" << " -ss 00:00:10 -t 50";
        QTest::newRow("end only") << "00:00:00" << "00:00:30" << " -t 30";
        QTest::newRow("half a second down to even") << "00:00:00" << "00:00:02.5" << " -t 2";
        QTest::newRow("half a second up to even") << "00:00:00" << "00:00:03.5" << " -t 4";
    }
    // clang-format on
    void taskArguments()
    {
        QFETCH(QString, start);
        QFETCH(QString, clip);
        QFETCH(QString, additions);
        ltvItemData task = AddedTask("/v/a.avi", 60);
        task.StartTime = start;
        task.StartTimeSec = TextToSeconds(start);
        task.ClipLengthSec = TextToSeconds(clip);
        task.LengthSec = 60;
        QCOMPARE(TaskArguments(" -vcodec mpeg4", task), " -vcodec mpeg4" + additions);
    }

    void trimBelongsToItsTask()
    {
        SteppedEncoder encoder(m_dir.path());
        encoder.endAtOnce(0);
        Harness harness(encoder.program());
        harness.settings.outputFolder = m_dir.path();
        ltvItemData trimmed = AddedTask(path("a.avi"), 60);
        trimmed.StartTime = "00:00:10";
        trimmed.ClipLength = "00:00:50";
        AppendTask(harness.rows, trimmed);
        AppendTask(harness.rows, AddedTask(path("b.avi"), 60));
        harness.run.RunBatch(" -vcodec mpeg4", harness.settings);
        QTRY_COMPARE(harness.outcomes.size(), 1);
        QCOMPARE(encoder.arguments(1).mid(3, 6),
                 (QStringList{"-vcodec", "mpeg4", "-ss", "00:00:10", "-t", "50"}));
        QCOMPARE(encoder.arguments(2).mid(3), (QStringList{"-vcodec", "mpeg4", path("b.mp4")}));
    }

    // clang-format off
    void failedTasks_data()
    {
        QTest::addColumn<QByteArray>("script"); // what the encoder does for the first task
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("text");
        QTest::newRow("error status") << QByteArray("printf 'Unknown encoder nope\\ntime=1.00 \\n'; exit 1") << "Failed" << "The encoder ended with status 1.\nUnknown encoder nope" << "1 of 2 files could not be converted; the Status column tells why when you point at " "it.";
        QTest::newRow("crash") << QByteArray("echo half; kill -SEGV $$") << "Failed" << "The encoder crashed.\nhalf" << "1 of 2 files could not be converted; the Status column tells " "why when you point at it.";
        QTest::newRow("success") << QByteArray("printf 'time=1.00 \\n'; exit 0") << "Complete" << "" << "The coversion is completed successfully.";
        QTest::newRow("the reason is the last lines") << QByteArray("seq 1 20; exit 1") << "Failed" << "The encoder ended with status 1.\n13\n14\n15\n16\n17\n18\n19\n20" << "1 of 2 files could not be converted; the Status column tells " "why when you point at it.";
    }
    // clang-format on
    void failedTasks()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, status);
        QFETCH(QString, tip);
        QFETCH(QString, text);
        const QString program = WriteFakeEncoder(
            m_dir.path(), "encoder", "case \"$3\" in *first*) " + script + ";; esac\necho fine");
        Harness harness(program);
        harness.settings.outputFolder = m_dir.path();
        AppendTask(harness.rows, AddedTask(path("first.avi"), 5));
        AppendTask(harness.rows, AddedTask(path("second.avi"), 5));
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(harness.outcomes.size(), 1);
        QCOMPARE(StatusOf(harness.rows, 0), status);
        QCOMPARE(harness.rows.failureReason(0), tip);
        QCOMPARE(StatusOf(harness.rows, 1), "Complete");
        QCOMPARE(harness.outcomes[0].kind, BatchOutcome::Completed);
        QCOMPARE(harness.outcomes[0].text, text);
        // Each task keeps what its conversion left: the file written, the encoder's lines.
        QCOMPARE(harness.rows.task(0).outputPath,
                 status == "Complete" ? path("first.mp4") : QString());
        QCOMPARE(harness.rows.task(1).outputPath, path("second.mp4"));
        QCOMPARE(harness.rows.task(1).encoderOutput, "fine");
        QCOMPARE(harness.ends.value(0),
                 (QStringList{status, harness.rows.task(0).outputPath, tip}));
    }

    // clang-format off
    void encoderCannotStart_data()
    {
        QTest::addColumn<QString>("encoder");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing program") << "missing" << "Error on CreateProcess()";
        QTest::newRow("not executable") << "plain" << "Error on CreateProcess()";
        QTest::newRow("no program at all") << "" << "Error On CreatePipe()";
    }
    // clang-format on
    void encoderCannotStart()
    {
        QFETCH(QString, encoder);
        QFETCH(QString, message);
        WriteFile(path("plain"), "#!/bin/sh\n");
        Harness harness(encoder.isEmpty() ? QString() : path(encoder));
        harness.settings.outputFolder = m_dir.path();
        AppendTask(harness.rows, AddedTask(path("a.avi"), 5));
        AppendTask(harness.rows, AddedTask(path("b.avi"), 5));
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(harness.outcomes.size(), 1);
        QCOMPARE(harness.outcomes[0].kind, BatchOutcome::CannotStart);
        QCOMPARE(harness.outcomes[0].caption, "Framewright");
        QCOMPARE(harness.outcomes[0].text, message);
        QCOMPARE(harness.events.mid(harness.events.size() - 3, 2),
                 (QStringList{"clock off", "status 0 Failed"}));
        QVERIFY(harness.rows.failureReason(0).startsWith("The encoder could not be started"));
        QCOMPARE(StatusOf(harness.rows, 1), "OK");
        QCOMPARE(harness.run.state(), BatchRun::Idle);
    }

    void stopDuringTheLastTask()
    {
        SteppedEncoder encoder(m_dir.path());
        Harness harness(encoder.program());
        harness.settings.outputFolder = m_dir.path();
        harness.run.Stop(); // nothing runs: nothing happens
        QVERIFY(harness.events.isEmpty());
        AppendTask(harness.rows, AddedTask(path("a.avi"), 5));
        AppendTask(harness.rows, AddedTask(path("b.avi"), 5));
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(encoder.runs(), 1);
        encoder.exit(1, 0);
        QTRY_COMPARE(encoder.runs(), 2);
        QVERIFY(readOne(harness, encoder, 2, "banner"));
        harness.run.Stop();
        QCOMPARE(harness.run.state(), BatchRun::StopRequested);
        QCOMPARE(harness.rows.task(1).encoderOutput, "banner"); // what was read before Stop
        QTRY_VERIFY(ProcessGone(encoder.pid(2)));
        harness.run.Stop(); // a second request changes nothing
        QTRY_COMPARE(harness.outcomes.size(), 1);
        QCOMPARE(harness.events.mid(harness.events.size() - 3),
                 (QStringList{"clock off", "status 1 Stop", "ended The Coversion is canceled."}));
        QCOMPARE(harness.outcomes[0].kind, BatchOutcome::Stopped);
        QCOMPARE(harness.outcomes[0].caption, "Cancel");
        QCOMPARE(StatusOf(harness.rows, 0), "Complete");
        QCOMPARE(harness.run.state(), BatchRun::Idle);
        // The stopped task keeps what its encoder wrote, and no output.
        QCOMPARE(harness.rows.task(1).encoderOutput, "banner");
        QCOMPARE(harness.ends.constLast(), (QStringList{"Stop", "", ""}));
    }

    // Stop pressed as a task ends, before the next one starts: no further task begins, whether
    // it comes while the end is told or from the event loop, with the next start queued.
    void stopBetweenTwoTasks_data()
    {
        QTest::addColumn<bool>("queued");
        QTest::newRow("while the end is told") << false;
        QTest::newRow("from the event loop") << true;
    }
    void stopBetweenTwoTasks()
    {
        QFETCH(bool, queued);
        SteppedEncoder encoder(m_dir.path());
        encoder.endAtOnce(0);
        Harness harness(encoder.program());
        harness.settings.outputFolder = m_dir.path();
        AppendTask(harness.rows, AddedTask(path("a.avi"), 5));
        AppendTask(harness.rows, AddedTask(path("b.avi"), 5));
        QObject::connect(&harness.run, &BatchRun::taskEnded, &harness.run, [&] {
            if (queued)
                QTimer::singleShot(0, &harness.run, [&] { harness.run.Stop(); });
            else
                harness.run.Stop();
        });
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(harness.outcomes.size(), 1);
        QCOMPARE(harness.outcomes[0].kind, BatchOutcome::Stopped);
        QCOMPARE(encoder.runs(), 1);
        QCOMPARE(StatusOf(harness.rows, 1), "OK");
        QCOMPARE(harness.events.filter("status 1"), QStringList());
    }

    // A task appended while the run converts joins it and counts in its bars and outcome; one
    // appended after the run has ended waits for the next.
    void appendedTasksJoin()
    {
        SteppedEncoder encoder(m_dir.path());
        Harness harness(encoder.program());
        harness.settings.outputFolder = m_dir.path();
        AppendTask(harness.rows, AddedTask(path("a.avi"), 10));
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(encoder.runs(), 1);
        AppendTask(harness.rows, AddedTask(path("b.avi"), 30));
        for (const char* bytes : {"banner", "banner", "time=5 "})
            QVERIFY(readOne(harness, encoder, 1, bytes));
        QCOMPARE(lastProgress(harness.events), "50 12"); // 5 of 10 s; of 40, halves to even
        encoder.exit(1, 0);
        QTRY_COMPARE(encoder.runs(), 2);
        QCOMPARE(encoder.arguments(2).constLast(), path("b.mp4"));
        encoder.exit(2, 0);
        QTRY_COMPARE(harness.outcomes.size(), 1);
        QCOMPARE(harness.outcomes[0].tasks, 2);
        AppendTask(harness.rows, AddedTask(path("c.avi"), 5));
        QTest::qWait(100);
        QCOMPARE(encoder.runs(), 2);
    }

    // A run with fewer tasks at once than the one before converts no more at once than it says.
    void fewerAtOnceThanBefore()
    {
        SteppedEncoder encoder(m_dir.path());
        Harness harness(encoder.program());
        harness.settings.outputFolder = m_dir.path();
        for (const char* name : {"a.avi", "b.avi", "c.avi"})
            AppendTask(harness.rows, AddedTask(path(name), 5));
        harness.settings.tasksAtOnce = 3;
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(encoder.runs(), 3);
        harness.run.Stop();
        QTRY_COMPARE(harness.outcomes.size(), 1);
        harness.settings.tasksAtOnce = 1;
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(encoder.runs(), 4);
        QTest::qWait(200); // a second start would come from the event loop meanwhile
        QCOMPARE(encoder.runs(), 4);
        QCOMPARE(harness.run.convertingRows(), QList<int>{0});
        encoder.exit(4, 0);
        QTRY_COMPARE(encoder.runs(), 5);
        QCOMPARE(harness.run.convertingRows(), QList<int>{1});
        harness.run.Stop();
        QTRY_COMPARE(harness.outcomes.size(), 2);
    }

    // An encoder that cannot start while others convert: those others are stopped and told so,
    // the task that could not start fails, and the tasks before keep their end.
    void cannotStartBesideOthers()
    {
        SteppedEncoder encoder(m_dir.path());
        Harness harness(encoder.program());
        harness.settings.outputFolder = m_dir.path();
        harness.settings.tasksAtOnce = 2;
        for (const char* name : {"a.avi", "b.avi", "c.avi"})
            AppendTask(harness.rows, AddedTask(path(name), 5));
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(encoder.runs(), 2);
        const int first = encoder.arguments(1).contains(path("a.avi")) ? 1 : 2;
        const int second = 3 - first;
        QVERIFY(QFile::setPermissions(encoder.program(), QFile::ReadOwner | QFile::WriteOwner));
        encoder.exit(first, 0);
        QTRY_COMPARE(harness.outcomes.size(), 1);
        QCOMPARE(harness.outcomes[0].kind, BatchOutcome::CannotStart);
        QVERIFY(ProcessGone(encoder.pid(second)));
        QCOMPARE(StatusOf(harness.rows, 0), "Complete");
        QCOMPARE(StatusOf(harness.rows, 1), "Stop");
        QCOMPARE(StatusOf(harness.rows, 2), "Failed");
        QCOMPARE(harness.ends.size(), 3);
        QCOMPARE(harness.run.state(), BatchRun::Idle);
    }

    // A run after one with failures starts clean: no count, no reason left from before.
    void secondRunStartsClean()
    {
        const QString program =
            WriteFakeEncoder(m_dir.path(), "encoder",
                             "if [ -e '" + QFile::encodeName(path("fail")) +
                                 "' ]; then echo broken; exit 1; fi\necho fine");
        Harness harness(program);
        harness.settings.outputFolder = m_dir.path();
        AppendTask(harness.rows, AddedTask(path("a.avi"), 5));
        QVERIFY(WriteFile(path("fail"), "x"));
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(harness.outcomes.size(), 1);
        QCOMPARE(harness.outcomes[0].failed, 1);
        QVERIFY(QFile::remove(path("fail")));
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(harness.outcomes.size(), 2);
        QCOMPARE(harness.outcomes[1].failed, 0);
        QCOMPARE(harness.outcomes[1].text, "The coversion is completed successfully.");
        QCOMPARE(StatusOf(harness.rows, 0), "Complete");
        QCOMPARE(harness.rows.failureReason(0), QString());
    }

    // Two at once: each row shows its own progress, names never collide, a finished task makes
    // room for the next, and Stop ends every conversion under way.
    void severalAtOnce()
    {
        SteppedEncoder encoder(m_dir.path());
        Harness harness(encoder.program());
        harness.settings.outputFolder = m_dir.path();
        harness.settings.tasksAtOnce = 2;
        QVERIFY(QDir().mkpath(path("x")) && QDir().mkpath(path("y")));
        QVERIFY(WriteFile(path("x/a.avi")) && WriteFile(path("y/a.avi")));
        for (const char* name : {"x/a.avi", "y/a.avi", "c.avi"})
            AppendTask(harness.rows, AddedTask(path(name), 10));
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(encoder.runs(), 2);
        QCOMPARE(harness.events.filter("file ").constLast(), "file a.avi, a.avi");
        // The two start together, in either order.
        const int first = encoder.arguments(1).contains(path("x/a.avi")) ? 1 : 2;
        const int second = 3 - first;
        QCOMPARE(encoder.arguments(first).constLast(), path("a.mp4"));
        QCOMPARE(encoder.arguments(second).constLast(), path("a_2.mp4"));
        // Only the first task's reads are shown.
        QVERIFY(readOne(harness, encoder, first, "banner"));
        QVERIFY(readOne(harness, encoder, first, "banner"));
        encoder.send(second, "time=9 ");
        QVERIFY(readOne(harness, encoder, first, "time=5 "));
        const auto statusText = [&](int row) {
            return harness.model.index(row, TaskModel::StatusColumn).data().toString();
        };
        QCOMPARE(statusText(0), "Converting 50%");
        QTRY_COMPARE(statusText(1), "Converting 0%");      // its first two reads are the banner
        QCOMPARE(StatusOf(harness.rows, 0), "Converting"); // the state keeps its word
        QCOMPARE(lastProgress(harness.events), "25 17");   // 5 of the 20 s under way; of 30
        encoder.exit(first, 0);
        QTRY_COMPARE(encoder.runs(), 3);
        QCOMPARE(StatusOf(harness.rows, 0), "Complete");
        QCOMPARE(encoder.arguments(3).constLast(), path("c.mp4"));
        harness.run.Stop();
        QTRY_COMPARE(harness.outcomes.size(), 1);
        QTRY_VERIFY(ProcessGone(encoder.pid(second)) && ProcessGone(encoder.pid(3)));
        QCOMPARE(StatusOf(harness.rows, 1), "Stop");
        QCOMPARE(StatusOf(harness.rows, 2), "Stop");
        QCOMPARE(harness.outcomes[0].kind, BatchOutcome::Stopped);
    }

    void skipCompleted_data()
    {
        QTest::addColumn<bool>("skip");
        QTest::addColumn<int>("runs");
        QTest::newRow("every task converts") << false << 2;
        QTest::newRow("the complete one is passed over") << true << 1;
    }
    void skipCompleted()
    {
        QFETCH(bool, skip);
        QFETCH(int, runs);
        SteppedEncoder encoder(m_dir.path());
        encoder.endAtOnce(0);
        Harness harness(encoder.program());
        harness.settings.outputFolder = m_dir.path();
        harness.settings.skipCompleted = skip;
        AppendTask(harness.rows, AddedTask(path("a.avi"), 5));
        AppendTask(harness.rows, AddedTask(path("b.avi"), 5));
        harness.rows.setState(0, TaskState::Complete);
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(harness.outcomes.size(), 1);
        QCOMPARE(encoder.runs(), runs);
        QCOMPARE(harness.outcomes[0].tasks, runs);
        QCOMPARE(StatusOf(harness.rows, 1), "Complete");
    }

    // However much the encoder writes, the task keeps the end of it, and never more than 64 kB
    // of text, counted in bytes whatever the letters.
    void logKeepsTheEnd_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("end");
        QTest::newRow("plain") << QByteArray("seq 1 30000") << "\n29999\n30000";
        QTest::newRow("two bytes a letter")
            << QByteArray("seq 1 30000 | sed 's/$/ \xc3\xa9\xc3\xa9\xc3\xa9/'") << "\n30000 ééé";
    }
    void logKeepsTheEnd()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, end);
        const QString program = WriteFakeEncoder(m_dir.path(), "encoder", script);
        Harness harness(program);
        harness.settings.outputFolder = m_dir.path();
        AppendTask(harness.rows, AddedTask(path("a.avi"), 5));
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(harness.outcomes.size(), 1);
        const QByteArray log = harness.rows.task(0).encoderOutput.toUtf8();
        QVERIFY2(log.size() > 60000 && log.size() <= 64 * 1024,
                 qPrintable(QString::number(log.size())));
        QVERIFY(log.endsWith(end.toUtf8()));
    }

    // A run may begin before its files are read: a length read later counts from then on, for
    // the task under way and for one already ended alike; the run hears of it from the list.
    void lengthsReadDuringTheRun()
    {
        SteppedEncoder encoder(m_dir.path());
        Harness harness(encoder.program());
        harness.settings.outputFolder = m_dir.path();
        for (const char* name : {"a.avi", "b.avi"})
            harness.rows.appendTask(path(name)); // not read: no times at all
        const auto read = [&](int row) {
            ltvItemData task;
            task.ClipLength = SecondsToText(60);
            harness.rows.WriteTask(row, TaskRows::ClipLength, task);
        };
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(encoder.runs(), 1);
        for (const char* bytes : {"banner", "banner", "time=30 "})
            QVERIFY(readOne(harness, encoder, 1, bytes));
        QCOMPARE(lastProgress(harness.events), "0 0"); // nothing known to measure against
        encoder.exit(1, 0);
        QTRY_COMPARE(encoder.runs(), 2);
        read(0); // after its task ended
        for (const char* bytes : {"banner", "banner"})
            QVERIFY(readOne(harness, encoder, 2, bytes));
        read(1); // while its task converts
        QVERIFY(readOne(harness, encoder, 2, "time=30 "));
        QCOMPARE(lastProgress(harness.events), "50 75"); // 60 s done and 30 s of the next
    }

    // Not to overwrite, the name is held by an empty file from the moment it is chosen; a task
    // that does not end Complete removes that file, unless something else is there by then.
    // clang-format off
    void claimedName_data()
    {
        QTest::addColumn<bool>("rename");
        QTest::addColumn<QByteArray>("script"); // the encoder's; empty: there is no encoder
        QTest::addColumn<bool>("stop");
        QTest::addColumn<QByteArray>("left"); // the output's bytes afterwards
        QTest::newRow("failed") << true << QByteArray("exit 1") << false << QByteArray("<missing>");
        QTest::newRow("stopped") << true << QByteArray("sleep 30") << true << QByteArray("<missing>");
        QTest::newRow("encoder missing") << true << QByteArray() << false << QByteArray("<missing>");
        QTest::newRow("written into, failed") << true << QByteArray("printf part >\"$last\"; exit 1") << false << QByteArray("part");
        QTest::newRow("replaced, failed") << true << QByteArray(": >\"$last.new\"; mv \"$last.new\" \"$last\"; exit 1") << false << QByteArray("");
        QTest::newRow("complete") << true << QByteArray("printf new >\"$last\"") << false << QByteArray("new");
        QTest::newRow("overwriting claims nothing") << false << QByteArray("exit 1") << false << QByteArray("<missing>");
    }
    // clang-format on
    void claimedName()
    {
        QFETCH(bool, rename);
        QFETCH(QByteArray, script);
        QFETCH(bool, stop);
        QFETCH(QByteArray, left);
        const QString program =
            script.isEmpty()
                ? path("missing")
                : WriteFakeEncoder(m_dir.path(), "encoder",
                                   "for last; do :; done\n[ -f \"$last\" ] && [ ! -s \"$last\" ] "
                                   "&& echo claimed || echo free\n" +
                                       script);
        Harness harness(program);
        harness.settings.outputFolder = path("out");
        harness.settings.renameExisting = rename;
        QVERIFY(QDir().mkpath(path("out")));
        AppendTask(harness.rows, AddedTask(path("a.avi"), 5));
        harness.run.RunBatch(QString(), harness.settings);
        if (stop) {
            QTRY_VERIFY(harness.reads > 0);
            harness.run.Stop();
        }
        QTRY_COMPARE(harness.outcomes.size(), 1);
        if (!script.isEmpty())
            QCOMPARE(harness.rows.task(0).encoderOutput.section('\n', 0, 0),
                     rename ? "claimed" : "free");
        QCOMPARE(ReadFile(path("out/a.mp4")), left);
    }

    void everyTaskReleasesItsProcess()
    {
        const auto openFiles = [] { return QDir("/proc/self/fd").entryList(QDir::Files).size(); };
        SteppedEncoder encoder(m_dir.path());
        encoder.endAtOnce(0, "done\n");
        Harness harness(encoder.program());
        harness.settings.outputFolder = m_dir.path();
        for (const char* name : {"a.avi", "b.avi", "c.avi"})
            AppendTask(harness.rows, AddedTask(path(name), 5));
        const auto before = openFiles();
        harness.run.RunBatch(QString(), harness.settings);
        QTRY_COMPARE(harness.outcomes.size(), 1);
        for (int run = 1; run <= 3; ++run)
            QTRY_VERIFY(ProcessGone(encoder.pid(run)));
        QTRY_COMPARE(openFiles(), before);
    }
};

QTEST_GUILESS_MAIN(TestBatchRun)
#include "tst_batchrun.moc"
