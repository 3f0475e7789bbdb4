#pragma once

#include "engine/TaskRecord.h"

#include <QString>

// A task read back from the kept list is input from outside: the file may have been edited by
// hand or by another program. What is wrong with the task, or an empty text when it can come
// back as it is: an input path that is missing or breaks a line; a new name or extension that
// would leave the output folder or break a line; a time that is no time, lies past the
// source's end or ends before it starts; more encoder output than a task ever keeps.
QString KeptTaskFault(const TaskRecord& task);
