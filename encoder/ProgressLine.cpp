#include "ProgressLine.h"

#include "Text.h"

#include <cmath>

namespace ProgressLine {

namespace {

std::optional<double> nonNegative(std::string_view text)
{
    const std::optional<double> value = Text::number(text);
    if (!value || !std::isfinite(*value) || *value < 0)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> clockSeconds(std::string_view text)
{
    text = Text::trimmed(text);
    if (Text::startsWith(text, "-"))
        return std::nullopt;
    double total = 0;
    int parts = 0;
    for (std::size_t start = 0;; ++parts) {
        const std::size_t colon = text.find(':', start);
        const std::optional<double> value = nonNegative(text.substr(start, colon - start));
        if (!value)
            return std::nullopt;
        total = total * 60 + *value;
        if (colon == std::string_view::npos)
            break;
        start = colon + 1;
    }
    return parts == 2 ? std::optional<double>(total) : std::nullopt;
}

std::optional<double> seconds(std::string_view line)
{
    line = Text::trimmed(line);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    // out_time_ms has always carried microseconds, like out_time_us.
    if (key == "out_time_us" || key == "out_time_ms") {
        const std::optional<double> micro = nonNegative(value);
        return micro ? std::optional<double>(*micro / 1e6) : std::nullopt;
    }
    if (key == "out_time")
        return clockSeconds(value);
    return std::nullopt;
}

std::string text(double seconds)
{
    return "time=" + Text::fixed(seconds, 2) + " \n";
}

} // namespace ProgressLine
