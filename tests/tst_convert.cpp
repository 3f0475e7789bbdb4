#include "FormFixture.h"
#include "ModalWatcher.h"
#include "TestFiles.h"
#include "TestTasks.h"
#include "app/ui/BatchPanel.h"
#include "app/ui/ImageButton.h"
#include "app/ui/TMainForm.h"
#include "base/PathText.h"
#include "engine/TaskRows.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

namespace {
constexpr int Minute = 60000;
const QString kProfile = QStringLiteral("MP4 H.264 AAC");

// A program folder with the real encoder front and one shipped profile.
void realProgramFolder(const QString& folder)
{
    QFile::link(qEnvironmentVariable("FW_ENCODER"), folder + "wmaspi.dll");
    QDir(folder).mkdir("Profiles");
    QFile::copy(WithBackslash(qEnvironmentVariable("FW_SOURCE_DIR")) + "data/Profiles/" + kProfile +
                    ".cvp",
                folder + "Profiles/" + kProfile + ".cvp");
}

// Processes whose command line mentions the text, this test's own excepted.
QStringList processesMentioning(const QString& text)
{
    QStringList found;
    const QStringList pids = QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs);
    for (const QString& pid : pids) {
        QByteArray line = ReadFile("/proc/" + pid + "/cmdline");
        line.replace('\0', ' ');
        if (pid.toLongLong() != QCoreApplication::applicationPid() && line.contains(text.toUtf8()))
            found << QString::fromLocal8Bit(line);
    }
    return found;
}

// Decodes the whole file; true when ffmpeg reads it without a complaint.
bool playable(const QString& path)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start("ffmpeg", {"-v", "error", "-nostdin", "-i", path, "-f", "null", "-"});
    return ffmpeg.waitForFinished(Minute) && ffmpeg.exitCode() == 0 && ffmpeg.readAll().isEmpty();
}
} // namespace

class TestConvert final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_media;

    QString media(const QString& name) const { return m_media.filePath(name); }

    // The window with the clips added from its command line, the shipped profile chosen and
    // the output folder set.
    std::unique_ptr<FormFixture> window(const QStringList& clips, const QString& out)
    {
        auto fixture = std::make_unique<FormFixture>(clips, realProgramFolder);
        const TMainFormUi& ui = fixture->form->ui();
        fixture->form->show();
        ui.cmbProfile->setCurrentIndex(ui.cmbProfile->findText(kProfile));
        emit ui.cmbProfile->activated(ui.cmbProfile->currentIndex());
        QDir().mkpath(out);
        ui.edtOutputdir->setText(out);
        QElapsedTimer clock; // the files are read before a test changes their tasks
        clock.start();
        while (fixture->form->reading() && clock.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return fixture;
    }

private slots:
    void initTestCase()
    {
        if (!QFile::exists(qEnvironmentVariable("FW_ENCODER")))
            QSKIP("the encoder front is not built");
        if (QStandardPaths::findExecutable("ffmpeg").isEmpty())
            QSKIP("ffmpeg is needed");
        for (const char* name : {"a.avi", "b.avi", "c.avi"})
            QVERIFY(MakeClip(media(name), 2, "320x240", {"-c:v", "mpeg4", "-c:a", "libmp3lame"}));
        QVERIFY(MakeClip(media("long.avi"), 30, "640x480", {"-c:v", "mpeg4", "-q:v", "5"}));
    }

    // clang-format off
    void convertsEveryClip_data()
    {
        QTest::addColumn<int>("refused"); // the row given a start ffmpeg refuses, -1 for none
        QTest::newRow("all converted") << -1;
        QTest::newRow("one refused, the others converted") << 1;
    }
    // clang-format on
    void convertsEveryClip()
    {
        QFETCH(int, refused);
        ModalWatcher watcher;
        const QStringList clips = {media("a.avi"), media("b.avi"), media("c.avi")};
        const QString out = media(QTest::currentDataTag());
        auto fixture = window(clips, out);
        TaskRows& rows = fixture->form->rows();
        QCOMPARE(rows.rowCount(), 3);
        if (refused >= 0) {
            ltvItemData task;
            task.StartTime = "00:00:99.9"; // a time text, but no time ffmpeg accepts
            rows.WriteTask(refused, 8, task);
        }
        emit fixture->form->ui().imgStart->clicked();
        QTRY_COMPARE_WITH_TIMEOUT(watcher.seen.size(), 1, Minute);
        QCOMPARE(watcher.seen[0].title, "Complete");
        for (int row = 0; row < 3; ++row) {
            const QString output = out + "/" + QChar('a' + row) + ".mp4";
            if (row == refused) {
                QCOMPARE(StatusOf(rows, row), "Failed");
                const QString tip = rows.failureReason(row);
                // the encoder's own words for the refused start
                QVERIFY2(tip.contains(QRegularExpression("Invalid duration \\w+ for ss")),
                         qPrintable(tip));
            } else {
                QCOMPARE(StatusOf(rows, row), "Complete");
                QVERIFY2(playable(output), qPrintable(output));
            }
        }
        QCOMPARE(watcher.seen[0].text,
                 refused < 0 ? "The coversion is completed successfully."
                             : "1 of 3 files could not be converted; the Status column tells "
                               "why when you point at it.");
    }

    void stopEndsTheEncoder()
    {
        ModalWatcher watcher;
        const QString out = media("stopped");
        auto fixture = window({media("long.avi")}, out);
        const TMainFormUi& ui = fixture->form->ui();
        emit ui.imgStart->clicked();
        QTRY_VERIFY_WITH_TIMEOUT(ui.Memo1->toPlainText().contains("time="), Minute);
        QVERIFY(!processesMentioning(out).isEmpty()); // the encoder and its ffmpeg are at work
        emit ui.imgStop->clicked();
        QTRY_COMPARE(watcher.seen.size(), 1);
        QCOMPARE(watcher.seen[0].title, "Cancel");
        QCOMPARE(StatusOf(fixture->form->rows(), 0), "Stop");
        QTRY_COMPARE(processesMentioning(out), QStringList());
    }
};

QTEST_MAIN(TestConvert)
#include "tst_convert.moc"
