#include "FakeEncoder.h"
#include "TestFiles.h"
#include "engine/EncoderCommand.h"
#include "platform/EncoderProcess.h"
#include "platform/WindowsCommandLine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sched.h>
#include <unistd.h>

namespace {
// Runs the program to its end as conversions do; its output, or what went wrong.
QByteArray runToEnd(const QString& program, const QString& commandLine)
{
    EncoderProcess encoder;
    QByteArray output;
    bool oversized = false;
    QObject::connect(&encoder, &EncoderProcess::outputArrived, &encoder,
                     [&](const QByteArray& bytes) {
                         oversized = oversized || bytes.size() > EncoderProcess::ReadSize;
                         output += bytes;
                     });
    QSignalSpy finished(&encoder, &EncoderProcess::finished);
    QSignalSpy failed(&encoder, &EncoderProcess::failedToStart);
    if (!encoder.launch(program, commandLine))
        return "not launched";
    if (!QTest::qWaitFor([&] { return !finished.isEmpty() || !failed.isEmpty(); }, 30000))
        return "never ended";
    if (!failed.isEmpty())
        return "failed to start";
    return oversized ? "oversized read" : output;
}

// Gone, or a zombie nobody reaps: either way it runs no more.
bool stoppedRunning(qint64 pid)
{
    const QByteArray stat = ReadFile(QStringLiteral("/proc/%1/stat").arg(pid));
    return ProcessGone(pid) || stat.mid(stat.lastIndexOf(')') + 2, 1) == "Z";
}
} // namespace

class TestCommandLine final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // clang-format off
    void split_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("quoted blanks") << "\"a b c\" d e" << QStringList{"a b c", "d", "e"};
        QTest::newRow("escaped quote")
            << "\"ab\\\"c\" \"\\\\\" d" << QStringList{"ab\"c", "\\", "d"};
        QTest::newRow("backslashes not before quote")
            << "a\\\\\\b d\"e f\"g h" << QStringList{"a\\\\\\b", "de fg", "h"};
        QTest::newRow("odd backslashes and quote")
            << "a\\\\\\\"b c d" << QStringList{"a\\\"b", "c", "d"};
        QTest::newRow("even backslashes and quote")
            << "a\\\\\\\\\"b c\" d e" << QStringList{"a\\\\b c", "d", "e"};
        QTest::newRow("doubled quote inside quotes") << "a\"b\"\" c d" << QStringList{"ab\" c d"};
        QTest::newRow("tabs and blanks") << " \ta\t b \t" << QStringList{"a", "b"};
        QTest::newRow("tab inside quotes") << "\"a\tb\"" << QStringList{"a\tb"};
        QTest::newRow("only blanks") << " \t " << QStringList();
        QTest::newRow("empty arguments") << "\"\" \"\"" << QStringList{"", ""};
        QTest::newRow("unclosed quote") << "\"a b" << QStringList{"a b"};
        QTest::newRow("probe form") << " -i \"C:/v/a.avi\"" << QStringList{"-i", "C:/v/a.avi"};
        QTest::newRow("quoted profile value") << " -metadata title=\"My Film\" -b 800k"
            << QStringList{"-metadata", "title=My Film", "-b", "800k"};
    }
    // clang-format on
    void split()
    {
        QFETCH(QString, commandLine);
        QFETCH(QStringList, arguments);
        QCOMPARE(SplitCommandLine(commandLine), arguments);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "/v/a.avi";
        QTest::newRow("blanks") << "/my videos/a b.avi";
        QTest::newRow("quote") << "/v/say \"hi\".avi";
        QTest::newRow("only quotes") << "\"\"";
        QTest::newRow("trailing backslash") << "/v/clip\\";
        QTest::newRow("backslashes before quote") << "/v/a\\\\\"b";
        QTest::newRow("windows path") << "C:\\in\\a.avi";
        QTest::newRow("unc path with trailing backslashes") << "\\\\server\\share\\\\";
        QTest::newRow("non-ascii") << "/v/Ünïcödé 视频.avi";
        QTest::newRow("empty") << "";
        QTest::newRow("tabs and newline") << "a\tb\nc";
        QTest::newRow("leading and trailing blanks") << "  a  ";
    }
    void roundTrip()
    {
        QFETCH(QString, text);
        QCOMPARE(SplitCommandLine(QuoteArgument(text)), QStringList{text});
        const QString line = ConversionCommandLine(text, " -b 800k", text + "out");
        QCOMPARE(SplitCommandLine(line),
                 (QStringList{"-y", "-i", text, "-b", "800k", text + "out"}));
    }

    void commandTexts()
    {
        QCOMPARE(ProbeCommandLine("C:/v/a.avi"), QString(" -i \"C:/v/a.avi\""));
        QCOMPARE(ConversionCommandLine("C:\\in\\a.avi", "", "C:\\out\\a.mp4"),
                 QString(" -y -i \"C:\\in\\a.avi\" \"C:\\out\\a.mp4\""));
        QCOMPARE(
            ConversionCommandLine("/in/a b.avi", " -vcodec mpeg4 -ss 00:00:10 -t 50",
                                  "/out/a b.mp4"),
            QString(" -y -i \"/in/a b.avi\" -vcodec mpeg4 -ss 00:00:10 -t 50 \"/out/a b.mp4\""));
        QCOMPARE(QuoteArgument("a\"b\\"), QString("\"a\\\"b\\\\\""));
    }

    void argumentsReachProgram_data() { roundTrip_data(); }
    void argumentsReachProgram()
    {
        QFETCH(QString, text);
        const QString program = WriteFakeEncoder(m_dir.path(), "args",
                                                 "for a in \"$@\"; do printf '%s\\0' \"$a\"; done");
        const QString output =
            QString::fromUtf8(runToEnd(program, ConversionCommandLine(text, " -b 800k", "out")));
        QCOMPARE(output.split(QChar(0)), (QStringList{"-y", "-i", text, "-b", "800k", "out", ""}));
    }

    void startFails_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("missing") << m_dir.filePath("missing");
        QTest::newRow("folder") << m_dir.path();
        QTest::newRow("not executable") << "not-executable";
        QTest::newRow("bare name is not looked up on PATH") << "sh";
        QTest::newRow("empty") << "";
    }
    void startFails()
    {
        QFETCH(QString, program);
        if (program == "not-executable") {
            program = WriteFakeEncoder(m_dir.path(), program, "echo ran");
            QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner);
        }
        EncoderProcess encoder;
        QSignalSpy failed(&encoder, &EncoderProcess::failedToStart);
        QSignalSpy output(&encoder, &EncoderProcess::outputArrived);
        QSignalSpy finished(&encoder, &EncoderProcess::finished);
        if (encoder.launch(program, " -c true"))
            QTRY_COMPARE(failed.count(), 1);
        else
            QVERIFY(program.isEmpty()); // nothing to launch, and no signal to wait for
        QTest::qWait(50);
        QCOMPARE(failed.count(), program.isEmpty() ? 0 : 1);
        QCOMPARE(output.count(), 0);
        QCOMPARE(finished.count(), 0);
        QVERIFY(!encoder.errorString().isEmpty());
        QVERIFY(!encoder.isRunning());
        encoder.stop();
    }

    // Every read bounded, all output before the end, the exit told.
    void launchReportsByEvents_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("crashed");
        QTest::newRow("big output, status 3")
            << QByteArray("head -c 10000 /dev/zero | tr '\\0' x; echo err >&2; exit 3")
            << QByteArray(10000, 'x') + "err\n"
            << 3 << false;
        QTest::newRow("killed by a signal")
            << QByteArray("echo bye; kill -9 $$") << QByteArray("bye\n") << -1 << true;
    }
    void launchReportsByEvents()
    {
        QFETCH(QByteArray, script);
        QFETCH(QByteArray, output);
        QFETCH(int, exitCode);
        QFETCH(bool, crashed);
        EncoderProcess encoder;
        QByteArray seen;
        int largest = 0, ends = 0, endCode = 0;
        bool endCrashed = false;
        connect(&encoder, &EncoderProcess::outputArrived, this, [&](const QByteArray& bytes) {
            seen += bytes;
            largest = qMax(largest, int(bytes.size()));
        });
        connect(&encoder, &EncoderProcess::finished, this, [&](int code, bool crash) {
            ++ends;
            endCode = code;
            endCrashed = crash;
        });
        encoder.launch(WriteFakeEncoder(m_dir.path(), "events", script), QString());
        QTRY_COMPARE(ends, 1);
        QCOMPARE(seen, output);
        QVERIFY(largest <= EncoderProcess::ReadSize);
        QCOMPARE(endCrashed, crashed);
        if (!crashed)
            QCOMPARE(endCode, exitCode);
        QVERIFY(!encoder.isRunning());
    }

    void launchFailureAndStopFromAReceiver()
    {
        EncoderProcess encoder;
        QString reason;
        connect(&encoder, &EncoderProcess::failedToStart, this,
                [&](const QString& text) { reason = text; });
        encoder.launch(m_dir.filePath("missing"), QString());
        QTRY_VERIFY(!reason.isEmpty());

        // Stopping in the middle of the output ends it there, with no further signal.
        int reads = 0, ends = 0;
        connect(&encoder, &EncoderProcess::outputArrived, this, [&] {
            ++reads;
            encoder.stop();
        });
        connect(&encoder, &EncoderProcess::finished, this, [&] { ++ends; });
        const QByteArray pidFile = m_dir.filePath("chatty.pid").toUtf8();
        encoder.launch(WriteFakeEncoder(m_dir.path(), "chatty",
                                        "echo $$ > '" + pidFile +
                                            "'; while :; do echo tick; sleep 0.01; done"),
                       QString());
        QTRY_COMPARE(reads, 1);
        QTRY_VERIFY(ProcessGone(ReadFile(pidFile).trimmed().toLongLong()));
        QCoreApplication::processEvents();
        QCOMPARE(reads, 1);
        QCOMPARE(ends, 0);
        QVERIFY(!encoder.isRunning());
    }

    void stopReleasesProcess_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("stop") << "stop";
        QTest::newRow("destructor") << "destructor";
        QTest::newRow("next launch") << "start";
        QTest::newRow("ended by itself") << "end";
    }
    void stopReleasesProcess()
    {
        QFETCH(QString, how);
        const QString program = WriteFakeEncoder(
            m_dir.path(), "pid", how == "end" ? "echo $$" : "echo $$; exec sleep 30");
        QElapsedTimer clock;
        clock.start();
        qint64 pid = 0;
        {
            EncoderProcess encoder;
            QByteArray output;
            connect(&encoder, &EncoderProcess::outputArrived, this,
                    [&](const QByteArray& bytes) { output += bytes; });
            QSignalSpy finished(&encoder, &EncoderProcess::finished);
            QVERIFY(encoder.launch(program, QString()));
            QTRY_VERIFY(output.endsWith('\n'));
            pid = output.trimmed().toLongLong();
            QVERIFY(!ProcessGone(pid) || how == "end");
            if (how == "stop")
                encoder.stop();
            else if (how == "start")
                QVERIFY(encoder.launch(WriteFakeEncoder(m_dir.path(), "true", "true"), QString()));
            else if (how == "end")
                QTRY_COMPARE(finished.count(), 1);
            if (how != "destructor")
                QTRY_VERIFY(ProcessGone(pid));
            if (how == "stop" || how == "end")
                QVERIFY(!encoder.isRunning());
        }
        QVERIFY(ProcessGone(pid));
        QVERIFY(clock.elapsed() < 10000);
    }

    // stop() returns at once, however long the encoder takes to end, and the owner may start
    // the next one at once. The stopped encoder gets its grace to clean up and is killed after
    // it; the destructor alone waits for it, for the rest of its grace.
    void stopLeavesTheGraceToATimer_data()
    {
        QTest::addColumn<QByteArray>("onTerm"); // the encoder's trap for SIGTERM
        QTest::addColumn<bool>("destroy");      // the owner goes at once after stop()
        QTest::addColumn<bool>("killed");       // ended by the kill after the grace
        QTest::newRow("ignores it, killed after the grace") << QByteArray() << false << true;
        QTest::newRow("ignores it, owner destroyed") << QByteArray() << true << true;
        QTest::newRow("cleans up, owner destroyed")
            << QByteArray("rm \"$marker\"; exit 1") << true << false;
    }
    void stopLeavesTheGraceToATimer()
    {
        QFETCH(QByteArray, onTerm);
        QFETCH(bool, destroy);
        QFETCH(bool, killed);
        // What a conversion leaves until it is done; the one that cleans up removes it.
        const QString marker = m_dir.filePath("unfinished");
        QVERIFY(WriteFile(marker));
        const QString program =
            WriteFakeEncoder(m_dir.path(), "stubborn",
                             "marker='" + marker.toUtf8() + "'\ntrap '" + onTerm +
                                 "' TERM\necho $$\nwhile :; do sleep 0.02; done");
        auto encoder = std::make_unique<EncoderProcess>();
        QByteArray output;
        connect(encoder.get(), &EncoderProcess::outputArrived, this,
                [&](const QByteArray& bytes) { output += bytes; });
        QSignalSpy finished(encoder.get(), &EncoderProcess::finished);
        QVERIFY(encoder->launch(program, QString()));
        QTRY_VERIFY(output.endsWith('\n'));
        const qint64 pid = output.trimmed().toLongLong();
        QElapsedTimer clock;
        clock.start();
        encoder->stop();
        QVERIFY2(clock.elapsed() < 300, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!encoder->isRunning());
        if (destroy) {
            encoder.reset();
            QVERIFY(ProcessGone(pid));
        } else {
            output.clear();
            QVERIFY(
                encoder->launch(WriteFakeEncoder(m_dir.path(), "next", "echo next"), QString()));
            QTRY_COMPARE(finished.count(), 1);
            QCOMPARE(output, QByteArray("next\n")); // and nothing of the one winding down
            QVERIFY(!ProcessGone(pid));
            QTRY_VERIFY_WITH_TIMEOUT(ProcessGone(pid), EncoderProcess::StopGraceMs + 5000);
        }
        const qint64 ended = clock.elapsed();
        QVERIFY2(killed == (ended >= EncoderProcess::StopGraceMs),
                 qPrintable(QString::number(ended)));
        QCOMPARE(QFile::exists(marker), killed);
        if (!destroy)
            QCOMPARE(finished.count(), 1);
    }

    // Every helper the program starts is in a group of its own (a terminal's Ctrl-C is for the
    // program alone), runs at idle priority where it must not slow a conversion down, and dies
    // with the program even when no destructor runs.
    void helperDiesWithItsProgram_data()
    {
        QTest::addColumn<QByteArray>("helper"); // what the host starts
        QTest::addColumn<QByteArray>("script"); // HANG where the helper stays
        QTest::addColumn<bool>("background");
        QTest::newRow("conversion") << QByteArray("conversion") << QByteArray("HANG") << false;
        QTest::newRow("capability query")
            << QByteArray("probe") << QByteArray("[ \"$1\" = -capabilities ] && HANG") << false;
        QTest::newRow("one-file probe")
            << QByteArray("probe") << QByteArray("[ \"$1\" = -i ] && HANG") << true;
        QTest::newRow("list reader")
            << QByteArray("probe")
            << QByteArray("[ \"$1\" = -capabilities ] && { echo probe-list; exit 0; }\n"
                          "[ \"$1\" = -probe-list ] && HANG")
            << true;
        QTest::newRow("xdg-mime") << QByteArray("xdg-mime") << QByteArray("HANG") << false;
    }
    void helperDiesWithItsProgram()
    {
        QFETCH(QByteArray, helper);
        QFETCH(QByteArray, script);
        QFETCH(bool, background);
        const QString pidFile = m_dir.filePath(QString("%1.pid").arg(QTest::currentDataTag()));
        const QByteArray quoted = "'" + pidFile.toUtf8() + "'";
        script.replace("HANG", "{ echo $$ > " + quoted + ".tmp; mv " + quoted + ".tmp " + quoted +
                                   "; exec sleep 60; }");
        script += "\nexit 1";
        QProcess host;
        host.start(ENCODER_HOST, {helper, WriteFakeEncoder(m_dir.path(), "helper", script)});
        QVERIFY(host.waitForStarted());
        QTRY_VERIFY(QFile::exists(pidFile));
        const qint64 pid = ReadFile(pidFile).trimmed().toLongLong();
        QVERIFY(!stoppedRunning(pid));
        QCOMPARE(::getpgid(pid_t(pid)), pid_t(pid));
        QCOMPARE(::sched_getscheduler(pid_t(pid)) == SCHED_IDLE, background);
        ::kill(pid_t(host.processId()), SIGKILL); // no destructor runs
        QVERIFY(host.waitForFinished());
        QTRY_VERIFY(stoppedRunning(pid));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
