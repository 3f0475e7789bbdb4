#include "ProgressLine.h"

#include <QList>

#include <cmath>

namespace ProgressLine {

namespace {

std::optional<double> nonNegative(QByteArrayView text, double scale)
{
    bool ok = false;
    const double value = text.toByteArray().toDouble(&ok); // QByteArray parses in the C locale
    if (!ok || !std::isfinite(value) || value < 0)
        return std::nullopt;
    return value / scale;
}

} // namespace

std::optional<double> clockSeconds(QByteArrayView text)
{
    text = text.trimmed();
    if (text.startsWith('-'))
        return std::nullopt;
    const QList<QByteArray> parts = text.toByteArray().split(':');
    if (parts.size() != 3)
        return std::nullopt;
    double total = 0;
    for (const QByteArray& part : parts) {
        bool ok = false;
        const double value = part.toDouble(&ok);
        if (!ok || !std::isfinite(value) || value < 0)
            return std::nullopt;
        total = total * 60 + value;
    }
    return total;
}

std::optional<double> seconds(QByteArrayView line)
{
    line = line.trimmed();
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return std::nullopt;
    const QByteArrayView key = line.first(equals);
    const QByteArrayView value = line.sliced(equals + 1);
    // out_time_ms has always carried microseconds, like out_time_us.
    if (key == "out_time_us" || key == "out_time_ms")
        return nonNegative(value, 1e6);
    if (key == "out_time")
        return clockSeconds(value);
    return std::nullopt;
}

QByteArray text(double seconds)
{
    return "time=" + QByteArray::number(seconds, 'f', 2) + " \n";
}

} // namespace ProgressLine
