#pragma once

#include "InputScan.h"
#include "OutputOptions.h"
#include "engine/MediaProbe.h"
#include "engine/ltvItemData.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

class TaskRows;

// Every road by which inputs enter the task list ends here, for the window and the console
// alike: one file becomes one task, a folder becomes a task per supported file inside it, and
// every other path is refused with its reason, each path looked at once. A task's row appears at
// once, with its name and output options; its length and frame size come from a probe, which may
// end later (Apply).
class TaskAdder final
{
public:
    struct Hooks
    {
        std::function<QString()> outputExt; // the loaded profile's extension, "" if none
        std::function<void()> adding;       // told of every AddTask, duplicates included
        // Asks for the new task's probe; its facts come back through Apply, at once or later.
        std::function<void(const QString&)> probe;
    };

    TaskAdder(TaskRows& rows, QStringList extensions, Hooks hooks);

    // Adds one task unless a row has exactly this caption already, or the path names a FIFO, a
    // device or a socket (kept for takeRefused instead). Checks neither existence nor
    // extension: callers do.
    void AddTask(const QString& path);
    // Adds the supported files directly inside the folder, in name order.
    void AddFolder(const QString& folder);
    // A dropped or command-line path: a folder's inputs, a supported file, or a refusal (no
    // such file, no regular file, not supported). An empty path is passed over.
    void AddPath(const QString& path);
    // AddPath for each, the files among them going into the list in one insertion, as a
    // folder's do: ten thousand lines of a list cost one change of the list, not one each.
    void AddPaths(const QStringList& paths);
    // The command line: paths, or the lines of a ".tmp" list file named first, as
    // CommandLinePaths reads them in the folder given.
    void AddCommandLine(const QStringList& arguments,
                        const QString& currentFolder = QDir::currentPath());

    // A command line read and each of its paths looked at, nothing added yet.
    struct LookedPaths
    {
        enum Kind { Folder, File, Other, Missing };
        QList<std::pair<QString, Kind>> paths;
        QList<RefusedInput> refused; // of the list file and its lines
    };
    // The first half of AddCommandLine: reads the list file and looks at every path, touching
    // nothing of the list, so that it may run on a thread of its own; ten thousand lines are
    // ten thousand looks at the disk.
    static LookedPaths LookAtCommandLine(const QStringList& arguments,
                                         const QString& currentFolder);
    // The second half: adds what was looked at, as AddPaths would.
    void AddLooked(const LookedPaths& looked);

    // Asks for the facts of a task already in the list, one brought back from the last run
    // before its file was read; they come back through Apply.
    void Probe(const QString& path);

    // Fills the task of that path with its probe's facts: length, size, and the source and
    // clip times they give. A task that has left the list meanwhile is passed over. Returns
    // its row, or -1.
    int Apply(const QString& path, const MediaProbe::Facts& facts);

    // The task of that path has left the list and its probe was called off: nothing is
    // awaited or held for it any longer.
    void Forget(const QString& path);

    // Output options the user stored into a task whose file is still being read. Apply stores
    // them again once the probe's times are in, so that the probe does not replace the user's
    // times; the latest edit counts. Nothing is held for a task already read.
    void HoldEdit(const QString& path, const OutputOptions& typed);
    // The edit held for the path, or none.
    const OutputOptions* HeldEdit(const QString& path) const;

    const QStringList& extensions() const { return m_extensions; }

    // The paths left out since the last call, each with its reason, in the order they came;
    // the list starts empty again. A path already in the list is not refused: it is there.
    QList<RefusedInput> takeRefused() { return std::exchange(m_refused, {}); }
    // How many paths since the last call named a file the list holds already.
    int takeDuplicates() { return std::exchange(m_duplicates, 0); }

private:
    // A new task's record: its name and output options, nothing read yet.
    ltvItemData newTask(const QString& path) const;
    // Appends the files of AddPaths gathered so far and asks for their probes.
    void appendBatch();
    // Adds a file known to be regular, unless a row has exactly this caption already.
    void addFile(const QString& path);
    static LookedPaths::Kind kindOf(const QString& path);
    // Runs `add` with the files it adds going into the list in one insertion at its end.
    void inOneInsertion(const std::function<void()>& add);
    // AddPath once the path has been looked at.
    void addLooked(const QString& path, LookedPaths::Kind kind);

    TaskRows& m_rows;
    QStringList m_extensions;
    Hooks m_hooks;
    QHash<QString, int> m_unread; // probes asked for and not yet applied, by path
    QHash<QString, OutputOptions> m_held;
    QList<RefusedInput> m_refused;
    int m_duplicates = 0;
    // Within AddPaths: the files still to go in, and their paths.
    std::optional<QList<ltvItemData>> m_batch;
    QSet<QString> m_batched;
};
