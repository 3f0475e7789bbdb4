#include "ProgressTranslator.h"

#include "ProgressLine.h"
#include "Text.h"

#include <algorithm>

bool ProgressTranslator::feed(std::string_view bytes)
{
    m_partial += bytes;
    bool reported = false;
    std::size_t start = 0;
    for (std::size_t end = m_partial.find('\n'); end != std::string::npos;
         start = end + 1, end = m_partial.find('\n', start))
        reported = takeLine(std::string_view(m_partial).substr(start, end - start)) || reported;
    m_partial.erase(0, start);
    return reported;
}

bool ProgressTranslator::finish()
{
    const double before = m_position;
    takeLine(m_partial);
    m_partial.clear();
    return m_position > before;
}

bool ProgressTranslator::takeLine(std::string_view line)
{
    if (const std::optional<double> seconds = ProgressLine::seconds(line))
        m_position = std::max(m_position, *seconds);
    line = Text::trimmed(line);
    if (Text::startsWith(line, "total_size=")) {
        const std::optional<double> size = Text::number(line.substr(11));
        m_size = size && *size >= 0 ? std::optional<std::int64_t>(*size) : std::nullopt;
    }
    if (!Text::startsWith(line, "progress="))
        return false;
    m_ended = line == "progress=end";
    return true;
}
