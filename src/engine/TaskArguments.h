#pragma once

#include "engine/ltvItemData.h"

#include <QString>

// The arguments one task converts with: the run's argument string, then the task's own trim.
// " -ss " and the StartTime text follow when the task starts anywhere but the source's start;
// " -t " and ClipLengthSec in whole seconds (rounded, halves to even) follow when the task
// converts less or more than the whole source. The task is read with ReadTask mode -2, so its
// numbers are those of its texts. Nothing of one task carries over to the next.
QString TaskArguments(const QString& arguments, const ltvItemData& task);

// Nearest whole number, halves to even (2.5 gives 2, 3.5 gives 4).
qint64 RoundHalfEven(double value);
