#include "OutputOptions.h"

#include "base/PathText.h"
#include "engine/TaskRows.h"
#include "engine/TimeText.h"

#include <QDir>

#include <algorithm>

OutputOptions OutputOptions::Shown(const ltvItemData& task, const QString& outputExt)
{
    return {task.NewFileName + outputExt, task.StartTime, task.EndTime};
}

bool OutputOptions::IsSafeNamePart(const QString& text)
{
    if (text.contains(QLatin1Char('/')) || text.contains(QDir::separator()) ||
        text == QLatin1String(".."))
        return false;
    return std::none_of(text.begin(), text.end(),
                        [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool OutputOptions::IsUsableFilename(const QString& text)
{
    return IsSafeNamePart(text) && !WithoutExtension(text).isEmpty();
}

bool OutputOptions::PastSourceEnd(double seconds, double sourceEnd)
{
    return sourceEnd > 0 && seconds > sourceEnd + 0.05;
}

QString OutputOptions::checkInto(ltvItemData& task) const
{
    if (IsUsableFilename(newFilename)) {
        task.NewFileName = WithoutExtension(newFilename);
        task.NewFileExt = FileExtension(newFilename);
    }

    double start = TextToSeconds(startTime);
    double end = TextToSeconds(endTime);
    if (start == -1)
        start = task.StartTimeSec;
    if (end == -1)
        end = task.EndTimeSec;
    // A time past the end of a clip of known length would have the encoder write on and on.
    const bool lengthKnown = task.SourceEndSec > 0;
    const bool pastLength =
        lengthKnown && (start >= task.SourceEndSec || PastSourceEnd(end, task.SourceEndSec));
    // The end is checked against the start as this step leaves it.
    if (start < 0 || start >= end || start >= task.SourceEndSec)
        start = task.StartTimeSec;
    if (end <= 0 || end <= start || end <= task.SourceStartSec ||
        PastSourceEnd(end, task.SourceEndSec))
        end = task.EndTimeSec;

    task.StartTime = SecondsToText(start);
    task.EndTime = SecondsToText(end);
    // A start that is no time at all (a task whose probe failed) is stored as 00:00:00, so the
    // length is counted from there too.
    task.ClipLength = SecondsToText(end - std::max(start, 0.0));
    if (!pastLength)
        return {};
    return QStringLiteral("The file is %1 long; a time past its end cannot be used.")
        .arg(task.SourceEnd);
}

QString OutputOptions::storeInto(TaskRows& rows, int row) const
{
    if (row < 0 || row >= rows.rowCount())
        return {};
    ltvItemData task;
    rows.ReadTask(row, TaskRows::WholeRecord, task);
    const QString refused = checkInto(task);
    for (const int mode : {TaskRows::NewFileName, TaskRows::NewFileExt, TaskRows::ClipLength,
                           TaskRows::StartTime, TaskRows::EndTime})
        rows.WriteTask(row, mode, task);
    return refused;
}
