#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// Where the program keeps what it writes, decided as a user who may or may not write the
// program folder (the tests run as root, whom permissions do not stop).
class TestDataHome final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_outer;
    QString m_program, m_user;

    void mode(const QString& path, int bits)
    {
        QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(bits)) == 0);
    }

    QByteArray choose()
    {
        QByteArray output;
        const int code = RunUnprivileged(qEnvironmentVariable("FW_INI_TOOL"),
                                         {"--home", m_program, m_user}, m_outer.path(), &output);
        if (code == -1)
            return "skip";
        return code == 0 ? output.trimmed() : "failed: " + output;
    }

private slots:
    void init()
    {
        m_program = m_outer.filePath("program");
        m_user = m_outer.filePath("home/.local/share/Framewright");
        QDir(m_program).removeRecursively();
        QDir(m_outer.filePath("home")).removeRecursively();
        QVERIFY(QDir().mkpath(m_program + "/Profiles"));
        QVERIFY(QDir().mkpath(m_outer.filePath("home")));
        QVERIFY(WriteFile(m_program + "/Profiles/Shipped.cvp", "[Main]\r\nType=mp4\r\n"));
        mode(m_outer.path(), 0755);
        mode(m_outer.filePath("home"), 0777);
    }

    void installedFolderSendsTheUserHome_data()
    {
        QTest::addColumn<bool>("shippedPreferences");
        QTest::newRow("nothing written beside the program") << false;
        QTest::newRow("a read-only Preferences.ini beside it") << true;
    }
    void installedFolderSendsTheUserHome()
    {
        QFETCH(bool, shippedPreferences);
        if (shippedPreferences) {
            QVERIFY(WriteFile(m_program + "/Preferences.ini", "[Main]\r\n"));
            mode(m_program + "/Preferences.ini", 0444);
        }
        mode(m_program, 0555);
        mode(m_program + "/Profiles", 0555);
        const QByteArray first = choose();
        if (first == "skip")
            QSKIP("no user without write rights to run the program as");
        QCOMPARE(first, (m_user + "/").toUtf8());
        QVERIFY(QFile::exists(m_user + "/Preferences.ini"));
        QCOMPARE(ReadFile(m_program + "/Preferences.ini"),
                 shippedPreferences ? QByteArray("[Main]\r\n") : QByteArray("<missing>"));
        QCOMPARE(ReadFile(m_user + "/Profiles/Shipped.cvp"), QByteArray("[Main]\r\nType=mp4\r\n"));

        // The user's changes stay; the shipped copy is not put back over them.
        QVERIFY(WriteFile(m_user + "/Profiles/Shipped.cvp", "[Main]\r\nType=mkv\r\n"));
        QCOMPARE(choose(), (m_user + "/").toUtf8());
        QCOMPARE(ReadFile(m_user + "/Profiles/Shipped.cvp"), QByteArray("[Main]\r\nType=mkv\r\n"));
        // Nor over a shipped profile the user deleted.
        QVERIFY(QFile::remove(m_user + "/Profiles/Shipped.cvp"));
        QCOMPARE(choose(), (m_user + "/").toUtf8());
        QVERIFY(!QFile::exists(m_user + "/Profiles/Shipped.cvp"));
        mode(m_program, 0755);
    }

    void portableFolderStaysAsItWas_data()
    {
        QTest::addColumn<bool>("folderWritable");
        QTest::newRow("the user's own folder") << true;
        QTest::newRow("read-only, with a Preferences.ini the user may write") << false;
    }
    void portableFolderStaysAsItWas()
    {
        QFETCH(bool, folderWritable);
        if (!folderWritable) {
            QVERIFY(WriteFile(m_program + "/Preferences.ini", "[Main]\r\n"));
            mode(m_program + "/Preferences.ini", 0666);
        }
        mode(m_program, folderWritable ? 0777 : 0555);
        const QByteArray chosen = choose();
        if (chosen == "skip")
            QSKIP("no user without write rights to run the program as");
        QCOMPARE(chosen, (m_program + "/ portable").toUtf8());
        QVERIFY(ReadFile(m_program + "/Preferences.ini").contains("Profile=0"));
        QVERIFY(!QDir(m_user).exists());
        mode(m_program, 0755);
    }
};

QTEST_GUILESS_MAIN(TestDataHome)
#include "tst_datahome.moc"
