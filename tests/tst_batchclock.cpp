#include "engine/BatchClock.h"

#include <QTest>

class TestBatchClock final : public QObject
{
    Q_OBJECT

private slots:
    // clang-format off
    void clock_data()
    {
        QTest::addColumn<QList<int>>("totals"); // the total bar at each tick
        QTest::addColumn<QString>("elapsed");
        QTest::addColumn<QString>("remaining");
        QTest::newRow("30 ticks at 25%") << QList<int>(30, 25) << "00:00:30" << "00:01:30";
        QTest::newRow("10 ticks at 0%") << QList<int>(10, 0) << "00:00:10" << "00:00:00";
        QTest::newRow("estimate stands at 0%") << QList<int>(10, 50) + QList<int>(5, 0) << "00:00:15" << "00:00:10";
        QTest::newRow("half down to even") << QList<int>(3, 40) << "00:00:03" << "00:00:04";
        QTest::newRow("half up to even") << QList<int>(5, 40) << "00:00:05" << "00:00:08";
    }
    // clang-format on
    void clock()
    {
        QFETCH(QList<int>, totals);
        QFETCH(QString, elapsed);
        QFETCH(QString, remaining);
        BatchClock clock;
        clock.tick(50);
        clock.reset();
        for (const int total : totals)
            clock.tick(total);
        QCOMPARE(clock.elapsedText(), elapsed);
        QCOMPARE(clock.remainingText(), remaining);
    }
};

QTEST_GUILESS_MAIN(TestBatchClock)
#include "tst_batchclock.moc"
