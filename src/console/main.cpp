// framewright-batch: converts with a profile from a command line, the window's Start without the
// window. Links the core library alone and never needs a display.
#include "BatchOptions.h"
#include "ConsoleBatch.h"
#include "ConsoleReport.h"
#include "FolderWatcher.h"
#include "base/FwError.h"
#include "base/PathText.h"
#include "engine/BatchSettings.h"
#include "platform/DataHome.h"
#include "platform/StopSignals.h"
#include "profiles/Preferences.h"
#include "profiles/ProfileLookup.h"
#include "profiles/ShippedProfiles.h"
#include "tasks/WatchLedger.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {
constexpr int UsageError = 2;

int refuse(const QString& message)
{
    std::fprintf(stderr, "framewright-batch: %s\n", qUtf8Printable(message));
    return UsageError;
}

// Whether the descriptor is open. A closed one is given /dev/null, so that the next file opened
// cannot take its number and receive what was meant for standard output or error.
bool keptOpen(int fd)
{
    if (::fcntl(fd, F_GETFD) >= 0)
        return true;
    // The lowest free number: the one just found closed, as 0, 1 and 2 are checked in order.
    const int null = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (null >= 0 && null != fd) {
        ::dup2(null, fd);
        ::close(null);
    }
    return false;
}

int terminalWidth()
{
    winsize size = {};
    return ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
}
} // namespace

int main(int argc, char** argv)
{
    keptOpen(STDIN_FILENO);
    const bool outputOpen = keptOpen(STDOUT_FILENO);
    keptOpen(STDERR_FILENO);
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (!IsValidUtf8(argument))
            return refuse(QStringLiteral("the argument %1 is not valid UTF-8 text")
                              .arg(EscapedName(argument)));
        arguments << QString::fromUtf8(argument);
    }
    const BatchOptions options = ParseBatchOptions(arguments);
    if (options.help) {
        std::fputs(qUtf8Printable(BatchUsage()), stdout);
        return 0;
    }
    if (options.version) {
        std::puts("framewright-batch " FW_VERSION);
        return 0;
    }
    if (!options.error.isEmpty())
        return refuse(options.error + QStringLiteral("\nTry 'framewright-batch --help'."));
    // Every line would fail: nothing is converted for nobody to hear of, as when the reader goes.
    if (!outputOpen) {
        std::fputs("framewright-batch: standard output is closed\n", stderr);
        return 128 + SIGPIPE;
    }

    QCoreApplication app(argc, argv);
    // The window's name: the user's data folder is the one the window keeps.
    QCoreApplication::setApplicationName(QStringLiteral("Framewright"));
    const QString programFolder = WithBackslash(QCoreApplication::applicationDirPath());
    // The profiles and settings are the window's: found in the same data folder.
    const DataHome home = ChooseDataHome(programFolder, UserDataFolder());
    SeedShippedProfiles(programFolder, home);
    if (options.forget) {
        const QString error = FolderWatcher::Forget(options.watch, options.subfolders,
                                                    LedgerFile(home.folder, options.watch));
        if (!error.isEmpty())
            return refuse(error);
        std::printf("%s: forgotten; its files are converted again when watched\n",
                    qUtf8Printable(options.watch));
        return 0;
    }
    const ProfileForRun profile = FindProfileForRun(options.profile, home.folder);
    if (!profile.error.isEmpty())
        return refuse(profile.error);

    GeneralSettings general;
    Preferences::WindowChoice window;
    try {
        const Preferences preferences =
            Preferences::ToRead(home.folder, home.portable ? programFolder : UserOutputFolder());
        general = preferences.General();
        window = preferences.Window();
    } catch (const FwError& error) {
        return refuse(error.text());
    }
    const QString outputFolder = options.outputFolder.isEmpty()
                                     ? window.outputPath
                                     : QFileInfo(options.outputFolder).absoluteFilePath();
    switch (CheckOutputFolder(outputFolder)) {
    case OutputFolderState::Usable:
        break;
    case OutputFolderState::NotFolder:
        return refuse(QStringLiteral("the output folder \"%1\" is not a folder")
                          .arg(QDir::toNativeSeparators(outputFolder)));
    default:
        return refuse(QStringLiteral("the output folder \"%1\" does not exist")
                          .arg(QDir::toNativeSeparators(outputFolder)));
    }
    // The command tells of its end itself: nothing is opened, left or switched off after it.
    general.openDir = general.exitProgram = general.turnOff = false;
    general.overwrite = options.overwrite.value_or(general.overwrite);
    general.tasksAtOnce = options.tasksAtOnce;
    const BatchSettings settings =
        RunSettings(general, outputFolder, profile.outputExt, profile.arguments);

    // A reader that goes away (| head) shows as a failed write, which stops the run, instead of
    // a death half-way through a line that leaves the encoders to the death signal alone.
    StopSignals::IgnoreBrokenPipe();
    QFile out;
    // Straight to the descriptor: a reader at the other end of a pipe gets each line as it is made.
    out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    ConsoleReport report(out,
                         options.json              ? ConsoleReport::Json
                         : ::isatty(STDOUT_FILENO) ? ConsoleReport::Terminal
                                                   : ConsoleReport::Plain,
                         terminalWidth());
    const QString encoder = programFolder + QStringLiteral("wmaspi.dll");
    if (!options.watch.isEmpty()) {
        FolderWatcher watcher(encoder, report, LedgerFile(home.folder, options.watch));
        QObject::connect(&watcher, &FolderWatcher::finished, &app, &QCoreApplication::exit);
        FolderWatcher::Options watching;
        watching.folder = options.watch;
        watching.subfolders = options.subfolders;
        watching.settleMs = qRound64(options.settleSeconds * 1000);
        watching.done = options.done == QLatin1String("move")     ? FolderWatcher::AfterDone::Move
                        : options.done == QLatin1String("delete") ? FolderWatcher::AfterDone::Delete
                                                                  : FolderWatcher::AfterDone::Keep;
        watching.doneFolder = QFileInfo(options.doneFolder).absoluteFilePath();
        if (watching.done == FolderWatcher::AfterDone::Move &&
            !QFileInfo(watching.doneFolder).isDir())
            return refuse(
                QStringLiteral("the folder \"%1\" to move converted files to does not exist")
                    .arg(options.doneFolder));
        if (const QString error = watcher.start(watching, profile.arguments, settings);
            !error.isEmpty())
            return refuse(error);
        return app.exec();
    }
    ConsoleBatch batch(encoder, report, STDOUT_FILENO);
    QObject::connect(&batch, &ConsoleBatch::finished, &app, &QCoreApplication::exit);
    batch.start(options.inputs, profile.arguments, settings);
    return app.exec();
}
