// Starts the window with one folder of clips on its command line and reports, as one line
// "visible=<s> read=<s> stall=<ms> rows=<n> rss=<kB> gui=<s> saves=<n> saved=<kB>": the time
// until the window is on screen, until every file is read, the longest the event loop went
// without turning meanwhile, the resident memory once every file is read, the processor time of
// the window's own thread until then, and how often the kept list was written meanwhile, with
// the bytes of all those writes.
// Usage: bulkadd_bench <program folder with wmaspi.dll> [folder]
#include "app/ui/TMainForm.h"
#include "base/PathText.h"
#include "engine/TaskRows.h"
#include "tasks/QueueStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <ctime>
#include <sys/stat.h>

namespace {
long residentKb()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: bulkadd_bench <program folder> [folder]\n");
        return 2;
    }
    AppContext context;
    context.programFolder = args.first();
    // Each round starts from an empty list, not from the one the last round left.
    QFile::remove(QueueStore::InFolder(WithBackslash(context.programFolder)).path());
    context.arguments = args.mid(1);
    context.restoreWhileShowing = true; // as the program starts
    TMainForm form(context);
    form.show();
    while (!form.windowHandle() || !form.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double visible = sinceStart.nsecsElapsed() / 1e9;

    // A timer that would fire every millisecond: the gaps between its turns are the stalls.
    qint64 longest = 0;
    double longestEnd = 0; // seconds from the start to the end of the longest stall
    QElapsedTimer gap;
    gap.start();
    QTimer beat;
    beat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&beat, &QTimer::timeout, &beat, [&] {
        const qint64 stalled = gap.restart();
        if (stalled > longest) {
            longest = stalled;
            longestEnd = sinceStart.nsecsElapsed() / 1e9;
        }
    });
    beat.start(1);
    // Each write of the kept list renames a new file onto it: a new inode.
    const QByteArray kept =
        QFile::encodeName(QueueStore::InFolder(WithBackslash(context.programFolder)).path());
    ino_t lastInode = 0;
    int saves = 0;
    qint64 savedBytes = 0;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &look, [&] {
        struct stat status = {};
        if (::stat(kept.constData(), &status) == 0 && status.st_ino != lastInode) {
            lastInode = status.st_ino;
            ++saves;
            savedBytes += status.st_size;
        }
    });
    look.start(20);
    // The files join the list once the kept list is read, after the window is on screen.
    while (!context.arguments.isEmpty() && form.rows().rowCount() == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    while (form.reading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double read = sinceStart.nsecsElapsed() / 1e9;
    // Stalls count while the files are read; quitting closes the window, which writes the
    // kept list at once.
    beat.stop();
    timespec cpu = {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    const double gui = double(cpu.tv_sec) + cpu.tv_nsec / 1e9;
    // What the rows hold once the last reading's leftovers are gone.
    QTimer::singleShot(200, &app, &QCoreApplication::quit);
    app.exec();
    look.stop();
    std::printf("visible=%.3f read=%.3f stall=%lld stallEnd=%.3f rows=%d rss=%ld gui=%.3f saves=%d "
                "saved=%lld\n",
                visible, read, static_cast<long long>(longest), longestEnd, form.rows().rowCount(),
                residentKb(), gui, saves, static_cast<long long>(savedBytes / 1024));
    return 0;
}
