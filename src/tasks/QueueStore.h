#pragma once

#include "engine/TaskRecord.h"

#include <QList>
#include <QString>

#include <utility>

// The task list kept from one run of the program to the next: a JSON file in the data folder
// holding each task's whole record. It is replaced whole, atomically, so that a crash while
// writing leaves the previous list.
class QueueStore final
{
public:
    explicit QueueStore(QString path) : m_path(std::move(path)) {}
    // The store of a data folder (given with a separator at its end).
    static QueueStore InFolder(const QString& dataFolder);

    struct Loaded
    {
        QList<TaskRecord> tasks;
        QString problem;  // why the file could not be read; empty when it was, or is missing
        QString setAside; // where the unreadable file was moved; empty when it could not be
        // The tasks that failed their checks, each as its input and why; they are kept as a
        // list of their own in `rejectedKept`, empty when that could not be written.
        QStringList rejected;
        QString rejectedKept;
    };
    // The kept list; empty when there is no file. A file that cannot be read is moved aside
    // under a name of its own, so that the next save does not overwrite it; so are the tasks
    // that fail their checks (KeptTaskFault, a state that is not ours), while the others come
    // back. A task that was converting when the program ended comes back stopped; one whose
    // input has gone since, failed, unless it was complete.
    Loaded load() const;
    // Replaces the file with the list; returns why it could not, or an empty text.
    QString save(const QList<TaskRecord>& tasks) const;

    const QString& path() const { return m_path; }

private:
    QString setAside() const;
    // A name beside the file that is free, never an earlier bad file's: that one is somebody's
    // list too. Empty when there is none.
    QString freeBadName() const;

    QString m_path;
};
