#include "MessageWatch.h"

#include "ProgressLine.h"

#include "Text.h"

namespace {

// What ffmpeg prints when writing or closing the output fails (the last three are the
// system's own texts, which only writes produce).
constexpr std::string_view WriteFailures[] = {
    "av_interleaved_write_frame()",
    "Error writing trailer",
    "Error closing file",
    "Could not write header",
    "Error submitting a packet to the muxer",
    "Error muxing a packet",
    "No space left on device",
    "Disk quota exceeded",
    "File too large",
};

// Lines that never give a cause: headings ending in ':' (the input and output
// summaries, "Stream mapping:"), status lines, ffmpeg's closing word.
bool saysNothing(std::string_view line)
{
    return line.back() == ':' || Text::startsWith(line, "frame=") ||
           Text::startsWith(line, "size=") || Text::startsWith(line, "video:") ||
           line == "Conversion failed!";
}

} // namespace

void MessageWatch::look(std::string_view lines)
{
    while (!lines.empty()) {
        const std::size_t end = lines.find_first_of("\r\n");
        lookAtLine(lines.substr(0, end));
        lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
    }
}

void MessageWatch::readInputLength(std::string_view line)
{
    // "Input #0, avi, from 'a.avi':" then "  Duration: 00:00:05.04, start: ..."; metadata
    // and streams are indented deeper, so a title cannot pass for the length.
    if (Text::startsWith(line, "Input #") || Text::startsWith(line, "Output #"))
        m_inFirstInput = Text::startsWith(line, "Input #0,");
    else if (m_inFirstInput && !m_durationRead && Text::startsWith(line, "  Duration: ")) {
        m_durationRead = true;
        const std::string_view clock = line.substr(12, line.find(',') - 12);
        m_inputSeconds = ProgressLine::clockSeconds(clock);
    }
    if (line.find("Estimating duration from bitrate") != std::string_view::npos)
        m_estimated = true;
}

std::string MessageWatch::lastError() const
{
    return m_lastPlain.empty() ? m_lastFromLibrary : m_lastPlain;
}

void MessageWatch::lookAtLine(std::string_view line)
{
    readInputLength(line);
    // Indented lines are details (metadata, stream lists, "Last message repeated"); a
    // title that happens to read "No space left on device" must not fail a run.
    if (line.empty() || line.front() == ' ' || line.front() == '\t')
        return;
    line = Text::trimmed(line);
    if (line.empty() || saysNothing(line))
        return;
    if (m_writeError.empty()) {
        for (const std::string_view failure : WriteFailures) {
            if (line.find(failure) != std::string_view::npos)
                m_writeError = line;
        }
    }
    (line.front() == '[' ? m_lastFromLibrary : m_lastPlain) = line;
}
