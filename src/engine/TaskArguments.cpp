#include "TaskArguments.h"

#include <cmath>

qint64 RoundHalfEven(double value)
{
    // nearbyint rounds halves to even in the default rounding mode.
    return qint64(std::nearbyint(value));
}

QString TaskArguments(const QString& arguments, const ltvItemData& task)
{
    QString result = arguments;
    if (task.StartTimeSec != task.SourceStartSec)
        result += QStringLiteral(" -ss ") + task.StartTime;
    if (task.ClipLengthSec != task.LengthSec)
        result += QStringLiteral(" -t ") + QString::number(RoundHalfEven(task.ClipLengthSec));
    return result;
}
