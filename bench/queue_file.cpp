// Writes a kept task list as a user's looks after a run: every file read, a quarter of the tasks
// converted and a tenth failed, each of those with a few kB of the encoder's messages in a log
// file of its own, in the Logs folder beside the list.
// Usage: queue_file <Queue.json> <tasks>
#include "engine/TaskLogs.h"
#include "engine/TaskModel.h"
#include "tasks/QueueStore.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <utility>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: queue_file <Queue.json> <tasks>\n");
        return 2;
    }
    QString messages;
    for (int line = 0; line < 40; ++line)
        messages += QStringLiteral("  Stream #0:%1 -> #0:%1 (mpeg4 (native) -> h264 (libx264))\n")
                        .arg(line);
    TaskModel model;
    TaskLogs logs{QFileInfo(args[0]).absolutePath() + QStringLiteral("/Logs/"), &model};
    QList<TaskRecord> tasks;
    for (int i = 0; i < args[1].toInt(); ++i) {
        TaskRecord task;
        const QString name = QStringLiteral("clip%1").arg(i, 4, 10, QLatin1Char('0'));
        task.inputPath = QStringLiteral("/videos/holiday/") + name + QStringLiteral(".avi");
        task.length = task.sourceEnd = task.clipLength = task.endTime = "00:01:00.0";
        task.sourceStart = task.startTime = "00:00:00.0";
        task.size = " 320x240";
        task.newName = name;
        task.newExt = ".mp4";
        if (i % 4 == 0) {
            task.state = TaskState::Complete;
            task.outputPath = QStringLiteral("/videos/out/") + name + task.newExt;
            task.encoderOutput = messages;
            task.progress = 100;
        } else if (i % 10 == 1) {
            task.state = TaskState::Failed;
            task.failureReason = "The encoder ended with exit code 1.";
            task.encoderOutput = messages + "Conversion failed!\n";
        }
        if (!task.encoderOutput.isEmpty())
            task.logName = logs.keep({}, std::exchange(task.encoderOutput, {}));
        tasks << task;
    }
    const QString error = QueueStore(args[0]).save(tasks);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
