#include "MessageFilter.h"

#include "ProgressLine.h"
#include "Text.h"

#include <algorithm>

namespace {

// A line this long without a break is no status line; holding it back gains nothing.
constexpr std::size_t MaxHeldBack = 64 * 1024;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::string MessageFilter::feed(std::string_view bytes)
{
    m_partial += bytes;
    const std::size_t last = m_partial.find_last_of("\r\n");
    if (last == std::string::npos)
        return m_partial.size() > MaxHeldBack ? flush() : std::string();
    std::string lines = restateTimes(std::string_view(m_partial).substr(0, last + 1));
    m_partial.erase(0, last + 1);
    return lines;
}

std::string MessageFilter::flush()
{
    std::string rest = restateTimes(m_partial);
    m_partial.clear();
    return rest;
}

std::string MessageFilter::restateTimes(std::string_view text)
{
    static constexpr std::string_view key = "time=";
    std::string out;
    out.reserve(text.size());
    std::size_t done = 0;
    for (std::size_t at = text.find(key); at != std::string_view::npos;
         at = text.find(key, std::max(at + key.size(), done))) {
        if (at > 0 && !isBlank(text[at - 1]))
            continue; // part of a longer word
        std::size_t end = at + key.size();
        while (end < text.size() && !isBlank(text[end]))
            ++end;
        const std::string_view value = text.substr(at + key.size(), end - at - key.size());
        out += text.substr(done, at - done);
        if (const std::optional<double> seconds = ProgressLine::clockSeconds(value)) {
            out += key;
            out += Text::fixed(*seconds, 2);
        } else if (value == "N/A" || Text::startsWith(value, "-")) {
            if (end < text.size() && text[end] == ' ')
                ++end; // keep the spacing of the rest of the line
        } else {
            out += text.substr(at, end - at);
        }
        done = end;
    }
    out += text.substr(done);
    return out;
}
