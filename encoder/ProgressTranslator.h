#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Follows ffmpeg's -progress stream, which may arrive cut anywhere, and keeps the
// furthest position reached so the window never sees the position go back.
class ProgressTranslator final
{
public:
    // Returns true when at least one complete report ("progress=..." line) arrived.
    bool feed(std::string_view bytes);
    // Takes a last line that ended without a line break; true if it moved the position.
    bool finish();

    double position() const { return m_position; }
    // The output's size in ffmpeg's last report, once that report said "progress=end":
    // ffmpeg writes it after the end of the file, so it is the size of the whole output.
    std::optional<std::int64_t> finalSize() const { return m_ended ? m_size : std::nullopt; }

private:
    bool takeLine(std::string_view line);

    std::string m_partial;
    double m_position = 0;
    std::optional<std::int64_t> m_size; // total_size of the latest report
    bool m_ended = false;
};
