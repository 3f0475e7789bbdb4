#include "TestFiles.h"
#include "base/PathText.h"
#include "tasks/InputScan.h"
#include "tasks/InputTypes.h"
#include "tasks/TaskAdder.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int None = -1; // no refusal
} // namespace

class TestInputs final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QDir dir(m_dir.path());
        QVERIFY(dir.mkpath("clips/sub.avi") && dir.mkpath("clips/sub") && dir.mkpath("locked"));
        for (const char* name : {"b.avi", "A.mp4", "c.MOV", "a.mpg", ".hidden.avi", "notes.txt",
                                 "clip.flv", "x.avi.bak", "sub/inner.avi"})
            QVERIFY(WriteFile(m_dir.filePath(QString("clips/") + name)));
        QVERIFY(WriteFile(m_dir.filePath("locked/a.avi")));
        QVERIFY(WriteFile(m_dir.filePath("single.avi")));
        QVERIFY(WriteFile(m_dir.filePath("single.flv")));
        // A FIFO named like a video would block whoever opens it.
        QCOMPARE(::mkfifo(QFile::encodeName(m_dir.filePath("clips/pipe.avi")).constData(), 0600),
                 0);
        // Links count as what they lead to; a broken one as nothing.
        QVERIFY(QFile::link("b.avi", m_dir.filePath("clips/link.avi")));
        QVERIFY(QFile::link("none.avi", m_dir.filePath("clips/broken.avi")));
        QVERIFY(QFile::link("sub", m_dir.filePath("clips/folder.avi")));
        QVERIFY(QFile::setPermissions(m_dir.filePath("locked"), QFile::Permissions()));
    }
    void cleanupTestCase()
    {
        QFile::setPermissions(m_dir.filePath("locked"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void isSupportedInput_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("supported");
        QTest::newRow("lower case") << "/v/clip.avi" << true;
        QTest::newRow("upper case") << "clip.AVI" << true;
        QTest::newRow("mixed case mpeg") << "/v/clip.Mpeg" << true;
        QTest::newRow("several dots") << "clip.part1.vob" << true;
        QTest::newRow("unsupported") << "clip.flv" << false;
        QTest::newRow("dot in folder only") << "/v/a.avi/clip" << false;
        QTest::newRow("no extension") << "clip" << false;
        QTest::newRow("bare dot") << "clip." << false;
        QTest::newRow("extension of extension") << "clip.avi.part" << false;
        QTest::newRow("empty") << "" << false;
    }
    void isSupportedInput()
    {
        QFETCH(QString, path);
        QFETCH(bool, supported);
        QCOMPARE(IsSupportedInput(path, InputExtensions()), supported);
    }

    void filterForTheDialog()
    {
        // The dialog wants "label (patterns)"; "*.*" must also match names without a dot.
        const QStringList filters = QtNameFilters(OpenDialogFilter(InputExtensions()));
        QCOMPARE(filters.size(), 10);
        QVERIFY(filters.first().endsWith(" (*.avi *.mpg *.mpeg *.mp4 *.wmv *.mov *.vob *.asf)"));
        QCOMPARE(filters.at(2), QString("MPG Files (*.mpg) (*.mpg)"));
        QCOMPARE(filters.last(), QString("All Files (*.*) (*)"));
    }

    void folderInputs_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("names");
        const QStringList clips = {"A.mp4", "a.mpg", "b.avi", "c.MOV", "link.avi"};
        QTest::newRow("sorted ignoring case") << "clips" << clips;
        QTest::newRow("trailing separator") << "clips/" << clips;
        QTest::newRow("nested folder") << "clips/sub" << QStringList{"inner.avi"};
        QTest::newRow("missing") << "absent" << QStringList();
        QTest::newRow("a file") << "single.avi" << QStringList();
        QTest::newRow("unreadable") << "locked" << QStringList();
    }
    void folderInputs()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, names);
        if (folder == "locked" && ::geteuid() == 0)
            QSKIP("permissions do not stop root from reading");
        const QString path = m_dir.filePath(folder);
        QStringList expected;
        for (const QString& name : names)
            expected << m_dir.filePath(QString(folder).remove(QRegularExpression("/$"))) + "/" +
                            name;
        QCOMPARE(FolderInputs(path, InputExtensions()), expected);
        QCOMPARE(FolderSpecialEntries(path, InputExtensions()),
                 folder.startsWith("clips") && !folder.contains("sub")
                     ? QStringList{m_dir.filePath("clips/pipe.avi")}
                     : QStringList());
    }

    // clang-format off
    // clang-format off
    void commandLinePaths_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "@" stands for the folder the list file is in
        QTest::addColumn<QByteArray>("listFile");
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QStringList>("unreadable"); // lines left out, escaped
        QTest::addColumn<int>("list"); // the list itself refused as this Refusal; -1: not refused
        QTest::newRow("arguments") << QStringList{"/v/a.avi", "/clips", "whatever.TMP"} << QByteArray()
            << QStringList{"/v/a.avi", "/clips", "/cwd/whatever.TMP"} << QStringList() << None;
        QTest::newRow("none") << QStringList() << QByteArray() << QStringList() << QStringList() << None;
        QTest::newRow("from a file manager")
            << QStringList{"file:///v/two%20words.avi", "./a.avi", "../up/b.avi", "sub//c.avi"}
            << QByteArray() << QStringList{"/v/two words.avi", "/cwd/a.avi", "/up/b.avi", "/cwd/sub/c.avi"} << QStringList() << None;
        QTest::newRow("list file, mixed line ends") << QStringList{"@/LIST.TMP", "/ignored.avi"}
            << QByteArray("/v/a.avi\r\n\r\n/v/b c.avi \n/v/d.avi\r/v/e.avi\n\n")
            << QStringList{"/v/a.avi", "/v/b c.avi ", "/v/d.avi", "/v/e.avi"} << QStringList() << None;
        QTest::newRow("list file, byte-order mark and UTF-8")
            << QStringList{"@/list.tmp"} << QByteArray("\xEF\xBB\xBF/v/\xC3\xBC.avi")
            << QStringList{"/v/ü.avi"} << QStringList() << None;
        QTest::newRow("missing list file")
            << QStringList{"@/gone.tmp"} << QByteArray() << QStringList() << QStringList() << int(Refusal::ListUnreadable);
        QTest::newRow("list file, a line that is no UTF-8")
            << QStringList{"@/list.tmp"} << QByteArray("/v/caf\xE9.avi\n/v/ok.avi\n")
            << QStringList{"/v/ok.avi"} << QStringList{"/v/caf\\xE9.avi"} << None;
        QTest::newRow("list file that is a FIFO") // opened to read, it would wait for a writer
            << QStringList{"@/list.tmp", "/v/a.avi"} << QByteArray("<fifo>") << QStringList() << QStringList() << int(Refusal::NotRegularFile);
        QTest::newRow("tmp folder is no list")
            << QStringList{"/x.tmp/a.avi"} << QByteArray() << QStringList{"/x.tmp/a.avi"} << QStringList() << None;
    }
    // clang-format on
    void commandLinePaths()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, listFile);
        QFETCH(QStringList, paths);
        QFETCH(QStringList, unreadable);
        QFETCH(int, list);
        QTemporaryDir dir;
        if (!arguments.isEmpty() && arguments.first().startsWith("@")) {
            arguments.first().replace("@", dir.path());
            if (listFile == "<fifo>")
                QCOMPARE(::mkfifo(QFile::encodeName(arguments.first()).constData(), 0600), 0);
            else if (!listFile.isEmpty())
                QVERIFY(WriteFile(arguments.first(), listFile));
        }
        QList<RefusedInput> refused;
        QCOMPARE(CommandLinePaths(arguments, "/cwd", &refused), paths);
        QList<RefusedInput> expected;
        if (list != None)
            expected.append({arguments.first(), Refusal(list)});
        for (const QString& line : unreadable)
            expected.append({line, Refusal::NameNotText});
        QCOMPARE(refused, expected);
    }

    // clang-format off
    void escapedNames_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("Latin-1 letter") << QByteArray("caf\xE9.avi") << "caf\\xE9.avi";
        QTest::newRow("valid UTF-8 kept") << QByteArray("\xC3\xA9\xE9") << "é\\xE9";
        QTest::newRow("cut sequence") << QByteArray("a\xE2\x82") << "a\\xE2\\x82";
        QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << "\\xC0\\xAF";
    }
    // clang-format on
    void escapedNames()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, escaped);
        QCOMPARE(EscapedName(bytes), escaped);
        QVERIFY(!IsValidUtf8(bytes));
    }

    void unreadableFolderNames()
    {
        QTemporaryDir dir;
        for (const char* name :
             {"caf\xE9.AVI", "caf\xE9.txt", "d\xC3\xA9j\xC3\xA0.avi", ".\xE9.avi"}) {
            const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
            const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0600);
            QVERIFY(fd >= 0);
            ::close(fd);
        }
        QCOMPARE(UnreadableFolderNames(dir.path(), InputExtensions()),
                 QStringList{dir.filePath("caf\\xE9.AVI")});
        QCOMPARE(FolderInputs(dir.path(), InputExtensions()),
                 QStringList{dir.filePath("déjà.avi")});
    }

    void relativeListFile()
    {
        QTemporaryDir dir;
        QVERIFY(WriteFile(dir.filePath("clips.tmp"), "a.avi\n/v/b.avi\n"));
        // The list file and the names in it are taken from the folder the program started in.
        QCOMPARE(CommandLinePaths({"clips.tmp"}, dir.path()),
                 (QStringList{dir.filePath("a.avi"), "/v/b.avi"}));
    }

    // Every path the user names is looked at once and ends as tasks or as one refusal with its
    // reason, for the window and the console alike.
    // clang-format off
    void inputGate_data()
    {
        QTest::addColumn<QString>("path"); // in the test folder
        QTest::addColumn<QStringList>("tasks");
        QTest::addColumn<int>("refusal");
        QTest::newRow("a supported file") << "single.avi" << QStringList{"single.avi"} << None;
        QTest::newRow("a folder: its inputs, its FIFO refused") << "clips"
            << QStringList{"clips/A.mp4", "clips/a.mpg", "clips/b.avi", "clips/c.MOV", "clips/link.avi"}
            << int(Refusal::NotRegularFile);
        QTest::newRow("a file of another type") << "single.flv" << QStringList() << int(Refusal::NotSupported);
        QTest::newRow("nothing there") << "gone.avi" << QStringList() << int(Refusal::NoSuchFile);
        QTest::newRow("a broken link") << "clips/broken.avi" << QStringList() << int(Refusal::NoSuchFile);
        QTest::newRow("a FIFO") << "clips/pipe.avi" << QStringList() << int(Refusal::NotRegularFile);
        QTest::newRow("already listed") << "clips/b.avi" << QStringList{"clips/b.avi"} << None;
    }
    // clang-format on
    void inputGate()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, tasks);
        QFETCH(int, refusal);
        TaskModel model;
        TaskRows rows(&model);
        TaskAdder adder(rows, InputExtensions(), {});
        adder.AddPath(m_dir.filePath(path));
        adder.AddPath(m_dir.filePath(path)); // a second time: nothing more
        QStringList added;
        for (int row = 0; row < rows.rowCount(); ++row)
            added << QDir(m_dir.path()).relativeFilePath(rows.caption(row));
        QCOMPARE(added, tasks);
        QList<RefusedInput> expected;
        if (refusal != None)
            expected.fill({m_dir.filePath(path == "clips" ? "clips/pipe.avi" : path), Refusal(refusal)}, 2);
        QCOMPARE(adder.takeRefused(), expected);
        QCOMPARE(adder.takeRefused(), QList<RefusedInput>());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestInputs)
#include "tst_inputs.moc"
