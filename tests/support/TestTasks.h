#pragma once

#include "engine/ltvItemData.h"

#include <QString>

class TaskRows;

// A task as adding the input gives it: the whole source of `seconds`, named after the input.
ltvItemData AddedTask(const QString& input, double seconds, const QString& newFileExt = ".mp4");

// Appends the task as a row; returns its index.
int AppendTask(TaskRows& rows, const ltvItemData& task);

// The row's Status text.
QString StatusOf(const TaskRows& rows, int row);
