#include "engine/TimeText.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

class TestTimeText final : public QObject
{
    Q_OBJECT

private slots:
    // A user locale with "," as decimal point must not change how times are read or written.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void textToSeconds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("seconds");
        QTest::newRow("zero with tenths") << "00:00:00.0" << 0.0;
        QTest::newRow("single digits") << "1:2:3" << 3723.0;
        QTest::newRow("tenths") << "00:01:23.5" << 83.5;
        QTest::newRow("hundredths") << "00:00:05.04" << 5.04;
        QTest::newRow("minutes unchecked") << "0:75:00" << 4500.0;
        QTest::newRow("many hours") << "25:00:00" << 90000.0;
        QTest::newRow("hours past 32-bit seconds") << "1000000:00:00" << 3.6e9;
        QTest::newRow("one colon") << "12:30" << -1.0;
        QTest::newRow("empty") << "" << -1.0;
        QTest::newRow("letters") << "a:b:c" << -1.0;
        QTest::newRow("seconds start with dot") << "00:00:.5" << -1.0;
        QTest::newRow("no seconds") << "00:00:" << -1.0;
        QTest::newRow("no hours") << ":00:00" << -1.0;
        QTest::newRow("comma decimal") << "00:00:1,5" << -1.0;
        QTest::newRow("two dots") << "00:00:1.5.5" << -1.0;
        QTest::newRow("exponent") << "00:00:1e3" << -1.0;
        QTest::newRow("negative hours") << "-1:00:00" << -1.0;
        QTest::newRow("encoder N/A") << "N/A" << -1.0;
        QTest::newRow("hours overflow int") << "99999999999:00:00" << -1.0;
    }
    void textToSeconds()
    {
        QFETCH(QString, text);
        QFETCH(double, seconds);
        QCOMPARE(TextToSeconds(text), seconds);
    }

    void secondsToText_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "00:00:00";
        QTest::newRow("59") << 59.0 << "00:00:59";
        QTest::newRow("tenths") << 3725.5 << "01:02:05.5";
        QTest::newRow("full minute") << 60.0 << "00:01:00";
        QTest::newRow("25 hours") << 90000.0 << "25:00:00";
        QTest::newRow("three-digit hours") << 360000.0 << "100:00:00";
        QTest::newRow("tie to even down") << 0.25 << "00:00:00.2";
        QTest::newRow("tie to even up") << 0.75 << "00:00:00.8";
        QTest::newRow("hundredths round away") << 5.04 << "00:00:05";
        QTest::newRow("carry into second") << 5.96 << "00:00:06";
        QTest::newRow("carry into minute") << 59.96 << "00:01:00";
        QTest::newRow("carry into hour") << 3599.97 << "01:00:00";
        QTest::newRow("negative") << -5.5 << "00:00:00";
        QTest::newRow("nan") << std::nan("") << "00:00:00";
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity()
                                  << "277777777777:46:40";
    }
    void secondsToText()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(SecondsToText(seconds), text);
    }
};

QTEST_APPLESS_MAIN(TestTimeText)
#include "tst_timetext.moc"
