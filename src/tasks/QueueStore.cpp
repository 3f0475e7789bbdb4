#include "QueueStore.h"

#include "KeptTaskCheck.h"
#include "engine/TaskFields.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <optional>

namespace {
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

// A hand-edited file may spell a state in capitals; a word that is none of ours names nothing.
std::optional<TaskState> stateNamed(const QString& key)
{
    for (const NamedState& named : states) {
        if (key.compare(QLatin1String(named.key), Qt::CaseInsensitive) == 0)
            return named.state;
    }
    return std::nullopt;
}

QByteArray listJson(const QJsonArray& list)
{
    const QJsonObject root{{QLatin1String("version"), 1}, {QLatin1String("tasks"), list}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

QByteArray toJson(const QList<TaskRecord>& tasks)
{
    QJsonArray list;
    for (const TaskRecord& task : tasks) {
        QJsonObject object;
        // An empty text is left out: a missing key reads as empty.
        for (const TaskField& field : TaskFields) {
            if (!field.key || (task.*field.text).isEmpty())
                continue;
            object.insert(QLatin1String(field.key), task.*field.text);
        }
        object.insert(QLatin1String("state"), stateKey(task.state));
        if (task.progress != 0)
            object.insert(QLatin1String("progress"), task.progress);
        list.append(object);
    }
    return listJson(list);
}

// One copy of each short text of a list, shared by every task that holds it: ten thousand
// tasks hold a handful of lengths, sizes and extensions between them.
class SharedTexts final
{
public:
    QString operator()(QString text)
    {
        constexpr qsizetype Short = 24;
        if (text.isEmpty() || text.size() > Short)
            return text;
        return *m_texts.insert(std::move(text));
    }

private:
    QSet<QString> m_texts;
};

// The task an entry of the list holds, or why it cannot come back.
QString taskOf(const QJsonValue& value, TaskRecord& task, SharedTexts& shared)
{
    if (!value.isObject())
        return QStringLiteral("it is not a task");
    const QJsonObject object = value.toObject();
    for (const TaskField& field : TaskFields) {
        if (field.key)
            task.*field.text = shared(object.value(QLatin1String(field.key)).toString());
    }
    const QJsonValue state = object.value(QLatin1String("state"));
    const std::optional<TaskState> named = state.isUndefined()
                                               ? std::optional<TaskState>(TaskState::Added)
                                               : stateNamed(state.toString());
    if (!named)
        return QStringLiteral("its state \"%1\" is none of ours").arg(state.toString().left(40));
    task.state = *named;
    task.progress = std::clamp(object.value(QLatin1String("progress")).toInt(), 0, 100);
    return KeptTaskFault(task);
}

// Fills `tasks` from the file's bytes, and `rejected` with the entries that cannot come back
// (with why, in `reasons`); returns what is wrong with the whole, or an empty text.
QString fromJson(const QByteArray& bytes, QList<TaskRecord>& tasks, QJsonArray& rejected,
                 QStringList& reasons)
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
    SharedTexts shared;
    for (const QJsonValue& value : array) {
        TaskRecord task;
        if (const QString fault = taskOf(value, task, shared); !fault.isEmpty()) {
            rejected.append(value);
            // Named on one line of the message, however it is spelt.
            QString named = task.inputPath.left(200);
            named.replace(QLatin1Char('\n'), QLatin1String("\\n"))
                .replace(QLatin1Char('\r'), QLatin1String("\\r"));
            const QString input =
                named.isEmpty() ? QStringLiteral("task %1").arg(tasks.size() + rejected.size())
                                : QLatin1Char('"') + named + QLatin1Char('"');
            reasons.append(input + QStringLiteral(": ") + fault);
            continue;
        }
        // Its conversion ended with the program, unfinished.
        if (task.state == TaskState::Converting)
            task.state = TaskState::Stopped;
        // Ready-looking, it would fail only once converted.
        if (task.state != TaskState::Complete && !QFileInfo::exists(task.inputPath)) {
            task.state = TaskState::Failed;
            task.failureReason = QStringLiteral("The file no longer exists");
        }
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
    // A pipe would hold the start-up until someone wrote to it.
    const RegularFileRead read = ReadRegularFile(m_path);
    if (read.missing && !QFileInfo(m_path).isSymLink())
        return loaded;
    QJsonArray rejected;
    loaded.problem = read.error.isEmpty()
                         ? fromJson(read.bytes, loaded.tasks, rejected, loaded.rejected)
                         : read.error;
    if (!loaded.problem.isEmpty()) {
        loaded.tasks.clear();
        loaded.rejected.clear();
        loaded.setAside = setAside();
    } else if (!rejected.isEmpty()) {
        const QString kept = freeBadName();
        QFile file(kept);
        if (!kept.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            const QByteArray bytes = listJson(rejected);
            if (file.write(bytes) == bytes.size() && file.flush())
                loaded.rejectedKept = kept;
            else
                file.remove(); // ours, half written
        }
    }
    return loaded;
}

QString QueueStore::freeBadName() const
{
    for (int number = 1; number < 100; ++number) {
        const QString aside =
            m_path + QStringLiteral(".bad") + (number > 1 ? QString::number(number) : QString());
        if (!QFileInfo::exists(aside) && !QFileInfo(aside).isSymLink())
            return aside;
    }
    return {};
}

QString QueueStore::setAside() const
{
    const QString aside = freeBadName();
    return !aside.isEmpty() && QDir().rename(m_path, aside) ? aside : QString();
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
