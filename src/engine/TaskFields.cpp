#include "TaskFields.h"

#include "engine/TaskStatus.h"

QString TaskFieldText(const TaskRecord& task, const TaskField& field)
{
    return field.text ? task.*field.text : TaskStatus::word(task.state);
}

void SetTaskFieldText(TaskRecord& task, const TaskField& field, const QString& text)
{
    if (field.text)
        task.*field.text = text;
    else
        task.state = TaskStatus::state(text);
}
