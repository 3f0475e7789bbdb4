#include "TestFiles.h"
#include "base/FwError.h"
#include "base/PathText.h"
#include "platform/WindowsCommandLine.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileText.h"
#include "profiles/TNewInifile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <functional>

namespace {
// One run of the encoder front: a profile with some rows changed from its defaults.
struct Job
{
    QString what; // profile name and the changed rows, for messages
    QString type;
    QStringList args;
};

// How a file of each output type begins: the bytes at an offset, or anywhere in the first
// 64 bytes (-1). The ISO family's brand tells its members apart; Matroska names its kind.
struct Signature
{
    int offset;
    QByteArray bytes;
};

const QHash<QString, Signature> kSignatures = {
    {"mp4", {4, "ftypisom"}},
    {"mov", {4, "ftypqt  "}},
    {"m4a", {4, "ftypM4A "}},
    {"mkv", {-1, "matroska"}},
    {"webm", {-1, "webm"}},
    {"avi", {8, "AVI "}},
    {"wav", {8, "WAVE"}},
    {"flv", {0, "FLV"}},
    {"gif", {0, "GIF8"}},
    {"mp3", {0, "ID3"}},
    {"wmv", {0, QByteArray::fromHex("3026b2758e66cf11")}},
    {"mpg", {0, QByteArray::fromHex("000001ba")}},
};

// A pick-list choice other than the one a profile starts with.
struct Change
{
    int sort; // the panel
    int row;
    QString key;
    QString choice;
    QString cmd;
    bool reshapes = false; // drops its stream or swaps its encoder
};

// Every pick-list choice away from the loaded panels. "Custom Size" stands for whatever the size
// dialog makes of it.
QVector<Change> changes(const QString& path, const ProfilePanels& loaded)
{
    const TNewInifile ini(path);
    QVector<Change> result;
    for (int sort = 1; sort <= 3; ++sort) {
        const ParamPanel& panel = *loaded.bySort(sort);
        for (int r = 0; r < panel.size(); ++r) {
            const ParamRow& row = panel.at(r);
            if (!row.pickList)
                continue;
            const QString cmd = ini.ReadString(row.key, QStringLiteral("cmd"), QString());
            const QStringList values =
                SplitList(ini.ReadString(row.key, QStringLiteral("Value"), QString()));
            for (int k = 0; k < row.choices.size(); ++k) {
                if (row.choices.at(k) == row.value)
                    continue;
                Change change{sort, r, row.key, row.choices.at(k), cmd};
                if (change.choice == QLatin1String("Custom Size"))
                    change.choice = QStringLiteral("352x288");
                change.reshapes = values.value(k) == QLatin1String("\\") ||
                                  cmd == QLatin1String("-c:v") || cmd == QLatin1String("-c:a");
                result << change;
            }
        }
    }
    return result;
}

// Changes that may share a conversion without one hiding a fault of the other: never two of
// one option, and a stream that goes or swaps its encoder only beside changes of the other
// stream (the Video and the Audio panel), whose options it leaves alone.
bool clash(const Change& a, const Change& b)
{
    if (a.cmd == b.cmd)
        return true;
    if (!a.reshapes && !b.reshapes)
        return false;
    return a.reshapes == b.reshapes || a.sort + b.sort != 3;
}

ProfilePanels applied(ProfilePanels panels, const QVector<Change>& group)
{
    for (const Change& change : group)
        (*panels.bySort(change.sort))[change.row].value = change.choice;
    return panels;
}

QString described(const QVector<Change>& group)
{
    QStringList parts;
    for (const Change& change : group)
        parts << change.key + QLatin1Char('=') + change.choice;
    return parts.join(QStringLiteral(", "));
}

// The panels as loaded, then each choice alone.
QVector<QPair<QString, ProfilePanels>> variants(const QString& path, const ProfilePanels& loaded)
{
    QVector<QPair<QString, ProfilePanels>> result{{QStringLiteral("defaults"), loaded}};
    for (const Change& change : changes(path, loaded))
        result << qMakePair(described({change}), applied(loaded, {change}));
    return result;
}

// Groups fill in this order, which pairs the largest pictures with the lowest frame rates:
// together they would make one conversion cost as much as a dozen.
double fillOrder(const Change& change)
{
    if (change.cmd == QLatin1String("-s")) {
        const QStringList size = change.choice.split(QLatin1Char('x'));
        return -size.value(0).toDouble() * size.value(1).toDouble();
    }
    return change.cmd == QLatin1String("-r") ? change.choice.toDouble() : 0;
}

// What a choice does, for trying it only once: an encoder's option does the same in any
// container, unless the container limits it (a sample rate or channel count the format cannot
// store) or it is the container's own.
QString effect(const Change& change, const QString& type, const QStringList& defaultArgs)
{
    const bool containerLimits = change.sort == 3 || change.cmd == QLatin1String("-ar") ||
                                 change.cmd == QLatin1String("-ac");
    const QString encoder = defaultArgs.value(
        defaultArgs.indexOf(change.sort == 1 ? QStringLiteral("-c:v") : QStringLiteral("-c:a")) +
        1);
    return (containerLimits ? type + ' ' : QString()) + encoder + ' ' + change.key + '=' +
           change.choice;
}

// The panels as loaded, then every choice not tried before in another profile, as few
// conversions as the clashes allow: each choice is still tried beside its profile's other
// options.
QVector<QPair<QString, ProfilePanels>> combined(const QString& path, const LoadedProfile& loaded,
                                                QSet<QString>& tried)
{
    const QStringList defaultArgs = SplitCommandLine(BuildArguments(path, loaded.panels));
    QVector<Change> all;
    for (const Change& change : changes(path, loaded.panels)) {
        const QString what = effect(change, loaded.type, defaultArgs);
        if (!tried.contains(what)) {
            tried << what;
            all << change;
        }
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const Change& a, const Change& b) { return fillOrder(a) < fillOrder(b); });
    QVector<QVector<Change>> groups;
    for (const Change& change : std::as_const(all)) {
        auto fits = std::find_if(groups.begin(), groups.end(), [&](const QVector<Change>& group) {
            return std::none_of(group.begin(), group.end(),
                                [&](const Change& other) { return clash(change, other); });
        });
        if (fits == groups.end())
            groups.push_back({change});
        else
            fits->push_back(change);
    }
    QVector<QPair<QString, ProfilePanels>> result{{QStringLiteral("defaults"), loaded.panels}};
    for (const QVector<Change>& group : std::as_const(groups))
        result << qMakePair(described(group), applied(loaded.panels, group));
    return result;
}
} // namespace

class tst_ProfilesConvert final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QStringList m_profiles; // copies of the shipped profiles, in m_dir
    static QString tail(QProcess& process)
    {
        const QStringList lines = QString::fromUtf8(process.readAll()).split(QLatin1Char('\n'));
        return lines.mid(std::max(0, static_cast<int>(lines.size()) - 6)).join(QLatin1Char('\n'));
    }

    static QString checkOutput(const Job& job, const QString& out)
    {
        QFile file(out);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("the output cannot be opened");
        const QByteArray head = file.read(64);
        const Signature want = kSignatures.value(job.type);
        const bool found = want.offset < 0 ? head.contains(want.bytes)
                                           : head.mid(want.offset).startsWith(want.bytes);
        return found ? QString()
                     : QStringLiteral("not a %1 file: %2").arg(job.type, head.toHex(' '));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString source =
            WithBackslash(qEnvironmentVariable("FW_SOURCE_DIR")) + QStringLiteral("data/Profiles/");
        for (const QString& name : FilesWithExtension(source, ".cvp")) {
            QVERIFY(QFile::copy(source + name, m_dir.filePath(name)));
            m_profiles << m_dir.filePath(name);
        }
        m_profiles.sort();
        QVERIFY2(m_profiles.size() >= 12, qPrintable(source));
    }

    void shippedProfile_data()
    {
        QTest::addColumn<QString>("path");
        for (const QString& path : std::as_const(m_profiles))
            QTest::newRow(qPrintable(FileNamePart(path))) << path;
    }
    void shippedProfile()
    {
        QFETCH(QString, path);
        const LoadedProfile loaded = LoadProfile(path);
        QVERIFY2(loaded.error.isEmpty(), qPrintable(loaded.error));
        QVERIFY2(kSignatures.contains(loaded.type), qPrintable(loaded.type));
        for (const auto& [what, panels] : variants(path, loaded.panels)) {
            QString args;
            try {
                args = BuildArguments(path, panels);
            } catch (const FwError& e) {
                QFAIL(qPrintable(what + ": " + e.text()));
            }
            // Shipped values carry no blanks or quotes, so the command line splits into words.
            QVERIFY2(SplitCommandLine(args) == args.split(' ', Qt::SkipEmptyParts),
                     qPrintable(what + ":" + args));
        }
    }

    void convertEveryChoice()
    {
        const QString encoder = qEnvironmentVariable("FW_ENCODER");
        if (!QFile::exists(encoder))
            QSKIP("the encoder front is not built");
        if (QStandardPaths::findExecutable("ffmpeg").isEmpty())
            QSKIP("ffmpeg is needed");

        const QString clip = m_dir.filePath("clip.avi");
        QVERIFY(MakeClip(clip, 2, "320x240",
                         {"-ac", "2", "-ar", "44100", "-c:v", "mpeg4", "-c:a", "libmp3lame"}));

        QVector<Job> jobs;
        QSet<QString> seen;
        QSet<QString> tried;
        for (const QString& path : std::as_const(m_profiles)) {
            const LoadedProfile loaded = LoadProfile(path);
            for (const auto& [what, panels] : combined(path, loaded, tried)) {
                const QString args = BuildArguments(path, panels);
                if (!seen.contains(loaded.type + args)) {
                    seen << loaded.type + args;
                    jobs << Job{WithoutExtension(FileNamePart(path)) + " [" + what + "]",
                                loaded.type, SplitCommandLine(args)};
                }
            }
        }

        QElapsedTimer clock;
        clock.start();
        QStringList failures;
        QEventLoop loop;
        int next = 0;
        int running = 0;
        std::function<void()> startMore;
        const auto finish = [&](QProcess* process) {
            process->deleteLater();
            --running;
            startMore();
            if (running == 0)
                loop.quit();
        };
        startMore = [&]() {
            while (running < 2 && next < jobs.size()) {
                const int n = next++;
                const Job& job = jobs.at(n);
                const QString out = m_dir.filePath(QStringLiteral("out%1.%2").arg(n).arg(job.type));
                auto* process = new QProcess(&loop);
                process->setProcessChannelMode(QProcess::MergedChannels);
                connect(process, &QProcess::finished, &loop,
                        [&, process, out](int code, QProcess::ExitStatus status) {
                            const QString fault =
                                status != QProcess::NormalExit || code != 0
                                    ? QStringLiteral("exit %1\n%2").arg(code).arg(tail(*process))
                                    : checkOutput(job, out);
                            if (!fault.isEmpty())
                                failures << job.what + ' ' + job.args.join(' ') + ": " + fault;
                            QFile::remove(out);
                            finish(process);
                        });
                // Queued: a failed start reports from inside start(), before this loop is done.
                connect(
                    process, &QProcess::errorOccurred, &loop,
                    [&, process](QProcess::ProcessError error) {
                        if (error != QProcess::FailedToStart)
                            return;
                        failures << job.what + ": " + process->errorString();
                        finish(process);
                    },
                    Qt::QueuedConnection);
                ++running;
                process->start(encoder, QStringList{"-y", "-i", clip} + job.args +
                                            QStringList{"-t", "1", out});
            }
        };
        startMore();
        if (running > 0)
            loop.exec();

        qInfo("%d conversions of %d profiles in %.1f s", static_cast<int>(jobs.size()),
              static_cast<int>(m_profiles.size()), clock.elapsed() / 1000.0);
        // Each on its own: one long message would be cut short after the first few.
        for (const QString& failure : std::as_const(failures))
            qWarning("%s", qPrintable(failure));
        // Exit status 0 means the front accepted the output: it opened and lasted the second
        // asked for, within the front's tolerance. A rejection's last line tells why.
        QVERIFY2(failures.isEmpty(), qPrintable(QStringLiteral("%1 of %2 conversions failed")
                                                    .arg(failures.size())
                                                    .arg(jobs.size())));
        // Nothing unfinished stays beside the outputs.
        const QStringList hidden = QDir(m_dir.path()).entryList({".*"}, QDir::Files | QDir::Hidden);
        QVERIFY2(hidden.isEmpty(), qPrintable(hidden.join(' ')));
    }
};

QTEST_GUILESS_MAIN(tst_ProfilesConvert)
#include "tst_profiles_convert.moc"
