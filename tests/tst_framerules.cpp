#include "app/FrameRules.h"

#include <QTest>

// The main window's frame arithmetic, without a window.
class TestFrameRules final : public QObject
{
    Q_OBJECT

private slots:
    void bottomStripFollowsTheTaskArea()
    {
        const BottomStrip narrow = BottomStripFor(580, 790);
        QCOMPARE(narrow.imageLeft, 592);
        QCOMPARE(narrow.rowWidth, 580);
        QCOMPARE(narrow.settingLeft, 490);
        QCOMPARE(narrow.profileWidth, 407);
        QCOMPARE(narrow.openLeft, 490);
        QCOMPARE(narrow.browseLeft, 405);
        QCOMPARE(narrow.outputWidth, 322);
        QCOMPARE(narrow.percentLeft, 553);
        QCOMPARE(narrow.barWidth, 430);
        // 100 more pixels of task area: every field and bar 100 wider, every button 100 right.
        const BottomStrip wide = BottomStripFor(680, 890);
        QCOMPARE(wide.imageLeft, 692); // Start and Stop stay 10 pixels from the right
        QCOMPARE(wide.profileWidth - narrow.profileWidth, 100);
        QCOMPARE(wide.outputWidth - narrow.outputWidth, 100);
        QCOMPARE(wide.barWidth - narrow.barWidth, 100);
        QCOMPARE(wide.browseLeft - narrow.browseLeft, 100);

        // A wider task area (the splitter moved right) never puts the row under Start.
        const BottomStrip dragged = BottomStripFor(700, 790);
        QCOMPARE(dragged.rowWidth, 580);
        QVERIFY(dragged.settingLeft + 80 < dragged.imageLeft);
        QCOMPARE(BottomStripFor(500, 790).rowWidth, 500);
    }

    void splitterDrag_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("width"); // -1: no change
        QTest::newRow("left button, 50 to the left") << int(Qt::LeftButton) << 0 << -45 << 250;
        QTest::newRow("left button, to the right") << int(Qt::LeftButton) << 0 << 25 << 180;
        QTest::newRow("shift held") << int(Qt::LeftButton) << int(Qt::ShiftModifier) << -45 << -1;
        QTest::newRow("ctrl held") << int(Qt::LeftButton) << int(Qt::ControlModifier) << -45 << -1;
        QTest::newRow("right button") << int(Qt::RightButton) << 0 << -45 << -1;
        QTest::newRow("two buttons") << int(Qt::LeftButton | Qt::RightButton) << 0 << -45 << -1;
        QTest::newRow("no button") << 0 << 0 << -45 << -1;
        QTest::newRow("x is 0") << int(Qt::LeftButton) << 0 << 0 << -1;
        QTest::newRow("not past the window") << int(Qt::LeftButton) << 0 << -900 << 780;
        QTest::newRow("not below nothing") << int(Qt::LeftButton) << 0 << 400 << 0;
    }
    void splitterDrag()
    {
        QFETCH(int, buttons);
        QFETCH(int, modifiers);
        QFETCH(int, x);
        QFETCH(int, width);
        QCOMPARE(SplitterDragWidth(Qt::MouseButtons(buttons), Qt::KeyboardModifiers(modifiers), x,
                                   200, 780),
                 width);
    }
};

QTEST_GUILESS_MAIN(TestFrameRules)
#include "tst_framerules.moc"
