#include "TestTasks.h"

#include "base/PathText.h"
#include "engine/ProbeQueue.h"
#include "engine/TaskFields.h"
#include "engine/TaskRows.h"
#include "engine/TaskStatus.h"
#include "engine/TimeText.h"

#include <QSignalSpy>

ltvItemData AddedTask(const QString& input, double seconds, const QString& newFileExt)
{
    ltvItemData task;
    task.InputFile = input;
    task.Length = SecondsToText(seconds);
    task.Size = QStringLiteral(" 320x240");
    task.Status = QStringLiteral("OK");
    task.NewFileName = WithoutExtension(FileNamePart(input));
    task.NewFileExt = newFileExt;
    task.SourceStart = QStringLiteral("00:00:00.0");
    task.SourceEnd = task.Length;
    task.ClipLength = task.Length;
    task.StartTime = task.SourceStart;
    task.EndTime = task.Length;
    return task;
}

int AppendTask(TaskRows& rows, const ltvItemData& task)
{
    return rows.appendTask(task);
}

QString StatusOf(const TaskRows& rows, int row)
{
    ltvItemData record;
    rows.ReadTask(row, 2, record);
    return record.Status;
}

MediaProbe::Facts ProbedFacts(const QString& encoder, const QString& path)
{
    ProbeQueue probes(encoder, 1);
    QSignalSpy probed(&probes, &ProbeQueue::probed);
    probes.enqueue(path);
    if (probed.isEmpty() && !probed.wait(60000))
        return {};
    return probed.first().at(1).value<MediaProbe::Facts>();
}

QStringList RecordTexts(const TaskRecord& task)
{
    QStringList texts;
    for (const TaskField& field : TaskFields) {
        if (field.text)
            texts << task.*field.text;
    }
    return texts << TaskStatus::word(task.state) << QString::number(task.progress);
}

TaskRecord FilledRecord(const QString& input, const QString& text, TaskState state, int progress)
{
    TaskRecord task;
    int number = 0;
    for (const TaskField& field : TaskFields) {
        if (field.text)
            task.*field.text = QString::number(number++) + text;
    }
    task.inputPath = input;
    task.logName = QStringLiteral("0123456789abcdef.log"); // only names of this form are kept
    task.state = state;
    task.progress = progress;
    return task;
}
