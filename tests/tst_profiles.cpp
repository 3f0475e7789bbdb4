#include "ExampleProfile.h"
#include "TestFiles.h"
#include "base/FwError.h"
#include "base/PathText.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QStringList kExample = ExampleProfileLines();

void writeLines(const QString& path, const QStringList& lines)
{
    QVERIFY(WriteFile(path, (lines.join("\r\n") + "\r\n").toUtf8()));
}

QStringList keys(const ParamPanel& panel)
{
    QStringList result;
    for (const ParamRow& row : panel)
        result << row.key;
    return result;
}

void setValue(ParamPanel& panel, const QString& key, const QString& value)
{
    for (ParamRow& row : panel) {
        if (row.key == key)
            row.value = value;
    }
}

// The lines with the line end after each; `last` false leaves the last one without.
QByteArray joined(const QStringList& lines, const QByteArray& end, bool last = true)
{
    return lines.join(QString::fromUtf8(end)).toUtf8() + (last ? end : QByteArray());
}
} // namespace

class tst_Profiles final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;

    // A one-parameter profile around the given section lines, on its own path.
    QString oneParameter(const QString& file, const QStringList& section)
    {
        const QString path = m_dir.filePath(file);
        writeLines(path, QStringList{"[Main]", "Para=1", "0=P", "[P]"} + section);
        return path;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath("Example.cvp");
        writeLines(m_path, kExample);
    }

    void splitList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("no final comma") << "a,b" << QStringList{"a"};
        QTest::newRow("final comma") << "a,b," << QStringList{"a", "b"};
        QTest::newRow("two commas") << ",," << QStringList{"", ""};
        QTest::newRow("no comma") << "abc" << QStringList{};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("not trimmed") << " a , b," << QStringList{" a ", " b"};
        QTest::newRow("backslash item") << ",\\," << QStringList{"", "\\"};
    }
    void splitList()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, items);
        QCOMPARE(SplitList(text), items);
    }

    // clang-format off
    void withoutExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("base");
        QTest::newRow("two dots") << "clip.part2.avi" << "clip.part2";
        QTest::newRow("no dot") << "clip" << "clip";
        QTest::newRow("dot file") << ".cvp" << "";
    }
    // clang-format on
    void withoutExtension()
    {
        QFETCH(QString, name);
        QFETCH(QString, base);
        QCOMPARE(WithoutExtension(name), base);
    }

    void filesWithExtension_data()
    {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<bool>("slash");
        QTest::newRow("lower") << ".cvp" << false;
        QTest::newRow("upper, trailing separator") << ".CVP" << true;
    }
    void filesWithExtension()
    {
        QFETCH(QString, ext);
        QFETCH(bool, slash);
        QTemporaryDir dir;
        // Made out of order: the list comes in name order, letter case ignored.
        for (const char* name :
             {"c.CVP", "a.cvp", "B.CVP", ".hidden.cvp", "c.cvp.bak", "d.cvpx", "cvp"})
            writeLines(dir.filePath(name), {});
        QVERIFY(QDir(dir.path()).mkdir("folder.cvp"));
        QCOMPARE(FilesWithExtension(dir.path() + (slash ? "/" : ""), ext),
                 (QStringList{".hidden.cvp", "a.cvp", "B.CVP", "c.CVP"}));
    }

    void profileFiles()
    {
        QTemporaryDir program;
        const QString folder = WithBackslash(program.path());
        QVERIFY(ProfileFiles(folder).isEmpty()); // no Profiles folder
        QVERIFY(QDir(folder).mkdir("Profiles"));
        QVERIFY(ProfileFiles(folder).isEmpty());
        writeLines(folder + "Profiles/MP4 H.264.cvp", {});
        writeLines(folder + "Profiles/notes.txt", {});
        QCOMPARE(ProfileFiles(folder), QStringList{"MP4 H.264.cvp"});
        QCOMPARE(ProfilesFolder(folder), folder + "Profiles/");
        QCOMPARE(FilesWithExtension(folder + "missing", ".cvp"), QStringList{});
    }

    void loadExample()
    {
        const LoadedProfile loaded = LoadProfile(m_path);
        QVERIFY(loaded.exists);
        QVERIFY(loaded.error.isEmpty());
        QCOMPARE(OutputExtFor(loaded.type), QString(".mp4"));
        const ParamPanel& video = loaded.panels.video;
        QCOMPARE(keys(video), (QStringList{"Video Codec", "Video Size", "Bit Rate"}));
        QCOMPARE(video[0].value, QString("MPEG-4"));
        QVERIFY(video[0].readOnly && !video[0].pickList);
        QCOMPARE(video[1].value, QString("320x240"));
        QVERIFY(video[1].readOnly && video[1].pickList);
        QCOMPARE(video[1].choices, (QStringList{"Original Size", "Custom Size", "320x240"}));
        QCOMPARE(video[2].value, QString("768k"));
        QVERIFY(!video[2].readOnly && !video[2].pickList);
        QCOMPARE(keys(loaded.panels.audio), QStringList{"Disable Audio"});
        QCOMPARE(loaded.panels.audio[0].value, QString("No"));
        QVERIFY(loaded.panels.advanced.isEmpty());
    }

    // clang-format off
    void arguments_data()
    {
        QTest::addColumn<QString>("videoSize");
        QTest::addColumn<QString>("bitRate");
        QTest::addColumn<QString>("disableAudio");
        QTest::addColumn<QString>("args");
        QTest::newRow("as loaded") << "320x240" << "768k" << "No"
                                   << " -vcodec mpeg4 -s 320x240 -b 768k";
        QTest::newRow("custom size, no audio") << "640x480" << "1000k" << "Yes"
                                               << " -vcodec mpeg4 -s 640x480 -b 1000k -an ";
        QTest::newRow("original size") << "Original Size" << "768k" << "No"
                                       << " -vcodec mpeg4 -b 768k";
        QTest::newRow("caption case ignored") << "original SIZE" << "768k" << "yES"
                                              << " -vcodec mpeg4 -b 768k -an ";
        QTest::newRow("cleared bit rate") << "320x240" << "" << "No" << " -vcodec mpeg4 -s 320x240";
    }
    // clang-format on
    void arguments()
    {
        QFETCH(QString, videoSize);
        QFETCH(QString, bitRate);
        QFETCH(QString, disableAudio);
        QFETCH(QString, args);
        LoadedProfile loaded = LoadProfile(m_path);
        setValue(loaded.panels.video, "Video Size", videoSize);
        setValue(loaded.panels.video, "Bit Rate", bitRate);
        setValue(loaded.panels.audio, "Disable Audio", disableAudio);
        QCOMPARE(BuildArguments(m_path, loaded.panels), args);
    }

    void saveExample()
    {
        LoadedProfile loaded = LoadProfile(m_path);
        setValue(loaded.panels.video, "Video Size", "Custom Size");
        setValue(loaded.panels.video, "Bit Rate", "900k");
        setValue(loaded.panels.audio, "Disable Audio", "Yes");
        SaveProfile(m_path, loaded.panels);
        QStringList expected = kExample;
        expected[20] = "Index=1";                  // [Video Size]
        expected[25] = "Caption=900k";             // [Bit Rate]
        expected.insert(22, "Value=900k");         // inserted under the header
        expected[expected.size() - 1] = "Index=1"; // [Disable Audio]
        QCOMPARE(QString::fromUtf8(ReadFile(m_path)).split("\r\n"), expected << "");
    }

    // clang-format off
    void saveIndex_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("indexLine");
        QTest::newRow("choice") << "Custom Size" << "Index=1";
        QTest::newRow("case ignored") << "custom SIZE" << "Index=1";
        QTest::newRow("not a choice") << "640x480" << "Index=-1";
    }
    // clang-format on
    void saveIndex()
    {
        QFETCH(QString, shown);
        QFETCH(QString, indexLine);
        LoadedProfile loaded = LoadProfile(m_path);
        setValue(loaded.panels.video, "Video Size", shown);
        SaveProfile(m_path, loaded.panels);
        QCOMPARE(QString::fromUtf8(ReadFile(m_path)).split("\r\n").at(20), indexLine);
    }

    // A file is written only when a value changed, and then keeps its line ends. An edit is
    // "parameter=shown value", none for a save of the panels as loaded.
    void saveWritesOnlyChanges_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QByteArray>("after");
        const QDir shipped(qEnvironmentVariable("FW_SOURCE_DIR") + "/data/Profiles");
        const QStringList names = shipped.entryList({"*.cvp"}, QDir::Files);
        QVERIFY2(!names.isEmpty(), "FW_SOURCE_DIR has no profiles");
        for (const QString& name : names) {
            const QByteArray bytes = ReadFile(shipped.filePath(name));
            QTest::newRow(qPrintable("shipped " + name)) << bytes << QString() << bytes;
        }
        QStringList oddIndex = kExample;
        oddIndex[20] = "Index=02";
        QTest::newRow("CR line ends") << joined(kExample, "\r") << "" << joined(kExample, "\r");
        QTest::newRow("LF, none at the end, index with a leading zero")
            << joined(oddIndex, "\n", false) << "" << joined(oddIndex, "\n", false);

        QStringList pick = kExample;
        pick.last() = "Index=1";
        QTest::newRow("CR line ends, choice changed")
            << joined(kExample, "\r") << "Disable Audio=Yes" << joined(pick, "\r");
        QStringList typed = kExample;
        typed[25] = "Caption=900k";
        typed.insert(22, "Value=900k");
        QTest::newRow("LF line ends, typed value changed")
            << joined(kExample, "\n") << "Bit Rate=900k" << joined(typed, "\n");
        QTest::newRow("CR LF line ends, typed value changed")
            << joined(kExample, "\r\n") << "Bit Rate=900k" << joined(typed, "\r\n");
    }
    void saveWritesOnlyChanges()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, edit);
        QFETCH(QByteArray, after);
        QVERIFY(WriteFile(m_path, before));
        LoadedProfile loaded = LoadProfile(m_path);
        QVERIFY2(loaded.error.isEmpty(), qPrintable(loaded.error));
        if (!edit.isEmpty()) {
            const QStringList parts = edit.split('=');
            for (ParamPanel* panel :
                 {&loaded.panels.video, &loaded.panels.audio, &loaded.panels.advanced})
                setValue(*panel, parts[0], parts[1]);
        }
        SaveProfile(m_path, loaded.panels);
        QCOMPARE(ReadFile(m_path), after);
    }

    void saveAs()
    {
        const QString target = m_dir.filePath("Copy.cvp");
        writeLines(target, {"old"});
        LoadedProfile loaded = LoadProfile(m_path);
        setValue(loaded.panels.audio, "Disable Audio", "Yes");
        SaveProfileAs(m_path, target, loaded.panels);
        QVERIFY(ReadFile(target).endsWith("Value=,\\,\r\nIndex=1\r\n"));
        QVERIFY(ReadFile(m_path).endsWith("Index=0\r\n")); // the source stays as it was

        SaveProfileAs(m_path, m_path, loaded.panels); // onto itself: saved, not lost
        QVERIFY(ReadFile(m_path).endsWith("Index=1\r\n"));

        const QString none = m_dir.filePath("none.cvp");
        SaveProfileAs(m_dir.filePath("missing.cvp"), none, loaded.panels);
        QVERIFY(!QFile::exists(none));
    }

    void missingProfile()
    {
        const QString path = m_dir.filePath("missing.cvp");
        const LoadedProfile loaded = LoadProfile(path);
        QVERIFY(!loaded.exists);
        QVERIFY(loaded.type.isEmpty());
        QCOMPARE(BuildArguments(path, LoadProfile(m_path).panels), QString());
        QVERIFY(!QFile::exists(path));
    }

    void paraBeyondEntries_data()
    {
        QTest::addColumn<QString>("para");
        QTest::newRow("a few more") << "7";
        QTest::newRow("largest integer") << "2147483647"; // must not loop for hours
    }
    void paraBeyondEntries()
    {
        QFETCH(QString, para);
        QStringList lines = kExample;
        lines[2] = "Para=" + para;
        writeLines(m_path, lines);
        const LoadedProfile loaded = LoadProfile(m_path);
        QVERIFY(loaded.error.isEmpty());
        QCOMPARE(loaded.panels.video.size(), 3);
        QCOMPARE(loaded.panels.audio.size(), 1);
        QCOMPARE(BuildArguments(m_path, loaded.panels),
                 QString(" -vcodec mpeg4 -s 320x240 -b 768k"));
    }

    void parameterWithoutPanel_data()
    {
        QTest::addColumn<QString>("sortLine");
        QTest::newRow("no Sort") << "";
        QTest::newRow("Sort=4") << "Sort=4";
    }
    void parameterWithoutPanel()
    {
        QFETCH(QString, sortLine);
        // The stray parameter follows a Video row and must not join that panel.
        QStringList lines = kExample;
        lines[5] = "2=Stray";
        lines << "[Stray]" << sortLine << "cmd=-stray"
              << "List=0"
              << "Caption=x";
        writeLines(m_path, lines);
        LoadedProfile loaded = LoadProfile(m_path);
        QCOMPARE(keys(loaded.panels.video), (QStringList{"Video Codec", "Video Size"}));
        loaded.panels.video << ParamRow{"Stray", "typed", false, false, {}};
        QCOMPARE(BuildArguments(m_path, loaded.panels), QString(" -vcodec mpeg4 -s 320x240"));
        SaveProfile(m_path, loaded.panels);
        QVERIFY(ReadFile(m_path).endsWith("List=0\r\nCaption=x\r\n"));
    }

    // clang-format off
    void listIndexError_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("index");
        QTest::addColumn<QString>("error");
        QTest::newRow("beyond") << "No,Yes," << "5"
                                << "Profile \"Example\": parameter \"Bit Rate\" has no choice "
                                   "number 5.";
        QTest::newRow("minus one") << "No,Yes," << "-1"
                                   << "Profile \"Example\": parameter \"Bit Rate\" has no choice "
                                      "number -1.";
        QTest::newRow("no comma") << "Yes" << "0"
                                  << "Profile \"Example\": parameter \"Bit Rate\" has no choices.";
    }
    // clang-format on
    void listIndexError()
    {
        QFETCH(QString, caption);
        QFETCH(QString, index);
        QFETCH(QString, error);
        QStringList lines = kExample;
        lines[24] = "List=1"; // [Bit Rate] becomes a faulty pick list
        lines[25] = "Caption=" + caption;
        lines.insert(26, "Index=" + index);
        writeLines(m_path, lines);
        const LoadedProfile loaded = LoadProfile(m_path);
        QCOMPARE(loaded.error, error);
        QCOMPARE(keys(loaded.panels.video), (QStringList{"Video Codec", "Video Size", "Bit Rate"}));
        QVERIFY(loaded.panels.video[2].value.isEmpty());
        QVERIFY(loaded.panels.audio.isEmpty()); // the load stopped at the faulty row
    }

    void shortValueList()
    {
        const QString path = oneParameter(
            "Short.cvp", {"Sort=2", "cmd=-ac", "Caption=Original,Mono,Stereo,", "Value=,1,"});
        ProfilePanels shown;
        shown.audio << ParamRow{"p", "MONO", true, true, {}}; // key and caption case ignored
        QCOMPARE(BuildArguments(path, shown), QString(" -ac 1"));
        shown.audio[0].value = "Stereo";
        try {
            BuildArguments(path, shown);
            QFAIL("no error for a choice without value");
        } catch (const FwError& e) {
            QCOMPARE(e.text(), QString("Profile \"Short\": parameter \"P\" has no value for "
                                       "\"Stereo\"."));
        }
    }

    // An installed program folder: the user may read its profiles but not write them.
    void readOnlyProfileStillLoads_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::addColumn<QByteArray>("error"); // part of the reported error, empty for none
        QTest::newRow("as written by the program") << QByteArray("\r\n") << QByteArray();
        QTest::newRow("LF line ends, left as they are") << QByteArray("\n") << QByteArray();
    }
    void readOnlyProfileStillLoads()
    {
        QFETCH(QByteArray, lineEnd);
        QFETCH(QByteArray, error);
        QTemporaryDir outer;
        const QString folder = outer.filePath("Profiles");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/Example.cvp";
        QVERIFY(WriteFile(path, kExample.join(QString::fromUtf8(lineEnd)).toUtf8() + lineEnd));
        QFile::setPermissions(outer.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                QFile::ReadOther | QFile::ExeOther);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::ExeOther);
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        QByteArray output;
        const int code = RunUnprivileged(qEnvironmentVariable("FW_INI_TOOL"), {"--profile", path},
                                         outer.path(), &output);
        if (code == -1)
            QSKIP("no user without write rights to run the loader as");
        QVERIFY2(output.startsWith("rows=4 error="), output.constData());
        QCOMPARE(output.trimmed().endsWith("error="), error.isEmpty());
        QVERIFY2(output.contains(error), output.constData());
    }
};

QTEST_GUILESS_MAIN(tst_Profiles)
#include "tst_profiles.moc"
