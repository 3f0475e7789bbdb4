#include "QueueStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {
using Field = QString TaskRecord::*;

struct NamedField
{
    const char* key;
    Field field;
};
// Empty texts are left out of the file; a missing key reads as empty.
constexpr NamedField fields[] = {
    {"input", &TaskRecord::inputPath},
    {"length", &TaskRecord::length},
    {"size", &TaskRecord::size},
    {"newName", &TaskRecord::newName},
    {"newExt", &TaskRecord::newExt},
    {"sourceStart", &TaskRecord::sourceStart},
    {"sourceEnd", &TaskRecord::sourceEnd},
    {"clipLength", &TaskRecord::clipLength},
    {"startTime", &TaskRecord::startTime},
    {"endTime", &TaskRecord::endTime},
    {"failureReason", &TaskRecord::failureReason},
    {"outputPath", &TaskRecord::outputPath},
    {"encoderOutput", &TaskRecord::encoderOutput},
};

struct NamedState
{
    TaskState state;
    const char* key;
};
// Names of our own rather than the list's words, which are for the user and may change.
constexpr NamedState states[] = {{TaskState::Added, "added"},
                                 {TaskState::Converting, "converting"},
                                 {TaskState::Complete, "complete"},
                                 {TaskState::Failed, "failed"},
                                 {TaskState::Stopped, "stopped"}};

QString stateKey(TaskState state)
{
    for (const NamedState& named : states) {
        if (named.state == state)
            return QLatin1String(named.key);
    }
    return {};
}

TaskState stateNamed(const QString& key)
{
    for (const NamedState& named : states) {
        if (key == QLatin1String(named.key))
            return named.state;
    }
    return TaskState::Added;
}

QByteArray toJson(const QList<TaskRecord>& tasks)
{
    QJsonArray list;
    for (const TaskRecord& task : tasks) {
        QJsonObject object;
        for (const NamedField& named : fields) {
            const QString& text = task.*named.field;
            if (text.isEmpty())
                continue;
            object.insert(QLatin1String(named.key), text);
        }
        object.insert(QLatin1String("state"), stateKey(task.state));
        if (task.progress != 0)
            object.insert(QLatin1String("progress"), task.progress);
        list.append(object);
    }
    const QJsonObject root{{QLatin1String("version"), 1}, {QLatin1String("tasks"), list}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

// Fills `tasks` from the file's bytes; returns what is wrong with them, or an empty text.
QString fromJson(const QByteArray& bytes, QList<TaskRecord>& tasks)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("%1 at byte %2").arg(error.errorString()).arg(error.offset);
    const QJsonValue list = document.object().value(QLatin1String("tasks"));
    if (!list.isArray())
        return QStringLiteral("it holds no task list");
    const QJsonArray array = list.toArray();
    tasks.reserve(array.size());
    for (const QJsonValue& value : array) {
        const QJsonObject object = value.toObject();
        TaskRecord task;
        for (const NamedField& named : fields)
            task.*named.field = object.value(QLatin1String(named.key)).toString();
        if (task.inputPath.isEmpty())
            return QStringLiteral("task %1 names no input file").arg(tasks.size() + 1);
        task.state = stateNamed(object.value(QLatin1String("state")).toString());
        // Its conversion ended with the program, unfinished.
        if (task.state == TaskState::Converting)
            task.state = TaskState::Stopped;
        task.progress = object.value(QLatin1String("progress")).toInt();
        tasks.append(task);
    }
    return {};
}
} // namespace

QueueStore QueueStore::InFolder(const QString& dataFolder)
{
    return QueueStore(dataFolder + QStringLiteral("Queue.json"));
}

QueueStore::Loaded QueueStore::load() const
{
    Loaded loaded;
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink())
        return loaded;
    if (!info.isFile()) {
        // A pipe would hold the start-up until someone wrote to it.
        loaded.problem = QStringLiteral("it is not a regular file");
    } else {
        QFile file(m_path);
        if (file.open(QIODevice::ReadOnly))
            loaded.problem = fromJson(file.readAll(), loaded.tasks);
        else
            loaded.problem = file.errorString();
    }
    if (!loaded.problem.isEmpty()) {
        loaded.tasks.clear();
        loaded.setAside = setAside();
    }
    return loaded;
}

QString QueueStore::setAside() const
{
    // Never over an earlier bad file: that one is somebody's list too.
    for (int number = 1; number < 100; ++number) {
        const QString aside =
            m_path + QStringLiteral(".bad") + (number > 1 ? QString::number(number) : QString());
        if (QFileInfo::exists(aside) || QFileInfo(aside).isSymLink())
            continue;
        return QDir().rename(m_path, aside) ? aside : QString();
    }
    return {};
}

QString QueueStore::save(const QList<TaskRecord>& tasks) const
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    file.write(toJson(tasks));
    if (!file.commit())
        return file.errorString();
    return {};
}
