#include "TestFiles.h"
#include "TestTasks.h"
#include "engine/TaskFields.h"
#include "engine/TaskLogs.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "platform/FreedMemory.h"
#include "tasks/QueueKeeper.h"
#include "tasks/QueueStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>
#include <utility>

namespace {
// Each field of a task where the rest of the program finds it: the column and header of the
// list, the record's text (none for the status), the working copy's text and seconds the run
// reads (none for the outcome), and the key under which somebody's kept list holds it.
struct FieldPlace
{
    const char* key;
    int column; // -1: none
    const char* header;
    QString TaskRecord::*text;
    QString ltvItemData::*copy;
    double ltvItemData::*seconds;
    const char* value; // a time reads as 4.5 s; "<other>": another input that exists
};
constexpr int None = -1;
const FieldPlace places[] = {
    {"input", 0, "Input File", &TaskRecord::inputPath, &ltvItemData::InputFile, nullptr, "<other>"},
    {"length", 1, "Length", &TaskRecord::length, &ltvItemData::Length, &ltvItemData::LengthSec,
     "00:00:04.5"},
    {"size", 2, "Size", &TaskRecord::size, &ltvItemData::Size, nullptr, " 320x240"},
    {"state", 3, "Status", nullptr, &ltvItemData::Status, nullptr, "Failed"},
    {"newName", 4, "", &TaskRecord::newName, &ltvItemData::NewFileName, nullptr, "a new name"},
    {"newExt", 5, "", &TaskRecord::newExt, &ltvItemData::NewFileExt, nullptr, ".kept"},
    {"sourceStart", 6, "", &TaskRecord::sourceStart, &ltvItemData::SourceStart,
     &ltvItemData::SourceStartSec, "00:00:04.5"},
    {"sourceEnd", 7, "", &TaskRecord::sourceEnd, &ltvItemData::SourceEnd,
     &ltvItemData::SourceEndSec, "00:00:04.5"},
    {"clipLength", 8, "", &TaskRecord::clipLength, &ltvItemData::ClipLength,
     &ltvItemData::ClipLengthSec, "00:00:04.5"},
    {"startTime", 9, "", &TaskRecord::startTime, &ltvItemData::StartTime,
     &ltvItemData::StartTimeSec, "00:00:04.5"},
    {"endTime", 10, "", &TaskRecord::endTime, &ltvItemData::EndTime, &ltvItemData::EndTimeSec,
     "00:00:04.5"},
    {"failureReason", None, "", &TaskRecord::failureReason, nullptr, nullptr, "exit code 1"},
    {"outputPath", None, "", &TaskRecord::outputPath, nullptr, nullptr, "/out/clip.mp4"},
    {"encoderOutput", None, "", &TaskRecord::encoderOutput, nullptr, nullptr,
     "the encoder's\nlast lines"},
    {"log", None, "", &TaskRecord::logName, nullptr, nullptr, "0123456789abcdef.log"},
};

// Calls `act` as the first event queued for the object arrives: the keeper hears so that its
// write is done.
class BeforeQueuedCall final : public QObject
{
public:
    explicit BeforeQueuedCall(std::function<void()> act) : m_act(std::move(act)) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MetaCall && m_act)
            std::exchange(m_act, nullptr)();
        return false;
    }

private:
    std::function<void()> m_act;
};
} // namespace

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
        // The text goes where the program writes free text; names and times are kept to what
        // it writes there, or the task would be set aside.
        QString plain = text;
        plain.remove(QRegularExpression("[\\x00-\\x1f]"));
        const QString input = m_dir->filePath(plain + ".avi");
        QVERIFY(WriteFile(input));
        TaskRecord filled = FilledRecord(input, text, state, 42);
        filled.newName = "new " + plain;
        filled.newExt = ".mp4";
        filled.length = filled.sourceEnd = "00:00:10.04";
        filled.sourceStart = "00:00:00.0";
        filled.clipLength = "00:00:08.0";
        filled.startTime = "00:00:01.0";
        filled.endTime = "00:00:09.0";
        TaskRecord bare; // every text empty
        bare.inputPath = m_dir->filePath("bare " + plain);
        QVERIFY(WriteFile(bare.inputPath));
        bare.state = state;
        const QList<TaskRecord> saved = {filled, bare};
        const QueueStore store(path());
        QCOMPARE(store.save(saved), QString());
        const QueueStore::Loaded loaded = store.load();
        QCOMPARE(loaded.problem, QString());
        QCOMPARE(loaded.rejected, QStringList());
        QCOMPARE(loaded.tasks.size(), saved.size());
        for (int i = 0; i < saved.size(); ++i) {
            TaskRecord expected = saved[i];
            if (expected.state == TaskState::Converting) // its conversion ended with the program
                expected.state = TaskState::Stopped;
            QCOMPARE(RecordTexts(loaded.tasks[i]), RecordTexts(expected));
        }
    }

    void everyFieldTakesItsPlace_data()
    {
        QTest::addColumn<int>("place");
        for (int place = 0; place < int(std::size(places)); ++place)
            QTest::newRow(places[place].key) << place;
    }
    void everyFieldTakesItsPlace()
    {
        QFETCH(int, place);
        const FieldPlace& field = places[place];
        QCOMPARE(std::size(TaskFields), std::size(places)); // a field of its own: a row here
        TaskRecord base; // complete, as the task's state would change if its input had gone
        base.inputPath = m_dir->filePath("clip.avi");
        base.state = TaskState::Complete;
        QString value = field.value;
        if (value == "<other>")
            value = m_dir->filePath("other.avi");
        QVERIFY(WriteFile(base.inputPath) && WriteFile(m_dir->filePath("other.avi")));

        // The list: set in its column, the value lands in the record's text.
        TaskModel model;
        model.append(QList<TaskRecord>{base, base});
        TaskRecord task = base;
        if (field.column != None) {
            QCOMPARE(model.headerData(field.column, Qt::Horizontal).toString(),
                     QString(field.header));
            TaskModel::setText(task, field.column, value);
            model.setTask(0, task);
            QCOMPARE(model.index(0, field.column).data().toString(), value);
        } else {
            task.*field.text = value;
            model.setTask(0, task);
        }
        if (field.text)
            QCOMPARE(task.*field.text, value);
        else
            QCOMPARE(task.state, TaskState::Failed);

        // The working copy: read from the row, and written onto another, it carries the field
        // or leaves the other row's as it was.
        TaskRows rows(&model);
        ltvItemData copy;
        rows.ReadTask(0, TaskRows::WholeRecord, copy);
        if (field.copy)
            QCOMPARE(copy.*field.copy, value);
        if (field.seconds)
            QCOMPARE(copy.*field.seconds, 4.5);
        rows.WriteTask(1, TaskRows::WholeRecord, copy);
        QCOMPARE(RecordTexts(model.task(1)), RecordTexts(field.copy ? task : base));

        // The kept list: under its key, and back.
        const QueueStore store(path());
        QCOMPARE(store.save({task}), QString());
        const QJsonObject kept =
            QJsonDocument::fromJson(ReadFile(path())).object()["tasks"].toArray()[0].toObject();
        QCOMPARE(kept[field.key].toString(), field.text ? value : QString("failed"));
        const QueueStore::Loaded loaded = store.load();
        QCOMPARE(loaded.rejected, QStringList());
        QCOMPARE(loaded.tasks.size(), 1);
        QCOMPARE(RecordTexts(loaded.tasks[0]), RecordTexts(task));
    }

    // Each row is one task of a hand-edited file, between two good ones: it comes back, or it
    // alone is set aside, kept as it was in a file of its own.
    void tamperedTaskIsSetAside_data()
    {
        QTest::addColumn<QString>("fields"); // JSON members; <input> is a file that exists
        QTest::addColumn<bool>("comesBack");
        const QString times = R"("sourceEnd":"00:00:10.0","startTime":%1,"endTime":%2)";
        QTest::newRow("as written") << R"("input":<input>,"state":"failed")" << true;
        QTest::newRow("state in capitals") << R"("input":<input>,"state":"COMPLETE")" << true;
        QTest::newRow("no state") << R"("input":<input>)" << true;
        QTest::newRow("state of nobody's") << R"("input":<input>,"state":"done")" << false;
        QTest::newRow("state no text") << R"("input":<input>,"state":3)" << false;
        QTest::newRow("no input") << R"("state":"added")" << false;
        QTest::newRow("input with a line break") << R"("input":"/v/a\nb.avi")" << false;
        QTest::newRow("dots inside a name") << R"("input":<input>,"newName":"a..b")" << true;
        QTest::newRow("name up the tree")
            << R"("input":<input>,"newName":"../../escaped")" << false;
        QTest::newRow("name ..") << R"("input":<input>,"newName":"..")" << false;
        QTest::newRow("name with a line break") << R"("input":<input>,"newName":"a\nb")" << false;
        QTest::newRow("name with NUL") << R"("input":<input>,"newName":"a\u0000b")" << false;
        QTest::newRow("extension as written") << R"("input":<input>,"newExt":".mp4")" << true;
        QTest::newRow("extension with a folder") << R"("input":<input>,"newExt":".x/y")" << false;
        QTest::newRow("extension without dot") << R"("input":<input>,"newExt":"mp4")" << false;
        QTest::newRow("times in range")
            << "\"input\":<input>," + times.arg("\"00:00:01.0\"", "\"00:00:10.0\"") << true;
        QTest::newRow("times of a file never read")
            << R"("input":<input>,"startTime":"00:00:00.0")" << true;
        QTest::newRow("start no time")
            << "\"input\":<input>," + times.arg("\"abc\"", "\"00:00:05.0\"") << false;
        QTest::newRow("length no time") << R"("input":<input>,"length":"10 s")" << false;
        QTest::newRow("end before start")
            << "\"input\":<input>," + times.arg("\"00:00:08.0\"", "\"00:00:02.0\"") << false;
        QTest::newRow("end past the source")
            << "\"input\":<input>," + times.arg("\"00:00:01.0\"", "\"00:00:30.0\"") << false;
        QTest::newRow("start past the source")
            << "\"input\":<input>," + times.arg("\"00:00:12.0\"", "\"00:00:13.0\"") << false;
        const QString log = R"("input":<input>,"encoderOutput":"%1")";
        QTest::newRow("log as kept") << log.arg(QString(KeptEncoderOutputBytes, 'x')) << true;
        QTest::newRow("log longer than kept")
            << log.arg(QString(KeptEncoderOutputBytes + 1, 'x')) << false;
        QTest::newRow("log file of ours")
            << R"("input":<input>,"log":"00ff00ff00ff00ff.log")" << true;
        QTest::newRow("log file up the tree")
            << R"("input":<input>,"log":"../../00ff00ff00ff00ff.log")" << false;
        QTest::newRow("log file elsewhere") << R"("input":<input>,"log":"/etc/passwd")" << false;
        QTest::newRow("not an object") << "<array>" << false;
    }
    void tamperedTaskIsSetAside()
    {
        QFETCH(QString, fields);
        QFETCH(bool, comesBack);
        const QString input = m_dir->filePath("clip.avi");
        QVERIFY(WriteFile(input));
        const QString quoted = "\"" + input + "\"";
        const QString task = fields == "<array>"
                                 ? QString("[1]")
                                 : "{" + QString(fields).replace("<input>", quoted) + "}";
        const QString good = R"({"input":%1,"state":"complete"})";
        const QString text = R"({"version":1,"tasks":[%1,%2,%3]})";
        QVERIFY(WriteFile(
            path(), text.arg(good.arg("\"" + input + ".1\""), task, good.arg("\"" + input + ".2\""))
                        .toUtf8()));
        QVERIFY(WriteFile(path() + ".bad", "an earlier one"));

        const QueueStore::Loaded loaded = QueueStore(path()).load();
        QCOMPARE(loaded.problem, QString());
        QCOMPARE(loaded.tasks.size(), comesBack ? 3 : 2);
        QCOMPARE(loaded.tasks.first().inputPath, input + ".1");
        QCOMPARE(loaded.tasks.last().inputPath, input + ".2");
        QCOMPARE(loaded.rejected.size(), comesBack ? 0 : 1);
        QCOMPARE(ReadFile(path() + ".bad"), QByteArray("an earlier one"));
        if (comesBack) {
            QCOMPARE(loaded.rejectedKept, QString());
            QVERIFY(!QFileInfo::exists(path() + ".bad2"));
            return;
        }
        QCOMPARE(loaded.rejectedKept, path() + ".bad2");
        const QJsonArray kept =
            QJsonDocument::fromJson(ReadFile(path() + ".bad2")).object()["tasks"].toArray();
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept.first(),
                 QJsonDocument::fromJson(("[" + task + "]").toUtf8()).array().first());
    }

    void taskWhoseInputHasGoneComesBackFailed()
    {
        const QString gone = m_dir->filePath("gone.avi");
        const QString here = m_dir->filePath("here.avi");
        QVERIFY(WriteFile(here));
        QList<TaskRecord> saved(3);
        saved[0].inputPath = gone;
        saved[1].inputPath = gone + ".converted";
        saved[1].state = TaskState::Complete; // its output stands; the source may go
        saved[2].inputPath = here;
        QCOMPARE(QueueStore(path()).save(saved), QString());
        const QList<TaskRecord> loaded = QueueStore(path()).load().tasks;
        QCOMPARE(loaded.size(), 3);
        QCOMPARE(loaded[0].state, TaskState::Failed);
        QCOMPARE(loaded[0].failureReason, QStringLiteral("The file no longer exists"));
        QCOMPARE(loaded[1].state, TaskState::Complete);
        QCOMPARE(loaded[2].state, TaskState::Added);
    }

    void unreadableFileIsSetAside_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // "<folder>": a folder of that name
        QTest::newRow("not JSON") << QByteArray("[Tasks]\nx=1\n");
        QTest::newRow("cut short") << QByteArray(R"({"version":1,"tasks":[{"input":"/a.avi",)");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no task list") << QByteArray(R"({"version":1,"tasks":{}})");
        QTest::newRow("a folder") << QByteArray("<folder>");
        QTest::newRow("a FIFO") << QByteArray("<fifo>");
    }
    void unreadableFileIsSetAside()
    {
        QFETCH(QByteArray, bytes);
        const QString file = path();
        if (bytes == "<folder>")
            QVERIFY(QDir().mkdir(file));
        else if (bytes == "<fifo>") // opened as it is, it would hold the start-up for good
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
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
        else if (bytes == "<fifo>")
            QVERIFY(QFileInfo(file + ".bad2").exists());
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

    // A list that keeps logs in files: the record and the kept list hold the file's name only,
    // the log is read when asked for, and the file goes when its task is reset or removed.
    void logsLiveInFilesOfTheirOwn()
    {
        TaskModel model;
        TaskRows rows(&model);
        const QString folder = m_dir->filePath("Logs/");
        model.setLogs(new TaskLogs(folder, &model));
        for (const char* name : {"a", "b", "c"})
            rows.appendTask(QStringLiteral("/v/%1.avi").arg(name));
        const QString log = QString("frame=1\n").repeated(5000);
        for (int row : {0, 1, 2})
            rows.setOutcome(row, "/out/x.mp4", log + QString::number(row));
        const QStringList files = QDir(folder).entryList(QDir::Files);
        QCOMPARE(files.size(), 3);
        QVERIFY(rows.task(1).encoderOutput.isEmpty());
        QVERIFY(files.contains(rows.task(1).logName));
        QCOMPARE(rows.log(1), log + "1");
        QCOMPARE(QueueStore(path()).save(model.tasks()), QString());
        QVERIFY(!ReadFile(path()).contains("frame=1"));

        rows.resetTask(0);
        model.removeRows(1, 1);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{rows.task(1).logName});
        QCOMPARE(rows.log(1), log + "2");
        rows.setOutcome(1, "", ""); // no messages: nothing left to keep
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
    }

    // Reading many files changes the list steadily: it is written once the changes pause, or
    // when the oldest has waited the longest a change waits, not every moment.
    void keeperWritesASteadyStreamRarely()
    {
        TaskModel model;
        TaskRows rows(&model);
        QueueKeeper keeper(&model, QueueStore(path()));
        keeper.start();
        QElapsedTimer clock;
        clock.start();
        qint64 firstWrite = -1;
        int changes = 0;
        while (clock.elapsed() < QueueKeeper::MaxDelay + 1500) {
            rows.appendTask(QStringLiteral("/v/%1.avi").arg(++changes));
            QTest::qWait(50);
            if (firstWrite < 0 && QFileInfo::exists(path()))
                firstWrite = clock.elapsed();
        }
        QVERIFY2(firstWrite >= QueueKeeper::MaxDelay - 100,
                 qPrintable(QString::number(firstWrite)));
        QTRY_COMPARE(QueueStore(path()).load().tasks.size(), changes);
    }

    // The change comes while the write is under way as far as the keeper knows: done on its
    // thread, not yet heard of.
    void keeperWritesAChangeMadeDuringAWrite()
    {
        TaskModel model;
        TaskRows rows(&model);
        QueueKeeper keeper(&model, QueueStore(path()));
        keeper.start();
        qsizetype written = -1;
        BeforeQueuedCall during([&] {
            written = QueueStore(path()).load().tasks.size();
            rows.appendTask("/v/during.avi");
        });
        keeper.installEventFilter(&during);
        rows.appendTask("/v/before.avi");
        QTRY_COMPARE(written, 1);
        QTRY_COMPARE(QueueStore(path()).load().tasks.size(), 2); // unasked, after that write
    }

    // A list read on a thread leaves its parse freed there, between the tasks it keeps: that
    // memory goes back to the system once asked, not only what lies past the last task kept.
    void memoryFreedOnAThreadGoesBack()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the sanitizer's allocator holds freed memory back on purpose");
#endif
        const auto privateKb = [] {
            QFile status(QStringLiteral("/proc/self/status"));
            if (!status.open(QIODevice::ReadOnly))
                return -1L;
            for (const QByteArray& line : status.readAll().split('\n')) {
                if (line.startsWith("RssAnon:"))
                    return line.mid(8).trimmed().split(' ').first().toLong();
            }
            return -1L;
        };
        std::vector<char*> kept;
        std::thread([&kept] {
            constexpr int Blocks = 32768; // 32 MB in blocks of 1 kB, one kept in 64
            std::vector<char*> blocks;
            for (int i = 0; i < Blocks; ++i) {
                blocks.push_back(static_cast<char*>(std::malloc(1000)));
                std::memset(blocks.back(), 1, 1000);
            }
            for (int i = 0; i < Blocks; ++i) {
                if (i % 64 == 0)
                    kept.push_back(blocks[i]);
                else
                    std::free(blocks[i]);
            }
        }).join();
        const long before = privateKb();
        ReturnFreedMemory();
        const long after = privateKb();
        for (char* block : kept)
            std::free(block);
        QVERIFY2(before - after > 16 * 1024,
                 qPrintable(QStringLiteral("%1 kB before, %2 kB after").arg(before).arg(after)));
    }
};

QTEST_GUILESS_MAIN(TestQueueStore)
#include "tst_queuestore.moc"
