#pragma once

#include "engine/ltvItemData.h"

#include <QString>

class TaskRows;

// A task's own output options as the Output panel holds them: "New Filename", "Start Time" and
// "End Time", in row order.
struct OutputOptions
{
    QString newFilename;
    QString startTime;
    QString endTime;

    // What the panel shows for a task: its name with the loaded profile's extension (not the
    // task's own), and its start and end as stored.
    static OutputOptions Shown(const ltvItemData& task, const QString& outputExt);

    // A name the output can be given: something before its extension, and no folder separator
    // (the output must land in the output folder, and not as a hidden ".mp4").
    static bool IsUsableFilename(const QString& text);
    // A part of an output's name (a name or an extension) that keeps the output inside the
    // output folder and on one line: no folder separator, not "..", no control character.
    static bool IsSafeNamePart(const QString& text);
    // An end past the source's end; half a tenth of slack, for times stored in tenths.
    static bool PastSourceEnd(double seconds, double sourceEnd);

    // Checks all three values against the task, read with ReadTask mode -2, and keeps in it what
    // passes. A refused name, an unreadable time, a start not before the end or the source's
    // end, an end not after 0, the start or the source's start, and an end past the source's
    // end each leave the task's previous value. Times are stored through SecondsToText, so they
    // come back in tenths at most. Returns what to tell the user when a time was past the end
    // of a file of known length, or an empty text; other refusals are silent.
    QString checkInto(ltvItemData& task) const;

    // vleOutputValidate's work on the rows: reads the row, checks, and writes NewFileName,
    // NewFileExt, ClipLength, StartTime and EndTime (modes 3, 4, 7, 8, 9, in that order).
    // Nothing happens when there is no such row. Returns what checkInto tells.
    QString storeInto(TaskRows& rows, int row) const;
};
