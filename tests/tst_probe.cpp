#include "FakeEncoder.h"
#include "TestFiles.h"
#include "TestTasks.h"
#include "engine/MediaProbe.h"
#include "engine/ProbeQueue.h"
#include "engine/TimeText.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString workedExample = "ffmpeg version banner\n"
                              "Input #0, avi, from 'C:\\v\\a.avi':\n"
                              "  Duration: 00:01:23.4, start: 0.000000, bitrate: 1411 kb/s\n"
                              "    Stream #0.0: Video: mpeg4, yuv420p, 320x240, 25.00 fps\n";

// Echoes the probed path from its arguments, then writes the chunk files of `folder`, each
// only once the probe has reported the read before it (the test leaves an "ack" file), so that
// every chunk arrives in a read of its own.
QByteArray chunkedReport(const QString& folder)
{
    const QByteArray dir = "'" + folder.toUtf8() + "'";
    return "printf \"Input #0, avi, from '%s':\\n\" \"$2\"\ni=0\nfor f in " + dir +
           "/chunk*; do\n  while [ ! -e " + dir +
           "/ack$i ]; do sleep 0.01; done\n  cat \"$f\"; i=$((i+1))\ndone\nexit 1";
}
} // namespace

class TestProbe final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    // clang-format off
    void parseReport_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("size");
        const QString path = "C:\\v\\a.avi";
        QString crlf = workedExample;
        crlf.replace("\n", "\r\n");
        QTest::newRow("worked example") << workedExample << path << "00:01:23.4" << " 320x240";
        QTest::newRow("CR LF line ends") << crlf << path << "00:01:23.4" << " 320x240";
        QTest::newRow("no path") << workedExample << "C:\\v\\b.avi" << "" << "";
        QTest::newRow("path in other case") << workedExample << "c:\\v\\A.avi" << "" << "";
        QTest::newRow("empty path") << workedExample << "" << "" << "";
        QTest::newRow("no duration")
            << QString(workedExample).remove(QRegularExpression(".*Dur.*\n")) << path << ""
            << " 320x240";
        QTest::newRow("duration N/A")
            << QString(workedExample).replace("00:01:23.4", "N/A") << path << "" << " 320x240";
        QTest::newRow("duration before the path only")
            << "Duration: 00:00:09.0,\nInput #0, from 'C:\\v\\a.avi':\n" << path << "" << "";
        QTest::newRow("duration line without comma")
            << "'C:\\v\\a.avi':\n  Duration: 00:00:09.0\n Video: a, b, 320x240, 25 fps\n"
            << path << "" << " 320x240";
        QTest::newRow("no video line")
            << QString(workedExample).replace("Video: mpeg4", "Audio: mp3") << path << "00:01:23.4"
            << "";
        QTest::newRow("video line short of commas") << QString(workedExample)
                   .replace("320x240, 25.00 fps", "320x240\n  Stream #0.1: "
                                                  "Audio: mp3, 44100 Hz, stereo,")
            << path << "00:01:23.4" << "";
    }
    // clang-format on
    void parseReport()
    {
        QFETCH(QString, text);
        QFETCH(QString, path);
        QFETCH(QString, length);
        QFETCH(QString, size);
        const MediaProbe::Report report = MediaProbe::parseReport(text, path);
        QCOMPARE(report.length, length);
        QCOMPARE(report.size, size);
    }

    void splitReads_data()
    {
        QTest::addColumn<QList<QByteArray>>("chunks");
        const QByteArray duration = "  Duration: 00:01:23.4, start: 0.000000, bitrate: 1411 kb/s\n";
        const QByteArray video = "    Stream #0.0: Video: mpeg4, yuv420p, 320x240, 25.00 fps";
        QTest::newRow("one line per read") << QList<QByteArray>{duration, video + "\n"};
        QTest::newRow("duration split in its value")
            << QList<QByteArray>{duration.left(16), duration.mid(16), video + "\n"};
        // "ü" is C3 BC in UTF-8.
        QTest::newRow("character split between reads")
            << QList<QByteArray>{duration + video + " \xC3", "\xBC\n"};
    }
    void splitReads()
    {
        QFETCH(QList<QByteArray>, chunks);
        QTemporaryDir dir;
        QByteArray output = "Input #0, avi, from '/v/Ünï clip.avi':\n";
        for (int i = 0; i < chunks.size(); ++i) {
            QVERIFY(WriteFile(dir.filePath(QString("chunk%1").arg(i)), chunks.at(i)));
            output += chunks.at(i);
        }
        QStringList reads;
        ProbeQueue probes(WriteFakeEncoder(dir.path(), "enc", chunkedReport(dir.path())), 1);
        connect(&probes, &ProbeQueue::read, this, [&](const QString& text) {
            reads << text;
            WriteFile(dir.filePath(QString("ack%1").arg(reads.size() - 1)));
        });
        QSignalSpy probed(&probes, &ProbeQueue::probed);
        probes.enqueue("/v/Ünï clip.avi");
        QVERIFY(probed.wait(10000));
        QCOMPARE(reads.size(), chunks.size() + 1);
        QCOMPARE(reads.join(QString()), QString::fromUtf8(output));
        const auto facts = probed.first().at(1).value<MediaProbe::Facts>();
        QCOMPARE(facts.length, QString("00:01:23.4"));
        QCOMPARE(facts.size, QString(" 320x240"));
        QCOMPARE(facts.start, QString("00:00:00.0"));
        QCOMPARE(facts.end, facts.length);
    }

    // clang-format off
    void brokenEncoder_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("toldFailed"); // the window says the encoder cannot be started
        QTest::newRow("deleted") << "deleted" << "" << true;
        QTest::newRow("not executable") << "not executable" << "" << true;
        QTest::newRow("replaced by a folder") << "folder" << "" << true;
        QTest::newRow("says nothing") << "silent" << "00:00:00.0" << false;
        QTest::newRow("killed") << "killed" << "00:00:00.0" << false;
    }
    // clang-format on
    void brokenEncoder()
    {
        QFETCH(QString, breakage);
        QFETCH(QString, start);
        QFETCH(bool, toldFailed);
        QTemporaryDir dir;
        const QString encoder =
            WriteFakeEncoder(dir.path(), "enc",
                             "echo $$ > '" + dir.filePath("pid").toUtf8() +
                                 "'\nprintf \"from '%s'\\n\" \"$2\"\n"
                                 "echo '  Duration: 00:00:05.04, start: 0,'\n"
                                 "echo '  Stream #0.0: Video: a, b, 320x240, c'");
        // One queue for both files, as the window keeps one for all it reads.
        ProbeQueue probes(encoder, 1);
        QSignalSpy probed(&probes, &ProbeQueue::probed);
        QSignalSpy failed(&probes, &ProbeQueue::encoderFailed);
        probes.enqueue("/v/a.avi");
        QVERIFY(probed.wait(10000));
        auto facts = probed.takeFirst().at(1).value<MediaProbe::Facts>();
        QCOMPARE(facts.length, QString("00:00:05.04"));
        QCOMPARE(facts.size, QString(" 320x240"));
        QFile pidFile(dir.filePath("pid"));
        QVERIFY(pidFile.open(QIODevice::ReadOnly));
        QVERIFY(ProcessGone(pidFile.readAll().trimmed().toLongLong())); // no encoder outlives it

        if (breakage == "not executable")
            QFile::setPermissions(encoder, QFile::ReadOwner | QFile::WriteOwner);
        else if (breakage == "silent" || breakage == "killed")
            WriteFakeEncoder(dir.path(), "enc", breakage == "silent" ? "exit 0" : "kill -9 $$");
        else
            QFile::remove(encoder);
        if (breakage == "folder")
            QVERIFY(QDir(dir.path()).mkdir("enc"));

        probes.enqueue("/v/a.avi");
        QVERIFY(probed.wait(10000));
        facts = probed.takeFirst().at(1).value<MediaProbe::Facts>();
        QCOMPARE(facts.length, QString());
        QCOMPARE(facts.size, QString());
        QCOMPARE(facts.start, start);
        QCOMPARE(facts.end, QString());
        QCOMPARE(failed.count(), toldFailed ? 1 : 0);
    }

    // clang-format off
    void realFront_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("clip");
        for (const char* ext : {"avi", "mpg", "mp4", "wmv", "mov", "vob", "asf"})
            QTest::addRow("%s", ext) << QString("clip.%1").arg(ext) << QString();
        QTest::newRow("blanks") << "two words.avi" << "clip.avi";
        QTest::newRow("double quotes") << "say \"hi\".mp4" << "clip.mp4";
        QTest::newRow("trailing backslash") << "clip\\" << "clip.avi";
        QTest::newRow("backslash before quote") << "a\\\"b.avi" << "clip.avi";
        QTest::newRow("non-ascii") << "Ünïcödé 视频.mov" << "clip.mov";
        QTest::newRow("text file") << "notes.avi" << "";
    }
    // clang-format on
    void realFront()
    {
        QFETCH(QString, name);
        QFETCH(QString, clip);
        if (!QFile::exists(m_encoder))
            QSKIP("encoder front not built");
        const QString path = m_clips.filePath(name);
        if (clip.isEmpty() && name == "notes.avi")
            QVERIFY(WriteFile(path, "not a video\n"));
        else if (!clip.isEmpty())
            QVERIFY(QFile::copy(m_clips.filePath(clip), path));
        QVERIFY2(QFile::exists(path), "clip not made");

        const MediaProbe::Facts facts = ProbedFacts(m_encoder, path);
        if (name == "notes.avi") {
            QCOMPARE(facts.length, QString());
            QCOMPARE(facts.size, QString());
            return;
        }
        const double seconds = TextToSeconds(facts.length);
        QVERIFY2(facts.length.startsWith("00:00:0") && seconds >= 1.9 && seconds <= 2.2,
                 qPrintable(facts.length));
        QCOMPARE(facts.size, QString(" 320x240"));
        QCOMPARE(facts.end, facts.length);
    }

    // The list form reads each file as the one-file form does, in order, whatever the name.
    void listFormReportsAsOneFile()
    {
        if (!QFile::exists(m_encoder))
            QSKIP("encoder front not built");
        const QStringList paths = {m_clips.filePath("clip.avi"), m_clips.filePath("gone.avi"),
                                   m_clips.filePath("clip.mov") + " ", m_clips.filePath("clip.mp4")};
        QProcess list;
        list.start(m_encoder, {"-probe-list"});
        list.write(paths.join('\n').toUtf8() + '\n');
        list.closeWriteChannel();
        QVERIFY(list.waitForFinished(30000));
        QByteArray oneByOne;
        for (const QString& path : paths) {
            QProcess one;
            one.start(m_encoder, {"-i", path});
            QVERIFY(one.waitForFinished(30000));
            oneByOne += one.readAllStandardOutput() + "--end of report--\n";
        }
        QCOMPARE(list.readAllStandardOutput(), oneByOne);
    }

    // Readers of the list form: a file that kills its reader or holds it past the limit is
    // told as unreadable, and the other files go on meanwhile in the other reader and in the
    // one started afresh. A name with a line break goes to the one-file form.
    void listReadersSurviveBadFiles()
    {
        QTemporaryDir dir;
        const QByteArray pids = dir.filePath("pids").toUtf8();
        const QByteArray report = "printf \"Input #0, avi, from '%s':\\n"
                                  "  Duration: 00:00:0%s.00, start: 0,\\n\" \"$path\" ";
        const QString encoder = WriteFakeEncoder(
            dir.path(), "enc",
            "[ \"$1\" = -capabilities ] && { echo probe-list; exit 0; }\n"
            "if [ \"$1\" = -i ]; then path=$2; " + report + "1; exit 1; fi\n"
            "echo $$ >> '" + pids + "'\n"
            "while IFS= read -r path; do\n"
            "  case \"$path\" in *crash*) kill -9 $$;; *hang*) sleep 30;; esac\n"
            "  " + report + "${#path}; echo '--end of report--'\n"
            "done");
        QStringList order;
        QHash<QString, QString> lengths;
        {
            ProbeQueue probes(encoder, 2, 1500);
            connect(&probes, &ProbeQueue::probed, this,
                    [&](const QString& path, const MediaProbe::Facts& facts) {
                        order << path;
                        lengths[path] = facts.length;
                    });
            QSignalSpy idle(&probes, &ProbeQueue::idle);
            for (const char* path : {"/a", "/crash", "/bb", "/hang", "/ccc", "/d\nd"})
                probes.enqueue(path);
            QVERIFY(idle.wait(10000));
        }
        QCOMPARE(lengths.value("/a"), "00:00:02.00");
        QCOMPARE(lengths.value("/bb"), "00:00:03.00");
        QCOMPARE(lengths.value("/ccc"), "00:00:04.00");
        QCOMPARE(lengths.value("/d\nd"), "00:00:01.00"); // from the one-file form
        QCOMPARE(lengths.value("/crash"), QString());
        QCOMPARE(lengths.value("/hang"), QString());
        QCOMPARE(order.last(), "/hang"); // everything else came before its limit ran out
        // Three readers in all (one after the crash), none left behind.
        const QList<QByteArray> started = ReadFile(QString::fromUtf8(pids)).trimmed().split('\n');
        QCOMPARE(started.size(), 3);
        for (const QByteArray& pid : started)
            QTRY_VERIFY(ProcessGone(pid.toLongLong()));
    }

private:
    QString m_encoder;
    QTemporaryDir m_clips;
};

void TestProbe::initTestCase()
{
    QVERIFY(m_clips.isValid());
    m_encoder = qEnvironmentVariable("FW_ENCODER");
    if (!QFile::exists(m_encoder))
        return;
    for (const char* ext : {"avi", "mpg", "mp4", "wmv", "mov", "vob", "asf"})
        QVERIFY(MakeClip(m_clips.filePath(QString("clip.%1").arg(ext))));
}

QTEST_GUILESS_MAIN(TestProbe)
#include "tst_probe.moc"
