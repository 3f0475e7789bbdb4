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
    };
    // The kept list; empty when there is no file. A file that cannot be read is moved aside
    // under a name of its own, so that the next save does not overwrite it. A task that was
    // converting when the program ended comes back stopped.
    Loaded load() const;
    // Replaces the file with the list; returns why it could not, or an empty text.
    QString save(const QList<TaskRecord>& tasks) const;

    const QString& path() const { return m_path; }

private:
    QString setAside() const;

    QString m_path;
};
