#include "FakeEncoder.h"
#include "TestFiles.h"
#include "engine/MediaProbe.h"
#include "engine/TimeText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString workedExample = "ffmpeg version banner\n"
                              "Input #0, avi, from 'C:\\v\\a.avi':\n"
                              "  Duration: 00:01:23.4, start: 0.000000, bitrate: 1411 kb/s\n"
                              "    Stream #0.0: Video: mpeg4, yuv420p, 320x240, 25.00 fps\n";

// Echoes the probed path from its arguments, then writes the chunk files of `folder`, each
// only once the probe has taken the read before it (its sink leaves an "ack" file), so that
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
        MediaProbe probe(WriteFakeEncoder(dir.path(), "enc", chunkedReport(dir.path())),
                         [&](const QString& text) {
                             reads << text;
                             WriteFile(dir.filePath(QString("ack%1").arg(reads.size() - 1)));
                         });
        probe.ProbeMedia("/v/Ünï clip.avi");
        QCOMPARE(reads.size(), chunks.size() + 1);
        QCOMPARE(reads.join(QString()), QString::fromUtf8(output));
        QCOMPARE(probe.ProbeLength, QString("00:01:23.4"));
        QCOMPARE(probe.ProbeSize, QString(" 320x240"));
        QCOMPARE(probe.ProbeStart, QString("00:00:00.0"));
        QCOMPARE(probe.ProbeEnd, probe.ProbeLength);
    }

    // clang-format off
    void brokenEncoder_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::addColumn<QString>("start");
        QTest::newRow("deleted") << "deleted" << "";
        QTest::newRow("not executable") << "not executable" << "";
        QTest::newRow("replaced by a folder") << "folder" << "";
        QTest::newRow("says nothing") << "silent" << "00:00:00.0";
        QTest::newRow("killed") << "killed" << "00:00:00.0";
    }
    // clang-format on
    void brokenEncoder()
    {
        QFETCH(QString, breakage);
        QFETCH(QString, start);
        QTemporaryDir dir;
        const QString encoder =
            WriteFakeEncoder(dir.path(), "enc",
                             "echo $$ > '" + dir.filePath("pid").toUtf8() +
                                 "'\nprintf \"from '%s'\\n\" \"$2\"\n"
                                 "echo '  Duration: 00:00:05.04, start: 0,'\n"
                                 "echo '  Stream #0.0: Video: a, b, 320x240, c'");
        MediaProbe probe(encoder);
        probe.ProbeMedia("/v/a.avi");
        QCOMPARE(probe.ProbeLength, QString("00:00:05.04"));
        QCOMPARE(probe.ProbeSize, QString(" 320x240"));
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

        probe.ProbeMedia("/v/a.avi");
        QCOMPARE(probe.ProbeLength, QString());
        QCOMPARE(probe.ProbeSize, QString());
        QCOMPARE(probe.ProbeStart, start);
        QCOMPARE(probe.ProbeEnd, QString());
    }

    void hungEncoderIsGivenUp()
    {
        QTemporaryDir dir;
        const QByteArray script = "printf \"from '%s'\\n  Duration: 00:00:05.04, start: 0,\\n\" "
                                  "\"$2\"\nexec sleep 60";
        MediaProbe probe(WriteFakeEncoder(dir.path(), "enc", script), {}, 300);
        QElapsedTimer clock;
        clock.start();
        probe.ProbeMedia("/v/a.avi");
        QVERIFY2(clock.elapsed() < 5000, "waited for the hung encoder");
        for (const QString* field :
             {&probe.ProbeLength, &probe.ProbeSize, &probe.ProbeStart, &probe.ProbeEnd})
            QCOMPARE(*field, QString());
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

        MediaProbe probe(m_encoder);
        probe.ProbeMedia(path);
        if (name == "notes.avi") {
            QCOMPARE(probe.ProbeLength, QString());
            QCOMPARE(probe.ProbeSize, QString());
            return;
        }
        const double seconds = TextToSeconds(probe.ProbeLength);
        QVERIFY2(probe.ProbeLength.startsWith("00:00:0") && seconds >= 1.9 && seconds <= 2.2,
                 qPrintable(probe.ProbeLength));
        QCOMPARE(probe.ProbeSize, QString(" 320x240"));
        QCOMPARE(probe.ProbeEnd, probe.ProbeLength);
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
