#include "TestFiles.h"
#include "platform/FileClaim.h"
#include "tasks/WatchLedger.h"
#include "tasks/WatchRules.h"

#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(FileLook)

// The rules a watched folder's files are taken by: which names wait, when a file being written
// is complete, and what a restart remembers.
class TestWatchRules final : public QObject
{
    Q_OBJECT

private slots:
    // clang-format off
    void partialNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("partial");
        QTest::newRow("a clip") << "clip.avi" << false;
        QTest::newRow("a download under way") << "clip.avi.crdownload" << true;
        QTest::newRow("a part, any case") << "clip.avi.PART" << true;
        QTest::newRow("an editor's backup") << "clip.avi~" << true;
        QTest::newRow("hidden, our temporaries among them") << ".clip.mp4.partial-0a1b.mp4" << true;
        QTest::newRow("part in the middle") << "clip.part.avi" << false;
    }
    // clang-format on
    void partialNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, partial);
        QCOMPARE(IsPartialName(name), partial);
    }

    // Looks are {size, modified, seen} in ms; the settle time is 5000 ms.
    // clang-format off
    void settle_data()
    {
        QTest::addColumn<FileLook>("before");
        QTest::addColumn<FileLook>("now");
        QTest::addColumn<int>("state");
        QTest::addColumn<qint64>("lookAt");
        QTest::newRow("unchanged a settle time apart") << FileLook{10, 1000, 1000} << FileLook{10, 1000, 6000} << int(Settling::Ready) << qint64(0);
        QTest::newRow("grown meanwhile: from now on") << FileLook{10, 1000, 1000} << FileLook{20, 5500, 6000} << int(Settling::Wait) << qint64(11000);
        QTest::newRow("touched, same size") << FileLook{10, 1000, 1000} << FileLook{10, 5500, 6000} << int(Settling::Wait) << qint64(11000);
        QTest::newRow("unchanged, long untouched") << FileLook{10, 1000, 9000} << FileLook{10, 1000, 9100} << int(Settling::Ready) << qint64(0);
        QTest::newRow("unchanged, written just now") << FileLook{10, 9000, 9000} << FileLook{10, 9000, 9100} << int(Settling::Wait) << qint64(14000);
        QTest::newRow("a time ahead of ours") << FileLook{10, 99000, 9000} << FileLook{10, 99000, 9100} << int(Settling::Wait) << qint64(14100);
        QTest::newRow("gone") << FileLook{10, 1000, 1000} << FileLook{-1, 0, 6000} << int(Settling::Gone) << qint64(0);
    }
    // clang-format on
    void settle()
    {
        QFETCH(FileLook, before);
        QFETCH(FileLook, now);
        QFETCH(int, state);
        QFETCH(qint64, lookAt);
        const Settling settling = Settle(before, now, 5000);
        QCOMPARE(int(settling.state), state);
        if (state == Settling::Wait)
            QCOMPARE(settling.lookAtMs, lookAt);
    }

    // A restart remembers each file as it was when its conversion ended: the same file is done,
    // a changed one is not, the last line counts, and a line cut short is passed over.
    void ledger()
    {
        QTemporaryDir dir;
        const QString file = LedgerFile(dir.path() + "/", dir.path());
        {
            WatchLedger ledger(file);
            QCOMPARE(ledger.load(), QString()); // none yet
            QCOMPARE(ledger.record({"/in/a.avi", 10, 1000, "Failed", "broken"}), QString());
            QCOMPARE(ledger.record({"/in/a.avi", 12, 2000, "Complete", "/out/a.mp4"}), QString());
            QCOMPARE(ledger.record({"/in/é \"b\".avi", 5, 3000, "Complete", "/out/b.mp4"}), QString());
        }
        QFile cut(file);
        QVERIFY(cut.open(QIODevice::Append));
        cut.write("{\"path\":\"/in/c.avi\",\"si");
        cut.close();
        WatchLedger ledger(file);
        QCOMPARE(ledger.load(), QString());
        QCOMPARE(ledger.size(), 2);
        QVERIFY(ledger.done("/in/a.avi", 12, 2000));
        QVERIFY(!ledger.done("/in/a.avi", 10, 1000)); // as it was before: changed since
        QVERIFY(!ledger.done("/in/a.avi", 12, 2001));
        QVERIFY(ledger.done("/in/é \"b\".avi", 5, 3000));
        QVERIFY(!ledger.done("/in/c.avi", 1, 1));
        QCOMPARE(ledger.find("/in/a.avi")->output, "/out/a.mp4");
        QCOMPARE(ledger.forget(), QString());
        QVERIFY(!QFile::exists(file));
        QCOMPARE(WatchLedger(file).load(), QString());
    }

    // Of two holders of one claim one alone holds it, and it passes on with what it says; a
    // claim that cannot be made is told, not taken for held.
    void claims()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(".clip.avi.framewright");
        FileClaim::Outcome outcome;
        QByteArray text;
        auto first = FileClaim::take(path, &outcome, &text);
        QCOMPARE(outcome, FileClaim::Held);
        QCOMPARE(text, QByteArray());
        QCOMPARE(first->write("done"), QString());
        QVERIFY(!FileClaim::take(path, &outcome));
        QCOMPARE(outcome, FileClaim::HeldElsewhere);
        first.reset(); // as its program ending would
        auto second = FileClaim::take(path, &outcome, &text);
        QCOMPARE(outcome, FileClaim::Held);
        QCOMPARE(text, QByteArray("done"));
        second->remove();
        QVERIFY(!QFile::exists(path));
        QString error;
        QVERIFY(!FileClaim::take(dir.filePath("none/.x.framewright"), &outcome, &text, &error));
        QCOMPARE(outcome, FileClaim::Failed);
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWatchRules)
#include "tst_watchrules.moc"
