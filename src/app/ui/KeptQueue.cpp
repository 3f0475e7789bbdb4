#include "KeptQueue.h"

#include "Notice.h"
#include "engine/TaskLogs.h"
#include "engine/TaskModel.h"
#include "platform/FreedMemory.h"
#include "tasks/QueueKeeper.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <utility>

KeptQueue::KeptQueue(QWidget* form, TaskModel* model, const QString& dataFolder)
    : QObject(form), m_form(form), m_model(model),
      m_logFolder(dataFolder + QStringLiteral("Logs/")),
      m_keeper(new QueueKeeper(model, QueueStore::InFolder(dataFolder), this))
{
    connect(m_keeper, &QueueKeeper::saveFailed, this, [this](const QString& reason) {
        // Once: the next write would most likely fail the same way.
        if (std::exchange(m_toldSaveFailed, true))
            return;
        tell(QStringLiteral("The task list cannot be saved to \"%1\" (%2). It will not come "
                            "back at the next start.")
                 .arg(QDir::toNativeSeparators(m_keeper->store().path()), reason));
    });
}

void KeptQueue::restore(const std::function<void(const QList<TaskRecord>&)>& show)
{
    take(m_keeper->store().load(), show);
}

void KeptQueue::restoreLater(std::function<void(const QList<TaskRecord>&)> show,
                             std::function<void()> then)
{
    // The store only reads (and sets a bad file aside): nothing the window touches meanwhile.
    m_loading = std::async(std::launch::async, [this, store = m_keeper->store(), show, then] {
        QueueStore::Loaded loaded = store.load();
        QMetaObject::invokeMethod(
            this,
            [this, show, then] {
                take(m_loading.get(), show);
                // The file's text and its parse, freed on the thread that read them.
                ReturnFreedMemory();
                then();
            },
            Qt::QueuedConnection);
        return loaded;
    });
}

bool KeptQueue::mayHoldTasks() const
{
    constexpr qint64 EmptyList = 64; // {"version":1,"tasks":[]} and then some
    return QFileInfo(m_keeper->store().path()).size() > EmptyList;
}

void KeptQueue::take(const QueueStore::Loaded& loaded,
                     const std::function<void(const QList<TaskRecord>&)>& show)
{
    show(withLogs(loaded));
    const QString path = QDir::toNativeSeparators(m_keeper->store().path());
    if (!loaded.problem.isEmpty()) {
        if (!loaded.setAside.isEmpty()) {
            m_keeper->start();
            tell(QStringLiteral("The task list saved by the last run could not be read from "
                                "\"%1\" (%2). The list starts empty; the file was kept as \"%3\".")
                     .arg(path, loaded.problem, QDir::toNativeSeparators(loaded.setAside)));
        } else {
            // Saving now would overwrite the only copy of that list.
            tell(QStringLiteral("The task list saved by the last run could not be read from "
                                "\"%1\" (%2), nor moved aside. The list starts empty and will not "
                                "be saved this time, so that the file stays as it is.")
                     .arg(path, loaded.problem));
        }
        return;
    }
    if (loaded.rejected.isEmpty()) {
        m_keeper->start();
        return;
    }
    constexpr int Named = 5;
    QString text = QStringLiteral("%1 task(s) of the task list saved by the last run were left "
                                  "out, because the file holds values the program would not "
                                  "write:\n%2")
                       .arg(loaded.rejected.size())
                       .arg(loaded.rejected.mid(0, Named).join(QLatin1Char('\n')));
    if (loaded.rejected.size() > Named)
        text += QStringLiteral("\nand %1 more.").arg(loaded.rejected.size() - Named);
    if (!loaded.rejectedKept.isEmpty()) {
        m_keeper->start();
        text += QStringLiteral("\nThey were kept as \"%1\"; the other tasks are back in the list.")
                    .arg(QDir::toNativeSeparators(loaded.rejectedKept));
    } else {
        // Saving now would lose them: they are nowhere else.
        text += QStringLiteral("\nThey could not be kept in a file of their own, so the list will "
                               "not be saved this time and \"%1\" stays as it is.")
                    .arg(path);
    }
    tell(text);
}

QList<TaskRecord> KeptQueue::withLogs(const QueueStore::Loaded& loaded)
{
    // Only the window that keeps the list keeps logs beside it: another one's would outlive it.
    auto* logs = new TaskLogs(m_logFolder, m_model);
    m_model->setLogs(logs);
    QList<TaskRecord> tasks = loaded.tasks; // shared, not copied, unless a log moves out
    QSet<QString> names;
    for (qsizetype row = 0; row < tasks.size(); ++row) {
        const TaskRecord& task = std::as_const(tasks)[row];
        if (!task.encoderOutput.isEmpty()) {
            if (const QString name = logs->keep(task.logName, task.encoderOutput);
                !name.isEmpty()) {
                tasks[row].logName = name;
                tasks[row].encoderOutput.clear();
            }
        }
        names.insert(std::as_const(tasks)[row].logName);
    }
    // The logs of the tasks set aside stay with them.
    if (loaded.problem.isEmpty() && loaded.rejected.isEmpty())
        logs->keepOnly(names);
    return tasks;
}

void KeptQueue::standAside()
{
    tell(QStringLiteral("Another Framewright window uses the task list kept in \"%1\" but does "
                        "not answer. This window works on its own: its tasks are not saved and "
                        "will not come back at the next start.")
             .arg(QDir::toNativeSeparators(m_keeper->store().path())));
}

void KeptQueue::flush()
{
    m_keeper->flush();
}

void KeptQueue::tell(const QString& text)
{
    ShowNotice(m_form, QStringLiteral("Framewright"), text, QMessageBox::Warning);
}
