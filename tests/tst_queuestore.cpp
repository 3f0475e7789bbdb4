#include "TestFiles.h"
#include "TestTasks.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "tasks/QueueKeeper.h"
#include "tasks/QueueStore.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestQueueStore final : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString path() const { return m_dir->filePath(QStringLiteral("Queue.json")); }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void everyFieldComesBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TaskState>("state");
        QTest::newRow("added") << "plain" << TaskState::Added;
        QTest::newRow("converting") << "half done" << TaskState::Converting;
        QTest::newRow("complete, line breaks") << "one\ntwo\r\nthree\n" << TaskState::Complete;
        QTest::newRow("failed, quotes") << R"(say "no" \ '\n' {"a":[1]})" << TaskState::Failed;
        QTest::newRow("stopped, non-ASCII") << "Größe 視頻 😀 \u00A0é" << TaskState::Stopped;
        QTest::newRow("leading blanks") << "  \tleading, trailing  " << TaskState::Failed;
    }
    void everyFieldComesBack()
    {
        QFETCH(QString, text);
        QFETCH(TaskState, state);
        TaskRecord bare; // every text empty
        bare.inputPath = "/v/bare " + text;
        bare.state = state;
        const QList<TaskRecord> saved = {FilledRecord("/v/" + text + ".avi", text, state, 42),
                                         bare};
        const QueueStore store(path());
        QCOMPARE(store.save(saved), QString());
        const QueueStore::Loaded loaded = store.load();
        QCOMPARE(loaded.problem, QString());
        QCOMPARE(loaded.tasks.size(), saved.size());
        for (int i = 0; i < saved.size(); ++i) {
            TaskRecord expected = saved[i];
            if (expected.state == TaskState::Converting) // its conversion ended with the program
                expected.state = TaskState::Stopped;
            QCOMPARE(RecordTexts(loaded.tasks[i]), RecordTexts(expected));
        }
    }

    void unreadableFileIsSetAside_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // "<folder>": a folder of that name
        QTest::newRow("not JSON") << QByteArray("[Tasks]\nx=1\n");
        QTest::newRow("cut short") << QByteArray(R"({"version":1,"tasks":[{"input":"/a.avi",)");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no task list") << QByteArray(R"({"version":1,"tasks":{}})");
        QTest::newRow("a task without input")
            << QByteArray(R"({"tasks":[{"input":"/a.avi"},{"state":"failed"}]})");
        QTest::newRow("a folder") << QByteArray("<folder>");
    }
    void unreadableFileIsSetAside()
    {
        QFETCH(QByteArray, bytes);
        const QString file = path();
        if (bytes == "<folder>")
            QVERIFY(QDir().mkdir(file));
        else
            QVERIFY(WriteFile(file, bytes));
        QVERIFY(WriteFile(file + ".bad", "an earlier one"));
        const QueueStore::Loaded loaded = QueueStore(file).load();
        QVERIFY(loaded.tasks.isEmpty());
        QVERIFY(!loaded.problem.isEmpty());
        QCOMPARE(loaded.setAside, file + ".bad2");
        QCOMPARE(ReadFile(file + ".bad"), QByteArray("an earlier one"));
        if (bytes == "<folder>")
            QVERIFY(QFileInfo(file + ".bad2").isDir());
        else
            QCOMPARE(ReadFile(file + ".bad2"), bytes);
        // The next start finds no file: an empty list and nothing to tell.
        const QueueStore::Loaded next = QueueStore(file).load();
        QVERIFY(next.tasks.isEmpty());
        QCOMPARE(next.problem, QString());
    }

    void keeperWritesChangesButNotProgressAlone()
    {
        TaskModel model;
        TaskRows rows(&model);
        rows.appendTask("/v/before.avi");
        QueueKeeper keeper(&model, QueueStore(path()));
        keeper.start(); // the list as it is counts as saved
        keeper.flush();
        QVERIFY(!QFileInfo::exists(path()));
        for (int i = 0; i < 2000; ++i)
            rows.appendTask(QStringLiteral("/v/%1.avi").arg(i));
        QTRY_COMPARE(QueueStore(path()).load().tasks.size(), 2001); // unasked, a moment later

        rows.setProgress(1, 40);
        keeper.flush();
        QCOMPARE(QueueStore(path()).load().tasks.at(1).progress, 0);
        rows.setOutcome(1, "/out/0.mp4", "the log");
        keeper.flush();
        const TaskRecord task = QueueStore(path()).load().tasks.at(1);
        QCOMPARE(task.progress, 40);
        QCOMPARE(task.outputPath, QStringLiteral("/out/0.mp4"));
        QCOMPARE(task.encoderOutput, QStringLiteral("the log"));
    }
};

QTEST_GUILESS_MAIN(TestQueueStore)
#include "tst_queuestore.moc"
