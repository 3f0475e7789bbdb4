#pragma once

#include "engine/ltvItemData.h"

#include <QString>

#include <optional>

// The small rules of one conversion in a batch run.

// The run's arguments followed by the task's own: " -ss <StartTime>" when it starts elsewhere
// than its source, " -t <seconds>" when it is shorter than the source (whole seconds, halves
// to even).
QString TaskArguments(const QString& arguments, const ltvItemData& task);

// The position a progress text states: the text after the first "time" and one more
// character, up to the next blank. Nothing when there is no blank after it or it is not a
// finite number.
std::optional<double> ProgressSeconds(const QString& text);

// A progress bar's position for a percentage: rounded, halves to even, kept within 0 to 100.
// Nothing when the percentage is not a finite number.
std::optional<int> BarPosition(double percent);

// How many tasks convert at once when the user leaves it to the program: one per core, but an
// encoder that spreads its own work over the cores (given in the arguments) gets at most half
// of them, and never fewer than two.
int AutomaticTasksAtOnce(int cores, const QString& arguments);
