#include "ExampleProfile.h"
#include "TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Two framewright-batch programs converting the same files into one folder at the same time, as
// two terminals, or two machines sharing the folder, would: each finishes its own work whole.
class TestSharedFolder final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_command;
    QStringList m_inputs;
    int m_runs = 0;

private slots:
    void initTestCase()
    {
        const QString program = m_dir.filePath("program/");
        m_command = program + "framewright-batch";
        QVERIFY(QDir().mkpath(program));
        QVERIFY(QFile::copy(QString(qgetenv("FW_PROGRAM_DIR")) + "framewright-batch", m_command));
        QVERIFY(QFile::link(QString(qgetenv("FW_ENCODER")), program + "wmaspi.dll"));
        // Converts no faster than the clips play, so that the two programs overlap on any machine.
        WriteExampleProfile(program, "Paced",
                            ExampleProfileText().replace("cmd=-b\r\n", "cmd=-vf realtime -b\r\n"));
        for (const char* name : {"one.avi", "two.avi"}) {
            m_inputs << m_dir.filePath(name);
            QVERIFY(MakeClip(m_inputs.constLast(), 1.5));
        }
    }

    void twoPrograms_data()
    {
        QTest::addColumn<QString>("overwrite");
        QTest::addColumn<int>("apart"); // ms between the two starts
        for (const char* overwrite : {"--overwrite", "--no-overwrite"}) {
            for (const int apart : {0, 300, 600})
                QTest::addRow("%s, %d ms apart", overwrite, apart) << overwrite << apart;
        }
    }
    void twoPrograms()
    {
        QFETCH(QString, overwrite);
        QFETCH(int, apart);
        const QString out = m_dir.filePath(QString("out-%1/").arg(++m_runs));
        QVERIFY(QDir().mkpath(out));
        const QStringList arguments{"-p", "Paced", "-o", out, "-j", "1", overwrite};
        QProcess programs[2];
        programs[0].start(m_command, arguments + m_inputs);
        QTest::qWait(apart);
        programs[1].start(m_command, arguments + m_inputs);

        QStringList written;
        for (QProcess& program : programs) {
            QVERIFY(program.waitForFinished(120000));
            const QString report = QString::fromUtf8(program.readAll());
            QVERIFY2(program.exitCode() == 0, qPrintable(report));
            static const QRegularExpression complete(": Complete -> (.*)$",
                                                     QRegularExpression::MultilineOption);
            for (const QRegularExpressionMatch& match : complete.globalMatch(report))
                written << QFileInfo(match.captured(1)).fileName();
        }
        QCOMPARE(written.size(), 4);
        // Overwriting, the one that finished last stands; else each has names of its own.
        written.removeDuplicates();
        QCOMPARE(written.size(), overwrite == "--overwrite" ? 2 : 4);
        written.sort();
        // Nothing else: no unfinished file, no empty file that held a name.
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name), written);
        for (const QString& name : std::as_const(written)) {
            QProcess ffprobe;
            ffprobe.start("ffprobe", {"-v", "error", "-show_entries", "format=duration", "-of",
                                      "csv=p=0", out + name});
            QVERIFY(ffprobe.waitForFinished(30000));
            const double seconds = ffprobe.readAllStandardOutput().trimmed().toDouble();
            QVERIFY2(qAbs(seconds - 1.5) < 0.2, qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(TestSharedFolder)
#include "tst_sharedfolder.moc"
