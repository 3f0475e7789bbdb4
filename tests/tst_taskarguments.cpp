#include "TestFiles.h"
#include "engine/BatchRules.h"
#include "engine/BatchSettings.h"
#include "engine/EncoderCommand.h"
#include "engine/MediaProbe.h"
#include "engine/ProbeQueue.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "platform/EncoderProcess.h"
#include "profiles/Preferences.h"
#include "tasks/InputTypes.h"
#include "tasks/OutputOptions.h"
#include "tasks/TaskAdder.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// The task as the run reads it: texts from the row, numbers derived from them.
ltvItemData readBack(const QString& length, const QString& start, const QString& clip)
{
    TaskModel model;
    TaskRows rows(&model);
    ltvItemData task;
    task.Length = task.SourceEnd = length;
    task.SourceStart = "00:00:00.0";
    task.StartTime = start;
    task.ClipLength = clip;
    rows.WriteTask(rows.appendTask("/v/a.avi"), TaskRows::WholeRecord, task);
    rows.ReadTask(0, TaskRows::WholeRecord, task);
    return task;
}

double videoSeconds(const QString& path)
{
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries",
                            "stream=duration", "-of", "default=nw=1:nk=1", path});
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
        return -1;
    bool ok = false;
    const double seconds = probe.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? seconds : -1;
}
} // namespace

class TestTaskArguments final : public QObject
{
    Q_OBJECT

private slots:
    void additions_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("arguments");
        QTest::newRow("the whole source") << "00:00:00.0"
                                          << "00:01:00.00"
                                          << " -vcodec mpeg4";
        QTest::newRow("start 10 of 60") << "00:00:10"
                                        << "00:00:50"
                                        << " -vcodec mpeg4 -ss 00:00:10 -t 50";
        QTest::newRow("start written otherwise") << "00:00:00"
                                                 << "00:01:00"
                                                 << " -vcodec mpeg4";
        QTest::newRow("end only") << "00:00:00"
                                  << "00:00:50"
                                  << " -vcodec mpeg4 -t 50";
        QTest::newRow("half down to even") << "00:00:00"
                                           << "00:00:02.5"
                                           << " -vcodec mpeg4 -t 2";
        QTest::newRow("half up to even") << "00:00:00"
                                         << "00:00:03.5"
                                         << " -vcodec mpeg4 -t 4";
        QTest::newRow("start past its tenths") << "00:00:01.5"
                                               << "00:00:58.5"
                                               << " -vcodec mpeg4 -ss 00:00:01.5 -t 58";
    }
    void additions()
    {
        QFETCH(QString, start);
        QFETCH(QString, clip);
        QFETCH(QString, arguments);
        const ltvItemData task = readBack("00:01:00.00", start, clip);
        QCOMPARE(TaskArguments(" -vcodec mpeg4", task), arguments);
        // The additions are the task's own: the run's string itself is never changed.
        QCOMPARE(TaskArguments(QString(), readBack("00:01:00.00", "00:00:00.0", "00:01:00.00")),
                 QString());
    }

    void automaticTasksAtOnce_data()
    {
        QTest::addColumn<int>("cores");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("tasks");
        QTest::newRow("one core") << 1 << " -c:v libx264" << 1;
        QTest::newRow("a plain encoder, one per core") << 8 << " -c:v mpeg4" << 8;
        QTest::newRow("a threaded encoder, half") << 8 << " -c:v libx265 -b:v 1000k" << 4;
        QTest::newRow("never fewer than two") << 2 << " -vcodec libx264" << 2;
        QTest::newRow("a name that only begins alike") << 4 << " -c:v libx264rgb" << 4;
        QTest::newRow("audio alone") << 4 << " -vn -c:a libmp3lame" << 4;
    }
    void automaticTasksAtOnce()
    {
        QFETCH(int, cores);
        QFETCH(QString, arguments);
        QFETCH(int, tasks);
        QCOMPARE(AutomaticTasksAtOnce(cores, arguments), tasks);
    }

    // A run's settings come from the General choices in both programs; only Automatic asks the
    // cores and the profile.
    // clang-format off
    void runSettings_data()
    {
        QTest::addColumn<int>("chosen"); // tasks at once; 0 Automatic
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<int>("tasks");
        QTest::newRow("chosen, overwriting") << 3 << true << 3;
        QTest::newRow("Automatic, not overwriting") << 0 << false << 4; // 8 cores, libx264
    }
    // clang-format on
    void runSettings()
    {
        QFETCH(int, chosen);
        QFETCH(bool, overwrite);
        QFETCH(int, tasks);
        GeneralSettings general;
        general.tasksAtOnce = chosen;
        general.overwrite = overwrite;
        const BatchSettings settings = RunSettings(general, "/out", ".mp4", " -c:v libx264", 8);
        QCOMPARE(settings.tasksAtOnce, tasks);
        QCOMPARE(settings.renameExisting, !overwrite);
    }

    void outputFolder_data()
    {
        QTest::addColumn<QString>("folder"); // "@" is a folder of the test
        QTest::addColumn<int>("state");
        QTest::newRow("a folder") << "@" << int(OutputFolderState::Usable);
        QTest::newRow("relative") << "videos" << int(OutputFolderState::NotFullPath);
        QTest::newRow("empty") << "" << int(OutputFolderState::Missing);
        QTest::newRow("gone") << "@/gone" << int(OutputFolderState::Missing);
        QTest::newRow("a file") << "@/file" << int(OutputFolderState::NotFolder);
    }
    void outputFolder()
    {
        QFETCH(QString, folder);
        QFETCH(int, state);
        QTemporaryDir dir;
        QVERIFY(WriteFile(dir.filePath("file")));
        QCOMPARE(int(CheckOutputFolder(folder.replace("@", dir.path()))), state);
    }

    // A task added, given a new name, start and end as the Output panel stores them, and
    // converted by the encoder front with the command line the run builds from the row.
    void convertsTheStoredTrim_data()
    {
        QTest::addColumn<QStringList>("typed"); // New Filename, Start, End; none: as added
        QTest::addColumn<QString>("trim");
        QTest::addColumn<QString>("output");
        QTest::addColumn<double>("seconds");
        QTest::newRow("new name, start and end")
            << QStringList{"cut.avi", "00:00:01", "00:00:03"} << " -ss 00:00:01 -t 2"
            << "cut.mp4" << 2.0;
        QTest::newRow("start only, end past the source refused")
            << QStringList{"tail", "00:00:02.5", "00:00:10"} << " -ss 00:00:02.5 -t 2"
            << "tail.mp4" << 1.5;
        QTest::newRow("as added") << QStringList() << ""
                                  << "clip.mp4" << 4.0;
    }
    void convertsTheStoredTrim()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, trim);
        QFETCH(QString, output);
        QFETCH(double, seconds);
        const QString encoder = qEnvironmentVariable("FW_ENCODER");
        if (!QFile::exists(encoder))
            QSKIP("the encoder front is not built");
        if (QStandardPaths::findExecutable("ffprobe").isEmpty())
            QSKIP("ffprobe is needed");
        QTemporaryDir media;
        QTemporaryDir out;
        const QString clip = media.filePath("clip.avi");
        QVERIFY(MakeClip(clip, 4));

        TaskModel model;
        TaskRows rows(&model);
        ProbeQueue probes(encoder, 1);
        TaskAdder::Hooks hooks;
        hooks.outputExt = [] { return QString(".mp4"); };
        hooks.probe = [&](const QString& path) { probes.enqueue(path); };
        TaskAdder adding(rows, InputExtensions(), hooks);
        connect(&probes, &ProbeQueue::probed, this,
                [&](const QString& path, const MediaProbe::Facts& facts) {
                    adding.Apply(path, facts);
                });
        QSignalSpy idle(&probes, &ProbeQueue::idle);
        adding.AddTask(clip);
        QVERIFY(idle.wait(60000));
        if (!typed.isEmpty())
            OutputOptions{typed.at(0), typed.at(1), typed.at(2)}.storeInto(rows, 0);

        ltvItemData task;
        rows.ReadTask(0, TaskRows::WholeRecord, task);
        const QString arguments = TaskArguments(" -c:v mpeg4 -q:v 5 -c:a aac", task);
        QCOMPARE(arguments, " -c:v mpeg4 -q:v 5 -c:a aac" + trim);
        const QString path = out.path() + '/' + task.NewFileName + ".mp4";

        EncoderProcess process;
        QByteArray messages;
        connect(&process, &EncoderProcess::outputArrived, this,
                [&](const QByteArray& bytes) { messages += bytes; });
        QSignalSpy finished(&process, &EncoderProcess::finished);
        process.launch(encoder, ConversionCommandLine(clip, arguments, path));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 120000);
        QVERIFY2(finished.at(0).at(0).toInt() == 0, messages.right(2000).constData());

        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{output});
        const double length = videoSeconds(path);
        QVERIFY2(qAbs(length - seconds) <= 0.08, qPrintable(QString::number(length)));
    }
};

QTEST_GUILESS_MAIN(TestTaskArguments)
#include "tst_taskarguments.moc"
