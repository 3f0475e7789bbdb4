#include "KeptTaskCheck.h"

#include "OutputOptions.h"
#include "engine/TaskFields.h"
#include "engine/TaskLogs.h"
#include "engine/TimeText.h"

namespace {
// A value as a message quotes it: a tampered one may be long.
QString quoted(const QString& text)
{
    constexpr int Shown = 40;
    return QLatin1Char('"') +
           (text.size() > Shown ? text.left(Shown) + QStringLiteral("...") : text) +
           QLatin1Char('"');
}

// Seconds of a time the task holds; -1 when it holds none yet (its file was never read).
double seconds(const QString& text)
{
    return text.isEmpty() ? -1 : TextToSeconds(text);
}

QString timesFault(const TaskRecord& task)
{
    for (const TaskField& field : TaskFields) {
        if (!field.seconds)
            continue;
        const QString& text = task.*field.text;
        if (!text.isEmpty() && TextToSeconds(text) < 0)
            return QStringLiteral("its %1 %2 is not a time")
                .arg(QLatin1String(field.key), quoted(text));
    }
    const double start = seconds(task.startTime);
    const double end = seconds(task.endTime);
    const double sourceEnd = seconds(task.sourceEnd);
    if ((sourceEnd > 0 && start >= sourceEnd) || OutputOptions::PastSourceEnd(end, sourceEnd))
        return QStringLiteral("its times %1 to %2 lie past the file's end %3")
            .arg(task.startTime, task.endTime, task.sourceEnd);
    if (start >= 0 && end >= 0 && end <= start)
        return QStringLiteral("its end time %1 is not after its start time %2")
            .arg(task.endTime, task.startTime);
    return {};
}
} // namespace

QString KeptTaskFault(const TaskRecord& task)
{
    if (task.inputPath.isEmpty())
        return QStringLiteral("it names no input file");
    if (task.inputPath.contains(QLatin1Char('\n')) || task.inputPath.contains(QLatin1Char('\r')) ||
        task.inputPath.contains(QChar(0)))
        return QStringLiteral("its input path holds a line break");
    // Empty until a profile is chosen: the output then takes the input's name and the profile's
    // extension.
    if (!OutputOptions::IsSafeNamePart(task.newName))
        return QStringLiteral("its new name %1 is not a plain file name").arg(quoted(task.newName));
    if (!task.newExt.isEmpty() && (!task.newExt.startsWith(QLatin1Char('.')) ||
                                   !OutputOptions::IsSafeNamePart(task.newExt.mid(1))))
        return QStringLiteral("its extension %1 is not a plain extension").arg(quoted(task.newExt));
    if (const QString fault = timesFault(task); !fault.isEmpty())
        return fault;
    if (task.encoderOutput.size() > KeptEncoderOutputBytes ||
        task.encoderOutput.toUtf8().size() > KeptEncoderOutputBytes)
        return QStringLiteral("it holds more encoder output than the %1 kB a task keeps")
            .arg(KeptEncoderOutputBytes / 1024);
    if (!task.logName.isEmpty() && !TaskLogs::IsLogName(task.logName))
        return QStringLiteral("its log %1 is not a file name the program gives")
            .arg(quoted(task.logName));
    return {};
}
