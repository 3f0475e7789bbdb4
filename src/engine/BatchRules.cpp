#include "BatchRules.h"

#include "TimeText.h"

#include <cmath>

QString TaskArguments(const QString& arguments, const ltvItemData& task)
{
    QString result = arguments;
    if (task.StartTimeSec != task.SourceStartSec)
        result += QStringLiteral(" -ss ") + task.StartTime;
    if (task.ClipLengthSec != task.LengthSec)
        result += QStringLiteral(" -t ") +
                  QString::number(static_cast<long long>(RoundHalfEven(task.ClipLengthSec)));
    return result;
}

std::optional<double> ProgressSeconds(const QString& text)
{
    const qsizetype marker = text.indexOf(QLatin1String("time"));
    if (marker < 0)
        return std::nullopt;
    const qsizetype from = marker + 5;
    const qsizetype blank = text.indexOf(QLatin1Char(' '), from);
    if (from > text.size() || blank < 0)
        return std::nullopt;
    bool ok = false;
    // QString reads numbers in the C locale, as the encoder writes them.
    const double value = text.mid(from, blank - from).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> BarPosition(double percent)
{
    if (!std::isfinite(percent))
        return std::nullopt;
    const double rounded = RoundHalfEven(percent);
    return rounded < 0 ? 0 : rounded > 100 ? 100 : static_cast<int>(rounded);
}
