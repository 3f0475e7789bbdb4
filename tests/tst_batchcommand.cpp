#include "ExampleProfile.h"
#include "FakeEncoder.h"
#include "TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>

// framewright-batch run as a script would run it: from a program folder of its own, with no
// display and no way to show a window.
class TestBatchCommand final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_program; // the copy's folder, with a separator
    QString m_in;
    QString m_out;

    QString command() const { return m_program + "framewright-batch"; }

    void start(QProcess& process, const QStringList& arguments, const QString& program = {}) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        // A window would need a platform plugin, and there is none of this name.
        environment.insert("QT_QPA_PLATFORM", "none-such");
        process.setProcessEnvironment(environment);
        process.start(program.isEmpty() ? command() : program, arguments);
    }

    // Converts no faster than it plays, so that a run can be stopped half-way.
    QString longClip() const
    {
        const QString clip = m_dir.filePath("long.avi");
        return QFileInfo::exists(clip) || MakeClip(clip, 30) ? clip : QString();
    }

    // Runs to the end; gives the exit status, stdout in out and stderr in err.
    int run(const QStringList& arguments, QByteArray* out = nullptr, QByteArray* err = nullptr)
    {
        QProcess process;
        start(process, arguments);
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        if (out)
            *out = process.readAllStandardOutput();
        if (err)
            *err = process.readAllStandardError();
        return process.exitCode();
    }

    QStringList outputs() const { return QDir(m_out).entryList(QDir::Files | QDir::Hidden); }

private slots:
    void initTestCase()
    {
        // The program folder is copied: the command finds its profiles and encoder beside it.
        m_program = m_dir.filePath("program/");
        QVERIFY(QDir().mkpath(m_program));
        QVERIFY(QFile::copy(QString(qgetenv("FW_PROGRAM_DIR")) + "framewright-batch", command()));
        QVERIFY(QFile::link(QString(qgetenv("FW_ENCODER")), m_program + "wmaspi.dll"));
        WriteExampleProfile(m_program, "Small MP4");
        // Converts no faster than the clip plays, so that a run can be stopped half-way.
        WriteExampleProfile(m_program, "Slow",
                            ExampleProfileText().replace("cmd=-b\r\n", "cmd=-vf realtime -b\r\n"));
        m_in = m_dir.filePath("in ü/");
        QVERIFY(QDir().mkpath(m_in));
        QVERIFY(MakeClip(m_in + "clip 1.avi", 1));
        QVERIFY(MakeClip(m_in + "clip 2.avi", 1));
        QVERIFY(WriteFile(m_in + "broken.avi", QByteArray(4000, 'x')));
        QVERIFY(WriteFile(m_in + "notes.txt", "not a video"));
    }

    void init()
    {
        m_out = m_dir.filePath("out/");
        QVERIFY(QDir(m_out).removeRecursively() && QDir().mkpath(m_out));
    }

    // What a script sees of a folder's run: the tasks in list order, the files the window would
    // write (an input's name, numbered where not to overwrite), the summary and status 1 for the
    // broken file.
    // clang-format off
    void folderRun_data()
    {
        QTest::addColumn<QString>("overwrite");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("secondOutput");
        QTest::newRow("not overwrite") << "--no-overwrite" << QStringList{"clip 1.mp4", "clip 1_2.mp4", "clip 2.mp4"} << "clip 1_2.mp4";
        QTest::newRow("overwrite") << "--overwrite" << QStringList{"clip 1.mp4", "clip 2.mp4"} << "clip 1.mp4";
    }
    // clang-format on
    void folderRun()
    {
        QFETCH(QString, overwrite);
        QFETCH(QStringList, files);
        QFETCH(QString, secondOutput);
        QVERIFY(WriteFile(m_out + "clip 1.mp4", "existing"));
        QByteArray out;
        QByteArray err;
        QCOMPARE(run({"-p", "small mp4", "-o", m_out, "-j", "1", overwrite, m_in}, &out, &err), 1);
        QCOMPARE(err, QByteArray());
        QString printed = QString::fromUtf8(out);
        printed.replace(QRegularExpression(" in \\d\\d:\\d\\d:\\d\\d\n$"), " in T\n");
        QCOMPARE(printed, QString("broken.avi: Failed: Conversion failed: %1broken.avi: Invalid "
                                  "data found when processing input\n"
                                  "clip 1.avi: Complete -> %2%3\n"
                                  "clip 2.avi: Complete -> %2clip 2.mp4\n"
                                  "3 tasks: 2 complete, 1 failed, 0 stopped in T\n")
                              .arg(m_in, m_out, secondOutput));
        QCOMPARE(outputs(), files);
        QCOMPARE(ReadFile(m_out + "clip 1.mp4") == "existing", overwrite == "--no-overwrite");
    }

    // Several at once, read by a program: every line is an object, each task starts and ends
    // once and the summary closes the run.
    void jsonLines()
    {
        QByteArray out;
        QCOMPARE(run({"-p", "Small MP4", "-o", m_out, "-j", "2", "--json", m_in + "clip 1.avi",
                      m_in + "clip 2.avi", m_in + "notes.txt", m_in + "gone.avi"},
                     &out),
                 1);
        QStringList events;
        QJsonObject summary;
        for (const QByteArray& line : out.trimmed().split('\n')) {
            QJsonParseError error;
            const QJsonObject object = QJsonDocument::fromJson(line, &error).object();
            QVERIFY2(error.error == QJsonParseError::NoError, line.constData());
            const QString event = object["event"].toString();
            if (event == "progress")
                continue;
            if (event == "summary")
                summary = object;
            else
                events << event + ' ' + QFileInfo(object["input"].toString()).fileName() + ' ' +
                              object["status"].toString() + ' ' +
                              QFileInfo(object["output"].toString()).fileName();
        }
        events.sort();
        QCOMPARE(events, QStringList({"ended clip 1.avi Complete clip 1.mp4",
                                      "ended clip 2.avi Complete clip 2.mp4",
                                      "ended gone.avi Failed ", "ended notes.txt Failed ",
                                      "started clip 1.avi  ", "started clip 2.avi  "}));
        QCOMPARE(summary["tasks"].toInt(), 4);
        QCOMPARE(summary["complete"].toInt(), 2);
        QCOMPARE(summary["failed"].toInt(), 2);
        QCOMPARE(summary["exit"].toInt(), 1);
    }

    // A signal stops every encoder, keeps the existing output as it was, leaves nothing
    // unfinished, and still sums up.
    void stopSignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("Ctrl-C") << SIGINT;
        QTest::newRow("terminate") << SIGTERM;
        QTest::newRow("terminal closed") << SIGHUP;
    }
    void stopSignal()
    {
        QFETCH(int, signal);
        const QString clip = longClip();
        QVERIFY(!clip.isEmpty());
        QVERIFY(WriteFile(m_out + "long.mp4", "existing"));
        QProcess process;
        // As a terminal's session starts it, whatever the tests run under (nohup ignores SIGHUP).
        process.setChildProcessModifier([] { ::signal(SIGHUP, SIG_DFL); });
        start(process, {"-p", "Slow", "-o", m_out, "--overwrite", "--json", clip});
        QVERIFY(
            QTest::qWaitFor([&] { return process.peek(4096).contains("\"progress\""); }, 15000));
        ::kill(process.processId(), signal);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 128 + signal);
        const QByteArray out = process.readAllStandardOutput();
        QVERIFY2(out.contains(R"("status":"Stop")") && out.contains(R"("stopped":1)"),
                 out.constData());
        QCOMPARE(ReadFile(m_out + "long.mp4"), QByteArray("existing"));
        QCOMPARE(outputs(), QStringList{"long.mp4"});
        // No encoder outlives the command: none has the clip on its command line.
        QDirIterator processes("/proc", QDir::Dirs | QDir::NoDotAndDotDot);
        while (processes.hasNext()) {
            QByteArray line = ReadFile(processes.next() + "/cmdline");
            QVERIFY2(!line.contains(clip.toUtf8()), line.replace('\0', ' ').constData());
        }
    }

    // Ctrl-C in a terminal goes to the whole group in the foreground: the command hears it, the
    // encoders, each in a group of its own, do not. The command stops them itself and ends with
    // the status of the signal.
    void ctrlCReachesTheCommandAlone()
    {
        const QString folder = m_dir.filePath("fake/");
        QVERIFY(QDir().mkpath(folder));
        QByteArray script = "if [ \"$1\" = -i ]; then\n" + FiveSecondReport +
                            "\nfi\n"
                            "trap 'echo INT >> SIGNALS' INT\n"
                            "trap 'echo TERM >> SIGNALS; exit 1' TERM\n"
                            "echo $$ > PID.tmp; mv PID.tmp PID\n"
                            "while :; do echo time=00:00:01.00; sleep 0.02; done";
        script.replace("SIGNALS", '"' + QFile::encodeName(folder + "signals") + '"')
            .replace("PID", "'" + QFile::encodeName(folder + "pid") + "'");
        WriteFakeProgramFolder(folder, script);
        QVERIFY(QFile::copy(command(), folder + "framewright-batch"));
        QProcess process;
        // A group of its own, as a terminal gives each command line it runs.
        process.setChildProcessModifier([] { ::setpgid(0, 0); });
        start(process, {"-p", "Example", "-o", m_out, m_in + "clip 1.avi"},
              folder + "framewright-batch");
        QTRY_VERIFY(QFile::exists(folder + "pid"));
        const qint64 encoder = ReadFile(folder + "pid").trimmed().toLongLong();
        QCOMPARE(::kill(-pid_t(process.processId()), SIGINT), 0);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 128 + SIGINT);
        QCOMPARE(ReadFile(folder + "signals"), QByteArray("TERM\n"));
        QVERIFY(ProcessGone(encoder));
    }

    // An output nobody reads stops the run as a signal would: the output due at the end of the
    // file is never replaced for nobody. A reader that has gone (| head) is seen without a line
    // having to fail first.
    void closedOutput_data()
    {
        QTest::addColumn<bool>("full");
        QTest::newRow("reader gone, no line due") << false;
        QTest::newRow("disk full, a line fails") << true;
    }
    void closedOutput()
    {
        QFETCH(bool, full);
        QVERIFY(WriteFile(m_out + "long.mp4", "existing"));
        QProcess process;
        QProcess reader; // reads nothing and ends at once
        if (full) {
            process.setStandardOutputFile("/dev/full");
        } else {
            process.setStandardOutputProcess(&reader);
            reader.start("true");
        }
        QStringList arguments{"-p", "Slow", "-o", m_out, "--overwrite", longClip()};
        if (full)
            arguments << "--json"; // a line at once
        start(process, arguments);
        QVERIFY(process.waitForFinished(15000));
        reader.waitForFinished();
        QCOMPARE(process.exitCode(), 141);
        QCOMPARE(ReadFile(m_out + "long.mp4"), QByteArray("existing"));
        QCOMPARE(outputs(), QStringList{"long.mp4"});
    }

    // A list that is a FIFO would hold the command until someone writes to it: it is refused at
    // once, as an input that is no regular file.
    void listThatIsAPipe()
    {
        const QString list = m_dir.filePath("pipe.tmp");
        QCOMPARE(::mkfifo(QFile::encodeName(list).constData(), 0600), 0);
        QProcess process;
        start(process, {"-p", "Slow", "-o", m_out, list});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput())
                     .replace(QRegularExpression(" in \\d\\d:\\d\\d:\\d\\d\n$"), " in T\n"),
                 "pipe.tmp: Failed: not a regular file\n"
                 "1 task: 0 complete, 1 failed, 0 stopped in T\n");
    }

    // Mistakes in the command line or its surroundings end with status 2 and say what is
    // wrong; nothing is converted.
    // clang-format off
    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown profile") << QStringList{"-p", "Large", "-o", "<out>", "<in>"} << "no profile named \"Large\"; the profiles are: Slow, Small MP4";
        QTest::newRow("missing output folder") << QStringList{"-p", "Slow", "-o", "<out>none", "<in>"} << "the output folder \"<out>none\" does not exist";
        QTest::newRow("no input") << QStringList{"-p", "Slow"} << "no input";
    }
    // clang-format on
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        arguments.replaceInStrings("<out>", m_out).replaceInStrings("<in>", m_in);
        QByteArray err;
        QCOMPARE(run(arguments, nullptr, &err), 2);
        QVERIFY2(err.startsWith("framewright-batch: " + message.replace("<out>", m_out).toUtf8()),
                 err.constData());
        QCOMPARE(outputs(), QStringList());
    }

    // It loads Qt's core alone: no widget, media or even GUI library.
    void linksTheCoreAlone()
    {
        QProcess ldd;
        ldd.start("ldd", {command()});
        QVERIFY(ldd.waitForFinished(30000));
        const QByteArray libraries = ldd.readAllStandardOutput();
        QVERIFY(libraries.contains("libQt6Core"));
        for (const char* name : {"Widgets", "Multimedia", "Gui", "DBus"})
            QVERIFY2(!libraries.contains(name), libraries.constData());
    }
};

QTEST_GUILESS_MAIN(TestBatchCommand)
#include "tst_batchcommand.moc"
