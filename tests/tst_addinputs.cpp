#include "ExampleProfile.h"
#include "FakeEncoder.h"
#include "FormFixture.h"
#include "ModalWatcher.h"
#include "TaskWindow.h"
#include "TestFiles.h"
#include "TestTasks.h"
#include "app/ui/GettingStartedPanel.h"
#include "app/ui/ImageButton.h"
#include "app/ui/TMainForm.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/ValueListEditor.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QStringList captions(TMainForm& form)
{
    QStringList result;
    for (int row = 0; row < form.rows().rowCount(); ++row)
        result << form.rows().caption(row);
    return result;
}

// Drags the paths onto a control of the window (the window itself by default) and drops them;
// true when the drag was taken.
bool drop(TMainForm& form, const QStringList& paths, QWidget* onto = nullptr)
{
    QWidget* target = onto ? onto : &form;
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    data.setText(QUrl::toStringList(urls).join('\n')); // as file managers offer it too
    // The application delivers a drop only to the widget that took the drag's entry.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
    return enter.isAccepted();
}

// A program folder with the fake encoder and a media folder with the given files.
struct Setup
{
    QTemporaryDir media;
    QString path(const QString& name) const { return media.filePath(name); }
    explicit Setup(const QStringList& files)
    {
        for (const QString& name : files) {
            if (name.endsWith(QLatin1Char('/')))
                QDir(media.path()).mkpath(name);
            else
                WriteFile(path(name), "x");
        }
    }
    std::function<void(const QString&)> programFolder() const
    {
        return [](const QString& folder) { WriteFakeProgramFolder(folder); };
    }
};
} // namespace

class TestAddInputs final : public QObject
{
    Q_OBJECT

private slots:
    // clang-format off
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("files");     // made in the media folder
        QTest::addColumn<QStringList>("arguments"); // relative to the media folder
        QTest::addColumn<QByteArray>("list");       // written to list.TMP when not empty
        QTest::addColumn<QStringList>("expected");
        const QStringList media = {"a.avi",   "b.MP4",    "c.flv",  "d/",          "d/z.mpg",
                                   "d/A.wmv", "d/.h.avi", "d/sub/", "d/sub/s.avi", "q \"x\" ü.mov"};
        QTest::newRow("files, folder, missing, unsupported")
            << media << QStringList{"a.avi", "missing.avi", "c.flv", "d", "b.MP4"} << QByteArray()
            << QStringList{"a.avi", "d/A.wmv", "d/z.mpg", "b.MP4"};
        QTest::newRow("odd letters and duplicates")
            << media << QStringList{"q \"x\" ü.mov", "a.avi", "a.avi", "q \"x\" ü.mov"}
            << QByteArray() << QStringList{"q \"x\" ü.mov", "a.avi"};
        QTest::newRow("list file with every line end") << media << QStringList{"list.TMP", "b.MP4"}
            << QByteArray("@/a.avi\r\n\r\n@/d\n@/missing.avi\r@/b.MP4\n\n")
            << QStringList{"a.avi", "d/A.wmv", "d/z.mpg", "b.MP4"};
        QTest::newRow("list naming files twice, around a folder") << media << QStringList{"list.TMP"}
            << QByteArray("@/b.MP4\n@/b.MP4\n@/d\n@/a.avi\n@/d/z.mpg\n@/b.MP4\n@/a.avi\n")
            << QStringList{"b.MP4", "d/A.wmv", "d/z.mpg", "a.avi"};
    }
    // clang-format on
    void commandLine()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, list);
        QFETCH(QStringList, expected);
        Setup setup(files);
        const QString base = setup.media.path();
        if (!list.isEmpty())
            QVERIFY(WriteFile(setup.path("list.TMP"), list.replace('@', base.toUtf8())));
        QStringList absolute;
        for (const QString& argument : arguments)
            absolute << setup.path(argument);
        FormFixture fixture(absolute, setup.programFolder());
        QTRY_VERIFY(!fixture.form->reading());
        QStringList wanted;
        for (const QString& name : expected)
            wanted << setup.path(name);
        QCOMPARE(captions(*fixture.form), wanted);
        QVERIFY(ListCommandsEnabled(fixture.form->ui()));
        QVERIFY(!fixture.form->ui().panbg->isVisibleTo(fixture.form.get()));
        QVERIFY(fixture.form->ui().ltvTask->selectionModel()->selectedRows().isEmpty());

        ltvItemData task;
        fixture.form->rows().ReadTask(0, TaskRows::WholeRecord, task);
        QCOMPARE(task.Length, QStringLiteral("00:00:05.00"));
        QCOMPARE(task.Size, QStringLiteral(" 320x240"));
        QCOMPARE(task.Status, QStringLiteral("OK"));
        QCOMPARE(task.NewFileExt, QString()); // no profile is loaded yet
        QCOMPARE(task.StartTime, QStringLiteral("00:00:00.0"));
        QCOMPARE(task.EndTime, task.Length);
        QCOMPARE(task.SourceStart, task.StartTime);
        QCOMPARE(task.SourceEnd, task.Length);
        QCOMPARE(task.ClipLength, task.Length);
        QCOMPARE(task.NewFileName, QFileInfo(wanted.first()).completeBaseName());
    }

    void nothingAddedLeavesCommandsAlone()
    {
        Setup setup({});
        FormFixture fixture({setup.path("none.avi")}, setup.programFolder());
        QCOMPARE(fixture.form->rows().rowCount(), 0);
        QVERIFY(!ListCommandsEnabled(fixture.form->ui()));
        QVERIFY(fixture.form->ui().panbg->isVisibleTo(fixture.form.get()));
    }

    void addFilesOrderAndLoneRow()
    {
        Setup setup({"a.avi", "b.avi", "c.avi", "clip.flv"});
        FormFixture fixture({}, setup.programFolder());
        TMainForm& form = *fixture.form;
        QStringList chosen = {setup.path("a.avi")};
        QString filterSeen;
        fixture.chooseFiles = [&](QWidget*, const QString& filter) {
            filterSeen = filter;
            return chosen;
        };
        form.ui().cmbProfile->setCurrentIndex(0);
        emit form.ui().cmbProfile->activated(0);
        QCOMPARE(form.OutputExt(), QStringLiteral(".mp4"));
        emit form.ui().ibtnAddFile->clicked();
        QTRY_VERIFY(!form.reading());
        QVERIFY(filterSeen.startsWith(QStringLiteral("All Support Files(")));
        QCOMPARE(captions(form), QStringList{setup.path("a.avi")});
        QCOMPARE(form.currentTask(), 0); // a lone row is selected and shown
        ValueListEditor* output = form.grid(ParameterPanels::Output);
        QCOMPARE(output->value(QStringLiteral("New Filename")), QStringLiteral("a.mp4"));
        QCOMPARE(output->value(QStringLiteral("Start Time")), QStringLiteral("00:00:00.0"));
        QCOMPARE(output->value(QStringLiteral("End Time")), QStringLiteral("00:00:05.00"));
        QVERIFY(ListCommandsEnabled(form.ui()));

        chosen = {setup.path("b.avi"), setup.path("c.avi"), setup.path("clip.flv")};
        form.ui().tbtnAddFile->click();
        QTRY_VERIFY(!form.reading());
        QCOMPARE(captions(form), (QStringList{setup.path("a.avi"), setup.path("c.avi"),
                                              setup.path("clip.flv"), setup.path("b.avi")}));
        ltvItemData task;
        form.rows().ReadTask(3, TaskRows::WholeRecord, task);
        QCOMPARE(task.NewFileExt, QStringLiteral(".mp4"));
        chosen.clear(); // cancelled
        form.ui().tbtnAddFile->click();
        QCOMPARE(form.rows().rowCount(), 4);
    }

    void addDirectory()
    {
        Setup setup({"d/", "d/b.avi", "d/A.avi", "d/n.txt"});
        FormFixture fixture({}, setup.programFolder());
        TMainForm& form = *fixture.form;
        QString title;
        fixture.chooseFolder = [&](QWidget*, const QString& t) {
            title = t;
            return setup.path("d");
        };
        emit form.ui().ibtnAddDir->clicked();
        QCOMPARE(title, QStringLiteral("Add a directory to the Task List"));
        QCOMPARE(captions(form), (QStringList{setup.path("d/A.avi"), setup.path("d/b.avi")}));
        QCOMPARE(form.currentTask(), -1);
        QVERIFY(ListCommandsEnabled(form.ui()));
    }

    void drops()
    {
        const QString longName = QString(240, QLatin1Char('n')) + QStringLiteral(".avi");
        Setup setup({"clip.AVI", "clip.flv", "d/", "d/x.vob", "long/", "long/" + longName,
                     "new.avi", "brand new.avi"});
        FormFixture fixture({}, setup.programFolder());
        TMainForm& form = *fixture.form;
        const QString longPath = setup.path("long/" + longName);
        QVERIFY(longPath.size() > 253);
        QVERIFY(drop(form,
                     {setup.path("clip.AVI"), setup.path("clip.flv"), setup.path("d"), longPath}));
        QCOMPARE(captions(form),
                 (QStringList{setup.path("clip.AVI"), setup.path("d/x.vob"), longPath}));
        QTRY_VERIFY(!form.reading());
        ltvItemData task;
        form.rows().ReadTask(2, TaskRows::WholeRecord, task);
        QCOMPARE(task.Size, QStringLiteral(" 320x240")); // the long path reached the encoder whole
        QVERIFY(ListCommandsEnabled(form.ui()));

        // On any control: the output field keeps its text, the preview does not lose the drop.
        const QString output = form.ui().edtOutputdir->text();
        QVERIFY(drop(form, {setup.path("new.avi")}, form.ui().edtOutputdir));
        QCOMPARE(form.ui().edtOutputdir->text(), output);
        QVERIFY(drop(form, {setup.path("d/x.vob"), setup.path("clip.flv")}, form.ui().panPreview));
        QCOMPARE(form.rows().rowCount(), 4);

        form.ui().ltvTask->setEnabled(false); // as during a batch
        QVERIFY(!drop(form, {setup.path("long/"), setup.path("clip.AVI")}));
        QVERIFY(!drop(form, {setup.path("brand new.avi")}, form.ui().edtOutputdir));
        QCOMPARE(form.rows().rowCount(), 4);

        // A later start's files wait for the batch to end; the list it names is read at once,
        // in its own current folder, before that start ends and its list may go.
        QVERIFY(WriteFile(setup.path("handed.tmp"), "brand new.avi\n"));
        form.openFiles(setup.media.path(), {"handed.tmp"}, {});
        QVERIFY(QFile::remove(setup.path("handed.tmp")));
        QCOMPARE(form.rows().rowCount(), 4);
        form.ui().ltvTask->setEnabled(true);
        QTRY_COMPARE(captions(form).last(), setup.path("brand new.avi"));
    }

    // clang-format off
    void specialFilesAreNamed_data()
    {
        QTest::addColumn<QString>("road");
        QTest::newRow("Add Files") << "files";
        QTest::newRow("Add Directory") << "folder";
        QTest::newRow("drop") << "drop";
        QTest::newRow("command line") << "command line";
    }
    // clang-format on
    void specialFilesAreNamed()
    {
        QFETCH(QString, road);
        Setup setup({"d/", "d/a.avi"});
        const QString fifo = setup.path("d/pipe.avi");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        // A Latin-1 name: no path in text can reach it. A folder scan says so.
        const int raw = ::open((QFile::encodeName(setup.path("d")) + "/caf\xE9.avi").constData(),
                               O_CREAT | O_WRONLY, 0600);
        QVERIFY(raw >= 0);
        ::close(raw);
        ModalWatcher watcher;
        const QStringList inputs = {fifo, setup.path("d/a.avi")};
        FormFixture fixture(road == "command line" ? inputs : QStringList(), setup.programFolder());
        TMainForm& form = *fixture.form;
        fixture.chooseFiles = [&](QWidget*, const QString&) { return inputs; };
        fixture.chooseFolder = [&](QWidget*, const QString&) { return setup.path("d"); };
        if (road == "files")
            form.ui().tbtnAddFile->click();
        else if (road == "folder")
            form.ui().tbtnAddDir->click();
        else if (road == "drop")
            QVERIFY(drop(form, inputs));
        QCOMPARE(captions(form), QStringList{setup.path("d/a.avi")});
        QTRY_COMPARE(watcher.seen.size(), 1);
        QVERIFY2(watcher.seen[0].text.contains(fifo), qPrintable(watcher.seen[0].text));
        QCOMPARE(watcher.seen[0].text.contains("1 file(s) left out") &&
                     watcher.seen[0].text.contains("caf\\xE9.avi"),
                 road == "folder");
        QTRY_VERIFY(!form.reading()); // the FIFO was never probed, which would hang
    }

    // Clear calls off the reading of the files it takes away: a file added next is read at once.
    void clearCallsOffTheReading()
    {
        Setup setup({"slow1.avi", "slow2.avi", "slow3.avi", "slow4.avi", "slow5.avi", "quick.avi"});
        FormFixture fixture({setup.path("slow1.avi"), setup.path("slow2.avi"),
                             setup.path("slow3.avi"), setup.path("slow4.avi"),
                             setup.path("slow5.avi")},
                            [&](const QString& folder) {
                                WriteFakeEncoder(folder, QStringLiteral("wmaspi.dll"),
                                                 "case \"$2\" in *slow*) exec sleep 60;; esac\n" +
                                                     FiveSecondReport);
                            });
        TMainForm& form = *fixture.form;
        QVERIFY(form.reading());
        form.ui().tbtnClear->click();
        QVERIFY(!form.reading());
        fixture.chooseFiles = [&](QWidget*, const QString&) {
            return QStringList{setup.path("quick.avi")};
        };
        form.ui().tbtnAddFile->click();
        QTRY_VERIFY_WITH_TIMEOUT(!form.reading(), 3000); // long before a hung probe gives up
        QCOMPARE(form.rows().rowCount(), 1);
        QCOMPARE(form.ui().labReading->isVisible(), false);
    }

    // The output folder is locked while Start waits, and checked again when converting begins.
    void outputFolderCheckedWhenConvertingBegins()
    {
        Setup setup({"a.avi", "out/"});
        FormFixture fixture({setup.path("a.avi")}, [&](const QString& folder) {
            WriteFakeEncoder(folder, QStringLiteral("wmaspi.dll"),
                             "if [ \"$1\" = -i ]; then sleep 0.5\n" + FiveSecondReport +
                                 "\nfi\nexit 0");
            WriteExampleProfile(folder, "Example");
        });
        TMainForm& form = *fixture.form;
        form.show();
        form.ui().edtOutputdir->setText(setup.path("out"));
        ModalWatcher watcher;
        emit form.ui().imgStart->clicked();
        QVERIFY(form.reading());
        QVERIFY(!form.ui().edtOutputdir->isEnabled());
        QVERIFY(!form.ui().bbtnBrowser->isEnabled());
        QVERIFY(QDir(setup.path("out")).removeRecursively());
        QTRY_COMPARE_WITH_TIMEOUT(watcher.seen.size(), 1, 10000);
        QCOMPARE(watcher.seen[0].title, QStringLiteral("Output path does not exist"));
        QTRY_VERIFY(form.ui().edtOutputdir->isEnabled());
        QCOMPARE(StatusOf(form.rows(), 0), QStringLiteral("OK"));
    }

    void brokenEncoderStillAddsRows()
    {
        Setup setup({"a.avi", "b.avi"});
        for (const bool executable : {false, true}) {
            ModalWatcher watcher;
            FormFixture fixture({setup.path("a.avi"), setup.path("b.avi")},
                                [&](const QString& folder) {
                                    if (executable)
                                        return; // no encoder at all
                                    WriteFile(folder + "wmaspi.dll", "not a program");
                                });
            QCOMPARE(fixture.form->rows().rowCount(), 2);
            QTRY_VERIFY(!fixture.form->reading());
            ltvItemData task;
            fixture.form->rows().ReadTask(1, TaskRows::WholeRecord, task);
            QCOMPARE(task.Length, QString());
            QCOMPARE(task.Size, QString());
            QCOMPARE(task.Status, QStringLiteral("OK"));
            // Said once, naming where the encoder was looked for.
            QTRY_COMPARE(watcher.seen.size(), 1);
            QVERIFY2(watcher.seen[0].text.contains(fixture.folder() + "wmaspi.dll"),
                     qPrintable(watcher.seen[0].text));
        }
    }

    // Start pressed while files are read waits for them: no task converts without its facts.
    void startWaitsForReading()
    {
        Setup setup({"a.avi", "b.avi"});
        const QString log = setup.path("conversions");
        FormFixture fixture({setup.path("a.avi"), setup.path("b.avi")}, [&](const QString& folder) {
            WriteFakeEncoder(folder, QStringLiteral("wmaspi.dll"),
                             "if [ \"$1\" = -i ]; then sleep 0.5\n" + FiveSecondReport +
                                 "\nfi\necho \"$*\" >> '" + log.toUtf8() + "'\nexit 0");
            WriteExampleProfile(folder, "Example");
        });
        TMainForm& form = *fixture.form;
        form.show();
        QVERIFY(form.reading());
        const QSize size = form.size();
        ModalWatcher watcher; // answers the box at the end of the run
        emit form.ui().imgStart->clicked();
        QVERIFY(!form.ui().ltvTask->isEnabled()); // locked while it waits
        QVERIFY(form.ui().labReading->text().contains("Converting starts when all are read"));
        // However long the line under the list grows, the window keeps its size and its minimum.
        const int minimum = form.minimumSizeHint().width();
        form.ui().labReading->setText(form.ui().labReading->text().repeated(4));
        QCoreApplication::processEvents();
        QCOMPARE(form.minimumSizeHint().width(), minimum);
        QCOMPARE(form.size(), size);
        QVERIFY(!QFile::exists(log));
        QTRY_COMPARE_WITH_TIMEOUT(ReadFile(log).count('\n'), 2, 10000);
        QTRY_VERIFY(form.ui().ltvTask->isEnabled());
        ltvItemData task;
        form.rows().ReadTask(1, TaskRows::WholeRecord, task);
        QCOMPARE(task.Length, QStringLiteral("00:00:05.00"));
        QCOMPARE(task.Status, QStringLiteral("Complete"));
    }

    // A list file is looked through while the window goes on. Start pressed meanwhile waits
    // for it, and goes on when the list brings no file to read.
    void startWaitsForTheListFile()
    {
        Setup setup({"kept.avi"});
        const QByteArray log = setup.path("conversions").toUtf8();
        QVERIFY(WriteFile(setup.path("gone.tmp"), setup.path("missing.avi").toUtf8() + "\n"));
        FormFixture fixture({setup.path("gone.tmp")}, [&](const QString& folder) {
            WriteFakeEncoder(folder, QStringLiteral("wmaspi.dll"),
                             "if [ \"$1\" = -i ]; then\n" + FiveSecondReport +
                                 "\nfi\necho \"$*\" >> '" + log + "'\nexit 0");
            WriteExampleProfile(folder, "Example");
            WriteFile(folder + "Queue.json", R"({"version":1,"tasks":[{"input":")" +
                                                 setup.path("kept.avi").toUtf8() +
                                                 R"(","length":"00:00:05.00"}]})");
        });
        TMainForm& form = *fixture.form;
        form.show();
        QVERIFY(form.reading());
        ModalWatcher watcher; // answers the box at the end of the run
        emit form.ui().imgStart->clicked();
        QVERIFY(!form.ui().ltvTask->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(ReadFile(log).count('\n'), 1, 10000);
        QTRY_VERIFY(form.ui().ltvTask->isEnabled());
        QCOMPARE(captions(form), QStringList{setup.path("kept.avi")});
    }

    // Times typed while the file is still read are the task's once it is read, and the panel
    // shows them meanwhile, whichever task was looked at in between.
    void editsWhileReadingOutlastTheRead()
    {
        Setup setup({"a.avi", "b.avi"});
        FormFixture fixture({setup.path("a.avi"), setup.path("b.avi")}, [&](const QString& folder) {
            WriteFakeEncoder(folder, QStringLiteral("wmaspi.dll"),
                             "sleep 0.5\n" + FiveSecondReport);
        });
        TMainForm& form = *fixture.form;
        form.show();
        QVERIFY(form.reading());
        ValueListEditor* output = form.ui().panels->grid(ParameterPanels::Output);
        const auto click = [&](int row) {
            const QModelIndex index = form.rows().model()->index(row, 0);
            form.ui().ltvTask->setCurrentIndex(index);
            emit form.ui().ltvTask->clicked(index);
        };
        const auto type = [&](const QString& key, const QString& value) {
            output->setValue(key, value);
            emit output->valueEdited(output->rowOf(key));
        };
        click(0);
        type(QStringLiteral("Start Time"),
             QStringLiteral("00:00:01")); // no source end to check yet
        click(1);
        click(0);
        QCOMPARE(output->value(QStringLiteral("Start Time")), QStringLiteral("00:00:01"));
        type(QStringLiteral("End Time"), QStringLiteral("00:00:03"));
        QTRY_VERIFY(!form.reading());
        ltvItemData task;
        form.rows().ReadTask(0, TaskRows::WholeRecord, task);
        QCOMPARE(task.Length, QStringLiteral("00:00:05.00"));
        QCOMPARE(QStringList({task.StartTime, task.EndTime, task.ClipLength}),
                 (QStringList{"00:00:01", "00:00:03", "00:00:02"}));
        QCOMPARE(output->value(QStringLiteral("Start Time")), QStringLiteral("00:00:01"));
        form.rows().ReadTask(1, TaskRows::WholeRecord, task);
        QCOMPARE(task.EndTime, QStringLiteral("00:00:05.00")); // the probe's own
    }

    // Reading goes on while the user adds more; closing ends it at once, and the encoders after
    // their grace at the latest, without the window waiting for them (these do not end when
    // asked).
    void addingWhileReadingAndClosing()
    {
        QStringList names = {"d/", "late.avi", "picked.avi"};
        for (int i = 0; i < 30; ++i)
            names << QString("d/%1.avi").arg(i, 2, 10, QLatin1Char('0'));
        Setup setup(names);
        QTemporaryDir pids;
        FormFixture fixture({}, [&](const QString& folder) {
            WriteFakeEncoder(folder, QStringLiteral("wmaspi.dll"),
                             "trap '' TERM\ntouch '" + pids.path().toUtf8() + "'/$$\nsleep 2\n" +
                                 FiveSecondReport);
        });
        TMainForm& form = *fixture.form;
        form.show();
        fixture.chooseFolder = [&](QWidget*, const QString&) { return setup.path("d"); };
        fixture.chooseFiles = [&](QWidget*, const QString&) {
            return QStringList{setup.path("picked.avi")};
        };
        emit form.ui().ibtnAddDir->clicked();
        QCOMPARE(form.rows().rowCount(), 30); // every row at once, read afterwards
        QVERIFY(form.reading());
        QVERIFY(drop(form, {setup.path("late.avi")}));
        emit form.ui().ibtnAddFile->clicked();
        QCOMPARE(form.rows().caption(30), setup.path("late.avi"));
        QCOMPARE(form.rows().caption(31), setup.path("picked.avi"));
        QVERIFY(form.ui().labReading->isVisible());
        QCOMPARE(form.ui().labReading->text(), QStringLiteral("Reading files: 0 of 32"));
        QTRY_VERIFY(!QDir(pids.path()).isEmpty()); // the first encoders run

        QElapsedTimer clock;
        clock.start();
        form.close();
        QTest::qWait(100); // what is released afterwards must not hold the event loop up either
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY(!form.reading());
        for (const QString& pid : QDir(pids.path()).entryList(QDir::Files))
            QTRY_VERIFY2(ProcessGone(pid.toLongLong()), "an encoder outlived the window");
    }
};

QTEST_MAIN(TestAddInputs)
#include "tst_addinputs.moc"
