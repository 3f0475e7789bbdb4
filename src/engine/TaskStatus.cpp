#include "TaskStatus.h"

namespace {
struct Named
{
    TaskState state;
    const char* word;
};
constexpr Named words[] = {{TaskState::Added, TaskStatus::Added},
                           {TaskState::Converting, TaskStatus::Converting},
                           {TaskState::Complete, TaskStatus::Complete},
                           {TaskState::Failed, TaskStatus::Failed},
                           {TaskState::Stopped, TaskStatus::Stopped}};
} // namespace

QString TaskStatus::word(TaskState state)
{
    for (const Named& named : words) {
        if (named.state == state)
            return QLatin1String(named.word);
    }
    return {};
}

TaskState TaskStatus::state(const QString& word)
{
    for (const Named& named : words) {
        if (word == QLatin1String(named.word))
            return named.state;
    }
    return TaskState::Added;
}
