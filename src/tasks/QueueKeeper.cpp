#include "QueueKeeper.h"

#include "engine/TaskModel.h"

#include <utility>

QueueKeeper::QueueKeeper(TaskModel* model, QueueStore store, QObject* parent)
    : QObject(parent), m_model(model), m_store(std::move(store))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(Delay);
    connect(&m_timer, &QTimer::timeout, this, &QueueKeeper::write);
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(MaxDelay);
    connect(&m_deadline, &QTimer::timeout, this, &QueueKeeper::write);
}

QueueKeeper::~QueueKeeper()
{
    if (m_writing.valid())
        m_writing.wait();
    if (m_pending && m_model)
        m_store.save(m_model->tasks()); // nobody is left to tell of an error
}

void QueueKeeper::start()
{
    const auto changed = [this] { this->changed(); };
    connect(m_model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(m_model, &QAbstractItemModel::rowsMoved, this, changed);
    connect(m_model, &QAbstractItemModel::modelReset, this, changed);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, changed);
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles != QList<int>{TaskModel::ProgressRole})
                    this->changed();
            });
}

void QueueKeeper::changed()
{
    if (!std::exchange(m_pending, true))
        m_deadline.start();
    if (!m_writing.valid())
        m_timer.start();
}

void QueueKeeper::write()
{
    if (!m_pending || !m_model || m_writing.valid())
        return;
    m_pending = false;
    m_timer.stop();
    m_deadline.stop();
    const quint64 number = ++m_writes;
    // The list is shared, not copied: the model makes its own copy at its next change.
    m_writing =
        std::async(std::launch::async, [this, store = m_store, tasks = m_model->tasks(), number] {
            QString error = store.save(tasks);
            QMetaObject::invokeMethod(
                this, [this, number] { written(number); }, Qt::QueuedConnection);
            return error;
        });
}

void QueueKeeper::written(quint64 number)
{
    if (number != m_writes || !m_writing.valid())
        return; // flush() has waited for it already
    report(m_writing.get());
    // What changed during the write has waited already.
    if (m_pending && !m_deadline.isActive())
        write();
    else if (m_pending)
        m_timer.start();
}

void QueueKeeper::flush()
{
    m_timer.stop();
    m_deadline.stop();
    if (m_writing.valid())
        report(m_writing.get());
    if (m_pending && m_model) {
        m_pending = false;
        ++m_writes;
        report(m_store.save(m_model->tasks()));
    }
}

void QueueKeeper::report(const QString& error)
{
    if (!error.isEmpty())
        emit saveFailed(error);
}
