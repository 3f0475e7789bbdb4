#pragma once

#include "engine/TaskRecord.h"

#include <QString>

// The words a task's Status column shows.
namespace TaskStatus {
inline constexpr char Added[] = "OK";
inline constexpr char Converting[] = "Converting";
inline constexpr char Complete[] = "Complete";
inline constexpr char Failed[] = "Failed"; // the encoder ended with an error or crashed
inline constexpr char Stopped[] = "Stop";

QString word(TaskState state);
// The state a word names; Added for a word that names none.
TaskState state(const QString& word);
} // namespace TaskStatus
