#include "BatchRules.h"

#include "TimeText.h"

#include <QRegularExpression>

#include <algorithm>
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

int AutomaticTasksAtOnce(int cores, const QString& arguments)
{
    cores = std::max(1, cores);
    static const QRegularExpression threaded(
        QStringLiteral("(^|\\s)-(c:v|codec:v|vcodec)\\s+"
                       "(libx264|libx265|libvpx-vp9|libaom-av1|libsvtav1)(\\s|$)"));
    if (!threaded.match(arguments).hasMatch())
        return cores;
    return std::min(cores, std::max(2, cores / 2));
}
