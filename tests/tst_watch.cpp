#include "ExampleProfile.h"
#include "TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// framewright-batch watching a folder as its service runs it: the real encoder front, real
// clips, files arriving while it watches, and a restart.
class TestWatch final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_program;
    QString m_in;
    QString m_out;

    // The watcher's JSON lines, read as they come.
    struct Watcher
    {
        QProcess process;
        QList<QJsonObject> lines;

        void read()
        {
            while (process.canReadLine())
                lines << QJsonDocument::fromJson(process.readLine()).object();
        }
        // Lines of that event for that input (or path).
        int count(const QString& event, const QString& file) const
        {
            int found = 0;
            for (const QJsonObject& line : lines)
                found += line["event"] == event && (line["input"].toString().endsWith(file) ||
                                                    line["path"].toString().endsWith(file));
            return found;
        }
        bool waitFor(const QString& event, const QString& file, int ms = 60000)
        {
            return QTest::qWaitFor(
                [&] {
                    process.waitForReadyRead(50);
                    read();
                    return count(event, file) > 0;
                },
                ms);
        }
        int stop()
        {
            ::kill(pid_t(process.processId()), SIGTERM);
            process.waitForFinished(30000);
            read();
            return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        }
    };

    void start(Watcher& watcher)
    {
        watcher.process.start(m_program + "framewright-batch",
                              {"--json", "--watch", m_in, "-p", "Small MP4", "-o", m_out,
                               "--settle", "3"}); // well beyond the writes below, however loaded
        QVERIFY(watcher.waitFor("watching", m_in.chopped(1), 30000));
    }

private slots:
    void initTestCase()
    {
        m_program = m_dir.filePath("program/");
        QVERIFY(QDir().mkpath(m_program));
        QVERIFY(QFile::copy(QString(qgetenv("FW_PROGRAM_DIR")) + "framewright-batch",
                            m_program + "framewright-batch"));
        QVERIFY(QFile::link(QString(qgetenv("FW_ENCODER")), m_program + "wmaspi.dll"));
        WriteExampleProfile(m_program, "Small MP4");
        m_in = m_dir.filePath("in ü/");
        m_out = m_dir.filePath("out/");
        QVERIFY(QDir().mkpath(m_in) && QDir().mkpath(m_out));
        QVERIFY(MakeClip(m_dir.filePath("clip.avi"), 1));
    }

    // A file there before, one copied in slowly and a broken one are each converted or reported
    // once, the slow one only after its last write; a restart converts nothing again.
    void convertsEachFileOnce()
    {
        QVERIFY(QFile::copy(m_dir.filePath("clip.avi"), m_in + "before.avi"));
        Watcher watcher;
        start(watcher);
        QVERIFY(watcher.waitFor("ended", "before.avi"));

        const QByteArray clip = ReadFile(m_dir.filePath("clip.avi"));
        const int half = int(clip.size() / 2);
        QVERIFY(WriteFile(m_in + "slow.avi", clip.left(half)));
        for (int i = 0; i < 4; ++i) { // closed and opened again, over 2 s
            QTest::qWait(500);
            watcher.read();
            QFile more(m_in + "slow.avi");
            QVERIFY(more.open(QIODevice::Append));
            more.write(i < 3 ? clip.mid(half + i * 10, 10) : clip.mid(half + 30));
        }
        watcher.read();
        QCOMPARE(watcher.count("started", "slow.avi"), 0);
        QVERIFY(WriteFile(m_in + "broken.avi", QByteArray(4000, 'x')));
        QVERIFY(watcher.waitFor("ended", "slow.avi"));
        QVERIFY(watcher.waitFor("ended", "broken.avi"));
        QCOMPARE(watcher.stop(), 1); // the broken file failed
        QCOMPARE(watcher.count("started", "slow.avi"), 1);
        QCOMPARE(watcher.count("ended", "broken.avi"), 1);
        QCOMPARE(QDir(m_out).entryList(QDir::Files),
                 (QStringList{"before.mp4", "slow.mp4"}));

        Watcher again;
        start(again);
        QVERIFY(again.lines.constFirst()["message"].toString().contains("3 done before"));
        QTest::qWait(1500);
        QCOMPARE(again.stop(), 0);
        QCOMPARE(again.count("started", ".avi"), 0);
    }
};

QTEST_GUILESS_MAIN(TestWatch)
#include "tst_watch.moc"
