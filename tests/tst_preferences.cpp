#include "TestFiles.h"
#include "profiles/Preferences.h"

#include <QTemporaryDir>
#include <QTest>

// The rules of Preferences.ini, without a window.
class TestPreferences final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath("Preferences.ini"); }
    Preferences preferences() const { return Preferences(path(), "/program/"); }

private slots:
    void init() { QFile::remove(path()); }

    void readsWithTheirDefaults_data()
    {
        QTest::addColumn<QByteArray>("file"); // "<none>": no file at all
        QTest::addColumn<QString>("section"); // Main or Default
        QTest::addColumn<QString>("outputPath");
        QTest::addColumn<int>("synMode");
        QTest::addColumn<bool>("openDir");
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("no file") << QByteArray("<none>") << "Main"
                                 << "/program/" << 0 << true << true;
        QTest::newRow("no [Default]: folder opening off")
            << QByteArray("[Main]\r\nAuto Open Dir=1\r\n") << "Default"
            << "/program/" << 0 << false << true;
        QTest::newRow("stored") << QByteArray(
                                       "[Main]\r\nOutput Path=/v/\r\nSyn Mode=2\r\nAuto Open "
                                       "Dir=0\r\nOverwrite=0\r\n")
                                << "Main"
                                << "/v/" << 2 << false << false;
        QTest::newRow("[Default] read apart from [Main]")
            << QByteArray("[Main]\r\nSyn Mode=1\r\n[Default]\r\nSyn Mode=2\r\nAuto Open Dir=1\r\n")
            << "Default"
            << "/program/" << 2 << true << true;
        QTest::newRow("a mode the list lacks") << QByteArray("[Main]\r\nSyn Mode=7\r\n") << "Main"
                                               << "/program/" << 0 << true << true;
        QTest::newRow("a mode that is no number")
            << QByteArray("[Main]\r\nSyn Mode=x\r\n") << "Main"
            << "/program/" << 0 << true << true;
    }
    void readsWithTheirDefaults()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, outputPath);
        QFETCH(int, synMode);
        QFETCH(bool, openDir);
        QFETCH(bool, overwrite);
        if (file != "<none>")
            QVERIFY(WriteFile(path(), file));
        const GeneralSettings read =
            section == "Main" ? preferences().General() : preferences().Defaults();
        QCOMPARE(read.outputPath, outputPath);
        QCOMPARE(read.synMode, synMode);
        QCOMPARE(read.openDir, openDir);
        QCOMPARE(read.exitProgram, false);
        QCOMPARE(read.turnOff, false);
        QCOMPARE(read.overwrite, overwrite);
    }

    void profilePosition_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("profile");
        QTest::newRow("none stored") << QByteArray() << 0;
        QTest::newRow("fourth") << QByteArray("Profile=3\r\n") << 3;
        QTest::newRow("nothing chosen") << QByteArray("Profile=-1\r\n") << -1;
        QTest::newRow("no number") << QByteArray("Profile=abc\r\n") << 0;
    }
    void profilePosition()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, profile);
        QVERIFY(WriteFile(path(), "[Main]\r\n" + value));
        QCOMPARE(preferences().Window().profile, profile);
    }

    void writeOrders()
    {
        GeneralSettings settings;
        settings.outputPath = "/dialog/";
        settings.synMode = 1;
        settings.turnOff = true;
        // A first run whose only save is the window's at its close.
        preferences().SaveWindow({"/window/", 2, "B.cvp"}, settings);
        QCOMPARE(ReadFile(path()),
                 QByteArray("[Main]\r\nOverwrite=1\r\nAuto Turn Off=1\r\nAuto "
                            "Exit=0\r\nAuto Open Dir=1\r\nSyn Mode=1\r\nOutput "
                            "Path=/window/\r\nProfile=2\r\nProfileFile=B.cvp\r\n"));
        // The dialog's save replaces the keys where they are and adds nothing.
        settings.overwrite = false;
        preferences().SaveGeneral(settings);
        QCOMPARE(ReadFile(path()),
                 QByteArray("[Main]\r\nOverwrite=0\r\nAuto Turn Off=1\r\nAuto "
                            "Exit=0\r\nAuto Open Dir=1\r\nSyn Mode=1\r\nOutput "
                            "Path=/dialog/\r\nProfile=2\r\nProfileFile=B.cvp\r\n"));
        QVERIFY(preferences().General() == settings);
        QCOMPARE(preferences().Window().profileFile, QStringLiteral("B.cvp"));
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
