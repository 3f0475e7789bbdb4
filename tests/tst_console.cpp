#include "BatchOptions.h"
#include "ConsoleReport.h"
#include "ExampleProfile.h"
#include "TestFiles.h"
#include "profiles/ProfileLookup.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// The batch command's own logic: its command line, the profile it names, and what it prints.
class TestConsole final : public QObject
{
    Q_OBJECT

private slots:
    // clang-format off
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("parsed"); // profile|output|tasks|overwrite|json|inputs, or "error: ..."
        QTest::newRow("least") << QStringList{"-p", "MP4", "a.avi"} << "MP4||0|-|0|a.avi";
        QTest::newRow("everything") << QStringList{"-p", "x.cvp", "-o", "out", "-j", "3", "--no-overwrite", "--json", "a.avi", "b"} << "x.cvp|out|3|0|1|a.avi,b";
        QTest::newRow("long names") << QStringList{"--profile=MP4", "--output", "o", "--jobs=2", "--overwrite", "a"} << "MP4|o|2|1|0|a";
        QTest::newRow("input after the options end") << QStringList{"-p", "MP4", "--", "-odd.avi"} << "MP4||0|-|0|-odd.avi";
        QTest::newRow("no profile") << QStringList{"a.avi"} << "error: no profile";
        QTest::newRow("no input") << QStringList{"-p", "MP4"} << "error: no input";
        QTest::newRow("both overwrite flags") << QStringList{"-p", "MP4", "--overwrite", "--no-overwrite", "a"} << "error: exclude each other";
        QTest::newRow("tasks not a number") << QStringList{"-p", "MP4", "-j", "two", "a"} << "error: -j takes a number";
        QTest::newRow("no tasks") << QStringList{"-p", "MP4", "-j", "0", "a"} << "error: -j takes a number";
        QTest::newRow("tasks empty") << QStringList{"-p", "MP4", "-j", "", "a"} << "error: -j takes a number";
        QTest::newRow("profile twice") << QStringList{"-p", "A", "-p", "B", "a"} << "error: more than once";
        QTest::newRow("empty output") << QStringList{"-p", "A", "-o", "", "a"} << "error: is empty";
        QTest::newRow("unknown option") << QStringList{"-p", "A", "--fast", "a"} << "error: Unknown option 'fast'.";
        QTest::newRow("missing value") << QStringList{"a", "-p"} << "error: Missing value after '-p'.";
    }
    // clang-format on
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, parsed);
        const BatchOptions options = ParseBatchOptions(arguments);
        if (parsed.startsWith("error: ")) {
            QVERIFY2(options.error.contains(parsed.mid(7)), qPrintable(options.error));
            return;
        }
        QCOMPARE(options.error, QString());
        const QString overwrite = !options.overwrite ? "-" : *options.overwrite ? "1" : "0";
        QCOMPARE(QStringList({options.profile, options.outputFolder,
                              QString::number(options.tasksAtOnce), overwrite,
                              QString::number(options.json), options.inputs.join(',')})
                     .join('|'),
                 parsed);
    }

    // clang-format off
    void profileNamed_data()
    {
        QTest::addColumn<QString>("named"); // "<data>/" stands for the data folder
        QTest::addColumn<QString>("found"); // its file, or "error: ..."
        QTest::newRow("name") << "Small MP4" << "Small MP4.cvp|.mp4| -vcodec mpeg4 -s 320x240 -b 768k";
        QTest::newRow("name in other letter case") << "small mp4" << "Small MP4.cvp|.mp4| -vcodec mpeg4 -s 320x240 -b 768k";
        QTest::newRow("path") << "<data>/Profiles/Small MP4.cvp" << "Small MP4.cvp|.mp4| -vcodec mpeg4 -s 320x240 -b 768k";
        QTest::newRow("other type") << "Webm" << "Webm.cvp|.webm| -vcodec mpeg4 -s 320x240 -b 768k";
        QTest::newRow("unknown name lists the profiles") << "Large" << "error: no profile named \"Large\"; the profiles are: Broken, Faulty, Garbage, Small MP4, Webm";
        QTest::newRow("missing path") << "<data>/none.cvp" << "error: no profile file";
        QTest::newRow("a name part is no name") << "Small" << "error: no profile named";
        QTest::newRow("pick list without the choice") << "Faulty" << "error: parameter \"Video Size\" has no choice number 7";
        QTest::newRow("not text") << "Broken" << "error: Broken.cvp";
        QTest::newRow("text of no profile") << "Garbage" << "error: Garbage.cvp\" is no profile: it has no [Main] section";
        QTest::newRow("FIFO, named") << "Piped" << "error: Piped.cvp\": it is not a regular file";
        QTest::newRow("FIFO, by path") << "<data>/Profiles/Piped.cvp" << "error: Piped.cvp\": it is not a regular file";
    }
    // clang-format on
    void profileNamed()
    {
        QFETCH(QString, named);
        QFETCH(QString, found);
        QTemporaryDir data;
        const QString folder = data.path() + '/';
        WriteExampleProfile(folder, "Small MP4");
        WriteExampleProfile(folder, "Webm", ExampleProfileText().replace("Type=mp4", "Type=webm"));
        WriteExampleProfile(folder, "Faulty", ExampleProfileText().replace("Index=2", "Index=7"));
        WriteExampleProfile(folder, "Garbage", "hello\nworld=1\n[x]\n");
        WriteExampleProfile(folder, "Broken",
                            QByteArray("\xff\xfe[\0M\0", 6) + QByteArray(9, '\0'));
        QCOMPARE(::mkfifo(QFile::encodeName(folder + "Profiles/Piped.cvp").constData(), 0600), 0);
        const ProfileForRun profile = FindProfileForRun(named.replace("<data>/", folder), folder);
        if (found.startsWith("error: ")) {
            QVERIFY2(profile.error.contains(found.mid(7)), qPrintable(profile.error));
            QCOMPARE(profile.arguments, QString());
            return;
        }
        QCOMPARE(profile.error, QString());
        QCOMPARE(QStringList({QDir(folder + "Profiles").relativeFilePath(profile.path),
                              profile.outputExt, profile.arguments})
                     .join('|'),
                 found);
    }

    // On a terminal the progress line is redrawn in place, cut to the width, and cleared before
    // each line that stays; text tells only of ends. (Plain text is the real command's test.)
    void reportOnATerminal()
    {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        ConsoleReport report(out, ConsoleReport::Terminal, 50);
        report.started("/i/a.avi"); // text tells only of ends
        report.ended("/i/a.avi", TaskState::Complete, "/o/a.mp4", QString());
        report.progress(40, {{"/i/d.avi", 10}}, 2000);
        report.progress(45, {{"/i/d.avi", 20}}, 2400); // within half a second: passed over
        report.ended("/i/b c.avi", TaskState::Failed, QString(),
                     "The encoder ended with status 1.\n[avi] noise\nConversion failed: bad\n");
        report.progress(50, {{"/i/d.avi", 30}, {"/i/a very long name that does not fit.avi", 0}},
                        3000);
        report.ended("/i/d.avi", TaskState::Stopped, QString(), QString());
        report.summary({5, 1, 1, 1}, 65400, 130);
        QCOMPARE(QString::fromUtf8(out.data()),
                 "a.avi: Complete -> /o/a.mp4\n"
                 "\r\x1b[K40%  00:00:02 elapsed, 00:00:03 left  d.avi\r\x1b[Kb c.avi: Failed: "
                 "Conversion failed: bad\n"
                 "\r\x1b[K50%  00:00:03 elapsed, 00:00:03 left  d.avi, a...\r\x1b[Kd.avi: Stop\n"
                 "5 tasks: 1 complete, 1 failed, 1 stopped, 2 not run in 00:01:05\n");
    }

    // What a text line says of a run, whatever the names hold: a terminal must not run a name's
    // escape sequence, a line break must not split a line, and two inputs of one name are told
    // apart. JSON keeps the names as they are, "event" first.
    void texts_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QStringList>("inputs"); // all but the last end complete, it fails
        QTest::addColumn<QString>("told");       // a line said of the run, when not empty
        QTest::addColumn<QString>("expected");

        const int text = ConsoleReport::Plain;
        QTest::newRow("one task") << text << QStringList{"/i/a.avi"} << ""
                                  << "1 task: 0 complete, 1 failed";
        QTest::newRow("escape sequence in a name")
            << text << QStringList{"/i/\x1b[31mred\x1b]0;title\x07.avi"} << ""
            << "\\e[31mred\\e]0;title?.avi: Failed";
        QTest::newRow("line break and tab in a name")
            << text << QStringList{"/i/two\nlines\t.avi"} << ""
            << "two\\nlines\\t.avi: Failed";
        QTest::newRow("names repeat in two folders")
            << text << QStringList{"/a/clip.avi", "/b/clip.avi", "/b/other.avi"} << ""
            << "/a/clip.avi: Complete|/b/clip.avi: Complete|other.avi: Failed|3 tasks:";
        QTest::newRow("a line of the run")
            << text << QStringList{"/i/a.avi"} << "3 inputs named a file already listed"
            << "3 inputs named a file already listed";
        QTest::newRow("json keeps the name, event first")
            << int(ConsoleReport::Json) << QStringList{"/i/\x1b[31m.avi"} << "said"
            << "{\"event\":\"duplicates\",\"message\":\"said\"}|{\"event\":\"ended\",\"input\":\"/"
               "i/\\u001b[31m.avi\"";
    }
    void texts()
    {
        QFETCH(int, style);
        QFETCH(QStringList, inputs);
        QFETCH(QString, told);
        QFETCH(QString, expected);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        ConsoleReport report(out, ConsoleReport::Style(style));
        report.setInputs(inputs);
        if (!told.isEmpty())
            report.tell("duplicates", told);
        for (const QString& input : inputs)
            report.ended(input, input == inputs.last() ? TaskState::Failed : TaskState::Complete,
                         "/o/x.mp4", QString());
        report.summary({int(inputs.size()), int(inputs.size()) - 1, 1, 0}, 1000, 1);
        const QString printed = QString::fromUtf8(out.data());
        for (const QString& part : expected.split('|'))
            QVERIFY2(printed.contains(part), qPrintable(printed));
        QVERIFY2(style == ConsoleReport::Json || !printed.contains('\x1b'), qPrintable(printed));
    }

    // One object per line; each field is what a reader needs and nothing leaks from another
    // task's state (an output for a failure, a reason for a success).
    void reportAsJson()
    {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        ConsoleReport report(out, ConsoleReport::Json);
        report.started("/i/\"q\" ü.avi");
        report.progress(12, {{"/i/\"q\" ü.avi", 24}}, 1250);
        report.progress(13, {}, 1500); // too soon
        report.ended("/i/\"q\" ü.avi", TaskState::Complete, "/o/\"q\" ü.mp4", "ignored");
        report.ended("/i/b.avi", TaskState::Failed, "/o/ignored.mp4", "why\nConversion failed: x");
        report.summary({2, 1, 1, 0}, 2049, 1);
        const QList<QByteArray> lines = out.data().split('\n');
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines.last(), QByteArray());
        // clang-format off
        const QStringList expected = {
            "{\"event\":\"started\",\"input\":\"/i/\\\"q\\\" ü.avi\"}",
            "{\"event\":\"progress\",\"elapsed\":1.3,\"percent\":12,\"tasks\":[{\"input\":\"/i/\\\"q\\\" ü.avi\",\"percent\":24}]}",
            "{\"event\":\"ended\",\"input\":\"/i/\\\"q\\\" ü.avi\",\"output\":\"/o/\\\"q\\\" ü.mp4\",\"reason\":\"\",\"status\":\"Complete\"}",
            "{\"event\":\"ended\",\"input\":\"/i/b.avi\",\"output\":\"\",\"reason\":\"why\\nConversion failed: x\",\"status\":\"Failed\"}",
            "{\"event\":\"summary\",\"complete\":1,\"elapsed\":2,\"exit\":1,\"failed\":1,\"stopped\":0,\"tasks\":2}",
        };
        // clang-format on
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(QString::fromUtf8(lines[i]), expected[i]);
    }
};

QTEST_GUILESS_MAIN(TestConsole)
#include "tst_console.moc"
