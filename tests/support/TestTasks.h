#pragma once

#include "engine/MediaProbe.h"
#include "engine/TaskRecord.h"
#include "engine/ltvItemData.h"

#include <QString>
#include <QStringList>

class TaskRows;

// A task as adding the input gives it: the whole source of `seconds`, named after the input.
ltvItemData AddedTask(const QString& input, double seconds, const QString& newFileExt = ".mp4");

// Appends the task as a row; returns its index.
int AppendTask(TaskRows& rows, const ltvItemData& task);

// The row's Status text.
QString StatusOf(const TaskRows& rows, int row);

// The facts of one file as the program's probe queue finds them with this encoder; all empty
// when no answer came within a minute.
MediaProbe::Facts ProbedFacts(const QString& encoder, const QString& path);

// Every field of the record as text, the state as its word: equal lists, equal records.
QStringList RecordTexts(const TaskRecord& task);
// A record of that input, state and progress whose other texts are all `text`, each after a
// number of its own, so that two fields mixed up show.
TaskRecord FilledRecord(const QString& input, const QString& text, TaskState state,
                        int progress = 0);
