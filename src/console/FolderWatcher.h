#pragma once

#include "ConsoleReport.h"
#include "engine/BatchRun.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "platform/FileClaim.h"
#include "platform/FolderWatch.h"
#include "platform/StopSignals.h"
#include "tasks/WatchLedger.h"
#include "tasks/WatchRules.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

// The batch command watching a folder: every supported file in it that was not converted
// before, then every file that arrives, is converted once with the run's rules, until a stop
// signal. A file is taken when the kernel says it was moved in, or when it was closed after
// writing and has settled since; a claim beside it keeps any other watcher of the folder off
// it, and stays after the conversion, holding its outcome, as the ledger of this data folder
// does for a restart.
class FolderWatcher final : public QObject
{
    Q_OBJECT
public:
    enum class AfterDone { Keep, Move, Delete };
    // The exit status when the watcher cannot go on (no encoder to start); 0 or 1 when stopped,
    // as some files failed or none did.
    static constexpr int CannotGoOn = 3;
    struct Options
    {
        QString folder;
        bool subfolders = false;
        qint64 settleMs = 5000;
        AfterDone done = AfterDone::Keep;
        QString doneFolder; // for Move
    };

    FolderWatcher(const QString& encoderPath, ConsoleReport& report, const QString& ledgerFile,
                  QObject* parent = nullptr);
    ~FolderWatcher() override;

    // Starts watching and converting; empty when under way, otherwise why not.
    QString start(const Options& options, const QString& arguments, const BatchSettings& settings);
    // A stop signal: conversions under way are stopped, and the watcher ends.
    void stop(int signal);

    // The claim beside a file.
    static QString ClaimPath(const QString& path);
    // Forgets what was done with the folder's files: its ledger, and the claims left beside
    // them that nobody holds. Empty when done, otherwise why not.
    static QString Forget(const QString& folder, bool subfolders, const QString& ledgerFile);

signals:
    void finished(int exitStatus);

private:
    struct Taken
    {
        FileLook look;
        std::unique_ptr<FileClaim> claim;
    };

    bool watchFolder();
    void scan(const QString& folder);
    // A file seen: by the first scan, closed after writing, or moved in.
    enum class Seen { Scanned, Closed, MovedIn };
    void seen(const QString& path, Seen how);
    void lookAgain();
    void schedule();
    void take(const QString& path, const FileLook& look);
    void taskEnded(int row, TaskState state, const QString& output, const QString& reason);
    // Moves or deletes the input as asked; false, said, when it cannot.
    bool afterComplete(const QString& path, std::unique_ptr<FileClaim>& claim);
    void folderGone();
    int status() const;
    void end(int status);

    ConsoleReport& m_report;
    TaskModel m_model;
    TaskRows m_rows{&m_model};
    BatchRun m_run;
    FolderWatch m_watch;
    WatchLedger m_ledger;
    QStringList m_extensions;
    Options m_options;
    QString m_arguments;
    BatchSettings m_settings;
    QHash<QString, FileLook> m_waiting;     // files not settled yet, as last looked at
    std::multimap<qint64, QString> m_looks; // when to look at each again
    QHash<QString, qint64> m_dueOf;         // the look that counts for each
    QTimer m_lookTimer;
    QTimer m_retry;                   // while the folder is gone
    std::map<QString, Taken> m_taken; // being converted
    std::unique_ptr<StopSignals> m_stopSignals;
    ConsoleReport::Tally m_tally;
    QElapsedTimer m_elapsed;
    int m_signal = 0;
    bool m_ending = false;
};
