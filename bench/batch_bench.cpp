// Converts the clips through the window (added from the command line, then Start, with the given
// tasks at once) and the same clips with ffmpeg directly, one after another and two at a time
// (as xargs -P2 would), in alternating rounds, and compares the total times. Also reports the
// longest time the event loop went unserved while the window converted, and how much of that the
// GUI thread itself spent working (the rest it waited for a CPU).
// Usage: batch_bench <program folder> <profile name> <output folder> <tasks|auto> <clip>...
// With --window first, converts once through the window alone, into the output folder itself,
// and prints "<seconds> <tasks complete>", for a script that alternates it with other programs.
// With --arguments <profile file>, prints the output extension and then the ffmpeg arguments
// the profile gives, one a line.
#include "app/ui/BatchPanel.h"
#include "app/ui/ImageButton.h"
#include "app/ui/TMainForm.h"
#include "base/PathText.h"
#include "engine/TaskRows.h"
#include "platform/WindowsCommandLine.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileText.h"
#include "profiles/ui/TSettingForm.h"
#include "tasks/QueueStore.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {
struct Side
{
    double seconds = 0;
    qint64 longestGapMs = 0;
    double busiestGapMs = 0; // the GUI thread's own CPU time within one gap, at most
    int complete = 0;
};

double threadCpuMs()
{
    timespec now = {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

Side throughTheWindow(QApplication& app, const QString& folder, const QString& profile,
                      const QString& out, int tasksAtOnce, const QStringList& clips)
{
    AppContext context;
    context.programFolder = folder;
    // Each round starts from an empty list, not from the one the last round left.
    QFile::remove(QueueStore::InFolder(WithBackslash(context.programFolder)).path());
    context.arguments = clips;
    TMainForm form(context);
    TSettingForm setting(&form, form.settingsLink());
    form.setDialogs(nullptr, &setting, nullptr);
    setting.cmbTasks->setCurrentIndex(tasksAtOnce); // 0 is "Automatic"
    form.show();
    const TMainFormUi& ui = form.ui();
    ui.cmbProfile->setCurrentIndex(ui.cmbProfile->findText(profile));
    emit ui.cmbProfile->activated(ui.cmbProfile->currentIndex());
    ui.edtOutputdir->setText(out);
    // The files on the command line are read before Start, as they were when adding waited for
    // them: the figure is the conversions', not the reading's.
    while (form.reading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    Side side;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(5);
    double cpuAtTick = 0;
    QObject::connect(&ticker, &QTimer::timeout, &app, [&] {
        side.longestGapMs = qMax(side.longestGapMs, sinceTick.restart());
        const double cpu = threadCpuMs();
        side.busiestGapMs = qMax(side.busiestGapMs, cpu - cpuAtTick);
        cpuAtTick = cpu;
    });
    QElapsedTimer clock;
    QObject::connect(&form.batch().run(), &BatchRun::ended, &app, [&] {
        side.seconds = clock.nsecsElapsed() / 1e9;
        ticker.stop();
        QTimer::singleShot(0, &app, &QApplication::quit);
    });
    QTimer::singleShot(0, &app, [&] {
        sinceTick.start();
        cpuAtTick = threadCpuMs();
        ticker.start();
        clock.start();
        emit ui.imgStart->clicked();
    });
    app.exec();
    for (int row = 0; row < form.rows().rowCount(); ++row) {
        ltvItemData task;
        form.rows().ReadTask(row, 2, task);
        side.complete += task.Status == QLatin1String("Complete");
    }
    return side;
}

// ffmpeg over the clips, `together` at a time, each started as soon as one ends.
double withFfmpeg(const QString& profilePath, const QString& ext, const QString& out,
                  const QStringList& clips, int together)
{
    const QStringList arguments =
        SplitCommandLine(BuildArguments(profilePath, LoadProfile(profilePath).panels));
    QElapsedTimer clock;
    clock.start();
    QList<QProcess*> running;
    int next = 0;
    while (next < clips.size() || !running.isEmpty()) {
        while (running.size() < together && next < clips.size()) {
            const QString& clip = clips.at(next++);
            auto* ffmpeg = new QProcess;
            ffmpeg->setProcessChannelMode(QProcess::MergedChannels);
            ffmpeg->setStandardOutputFile(QProcess::nullDevice());
            ffmpeg->start(
                QStringLiteral("ffmpeg"),
                QStringList{"-nostdin", "-y", "-i", clip} + arguments +
                    QStringList{WithBackslash(out) + WithoutExtension(FileNamePart(clip)) + ext});
            running << ffmpeg;
        }
        // Wait for whichever ends first.
        for (bool ended = false; !ended;) {
            for (int i = 0; i < running.size() && !ended; ++i) {
                if (running[i]->waitForFinished(i == 0 ? 10 : 0)) {
                    if (running[i]->exitCode() != 0)
                        std::fprintf(stderr, "ffmpeg failed\n");
                    delete running.takeAt(i);
                    ended = true;
                }
            }
        }
    }
    return clock.nsecsElapsed() / 1e9;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--arguments")) {
        std::printf("%s\n", qPrintable(OutputExtFor(LoadProfile(args[1]).type)));
        for (const QString& argument :
             SplitCommandLine(BuildArguments(args[1], LoadProfile(args[1]).panels)))
            std::printf("%s\n", qPrintable(argument));
        return 0;
    }
    const bool once = !args.isEmpty() && args[0] == QLatin1String("--window");
    if (once)
        args.removeFirst();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: batch_bench [--window] <program folder> <profile> <out> "
                             "<tasks|auto> <clip>...\n"
                             "       batch_bench --arguments <profile file>\n");
        return 2;
    }
    const QString folder = WithBackslash(args[0]);
    const QString profile = args[1];
    const QString out = args[2];
    const int tasksAtOnce = args[3] == QLatin1String("auto") ? 0 : args[3].toInt();
    const QStringList clips = args.mid(4);
    const QString profilePath = ProfilesFolder(folder) + profile + QStringLiteral(".cvp");
    const QString ext = OutputExtFor(LoadProfile(profilePath).type);
    if (once) {
        QDir().mkpath(out);
        const Side side = throughTheWindow(app, folder, profile, out, tasksAtOnce, clips);
        std::printf("%.3f %d\n", side.seconds, side.complete);
        return side.complete == clips.size() ? 0 : 1;
    }
    QDir().mkpath(out + "/window");
    QDir().mkpath(out + "/ffmpeg");

    // Rounds alternate, and so does which side goes first, so that every side sees the same
    // machine load and file cache.
    const int rounds = 4;
    double ours = 0, sequential = 0, paired = 0;
    qint64 longestGap = 0;
    double busiestGap = 0;
    for (int round = 0; round < rounds; ++round) {
        Side side;
        double oneByOne = 0, twoAtATime = 0;
        for (int turn = 0; turn < 3; ++turn) {
            switch ((turn + round) % 3) {
            case 0:
                side = throughTheWindow(app, folder, profile, out + "/window", tasksAtOnce, clips);
                break;
            case 1:
                oneByOne = withFfmpeg(profilePath, ext, out + "/ffmpeg", clips, 1);
                break;
            default:
                twoAtATime = withFfmpeg(profilePath, ext, out + "/ffmpeg", clips, 2);
            }
        }
        if (side.complete != clips.size())
            std::fprintf(stderr, "only %d of %d tasks complete\n", side.complete,
                         int(clips.size()));
        ours += side.seconds;
        sequential += oneByOne;
        paired += twoAtATime;
        longestGap = qMax(longestGap, side.longestGapMs);
        busiestGap = qMax(busiestGap, side.busiestGapMs);
        std::printf("round %d: window %.2f s, ffmpeg one by one %.2f s, two at a time %.2f s\n",
                    round + 1, side.seconds, oneByOne, twoAtATime);
    }
    std::printf("files: %d, rounds: %d, profile: %s, tasks at once: %s\n", int(clips.size()),
                rounds, qPrintable(profile), qPrintable(args[3]));
    std::printf("through the window:     %.2f s per round\n", ours / rounds);
    std::printf("ffmpeg one by one:      %.2f s per round\n", sequential / rounds);
    std::printf("ffmpeg two at a time:   %.2f s per round\n", paired / rounds);
    std::printf("window / one by one:    %.3f\n", ours / sequential);
    std::printf("window / two at a time: %.3f\n", ours / paired);
    std::printf("longest event-loop stall: %lld ms (must be under 50)\n",
                static_cast<long long>(longestGap));
    std::printf("  of which the GUI thread worked at most: %.1f ms\n", busiestGap);
    return 0;
}
