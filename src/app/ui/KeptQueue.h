#pragma once

#include "engine/TaskRecord.h"
#include "tasks/QueueStore.h"

#include <QList>
#include <QObject>

#include <functional>
#include <future>

class QueueKeeper;
class TaskModel;
class QWidget;

// The window side of the task list kept between runs: the list of the last run comes back at
// start-up, every change is saved from then on, and what is pending is written as the window
// closes. A file that cannot be read or written is told of once, without holding anything up.
class KeptQueue final : public QObject
{
    Q_OBJECT
public:
    KeptQueue(QWidget* form, TaskModel* model, const QString& dataFolder);

    // Hands the tasks of the last run to `show`, which puts them in the list; saving starts
    // after it, so that the list just read is not written again.
    void restore(const std::function<void(const QList<TaskRecord>&)>& show);
    // The same with the file read on a thread, so that the window is on screen meanwhile; `then`
    // follows once the tasks are in the list.
    void restoreLater(std::function<void(const QList<TaskRecord>&)> show,
                      std::function<void()> then);
    // Whether the kept list's file is more than an empty list, before it is read.
    bool mayHoldTasks() const;
    // Whether the kept list is still being read.
    bool restoring() const { return m_loading.valid(); }
    // Another window owns the list: this one says once that its tasks are not kept.
    void standAside();
    void flush();

private:
    void take(const QueueStore::Loaded& loaded,
              const std::function<void(const QList<TaskRecord>&)>& show);
    void tell(const QString& text);

    // The tasks of the list just read, their encoder messages in log files where the last run
    // kept them in the list; logs of no task are removed when every task came back.
    QList<TaskRecord> withLogs(const QueueStore::Loaded& loaded);

    QWidget* m_form;
    TaskModel* m_model;
    QString m_logFolder;
    QueueKeeper* m_keeper;
    bool m_toldSaveFailed = false;
    std::future<QueueStore::Loaded> m_loading;
};
