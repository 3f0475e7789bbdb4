#include "TestFiles.h"
#include "base/FwError.h"
#include "profiles/TNewInifile.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {
// The text in UTF-16 with its byte-order mark, as Windows editors save "Unicode".
QByteArray utf16(const QString& text, bool little)
{
    return QStringEncoder(little ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                          QStringEncoder::Flag::WriteBom)(text);
}
} // namespace

// Reads and writes of the INI store, each row starting from a file with the given bytes.
class TestIniFile final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name = QStringLiteral("t.ini")) const
    {
        return m_dir.filePath(name);
    }

    void put(const QByteArray& bytes, const QString& name = QStringLiteral("t.ini"))
    {
        QVERIFY(WriteFile(path(name), bytes));
    }
    QByteArray get(const QString& name = QStringLiteral("t.ini")) const
    {
        return ReadFile(path(name));
    }

private slots:
    // clang-format off
    void readString_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QString none = QStringLiteral("<default>");
        QTest::newRow("letter case ignored") << QByteArray("[main]\r\ntype=avi\r\n") << "Main"
                                             << "Type" << "avi";
        QTest::newRow("SubType before Type")
            << QByteArray("[Main]\r\nSubType=x\r\nType=y\r\n") << "Main" << "Type" << "y";
        QTest::newRow("11 before 1") << QByteArray("[Main]\r\n11=a\r\n1=b\r\n") << "Main" << "1"
                                     << "b";
        QTest::newRow("blank before =") << QByteArray("[Main]\r\nType =y\r\n") << "Main"
                                        << "Type" << none;
        QTest::newRow("value not trimmed") << QByteArray("[Main]\r\nType= avi \r\n") << "Main"
                                           << "Type" << " avi ";
        QTest::newRow("first = splits") << QByteArray("[Main]\r\nk=a=b\r\n") << "Main" << "k"
                                        << "a=b";
        QTest::newRow("empty value") << QByteArray("[Main]\r\nPara=\r\n") << "Main" << "Para" << "";
        QTest::newRow("[ inside a value") << QByteArray("[Main]\r\na=x[y]z\r\nb=2\r\n") << "Main"
                                          << "b" << "2";
        QTest::newRow("next header ends body") << QByteArray("[A]\r\n[B]\r\nk=1\r\n") << "A"
                                               << "k" << none;
        QTest::newRow("first of two sections")
            << QByteArray("[S]\r\nk=1\r\n[S]\r\nk=2\r\nj=3\r\n") << "S" << "j" << none;
        QTest::newRow("header text inside a value is no header")
            << QByteArray("[A]\r\nv=[S]\r\nk=1\r\n") << "S" << "k" << none;
        QTest::newRow("header must be the whole line") << QByteArray("[S]x\r\nk=1\r\n") << "S"
                                                       << "k" << none;
        QTest::newRow("blanks around a header, before a key")
            << QByteArray("[Main] \r\n Version=3.5\r\n") << "Main" << "Version" << "3.5";
        QTest::newRow("Latin-1 byte") << QByteArray("[A]\r\nk=Vid\xe9os\r\n") << "A" << "k"
                                      << QStringLiteral("Vidéos");
        QTest::newRow("Windows-1252 euro sign") << QByteArray("[A]\r\nk=5\x80\r\n") << "A" << "k"
                                                << QStringLiteral("5€");
        QTest::newRow("a line opening with [ ends the body")
            << QByteArray("[A]\r\nk=1\r\n[B\r\nj=2\r\n") << "A" << "j" << none;
        QTest::newRow("missing section") << QByteArray("[A]\r\nk=1\r\n") << "B" << "k" << none;
        QTest::newRow("lone LF and CR") << QByteArray("[A]\nx=1\ry=2\r\n") << "A" << "y" << "2";
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[A]\r\nk=1\r\n") << "A" << "k"
                                         << "1";
        QTest::newRow("UTF-8 text") << QByteArray("[A]\r\nk=Ünïcode\r\n") << "A"
                                    << "k" << QStringLiteral("Ünïcode");
    }
    // clang-format on
    void readString()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        put(file);
        TNewInifile ini(path());
        QCOMPARE(ini.ReadString(section, key, QStringLiteral("<default>")), expected);
    }

    void typedReads_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("integer");
        QTest::addColumn<int>("boolean"); // 1 true, 0 false, -1 the default
        QTest::newRow("empty") << "" << 7 << -1;
        QTest::newRow("yes") << "yes" << 7 << -1;
        QTest::newRow("2") << "2" << 2 << 1;
        QTest::newRow("-1") << "-1" << -1 << 1;
        QTest::newRow("0") << "0" << 0 << 0;
        QTest::newRow("true") << "true" << 7 << 1;
        QTest::newRow("FALSE") << "FALSE" << 7 << 0;
        QTest::newRow("out of range") << "99999999999" << 7 << 1;
        QTest::newRow("decimal") << "1.5" << 7 << 1;
    }
    void typedReads()
    {
        QFETCH(QString, value);
        QFETCH(int, integer);
        QFETCH(int, boolean);
        put("[S]\r\nk=" + value.toUtf8() + "\r\n");
        TNewInifile ini(path());
        QCOMPARE(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("k"), 7), integer);
        for (const bool def : {false, true}) {
            const bool expected = boolean < 0 ? def : boolean == 1;
            QCOMPARE(ini.ReadBool(QStringLiteral("S"), QStringLiteral("k"), def), expected);
        }
    }

    void readFloatIgnoresLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        // Back to the C locale however the checks below end.
        const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
        put("[S]\r\nf=2.25\r\ng=2,25\r\n");
        TNewInifile ini(path());
        QCOMPARE(ini.ReadFloat(QStringLiteral("S"), QStringLiteral("f"), 0), 2.25);
        QCOMPARE(ini.ReadFloat(QStringLiteral("S"), QStringLiteral("g"), 9), 9.0);
        QCOMPARE(ini.ReadFloat(QStringLiteral("S"), QStringLiteral("none"), 1.5), 1.5);
    }

    // Each row: the file before, a list of writes "section|key|value", the file after Release.
    void writes_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QStringList>("writes");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("empty store")
            << QByteArray() << QStringList{"S|k|v"} << QByteArray("[S]\r\nk=v\r\n");
        QTest::newRow("new keys reverse under new section")
            << QByteArray("[A]\r\nx=1\r\n") << QStringList{"S|k1|1", "S|k2|2", "S|k3|3"}
            << QByteArray("[A]\r\nx=1\r\n[S]\r\nk3=3\r\nk2=2\r\nk1=1\r\n");
        QTest::newRow("existing key keeps its place")
            << QByteArray("[S]\r\na=1\r\nb=2\r\n") << QStringList{"S|a|9", "s|B|8"}
            << QByteArray("[S]\r\na=9\r\nB=8\r\n");
        QTest::newRow("Type leaves SubType alone")
            << QByteArray("[Main]\r\nSubType=x\r\n") << QStringList{"Main|Type|mp4"}
            << QByteArray("[Main]\r\nType=mp4\r\nSubType=x\r\n");
        QTest::newRow("1 leaves 11 alone")
            << QByteArray("[Main]\r\n11=a\r\n1=b\r\n") << QStringList{"Main|1|c"}
            << QByteArray("[Main]\r\n11=a\r\n1=c\r\n");
        QTest::newRow("[ in a value does not duplicate keys")
            << QByteArray("[Main]\r\na=x[y\r\nb=2\r\n") << QStringList{"Main|b|3"}
            << QByteArray("[Main]\r\na=x[y\r\nb=3\r\n");
        QTest::newRow("key of a later section is not taken")
            << QByteArray("[A]\r\n[B]\r\nk=1\r\n") << QStringList{"A|k|2"}
            << QByteArray("[A]\r\nk=2\r\n[B]\r\nk=1\r\n");
        QTest::newRow("a change keeps each line's end")
            << QByteArray("; note\n\n[S]\rk=1") << QStringList{"S|k|2"}
            << QByteArray("; note\n\n[S]\rk=2");
        QTest::newRow("new lines take the first line end, none at the end stays none")
            << QByteArray("[A]\rx=1\r\n[B]") << QStringList{"B|k|1", "S|j|2"}
            << QByteArray("[A]\rx=1\r\n[B]\rk=1\r[S]\rj=2");
        QTest::newRow("UTF-16 LE file stays UTF-16 LE")
            << utf16("[M]\nPath=Vid\u00e9os", true) << QStringList{"M|k|\u89c6"}
            << utf16("[M]\nk=\u89c6\nPath=Vid\u00e9os", true);

        QTest::newRow("key with a leading blank is replaced, not added")
            << QByteArray("[Main] \r\n Version=3.5\r\n") << QStringList{"Main|Version|4"}
            << QByteArray("[Main] \r\nVersion=4\r\n");
        QTest::newRow("Windows-1252 file keeps its bytes")
            << QByteArray("[M]\r\nPath=/tmp/Vid\xe9os\x81\x80\r\n") << QStringList{"M|k|\u00fc"}
            << QByteArray("[M]\r\nk=\xfc\r\nPath=/tmp/Vid\xe9os\x81\x80\r\n");
        QTest::newRow("a character Windows-1252 lacks turns the file into UTF-8")
            << QByteArray("[M]\r\nPath=Vid\xe9os\r\n") << QStringList{"M|k|\u89c6"}
            << QByteArray("[M]\r\nk=\xe8\xa7\x86\r\nPath=Vid\xc3\xa9os\r\n");
        QTest::newRow("UTF-8 file stays UTF-8")
            << QByteArray("[M]\r\nPath=Vid\xc3\xa9os\r\n") << QStringList{"M|k|\u00fc"}
            << QByteArray("[M]\r\nk=\xc3\xbc\r\nPath=Vid\xc3\xa9os\r\n");
        QTest::newRow("byte-order mark kept")
            << QByteArray("\xEF\xBB\xBF[S]\r\nk=1\r\n") << QStringList{"S|k|2"}
            << QByteArray("\xEF\xBB\xBF[S]\r\nk=2\r\n");
        QTest::newRow("a line break in a value stays one line")
            << QByteArray() << QStringList{"S|k|a\r\n[X]"} << QByteArray("[S]\r\nk=a  [X]\r\n");
    }
    void writes()
    {
        QFETCH(QByteArray, before);
        QFETCH(QStringList, writes);
        QFETCH(QByteArray, after);
        put(before);
        TNewInifile ini(path());
        for (const QString& write : writes) {
            const QStringList parts = write.split(QLatin1Char('|'));
            ini.WriteString(parts[0], parts[1], parts[2]);
        }
        QCOMPARE(get(), before); // nothing reaches the disk before Release
        ini.Release();
        QCOMPARE(get(), after);
    }

    // A read never rewrites a file: text comes back byte for byte, and what is no text is refused
    // before anything is read.
    void readsLeaveTheFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("text");
        QTest::newRow("mixed line ends, none at the end")
            << QByteArray("[S]\r\nk=1\rj=2\nx") << true;
        QTest::newRow("UTF-8 mark twice")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx\n[S]\nk=1") << true;
        QTest::newRow("UTF-16 LE, none at the end") << utf16("[S]\nk=\u00e9\r\nj=2", true) << true;
        QTest::newRow("UTF-16 BE, lone surrogate")
            << QByteArray("\xFE\xFF\0[\0S\0]\0\n\0k\0=\xD8\0", 14) << true;
        QTest::newRow("NUL in 8-bit text") << QByteArray("[S]\r\nk=1\r\n\0j=2\r\n", 16) << false;
        QTest::newRow("UTF-16 of odd length") << utf16("[S]", true) + 'x' << false;
        QTest::newRow("UTF-32 LE") << QByteArray("\xFF\xFE\0\0[\0\0\0", 8) << false;
    }
    void readsLeaveTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, text);
        IniText::Form form;
        QCOMPARE(IniText::Detect(file, &form), text);
        if (text)
            QCOMPARE(IniText::Encode(IniText::Decode(file, form), form), file);
        put(file);
        try {
            TNewInifile ini(path());
            ini.WriteString("S", "k", ini.ReadString("S", "k", QString())); // the same value
            ini.Release();
            QVERIFY(text);
        } catch (const FwError& error) {
            QVERIFY2(!text && error.text().contains(path()), qPrintable(error.text()));
        }
        QCOMPARE(get(), file);
    }

    void typedWritesAndReadBack()
    {
        TNewInifile ini(path(QStringLiteral("typed.ini")));
        ini.WriteInteger(QStringLiteral("S"), QStringLiteral("i"), -42);
        ini.WriteBool(QStringLiteral("S"), QStringLiteral("t"), true);
        ini.WriteBool(QStringLiteral("S"), QStringLiteral("f"), false);
        QCOMPARE(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("i"), 0), -42);
        QCOMPARE(ini.ReadBool(QStringLiteral("S"), QStringLiteral("t"), false), true);
        ini.Release();
        QCOMPARE(get(QStringLiteral("typed.ini")), QByteArray("[S]\r\nf=0\r\nt=1\r\ni=-42\r\n"));
    }

    void missingFileIsCreatedEmpty()
    {
        const QString name = QStringLiteral("new.ini");
        TNewInifile ini(path(name));
        QCOMPARE(ini.ReadString(QStringLiteral("Main"), QStringLiteral("Version"),
                                QStringLiteral("3.0")),
                 QStringLiteral("3.0"));
        ini.Release();
        QCOMPARE(get(name), QByteArray());
        // The write goes through a temporary file that does not stay behind.
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("new.ini*")}, QDir::Files),
                 QStringList{name});
    }

    // A folder and file of these permissions, used by a user they apply to.
    void unwritablePlaces_data()
    {
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<QStringList>("writes"); // section, key, value...
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("after");
        const QByteArray before("[Main]\r\nVersion=3.5\r\n");
        QTest::newRow("writable file in a read-only folder is saved in place")
            << 0666 << QStringList{"Main", "Profile", "2"} << 0
            << QByteArray("[Main]\r\nProfile=2\r\nVersion=3.5\r\n");
        QTest::newRow("read-only file, only read") << 0444 << QStringList() << 0 << before;
        QTest::newRow("read-only file, changed")
            << 0444 << QStringList{"Main", "Profile", "2"} << 1 << before;
    }
    void unwritablePlaces()
    {
        QFETCH(int, fileMode);
        QFETCH(QStringList, writes);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, after);
        QTemporaryDir outer;
        const QString folder = outer.filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/Preferences.ini");
        QVERIFY(WriteFile(file, "[Main]\r\nVersion=3.5\r\n"));
        const auto mode = [](const QString& path, int bits) {
            QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(bits)) == 0);
        };
        mode(outer.path(), 0755);
        mode(file, fileMode);
        QByteArray output;
        mode(folder, 0555);
        const auto restore = qScopeGuard([&] { mode(folder, 0755); });
        const int result = RunUnprivileged(qEnvironmentVariable("FW_INI_TOOL"),
                                           QStringList{file} + writes, outer.path(), &output);
        if (result == -1)
            QSKIP("no user without write rights to run the store as");
        QCOMPARE(result, exitCode);
        if (exitCode != 0)
            QVERIFY2(output.contains("Permission denied") && output.contains("Preferences.ini"),
                     output.constData());
        QCOMPARE(ReadFile(file), after);
    }

    void fileErrorsNameTheFile()
    {
        QDir(m_dir.path()).mkdir(QStringLiteral("folder.ini"));
        try {
            TNewInifile ini(path(QStringLiteral("folder.ini")));
            QFAIL("a folder was read as a file");
        } catch (const FwError& error) {
            QVERIFY2(error.text().contains(path(QStringLiteral("folder.ini"))),
                     qPrintable(error.text()));
        }
        put("x", QStringLiteral("plain"));
        TNewInifile ini(path(QStringLiteral("plain")) + QStringLiteral("/below.ini"));
        ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
        QVERIFY_THROWS_EXCEPTION(FwError, ini.Release());
        QCOMPARE(get(QStringLiteral("plain")), QByteArray("x"));
    }

    // What is no regular file is neither waited on, read without end nor written through: it
    // is refused by name and left as it is.
    void notRegularFiles_data()
    {
        QTest::addColumn<QString>("target"); // of a link; a FIFO when empty
        QTest::addColumn<bool>("afterRead"); // it takes the place of a new file before the write
        QTest::newRow("FIFO") << QString() << false;
        QTest::newRow("link to a device") << "/dev/null" << false;
        QTest::newRow("FIFO in the place of a new file") << QString() << true;
    }
    void notRegularFiles()
    {
        QFETCH(QString, target);
        QFETCH(bool, afterRead);
        const QString file = path(QStringLiteral("special.ini"));
        QFile::remove(file);
        const auto make = [&] {
            return target.isEmpty() ? ::mkfifo(QFile::encodeName(file).constData(), 0600) == 0
                                    : QFile::link(target, file);
        };
        try {
            QVERIFY(afterRead || make());
            TNewInifile ini(file);
            if (afterRead) {
                QVERIFY(make());
                ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
            }
            ini.Release();
            QFAIL("taken for a regular file");
        } catch (const FwError& error) {
            QVERIFY2(error.text().contains(file + "\": it is not a regular file"),
                     qPrintable(error.text()));
        }
        QVERIFY(!QFileInfo(file).isFile());
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
