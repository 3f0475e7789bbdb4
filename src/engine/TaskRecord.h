#pragma once

#include <QString>

// How much of what the encoder wrote a task keeps, in bytes of UTF-8: the end of it, where a
// failure is explained.
inline constexpr qsizetype KeptEncoderOutputBytes = 64 * 1024;

// Where a task stands; the list shows each as its word (TaskStatus).
enum class TaskState { Added, Converting, Complete, Failed, Stopped };

// Everything the program keeps of one task. The texts are those the list shows and the run
// reads; the rest is what the run learnt of the task's last conversion. Each text has its row in
// TaskFields, which tells where the list, the run and the kept list hold it.
struct TaskRecord
{
    QString inputPath; // also the row's caption
    QString length;
    QString size;
    TaskState state = TaskState::Added;
    QString newName;
    QString newExt;
    QString sourceStart;
    QString sourceEnd;
    QString clipLength;
    QString startTime;
    QString endTime;

    QString failureReason; // why the last conversion failed; the Status cell's tip
    QString outputPath;    // the file the last conversion wrote
    QString encoderOutput; // the encoder's last lines for the task, unless in its log file
    QString logName;       // the file of TaskLogs that holds them; empty when there is none
    int progress = 0;      // percent of the conversion under way
};
