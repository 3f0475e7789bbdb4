#include "app/ToolbarRules.h"

#include <QTest>

// The picture toolbar's state strings, hot circle and the Start/Stop tags, without a window.
class TestToolbarRules final : public QObject
{
    Q_OBJECT

private slots:
    void stateStrings_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("hover");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("Add File") << 1 << "100000000"
                                  << "200000000";
        QTest::newRow("Add Directory") << 2 << "010000000"
                                       << "020000000";
        QTest::newRow("Remove") << 3 << "001000000"
                                << "002000000";
        QTest::newRow("Clear") << 4 << "000100000"
                               << "000200000";
        QTest::newRow("Settings") << 5 << "000010000"
                                  << "000020000";
        QTest::newRow("About") << 8 << "000000010"
                               << "000000020";
        QTest::newRow("Help") << 9 << "000000001"
                              << "000000002";
    }
    void stateStrings()
    {
        QFETCH(int, position);
        QFETCH(QString, hover);
        QFETCH(QString, pressed);
        const QPointF middle(27, 27), corner(2, 2);
        QCOMPARE(ToolbarRules::OnMove(position, middle), hover);
        QCOMPARE(ToolbarRules::OnMove(position, corner), ToolbarRules::AllNormal());
        QCOMPARE(ToolbarRules::OnPress(position, middle), pressed);
        QCOMPARE(ToolbarRules::OnPress(position, corner), QString()); // nothing changes
        QCOMPARE(ToolbarRules::OnRelease(position), hover);           // wherever released
    }

    void hotCircle_data()
    {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<bool>("inside");
        QTest::newRow("centre") << QPointF(27, 27) << true;
        QTest::newRow("23 to the right") << QPointF(50, 27) << true;
        QTest::newRow("23.1 to the right") << QPointF(50.1, 27) << false;
        QTest::newRow("23 up") << QPointF(27, 4) << true;
        QTest::newRow("23.1 down") << QPointF(27, 50.1) << false;
        QTest::newRow("on the diagonal, 22.6 away") << QPointF(43, 43) << true;
        QTest::newRow("on the diagonal, 24 away") << QPointF(44, 44) << false;
    }
    void hotCircle()
    {
        QFETCH(QPointF, at);
        QFETCH(bool, inside);
        QCOMPARE(ToolbarRules::InHotCircle(at), inside);
    }

    void repeatedStringDrawsNothing()
    {
        ToolbarState state;
        const QVector<ToolbarState::Draw> first = state.apply("001000000");
        QCOMPARE(first.size(), 7); // every image, positions 6 and 7 have none
        QCOMPARE(first.at(2).position, 3);
        QCOMPARE(first.at(2).look, 1);
        QCOMPARE(first.last().position, 9);
        QVERIFY(state.apply("001000000").isEmpty());
        QCOMPARE(state.apply("000000000").size(), 7);
        QCOMPARE(state.last(), QStringLiteral("000000000"));
    }

    void startStopTags_data()
    {
        QTest::addColumn<QString>("event");
        QTest::addColumn<int>("tag");
        QTest::addColumn<int>("next"); // -1: nothing changes
        QTest::newRow("move, normal") << "move" << 0 << 1;
        QTest::newRow("move, hover") << "move" << 1 << -1;
        QTest::newRow("move, pressed") << "move" << 2 << -1;
        QTest::newRow("press, normal") << "press" << 0 << 2;
        QTest::newRow("press, hover") << "press" << 1 << 2;
        QTest::newRow("press, pressed") << "press" << 2 << -1;
        QTest::newRow("release, pressed") << "release" << 2 << 1;
        QTest::newRow("release, hover") << "release" << 1 << -1;
        QTest::newRow("strip, hover") << "strip" << 1 << 0;
        QTest::newRow("strip, pressed") << "strip" << 2 << 0;
        QTest::newRow("strip, normal") << "strip" << 0 << -1;
        QTest::newRow("strip, hidden") << "hidden" << 1 << -1;
    }
    void startStopTags()
    {
        QFETCH(QString, event);
        QFETCH(int, tag);
        QFETCH(int, next);
        const int result = event == "move"    ? StartStopRules::OnMove(tag)
                           : event == "press" ? StartStopRules::OnPress(tag)
                           : event == "release"
                               ? StartStopRules::OnRelease(tag)
                               : StartStopRules::OnStripMove(event == "strip", tag);
        QCOMPARE(result, next);
    }
};

QTEST_GUILESS_MAIN(TestToolbarRules)
#include "tst_toolbarrules.moc"
