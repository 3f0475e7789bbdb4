#include "FolderWatcher.h"

#include "base/PathText.h"
#include "engine/TaskStatus.h"
#include "tasks/InputTypes.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <csignal>

namespace {
qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

FileLook lookAt(const QString& path)
{
    const QFileInfo info(path);
    FileLook look;
    look.seenMs = nowMs();
    // A FIFO, a device or a socket is never a file to convert: as if nothing were there.
    if (info.isFile()) {
        look.size = info.size();
        look.modifiedMs = info.lastModified().toMSecsSinceEpoch();
    }
    return look;
}

QString canonical(const QString& folder)
{
    const QString path = QFileInfo(folder).canonicalFilePath();
    return path.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : path;
}
} // namespace

FolderWatcher::FolderWatcher(const QString& encoderPath, ConsoleReport& report,
                             const QString& ledgerFile, QObject* parent)
    : QObject(parent), m_report(report), m_run(m_rows, encoderPath), m_ledger(ledgerFile),
      m_extensions(InputExtensions())
{
    m_lookTimer.setSingleShot(true);
    connect(&m_lookTimer, &QTimer::timeout, this, &FolderWatcher::lookAgain);
    m_retry.setInterval(2000);
    connect(&m_retry, &QTimer::timeout, this, [this] {
        if (!watchFolder())
            return;
        m_retry.stop();
        m_report.note(QStringLiteral("folder"), m_options.folder,
                      QStringLiteral("the watched folder is back and watched again"));
        scan(m_options.folder);
    });
    connect(&m_watch, &FolderWatch::fileClosed, this,
            [this](const QString& path) { seen(path, Seen::Closed); });
    connect(&m_watch, &FolderWatch::fileMovedIn, this,
            [this](const QString& path) { seen(path, Seen::MovedIn); });
    connect(&m_watch, &FolderWatch::folderArrived, this, &FolderWatcher::scan);
    connect(&m_watch, &FolderWatch::folderGone, this, &FolderWatcher::folderGone);
    connect(&m_run, &BatchRun::taskStarted, this,
            [this](int row) { m_report.started(m_rows.caption(row)); });
    connect(&m_run, &BatchRun::taskEnded, this, &FolderWatcher::taskEnded);
    connect(&m_run, &BatchRun::ended, this, [this](const BatchOutcome& outcome) {
        if (outcome.kind == BatchOutcome::CannotStart) {
            // Nothing can be converted: the service manager may start the watcher again.
            m_report.note(QStringLiteral("encoder"), m_options.folder,
                          QStringLiteral("the encoder could not be started"));
            end(CannotGoOn);
        } else if (m_ending) {
            end(status());
        }
    });
    m_report.onLost([this] { QTimer::singleShot(0, this, [this] { stop(SIGPIPE); }); });
}

FolderWatcher::~FolderWatcher()
{
    m_report.onLost(nullptr);
}

QString FolderWatcher::ClaimPath(const QString& path)
{
    const QFileInfo info(path);
    return info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".framewright");
}

QString FolderWatcher::Forget(const QString& folder, bool subfolders, const QString& ledgerFile)
{
    QDirIterator claims(folder, {QStringLiteral(".*.framewright")}, QDir::Files | QDir::Hidden,
                        subfolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (claims.hasNext()) {
        FileClaim::Outcome outcome;
        if (std::unique_ptr<FileClaim> claim = FileClaim::take(claims.next(), &outcome))
            claim->remove();
    }
    return WatchLedger(ledgerFile).forget();
}

QString FolderWatcher::start(const Options& options, const QString& arguments,
                             const BatchSettings& settings)
{
    m_elapsed.start();
    m_options = options;
    m_options.folder = canonical(options.folder);
    m_arguments = arguments;
    m_settings = settings;
    if (!QFileInfo(m_options.folder).isDir())
        return QStringLiteral("the watched folder \"%1\" is no folder").arg(options.folder);
    // Its own outputs would arrive as new files to convert.
    const QString output = canonical(settings.outputFolder);
    if (output == m_options.folder || output.startsWith(WithBackslash(m_options.folder)))
        return QStringLiteral("the output folder \"%1\" is inside the watched folder \"%2\"")
            .arg(settings.outputFolder, options.folder);
    if (const QString error = m_ledger.load(); !error.isEmpty())
        return QStringLiteral("the ledger \"%1\" cannot be read: %2").arg(m_ledger.file(), error);
    if (!watchFolder())
        return QStringLiteral("the folder \"%1\" cannot be watched: %2")
            .arg(options.folder, m_watch.errorString());
    m_stopSignals = std::make_unique<StopSignals>();
    connect(m_stopSignals.get(), &StopSignals::received, this, &FolderWatcher::stop);
    // Watched first: a file that arrives during the scan is seen either way.
    scan(m_options.folder);
    m_report.note(
        QStringLiteral("watching"), m_options.folder,
        QStringLiteral("watching for files to convert (%1 done before)").arg(m_ledger.size()));
    return QString();
}

bool FolderWatcher::watchFolder()
{
    return m_watch.watch(m_options.folder, m_options.subfolders);
}

void FolderWatcher::scan(const QString& folder)
{
    // Hidden folders are left out, as hidden files are: the claims live in none.
    QDirIterator files(folder, QDir::Files,
                       m_options.subfolders ? QDirIterator::Subdirectories
                                            : QDirIterator::NoIteratorFlags);
    while (files.hasNext())
        seen(files.next(), Seen::Scanned);
}

void FolderWatcher::seen(const QString& path, Seen how)
{
    if (m_ending || IsPartialName(FileNamePart(path)) || !IsSupportedInput(path, m_extensions) ||
        m_taken.count(path) > 0)
        return;
    FileLook look = lookAt(path);
    if (look.size < 0 || m_ledger.done(path, look.size, look.modifiedMs))
        return;
    qint64 due = look.seenMs;
    if (how == Seen::Closed)
        due += m_options.settleMs; // it may be opened again to go on writing
    else if (how == Seen::MovedIn)
        look.seenMs -= m_options.settleMs; // moved in whole: settled as it arrives
    m_waiting.insert(path, look);
    m_looks.emplace(due, path);
    m_dueOf.insert(path, due);
    schedule();
}

void FolderWatcher::schedule()
{
    if (m_looks.empty()) {
        m_lookTimer.stop();
        return;
    }
    m_lookTimer.start(int(std::clamp<qint64>(m_looks.begin()->first - nowMs(), 0, 3600000)));
}

void FolderWatcher::lookAgain()
{
    const qint64 now = nowMs();
    while (!m_looks.empty() && m_looks.begin()->first <= now && !m_ending) {
        const auto [due, path] = *m_looks.begin();
        m_looks.erase(m_looks.begin());
        if (m_dueOf.value(path, -1) != due)
            continue; // seen again since: a later look stands in for this one
        const FileLook look = lookAt(path);
        const Settling settling = Settle(m_waiting.value(path), look, m_options.settleMs);
        if (settling.state == Settling::Wait) {
            m_waiting.insert(path, look);
            m_looks.emplace(settling.lookAtMs, path);
            m_dueOf.insert(path, settling.lookAtMs);
            continue;
        }
        m_waiting.remove(path);
        m_dueOf.remove(path);
        if (settling.state == Settling::Gone)
            m_report.note(QStringLiteral("skipped"), path,
                          QStringLiteral("the file went away before it was converted"));
        else
            take(path, look);
    }
    schedule();
}

void FolderWatcher::take(const QString& path, const FileLook& look)
{
    if (m_ledger.done(path, look.size, look.modifiedMs))
        return;
    // Converted earlier in the run under way, and changed since: it waits for the next run.
    if (m_rows.indexOf(path) >= 0 && m_run.state() != BatchRun::Idle) {
        m_waiting.insert(path, look);
        m_looks.emplace(look.seenMs + m_options.settleMs, path);
        m_dueOf.insert(path, look.seenMs + m_options.settleMs);
        return;
    }
    FileClaim::Outcome outcome;
    QByteArray held;
    QString error;
    std::unique_ptr<FileClaim> claim = FileClaim::take(ClaimPath(path), &outcome, &held, &error);
    if (outcome == FileClaim::HeldElsewhere) {
        m_report.note(QStringLiteral("skipped"), path,
                      QStringLiteral("another watcher is converting it"));
        return;
    }
    if (outcome == FileClaim::Failed)
        m_report.note(
            QStringLiteral("claim"), path,
            QStringLiteral("no claim can be put beside it (%1): converted unclaimed").arg(error));
    WatchLedger::Entry before;
    if (ReadLedgerLine(held, &before) && before.path == path && before.size == look.size &&
        before.modifiedMs == look.modifiedMs) {
        // Done as it is now by another watcher of the folder: this one's ledger learns it.
        m_ledger.record(before);
        return;
    }
    if (m_run.state() == BatchRun::Idle)
        m_model.removeRows(0, m_model.rowCount()); // what earlier runs did is in the ledger
    m_taken.emplace(path, Taken{look, std::move(claim)});
    ++m_tally.tasks;
    ltvItemData task;
    task.InputFile = path;
    task.Status = QLatin1String(TaskStatus::Added);
    task.NewFileName = WithoutExtension(FileNamePart(path));
    task.NewFileExt = m_settings.outputExt;
    m_rows.appendTask(task);
    if (m_run.state() == BatchRun::Idle)
        m_run.RunBatch(m_arguments, m_settings);
}

void FolderWatcher::taskEnded(int row, TaskState state, const QString& output,
                              const QString& reason)
{
    const QString path = m_rows.caption(row);
    auto found = m_taken.find(path);
    if (found == m_taken.end())
        return;
    Taken taken = std::move(found->second);
    m_taken.erase(found);
    m_report.ended(path, state, output, reason);
    if (state == TaskState::Stopped) {
        ++m_tally.stopped;
        if (taken.claim && taken.claim->write(QByteArray()).isEmpty())
            taken.claim->remove(); // tried again at the next start
        return;
    }
    const QStringList why = reason.trimmed().split(QLatin1Char('\n'));
    WatchLedger::Entry entry{path, taken.look.size, taken.look.modifiedMs, TaskStatus::word(state),
                             state == TaskState::Complete ? output : why.constLast()};
    if (const QString error = m_ledger.record(entry); !error.isEmpty())
        m_report.note(QStringLiteral("ledger"), m_ledger.file(),
                      QStringLiteral("cannot be written: %1").arg(error));
    if (state == TaskState::Complete) {
        ++m_tally.complete;
        if (m_options.done != AfterDone::Keep && afterComplete(path, taken.claim))
            return;
    } else {
        ++m_tally.failed;
    }
    if (taken.claim)
        taken.claim->write(LedgerLine(entry));
}

bool FolderWatcher::afterComplete(const QString& path, std::unique_ptr<FileClaim>& claim)
{
    QFile input(path);
    const bool moving = m_options.done == AfterDone::Move;
    const QString target = WithBackslash(m_options.doneFolder) + FileNamePart(path);
    const bool done = moving ? !QFileInfo::exists(target) && input.rename(target) : input.remove();
    if (!done) {
        m_report.note(QStringLiteral("done"), path,
                      moving ? QStringLiteral("cannot be moved to \"%1\": %2")
                                   .arg(target, QFileInfo::exists(target)
                                                    ? QStringLiteral("a file of that name is there")
                                                    : input.errorString())
                             : QStringLiteral("cannot be deleted: %1").arg(input.errorString()));
        return false;
    }
    if (claim)
        claim->remove();
    return true;
}

void FolderWatcher::folderGone()
{
    if (m_ending)
        return;
    m_report.note(QStringLiteral("folder"), m_options.folder,
                  QStringLiteral("the watched folder has gone or cannot be read; it is watched "
                                 "again when it is back"));
    m_retry.start();
}

void FolderWatcher::stop(int signal)
{
    if (m_signal != 0)
        return;
    m_signal = signal;
    m_ending = true;
    m_watch.clear();
    m_lookTimer.stop();
    m_retry.stop();
    if (m_run.state() == BatchRun::Converting)
        m_run.Stop(); // ends through the run's end
    else if (m_run.state() == BatchRun::Idle)
        end(status());
}

int FolderWatcher::status() const
{
    return m_signal == SIGPIPE ? 128 + SIGPIPE : m_tally.failed > 0 ? 1 : 0;
}

void FolderWatcher::end(int status)
{
    m_ending = true;
    m_watch.clear();
    m_lookTimer.stop();
    m_retry.stop();
    m_report.summary(m_tally, m_elapsed.elapsed(), status);
    emit finished(status);
}
