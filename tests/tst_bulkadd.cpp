#include "FakeEncoder.h"
#include "TestFiles.h"
#include "engine/ProbeQueue.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "tasks/InputTypes.h"
#include "tasks/OutputOptions.h"
#include "tasks/TaskAdder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Reports a length that depends on the file's name, after a pause that does too, so that
// probes running side by side end in another order than they began.
const QByteArray kVaryingReport =
    "n=${#2}\n"
    "sleep 0.0$(( (n * 7) % 10 ))\n"
    "printf \"Input #0, avi, from '%s':\\n  Duration: 00:00:%02d.50, start: 0.0, bitrate: 1 "
    "kb/s\\n    Stream #0.0: Video: h264, yuv420p, %dx240, 25 fps\\n\" \"$2\" $((n % 60)) $n\n"
    "exit 1";

QStringList rowTexts(const TaskModel& model)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells << model.index(row, column).data().toString();
        texts << cells.join('|');
    }
    return texts;
}
} // namespace

class TestBulkAdd final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // The folder with its files read `at` at a time after the rows are in.
    QStringList parallel(const QString& encoder, const QString& folder, int at)
    {
        TaskModel model;
        TaskRows rows(&model);
        ProbeQueue probes(encoder, at);
        TaskAdder adder(rows, InputExtensions(),
                        {[] { return QStringLiteral(".mkv"); },
                         {},
                         [&](const QString& path) { probes.enqueue(path); }});
        connect(
            &probes, &ProbeQueue::probed, this,
            [&](const QString& path, const MediaProbe::Facts& facts) { adder.Apply(path, facts); });
        adder.AddFolder(folder);
        if (rows.rowCount() == 0)
            return {};
        const int all = rows.rowCount();
        QSignalSpy idle(&probes, &ProbeQueue::idle);
        if (!idle.wait(60000))
            return {"never done"};
        return all == rows.rowCount() ? rowTexts(model) : QStringList{"rows changed"};
    }

private slots:
    void parallelGivesWhatOneAtATimeGives_data()
    {
        QTest::addColumn<bool>("realFront");
        QTest::newRow("scripted encoder, 40 files") << false;
        QTest::newRow("the encoder front on real clips") << true;
    }
    void parallelGivesWhatOneAtATimeGives()
    {
        QFETCH(bool, realFront);
        const QString folder = m_dir.filePath(realFront ? "clips" : "names");
        QDir().mkpath(folder);
        QString encoder;
        if (realFront) {
            encoder = qEnvironmentVariable("FW_ENCODER");
            if (!QFile::exists(encoder))
                QSKIP("the encoder front is not built");
            for (const char* name : {"a.avi", "b.mp4", "C.mov", "d.mpg", "not a clip.avi"})
                QVERIFY(QString(name).startsWith("not") ? WriteFile(folder + "/" + name, "text")
                                                        : MakeClip(folder + "/" + name, 1));
        } else {
            encoder = WriteFakeEncoder(m_dir.path(), "enc", kVaryingReport);
            for (int i = 0; i < 40; ++i)
                QVERIFY(WriteFile(folder + "/" + QString(i % 7 + 1, QLatin1Char('x')) +
                                  QString::number(i) + ".avi"));
        }
        const QStringList expected = parallel(encoder, folder, 1);
        QVERIFY(expected.size() >= 5);
        QVERIFY(!expected.join(QString()).contains("|OK||")); // the probes did report
        for (const int at : {2, 8})
            QCOMPARE(parallel(encoder, folder, at), expected);
    }

    void aHungProbeHoldsUpNoOther()
    {
        const QByteArray pidFile = QFile::encodeName(m_dir.filePath("hung.pid"));
        const QString encoder = WriteFakeEncoder(
            m_dir.path(), "hangs",
            "case \"$2\" in *hang*) echo $$ > '" + pidFile +
                "'; exec sleep 60;; esac\n"
                "printf \"from '%s'\\n  Duration: 00:00:05.00, x\\n\" \"$2\"\nexit 1");
        ProbeQueue probes(encoder, 2, 3000);
        QStringList order;
        QList<MediaProbe::Facts> facts;
        connect(&probes, &ProbeQueue::probed, this,
                [&](const QString& path, const MediaProbe::Facts& found) {
                    order << path;
                    facts << found;
                });
        for (const char* path : {"/v/hang.avi", "/v/1.avi", "/v/2.avi", "/v/3.avi", "/v/4.avi"})
            probes.enqueue(path);
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE_WITH_TIMEOUT(order.size(), 4, 2500); // long before the hung one gives up
        QVERIFY(!order.contains("/v/hang.avi"));
        QTRY_COMPARE_WITH_TIMEOUT(order.size(), 5, 5000);
        QCOMPARE(order.last(), QStringLiteral("/v/hang.avi"));
        const MediaProbe::Facts given = facts.last(); // given up: nothing for that file
        for (const QString& field : {given.length, given.size, given.start, given.end})
            QCOMPARE(field, QString());
        QTRY_VERIFY(ProcessGone(ReadFile(pidFile).trimmed().toLongLong())); // nor left running
        QCOMPARE(facts.first().length, QStringLiteral("00:00:05.00"));
        QVERIFY(clock.elapsed() >= 2000); // at its time limit, give or take the timer's slack
    }

    // However many files wait, no more probes run at once than the queue's limit.
    void probesStayWithinTheLimit()
    {
        const QByteArray running = QFile::encodeName(m_dir.filePath("running"));
        QDir().mkpath(m_dir.filePath("running"));
        const QString encoder =
            WriteFakeEncoder(m_dir.path(), "counts",
                             "touch '" + running + "/'$$; ls '" + running + "' | wc -l >> '" +
                                 running + ".log'\nsleep 0.05\nrm '" + running + "/'$$\nexit 1");
        ProbeQueue probes(encoder, 3);
        QSignalSpy idle(&probes, &ProbeQueue::idle);
        for (int i = 0; i < 24; ++i)
            probes.enqueue(QStringLiteral("/v/%1.avi").arg(i));
        QVERIFY(idle.wait(30000));
        const QList<QByteArray> counts = ReadFile(m_dir.filePath("running.log")).split('\n');
        int most = 0;
        for (const QByteArray& count : counts)
            most = std::max(most, count.trimmed().toInt());
        QCOMPARE(counts.size(), 25); // every probe ran, each counted once
        QVERIFY2(most >= 2 && most <= 3, QByteArray::number(most).constData());
    }

    // Times typed while the file is still being read outlast its probe, checked against the
    // source it reports; a task with no such edit takes the probe's times.
    void editsMadeWhileReadingAreKept_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("expected"); // start|end|clip length after the probe
        QTest::newRow("no edit") << ""
                                 << ""
                                 << "00:00:01|00:00:21|00:00:20";
        QTest::newRow("start and end") << "00:00:05"
                                       << "00:00:10"
                                       << "00:00:05|00:00:10|00:00:05";
        QTest::newRow("end only") << ""
                                  << "00:00:12"
                                  << "00:00:01|00:00:12|00:00:11";
        QTest::newRow("start and end past the source") << "00:00:25"
                                                       << "00:00:40"
                                                       << "00:00:01|00:00:21|00:00:20";
    }
    void editsMadeWhileReadingAreKept()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, expected);
        TaskModel model;
        TaskRows rows(&model);
        QStringList asked;
        TaskAdder adder(rows, InputExtensions(),
                        {[] { return QStringLiteral(".mkv"); },
                         {},
                         [&](const QString& path) { asked << path; }});
        adder.AddTask("/v/a.avi");
        adder.AddTask("/v/b.avi");
        QCOMPARE(asked.size(), 2);
        const OutputOptions typed{QStringLiteral("mine.mkv"), start, end};
        typed.storeInto(rows, 0);
        adder.HoldEdit("/v/a.avi", typed);
        const MediaProbe::Facts facts{"00:00:20", "640x480", "00:00:01", "00:00:21"};
        QCOMPARE(adder.Apply("/v/a.avi", facts), 0);
        QCOMPARE(adder.Apply("/v/b.avi", facts), 1);
        ltvItemData a, b;
        rows.ReadTask(0, TaskRows::WholeRecord, a);
        rows.ReadTask(1, TaskRows::WholeRecord, b);
        QCOMPARE(QStringList({a.StartTime, a.EndTime, a.ClipLength}).join('|'), expected);
        QCOMPARE(a.NewFileName, QStringLiteral("mine"));
        QCOMPARE(a.SourceEnd, QStringLiteral("00:00:21"));
        QCOMPARE(QStringList({b.StartTime, b.EndTime, b.ClipLength}).join('|'),
                 QStringLiteral("00:00:01|00:00:21|00:00:20"));
        // Once read, an edit is the list's alone: nothing is held for it.
        adder.HoldEdit("/v/a.avi", OutputOptions{QString(), "00:00:02", "00:00:04"});
        QVERIFY(!adder.HeldEdit("/v/a.avi"));

        // Removed and added again while read: the edit made between its two reads outlasts both.
        adder.AddTask("/v/c.avi");
        rows.model()->removeRow(2);
        adder.AddTask("/v/c.avi");
        const OutputOptions edit{QString(), "00:00:02", "00:00:04"};
        QCOMPARE(adder.Apply("/v/c.avi", facts), 2);
        edit.storeInto(rows, 2);
        adder.HoldEdit("/v/c.avi", edit);
        QCOMPARE(adder.Apply("/v/c.avi", facts), 2);
        ltvItemData c;
        rows.ReadTask(2, TaskRows::WholeRecord, c);
        QCOMPARE(QStringList({c.StartTime, c.EndTime}).join('|'),
                 QStringLiteral("00:00:02|00:00:04"));
        QVERIFY(!adder.HeldEdit("/v/c.avi"));
    }

    // An encoder that cannot start is told of from the event loop, unless the probes are
    // cancelled first: then nothing is told, and nothing is touched that the cancel freed.
    void cancelledBeforeAFailedStartIsTold()
    {
        ProbeQueue probes(QString(), 2); // refused before any process is made
        QSignalSpy failed(&probes, &ProbeQueue::encoderFailed);
        QSignalSpy probed(&probes, &ProbeQueue::probed);
        probes.enqueue("/v/a.avi");
        probes.cancel();
        QTest::qWait(50);
        QCOMPARE(failed.count(), 0);
        QCOMPARE(probed.count(), 0);
        probes.enqueue("/v/b.avi");
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(probed.count(), 1);
    }

    // The caption lookup follows every change of the list, not only appended rows.
    void captionLookupFollowsTheList()
    {
        TaskModel model;
        TaskRows rows(&model);
        for (const char* path : {"/a", "/b", "/c", "/d"})
            rows.appendTask(QString(path));
        QCOMPARE(rows.indexOf("/c"), 2);
        model.removeRow(0);
        QCOMPARE(rows.indexOf("/c"), 1);
        QCOMPARE(rows.indexOf("/a"), -1);
        ltvItemData b, d;
        rows.ReadTask(0, TaskRows::WholeRecord, b);
        rows.ReadTask(2, TaskRows::WholeRecord, d);
        rows.WriteTask(0, TaskRows::WholeRecord, d); // two rows exchanged
        rows.WriteTask(2, TaskRows::WholeRecord, b);
        QCOMPARE(rows.indexOf("/d"), 0);
        QCOMPARE(rows.indexOf("/b"), 2);
        rows.appendTask(QString("/e"));
        QCOMPARE(rows.indexOf("/e"), 3);
        model.removeRows(0, model.rowCount());
        QCOMPARE(rows.indexOf("/e"), -1);
        rows.appendTask(QString("/e"));
        QCOMPARE(rows.indexOf("/e"), 0);
    }
};

QTEST_GUILESS_MAIN(TestBulkAdd)
#include "tst_bulkadd.moc"
