#include "app/ui/WindowHandOff.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

// A later start meets the window already open on its data folder through the hand-off: the
// window here is this test, the later start the client program.
class TestWindowHandOff final : public QObject
{
    Q_OBJECT

    enum Window { Answers, Hangs, Closes, ElsewhereOpen, Killed };

    QTemporaryDir m_dir;

    static QString client(const QString& folder, const QStringList& arguments, int patienceMs,
                          QProcess& process, const QString& workingFolder = QString())
    {
        process.setWorkingDirectory(workingFolder);
        process.start(HANDOFF_CLIENT, QStringList{folder, QString::number(patienceMs)} + arguments);
        return process.waitForStarted() ? QString() : process.errorString();
    }

private slots:
    void laterStart_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("the window takes the files") << Answers << "handed";
        QTest::newRow("the window does not answer") << Hangs << "alone";
        QTest::newRow("the window is closing") << Closes << "first";
        QTest::newRow("a window of another data folder") << ElsewhereOpen << "first";
        QTest::newRow("the window was killed") << Killed << "first";
    }
    void laterStart()
    {
        QFETCH(Window, window);
        QFETCH(QString, outcome);
        const QString folder = m_dir.filePath(QTest::currentDataTag());
        QVERIFY(QDir().mkpath(folder + "/sub"));
        const QString open = window == ElsewhereOpen ? folder + "/sub" : folder;

        std::unique_ptr<WindowHandOff> first;
        QProcess held; // a window in a program of its own, killed below
        if (window == Killed) {
            held.start(HANDOFF_CLIENT, {open, "hold"});
            QVERIFY(held.waitForReadyRead(10000));
            QCOMPARE(held.readAll(), QByteArray("first\n"));
            held.kill();
            QVERIFY(held.waitForFinished());
        } else {
            first = std::make_unique<WindowHandOff>(open);
            QCOMPARE(first->claim({}), WindowHandOff::First);
        }
        QList<WindowHandOff::CommandLine> handed;
        if (first)
            connect(first.get(), &WindowHandOff::handedOver, this,
                    [&handed](const WindowHandOff::CommandLine& line) { handed << line; });

        if (window == Closes) {
            first->close();
            QTimer::singleShot(700, this, [&first] { first.reset(); });
        }
        QProcess later;
        QCOMPARE(client(folder, {"a b.avi", "list.tmp"}, 3000, later, folder + "/sub"), QString());
        if (window == Hangs) // a window stuck in some long work answers nothing
            QVERIFY(later.waitForFinished(10000));
        else
            QTRY_COMPARE_WITH_TIMEOUT(later.state(), QProcess::NotRunning, 10000);
        QCOMPARE(later.readAllStandardOutput().trimmed(), outcome.toUtf8());
        QCOMPARE(later.exitCode(), 0);

        if (window != Answers) {
            QCOMPARE(handed.size(), 0);
            return;
        }
        QCOMPARE(handed.size(), 1);
        const WindowHandOff::CommandLine& line = handed.first();
        QCOMPARE(line.currentFolder, QDir(folder + "/sub").canonicalPath());
        QCOMPARE(line.arguments, QStringList({"a b.avi", "list.tmp"}));
    }
};

QTEST_GUILESS_MAIN(TestWindowHandOff)
#include "tst_windowhandoff.moc"
