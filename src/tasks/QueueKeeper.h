#pragma once

#include "tasks/QueueStore.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <future>

class TaskModel;

// Keeps the task list saved: a change of the model is written to the store once the changes
// pause for a moment, and no later than a few seconds after it was made, however steadily more
// follow: reading ten thousand files writes the list a few times, not once every moment. The
// progress of a conversion under way alone is not worth a write. The file is written on a thread
// of its own, so that a long list does not hold up the window.
class QueueKeeper final : public QObject
{
    Q_OBJECT
public:
    static constexpr int Delay = 500;     // ms of quiet after a change before it is written
    static constexpr int MaxDelay = 3000; // ms from a change to its write at the latest

    QueueKeeper(TaskModel* model, QueueStore store, QObject* parent = nullptr);
    // Waits for a write under way and writes what is still pending.
    ~QueueKeeper() override;

    // Follows the model from now on; what it holds now counts as saved.
    void start();
    // Writes what is pending at once and returns when it is on disk.
    void flush();

    const QueueStore& store() const { return m_store; }

signals:
    void saveFailed(const QString& reason);

private:
    void changed();
    void write();
    void written(quint64 number);
    void report(const QString& error);

    QPointer<TaskModel> m_model;
    QueueStore m_store;
    QTimer m_timer;                 // the quiet after the latest change
    QTimer m_deadline;              // the longest the oldest unwritten change waits
    std::future<QString> m_writing; // the write under way, with its error
    quint64 m_writes = 0;           // tells the report of the write under way from older ones
    bool m_pending = false;         // a change not yet handed to a write
};
