#include "Text.h"

#include <charconv>

namespace Text {

namespace {

constexpr std::string_view Blanks = " \t\r\n";

} // namespace

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

std::string replaced(std::string_view text, std::string_view from, std::string_view to)
{
    std::string out;
    std::size_t done = 0;
    for (std::size_t at = text.find(from); !from.empty() && at != std::string_view::npos;
         at = text.find(from, done)) {
        out += text.substr(done, at - done);
        out += to;
        done = at + from.size();
    }
    out += text.substr(done);
    return out;
}

std::string fixed(double value, int decimals)
{
    // Enough for the largest double written out in full.
    char buffer[400];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return "N/A";
    return std::string(buffer, result.ptr);
}

std::optional<double> number(std::string_view text)
{
    text = trimmed(text);
    double value = 0;
    const std::from_chars_result result =
        std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace Text
