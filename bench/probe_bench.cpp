// Time per file added through the command line, against ffprobe run on the same files one
// after another. Usage: probe_bench <program folder with wmaspi.dll> <clip>...
#include "app/ui/TMainForm.h"
#include "base/PathText.h"
#include "engine/TaskRows.h"
#include "tasks/QueueStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {
double addSeconds(const QString& folder, const QStringList& clips)
{
    AppContext context;
    context.programFolder = folder;
    // Each round starts from an empty list, not from the one the last round left.
    QFile::remove(QueueStore::InFolder(WithBackslash(context.programFolder)).path());
    context.arguments = clips;
    QElapsedTimer timer;
    timer.start();
    TMainForm form(context);
    // Rows come at once; their files are read afterwards.
    while (form.reading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (form.rows().rowCount() != clips.size())
        std::fprintf(stderr, "only %d of %d clips were added\n", form.rows().rowCount(),
                     int(clips.size()));
    return seconds;
}

double ffprobeSeconds(const QStringList& clips)
{
    QElapsedTimer timer;
    timer.start();
    for (const QString& clip : clips) {
        QProcess probe;
        probe.setProcessChannelMode(QProcess::MergedChannels);
        probe.start(QStringLiteral("ffprobe"), {clip});
        probe.waitForFinished(-1);
        probe.readAll();
    }
    return timer.nsecsElapsed() / 1e9;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: probe_bench <program folder> <clip>...\n");
        return 2;
    }
    const QString folder = args.first();
    const QStringList clips = args.mid(1);
    // Rounds alternate so that both sides see the same machine load and file cache.
    double ours = 0, theirs = 0;
    const int rounds = 3;
    for (int round = 0; round < rounds; ++round) {
        ours += addSeconds(folder, clips) - addSeconds(folder, {});
        theirs += ffprobeSeconds(clips);
    }
    const double perFile = ours / rounds / clips.size();
    const double perProbe = theirs / rounds / clips.size();
    std::printf("files: %d, rounds: %d\n", int(clips.size()), rounds);
    std::printf("Framewright, per added file: %.1f ms\n", perFile * 1000);
    std::printf("ffprobe, per file:           %.1f ms\n", perProbe * 1000);
    std::printf("ratio: %.3f (must be at most 1.2)\n", perFile / perProbe);
    return perFile / perProbe <= 1.2 ? 0 : 1;
}
