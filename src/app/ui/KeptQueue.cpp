#include "KeptQueue.h"

#include "Notice.h"
#include "tasks/QueueKeeper.h"

#include <QDir>

#include <utility>

KeptQueue::KeptQueue(QWidget* form, TaskModel* model, const QString& dataFolder)
    : QObject(form), m_form(form),
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
    const QueueStore::Loaded loaded = m_keeper->store().load();
    show(loaded.tasks);
    const QString path = QDir::toNativeSeparators(m_keeper->store().path());
    if (loaded.problem.isEmpty()) {
        m_keeper->start();
    } else if (!loaded.setAside.isEmpty()) {
        m_keeper->start();
        tell(QStringLiteral("The task list saved by the last run could not be read from \"%1\" "
                            "(%2). The list starts empty; the file was kept as \"%3\".")
                 .arg(path, loaded.problem, QDir::toNativeSeparators(loaded.setAside)));
    } else {
        // Saving now would overwrite the only copy of that list.
        tell(QStringLiteral("The task list saved by the last run could not be read from \"%1\" "
                            "(%2), nor moved aside. The list starts empty and will not be "
                            "saved this time, so that the file stays as it is.")
                 .arg(path, loaded.problem));
    }
}

void KeptQueue::flush()
{
    m_keeper->flush();
}

void KeptQueue::tell(const QString& text)
{
    ShowNotice(m_form, QStringLiteral("Framewright"), text, QMessageBox::Warning);
}
