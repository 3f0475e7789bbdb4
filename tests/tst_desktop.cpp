#include "FakeDesktop.h"
#include "app/RunEndNotice.h"
#include "platform/SleepInhibitor.h"

#include <QtTest>

// The sleep lock against a stand-in login manager on a private bus, and what the desktop is
// told when a run ends.
class TestDesktop final : public QObject
{
    Q_OBJECT

private slots:
    // clang-format off
    void sleepLock_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::addColumn<bool>("login");     // the login manager is there
        QTest::addColumn<QString>("steps");  // taken at once, before any answer comes
        QTest::addColumn<bool>("held");      // once the answer is in
        QTest::newRow("hold") << true << true << "hold" << true;
        QTest::newRow("held twice, locked once") << true << true << "hold hold" << true;
        QTest::newRow("released before the answer") << true << true << "hold release" << false;
        QTest::newRow("held again before the answer") << true << true << "hold release hold" << true;
        QTest::newRow("no login manager") << true << false << "hold" << false;
        QTest::newRow("no bus") << false << false << "hold" << false;
    }
    // clang-format on
    void sleepLock()
    {
        QFETCH(bool, bus);
        QFETCH(bool, login);
        QFETCH(QString, steps);
        QFETCH(bool, held);
        FakeDesktop desktop;
        if (login)
            desktop.offerLogin();
        SleepInhibitor inhibitor(bus ? desktop.connect() : QDBusConnection(QString()));
        for (const QString& step : steps.split(' '))
            step == "hold" ? inhibitor.hold() : inhibitor.release();
        QTest::qWait(200); // the answer comes and is kept or given back
        QCOMPARE(desktop.login.calls.size(), login ? 1 : 0);
        if (!login)
            return;
        QCOMPARE(desktop.login.calls[0],
                 (QVariantList{"sleep", "Framewright", "Converting videos", "block"}));
        QTRY_COMPARE(desktop.login.held(0), held);
        inhibitor.release();
        QTRY_VERIFY(!desktop.login.held(0));
    }

    // clang-format off
    void noticeText_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("tasks");
        QTest::addColumn<int>("failed");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("body");
        QTest::newRow("all converted") << int(BatchOutcome::Completed) << 3 << 0 << "Conversion finished" << "3 files converted.";
        QTest::newRow("one file") << int(BatchOutcome::Completed) << 1 << 0 << "Conversion finished" << "1 file converted.";
        QTest::newRow("some failed") << int(BatchOutcome::Completed) << 4 << 1 << "Conversion finished" << "3 files converted, 1 failed.";
        QTest::newRow("all failed") << int(BatchOutcome::Completed) << 2 << 2 << "Conversion finished" << "2 files failed.";
        QTest::newRow("stopped") << int(BatchOutcome::Stopped) << 2 << 0 << "Conversion stopped" << "The conversion was stopped.";
        QTest::newRow("cannot start") << int(BatchOutcome::CannotStart) << 2 << 1 << "Conversion failed" << "The encoder could not be started.";
    }
    // clang-format on
    void noticeText()
    {
        QFETCH(int, kind);
        QFETCH(int, tasks);
        QFETCH(int, failed);
        BatchOutcome outcome;
        outcome.kind = BatchOutcome::Kind(kind);
        outcome.tasks = tasks;
        outcome.failed = failed;
        const RunEndNotice notice = NoticeForRunEnd(outcome);
        QTEST(notice.summary, "summary");
        QTEST(notice.body, "body");
    }
};

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
