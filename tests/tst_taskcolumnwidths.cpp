#include "tasks/TaskColumnWidths.h"

#include <QTest>

namespace {
using Widths = TaskColumnWidths::Widths;
using Steps = QList<int>;
const Widths designed = {260, 90, 80, 100};
} // namespace
Q_DECLARE_METATYPE(Widths)

class TestTaskColumnWidths final : public QObject
{
    Q_OBJECT

private slots:
    // clang-format off
    void resize_data()
    {
        QTest::addColumn<Widths>("start");
        QTest::addColumn<Steps>("steps"); // the list's widths, one resize each
        QTest::addColumn<Widths>("widths");
        QTest::newRow("562 to 662") << designed << Steps{662} << Widths{309, 107, 95, 119};
        QTest::newRow("one pixel moves nothing") << designed << Steps{563} << designed;
        QTest::newRow("yet the remembered width moves on")
            << designed << Steps{563, 663} << Widths{309, 107, 95, 119};
        QTest::newRow("many one-pixel steps") << designed << Steps{563, 564, 565, 566} << designed;
        QTest::newRow("halves go to even, growing")
            << designed << Steps{612} << Widths{284, 98, 88, 110};
        QTest::newRow("halves go to even, shrinking")
            << designed << Steps{512} << Widths{236, 82, 72, 90};
        QTest::newRow("shares rounded apart lose a pixel")
            << designed << Steps{564} << Widths{261, 90, 80, 100};
        QTest::newRow("same width") << designed << Steps{562} << designed;
        QTest::newRow("shrinking to 50 stops at the minimum")
            << designed << Steps{50} << Widths{20, 20, 20, 20};
        QTest::newRow("and stays there") << designed << Steps{50, 10, 0} << Widths{20, 20, 20, 20};
        QTest::newRow("growing again starts from the minimum")
            << designed << Steps{50, 150} << Widths{69, 37, 35, 39};
        QTest::newRow("a column narrower by hand is not widened by a shrink")
            << Widths{260, 5, 80, 100} << Steps{462} << Widths{211, 5, 65, 81};
    }
    // clang-format on
    void resize()
    {
        QFETCH(Widths, start);
        QFETCH(Steps, steps);
        QFETCH(Widths, widths);
        TaskColumnWidths columns;
        QCOMPARE(columns.remembered(), 562);
        Widths now = start;
        for (int width : steps)
            now = columns.resized(width, now);
        QCOMPARE(now, widths);
        QCOMPARE(columns.remembered(), steps.last());
    }
};

QTEST_GUILESS_MAIN(TestTaskColumnWidths)
#include "tst_taskcolumnwidths.moc"
